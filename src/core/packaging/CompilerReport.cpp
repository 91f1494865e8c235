#include "packaging/CompilerReport.h"

#include "catalogue/Records.h"
#include "codegen/StageClass.h"
#include "io/Error.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {
namespace {

// Where a line of a generated source came from.
QString origin(const QString& file, int line, const model::Project& project, int templateLines)
{
    const std::optional<codegen::StageFile> stageFile = codegen::stageOfFile(file);
    if (!stageFile || stageFile->level > project.LevelCount)
        return u"Файл «%1», строка %2"_s.arg(file).arg(line);
    const int level = stageFile->level;
    const model::StageData& stage = project.stage(level);
    const std::vector<codegen::EventLineOrigin> origins = codegen::eventLineOrigins(stage);
    const int k = line - templateLines - 1;
    if (k < 0 || k >= int(origins.size()))
        return u"Этап %1, шаблон класса этапа (%2, строка %3)"_s.arg(level).arg(file).arg(line);
    const codegen::EventLineOrigin& o = origins[size_t(k)];
    // The row as it was converted: its recorded texts made by today's catalogue.
    model::EventRowData row = stage.EventRow[size_t(o.row)];
    catalogue::remakeRowTexts(row);
    return u"Этап %1, строка событий %2 («%3»), действие %4 («%5»)"_s.arg(level)
        .arg(o.row)
        .arg(io::excerpt(row.CondText))
        .arg(o.action)
        .arg(io::excerpt(row.ActionText[size_t(o.action)]));
}

} // namespace

QStringList compilerReport(const QString& output, const model::Project& project, int templateLines, int limit)
{
    static const QRegularExpression errorLine(u"^(.*?)([^/\\\\]+\\.java):(\\d+): error: (.*)$"_s);
    QStringList report;
    int errors = 0;
    const QStringList lines = output.split(u'\n');
    for (const QString& line : lines) {
        const QRegularExpressionMatch m = errorLine.match(line);
        if (!m.hasMatch())
            continue;
        if (++errors > limit)
            continue;
        report.append(origin(m.captured(2), m.captured(3).toInt(), project, templateLines) + u": "_s
                      + m.captured(4).trimmed());
    }
    if (errors > limit)
        report.append(u"… и ещё ошибок: %1"_s.arg(errors - limit));
    if (report.isEmpty() && !output.trimmed().isEmpty())
        report.append(output.trimmed().left(400));
    return report;
}

} // namespace kestrava::packaging
