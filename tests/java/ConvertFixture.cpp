// Builds, in memory, a project whose event sheets hold every condition and
// action form the events editor can store, writes the pictures it needs into
// a fresh project folder and converts it. The Java compile check then
// compiles the project's src folder. Stages 1 and 2 hold hand-written forms,
// stage 3 every enabled item of the condition and action catalogues, built
// as the chooser and the column menus build them.
//
//   kestrava_java_fixture WORK_DIR DRAFT_DIR
//
// WORK_DIR/app is the application folder (its draft copied from DRAFT_DIR),
// WORK_DIR/game the project folder.
#include "codegen/Converter.h"
#include "catalogue/Item.h"
#include "catalogue/PhoneKeys.h"
#include "events/Sheet.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Png.h"
#include "model/Project.h"
#include "support/CatalogueSamples.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Row {
    QString cond;
    QStringList condObjects;
    struct Action {
        QString code;
        QStringList objects;
    };
    QList<Action> actions;
};

void addRow(model::StageData& stage, const Row& row)
{
    const int r = ++stage.EventCurRow;
    ++stage.EventCount;
    model::EventRowData& e = stage.EventRow[size_t(r)];
    e.Kind = u"event"_s;
    e.CondText = u"условие %1"_s.arg(r);
    e.CondCode = row.cond;
    for (int t = 0; t < row.condObjects.size(); ++t)
        e.CondObjects[size_t(t + 1)] = row.condObjects[t];
    for (int m = 0; m < row.actions.size(); ++m) {
        e.ActionText[size_t(m + 1)] = u"действие %1"_s.arg(m + 1);
        e.ActionCode[size_t(m + 1)] = row.actions[m].code;
        for (int t = 0; t < row.actions[m].objects.size(); ++t)
            e.ActionObjects[size_t(m + 1)][size_t(t + 1)] = row.actions[m].objects[t];
    }
}

QString detection(int a, int b, int min, int max)
{
    const QString dx = u"obj[gr_obj[%1][kr%1]].getX()-obj[gr_obj[%2][kr%2]].getX()"_s.arg(a).arg(b);
    const QString dy = u"obj[gr_obj[%1][kr%1]].getY()-obj[gr_obj[%2][kr%2]].getY()"_s.arg(a).arg(b);
    const QString mn = QString::number(min);
    const QString mx = QString::number(max);
    return u"(("_s + dx + u"<"_s + mx + u")&("_s + dx + u">-"_s + mx + u")&("_s + dy + u"<"_s + mx + u")&("_s + dy
           + u">-"_s + mx + u")&(("_s + dx + u">"_s + mn + u")|("_s + dx + u"<-"_s + mn + u")|("_s + dy + u">"_s + mn
           + u")|("_s + dy + u"<-"_s + mn + u")))&(objtip[gr_obj["_s + QString::number(a) + u"][kr"_s
           + QString::number(a) + u"]]!=5)"_s;
}

// Every action form, for object group g with target t.
QList<Row::Action> everyAction(int g, int t)
{
    const QString G = QString::number(g);
    const QString T = QString::number(t);
    const QString o = u"gr_obj["_s + G + u"][kr"_s + G + u"]"_s;
    return {
        {u"{delraspy=obtime_hundred*2;}"_s, {}},
        {u"{delraspx=10;}"_s, {}},
        {u"{etap=etap+1;}"_s, {}},
        {u"{etap=etap-1;}"_s, {}},
        {u"{etap=4-1;}"_s, {}},
        {u"{control=false;}"_s, {}},
        {u"{control=true;}"_s, {}},
        {u"{life=3;}"_s, {}},
        {u"{life=life+1;}"_s, {}},
        {u"{score=height/2;}"_s, {}},
        {u"{score=score+width;}"_s, {}},
        {u"{raspxobd["_s + o + u"]=obj[2].getX()+5;}"_s, {G}},
        {u"{raspyobd["_s + o + u"]=raspyobd[2]-obj[1].getY();}"_s, {G}},
        {u"{obj["_s + o + u"].nextFrame();}"_s, {G}},
        {u"{obj["_s + o + u"].prevFrame();}"_s, {G}},
        {u"{vis_obj["_s + o + u"]=true;}"_s, {G}},
        {u"{vis_obj["_s + o + u"]=false;}"_s, {G}},
        {u"{if(vis_obj["_s + o + u"]==false){vis_obj["_s + o + u"]=true;}else{vis_obj["_s + o + u"]=false;}}"_s, {G}},
        {u"{objtip["_s + o + u"]=1;}"_s, {G}},
        {u"{objtip["_s + o + u"]=2;kd=kr"_s + T + u";}"_s, {G, T}},
    };
}

QList<Row::Action> moreActions(int g, int t)
{
    const QString G = QString::number(g);
    const QString T = QString::number(t);
    const QString o = u"gr_obj["_s + G + u"][kr"_s + G + u"]"_s;
    return {
        {u"{objtip["_s + o + u"]=3;kd=kr"_s + T + u";}"_s, {G, T}},
        {u"{objtip["_s + o + u"]=4;kd=kr"_s + T + u";}"_s, {G, T}},
        {u"{objtip["_s + o + u"]=5;}"_s, {G}},
        // The sheet's object list can hold a number twice: "1", "3", "1".
        {u"{objtip["_s + o + u"]=5;kd=kr"_s + T + u";}"_s, {G, T, G}},
        {u"{score=speed+life*level-number+nobject+obtime_minute+obtime_second+raspxobd[3];}"_s, {}},
    };
}

// Every condition form with ordinary parameters.
QList<Row> everyCondition(int level)
{
    const QString L = QString::number(level);
    QList<Row> rows = {
        {u"(obtime>0)"_s, {}, {}},
        {u"(obtime_hour>5)"_s, {}, {}},
        {u"(raspxobd[2]+obj[2].getX()*2>=(1+2)*3)"_s, {}, {}},
        {u"((obtime>=0)&(obtime<10))"_s, {}, {}},
        {u"(etap_level==\"end\")"_s, {}, {}},
        {u"(etap_game==\"end\")"_s, {}, {}},
        {u"(nobject>=3)"_s, {}, {}},
        {u"(etap"_s + L + u"data.keyCode1==53)"_s, {}, {}},
        {u"(etap"_s + L + u"data.keyCode1==-1)"_s, {}, {}},
        {u"(dbkey==vu)"_s, {}, {}},
        {u"(dbkey==vd)"_s, {}, {}},
        {u"(dbkey==vl)"_s, {}, {}},
        {u"(dbkey==vr)"_s, {}, {}},
        {u"(dbkey==venter)"_s, {}, {}},
        {u"(dbkey==ls)"_s, {}, {}},
        {u"(dbkey==rs)"_s, {}, {}},
        {u"(dbkey==5)"_s, {}, {}},
        {u"(anykey==true)"_s, {}, {}},
        {u"(speed==2)"_s, {}, {}},
        {u"(life<=obtime_minute)"_s, {}, {}},
        {u"(life==0)"_s, {}, {}},
        {u"(obtime-(obtime/5000)*5000==0)"_s, {}, {}},
        {u"((obtime>=1000)&(obtime<1000+10))"_s, {}, {}},
        {u"(obtime>61230)"_s, {}, {}},
        {u"(obtime<1000)"_s, {}, {}},
        {detection(1, 2, 10, 50), {u"1"_s, u"2"_s}, {}},
        {u"(obj[gr_obj[1][kr1]].collidesWith(obj[gr_obj[2][kr2]],false))"_s, {u"1"_s, u"2"_s}, {}},
        {u"(objtip[gr_obj[1][kr1]]==1)"_s, {u"1"_s}, {}},
        {u"(objtip[gr_obj[1][kr1]]==2)"_s, {u"1"_s}, {}},
        {u"(objtip[gr_obj[1][kr1]]==3)"_s, {u"1"_s}, {}},
        {u"(objtip[gr_obj[1][kr1]]==5)"_s, {u"1"_s}, {}},
        {u"(obj[gr_obj[2][kr2]].getX()>=100)"_s, {u"2"_s}, {}},
        {u"(obj[gr_obj[2][kr2]].getY()<obtime_second)"_s, {u"2"_s}, {}},
        {u"(vis_obj[gr_obj[1][kr1]]==true)"_s, {u"1"_s}, {}},
        {u"(vis_obj[gr_obj[1][kr1]]==false)"_s, {u"1"_s}, {}},
        {u"(obj[gr_obj[1][kr1]].getFrame()!=2)"_s, {u"1"_s}, {}},
        // Conditions joined by "добавить условие"; the joined objects repeat "1".
        {u"(obtime>0)&(objtip[gr_obj[1][kr1]]==1)&(vis_obj[gr_obj[2][kr2]]==true)&(objtip[gr_obj[1][kr1]]==2)"_s,
         {u"1"_s, u"2"_s, u"1"_s}, {}},
    };
    for (Row& row : rows)
        row.actions = {{u"{life=life+1;}"_s, {}}, {u"{vis_obj[gr_obj[3][kr3]]=true;}"_s, {u"3"_s}}};
    rows[0].actions = everyAction(1, 2);
    rows[1].actions = moreActions(2, 1);
    rows[27].actions = everyAction(1, 3);
    rows[26].actions = moreActions(2, 1);
    return rows;
}

using test::catalogueCondition;

int actionColumn(catalogue::ColumnMenu menu, int row)
{
    switch (menu) {
    case catalogue::ColumnMenu::Special: return 1;
    case catalogue::ColumnMenu::Sound: return 2;
    case catalogue::ColumnMenu::Stage: return 3;
    case catalogue::ColumnMenu::Objects: return 4;
    case catalogue::ColumnMenu::Control: return 5;
    case catalogue::ColumnMenu::Player: return 6;
    default: return 8 + row % 3; // active groups 1..3
    }
}

// A row per enabled condition (a key condition once per phone key, joined
// with "&" as "добавить условие" joins them), and every enabled action at
// least once, each row holding one.
void fillFromCatalogues(model::StageData& s, int level)
{
    const catalogue::PhoneKey& anyKey = catalogue::phoneKeys()[11];
    int n = 0;
    for (const catalogue::Item& item : catalogue::conditionItems()) {
        if (!item.enabled)
            continue;
        n = n % 3 + 1;
        if (item.parameters != std::vector{catalogue::Parameter::Key}) {
            events::newRow(s, catalogueCondition(item, level, n, anyKey));
            continue;
        }
        events::newRow(s, catalogueCondition(item, level, n, catalogue::phoneKeys()[0]));
        for (size_t k = 1; k < catalogue::phoneKeys().size(); ++k)
            events::addCondition(s, s.EventCurRow, catalogueCondition(item, level, n, catalogue::phoneKeys()[k]));
    }
    std::vector<const catalogue::Item*> actions;
    for (const catalogue::Item& item : catalogue::actionItems())
        if (item.enabled)
            actions.push_back(&item);
    const int rows = s.EventCurRow;
    const int placed = std::max(rows, int(actions.size()));
    for (int k = 0; k < placed; ++k) {
        const catalogue::Item& item = *actions[size_t(k) % actions.size()];
        const int row = k % rows + 1;
        const int column = actionColumn(catalogue::ColumnMenu(item.menu), row);
        catalogue::Values in = test::actionValues(catalogue::actionGroup(column), {}, row % 3 + 1);
        in[u"V"_s] = u"часы + 1"_s;
        in[u"VC"_s] = u"obtime_hour+1"_s;
        // An object made: of group 1, beside an object of group 2, flying up.
        in.insert({{u"C"_s, u"1"_s}, {u"O"_s, u"2"_s}, {u"X"_s, u"-3"_s}, {u"Y"_s, u"4"_s}, {u"D"_s, u"2"_s}, {u"S"_s, u"3"_s},
                   {u"A"_s, u", вверх, скорость 3"_s}});
        events::placeAction(s, {row, column}, catalogue::build(item, in));
    }
}

void writePicture(const QString& path, int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    io::writePng(image, path);
}

void fillStage(model::Project& project, int level, const QString& objects, bool rich)
{
    model::StageData& s = project.stage(level);
    const int groups = rich ? 3 : 1;
    for (int g = 1; g <= groups; ++g) {
        const QString name = u"fon%1_%2"_s.arg(level).arg(g);
        const int index = project.addFonGroup(level);
        model::FonGroupData& group = s.FonGroup[size_t(index)];
        group.FileName = name + u".obf"_s;
        group.BmpName = name + u".bmp"_s;
        group.PngName = name + u".png"_s;
        group.TileWidth = group.TileHeight = 8;
        group.setMapSize(3, 2);
        for (int r = 1; r <= 2; ++r)
            for (int c = 1; c <= 3; ++c)
                group.setCell(r, c, (r + c) % 5);
        // A full map with every tile number: too large for a constructor, so its
        // stage's tables are string constants, which must compile too.
        if (rich && g == groups) {
            group.setMapSize(model::kMaxMapColumns, model::kMaxMapRows);
            for (size_t k = 0; k < group.Cells.size(); ++k)
                group.Cells[k] = int(k % (model::kMaxTiles + 1));
        }
        group.Obstacle = g % 2;
        writePicture(objects + u'/' + group.PngName, 32, 8, qRgb(0, 128, 0));
    }
    for (int g = 1; g <= groups; ++g) {
        const QString name = u"hero%1_%2"_s.arg(level).arg(g);
        const int index = project.addActiveGroup(level);
        model::ActiveGroupData& group = s.ActiveGroup[size_t(index)];
        group.FileName = name + u".oba"_s;
        group.PngName = name + u".png"_s;
        group.TileWidth = group.TileHeight = 16;
        group.FrameCount = 2;
        group.Anim[1][1][1] = 1;
        group.Anim[1][1][2] = 1;
        group.Anim[2][1][2] = 2;
        group.Anim[1][3][4] = 2;
        s.ActiveType[size_t(index)] = model::MovementType(1 + g % 3);
        writePicture(objects + u'/' + group.PngName, 32, 16, qRgb(200, 0, 0));
    }
    // Two objects of every group, one more deleted.
    for (int k = 1; k <= 2 * groups + 1; ++k) {
        const int g = (k - 1) % groups + 1;
        model::FonObjectData& f = s.FonObject[size_t(++s.FonObjCount)];
        f = {QString::number(g), 10 * k, 20 * k, s.FonGroup[size_t(g)].ListSlot, g, s.FonGroup[size_t(g)].FileName,
             24, 16, k != 2};
        model::ActiveObjectData& a = s.ActiveObject[size_t(++s.ActiveObjCount)];
        a.Ref = QString::number(g);
        a.X = 30 * k;
        a.Y = 40 * k;
        a.Layer = s.ActiveGroup[size_t(g)].ListSlot;
        a.GroupValue = g;
        a.FileName = s.ActiveGroup[size_t(g)].FileName;
        a.Exists = k != 3;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: kestrava_java_fixture WORK_DIR DRAFT_DIR\n");
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[1]);
    const QString draft = QString::fromLocal8Bit(argv[2]);
    QTextStream out(stdout);
    try {
        io::AppFolder app(work + u"/app"_s);
        app.ensureFolders();
        for (const QString& name : QDir(draft).entryList({u"*.java"_s}, QDir::Files))
            QFile::copy(draft + u'/' + name, app.draftFile(name));

        const QString game = work + u"/game"_s;
        for (const char* sub : {"objects", "res", "src"})
            QDir().mkpath(game + u'/' + QString::fromLatin1(sub));
        model::Project project;
        project.ProjectDir = game;
        // Every stage number the model holds, so that etap1data .. etap20data
        // are each named from their own stage.
        project.LevelCount = model::kMaxLevels;

        for (int level = 1; level <= model::kMaxLevels; ++level) {
            model::StageData& s = project.stage(level);
            if (level <= 3)
                fillStage(project, level, game + u"/objects"_s, true);
            if (level <= 2) {
                for (const Row& row : everyCondition(level))
                    addRow(s, row);
            } else if (level == 3) {
                fillFromCatalogues(s, level);
            } else {
                addRow(s, {u"(etap"_s + QString::number(level) + u"data.keyCode1==49)"_s, {},
                           {{u"{etap=etap+1;}"_s, {}}}});
            }
            // A group row and a comment row give no code.
            for (const char* kind : {"group", "comment"}) {
                model::EventRowData& e = s.EventRow[size_t(++s.EventCurRow)];
                e.Kind = QString::fromLatin1(kind);
                e.CondText = u"заголовок"_s;
                e.CondCode = u"this is not java"_s;
                e.ActionText[1] = u"x"_s;
                e.ActionCode[1] = u"not java either"_s;
            }
        }

        codegen::convertProject(project, app, [&](const QString& file) { out << file << Qt::endl; });
    } catch (const io::Error& e) {
        QTextStream(stderr) << e.message() << Qt::endl;
        return 1;
    }
    return 0;
}
