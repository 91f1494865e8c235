#include "codegen/DataClass.h"

#include <QHash>

#include <algorithm>
#include <string>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

// The picture as a Java string literal element: "/tree.png",
void pictureElement(JavaText& out, const QString& picture)
{
    out.ascii("\"/");
    if (picture.contains(u'"') || picture.contains(u'\\')) {
        QString escaped = picture;
        escaped.replace(u"\\"_s, u"\\\\"_s).replace(u"\""_s, u"\\\""_s);
        out.text(escaped);
    } else {
        out.text(picture);
    }
    out.ascii("\",");
}

template <typename Objects, typename Each>
void list(JavaText& out, std::string_view head, const Objects& objects, Each each)
{
    out.ascii(head);
    for (const auto& o : objects)
        each(o);
    out.ascii("};").endLine();
}

size_t cellCount(const model::FonGroupData& group)
{
    return group.Rows > 0 && group.Columns > 0 ? size_t(group.Rows) * size_t(group.Columns) : 0;
}

void cells(JavaText& out, const model::FonGroupData& group)
{
    const size_t count = cellCount(group);
    if (group.Cells.size() >= count) {
        out.elements(group.Cells.data(), count);
        return;
    }
    for (int row = 1; row <= group.Rows; ++row)
        for (int column = 1; column <= group.Columns; ++column)
            out.element(group.cell(row, column));
}

// The frames of one object for state b and direction d, counted from 0; empty positions skipped.
std::vector<int> framesOf(const EmittedActive& a, int d, int b)
{
    std::vector<int> frames;
    for (int s = 1; s <= model::kAnimPositions; ++s)
        if (const int f = a.group->Anim[s][d][b]; f >= 1)
            frames.push_back(f - 1);
    return frames;
}

// A class file holds at most 64 KB of code in a method, the constructor with
// every field's initialiser included. A stage whose tables would need more
// (many large maps) is written in a compact form: each map, and each object's
// frame list, as a string constant whose characters are the numbers, unpacked
// when the stage starts. A string constant costs the constructor a few bytes
// instead of eight for every number. Small stages keep the plain form.
bool fits(int value)
{
    return value >= 0 && value <= 0xFFFF;
}

bool fitsChars(const std::vector<int>& values)
{
    return std::all_of(values.begin(), values.end(), fits);
}

// The values as the characters of a Java string literal, in ASCII: printable
// characters as they are, others as octal or Unicode escapes (never a Unicode
// escape of a line end, a quote or a backslash, which javac would take as such).
void charsLiteral(JavaText& out, const int* values, size_t count)
{
    static constexpr char kHex[] = "0123456789abcdef";
    // Built in one piece: the largest project writes twenty million of them.
    std::string text;
    text.reserve(6 * count + 2);
    text += '"';
    for (size_t k = 0; k < count; ++k) {
        const int v = values[k];
        if (v >= 32 && v < 127 && v != '"' && v != '\\') {
            text += char(v);
        } else if (v < 256) {
            const char octal[4] = {'\\', char('0' + (v >> 6)), char('0' + ((v >> 3) & 7)), char('0' + (v & 7))};
            text.append(octal, 4);
        } else {
            const char unicode[6] = {'\\', 'u', kHex[(v >> 12) & 15], kHex[(v >> 8) & 15], kHex[(v >> 4) & 15], kHex[v & 15]};
            text.append(unicode, 6);
        }
    }
    text += '"';
    out.ascii(text);
}

// The most constructor code the plain form of the tables can take.
size_t plainInitialiserBound(const model::StageData& stage, const StageObjects& objects)
{
    // Each number: the array, its index and its value pushed, then stored (8 bytes at most);
    // each array: its length pushed, made and stored (10 bytes at most).
    size_t numbers = 9 * objects.fon.size() + 7 * objects.active.size() + size_t(stage.ActiveGroupCount) + 1;
    size_t arrays = 32 + objects.fon.size() + 3 * model::kAnimDirections * (objects.active.size() + 1);
    for (const EmittedFon& f : objects.fon)
        numbers += std::min(cellCount(*f.group), f.group->Cells.size());
    for (const EmittedActive& a : objects.active)
        for (int b : {1, 2, 4})
            for (int d = 1; d <= model::kAnimDirections; ++d)
                numbers += framesOf(a, d, b).size();
    constexpr size_t kFixed = 1024; // the scalar fields and the fixed tables
    return 8 * numbers + 10 * arrays + kFixed;
}

constexpr size_t kMaxPlainInitialiser = 60000;

// Frames of state b for every direction and object; compact: each object's list a string.
void frameTable(JavaText& out, std::string_view head, const std::vector<EmittedActive>& active, int b, bool compact)
{
    out.ascii(head);
    for (int d = 1; d <= model::kAnimDirections; ++d) {
        out.ascii("{");
        for (const EmittedActive& a : active) {
            const std::vector<int> frames = framesOf(a, d, b);
            if (compact && fitsChars(frames)) {
                out.ascii("unpack(");
                charsLiteral(out, frames.data(), frames.size());
                out.ascii("),");
                continue;
            }
            out.ascii(compact ? "new int[]{" : "{");
            for (const int f : frames)
                out.element(f);
            out.ascii("},");
        }
        out.ascii("},");
    }
    out.ascii("};").endLine();
}

// The maps, compact: each distinct map once as a string constant, unpacked for every object.
void compactMaps(JavaText& out, const std::vector<EmittedFon>& fon)
{
    // A map's cells as bytes, the key of its constant: groups of one object file hold equal maps.
    auto cellsOf = [](const model::FonGroupData& g) {
        return QByteArray::fromRawData(reinterpret_cast<const char*>(g.Cells.data()),
                                       qsizetype(cellCount(g) * sizeof(int)));
    };
    QHash<QByteArray, int> constants;
    for (const EmittedFon& f : fon) {
        const model::FonGroupData& g = *f.group;
        const size_t count = cellCount(g);
        if (g.Cells.size() < count || constants.contains(cellsOf(g))
            || !std::all_of(g.Cells.begin(), g.Cells.begin() + qsizetype(count), fits))
            continue;
        const int k = int(constants.size());
        constants.insert(cellsOf(g), k);
        out.ascii("static final String map").number(k).ascii("=");
        charsLiteral(out, g.Cells.data(), count);
        out.ascii(";").endLine();
    }
    list(out, "int[][]pole={", fon, [&](const EmittedFon& f) {
        const model::FonGroupData& g = *f.group;
        if (g.Cells.size() >= cellCount(g)) {
            if (const auto k = constants.constFind(cellsOf(g)); k != constants.constEnd()) {
                out.ascii("unpack(map").number(k.value()).ascii("),");
                return;
            }
        }
        out.ascii("new int[]{");
        cells(out, g);
        out.ascii("},");
    });
}

} // namespace

QString dataClassFileName(int level)
{
    return u"Etap%1data.java"_s.arg(level - 1);
}

void writeDataClass(JavaText& out, const model::StageData& stage, const StageObjects& objects)
{
    const int n = objects.level - 1;
    const auto& fon = objects.fon;
    const auto& active = objects.active;
    const int quanfon = int(fon.size());
    const int quanobj = int(active.size());

    size_t estimate = 4096 + 64 * size_t(quanfon + quanobj);
    for (const EmittedFon& f : fon)
        estimate += 4 * std::min(cellCount(*f.group), f.group->Cells.size()) + 4;
    out.reserve(estimate);
    const bool compact = plainInitialiserBound(stage, objects) > kMaxPlainInitialiser;

    out.ascii("public class Etap").number(n).ascii("data{boolean left,right,up,down,dvfire,dvobj1;int porag=4;").endLine();
    out.ascii("int keyCode1;int keyCode2;").endLine();
    out.ascii("int quanfon=").number(quanfon).ascii(";").endLine();
    list(out, "boolean[]fon_obstacle={", fon, [&](const EmittedFon& f) { out.ascii(f.group->Obstacle == 1 ? "true," : "false,"); });
    out.ascii("int kol_events=").number(stage.EventCount).ascii(";").endLine();
    list(out, "int[]columns={", fon, [&](const EmittedFon& f) { out.element(f.group->Columns); });
    list(out, "int[]rows={", fon, [&](const EmittedFon& f) { out.element(f.group->Rows); });
    out.ascii("int kolfon=").number(quanfon).ascii(";").endLine();
    list(out, "int[]tileWidth={", fon, [&](const EmittedFon& f) { out.element(f.group->TileWidth); });
    list(out, "int[]tileHeight={", fon, [&](const EmittedFon& f) { out.element(f.group->TileHeight); });
    list(out, "String[]adfon={", fon, [&](const EmittedFon& f) { pictureElement(out, f.picture); });
    if (compact) {
        compactMaps(out, fon);
    } else {
        list(out, "int[][]pole={", fon, [&](const EmittedFon& f) {
            out.ascii("{");
            cells(out, *f.group);
            out.ascii("},");
        });
    }
    if (fon.empty()) {
        out.ascii("int[]fonxt={1};").endLine();
        out.ascii("int[]fonyt={1};").endLine();
    } else {
        list(out, "int[]fonxt={", fon, [&](const EmittedFon& f) { out.element(f.object->X); });
        list(out, "int[]fonyt={", fon, [&](const EmittedFon& f) { out.element(f.object->Y); });
    }
    out.ascii("int quanobj=").number(quanobj).ascii(";").endLine();
    list(out, "int[]group_obj={", active, [&](const EmittedActive& a) { out.element(a.object->GroupValue); });
    out.ascii("int[]type_obj={0,");
    for (int g = 1; g <= stage.ActiveGroupCount; ++g)
        out.element(static_cast<int>(stage.ActiveType[size_t(g)]));
    out.ascii("};").endLine();
    list(out, "String[]adobj={", active, [&](const EmittedActive& a) { pictureElement(out, a.picture); });
    list(out, "int[]tileWidthob={", active, [&](const EmittedActive& a) { out.element(a.group->TileWidth); });
    list(out, "int[]tileHeightob={", active, [&](const EmittedActive& a) { out.element(a.group->TileHeight); });
    out.ascii("String adlives=\"/lives.png\";int lives_xt=11;int lives_yt=19;int lives_w=14;int lives_h=5;int kolstr=2;").endLine();
    list(out, "int[]raspxob={", active, [&](const EmittedActive& a) { out.element(a.object->X); });
    list(out, "int[]raspyob={", active, [&](const EmittedActive& a) { out.element(a.object->Y); });
    frameTable(out, "int[][][]obj_go={", active, 2, compact);
    frameTable(out, "int[][][]obj_stop={", active, 1, compact);
    frameTable(out, "int[][][]obj_dead={", active, 4, compact);
    list(out, "int[]number_act={", active, [&](const EmittedActive& a) { out.element(a.object->Layer); });
    list(out, "int[]number_fon={", fon, [&](const EmittedFon& f) { out.element(f.object->Layer); });
    out.ascii("int skorobj1=2;int skorobj2=5;").endLine();
    out.ascii("int[]pk={10,10,10,10,10,10,10,10,10,10};int[]pk2={5,5,5,5,5,5,5,5,5,5};").endLine();
    if (compact)
        out.ascii("static int[]unpack(String s){int[]a=new int[s.length()];for(int i=0;i<a.length;i++)a[i]=s.charAt(i);"
                  "return a;}")
            .endLine();
    out.ascii("void keyPressed(int keyCode){keyCode1=keyCode;switch(keyCode){case 52:left=true;dvobj1=true;break;"
              "case 54:right=true;dvobj1=true;break;case 50:up=true;dvobj1=true;break;case 56:down=true;dvobj1=true;break;"
              "case 53: dvfire=true;break;}}")
        .endLine();
    out.ascii("void keyReleased(int keyCode){switch(keyCode){case 52:left=false;break;case 54:right=false;break;"
              "case 50:up=false;break;case 56:down=false;break;}}}")
        .endLine();
}

QByteArray dataClass(const model::Project& project, int level)
{
    JavaText out;
    writeDataClass(out, project.stage(level), emittedObjects(project, level));
    return out.bytes();
}

} // namespace kestrava::codegen
