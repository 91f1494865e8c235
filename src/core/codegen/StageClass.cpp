#include "codegen/StageClass.h"

#include "codegen/GameRows.h"
#include "io/Cp1251.h"
#include "io/Error.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <tuple>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

void appendLoop(QString& line, QString& closing, const QString& n)
{
    line.append(QLatin1StringView("for(int kr")).append(n).append(QLatin1StringView("=0;kr")).append(n);
    line.append(QLatin1StringView("<=kol_obj[")).append(n).append(QLatin1StringView("]-1;kr")).append(n);
    line.append(QLatin1StringView("++){"));
    // Destroyed objects, places kept for objects not yet made, and one made in this run are passed by.
    line.append(QLatin1StringView("if(obj[gr_obj[")).append(n).append(QLatin1StringView("][kr")).append(n);
    line.append(QLatin1StringView("]].away())continue;"));
    closing += u'}';
}

// The line and its CR LF; false, nothing appended, when windows-1251 cannot hold it.
bool appendEncoded(QByteArray& out, const QString& line)
{
    const auto bytes = io::Cp1251::encode(line);
    if (!bytes)
        return false;
    out.append(*bytes);
    out.append("\r\n", 2);
    return true;
}

io::Error unencodable(const QString& where, const QString& line, const QString& path)
{
    return io::Error(u"%1: символа «%2» нет в кодировке windows-1251, файл «%3» не записан"_s.arg(
        where, io::Cp1251::firstUnencodableCharacter(line), QDir::toNativeSeparators(path)));
}

} // namespace

QStringList templateLines(const QString& text)
{
    QStringList lines;
    qsizetype pos = 0;
    const qsizetype size = text.size();
    for (;;) {
        while (pos < size && text.at(pos).unicode() <= 32)
            ++pos;
        if (pos >= size)
            break;
        qsizetype end = pos;
        while (end < size && text.at(end) != u'\r' && text.at(end) != u'\n')
            ++end;
        lines.append(text.mid(pos, end - pos));
        pos = end;
    }
    return lines;
}

QString renameStage(const QString& line, int level)
{
    const QString n = QString::number(level - 1);
    QString result = line;
    result.replace(u"etap0"_s, u"etap"_s + n);
    result.replace(u"Etap0"_s, u"Etap"_s + n);
    return result;
}

QString eventLine(const model::EventRowData& row, int action)
{
    QString line;
    line.reserve(160 + row.CondCode.size() + row.ActionCode[size_t(action)].size());
    QString closing;
    QStringList looped;
    // Two loops with one variable would not compile, so a number named again
    // (by the condition or earlier in the action) gets no second loop.
    auto loop = [&](const QString& n) {
        if (n.isEmpty() || looped.contains(n))
            return;
        looped.append(n);
        appendLoop(line, closing, n);
    };
    for (int t = 1; t <= model::kMaxObjectRefs; ++t)
        loop(row.CondObjects[size_t(t)]);
    for (int t = 1; t <= model::kMaxObjectRefs; ++t)
        loop(row.ActionObjects[size_t(action)][size_t(t)]);
    line.append(QLatin1StringView("if(")).append(row.CondCode).append(QLatin1StringView("){"));
    line.append(row.ActionCode[size_t(action)]).append(QLatin1StringView("};")).append(closing);
    return line;
}

namespace {

// A class file holds at most 64 KB of code in a method: an event sheet whose
// lines are longer than this in all runs as several methods of about
// kMethodText each, events() calling them in turn. The joins go at the ends of
// lines, so every event line keeps its line number (compiler messages are
// traced back to their rows by it). Small sheets stay one method.
constexpr qsizetype kMaxOneMethodText = 32 * 1024;
constexpr qsizetype kMethodText = 16 * 1024;

// Every event line of the stage, in order, with the row and action it came from.
template <class OnLine>
void forEachEventLine(const model::StageData& stage, OnLine onLine)
{
    std::vector<std::tuple<QString, int, int>> lines;
    qsizetype total = 0;
    forEachGameRow(stage, [&](int r, const model::EventRowData& row) {
        for (int m = 1; m <= model::kMaxActions; ++m)
            if (!row.ActionText[size_t(m)].isEmpty()) {
                lines.emplace_back(eventLine(row, m), r, m);
                total += std::get<0>(lines.back()).size();
            }
    });
    if (total > kMaxOneMethodText) {
        // Each part begins where the text before it reached kMethodText.
        std::vector<size_t> starts{0};
        qsizetype size = 0;
        for (size_t k = 0; k < lines.size(); ++k) {
            if (size >= kMethodText) {
                starts.push_back(k);
                size = 0;
            }
            size += std::get<0>(lines[k]).size();
        }
        QString calls;
        for (size_t part = 1; part <= starts.size(); ++part)
            calls += u"events%1();"_s.arg(part);
        std::get<0>(lines.front()).prepend(calls + u"}void events1(){"_s);
        for (size_t part = 1; part < starts.size(); ++part)
            std::get<0>(lines[starts[part] - 1]).append(u"}void events%1(){"_s.arg(part + 1));
    }
    for (const auto& [line, r, m] : lines)
        onLine(line, r, m);
}

} // namespace

QStringList stageClassLines(const QStringList& templ, const model::StageData& stage, int level)
{
    QStringList lines;
    lines.reserve(templ.size() + 64);
    for (const QString& line : templ)
        lines.append(renameStage(line, level));
    forEachEventLine(stage, [&](const QString& line, int, int) { lines.append(line); });
    lines.append(u"}}"_s);
    return lines;
}

QByteArray stageClass(const QStringList& templ, const model::StageData& stage, int level, const QString& path)
{
    QByteArray out;
    const QString stageName = u"Этап %1"_s.arg(level);
    for (const QString& line : templ) {
        const QString renamed = renameStage(line, level);
        if (!appendEncoded(out, renamed))
            throw unencodable(stageName + u", шаблон класса этапа"_s, renamed, path);
    }
    forEachEventLine(stage, [&](const QString& line, int r, int m) {
        if (!appendEncoded(out, line))
            throw unencodable(u"%1, строка событий %2, действие %3"_s.arg(stageName).arg(r).arg(m), line, path);
    });
    out.append("}}\r\n", 4);
    return out;
}

std::vector<EventLineOrigin> eventLineOrigins(const model::StageData& stage)
{
    std::vector<EventLineOrigin> origins;
    forEachEventLine(stage, [&](const QString&, int r, int m) { origins.push_back({r, m}); });
    return origins;
}

QStringList unopenedLoopNotes(const model::Project& project)
{
    static const QRegularExpression loopName(u"\\bkr(\\d+)\\b"_s);
    QStringList notes;
    for (int level = 1; level <= std::clamp(project.LevelCount, 1, model::kMaxLevels); ++level) {
        const model::StageData& stage = project.stage(level);
        forEachGameRow(stage, [&](int r, const model::EventRowData& row) {
            QStringList unopened;
            const auto check = [&](const QString& code, const auto& objects) {
                for (auto it = loopName.globalMatch(code); it.hasNext();) {
                    const QString n = it.next().captured(1);
                    const bool opened = std::find(row.CondObjects.begin(), row.CondObjects.end(), n)
                                            != row.CondObjects.end()
                                        || std::find(objects.begin(), objects.end(), n) != objects.end();
                    if (!opened && !unopened.contains(n))
                        unopened << n;
                }
            };
            for (int m = 1; m <= model::kMaxActions; ++m)
                if (!row.ActionText[size_t(m)].isEmpty()) {
                    check(row.CondCode, row.ActionObjects[size_t(m)]);
                    check(row.ActionCode[size_t(m)], row.ActionObjects[size_t(m)]);
                }
            if (unopened.isEmpty())
                return;
            for (QString& n : unopened)
                n.prepend(u"kr"_s);
            notes << u"Этап %1, строка событий %2: её Java называет %3, но цикла по объектам для этого у строки нет, "
                     u"и игра не скомпилируется. Списки объектов строк хранит файл дополнений проекта "
                     u"(project.kestrava.json рядом с project.prg): его нет или он не подошёл к проекту. Откройте "
                     u"проект вместе с его файлом дополнений и сохраните, или поставьте условия и действия строки "
                     u"заново."_s.arg(level).arg(r).arg(unopened.join(u", "_s));
        });
    }
    return notes;
}

QString stageClassFileName(int level)
{
    return u"Etap%1.java"_s.arg(level - 1);
}

std::optional<StageFile> stageOfFile(const QString& fileName)
{
    static const QRegularExpression stageFile(u"^Etap(\\d+)\\.java$"_s);
    const QRegularExpressionMatch m = stageFile.match(fileName);
    if (!m.hasMatch())
        return std::nullopt;
    bool ok = false;
    const qlonglong index = m.captured(1).toLongLong(&ok);
    const int level = ok && index < std::numeric_limits<int>::max() ? int(index) + 1 : std::numeric_limits<int>::max();
    return StageFile{level};
}

bool isEarlierTableClass(const QString& fileName)
{
    static const QRegularExpression tableClass(u"^Etap\\d+(data|extra)\\.java$"_s);
    return tableClass.match(fileName).hasMatch();
}

} // namespace kestrava::codegen
