#include "codegen/GameValuesClass.h"

#include "catalogue/Variables.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

// Must match StageState.VALUE_MARK and its companions.
constexpr char16_t kValueMark = 0x0001;
constexpr char16_t kVariableBase = 0x0100;
constexpr char16_t kLivesMark = 0xFF01;
constexpr char16_t kTimerMark = 0xFF02;
constexpr char16_t kStageMark = 0xFF03;

} // namespace

void writeGameValuesClass(JavaText& out, const model::Project& project, bool scored, const QString& titlePicture)
{
    out.ascii("public class GameValues{").endLine();
    out.ascii("static int v0;");
    for (const model::GameVariableData& v : project.Variables)
        out.ascii("static int v").number(v.Id).ascii(";");
    out.endLine();
    out.ascii("static final boolean SCORED=").ascii(scored ? "true" : "false").ascii(";").endLine();
    out.ascii("static final String TITLE=");
    if (project.TitleScreen)
        out.literal(project.TitleScreen->Name);
    else
        out.ascii("null");
    out.ascii(";").endLine();
    out.ascii("static final String TITLE_PICTURE=");
    if (project.TitleScreen && !titlePicture.isEmpty())
        out.literal(u'/' + titlePicture);
    else
        out.ascii("null");
    out.ascii(";").endLine();
    out.ascii("static void newGame(){v0=0;");
    for (const model::GameVariableData& v : project.Variables)
        out.ascii("v").number(v.Id).ascii("=").number(v.Start).ascii(";");
    out.ascii("}").endLine();
    out.ascii("static void newStage(){");
    for (const model::GameVariableData& v : project.Variables)
        if (v.PerStage)
            out.ascii("v").number(v.Id).ascii("=").number(v.Start).ascii(";");
    out.ascii("}").endLine();
    out.ascii("static int value(int id){switch(id){case 0:return v0;");
    for (const model::GameVariableData& v : project.Variables)
        out.ascii("case ").number(v.Id).ascii(":return v").number(v.Id).ascii(";");
    out.ascii("}return 0;}").endLine();
    out.ascii("}").endLine();
}

QString gameTextLine(const QString& line, const QList<model::GameVariableData>& variables)
{
    QString result;
    qsizetype from = 0;
    for (qsizetype open = line.indexOf(u'{'); open >= 0; open = line.indexOf(u'{', from)) {
        const qsizetype close = line.indexOf(u'}', open + 1);
        if (close < 0)
            break;
        const QString name = line.mid(open + 1, close - open - 1);
        char16_t mark = 0;
        for (const catalogue::NamedValue& v : catalogue::variableNames(variables))
            if (v.name == name && v.id >= 0 && v.id < 0xFE00)
                mark = char16_t(kVariableBase + v.id);
        // In the order of catalogue::builtInTextNames.
        static constexpr char16_t builtInMarks[] = {kLivesMark, kTimerMark, kStageMark};
        if (const qsizetype k = catalogue::builtInTextNames().indexOf(name); k >= 0 && k < qsizetype(std::size(builtInMarks)))
            mark = builtInMarks[k];
        if (mark == 0) {
            // Not a value: the braces are the author's text.
            result += line.mid(from, close + 1 - from);
        } else {
            result += line.mid(from, open - from);
            result += QChar(kValueMark);
            result += QChar(mark);
        }
        from = close + 1;
    }
    return result + line.mid(from);
}

bool usesScore(const std::vector<model::StageData>& stages)
{
    const QString score = catalogue::variableJava(model::kScoreVariableId);
    const QString shown = QString(QChar(kValueMark)) + QChar(char16_t(kVariableBase + model::kScoreVariableId));
    const auto names = [&](const QString& code) {
        // "GameValues.v0" but not "GameValues.v07"...
        for (qsizetype at = code.indexOf(score); at >= 0; at = code.indexOf(score, at + 1))
            if (at + score.size() >= code.size() || !code.at(at + score.size()).isDigit())
                return true;
        return false;
    };
    // Every row, of any kind: a score named anywhere in the sheet counts.
    for (const model::StageData& stage : stages) {
        for (size_t r = 1; r <= size_t(model::kMaxEventRows); ++r) {
            const model::EventRowData& row = stage.EventRow[r];
            if (names(row.CondCode) || std::any_of(row.ActionCode.begin(), row.ActionCode.end(), names))
                return true;
        }
        for (size_t t = 1; t <= size_t(model::kMaxTextObjects); ++t)
            for (const QString& line : stage.TextObject[t].Lines)
                if (line.contains(shown))
                    return true;
    }
    return false;
}

} // namespace kestrava::codegen
