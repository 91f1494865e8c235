#include "support/StageTablesDump.h"

#include <QStringList>

#include <stdexcept>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::test {
namespace {

// DataInputStream's reads, failing at the end of the bytes.
class Reader {
public:
    explicit Reader(const QByteArray& bytes) : m_bytes(bytes) {}

    int byte()
    {
        if (m_at >= m_bytes.size())
            throw std::runtime_error("the tables end early");
        return uchar(m_bytes[m_at++]);
    }
    int count() { return byte() << 8 | byte(); }
    int number()
    {
        quint32 v = 0;
        for (int k = 0; k < 4; ++k)
            v = v << 8 | quint32(byte());
        return int(v);
    }
    bool flag() { return byte() != 0; }
    // DataInput's modified UTF-8.
    QString text()
    {
        const int length = count();
        const qsizetype end = m_at + length;
        QString s;
        while (m_at < end) {
            const int a = byte();
            if (a < 0x80) {
                s += QChar(a);
            } else if ((a & 0xE0) == 0xC0) {
                s += QChar(((a & 0x1F) << 6) | (byte() & 0x3F));
            } else {
                const int b = byte();
                s += QChar(((a & 0x0F) << 12) | ((b & 0x3F) << 6) | (byte() & 0x3F));
            }
        }
        if (m_at != end)
            throw std::runtime_error("a text runs past its length");
        return s;
    }
    QByteArray bytes(int n)
    {
        if (n < 0 || m_at + n > m_bytes.size())
            throw std::runtime_error("a map runs past the end");
        const QByteArray part = m_bytes.mid(m_at, n);
        m_at += n;
        return part;
    }
    bool atEnd() const { return m_at == m_bytes.size(); }

private:
    const QByteArray& m_bytes;
    qsizetype m_at = 0;
};

QString numbers(Reader& in, int n)
{
    QStringList values;
    for (int k = 0; k < n; ++k)
        values.append(QString::number(in.number()));
    return values.join(u' ');
}

// The cells as the game lays them: a byte each, 255 and two bytes for a larger tile.
QString cells(const QByteArray& map)
{
    QStringList values;
    for (qsizetype at = 0; at < map.size();) {
        int tile = uchar(map[at++]);
        if (tile == 255) {
            tile = at + 1 < map.size() ? uchar(map[at]) << 8 | uchar(map[at + 1]) : -1;
            at += 2;
        }
        values.append(QString::number(tile));
    }
    return values.join(u' ');
}

} // namespace

QString dumpStageTables(const QByteArray& tables)
{
    QStringList out;
    Reader in(tables);
    try {
        out.append(u"format %1"_s.arg(in.count()));
        const int pictures = in.count();
        QStringList names;
        for (int k = 0; k < pictures; ++k)
            names.append(in.text());
        out.append(u"pictures: "_s + names.join(u' '));
        const int backgrounds = in.count();
        for (int i = 0; i < backgrounds; ++i) {
            const int picture = in.count();
            const QString sizes = numbers(in, 6);
            const bool obstacle = in.flag();
            QStringList solid;
            for (int n = in.count(); n > 0; --n)
                solid.append(QString::number(in.count()));
            const int slot = in.number();
            out.append(u"background %1: picture %2, tile w h, columns rows, x y: %3, obstacle %4, slot %5, map %6"_s
                           .arg(i).arg(picture).arg(sizes).arg(int(obstacle)).arg(slot).arg(in.count())
                       + (solid.isEmpty() ? QString() : u", solid tiles "_s + solid.join(u' ')));
        }
        const int maps = in.count();
        for (int m = 0; m < maps; ++m)
            out.append(u"map %1: %2"_s.arg(m).arg(cells(in.bytes(in.number()))));
        out.append(u"group types: "_s + numbers(in, in.count()));
        const int objects = in.count();
        for (int k = 0; k < objects; ++k) {
            const int group = in.number();
            const int picture = in.count();
            const QString place = numbers(in, 5);
            const bool spare = in.flag();
            const int points = in.count();
            out.append(u"object %1: group %2, picture %3, frame w h, x y, slot: %4, path: %5"_s.arg(k).arg(group).arg(
                           picture).arg(place, numbers(in, 2 * points))
                       + (spare ? u", kept for an object made"_s : QString()));
        }
        for (const QString& table : {u"rest"_s, u"movement"_s, u"death"_s, u"attack"_s}) {
            QStringList directions;
            for (int d = 0; d < 4; ++d) {
                QStringList lists;
                for (int k = 0; k < objects; ++k) {
                    QStringList frames;
                    for (int n = in.count(); n > 0; --n)
                        frames.append(QString::number(in.count()));
                    lists.append(u'{' + frames.join(u',') + u'}');
                }
                directions.append(lists.join(QString()));
            }
            out.append(u"frames of %1: %2"_s.arg(table, directions.join(u" | "_s)));
        }
        out.append(u"chase: "_s + numbers(in, in.count()));
        const int texts = in.count();
        for (int t = 0; t < texts; ++t) {
            QStringList lines;
            for (int n = in.count(); n > 0; --n)
                lines.append(u'«' + in.text() + u'»');
            out.append(u"text %1: %2, x y face size style colour: %3"_s.arg(t).arg(lines.join(u' '), numbers(in, 6)));
        }
        const bool present = in.flag();
        const QString picture = in.text();
        const QString place = numbers(in, 4);
        out.append(u"lives bar: present %1, picture «%2», x y w h: %3, vertical %4"_s.arg(int(present)).arg(
            picture, place).arg(int(in.flag())));
        out.append(u"right soft key asked: %1"_s.arg(int(in.flag())));
        const int motions = in.count();
        QStringList motion;
        for (int g = 0; g < motions; ++g)
            motion.append(numbers(in, 6));
        out.append(u"motion (speed accel brake gravity fall jump): "_s + motion.join(u" | "_s));
        out.append(u"touch buttons: %1"_s.arg(int(in.flag())));
        if (!in.atEnd())
            out.append(u"error: bytes after the end of the tables"_s);
    } catch (const std::runtime_error& e) {
        out.append(u"error: "_s + QString::fromLatin1(e.what()));
    }
    return out.join(u'\n') + u'\n';
}

} // namespace kestrava::test
