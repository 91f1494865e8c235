#include "codegen/ExtraClass.h"

#include "io/ColourNames.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

template <typename Each>
void list(JavaText& out, std::string_view head, size_t count, Each each)
{
    out.ascii(head);
    for (size_t i = 0; i < count; ++i)
        each(i);
    out.ascii("};").endLine();
}

std::vector<const model::TextObjectData*> shownTexts(const model::StageData& stage)
{
    std::vector<const model::TextObjectData*> result;
    // The level map shows a text only once it has a place; so does the game.
    for (int t = 1; t <= std::min(stage.TextCount, model::kMaxTextObjects); ++t) {
        const model::TextObjectData& text = stage.TextObject[size_t(t)];
        if (text.X != 0 && text.Y != 0)
            result.push_back(&text);
    }
    return result;
}

} // namespace

QString extraClassFileName(int level)
{
    return u"Etap%1extra.java"_s.arg(level - 1);
}

QString javaString(const QString& text)
{
    QString result = u"\""_s;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\')
            result += u'\\' + QString(c);
        else if (u >= 32 && u < 127)
            result += c;
        else
            result += u"\\u%1"_s.arg(int(u), 4, 16, QChar(u'0'));
    }
    return result + u'"';
}

int gameColour(int bgr)
{
    return int(io::colourOf(bgr).rgb() & 0xFFFFFFu);
}

int gameFontFace(int face)
{
    constexpr int faces[] = {0, 32, 64}; // system, monospace, proportional
    return faces[face >= 0 && face <= 2 ? face : 0];
}

int gameFontSize(int size)
{
    constexpr int sizes[] = {8, 0, 16}; // small, medium, large
    return sizes[size >= 0 && size <= 2 ? size : 1];
}

int gameFontStyle(bool bold, bool italic, bool underline)
{
    return (bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0);
}

std::vector<int> chaseGroups(const model::StageData& stage)
{
    std::vector<int> result(size_t(model::kMaxActiveGroups + 1), 0);
    // One per thread: the converter writes the stages' classes on several at once.
    thread_local const QRegularExpression aim(u"objtip\\[gr_obj\\[(\\d+)\\]\\[kr\\1\\]\\]=[234];kd=kr(\\d+);"_s);
    for (int r = 1; r <= model::kMaxEventRows; ++r) {
        const model::EventRowData& row = stage.EventRow[size_t(r)];
        if (row.Kind != u"event"_s)
            continue;
        for (int m = 1; m <= model::kMaxActions; ++m) {
            if (row.ActionText[size_t(m)].isEmpty())
                continue;
            const QString& code = row.ActionCode[size_t(m)];
            if (!code.contains(u"kd=kr"_s))
                continue; // most actions aim at nothing: no expression to run
            auto it = aim.globalMatch(code);
            while (it.hasNext()) {
                const QRegularExpressionMatch match = it.next();
                const int g = match.captured(1).toInt();
                const int target = match.captured(2).toInt();
                if (g >= 1 && g <= model::kMaxActiveGroups && target >= 1 && target <= model::kMaxActiveGroups)
                    result[size_t(g)] = target;
            }
        }
    }
    return result;
}

bool asksRightSoftKey(const model::StageData& stage)
{
    // The key conditions compare with the key's code (-7) or, for a double press, its name.
    static const QRegularExpression asked(u"\\b(keyCode[12]\\s*==\\s*-7(?!\\d)|dbkey\\s*==\\s*rs\\b)"_s);
    for (int r = 1; r <= std::clamp(stage.EventCount, 0, model::kMaxEventRows); ++r)
        if (stage.EventRow[size_t(r)].CondCode.contains(asked))
            return true;
    return false;
}

void writeExtraClass(JavaText& out, const model::StageData& stage, const StageObjects& objects,
                     const QString& livesPicture)
{
    const int n = objects.level - 1;
    const auto& active = objects.active;
    out.ascii("public class Etap").number(n).ascii("extra{").endLine();

    auto pathTable = [&](std::string_view head, bool xs) {
        list(out, head, active.size(), [&](size_t k) {
            const model::ActiveObjectData& o = *active[k].object;
            out.ascii("{");
            for (int p = 1; p <= std::clamp(o.PathCount, 0, model::kMaxPathPoints); ++p)
                out.element(xs ? o.Path[size_t(p)].X : o.Path[size_t(p)].Y);
            out.ascii("},");
        });
    };
    pathTable("int[][]pathx={", true);
    pathTable("int[][]pathy={", false);

    const std::vector<int> chase = chaseGroups(stage);
    const int groups = std::clamp(stage.ActiveGroupCount, 0, model::kMaxActiveGroups);
    list(out, "int[]chase={", size_t(groups + 1), [&](size_t g) { out.element(chase[g]); });

    const auto texts = shownTexts(stage);
    list(out, "String[][]text={", texts.size(), [&](size_t t) {
        out.ascii("{");
        for (int line = 1; line <= std::clamp(texts[t]->LineCount, 0, model::kMaxTextLines); ++line)
            out.text(javaString(texts[t]->Lines[size_t(line)])).ascii(",");
        out.ascii("},");
    });
    list(out, "int[]textx={", texts.size(), [&](size_t t) { out.element(texts[t]->X); });
    list(out, "int[]texty={", texts.size(), [&](size_t t) { out.element(texts[t]->Y); });
    list(out, "int[]textface={", texts.size(), [&](size_t t) { out.element(gameFontFace(texts[t]->FontFace)); });
    list(out, "int[]textsize={", texts.size(), [&](size_t t) { out.element(gameFontSize(texts[t]->FontSize)); });
    list(out, "int[]textstyle={", texts.size(), [&](size_t t) {
        const model::TextObjectData& text = *texts[t];
        out.element(gameFontStyle(text.Bold, text.Italic, text.Underline));
    });
    list(out, "int[]textcolor={", texts.size(), [&](size_t t) { out.element(gameColour(texts[t]->Colour)); });

    const model::LivesBarData& bar = stage.LivesBar;
    out.ascii("boolean lives=").ascii(bar.Present ? "true" : "false").ascii(";");
    out.ascii("String livespicture=");
    if (livesPicture.isEmpty())
        out.ascii("null;");
    else
        out.text(javaString(u'/' + livesPicture)).ascii(";");
    out.ascii("int livesx=").number(bar.X).ascii(";int livesy=").number(bar.Y);
    out.ascii(";int livesw=").number(bar.Width).ascii(";int livesh=").number(bar.Height);
    out.ascii(";boolean livesvertical=").ascii(bar.Direction == u"vert"_s ? "true" : "false").ascii(";").endLine();
    out.ascii("boolean rightsoft=").ascii(asksRightSoftKey(stage) ? "true" : "false").ascii(";").endLine();
    out.ascii("}").endLine();
}

} // namespace kestrava::codegen
