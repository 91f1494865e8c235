#include "codegen/DataClass.h"

#include <algorithm>

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

// Frames of state b for every direction and object, counted from 0; empty positions skipped.
void frameTable(JavaText& out, std::string_view head, const std::vector<EmittedActive>& active, int b)
{
    out.ascii(head);
    for (int d = 1; d <= model::kAnimDirections; ++d) {
        out.ascii("{");
        for (const EmittedActive& a : active) {
            out.ascii("{");
            for (int s = 1; s <= model::kAnimPositions; ++s) {
                const int f = a.group->Anim[s][d][b];
                if (f >= 1)
                    out.element(f - 1);
            }
            out.ascii("},");
        }
        out.ascii("},");
    }
    out.ascii("};").endLine();
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
    list(out, "int[][]pole={", fon, [&](const EmittedFon& f) {
        out.ascii("{");
        cells(out, *f.group);
        out.ascii("},");
    });
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
    frameTable(out, "int[][][]obj_go={", active, 2);
    frameTable(out, "int[][][]obj_stop={", active, 1);
    frameTable(out, "int[][][]obj_dead={", active, 4);
    list(out, "int[]number_act={", active, [&](const EmittedActive& a) { out.element(a.object->Layer); });
    list(out, "int[]number_fon={", fon, [&](const EmittedFon& f) { out.element(f.object->Layer); });
    out.ascii("int skorobj1=2;int skorobj2=5;").endLine();
    out.ascii("int[]pk={10,10,10,10,10,10,10,10,10,10};int[]pk2={5,5,5,5,5,5,5,5,5,5};").endLine();
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
