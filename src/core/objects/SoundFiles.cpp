#include "objects/SoundFiles.h"

#include "io/Error.h"

#include <QStringList>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {
namespace {

// Callers check the bounds first; Qt reads the byte order.
quint32 le32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 le16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }
quint32 be32(const QByteArray& b, qsizetype at) { return qFromBigEndian<quint32>(b.constData() + at); }
quint16 be16(const QByteArray& b, qsizetype at) { return qFromBigEndian<quint16>(b.constData() + at); }

template <class T>
void putLe(QByteArray& b, T v)
{
    char bytes[sizeof(T)];
    qToLittleEndian(v, bytes);
    b.append(bytes, sizeof(T));
}

struct Wave {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    qsizetype data = 0; // offset of the samples
    qsizetype size = 0; // their bytes, whole frames only
};

[[noreturn]] void notAWave(const QString& why)
{
    throw io::Error(u"Это не звук WAV, который играет телефон: "_s + why + u"."_s);
}

Wave readWave(const QByteArray& b)
{
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        notAWave(u"нет заголовка RIFF/WAVE"_s);
    Wave w;
    bool format = false;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const qint64 length = le32(b, at + 4);
        const qsizetype body = at + 8;
        const qint64 available = b.size() - body;
        if (id == "fmt ") {
            if (length < 16 || length > available)
                notAWave(u"описание формата обрезано"_s);
            const int code = le16(b, body);
            if (code != 1)
                notAWave(u"сжатый звук (формат %1), а нужен несжатый PCM"_s.arg(code));
            w.channels = le16(b, body + 2);
            w.rate = int(le32(b, body + 4));
            w.bits = le16(b, body + 14);
            format = true;
        } else if (id == "data") {
            if (!format)
                notAWave(u"звук записан раньше описания формата"_s);
            w.data = body;
            w.size = qsizetype(std::min(length, available));
            break;
        }
        at = body + qsizetype(std::min(length, available)) + (length & 1);
    }
    if (!format)
        notAWave(u"нет описания формата"_s);
    if (w.data == 0)
        notAWave(u"нет звуковых данных"_s);
    if (w.channels != 1 && w.channels != 2)
        notAWave(u"каналов %1, а телефон играет 1 или 2"_s.arg(w.channels));
    if (w.bits != 8 && w.bits != 16)
        notAWave(u"%1 бит на отсчёт, а телефон играет 8 или 16"_s.arg(w.bits));
    if (w.rate < 8000 || w.rate > 44100)
        notAWave(u"частота %1 Гц, а телефон играет от 8000 до 44100"_s.arg(w.rate));
    const int frame = w.channels * w.bits / 8;
    w.size -= w.size % frame;
    if (w.size == 0)
        notAWave(u"звук пуст"_s);
    return w;
}

[[noreturn]] void notAMidi(const QString& why)
{
    throw io::Error(u"Это не файл MIDI, который играет телефон: "_s + why + u"."_s);
}

// A variable-length number of a MIDI track; nullopt past the end.
std::optional<quint32> readVarLength(const QByteArray& b, qsizetype& at, qsizetype end)
{
    quint32 value = 0;
    for (int k = 0; k < 4; ++k) {
        if (at >= end)
            return std::nullopt;
        const quint8 c = quint8(b[at++]);
        value = value << 7 | (c & 0x7F);
        if (!(c & 0x80))
            return value;
    }
    return std::nullopt;
}

struct Note {
    int pitch = -1; // -1 a rest
    int units = 0;  // of 64 a whole note
};

Note readNote(const QString& item, int index)
{
    const QString text = item.simplified();
    const auto bad = [&](const QString& why) -> Note {
        throw io::Error(u"Нота %1 «%2»: %3. Пишите ноту, октаву и длину: «C5 8», «F#4 4.», «- 2» для паузы."_s.arg(
            index).arg(text.left(20), why));
    };
    const QStringList parts = text.split(u' ');
    if (parts.size() != 2)
        return bad(u"нужны нота и длина через пробел"_s);
    Note note;
    const QString name = parts[0];
    if (name != u"-"_s) {
        static const std::map<QChar, int> steps{{u'C', 0}, {u'D', 2}, {u'E', 4}, {u'F', 5},
                                                {u'G', 7}, {u'A', 9}, {u'B', 11}};
        const auto step = steps.find(name.at(0).toUpper());
        if (step == steps.end())
            return bad(u"нота — одна из букв C D E F G A B"_s);
        int semitone = step->second;
        qsizetype at = 1;
        if (at < name.size() && (name.at(at) == u'#' || name.at(at) == u'b')) {
            semitone += name.at(at) == u'#' ? 1 : -1;
            ++at;
        }
        bool ok = false;
        const int octave = name.mid(at).toInt(&ok);
        if (!ok || octave < 0 || octave > 9 || name.size() - at != 1)
            return bad(u"после ноты — октава от 0 до 9"_s);
        note.pitch = (octave + 1) * 12 + semitone;
        if (note.pitch < 0 || note.pitch > 127)
            return bad(u"такой ноты телефон не сыграет"_s);
    }
    QString length = parts[1];
    const bool dotted = length.endsWith(u'.');
    if (dotted)
        length.chop(1);
    bool ok = false;
    const int fraction = length.toInt(&ok);
    if (!ok || !(fraction == 1 || fraction == 2 || fraction == 4 || fraction == 8 || fraction == 16 || fraction == 32))
        return bad(u"длина — 1, 2, 4, 8, 16 или 32 (доля целой ноты)"_s);
    note.units = 64 / fraction;
    if (dotted)
        note.units += note.units / 2;
    return note;
}

} // namespace

SoundInfo inspectWave(const QByteArray& bytes)
{
    const Wave w = readWave(bytes);
    const int frame = w.channels * w.bits / 8;
    SoundInfo info;
    info.kind = model::SoundKind::Wave;
    info.lengthMs = int(qint64(w.size / frame) * 1000 / w.rate);
    info.format = u"%1 бит, %2, %3 Гц"_s.arg(w.bits).arg(w.channels == 1 ? u"моно"_s : u"стерео"_s).arg(w.rate);
    info.reducible = w.rate > 8000 || w.bits > 8 || w.channels > 1;
    return info;
}

QByteArray reducedWave(const QByteArray& bytes)
{
    const Wave w = readWave(bytes);
    const int frame = w.channels * w.bits / 8;
    const qsizetype frames = w.size / frame;
    // One sample a frame, -1..1, channels mixed.
    const auto sample = [&](qsizetype f) {
        double sum = 0;
        for (int c = 0; c < w.channels; ++c) {
            const qsizetype at = w.data + f * frame + c * (w.bits / 8);
            sum += w.bits == 8 ? (quint8(bytes[at]) - 128) / 128.0 : qint16(le16(bytes, at)) / 32768.0;
        }
        return sum / w.channels;
    };
    constexpr int kRate = 8000;
    const qsizetype out = std::max<qsizetype>(1, qsizetype(frames * qint64(kRate) / w.rate));
    QByteArray samples;
    samples.reserve(out);
    const double step = double(w.rate) / kRate;
    for (qsizetype k = 0; k < out; ++k) {
        // The mean of the source frames this one stands for, so that no high tone folds down.
        const qsizetype from = qsizetype(k * step);
        const qsizetype to = std::clamp<qsizetype>(qsizetype((k + 1) * step), from + 1, frames);
        double sum = 0;
        for (qsizetype f = from; f < to; ++f)
            sum += sample(f);
        const double v = std::clamp(sum / double(to - from), -1.0, 127.0 / 128.0);
        samples.append(char(quint8(std::lround(v * 128) + 128)));
    }
    QByteArray result = "RIFF";
    putLe<quint32>(result, quint32(36 + samples.size()));
    result += "WAVEfmt ";
    putLe<quint32>(result, 16);
    putLe<quint16>(result, 1);
    putLe<quint16>(result, 1);
    putLe<quint32>(result, kRate);
    putLe<quint32>(result, kRate);
    putLe<quint16>(result, 1);
    putLe<quint16>(result, 8);
    result += "data";
    putLe<quint32>(result, quint32(samples.size()));
    result += samples;
    if (samples.size() & 1)
        result.append('\0');
    return result;
}

SoundInfo inspectMidi(const QByteArray& b)
{
    if (b.size() < 14 || !b.startsWith("MThd") || be32(b, 4) < 6)
        notAMidi(u"нет заголовка MThd"_s);
    const int type = be16(b, 8);
    const int tracks = be16(b, 10);
    const int division = be16(b, 12);
    if (type != 0 && type != 1)
        notAMidi(u"тип %1, а телефон играет типы 0 и 1"_s.arg(type));
    if (division == 0)
        notAMidi(u"нет долей такта"_s);
    // Tempo changes by tick, from every track; the last tick of any.
    std::map<quint64, quint32> tempos{{0, 500000}};
    quint64 last = 0;
    qsizetype at = 8 + qsizetype(be32(b, 4));
    int found = 0;
    while (found < tracks && at + 8 <= b.size()) {
        const qint64 length = be32(b, at + 4);
        if (b.mid(at, 4) != "MTrk") {
            at += 8 + qsizetype(std::min<qint64>(length, b.size()));
            continue;
        }
        ++found;
        qsizetype p = at + 8;
        const qsizetype end = qsizetype(std::min<qint64>(p + length, b.size()));
        quint64 tick = 0;
        quint8 status = 0;
        while (p < end) {
            const std::optional<quint32> delta = readVarLength(b, p, end);
            if (!delta || p >= end)
                notAMidi(u"дорожка %1 обрезана"_s.arg(found));
            tick += *delta;
            quint8 c = quint8(b[p]);
            if (c == 0xFF) {
                if (p + 2 > end)
                    notAMidi(u"дорожка %1 обрезана"_s.arg(found));
                const quint8 meta = quint8(b[p + 1]);
                p += 2;
                const std::optional<quint32> size = readVarLength(b, p, end);
                if (!size || p + qsizetype(*size) > end)
                    notAMidi(u"дорожка %1 обрезана"_s.arg(found));
                if (meta == 0x51 && *size == 3)
                    tempos[tick] = quint32(quint8(b[p])) << 16 | quint32(quint8(b[p + 1])) << 8 | quint8(b[p + 2]);
                p += qsizetype(*size);
                if (meta == 0x2F)
                    break;
            } else if (c == 0xF0 || c == 0xF7) {
                ++p;
                const std::optional<quint32> size = readVarLength(b, p, end);
                if (!size || p + qsizetype(*size) > end)
                    notAMidi(u"дорожка %1 обрезана"_s.arg(found));
                p += qsizetype(*size);
            } else {
                if (c & 0x80) {
                    status = c;
                    ++p;
                } else if (!status) {
                    notAMidi(u"дорожка %1: данные без команды"_s.arg(found));
                }
                const int kind = status >> 4;
                p += (kind == 0xC || kind == 0xD) ? 1 : 2;
                if (p > end)
                    notAMidi(u"дорожка %1 обрезана"_s.arg(found));
            }
            last = std::max(last, tick);
        }
        at = end;
    }
    if (found == 0)
        notAMidi(u"нет ни одной дорожки"_s);
    double seconds = 0;
    if (division & 0x8000) {
        const int frames = -qint8(division >> 8);
        seconds = frames > 0 ? double(last) / (frames * (division & 0xFF)) : 0;
    } else {
        quint64 from = 0;
        quint32 tempo = 500000;
        for (const auto& [tick, value] : tempos) {
            if (tick > last)
                break;
            seconds += double(tick - from) * tempo / 1e6 / division;
            from = tick;
            tempo = value;
        }
        seconds += double(last - from) * tempo / 1e6 / division;
    }
    SoundInfo info;
    info.kind = model::SoundKind::Midi;
    info.lengthMs = int(std::lround(seconds * 1000));
    info.format = u"MIDI, тип %1, дорожек %2"_s.arg(type).arg(found);
    return info;
}

Melody melodySequence(const QString& notes, int tempo)
{
    if (tempo < model::kMinTempo || tempo > model::kMaxTempo)
        throw io::Error(u"Темп %1: телефон играет от %2 до %3 четвертей в минуту."_s.arg(tempo).arg(model::kMinTempo).arg(
            model::kMaxTempo));
    const int tempoByte = std::clamp(int(std::lround(tempo / 4.0)), 5, 127);
    constexpr int kResolution = 64;
    Melody melody;
    melody.sequence = QByteArray::fromRawData("\xFE\x01", 2) + QByteArray(1, char(-3)) + QByteArray(1, char(tempoByte))
                      + QByteArray(1, char(-4)) + QByteArray(1, char(kResolution));
    int index = 0;
    for (const QString& item : notes.split(u',')) {
        ++index;
        if (item.trimmed().isEmpty()) {
            if (notes.trimmed().isEmpty())
                break;
            throw io::Error(u"Нота %1 пуста: между запятыми нет ноты."_s.arg(index));
        }
        const Note note = readNote(item, index);
        melody.sequence.append(char(note.pitch));
        melody.sequence.append(char(note.units));
        // As the phone counts it: whole ms a note.
        melody.lengthMs += int(note.units * 60000LL / (qint64(tempoByte) * kResolution));
        ++melody.notes;
    }
    if (melody.notes == 0)
        throw io::Error(u"В мелодии нет ни одной ноты: напишите, например, «C5 8, D5 8, E5 4»."_s);
    return melody;
}

std::optional<int> notePitch(const QString& name)
{
    try {
        const Note note = readNote(name.trimmed() + u" 4"_s, 1);
        return note.pitch >= 0 ? std::optional<int>(note.pitch) : std::nullopt;
    } catch (const io::Error&) {
        return std::nullopt;
    }
}

QString noteName(int pitch)
{
    static const char* const names[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
    if (pitch < 0 || pitch > 127)
        return QString();
    return QString::fromLatin1(names[pitch % 12]) + QString::number(pitch / 12 - 1);
}

SoundInfo inspectMelody(const model::SoundData& sound)
{
    const Melody melody = melodySequence(sound.Notes, sound.Tempo);
    SoundInfo info;
    info.kind = model::SoundKind::Melody;
    info.lengthMs = melody.lengthMs;
    info.format = u"нот: %1, темп %2"_s.arg(melody.notes).arg(sound.Tempo);
    return info;
}

QString soundResourceName(const model::SoundData& sound)
{
    switch (sound.Kind) {
    case model::SoundKind::Wave: return u"s%1.wav"_s.arg(sound.Number);
    case model::SoundKind::Midi: return u"s%1.mid"_s.arg(sound.Number);
    case model::SoundKind::Melody: return u"s%1.jts"_s.arg(sound.Number);
    }
    return QString();
}

} // namespace kestrava::objects
