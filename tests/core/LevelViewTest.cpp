#include "io/Png.h"
#include "level/LevelEditor.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using level::LevelEditor;

namespace {

constexpr QRgb kWhite = 0xffffffff;

// Colour of tile n of the test sheets.
QRgb tileColour(int n)
{
    return qRgb(n * 7 % 256, 40 + n % 200, 90);
}

// A stage in memory with its pictures on disk: the library in the
// temporary application folder, the project's copies in a project folder.
class LevelFixture : public ::testing::Test {
protected:
    LevelFixture() : editor(project, tmp.app())
    {
        project.ProjectDir = tmp.makeDir(u"proj"_s);
        QDir().mkpath(project.projectPath(u"objects"_s));
    }

    model::StageData& s() { return project.current(); }
    QString own(const QString& name) const { return project.projectPath(u"objects/"_s + name); }

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
        const int g = project.addFonGroup(project.CurLevel);
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
        const int g = project.addActiveGroup(project.CurLevel);
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
        o.Exists = true;
        return n;
    }

    // Picks the icon of list slot p as the pointer last seen over the panel.
    void pick(int p)
    {
        editor.pnObjectsListMouseMove(20, 50 * (p - 1) + 20);
        editor.pnObjectsListMouseUp();
    }

    // One left click at (x, y) as the window delivers it, and the pointer
    // moving on, as it does before it can reach the list again.
    void click(int x, int y)
    {
        editor.ImPositionObjectsMouseMove(x, y);
        editor.ImPositionObjectsMouseDown(x, y);
        editor.ImPositionObjectsClick();
        editor.ImPositionObjectsMouseUp();
        editor.ImPositionObjectsMouseMove(x + 1, y);
    }

    QRgb px(int x, int y) const { return editor.map().pixel(x, y); }

    test::TempAppFolder tmp;
    model::Project project;
    LevelEditor editor;
};

} // namespace

TEST_F(LevelFixture, PickingAnIconAndClickingPlacesAnObjectWhereThePointerIs)
{
    addFonGroup(u"a"_s, 2, 2);
    addFonGroup(u"b"_s, 2, 2);
    const int g = addFonGroup(u"c"_s, 3, 2, 6);
    editor.start();
    ASSERT_EQ(editor.icons()[3].kind, level::SlotKind::Fon);
    EXPECT_EQ(editor.icons()[3].geometry, QRect(5, 100, 38, 40));

    pick(3);
    EXPECT_TRUE(s().FonDragFlag);
    EXPECT_EQ(s().FonDragPicture, u"c.bmp"_s);
    editor.ImPositionObjectsMouseMove(120, 45);
    EXPECT_EQ(editor.pointerText(), u"120x45"_s);
    // The picked group's picture follows the pointer.
    EXPECT_EQ(px(120, 45), qRgb(1, 2, 3));
    EXPECT_EQ(px(139, 64), qRgb(1, 2, 3));
    EXPECT_EQ(px(140, 64), kWhite);

    editor.ImPositionObjectsMouseDown(120, 45);
    editor.ImPositionObjectsClick();
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
    EXPECT_FALSE(s().FonDragFlag);
    // 3 x 2 tiles of tile 6 from (120, 45) to (168, 77), exclusive.
    EXPECT_EQ(px(120, 45), tileColour(6));
    EXPECT_EQ(px(167, 76), tileColour(6));
    EXPECT_EQ(px(168, 50), kWhite);
    EXPECT_EQ(px(130, 77), kWhite);
}

TEST_F(LevelFixture, PickingUsesTheLastPanelPositionWithAFivePixelMargin)
{
    addFonGroup(u"a"_s, 1, 1);
    addActiveGroup(u"s"_s, 8, 8, qRgb(200, 0, 0));
    editor.start1();
    // Icon 1 spans x 5..42, y 0..39: the margin admits 1..47 and -4..44.
    editor.pnObjectsListMouseMove(48, 20);
    editor.pnObjectsListMouseUp();
    EXPECT_FALSE(s().FonDragFlag);
    editor.pnObjectsListMouseMove(47, 44);
    editor.pnObjectsListMouseUp();
    EXPECT_TRUE(s().FonDragFlag);
    EXPECT_FALSE(s().ActiveDragFlag);
    // y 45 lies between the margins of slots 1 and 2.
    s().FonDragFlag = false;
    editor.pnObjectsListMouseMove(20, 45);
    editor.pnObjectsListMouseUp();
    EXPECT_FALSE(s().FonDragFlag);
    EXPECT_FALSE(s().ActiveDragFlag);
    editor.pnObjectsListMouseMove(20, 46);
    editor.pnObjectsListMouseUp();
    EXPECT_TRUE(s().ActiveDragFlag);
    EXPECT_EQ(s().DragGroup, 1);
    EXPECT_EQ(editor.DragRef, u"1"_s);
    EXPECT_EQ(editor.DragLayer, 2);
}

TEST_F(LevelFixture, DraggingMovesByExactDeltasAndActiveObjectsWinOverBackground)
{
    const int g = addFonGroup(u"a"_s, 10, 10);
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(200, 0, 0));
    const int bg = placeFon(g, 100, 100);
    const int sprite = placeActive(a, 300, 300);
    editor.start();

    editor.ImPositionObjectsMouseMove(110, 110);
    editor.ImPositionObjectsMouseDown(110, 110);
    EXPECT_EQ(s().FonMoveIndex, bg);
    editor.ImPositionObjectsMouseMove(117, 107);
    editor.ImPositionObjectsMouseMove(117, 107);
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 107);
    EXPECT_EQ(s().FonObject[size_t(bg)].Y, 97);
    EXPECT_EQ(px(107, 97), tileColour(1));
    EXPECT_EQ(px(106, 97), kWhite);
    EXPECT_EQ(px(107, 96), kWhite);
    editor.ImPositionObjectsMouseUp();
    EXPECT_EQ(s().FonMoveIndex, 0);
    editor.ImPositionObjectsMouseMove(150, 150);
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 107);

    // The sprite over the background: the press takes the sprite only.
    s().ActiveObject[size_t(sprite)].X = 150;
    s().ActiveObject[size_t(sprite)].Y = 150;
    editor.pereris();
    EXPECT_EQ(px(150, 150), qRgb(200, 0, 0));
    editor.ImPositionObjectsMouseMove(155, 155);
    editor.ImPositionObjectsMouseDown(155, 155);
    EXPECT_EQ(s().ActiveMoveIndex, sprite);
    EXPECT_EQ(s().FonMoveIndex, 0);
    editor.ImPositionObjectsMouseMove(162, 152);
    EXPECT_EQ(s().ActiveObject[size_t(sprite)].X, 157);
    EXPECT_EQ(s().ActiveObject[size_t(sprite)].Y, 147);
    EXPECT_EQ(s().FonObject[size_t(bg)].X, 107);
    EXPECT_EQ(px(157, 147), qRgb(200, 0, 0));
    EXPECT_EQ(px(156, 147), tileColour(1));
}

TEST_F(LevelFixture, ReleaseArmsResetDragButKeepsTheTextFlag)
{
    addFonGroup(u"a"_s, 1, 1);
    const int t = project.addTextObject(project.CurLevel);
    editor.start1();
    pick(1);
    pick(2);
    EXPECT_TRUE(s().FonDragFlag);
    EXPECT_TRUE(s().TextDragFlag);
    EXPECT_EQ(s().CurText, t);
    editor.ImPositionObjectsMouseDown(400, 400);
    editor.ImPositionObjectsMouseUp();
    EXPECT_TRUE(editor.ResetDrag);
    editor.ImPositionObjectsMouseMove(401, 402);
    EXPECT_FALSE(editor.ResetDrag);
    EXPECT_FALSE(s().FonDragFlag);
    EXPECT_TRUE(s().TextDragFlag);
    editor.ImPositionObjectsClick();
    EXPECT_EQ(s().TextObject[size_t(t)].X, 401);
    EXPECT_EQ(s().TextObject[size_t(t)].Y, 402);
    EXPECT_FALSE(s().TextDragFlag);
    EXPECT_EQ(s().FonObjCount, 0);
}

TEST_F(LevelFixture, DeletingHidesAnObjectAndKeepsEveryNumber)
{
    const int g = addFonGroup(u"a"_s, 2, 2);
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 0, 200));
    const int bg = placeFon(g, 500, 500);
    const int first = placeActive(a, 100, 100);
    placeActive(a, 200, 100);
    editor.start();
    EXPECT_EQ(px(100, 100), qRgb(0, 0, 200));

    EXPECT_EQ(editor.frPos_Obj1ImPositionObjectsContextPopup(105, 105), level::ContextMenu::PopupMenu3);
    EXPECT_EQ(editor.MenuObject, first);
    editor.N7Click();
    EXPECT_FALSE(s().ActiveObject[size_t(first)].Exists);
    EXPECT_EQ(s().ActiveObjCount, 2);
    EXPECT_EQ(s().ActiveObject[size_t(first)].X, 100);

    EXPECT_EQ(editor.frPos_Obj1ImPositionObjectsContextPopup(510, 510), level::ContextMenu::PopupMenu2);
    EXPECT_EQ(editor.MenuObject, bg);
    editor.N4Click();
    EXPECT_FALSE(s().FonObject[size_t(bg)].Exists);

    editor.ImPositionObjectsMouseMove(0, 0);
    EXPECT_EQ(px(100, 100), kWhite);
    EXPECT_EQ(px(510, 510), kWhite);
    EXPECT_EQ(px(200, 100), qRgb(0, 0, 200));
    EXPECT_EQ(editor.frPos_Obj1ImPositionObjectsContextPopup(105, 105), level::ContextMenu::None);
    EXPECT_EQ(editor.frPos_Obj1ImPositionObjectsContextPopup(510, 510), level::ContextMenu::None);
    editor.ImPositionObjectsMouseDown(105, 105);
    EXPECT_EQ(s().ActiveMoveIndex, 0);
    editor.ImPositionObjectsMouseUp();
    EXPECT_EQ(editor.SelRect, level::SelectionRect());
    editor.ImPositionObjectsMouseMove(0, 0);

    // A new object takes the next number.
    editor.start1();
    pick(2);
    click(50, 60);
    EXPECT_EQ(s().ActiveObjCount, 3);
    EXPECT_EQ(s().ActiveObject[3].X, 50);
    EXPECT_FALSE(s().ActiveObject[size_t(first)].Exists);
}

TEST_F(LevelFixture, ReleaseSelectsWithTheShrunkenAreaAndFramesTheFullExtent)
{
    const int g = addFonGroup(u"a"_s, 10, 1);
    const int bg = placeFon(g, 0, 100);
    editor.start();
    for (int x : {0, 120, 130}) {
        editor.ImPositionObjectsMouseDown(x, 105);
        editor.ImPositionObjectsMouseUp();
        EXPECT_EQ(editor.SelRect, level::SelectionRect()) << x;
    }
    for (int x : {1, 119}) {
        editor.ImPositionObjectsMouseDown(x, 105);
        editor.ImPositionObjectsMouseUp();
        EXPECT_EQ(editor.SelRect, (level::SelectionRect{0, 160, 100, 116})) << x;
        EXPECT_EQ(editor.MenuObject, bg + 1000);
    }
    // Outer frame at 0 and 159, the inner one 2 pixels in.
    const QRgb blink = editor.Blink.rgb();
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
}

TEST_F(LevelFixture, EmptyAndUnknownCellsLeaveTheMapWhite)
{
    const int g = addFonGroup(u"a"_s, 3, 1);
    s().FonGroup[size_t(g)].setCell(1, 2, 0);
    s().FonGroup[size_t(g)].setCell(1, 3, 17); // the sheet has 16 tiles
    s().FonGroup[size_t(g)].setCell(1, 1, 16);
    placeFon(g, 10, 10);
    editor.pereris();
    EXPECT_EQ(px(10, 10), tileColour(16));
    EXPECT_EQ(px(25, 25), tileColour(16));
    EXPECT_EQ(px(26, 10), kWhite);
    EXPECT_EQ(px(50, 20), kWhite);
    EXPECT_TRUE(editor.takeMessages().isEmpty());
}

TEST_F(LevelFixture, BackgroundInALaterSlotStillDrawsAndLayersFollowSlots)
{
    const int t = project.addTextObject(project.CurLevel);          // slot 1
    const int a = addActiveGroup(u"s"_s, 10, 10, qRgb(0, 200, 0));   // slot 2
    s().FonGroup[1] = model::FonGroupData();
    const int back = addFonGroup(u"back"_s, 4, 4, 3);               // slot 3
    const int front = addFonGroup(u"front"_s, 1, 1, 5);             // slot 4
    ASSERT_EQ(s().FonGroup[size_t(back)].ListSlot, 3);
    // Placed in the opposite order: the slot decides who is on top.
    placeFon(front, 20, 20);
    placeFon(back, 10, 10);
    placeActive(a, 30, 30);
    s().TextObject[size_t(t)].X = 0; // not positioned: no marker
    editor.start();
    EXPECT_EQ(px(10, 10), tileColour(3));
    EXPECT_EQ(px(20, 20), tileColour(5));
    EXPECT_EQ(px(30, 30), qRgb(0, 200, 0));
    EXPECT_EQ(editor.icons()[1].kind, level::SlotKind::Text);
    EXPECT_EQ(editor.icons()[2].kind, level::SlotKind::Active);
    EXPECT_EQ(editor.icons()[3].kind, level::SlotKind::Fon);
}

TEST_F(LevelFixture, PathPointsAreAddedByPressesAndDrawnAsAPolylineWithSquares)
{
    const int a = addActiveGroup(u"s"_s, 100, 100, qRgb(0, 0, 0));
    const int sprite = placeActive(a, 0, 0);
    placeActive(a, 500, 500);
    editor.pereris();
    editor.CurObject = 2;
    editor.pathStraight();
    for (auto [x, y] : {std::pair{10, 10}, {50, 10}, {50, 60}})
        editor.ImPositionObjectsMouseDown(x, y);
    editor.ImPositionObjectsMouseMove(70, 70);
    const model::ActiveObjectData& o = s().ActiveObject[2];
    ASSERT_EQ(o.PathCount, 3);
    EXPECT_EQ(o.Path[2], (model::PathPoint{50, 10}));
    EXPECT_EQ(o.Path[3], (model::PathPoint{50, 60}));
    // The presses picked nothing although they lay on a sprite.
    EXPECT_EQ(s().ActiveMoveIndex, 0);
    EXPECT_EQ(s().ActiveObject[size_t(sprite)].X, 0);

    const QRgb pen = LevelEditor::kScreenFrameColour;
    const QRgb fill = LevelEditor::kPathPointColour;
    EXPECT_EQ(px(9, 9), fill);       // inside the first square
    EXPECT_EQ(px(7, 7), pen);        // its outline, 6 x 6 from (7, 7)
    EXPECT_EQ(px(12, 12), pen);
    EXPECT_EQ(px(13, 13), qRgb(0, 0, 0));
    EXPECT_EQ(px(30, 10), pen);      // the segments
    EXPECT_EQ(px(50, 35), pen);
    EXPECT_EQ(px(30, 11), qRgb(0, 0, 0));
    EXPECT_EQ(px(49, 59), fill);     // the last square
    EXPECT_EQ(px(52, 62), pen);

    editor.pathDeleteLast();
    EXPECT_EQ(o.PathCount, 2);
    editor.pathConfirm();
    EXPECT_EQ(editor.PathEditMode, 0);
    EXPECT_EQ(s().MoveModeText, u"2"_s);
    editor.pereris();
    EXPECT_EQ(px(9, 9), qRgb(0, 0, 0)); // no path outside path drawing
    s().ActiveObject[2].PathCount = 0;
    editor.pathDeleteLast();
    EXPECT_EQ(o.PathCount, 0);
}

TEST_F(LevelFixture, BlinkColourStepsWithEveryRedraw)
{
    editor.SelRect = level::SelectionRect{10, 20, 10, 20};
    editor.start();
    EXPECT_EQ(px(10, 10), qRgb(10, 245, 10));
    EXPECT_EQ(px(19, 19), qRgb(10, 245, 10));
    EXPECT_EQ(px(12, 12), qRgb(10, 245, 10));
    EXPECT_EQ(px(11, 11), kWhite);
    editor.pereris();
    EXPECT_EQ(px(10, 10), qRgb(20, 235, 20));
    for (int i = 3; i <= 26; ++i)
        editor.pereris();
    EXPECT_EQ(editor.Blink.red, 260);
    EXPECT_FALSE(editor.Blink.up);
    EXPECT_EQ(px(10, 10), qRgb(4, 251, 4));
    editor.pereris();
    EXPECT_EQ(px(10, 10), qRgb(250, 5, 250));
}

TEST_F(LevelFixture, MovementChoiceReachesTheGroupOnlyWhenTheDialogCloses)
{
    addActiveGroup(u"a"_s, 10, 10, qRgb(9, 9, 9));
    const int g2 = addActiveGroup(u"b"_s, 10, 10, qRgb(9, 9, 9));
    addActiveGroup(u"c"_s, 10, 10, qRgb(9, 9, 9));
    const int sprite = placeActive(g2, 100, 100);
    editor.pereris();
    s().MoveModeText = u"1"_s;

    // A release on the map never touches a Caption, whatever the counts.
    editor.ImPositionObjectsMouseDown(700, 700);
    editor.ImPositionObjectsMouseUp();
    for (int g = 1; g <= 3; ++g)
        EXPECT_TRUE(s().ActiveGroup[size_t(g)].Caption.isEmpty()) << g;

    editor.ImPositionObjectsMouseDown(105, 105);
    int opened = 0;
    editor.N5Click([&](int i) {
        ++opened;
        EXPECT_EQ(i, sprite);
        EXPECT_EQ(editor.CurObject, sprite);
        editor.chooseMovementType(model::MovementType::Static);
    });
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(s().ActiveType[size_t(g2)], model::MovementType::Static);
    EXPECT_EQ(s().ActiveGroup[size_t(g2)].Caption, u"1"_s);
    EXPECT_EQ(s().ActiveType[1], model::MovementType::NotSet);
    EXPECT_EQ(s().ActiveType[3], model::MovementType::NotSet);

    // "Отмена" changes nothing but the copy still happens.
    s().ActiveType[size_t(g2)] = model::MovementType::NotSet;
    s().MoveModeText = u"2"_s;
    editor.N5Click([](int) {});
    EXPECT_EQ(s().ActiveType[size_t(g2)], model::MovementType::Static);
    EXPECT_EQ(s().ActiveGroup[size_t(g2)].Caption, u"2"_s);

    // Selecting an object gives its group the type chosen last.
    editor.chooseMovementType(model::MovementType::EightWay);
    editor.ImPositionObjectsMouseDown(101, 101);
    editor.ImPositionObjectsMouseUp();
    EXPECT_EQ(s().ActiveType[size_t(g2)], model::MovementType::EightWay);
    EXPECT_EQ(editor.MenuObject, sprite);
}

TEST_F(LevelFixture, BackgroundPropertiesVisitEveryExistingObjectUnderThePress)
{
    const int g1 = addFonGroup(u"a"_s, 4, 4);
    const int g2 = addFonGroup(u"b"_s, 4, 4);
    const int first = placeFon(g1, 0, 0);
    const int gone = placeFon(g2, 10, 10);
    const int second = placeFon(g2, 20, 20);
    editor.pereris();
    s().FonObject[size_t(gone)].Exists = false;
    editor.ImPositionObjectsMouseDown(30, 30);
    editor.ImPositionObjectsMouseUp();
    std::vector<int> visited;
    editor.N2Click([&](int i) { visited.push_back(i); });
    EXPECT_EQ(visited, (std::vector<int>{first, second}));
    EXPECT_EQ(editor.CurObject, second);
    EXPECT_TRUE(editor.ResetDrag);

    s().FonGroup[size_t(g2)].Obstacle = 7;
    editor.setObstacle(second, 1);
    EXPECT_EQ(s().FonGroup[size_t(g2)].Obstacle, 1);
    editor.setObstacle(second, 0);
    EXPECT_EQ(s().FonGroup[size_t(g2)].Obstacle, 0);
    EXPECT_EQ(s().FonGroup[size_t(g1)].Obstacle, 0);
    editor.setObstacle(99, 1); // no such object: nothing written
}

TEST_F(LevelFixture, ScreenFrameAndLivesBarSitAtTheOrigin)
{
    editor.setScreenSize(128, 176);
    s().LivesBar.BmpName = u"bar.bmp"_s;
    s().LivesBar.Width = 30;
    s().LivesBar.Height = 6;
    s().LivesBar.X = 300; // never used
    s().LivesBar.Y = 300;
    s().LivesBar.Present = true;
    writeBmp(tmp.app().objectFile(u"bar.bmp"_s), 30, 6, qRgb(250, 0, 0));
    editor.pereris();
    const QRgb frame = LevelEditor::kScreenFrameColour;
    EXPECT_EQ(px(127, 100), frame);
    EXPECT_EQ(px(0, 100), frame);
    EXPECT_EQ(px(100, 175), frame);
    EXPECT_EQ(px(128, 100), kWhite);
    EXPECT_EQ(px(100, 176), kWhite);
    EXPECT_EQ(px(1, 1), qRgb(250, 0, 0));
    EXPECT_EQ(px(29, 5), qRgb(250, 0, 0));
    EXPECT_EQ(px(300, 300), kWhite);

    // A press on the bar drops whatever the press picked.
    const int g = addFonGroup(u"a"_s, 4, 4);
    placeFon(g, 0, 0);
    editor.pereris();
    editor.ImPositionObjectsMouseDown(10, 3);
    EXPECT_EQ(s().FonMoveIndex, 0);
    editor.ImPositionObjectsMouseDown(10, 30);
    EXPECT_EQ(s().FonMoveIndex, 1);
}

TEST_F(LevelFixture, TextMarkersShowOnlyForPositionedTextsAndMayBeMissing)
{
    const int t1 = project.addTextObject(project.CurLevel);
    const int t2 = project.addTextObject(project.CurLevel);
    s().TextObject[size_t(t1)].X = 40;
    s().TextObject[size_t(t1)].Y = 50;
    s().TextObject[size_t(t2)].X = 60; // Y 0: not shown
    QFile::remove(tmp.app().imageFile(u"text1.bmp"_s)); // a missing marker is skipped silently
    editor.pereris();
    EXPECT_TRUE(editor.takeMessages().isEmpty());
    EXPECT_EQ(px(40, 50), kWhite);
    writeBmp(tmp.app().imageFile(u"text1.bmp"_s), 8, 8, qRgb(0, 99, 0));
    editor.pereris();
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
    editor.start1();
    pick(1);
    click(300, 300);
    EXPECT_EQ(s().FonObjCount, model::kMaxFonObjects);
    EXPECT_TRUE(editor.statusText().contains(u"100 фоновых объектов"_s)) << editor.statusText().toStdString();
    pick(2);
    click(300, 300);
    EXPECT_EQ(s().ActiveObjCount, model::kMaxActiveObjects);
    EXPECT_TRUE(editor.statusText().contains(u"100 активных объектов"_s));

    // A path has room for 40 points.
    editor.CurObject = 5;
    editor.pathStraight();
    for (int i = 1; i <= model::kMaxPathPoints + 3; ++i)
        editor.ImPositionObjectsMouseDown(i, i);
    EXPECT_EQ(s().ActiveObject[5].PathCount, model::kMaxPathPoints);
    EXPECT_EQ(s().ActiveObject[5].Path[40], (model::PathPoint{40, 40}));
    EXPECT_TRUE(editor.statusText().contains(u"40 точек"_s));
    editor.pathConfirm();
    // The next successful action clears the status.
    s().FonObjCount = 0;
    pick(1);
    click(300, 300);
    EXPECT_EQ(s().FonObjCount, 1);
    EXPECT_TRUE(editor.statusText().isEmpty());
}

TEST_F(LevelFixture, ASheetOfMoreThan500TilesIsRefused)
{
    // 30 x 20 tiles of 1 x 1.
    writeSheet(tmp.app().objectFile(u"big.png"_s), 30, 20, 1, 1);
    const int g = addFonGroup(u"big"_s, 2, 2, 1, 1, 1);
    editor.start1();
    pick(1);
    click(300, 300);
    EXPECT_EQ(s().FonObjCount, 0);
    EXPECT_TRUE(editor.statusText().contains(u"600"_s)) << editor.statusText().toStdString();
    EXPECT_TRUE(editor.statusText().contains(u"500"_s));
    // One already on the map (from a project file) is left out, said once.
    placeFon(g, 10, 10);
    for (int i = 0; i < 5; ++i)
        editor.ImPositionObjectsMouseMove(i, i);
    EXPECT_EQ(editor.takeMessages().size(), 1);
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
    editor.start();
    QStringList messages = editor.takeMessages();
    ASSERT_EQ(messages.size(), 3) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(messages[0].contains(u"a.bmp"_s));  // the list icon
    EXPECT_TRUE(messages[1].contains(u"a.png"_s));  // the tile sheet
    EXPECT_TRUE(messages[2].contains(u"bar.bmp"_s));
    EXPECT_EQ(px(200, 200), qRgb(0, 0, 250));
    EXPECT_EQ(px(10, 10), kWhite);
    // The missing object is still there to select and delete.
    EXPECT_EQ(s().FonObject[1].Width, 16);

    pick(1);
    for (int i = 0; i < 100; ++i)
        editor.ImPositionObjectsMouseMove(300 + i, 300);
    editor.start1();
    messages = editor.takeMessages();
    ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString(); // the dragged picture
    EXPECT_TRUE(messages[0].contains(u"a.bmp"_s));
    EXPECT_EQ(px(200, 200), qRgb(0, 0, 250));

    // Mended, then lost again: said again.
    writeSheet(tmp.app().objectFile(u"a.png"_s), 4, 4, 16, 16);
    editor.pereris();
    EXPECT_TRUE(editor.takeMessages().isEmpty());
    EXPECT_EQ(px(10, 10), tileColour(1));
    QFile::remove(tmp.app().objectFile(u"a.png"_s));
    editor.pereris();
    EXPECT_EQ(editor.takeMessages().size(), 1);
}

TEST_F(LevelFixture, ABrokenPictureIsReadOnceAndReportedOnce)
{
    s().LivesBar.BmpName = u"bar.bmp"_s;
    QFile bar(tmp.app().objectFile(u"bar.bmp"_s));
    ASSERT_TRUE(bar.open(QIODevice::WriteOnly));
    bar.write("BM not really a picture");
    bar.close();
    editor.pereris();
    const int decodes = editor.pictures().decodeCount();
    for (int i = 0; i < 20; ++i)
        editor.ImPositionObjectsMouseMove(300 + i, 300);
    EXPECT_EQ(editor.pictures().decodeCount(), decodes);
    const QStringList messages = editor.takeMessages();
    ASSERT_EQ(messages.size(), 1) << messages.join(u'\n').toStdString();
    EXPECT_TRUE(messages[0].contains(u"bar.bmp"_s));
    EXPECT_TRUE(messages[0].contains(u"повреждён"_s)) << messages[0].toStdString();
    EXPECT_EQ(px(1, 1), kWhite);

    // Mended on disk: read again and drawn.
    writeBmp(tmp.app().objectFile(u"bar.bmp"_s), 6, 6, qRgb(250, 0, 0));
    editor.pereris();
    EXPECT_EQ(editor.pictures().decodeCount(), decodes + 1);
    EXPECT_EQ(px(1, 1), qRgb(250, 0, 0));
}

TEST_F(LevelFixture, SheetsComeFromTheProjectWhenTheLibraryLacksThem)
{
    const int g = addFonGroup(u"a"_s, 1, 1, 2);
    QFile::rename(tmp.app().objectFile(u"a.png"_s), own(u"a.png"_s));
    placeFon(g, 5, 5);
    editor.pereris();
    EXPECT_TRUE(editor.takeMessages().isEmpty());
    EXPECT_EQ(px(5, 5), tileColour(2));
}

TEST_F(LevelFixture, NamesWithFoldersAreNeverRead)
{
    const int g = addFonGroup(u"a"_s, 1, 1);
    s().FonGroup[size_t(g)].PictureName = u"../../a.png"_s;
    placeFon(g, 5, 5);
    editor.pereris();
    const QStringList messages = editor.takeMessages();
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
    const int t = project.addTextObject(project.CurLevel);
    s().TextObject[size_t(t)].X = 600;
    s().TextObject[size_t(t)].Y = 600;
    for (int i = 0; i < 10; ++i) {
        placeFon(i % 2 ? g1 : g2, 50 * i, 300);
        placeActive(a, 50 * i, 500);
    }
    editor.start();
    pick(1);
    editor.ImPositionObjectsMouseMove(1, 1);
    const int decodes = editor.pictures().decodeCount();
    for (int i = 0; i < 100; ++i)
        editor.ImPositionObjectsMouseMove(100 + i, 100 + i);
    EXPECT_EQ(editor.pictures().decodeCount(), decodes);
    EXPECT_EQ(px(300, 500), qRgb(0, 0, 250));

    // A changed sprite is read once more, and drawn as it now is.
    writeBmp(own(u"s.bmp"_s), 12, 12, qRgb(0, 250, 0));
    for (int i = 0; i < 10; ++i)
        editor.ImPositionObjectsMouseMove(200, 200);
    EXPECT_EQ(editor.pictures().decodeCount(), decodes + 1);
    EXPECT_EQ(px(311, 511), qRgb(0, 250, 0));
    EXPECT_EQ(s().ActiveObject[1].Width, 12);

    // The uncached way reads every picture for every object.
    editor.setPictureCaching(false);
    editor.pereris();
    EXPECT_GE(editor.pictures().decodeCount(), decodes + 1 + 20);
    EXPECT_EQ(px(300, 300), tileColour(1));
}
