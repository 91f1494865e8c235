#include "document/ProjectDocument.h"
#include "io/Png.h"
#include "level/LevelView.h"
#include "level/StageThumbnail.h"
#include "support/GuiApplication.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using level::LevelView;
using level::MapRenderer;
using level::ObjectKind;
using level::PlacedRef;

namespace {

constexpr QRgb kWhite = 0xffffffff;

// Colour of tile n of the test sheets.
QRgb tileColour(int n)
{
    return qRgb(n * 7 % 256, 40 + n % 200, 90);
}

// A stage in memory with its pictures on disk: the library in the
// temporary application folder, the project's copies in a project folder.
// The tables are arranged directly; what the author does goes through the view.
// The map draws texts' lines.
class LevelFixture : public test::WithGuiApplication {
protected:
    LevelFixture() : doc(tmp.app()), view(doc)
    {
        project().ProjectDir = tmp.makeDir(u"proj"_s);
        QDir().mkpath(project().projectPath(u"objects"_s));
    }

    model::Project& project() { return doc.edit(); }
    model::StageData& s() { return project().current(); }
    level::LevelTool& tool() { return view.tool(); }
    QString own(const QString& name) { return project().projectPath(u"objects/"_s + name); }

    // A tile sheet of across x down tiles of the given size, tile n filled with tileColour(n).
    void writeSheet(const QString& path, int across, int down, int tw, int th)
    {
        QImage sheet(across * tw, down * th, QImage::Format_RGB32);
        for (int r = 0; r < down; ++r)
            for (int c = 0; c < across; ++c)
                for (int y = 0; y < th; ++y)
                    for (int x = 0; x < tw; ++x)
                        sheet.setPixel(c * tw + x, r * th + y, tileColour(r * across + c + 1));
        io::writePng(sheet, path);
    }

    void writeBmp(const QString& path, int w, int h, QRgb colour)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        io::writeBmp(image, path);
    }

    // A background group whose every cell holds `tile`, its sheet in the library.
    int addFonGroup(const QString& base, int columns, int rows, int tile = 1, int tw = 16, int th = 16)
    {
        const int g = project().addFonGroup(project().CurLevel);
        model::FonGroupData& group = s().FonGroup[size_t(g)];
        group.FileName = base + u".obf"_s;
        group.BmpName = base + u".bmp"_s;
        group.PngName = base + u".png"_s;
        group.PictureName = base + u".png"_s;
        group.TileWidth = tw;
        group.TileHeight = th;
        group.setMapSize(columns, rows);
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c)
                group.setCell(r, c, tile);
        group.Loaded = true;
        if (!QFile::exists(tmp.app().objectFile(group.PictureName)))
            writeSheet(tmp.app().objectFile(group.PictureName), 4, 4, tw, th);
        writeBmp(own(group.BmpName), 20, 20, qRgb(1, 2, 3));
        return g;
    }

    int addActiveGroup(const QString& base, int w, int h, QRgb colour)
    {
        const int g = project().addActiveGroup(project().CurLevel);
        model::ActiveGroupData& group = s().ActiveGroup[size_t(g)];
        group.FileName = base + u".oba"_s;
        group.BmpName = base + u".bmp"_s;
        group.PngName = base + u".png"_s;
        group.PictureName = base + u".png"_s;
        group.TileWidth = w;
        group.TileHeight = h;
        group.FrameCount = 1;
        writeBmp(own(group.BmpName), w, h, colour);
        return g;
    }

    // Placed objects as a project file gives them: sizes as measured on opening.
    int placeFon(int g, int x, int y)
    {
        const int n = ++s().FonObjCount;
        model::FonObjectData& o = s().FonObject[size_t(n)];
        o.Ref = QString::number(g);
        o.X = x;
        o.Y = y;
        o.Layer = s().FonGroup[size_t(g)].ListSlot;
        o.Group = g;
        o.FileName = s().FonGroup[size_t(g)].BmpName;
        o.Width = s().FonGroup[size_t(g)].TileWidth;
        o.Height = s().FonGroup[size_t(g)].TileHeight;
        o.Exists = true;
        return n;
    }

    int placeActive(int g, int x, int y)
    {
        const int n = ++s().ActiveObjCount;
        model::ActiveObjectData& o = s().ActiveObject[size_t(n)];
        o.Ref = QString::number(g);
        o.X = x;
        o.Y = y;
        o.Layer = s().ActiveGroup[size_t(g)].ListSlot;
        o.GroupValue = g;
        o.FileName = s().ActiveGroup[size_t(g)].BmpName;
        o.Width = s().ActiveGroup[size_t(g)].TileWidth;
        o.Height = s().ActiveGroup[size_t(g)].TileHeight;
        o.Exists = true;
        return n;
    }

    // Picks the icon of list slot p as the pointer last seen over the panel.
    void pick(int p)
    {
        view.listPointerMoved(20, 50 * (p - 1) + 20);
        view.listReleased();
    }

    // One left click at (x, y) as the window delivers it, and the pointer
    // moving on, as it does before it can reach the list again.
    void click(int x, int y)
    {
        view.pointerMoved(x, y);
        view.pressed(x, y);
        view.released(true);
        view.pointerMoved(x + 1, y);
    }

    // A press and release at (x, y) that is no click (a right button).
    void select(int x, int y)
    {
        view.pressed(x, y);
        view.released(false);
    }

    level::SelectionRect frame() { return tool().selectionFrame(); }

    QRgb px(int x, int y) const { return view.map().pixel(x, y); }

    test::TempAppFolder tmp;
    document::ProjectDocument doc;
    LevelView view;
};

} // namespace

TEST_F(LevelFixture, PickingAnIconAndClickingPlacesAnObjectWhereThePointerIs)
{
    addFonGroup(u"a"_s, 2, 2);
    addFonGroup(u"b"_s, 2, 2);
    const int g = addFonGroup(u"c"_s, 3, 2, 6);
    view.start();
    ASSERT_EQ(view.objectList().icons()[3].kind, model::ObjectKind::Background);
    EXPECT_EQ(view.objectList().icons()[3].geometry, QRect(5, 100, 38, 40));

    pick(3);
    ASSERT_TRUE(tool().picked());
    EXPECT_EQ(tool().picked()->tag, g);
    view.pointerMoved(120, 45);
    EXPECT_EQ(tool().pointerText(), u"120x45"_s);
    // The picked group's picture follows the pointer.
    EXPECT_EQ(px(120, 45), qRgb(1, 2, 3));
    EXPECT_EQ(px(139, 64), qRgb(1, 2, 3));
    EXPECT_EQ(px(140, 64), kWhite);

    view.pressed(120, 45);
    view.released(true);
    ASSERT_EQ(s().FonObjCount, 1);
    const model::FonObjectData& o = s().FonObject[1];
    EXPECT_EQ(o.X, 120);
    EXPECT_EQ(o.Y, 45);
    EXPECT_EQ(o.Ref, u"3"_s);
    EXPECT_EQ(o.Layer, 3);
    EXPECT_EQ(o.Group, g);
    EXPECT_EQ(o.FileName, u"c.bmp"_s);
    EXPECT_TRUE(o.Exists);
    EXPECT_EQ(o.Width, 16);
    EXPECT_EQ(o.Height, 16);
    // The icon stays picked (the next click places another) until Esc.
    ASSERT_TRUE(tool().picked());
    EXPECT_TRUE(tool().dropPicked());
    view.redrawMap();
    // 3 x 2 tiles of tile 6 from (120, 45) to (168, 77), exclusive.
    EXPECT_EQ(px(120, 45), tileColour(6));
    EXPECT_EQ(px(167, 76), tileColour(6));
    EXPECT_EQ(px(168, 50), kWhite);
    EXPECT_EQ(px(130, 77), kWhite);
    EXPECT_EQ(doc.undoStack().undoText(), u"размещение объекта"_s);

    // An active object takes its picture's size when placed.
    const int a = addActiveGroup(u"s"_s, 7, 9, qRgb(200, 0, 0));
    view.start1();
    pick(4);
    click(300, 310);
    ASSERT_EQ(s().ActiveObjCount, 1);
    EXPECT_EQ(s().ActiveObject[1].GroupValue, a);
    EXPECT_EQ(s().ActiveObject[1].Width, 7);
    EXPECT_EQ(s().ActiveObject[1].Height, 9);
    EXPECT_EQ(px(306, 318), qRgb(200, 0, 0));
}

TEST_F(LevelFixture, PickingUsesTheLastPanelPositionWithAFivePixelMargin)
{
    addFonGroup(u"a"_s, 1, 1);
    addActiveGroup(u"s"_s, 8, 8, qRgb(200, 0, 0));
    view.start1();
    // Icon 1 spans x 5..42, y 0..39: the margin admits 1..47 and -4..44.
    view.listPointerMoved(48, 20);
    view.listReleased();
    EXPECT_FALSE(tool().picked());
    view.listPointerMoved(47, 44);
    view.listReleased();
    ASSERT_TRUE(tool().picked());
    EXPECT_EQ(tool().picked()->kind, model::ObjectKind::Background);
    // y 45 lies between the margins of slots 1 and 2; a miss keeps the pick.
    view.listPointerMoved(20, 45);
    view.listReleased();
    EXPECT_EQ(tool().picked()->kind, model::ObjectKind::Background);
    view.listPointerMoved(20, 46);
    view.listReleased();
    EXPECT_EQ(tool().picked()->kind, model::ObjectKind::Active);
    EXPECT_EQ(tool().picked()->tag, 1);
    // Escape drops it.
    EXPECT_TRUE(tool().dropPicked());
    EXPECT_FALSE(tool().picked());
    EXPECT_FALSE(tool().dropPicked());
}

TEST_F(LevelFixture, DraggingMovesByExactDeltasAndActiveObjectsWinOverBackground)
{
    const int g = addFonGroup(u"a"_s, 10, 10);
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(200, 0, 0));
    const int bg = placeFon(g, 100, 100);
    const int sprite = placeActive(a, 300, 300);
    view.start();

    view.pointerMoved(110, 110);
    view.pressed(110, 110);
    view.pointerMoved(117, 107);
    view.pointerMoved(117, 107);
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 107);
    EXPECT_EQ(s().FonObject[size_t(bg)].Y, 97);
    EXPECT_EQ(px(107, 97), tileColour(1));
    EXPECT_EQ(px(106, 97), kWhite);
    EXPECT_EQ(px(107, 96), kWhite);
    view.released(false);
    view.pointerMoved(150, 150);
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 107);

    // The sprite over the background: the press takes the sprite only.
    s().ActiveObject[size_t(sprite)].X = 150;
    s().ActiveObject[size_t(sprite)].Y = 150;
    view.redrawMap();
    EXPECT_EQ(px(150, 150), qRgb(200, 0, 0));
    view.pointerMoved(155, 155);
    view.pressed(155, 155);
    view.pointerMoved(162, 152);
    EXPECT_EQ(s().ActiveObject[size_t(sprite)].X, 157);
    EXPECT_EQ(s().ActiveObject[size_t(sprite)].Y, 147);
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 107);
    EXPECT_EQ(px(157, 147), qRgb(200, 0, 0));
    EXPECT_EQ(px(156, 147), tileColour(1));
}

TEST_F(LevelFixture, APickedGroupPlacesAtEveryClickUntilARightPressAndATextOnce)
{
    addFonGroup(u"a"_s, 1, 1);
    const int t = project().addTextObject(project().CurLevel);
    view.start1();
    pick(1);
    // A press and release that is no click, and moves, keep the pick.
    select(400, 400);
    view.pointerMoved(401, 402);
    ASSERT_TRUE(tool().picked());
    click(100, 100);
    click(200, 100);
    // A corner less than 8 pixels from the map's edges sticks to them; 8 does not.
    click(7, 3);
    click(8, 8);
    ASSERT_EQ(s().FonObjCount, 4);
    EXPECT_EQ(QPoint(s().FonObject[2].X, s().FonObject[2].Y), QPoint(200, 100));
    EXPECT_EQ(QPoint(s().FonObject[3].X, s().FonObject[3].Y), QPoint(0, 0));
    EXPECT_EQ(QPoint(s().FonObject[4].X, s().FonObject[4].Y), QPoint(8, 8));
    // A right press drops it: the next click places nothing.
    view.pressed(300, 300, false);
    view.released(false);
    EXPECT_FALSE(tool().picked());
    click(300, 300);
    EXPECT_EQ(s().FonObjCount, 4);

    pick(2);
    EXPECT_EQ(tool().picked()->kind, model::ObjectKind::Text);
    click(401, 402);
    EXPECT_EQ(s().TextObject[size_t(t)].X, 401);
    EXPECT_EQ(s().TextObject[size_t(t)].Y, 402);
    EXPECT_FALSE(tool().picked());
    // A text near the edge keeps its place: 0 means not placed.
    pick(2);
    click(3, 30);
    EXPECT_EQ(s().TextObject[size_t(t)].X, 3);
}

TEST_F(LevelFixture, DeletingHidesAnObjectAndKeepsEveryNumber)
{
    const int g = addFonGroup(u"a"_s, 2, 2);
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 0, 200));
    const int bg = placeFon(g, 500, 500);
    const int first = placeActive(a, 100, 100);
    placeActive(a, 200, 100);
    view.start();
    EXPECT_EQ(px(100, 100), qRgb(0, 0, 200));

    EXPECT_EQ(tool().contextMenuAt(105, 105), level::ContextMenu::Active);
    EXPECT_EQ(tool().menuTarget(), (PlacedRef{ObjectKind::Active, first}));
    tool().deleteMenuObject();
    EXPECT_FALSE(s().ActiveObject[size_t(first)].Exists);
    EXPECT_EQ(s().ActiveObjCount, 2);
    EXPECT_EQ(s().ActiveObject[size_t(first)].X, 100);

    EXPECT_EQ(tool().contextMenuAt(510, 510), level::ContextMenu::Background);
    tool().deleteMenuObject();
    EXPECT_FALSE(s().FonObject[size_t(bg)].Exists);

    EXPECT_EQ(px(100, 100), kWhite);
    EXPECT_EQ(px(510, 510), kWhite);
    EXPECT_EQ(px(200, 100), qRgb(0, 0, 200));
    EXPECT_EQ(tool().contextMenuAt(105, 105), level::ContextMenu::None);
    EXPECT_EQ(tool().contextMenuAt(510, 510), level::ContextMenu::None);
    select(105, 105);
    EXPECT_FALSE(tool().selection());

    // Delete removes the selected object; with nothing selected it does nothing.
    select(205, 105);
    EXPECT_EQ(tool().selection(), (PlacedRef{ObjectKind::Active, 2}));
    EXPECT_TRUE(tool().deleteSelected());
    EXPECT_FALSE(s().ActiveObject[2].Exists);
    EXPECT_FALSE(tool().deleteSelected());

    // A new object takes the next number.
    pick(2);
    click(50, 60);
    EXPECT_EQ(s().ActiveObjCount, 3);
    EXPECT_EQ(s().ActiveObject[3].X, 50);
    EXPECT_FALSE(s().ActiveObject[size_t(first)].Exists);
}

TEST_F(LevelFixture, AClickSelectsTheBackgroundWhereverItShowsAndFramesTheFullExtent)
{
    const int g = addFonGroup(u"a"_s, 10, 1);
    const int bg = placeFon(g, 0, 100);
    view.start();
    for (int x : {0, 160, 170}) {
        select(x, 105);
        EXPECT_EQ(frame(), level::SelectionRect()) << x;
    }
    // Also where a release alone would miss (a tile's last pixels): the press took it.
    for (int x : {1, 119, 120, 130, 159}) {
        select(x, 105);
        EXPECT_EQ(frame(), (level::SelectionRect{0, 160, 100, 116})) << x;
        EXPECT_EQ(tool().selection(), (PlacedRef{ObjectKind::Background, bg}));
    }
    // Outer frame at 0 and 159, the inner one 2 pixels in.
    const QRgb blink = view.Blink.rgb();
    EXPECT_EQ(px(0, 108), blink);
    EXPECT_EQ(px(159, 108), blink);
    EXPECT_EQ(px(80, 100), blink);
    EXPECT_EQ(px(80, 115), blink);
    EXPECT_EQ(px(2, 108), blink);
    EXPECT_EQ(px(157, 108), blink);
    EXPECT_EQ(px(80, 113), blink);
    EXPECT_EQ(px(1, 108), tileColour(1));
    EXPECT_EQ(px(160, 108), kWhite);
    EXPECT_EQ(px(80, 116), kWhite);

    // The frame follows the object when it is moved back by an undo.
    view.pressed(50, 105);
    view.pointerMoved(50, 105);
    view.pointerMoved(60, 105);
    view.released(false);
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 10);
    doc.undoStack().undo();
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 0);
    EXPECT_EQ(frame(), (level::SelectionRect{0, 160, 100, 116}));
}

TEST_F(LevelFixture, EmptyAndUnknownCellsLeaveTheMapWhite)
{
    const int g = addFonGroup(u"a"_s, 3, 1);
    s().FonGroup[size_t(g)].setCell(1, 2, 0);
    s().FonGroup[size_t(g)].setCell(1, 3, 17); // the sheet has 16 tiles
    s().FonGroup[size_t(g)].setCell(1, 1, 16);
    placeFon(g, 10, 10);
    view.redrawMap();
    EXPECT_EQ(px(10, 10), tileColour(16));
    EXPECT_EQ(px(25, 25), tileColour(16));
    EXPECT_EQ(px(26, 10), kWhite);
    EXPECT_EQ(px(50, 20), kWhite);
    EXPECT_TRUE(view.takeMessages().isEmpty());
}

TEST_F(LevelFixture, BackgroundInALaterSlotStillDrawsAndLayersFollowSlots)
{
    const int t = project().addTextObject(project().CurLevel);        // slot 1
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 200, 0));   // slot 2
    const int back = addFonGroup(u"back"_s, 4, 4, 3);               // slot 3
    const int front = addFonGroup(u"front"_s, 1, 1, 5);             // slot 4
    ASSERT_EQ(s().FonGroup[size_t(back)].ListSlot, 3);
    // Placed in the opposite order: the slot decides who is on top.
    placeFon(front, 20, 20);
    placeFon(back, 10, 10);
    placeActive(a, 30, 30);
    s().TextObject[size_t(t)].X = 0; // not positioned: no marker
    view.start();
    EXPECT_EQ(px(10, 10), tileColour(3));
    EXPECT_EQ(px(20, 20), tileColour(5));
    EXPECT_EQ(px(30, 30), qRgb(0, 200, 0));
    EXPECT_EQ(view.objectList().icons()[1].kind, model::ObjectKind::Text);
    EXPECT_EQ(view.objectList().icons()[2].kind, model::ObjectKind::Active);
    EXPECT_EQ(view.objectList().icons()[3].kind, model::ObjectKind::Background);
}

TEST_F(LevelFixture, PathPointsAreAddedByPressesAndDrawnAsAPolylineWithSquares)
{
    const int a = addActiveGroup(u"s"_s, 100, 100, qRgb(0, 0, 0));
    const int sprite = placeActive(a, 0, 0);
    const int other = placeActive(a, 500, 500);
    view.redrawMap();
    ASSERT_EQ(tool().contextMenuAt(505, 505), level::ContextMenu::Active);
    EXPECT_EQ(tool().propertiesTarget(ObjectKind::Active), other);
    tool().setPathObject(other);
    tool().pathStraight();
    EXPECT_EQ(tool().pathMode(), level::PathMode::Drawing);
    for (auto [x, y] : {std::pair{10, 10}, {50, 10}, {50, 60}})
        view.pressed(x, y);
    view.pointerMoved(70, 70);
    const model::ActiveObjectData& o = s().ActiveObject[size_t(other)];
    ASSERT_EQ(o.PathCount, 3);
    EXPECT_EQ(o.Path[2], (model::PathPoint{50, 10}));
    EXPECT_EQ(o.Path[3], (model::PathPoint{50, 60}));
    // The presses picked nothing although they lay on a sprite.
    EXPECT_EQ(s().ActiveObject[size_t(sprite)].X, 0);

    const QRgb pen = MapRenderer::kScreenFrameColour;
    const QRgb fill = MapRenderer::kPathPointColour;
    EXPECT_EQ(px(9, 9), fill);       // inside the first square
    EXPECT_EQ(px(7, 7), pen);        // its outline, 6 x 6 from (7, 7)
    EXPECT_EQ(px(12, 12), pen);
    EXPECT_EQ(px(13, 13), qRgb(0, 0, 0));
    EXPECT_EQ(px(30, 10), pen);      // the segments
    EXPECT_EQ(px(50, 35), pen);
    EXPECT_EQ(px(30, 11), qRgb(0, 0, 0));
    EXPECT_EQ(px(49, 59), fill);     // the last square
    EXPECT_EQ(px(52, 62), pen);

    view.handle([&] { tool().pathDeleteLast(); });
    EXPECT_EQ(o.PathCount, 2);
    EXPECT_EQ(px(49, 59), qRgb(0, 0, 0));
    // A right press while drawing adds no point.
    view.pressed(70, 70, false);
    EXPECT_EQ(o.PathCount, 2);
    tool().pathConfirm();
    EXPECT_EQ(tool().pathMode(), level::PathMode::Off);
    // Drawn while its sprite is selected (by the right click above), and only then.
    view.redrawMap();
    EXPECT_EQ(px(9, 9), fill);
    select(900, 900);
    view.redrawMap();
    EXPECT_EQ(px(9, 9), qRgb(0, 0, 0));
    tool().pathStraight();
    tool().pathEnd();
    EXPECT_EQ(tool().pathMode(), level::PathMode::Off);
    view.pressed(80, 80);
    EXPECT_EQ(o.PathCount, 2);
    tool().pathDeleteLast();
    tool().pathDeleteLast();
    EXPECT_EQ(o.PathCount, 0);
    const int steps = doc.undoStack().count();
    tool().pathDeleteLast();
    EXPECT_EQ(doc.undoStack().count(), steps); // nothing to drop: no step
    // Escape ends path drawing too, so the map can be used again.
    tool().pathStraight();
    EXPECT_TRUE(tool().dropPicked());
    EXPECT_EQ(tool().pathMode(), level::PathMode::Off);
}

TEST_F(LevelFixture, BlinkColourStepsWithEveryRedraw)
{
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 0, 0));
    placeActive(a, 10, 10);
    select(15, 15);
    view.start();
    EXPECT_EQ(px(10, 10), qRgb(10, 245, 10));
    EXPECT_EQ(px(19, 19), qRgb(10, 245, 10));
    EXPECT_EQ(px(12, 12), qRgb(10, 245, 10));
    EXPECT_EQ(px(11, 11), qRgb(0, 0, 0));
    view.redrawMap();
    EXPECT_EQ(px(10, 10), qRgb(20, 235, 20));
    for (int i = 3; i <= 26; ++i)
        view.redrawMap();
    EXPECT_EQ(view.Blink.red, 260);
    EXPECT_FALSE(view.Blink.up);
    EXPECT_EQ(px(10, 10), qRgb(4, 251, 4));
    view.redrawMap();
    EXPECT_EQ(px(10, 10), qRgb(250, 5, 250));
}

TEST_F(LevelFixture, MovementTypeChangesOnlyByTheDialogsChoice)
{
    addActiveGroup(u"a"_s, 10, 10, qRgb(9, 9, 9));
    const int g2 = addActiveGroup(u"b"_s, 10, 10, qRgb(9, 9, 9));
    addActiveGroup(u"c"_s, 10, 10, qRgb(9, 9, 9));
    const int sprite = placeActive(g2, 100, 100);
    s().ActiveType[size_t(g2)] = model::MovementType::Static;
    view.redrawMap();

    // Selecting never touches a type or a Caption.
    select(105, 105);
    EXPECT_EQ(tool().selection(), (PlacedRef{ObjectKind::Active, sprite}));
    EXPECT_EQ(s().ActiveType[size_t(g2)], model::MovementType::Static);
    EXPECT_EQ(doc.undoStack().count(), 0);

    // The dialog shows the group's type; a choice sets the type and the
    // stage's movement settings code ("2" once a path was confirmed).
    ASSERT_EQ(tool().contextMenuAt(105, 105), level::ContextMenu::Active);
    EXPECT_EQ(tool().propertiesTarget(ObjectKind::Active), sprite);
    EXPECT_EQ(tool().propertiesTarget(ObjectKind::Background), std::nullopt);
    EXPECT_EQ(tool().movementTypeOf(sprite), model::MovementType::Static);
    tool().chooseMovementType(sprite, model::MovementType::EightWay);
    EXPECT_EQ(s().ActiveType[size_t(g2)], model::MovementType::EightWay);
    EXPECT_EQ(s().ActiveGroup[size_t(g2)].Caption, QString());
    tool().pathConfirm();
    tool().chooseMovementType(sprite, model::MovementType::Planned);
    EXPECT_EQ(s().ActiveType[size_t(g2)], model::MovementType::Planned);
    EXPECT_EQ(s().ActiveGroup[size_t(g2)].Caption, u"2"_s);
    EXPECT_EQ(s().ActiveType[1], model::MovementType::NotSet);
    EXPECT_EQ(s().ActiveType[3], model::MovementType::NotSet);
    // The same choice again is no step to undo.
    const int steps = doc.undoStack().count();
    tool().chooseMovementType(sprite, model::MovementType::Planned);
    EXPECT_EQ(doc.undoStack().count(), steps);
    EXPECT_EQ(doc.undoStack().undoText(), u"тип движения"_s);
}

TEST_F(LevelFixture, PropertiesActOnTheTopmostObjectUnderTheRightClickAnywhereOnIt)
{
    const int grass = addFonGroup(u"grass"_s, 4, 4, 1);  // slot 1
    const int wall = addFonGroup(u"wall"_s, 2, 2, 2);    // slot 2
    const int flower = addFonGroup(u"flower"_s, 1, 1, 3); // slot 3
    const int wide = addFonGroup(u"wide"_s, 60, 1, 4);   // slot 4
    // The flower is placed first, yet its slot puts it over the wall.
    const int flowerAt = placeFon(flower, 40, 40);
    const int grassAt = placeFon(grass, 0, 0);
    const int wallAt = placeFon(wall, 16, 16);
    const int wideAt = placeFon(wide, 0, 200);
    view.redrawMap();
    ASSERT_EQ(px(30, 30), tileColour(2));
    ASSERT_EQ(px(45, 45), tileColour(3));

    const auto target = [&](int x, int y) {
        tool().contextMenuAt(x, y);
        return tool().propertiesTarget(ObjectKind::Background);
    };
    // The wall over the grass, though both lie under the click.
    EXPECT_EQ(target(30, 30), wallAt);
    EXPECT_EQ(tool().selectionFrame(), (level::SelectionRect{16, 48, 16, 48})) << "the wall is framed";
    EXPECT_EQ(target(5, 5), grassAt);
    EXPECT_EQ(target(45, 45), flowerAt);
    // Anywhere on a wide map, up to its last pixel and not one past it.
    EXPECT_EQ(target(959, 215), wideAt);
    EXPECT_EQ(target(960, 215), std::nullopt);
    EXPECT_EQ(tool().contextMenuAt(960, 215), level::ContextMenu::None);

    target(30, 30);
    EXPECT_EQ(tool().obstacleOf(wallAt), 0);
    tool().setObstacle(wallAt, 1);
    EXPECT_EQ(s().FonGroup[size_t(wall)].Obstacle, 1);
    EXPECT_EQ(s().FonGroup[size_t(grass)].Obstacle, 0);
    const int steps = doc.undoStack().count();
    tool().setObstacle(99, 1);     // no such object: nothing written
    tool().setObstacle(wallAt, 1); // no change: no step
    EXPECT_EQ(doc.undoStack().count(), steps);

    // A deleted wall is no target: the grass under it is.
    tool().deleteMenuObject();
    EXPECT_EQ(target(30, 30), grassAt);
    // A sprite is drawn over every background and takes the click.
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 0, 200));
    placeActive(a, 25, 25);
    EXPECT_EQ(tool().contextMenuAt(30, 30), level::ContextMenu::Active);
    EXPECT_EQ(tool().propertiesTarget(ObjectKind::Background), std::nullopt);
}

TEST_F(LevelFixture, ScreenFrameAndALivesBarThatCanBeMoved)
{
    view.ScreenWidth = 128;
    view.ScreenHeight = 176;
    s().LivesBar.BmpName = u"bar.bmp"_s;
    s().LivesBar.Width = 30;
    s().LivesBar.Height = 6;
    s().LivesBar.Present = true;
    writeBmp(tmp.app().objectFile(u"bar.bmp"_s), 30, 6, qRgb(250, 0, 0));
    view.redrawMap();
    const QRgb frame = MapRenderer::kScreenFrameColour;
    EXPECT_EQ(px(127, 100), frame);
    EXPECT_EQ(px(0, 100), frame);
    EXPECT_EQ(px(100, 175), frame);
    EXPECT_EQ(px(128, 100), kWhite);
    EXPECT_EQ(px(100, 176), kWhite);
    EXPECT_EQ(px(1, 1), qRgb(250, 0, 0));
    EXPECT_EQ(px(29, 5), qRgb(250, 0, 0));

    // A press on the bar takes the bar, not what lies under it.
    const int g = addFonGroup(u"a"_s, 4, 4);
    placeFon(g, 0, 0);
    view.pointerMoved(10, 3);
    view.pressed(10, 3);
    view.pointerMoved(310, 303);
    view.released(false);
    EXPECT_EQ(s().LivesBar.X, 300);
    EXPECT_EQ(s().LivesBar.Y, 300);
    EXPECT_EQ(s().FonObject[1].X, 0);
    EXPECT_EQ(px(300, 300), qRgb(250, 0, 0));
    EXPECT_EQ(px(329, 305), qRgb(250, 0, 0));
    EXPECT_EQ(doc.undoStack().undoText(), u"перемещение полосы жизней"_s);
    view.pointerMoved(10, 30);
    view.pressed(10, 30);
    view.pointerMoved(12, 30);
    EXPECT_EQ(s().FonObject[1].X, 2);
}

TEST_F(LevelFixture, TextsShowTheirLinesAndMarkersOnlyWhenPositioned)
{
    const int t1 = project().addTextObject(project().CurLevel);
    const int t2 = project().addTextObject(project().CurLevel);
    const int t3 = project().addTextObject(project().CurLevel);
    // A text with lines shows them in its colour (BGR in the file), from its corner down.
    model::TextObjectData& shown = s().TextObject[size_t(t3)];
    shown.X = 100;
    shown.Y = 100;
    shown.Colour = 0x0000FF; // red
    shown.FontSize = 2;
    shown.LineCount = 2;
    shown.Lines[1] = u"██"_s;
    shown.Lines[2] = u"██"_s;
    view.redrawMap();
    const auto redIn = [&](QRect area) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qRed(px(x, y)) > 200 && qGreen(px(x, y)) < 60)
                    return true;
        return false;
    };
    EXPECT_TRUE(redIn(QRect(100, 100, 20, 15)));
    EXPECT_TRUE(redIn(QRect(100, 116, 20, 14)));
    EXPECT_FALSE(redIn(QRect(80, 80, 19, 60)));
    s().TextObject[size_t(t1)].X = 40;
    s().TextObject[size_t(t1)].Y = 50;
    s().TextObject[size_t(t2)].X = 60; // Y 0: not shown
    QFile::remove(tmp.app().imageFile(u"text1.bmp"_s)); // a missing marker is skipped silently
    view.redrawMap();
    EXPECT_TRUE(view.takeMessages().isEmpty());
    EXPECT_EQ(px(40, 50), kWhite);
    writeBmp(tmp.app().imageFile(u"text1.bmp"_s), 8, 8, qRgb(0, 99, 0));
    view.redrawMap();
    EXPECT_EQ(px(40, 50), qRgb(0, 99, 0));
    EXPECT_EQ(px(60, 0), kWhite);
}

TEST_F(LevelFixture, FullTablesRefuseTheClickAndSayWhy)
{
    const int g = addFonGroup(u"a"_s, 1, 1);
    const int a = addActiveGroup(u"s"_s, 5, 5, qRgb(1, 1, 1));
    for (int i = 1; i <= model::kMaxFonObjects; ++i)
        placeFon(g, 0, 0);
    for (int i = 1; i <= model::kMaxActiveObjects; ++i)
        placeActive(a, 0, 0);
    view.start1();
    pick(1);
    click(300, 300);
    EXPECT_EQ(s().FonObjCount, model::kMaxFonObjects);
    EXPECT_TRUE(view.statusText().contains(u"100 фоновых объектов"_s)) << view.statusText().toStdString();
    pick(2);
    click(300, 300);
    EXPECT_EQ(s().ActiveObjCount, model::kMaxActiveObjects);
    EXPECT_TRUE(view.statusText().contains(u"100 активных объектов"_s));

    // A path has room for 40 points.
    ASSERT_EQ(tool().contextMenuAt(2, 2), level::ContextMenu::Active);
    tool().setPathObject(tool().propertiesTarget(ObjectKind::Active).value());
    tool().pathStraight();
    for (int i = 1; i <= model::kMaxPathPoints + 3; ++i)
        view.pressed(i, i);
    const int object = tool().pathObject();
    EXPECT_EQ(s().ActiveObject[size_t(object)].PathCount, model::kMaxPathPoints);
    EXPECT_EQ(s().ActiveObject[size_t(object)].Path[40], (model::PathPoint{40, 40}));
    EXPECT_TRUE(view.statusText().contains(u"40 точек"_s));
    tool().pathConfirm();
    // The next successful action clears the status.
    s().FonObjCount = 0;
    pick(1);
    click(300, 300);
    EXPECT_EQ(s().FonObjCount, 1);
    EXPECT_TRUE(view.statusText().isEmpty());
}

TEST_F(LevelFixture, ASheetOfMoreThan500TilesIsRefused)
{
    // 30 x 20 tiles of 1 x 1.
    writeSheet(tmp.app().objectFile(u"big.png"_s), 30, 20, 1, 1);
    const int g = addFonGroup(u"big"_s, 2, 2, 1, 1, 1);
    view.start1();
    pick(1);
    click(300, 300);
    EXPECT_EQ(s().FonObjCount, 0);
    EXPECT_TRUE(view.statusText().contains(u"600"_s)) << view.statusText().toStdString();
    EXPECT_TRUE(view.statusText().contains(u"500"_s));
    // One already on the map (from a project file) is left out, said once.
    EXPECT_TRUE(tool().dropPicked()); // a refusal keeps the icon picked
    placeFon(g, 10, 10);
    for (int i = 0; i < 5; ++i)
        view.pointerMoved(i, i);
    EXPECT_EQ(view.takeMessages().size(), 1);
    EXPECT_EQ(px(10, 10), kWhite);
}

TEST_F(LevelFixture, AMissingPictureIsReportedOnceAndTheRestIsDrawn)
{
    const int g = addFonGroup(u"a"_s, 2, 2);
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 0, 250));
    placeFon(g, 10, 10);
    placeActive(a, 200, 200);
    QFile::remove(tmp.app().objectFile(u"a.png"_s));
    QFile::remove(own(u"a.bmp"_s));
    s().LivesBar.BmpName = u"bar.bmp"_s;
    view.start();
    QStringList messages = view.takeMessages();
    ASSERT_EQ(messages.size(), 3) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(messages[0].contains(u"a.bmp"_s));  // the list icon
    EXPECT_TRUE(messages[1].contains(u"a.png"_s));  // the tile sheet
    EXPECT_TRUE(messages[2].contains(u"bar.bmp"_s));
    EXPECT_EQ(px(200, 200), qRgb(0, 0, 250));
    EXPECT_EQ(px(10, 10), kWhite);
    // The missing object is still there to select.
    select(15, 15);
    EXPECT_EQ(tool().selection(), (PlacedRef{ObjectKind::Background, 1}));

    pick(1);
    for (int i = 0; i < 100; ++i)
        view.pointerMoved(300 + i, 300);
    view.start1();
    messages = view.takeMessages();
    ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString(); // the dragged picture
    EXPECT_TRUE(messages[0].contains(u"a.bmp"_s));
    EXPECT_EQ(px(200, 200), qRgb(0, 0, 250));

    // Mended, then lost again: said again.
    writeSheet(tmp.app().objectFile(u"a.png"_s), 4, 4, 16, 16);
    tool().dropPicked();
    view.redrawMap();
    EXPECT_TRUE(view.takeMessages().isEmpty());
    EXPECT_EQ(px(15, 15), tileColour(1));
    QFile::remove(tmp.app().objectFile(u"a.png"_s));
    view.redrawMap();
    EXPECT_EQ(view.takeMessages().size(), 1);
}

TEST_F(LevelFixture, ABrokenPictureIsReadOnceAndReportedOnce)
{
    s().LivesBar.BmpName = u"bar.bmp"_s;
    QFile bar(tmp.app().objectFile(u"bar.bmp"_s));
    ASSERT_TRUE(bar.open(QIODevice::WriteOnly));
    bar.write("BM not really a picture");
    bar.close();
    view.redrawMap();
    const int decodes = view.pictures().cache().decodeCount();
    for (int i = 0; i < 20; ++i)
        view.pointerMoved(300 + i, 300);
    EXPECT_EQ(view.pictures().cache().decodeCount(), decodes);
    const QStringList messages = view.takeMessages();
    ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(messages[0].contains(u"bar.bmp"_s));
    EXPECT_TRUE(messages[0].contains(u"повреждён"_s)) << messages[0].toStdString();
    EXPECT_EQ(px(1, 1), kWhite);

    // Mended on disk: read again and drawn.
    writeBmp(tmp.app().objectFile(u"bar.bmp"_s), 6, 6, qRgb(250, 0, 0));
    view.redrawMap();
    EXPECT_EQ(view.pictures().cache().decodeCount(), decodes + 1);
    EXPECT_EQ(px(1, 1), qRgb(250, 0, 0));
}

TEST_F(LevelFixture, SheetsComeFromTheProjectWhenTheLibraryLacksThem)
{
    const int g = addFonGroup(u"a"_s, 1, 1, 2);
    QFile::rename(tmp.app().objectFile(u"a.png"_s), own(u"a.png"_s));
    placeFon(g, 5, 5);
    view.redrawMap();
    EXPECT_TRUE(view.takeMessages().isEmpty());
    EXPECT_EQ(px(5, 5), tileColour(2));
}

TEST_F(LevelFixture, NamesWithFoldersAreNeverRead)
{
    const int g = addFonGroup(u"a"_s, 1, 1);
    s().FonGroup[size_t(g)].PictureName = u"../../a.png"_s;
    placeFon(g, 5, 5);
    view.redrawMap();
    const QStringList messages = view.takeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(u"недопустимо"_s));
    EXPECT_EQ(px(5, 5), kWhite);
}

TEST_F(LevelFixture, PointerMovesDecodeNothingUntilAFileChanges)
{
    const int g1 = addFonGroup(u"a"_s, 5, 5);
    const int g2 = addFonGroup(u"b"_s, 5, 5);
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 0, 250));
    s().LivesBar.BmpName = u"bar.bmp"_s;
    writeBmp(tmp.app().objectFile(u"bar.bmp"_s), 10, 4, qRgb(250, 0, 0));
    writeBmp(tmp.app().imageFile(u"text1.bmp"_s), 8, 8, qRgb(0, 99, 0));
    const int t = project().addTextObject(project().CurLevel);
    s().TextObject[size_t(t)].X = 600;
    s().TextObject[size_t(t)].Y = 600;
    for (int i = 0; i < 10; ++i) {
        placeFon(i % 2 ? g1 : g2, 50 * i, 300);
        placeActive(a, 50 * i, 500);
    }
    view.start();
    pick(1);
    view.pointerMoved(1, 1);
    const int decodes = view.pictures().cache().decodeCount();
    for (int i = 0; i < 100; ++i)
        view.pointerMoved(100 + i, 100 + i);
    EXPECT_EQ(view.pictures().cache().decodeCount(), decodes);
    EXPECT_EQ(px(300, 500), qRgb(0, 0, 250));

    // A changed sprite is read once more, and drawn as it now is.
    writeBmp(own(u"s.bmp"_s), 12, 12, qRgb(0, 250, 0));
    for (int i = 0; i < 10; ++i)
        view.pointerMoved(200, 200);
    EXPECT_EQ(view.pictures().cache().decodeCount(), decodes + 1);
    EXPECT_EQ(px(311, 511), qRgb(0, 250, 0));

    // The uncached way reads every picture for every object.
    view.renderer().setPictureCaching(false);
    view.redrawMap();
    EXPECT_GE(view.pictures().cache().decodeCount(), decodes + 1 + 20);
    EXPECT_EQ(px(300, 300), tileColour(1));
}

// The map under the marks is kept between redraws; whatever it is drawn
// from must still show at once, changed through the tables or on disk.
TEST_F(LevelFixture, TheKeptMapFollowsEveryChangeUnderTheMarks)
{
    const int g = addFonGroup(u"a"_s, 2, 2, 1);
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 0, 250));
    const int f = placeFon(g, 100, 100);
    const int n = placeActive(a, 300, 300);
    view.redrawMap();
    ASSERT_EQ(px(100, 100), tileColour(1));
    ASSERT_EQ(px(300, 300), qRgb(0, 0, 250));

    // A redraw with nothing changed gives the same picture, and the marks move over it.
    const QImage before = view.map().copy();
    view.pointerMoved(5, 5);
    EXPECT_EQ(view.map(), before);

    s().ActiveObject[size_t(n)].X = 400;
    view.redrawMap();
    EXPECT_EQ(px(300, 300), kWhite);
    EXPECT_EQ(px(400, 300), qRgb(0, 0, 250));

    s().FonGroup[size_t(g)].setCell(1, 1, 2);
    view.redrawMap();
    EXPECT_EQ(px(100, 100), tileColour(2));
    EXPECT_EQ(px(116, 100), tileColour(1));

    s().FonObject[size_t(f)].Exists = false;
    view.redrawMap();
    EXPECT_EQ(px(100, 100), kWhite);

    // A sprite file that goes missing and comes back.
    QFile::remove(own(u"s.bmp"_s));
    view.redrawMap();
    EXPECT_EQ(px(400, 300), kWhite);
    writeBmp(own(u"s.bmp"_s), 10, 10, qRgb(0, 200, 0));
    view.redrawMap();
    EXPECT_EQ(px(400, 300), qRgb(0, 200, 0));

    // Another stage's thumbnail in between does not leave its map behind.
    const int other = project().addLevel();
    view.renderStage(other);
    view.redrawMap();
    EXPECT_EQ(px(400, 300), qRgb(0, 200, 0));
}

TEST(StageThumbnail, ShowsWhatTheStageHoldsFillingItsCellAndNeverShrinksALoneSprite)
{
    const QSize cell(137, 81);
    QImage map(model::kMapSize, model::kMapSize, QImage::Format_RGB32);
    const auto count = [](const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == colour;
        return n;
    };
    map.fill(Qt::white);
    QImage empty = level::stageThumbnail(map, cell);
    EXPECT_EQ(empty.size(), cell);
    EXPECT_EQ(count(empty, kWhite), 137 * 81);

    // A lone sprite, in the middle of the map and in its far corner: shown at its own size.
    for (QPoint at : {QPoint(300, 200), QPoint(990, 990)}) {
        map.fill(Qt::white);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x)
                map.setPixel(at.x() + x, at.y() + y, qRgb(250, 0, 0));
        EXPECT_EQ(count(level::stageThumbnail(map, cell), qRgb(250, 0, 0)), 100) << at.x();
    }
    // A scene larger than the cell is scaled down to fill it, edge to edge.
    map.fill(Qt::white);
    for (int y = 0; y < 405; ++y)
        for (int x = 100; x < 785; ++x)
            map.setPixel(x, y, qRgb(0, 0, 250));
    const QImage scene = level::stageThumbnail(map, cell);
    EXPECT_EQ(scene.size(), cell);
    EXPECT_GT(count(scene, qRgb(0, 0, 250)), 137 * 81 * 9 / 10);
}

namespace {

// A left press, moves and a release with Shift or Ctrl held or not.
void band(LevelView& view, QPoint from, QPoint to, bool extend = false)
{
    view.pointerMoved(from.x(), from.y());
    view.pressed(from.x(), from.y(), true, extend);
    view.pointerMoved(to.x(), to.y());
    view.released(false);
}

} // namespace

TEST_F(LevelFixture, SelectionSetsMoveDeleteAndNudgeAsOneUndoStepEach)
{
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(200, 0, 0));
    const int one = placeActive(a, 100, 100);
    const int two = placeActive(a, 130, 100);
    const int three = placeActive(a, 300, 300);
    view.start();
    const auto selected = [&] { return tool().selected(); };
    using Refs = std::vector<PlacedRef>;
    const PlacedRef p1{ObjectKind::Active, one}, p2{ObjectKind::Active, two}, p3{ObjectKind::Active, three};

    // The band takes what lies wholly inside it: sprite two spans 130..140.
    band(view, {90, 90}, {138, 115});
    EXPECT_EQ(selected(), (Refs{p1}));
    band(view, {90, 90}, {139, 115});
    EXPECT_EQ(selected(), (Refs{p1, p2}));
    // Shift or Ctrl: a click adds an object or takes it away, a band adds.
    select(305, 305);
    EXPECT_EQ(selected(), (Refs{p3})) << "without a modifier a click selects one";
    band(view, {90, 90}, {139, 115}, true);
    EXPECT_EQ(selected(), (Refs{p3, p1, p2}));
    view.pressed(105, 105, true, true);
    view.released(true);
    EXPECT_EQ(selected(), (Refs{p3, p2}));
    EXPECT_EQ(tool().selectionFrame(), (level::SelectionRect{130, 140, 100, 110})) << "the last selected is framed";

    // Dragging one of them moves them all: one undo step.
    QUndoStack& undo = doc.undoStack();
    const int before = undo.count();
    view.pointerMoved(135, 105);
    view.pressed(135, 105);
    view.pointerMoved(138, 106);
    view.pointerMoved(140, 112);
    view.released(true);
    EXPECT_EQ(s().ActiveObject[size_t(two)].X, 135);
    EXPECT_EQ(s().ActiveObject[size_t(three)].Y, 307);
    EXPECT_EQ(s().ActiveObject[size_t(one)].X, 100) << "not selected, not moved";
    EXPECT_EQ(selected().size(), 2u) << "what was dragged stays selected";
    EXPECT_EQ(undo.count(), before + 1);

    // Nudges: 1 and 8 pixels, each its own step.
    EXPECT_TRUE(tool().nudge(-1, 0));
    EXPECT_TRUE(tool().nudge(0, 8));
    EXPECT_EQ(s().ActiveObject[size_t(two)].X, 134);
    EXPECT_EQ(s().ActiveObject[size_t(three)].Y, 315);
    EXPECT_EQ(undo.count(), before + 3);
    undo.undo();
    EXPECT_EQ(s().ActiveObject[size_t(three)].Y, 307);
    undo.undo();
    undo.undo();
    EXPECT_EQ(s().ActiveObject[size_t(two)].X, 130);
    EXPECT_EQ(s().ActiveObject[size_t(three)].X, 300);

    // Delete hides both in one step, and undo shows both again.
    EXPECT_TRUE(tool().deleteSelected());
    EXPECT_FALSE(s().ActiveObject[size_t(two)].Exists);
    EXPECT_FALSE(s().ActiveObject[size_t(three)].Exists);
    EXPECT_TRUE(s().ActiveObject[size_t(one)].Exists);
    EXPECT_FALSE(tool().nudge(1, 0)) << "nothing selected any more";
    undo.undo();
    EXPECT_TRUE(s().ActiveObject[size_t(two)].Exists);
    EXPECT_TRUE(s().ActiveObject[size_t(three)].Exists);
    // A press on empty map without a move selects nothing.
    select(600, 600);
    EXPECT_TRUE(selected().empty());

    // Over a map that covers the stage a plain press drags the map; with
    // Shift the band starts there and takes the sprites, not the map.
    const int g = addFonGroup(u"a"_s, 30, 30);
    const int map = placeFon(g, 0, 0);
    view.redrawMap();
    band(view, {139, 115}, {101, 100}, true); // dragged up and left, corners included
    EXPECT_EQ(selected(), (Refs{p2}));
    band(view, {139, 115}, {100, 100}, true);
    EXPECT_EQ(selected(), (Refs{p2, p1}));
    EXPECT_EQ(s().FonObject[size_t(map)].X, 0);
}

TEST_F(LevelFixture, PasteFindsTheGroupsOfAnotherStageAndIsRefusedWholeOverACapacity)
{
    const int g = addFonGroup(u"a"_s, 2, 2);
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(200, 0, 0));
    const int bg = placeFon(g, 40, 40);
    const int sprite = placeActive(a, 200, 100);
    s().ActiveObject[size_t(sprite)].PathCount = 1;
    s().ActiveObject[size_t(sprite)].Path[1] = model::PathPoint{5, 6};
    view.start();
    QUndoStack& undo = doc.undoStack();
    EXPECT_FALSE(tool().copy()) << "nothing selected";
    band(view, {30, 30}, {300, 300});
    ASSERT_EQ(tool().selected().size(), 2u);
    EXPECT_TRUE(tool().copy());

    // On its own stage a grid cell (the first group's 16 x 16 tiles) away, selected.
    EXPECT_TRUE(tool().paste());
    ASSERT_EQ(s().FonObjCount, 2);
    ASSERT_EQ(s().ActiveObjCount, 2);
    EXPECT_EQ(s().FonObject[2].X, 56);
    EXPECT_EQ(s().ActiveObject[2].Y, 116);
    EXPECT_EQ(s().ActiveObject[2].Path[1], (model::PathPoint{5, 6}));
    EXPECT_EQ(tool().selected(), (std::vector<PlacedRef>{{ObjectKind::Background, 2}, {ObjectKind::Active, 2}}));
    undo.undo();
    EXPECT_EQ(s().FonObjCount, 1);
    EXPECT_EQ(s().ActiveObjCount, 1);

    // Stage 2 has the sprite's group at another number and no map group: refused whole.
    doc.addLevel();
    doc.selectLevel(2);
    addActiveGroup(u"t"_s, 5, 5, qRgb(0, 0, 1));
    const int a2 = addActiveGroup(u"s"_s, 10, 10, qRgb(200, 0, 0));
    view.start1();
    EXPECT_FALSE(tool().paste());
    EXPECT_EQ(s().ActiveObjCount, 0);
    EXPECT_TRUE(view.statusText().contains(u"«a.obf»"_s)) << view.statusText().toStdString();
    const int g2 = addFonGroup(u"a"_s, 2, 2);
    // 99 maps leave room for exactly one more.
    for (int i = 1; i < model::kMaxFonObjects; ++i)
        placeFon(g2, 0, 0);
    EXPECT_TRUE(tool().paste());
    ASSERT_EQ(s().FonObjCount, model::kMaxFonObjects);
    ASSERT_EQ(s().ActiveObjCount, 1);
    const model::ActiveObjectData& pasted = s().ActiveObject[1];
    EXPECT_EQ(pasted.X, 200) << "another stage: the same place";
    EXPECT_EQ(pasted.GroupValue, a2);
    EXPECT_EQ(pasted.Ref, QString::number(a2));
    EXPECT_EQ(pasted.Layer, s().ActiveGroup[size_t(a2)].ListSlot);
    EXPECT_EQ(s().FonObject[size_t(model::kMaxFonObjects)].Group, g2);
    EXPECT_TRUE(view.statusText().isEmpty());
    // Now full: the next paste adds neither object, and says so.
    EXPECT_FALSE(tool().paste());
    EXPECT_EQ(s().ActiveObjCount, 1);
    EXPECT_EQ(s().FonObjCount, model::kMaxFonObjects);
    EXPECT_TRUE(view.statusText().contains(u"100"_s)) << view.statusText().toStdString();
    undo.undo();
    EXPECT_EQ(s().FonObjCount, model::kMaxFonObjects - 1);
    EXPECT_EQ(s().ActiveObjCount, 0);

    // Cut: copied, and deleted as one step; duplicate leaves the clipboard alone.
    doc.selectLevel(1);
    select(205, 105);
    EXPECT_TRUE(tool().cut());
    EXPECT_FALSE(s().ActiveObject[size_t(sprite)].Exists);
    undo.undo();
    EXPECT_TRUE(s().ActiveObject[size_t(sprite)].Exists);
    select(45, 45);
    EXPECT_TRUE(tool().duplicate());
    EXPECT_EQ(s().FonObjCount, 2);
    EXPECT_EQ(s().FonObject[2].X, 56);
    EXPECT_TRUE(tool().paste());
    EXPECT_EQ(s().ActiveObjCount, 2) << "the clipboard still holds the cut sprite";
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 40);
}

TEST_F(LevelFixture, SnappingPutsPlacedAndDraggedObjectsOnTheGrid)
{
    const int g = addFonGroup(u"a"_s, 2, 2, 1, 16, 8);
    const int bg = placeFon(g, 3, 3);
    view.start();
    tool().setGrid({true, true});
    EXPECT_EQ(tool().gridCell(), QSize(16, 8));
    // Placing: the corner of the cell under the pointer, also left of the origin.
    pick(1);
    click(47, 23);
    EXPECT_EQ(s().FonObject[2].X, 32);
    EXPECT_EQ(s().FonObject[2].Y, 16);
    pick(1);
    click(-1, 8);
    EXPECT_EQ(s().FonObject[3].X, -16);
    EXPECT_EQ(s().FonObject[3].Y, 8);
    tool().dropPicked();
    // Dragging: the corner nearest to where the pointer takes it.
    view.pointerMoved(25, 5);
    view.pressed(25, 5);
    view.pointerMoved(33, 8); // the corner would be at (11, 6)
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 16);
    EXPECT_EQ(s().FonObject[size_t(bg)].Y, 8);
    view.pointerMoved(29, 5); // (7, 3)
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 0);
    EXPECT_EQ(s().FonObject[size_t(bg)].Y, 0);
    view.released(true);
    doc.undoStack().undo();
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 3) << "the drag is one step";
    // Off: exactly where the pointer is.
    tool().setGrid({true, false});
    pick(1);
    click(47, 23);
    EXPECT_EQ(s().FonObject[4].X, 47);
}

// The white-backed icon keeps the strip's transparency: the background shows
// through it as in the game, and a changed strip is drawn anew.
TEST_F(LevelFixture, SpritesShowTheBackgroundThroughTheirTransparentPixels)
{
    const int g = addFonGroup(u"a"_s, 4, 4, 1);
    placeFon(g, 0, 0);
    const int a = addActiveGroup(u"s"_s, 10, 10, kWhite);
    const int n = placeActive(a, 20, 20);
    const auto writeStrip = [&](QRgb left) {
        // Two frames: the first opaque only in its left half, the second all red.
        QImage strip(20, 10, QImage::Format_ARGB32);
        strip.fill(Qt::transparent);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x)
                if (x < 5 || x >= 10)
                    strip.setPixel(x, y, x < 5 ? left : qRgb(250, 0, 0));
        io::writePng(strip, own(u"s.png"_s));
    };
    view.redrawMap();
    EXPECT_EQ(px(27, 25), kWhite); // no strip: the icon as it is

    writeStrip(qRgb(0, 0, 250));
    view.redrawMap();
    EXPECT_EQ(px(24, 25), qRgb(0, 0, 250));
    EXPECT_EQ(px(25, 25), tileColour(1)); // first transparent pixel
    EXPECT_EQ(px(29, 29), tileColour(1));
    EXPECT_EQ(px(30, 25), tileColour(1)); // the second frame is not drawn

    writeStrip(qRgb(0, 250, 0));
    view.redrawMap();
    EXPECT_EQ(px(24, 25), qRgb(0, 250, 0));
    EXPECT_EQ(s().ActiveObject[size_t(n)].Width, 10);
}
