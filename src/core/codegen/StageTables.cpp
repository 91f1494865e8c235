#include "codegen/StageTables.h"

#include "codegen/GameRows.h"
#include "codegen/GameStyle.h"
#include "io/Error.h"

#include <QRegularExpression>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

// What a phone's heap holds for the tables once the stage has started: a
// TiledLayer keeps an int a cell in an array a row, a sprite with its frame
// sequence and the per-object arrays of the runtime some hundred bytes, an
// int[] a header and an int an entry (as our player measures them).
constexpr qint64 kCellBytes = 4;
constexpr qint64 kLayerBytes = 96;
constexpr qint64 kObjectBytes = 768;
constexpr qint64 kArrayBytes = 16;
constexpr qint64 kEntryBytes = 4;
constexpr qint64 kTextLineBytes = 40;

// Numbers as DataInputStream reads them.
class TableWriter {
public:
    QByteArray bytes;

    void count(size_t n)
    {
        Q_ASSERT(n <= 0xFFFF);
        bytes.append(char(n >> 8)).append(char(n));
    }
    void number(int v)
    {
        const quint32 u = quint32(v);
        bytes.append(char(u >> 24)).append(char(u >> 16)).append(char(u >> 8)).append(char(u));
    }
    void flag(bool on) { bytes.append(char(on ? 1 : 0)); }
    // DataOutput's modified UTF-8: U+0000 and everything above U+007F as two or three bytes.
    void text(const QString& s, const QString& what)
    {
        QByteArray utf;
        for (const QChar c : s) {
            const char16_t u = c.unicode();
            if (u >= 1 && u <= 0x7F) {
                utf.append(char(u));
            } else if (u <= 0x7FF) {
                utf.append(char(0xC0 | (u >> 6))).append(char(0x80 | (u & 0x3F)));
            } else {
                utf.append(char(0xE0 | (u >> 12))).append(char(0x80 | ((u >> 6) & 0x3F))).append(char(0x80 | (u & 0x3F)));
            }
        }
        if (utf.size() > 0xFFFF)
            throw io::Error(u"%1: текст слишком длинный для игры (%2 байт, а телефон читает строку не длиннее 65535 байт)"_s
                                .arg(what)
                                .arg(utf.size()));
        count(size_t(utf.size()));
        bytes.append(utf);
    }
};

size_t cellCount(const model::FonGroupData& group)
{
    return group.Rows > 0 && group.Columns > 0 ? size_t(group.Rows) * size_t(group.Columns) : 0;
}

// A map's cells row by row, a byte each; 255 says two bytes follow. A tile no
// sheet has reads as an empty cell, which is what the game shows for it anyway.
QByteArray mapCells(const model::FonGroupData& group)
{
    QByteArray out;
    out.reserve(qsizetype(cellCount(group)));
    const auto put = [&](int tile) {
        if (tile < 0 || tile > 0xFFFF)
            tile = 0;
        if (tile < 255) {
            out.append(char(tile));
        } else {
            out.append(char(255)).append(char(tile >> 8)).append(char(tile));
        }
    };
    if (group.Cells.size() >= cellCount(group)) {
        std::for_each(group.Cells.begin(), group.Cells.begin() + qsizetype(cellCount(group)), put);
        return out;
    }
    for (int row = 1; row <= group.Rows; ++row)
        for (int column = 1; column <= group.Columns; ++column)
            put(group.cell(row, column));
    return out;
}

// The frames of one object for state b and direction d, counted from 0; empty
// positions skipped, and numbers no strip can have (the game drops them too).
std::vector<int> framesOf(const EmittedActive& a, int d, int b)
{
    std::vector<int> frames;
    for (int s = 1; s <= model::kAnimPositions; ++s)
        if (const int f = a.group->Anim[s][d][b]; f >= 1 && f <= model::kMaxFrames)
            frames.push_back(f - 1);
    return frames;
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

QString stageTablesFileName(int level)
{
    return u"Etap%1.dat"_s.arg(level - 1);
}

QByteArray stageTables(const model::StageData& stage, const StageObjects& objects,
                       const QHash<QString, QString>& pictureInJar, const QString& livesPicture, StageLoad* load,
                       bool touchButtons)
{
    const auto& fon = objects.fon;
    const auto& active = objects.active;
    StageLoad cost;
    cost.level = objects.level;
    TableWriter out;
    out.count(kStageTablesFormat);

    // Each picture once, by its name in the jar: the game decodes it once for every object showing it.
    QStringList pictures;
    const auto pictureIndex = [&](const QString& picture) {
        const QString name = u'/' + pictureInJar.value(picture, picture);
        qsizetype k = pictures.indexOf(name);
        if (k < 0) {
            k = pictures.size();
            pictures.append(name);
        }
        return size_t(k);
    };
    std::vector<size_t> fonPicture, activePicture;
    for (const EmittedFon& f : fon)
        fonPicture.push_back(pictureIndex(f.picture));
    for (const EmittedActive& a : active)
        activePicture.push_back(pictureIndex(a.picture));
    out.count(size_t(pictures.size()));
    for (const QString& name : pictures)
        out.text(name, u"Этап %1, рисунок «%2»"_s.arg(objects.level).arg(name.mid(1)));
    for (const QString& name : pictures)
        cost.pictures.append(name.mid(1));

    // Groups of one object file hold equal maps: each distinct map once.
    std::vector<QByteArray> maps;
    std::vector<size_t> fonMap;
    for (const EmittedFon& f : fon) {
        const QByteArray cells = mapCells(*f.group);
        const auto same = std::find(maps.begin(), maps.end(), cells);
        fonMap.push_back(size_t(same - maps.begin()));
        if (same == maps.end())
            maps.push_back(cells);
        const qint64 rows = std::max(f.group->Rows, 1);
        cost.tableBytes += kLayerBytes + rows * (kArrayBytes + kCellBytes * std::max(f.group->Columns, 1));
    }
    out.count(fon.size());
    for (size_t i = 0; i < fon.size(); ++i) {
        const model::FonGroupData& g = *fon[i].group;
        out.count(fonPicture[i]);
        for (int v : {g.TileWidth, g.TileHeight, g.Columns, g.Rows, fon[i].object->X, fon[i].object->Y})
            out.number(v);
        out.flag(g.Obstacle == 1);
        // The tiles that block, when the map editor marked any; a number no sheet has is dropped by the game.
        out.count(g.SolidTiles.size());
        for (int tile : g.SolidTiles)
            out.count(size_t(std::clamp(tile, 0, 0xFFFF)));
        out.number(fon[i].object->Layer);
        out.count(fonMap[i]);
    }
    out.count(maps.size());
    for (const QByteArray& cells : maps) {
        out.number(int(cells.size()));
        out.bytes.append(cells);
    }

    const int groups = std::clamp(stage.ActiveGroupCount, 0, model::kMaxActiveGroups);
    out.count(size_t(groups + 1));
    out.number(0);
    for (int g = 1; g <= groups; ++g)
        out.number(static_cast<int>(stage.ActiveType[size_t(g)]));

    out.count(active.size());
    for (size_t k = 0; k < active.size(); ++k) {
        const model::ActiveObjectData& o = *active[k].object;
        out.number(o.GroupValue);
        out.count(activePicture[k]);
        for (int v : {active[k].group->TileWidth, active[k].group->TileHeight, o.X, o.Y, o.Layer})
            out.number(v);
        out.flag(active[k].spare);
        const int points = std::clamp(o.PathCount, 0, model::kMaxPathPoints);
        out.count(size_t(points));
        for (int p = 1; p <= points; ++p) {
            out.number(o.Path[size_t(p)].X);
            out.number(o.Path[size_t(p)].Y);
        }
        cost.tableBytes += kObjectBytes + 2 * (kArrayBytes + kEntryBytes * points);
    }
    // Rest, movement, death, and attack last: the sheet's "тип анимации" may show it.
    for (int b : {1, 2, 4, 3}) {
        for (int d = 1; d <= model::kAnimDirections; ++d) {
            for (const EmittedActive& a : active) {
                const std::vector<int> frames = framesOf(a, d, b);
                out.count(frames.size());
                for (const int f : frames)
                    out.count(size_t(f));
                cost.tableBytes += kArrayBytes + kEntryBytes * qint64(frames.size());
            }
        }
    }

    const std::vector<int> chase = chaseGroups(stage);
    out.count(size_t(groups + 1));
    for (int g = 0; g <= groups; ++g)
        out.number(chase[size_t(g)]);

    const auto texts = shownTexts(stage);
    out.count(texts.size());
    for (size_t t = 0; t < texts.size(); ++t) {
        const model::TextObjectData& text = *texts[t];
        const int lines = std::clamp(text.LineCount, 0, model::kMaxTextLines);
        out.count(size_t(lines));
        for (int line = 1; line <= lines; ++line) {
            out.text(text.Lines[size_t(line)], u"Этап %1, текст %2, строка %3"_s.arg(objects.level).arg(t + 1).arg(line));
            cost.tableBytes += kTextLineBytes + 2 * qint64(text.Lines[size_t(line)].size());
        }
        for (int v : {text.X, text.Y, gameFontFace(text.FontFace), gameFontSize(text.FontSize),
                      gameFontStyle(text.Bold, text.Italic, text.Underline), gameColour(text.Colour)})
            out.number(v);
    }

    const model::LivesBarData& bar = stage.LivesBar;
    out.flag(bar.Present);
    out.text(livesPicture.isEmpty() ? QString() : u'/' + livesPicture, u"Этап %1, полоса жизней"_s.arg(objects.level));
    if (!livesPicture.isEmpty())
        cost.pictures.append(livesPicture);
    for (int v : {bar.X, bar.Y, bar.Width, bar.Height})
        out.number(v);
    out.flag(bar.Direction == u"vert"_s);
    out.flag(asksRightSoftKey(stage));
    out.count(size_t(groups + 1));
    for (int g = 0; g <= groups; ++g) {
        const model::MotionData m = g == 0 ? model::MotionData{} : stage.Motion[size_t(g)];
        for (int v : {m.Speed, m.Accel, m.Brake, m.Gravity, m.MaxFall, m.Jump})
            out.number(v);
    }
    out.flag(touchButtons);
    if (load)
        *load = std::move(cost);
    return out.bytes;
}

std::vector<int> chaseGroups(const model::StageData& stage)
{
    std::vector<int> result(size_t(model::kMaxActiveGroups + 1), 0);
    // One per thread: the converter writes the stages' tables on several at once.
    thread_local const QRegularExpression aim(u"objtip\\[gr_obj\\[(\\d+)\\]\\[kr\\1\\]\\]=[234];kd=kr(\\d+);"_s);
    forEachGameRow(stage, [&](int, const model::EventRowData& row) {
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
    });
    return result;
}

bool asksKey(const model::StageData& stage, int code, const QString& doubleName)
{
    // The key conditions compare with the key's code or, for a double press, its name.
    const QRegularExpression asked(u"\\b(keyCode[12]\\s*==\\s*%1(?!\\d)|dbkey\\s*==\\s*%2\\b)"_s.arg(
        code).arg(QRegularExpression::escape(doubleName)));
    for (int r = 1; r <= std::clamp(stage.EventCount, 0, model::kMaxEventRows); ++r)
        if (stage.EventRow[size_t(r)].CondCode.contains(asked))
            return true;
    return false;
}

bool asksRightSoftKey(const model::StageData& stage)
{
    return asksKey(stage, -7, u"rs"_s);
}

} // namespace kestrava::codegen
