#include "document/ProjectDocument.h"
#include "io/Error.h"
#include "io/Png.h"
#include "level/LevelCommands.h"
#include "level/LevelView.h"
#include "io/TextFile.h"
#include "objects/BackgroundObjectFile.h"
#include "objects/BarObjectFile.h"
#include "objects/ObjectFile.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <malloc.h>

#include <functional>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using level::ObjectKind;
using level::PlacedRef;

namespace {

// Every table of every stage, and the stage count: what an edit may change.
bool sameTables(const model::Project& a, const model::Project& b)
{
    if (a.LevelCount != b.LevelCount || a.GameScreen != b.GameScreen || a.GameSuite != b.GameSuite
        || a.TouchButtons != b.TouchButtons)
        return false;
    for (int level = 1; level <= model::kMaxLevels; ++level)
        if (!(a.stage(level) == b.stage(level)))
            return false;
    return true;
}

// A project made with the sample library: two stages, groups of each kind
// on stage 1, objects placed through the view as the author places them.
class DocumentFixture : public ::testing::Test {
protected:
    DocumentFixture() : doc(tmp.app()), view(doc)
    {
        test::writeSampleLibrary(tmp.app());
        doc.create(tmp.makeDir(u"лес"_s) + u"/project.prg"_s);
        doc.importObject(u"forest.obf"_s);
        doc.importObject(u"hero.oba"_s);
        doc.importObject(u"title.obt"_s);
        doc.addLevel();
        view.start();
        place(1, 100, 100);
        place(2, 300, 300);
        place(2, 400, 300);
    }

    const model::StageData& s() const { return doc.project().current(); }

    void place(int slot, int x, int y)
    {
        view.listPointerMoved(20, 50 * (slot - 1) + 20);
        view.listReleased();
        view.pointerMoved(x, y);
        view.pressed(x, y);
        view.released(true);
        view.pointerMoved(x + 1, y);
        view.tool().dropPicked(); // Esc, so the next press selects
    }

    // One edit: it changes the tables; undo gives back exactly the tables
    // before it, redo exactly those after it, as one step.
    void expectUndoable(const QString& what, const std::function<void()>& edit)
    {
        SCOPED_TRACE(what.toStdString());
        const model::Project before = doc.project();
        const int steps = doc.undoStack().count();
        edit();
        const model::Project after = doc.project();
        ASSERT_EQ(doc.undoStack().count(), steps + 1);
        EXPECT_EQ(doc.undoStack().undoText(), what);
        EXPECT_FALSE(sameTables(before, after)) << "the edit changed nothing";
        doc.undoStack().undo();
        EXPECT_TRUE(sameTables(doc.project(), before));
        doc.undoStack().redo();
        EXPECT_TRUE(sameTables(doc.project(), after));
    }

    test::TempAppFolder tmp;
    document::ProjectDocument doc;
    level::LevelView view;
};

} // namespace

TEST_F(DocumentFixture, EveryEditUndoesAndRedoesToIdenticalTables)
{
    level::LevelTool& tool = view.tool();
    expectUndoable(u"размещение объекта"_s, [&] { place(1, 500, 600); });
    expectUndoable(u"перемещение объекта"_s, [&] {
        view.pressed(305, 305);
        for (int i = 1; i <= 30; ++i)
            view.pointerMoved(305 + i, 305 - i);
        view.released(false);
    });
    expectUndoable(u"удаление объекта"_s, [&] {
        ASSERT_EQ(tool.contextMenuAt(110, 110), level::ContextMenu::Background);
        tool.deleteMenuObject();
    });
    expectUndoable(u"тип движения"_s, [&] { tool.chooseMovementType(1, model::MovementType::Static); });
    expectUndoable(u"тип движения"_s, [&] {
        tool.chooseMovementType(1, model::MovementType::Platform, model::MotionData{300, 50, 75, 60, 800, 850});
    });
    expectUndoable(u"свойства игры"_s, [&] { doc.setGameProperties({176, 208}, {}, {}, true); });
    expectUndoable(u"свойства игры"_s, [&] { doc.setGameProperties({240, 320}, {}); });
    expectUndoable(u"свойства игры"_s, [&] { doc.setGameProperties({240, 320}, {u"Я"_s, u"2.10.3"_s, u"Лес"_s}); });
    expectUndoable(u"свойства игры"_s, [&] { doc.setGameProperties({200, 300}, {}, model::GameBudgetData{500, 3000}); });
    expectUndoable(u"настройка фонового объекта"_s, [&] { tool.setObstacle(1, 1); });
    ASSERT_EQ(tool.contextMenuAt(405, 305), level::ContextMenu::Active);
    ASSERT_EQ(tool.propertiesTarget(level::ObjectKind::Active), 2);
    tool.setPathObject(2);
    tool.pathStraight();
    expectUndoable(u"точка пути"_s, [&] { view.pressed(10, 20); });
    view.pressed(30, 40);
    expectUndoable(u"удаление точки пути"_s, [&] { tool.pathDeleteLast(); });
    tool.pathConfirm();
    expectUndoable(u"размещение текста"_s, [&] { place(3, 70, 80); });
    expectUndoable(u"новый уровень"_s, [&] { doc.addLevel(); });
    for (const QString& name : {u"forest.obf"_s, u"ghost.oba"_s, u"title.obt"_s, u"lives.obl"_s}) {
        // The step keeps only what the import wrote: it must leave what the import alone leaves.
        model::Project alone = doc.project();
        persist::Load_object(alone, tmp.app(), name);
        expectUndoable(u"загрузка объекта «%1»"_s.arg(name), [&] { doc.importObject(name); });
        EXPECT_TRUE(sameTables(doc.project(), alone)) << name.toStdString();
    }
    // A second lives bar replaces the first; undo brings the first back.
    objects::BarObjectFile other;
    other.Width = 50;
    other.Height = 6;
    other.write(tmp.app().objectFile(u"other.obl"_s));
    expectUndoable(u"загрузка объекта «other.obl»"_s, [&] { doc.importObject(u"other.obl"_s); });
}

TEST_F(DocumentFixture, ADragOfManyMovesIsOneStepAndTwoDragsAreTwo)
{
    const int steps = doc.undoStack().count();
    const int x = s().ActiveObject[1].X;
    for (int drag = 1; drag <= 2; ++drag) {
        view.pressed(x + 5 + 20 * (drag - 1), 305);
        for (int i = 1; i <= 20; ++i)
            view.pointerMoved(x + 5 + 20 * (drag - 1) + i, 305);
        view.released(false);
        view.pointerMoved(0, 0);
    }
    EXPECT_EQ(s().ActiveObject[1].X, x + 40);
    EXPECT_EQ(doc.undoStack().count(), steps + 2);
    doc.undoStack().undo();
    EXPECT_EQ(s().ActiveObject[1].X, x + 20);
    doc.undoStack().undo();
    EXPECT_EQ(s().ActiveObject[1].X, x);
}

TEST_F(DocumentFixture, TheCleanStateFollowsSavesThroughUndoAndRedo)
{
    QSignalSpy modified(&doc, &document::ProjectDocument::modifiedChanged);
    EXPECT_TRUE(doc.isModified());
    doc.save();
    EXPECT_FALSE(doc.isModified());
    ASSERT_EQ(modified.count(), 1);
    EXPECT_FALSE(modified.last().at(0).toBool());

    doc.undoStack().undo();
    EXPECT_TRUE(doc.isModified());
    doc.undoStack().redo();
    EXPECT_FALSE(doc.isModified());
    // An edit after undoing past the save point cannot come back to it.
    doc.undoStack().undo();
    place(1, 700, 700);
    EXPECT_TRUE(doc.isModified());
    EXPECT_FALSE(doc.undoStack().canRedo());

    // Opening starts a new history, clean.
    doc.save();
    place(1, 800, 800);
    doc.open(doc.fileName());
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(doc.undoStack().count(), 0);
    EXPECT_EQ(doc.displayName(), u"лес"_s);

    // Opening measures the placed sprites and draws the map from one cache:
    // hero.bmp and the strip hero.png whose transparency it is drawn with, the list icons forest.bmp and
    // text.bmp, the sheet forest.png, each read once.
    document::ProjectDocument other(tmp.app());
    level::LevelView otherView(other);
    other.open(doc.fileName());
    EXPECT_EQ(other.pictures().decodeCount(), 5);
    EXPECT_EQ(other.project().stage(1).ActiveObject[1].Width, 48);
}

TEST_F(DocumentFixture, UndoingAnEditOfAnotherStageShowsThatStage)
{
    QSignalSpy current(&doc, &document::ProjectDocument::currentLevelChanged);
    doc.selectLevel(2);
    EXPECT_EQ(doc.project().CurLevel, 2);
    EXPECT_EQ(doc.project().SelLevel, 2);
    doc.undoStack().undo(); // the last placement, on stage 1
    EXPECT_EQ(doc.project().CurLevel, 1);
    EXPECT_EQ(doc.project().SelLevel, 1);
    EXPECT_EQ(doc.project().stage(1).ActiveObjCount, 1);
    EXPECT_EQ(current.count(), 2);
    // The view redraws the stage now shown: the undone object is gone.
    EXPECT_EQ(view.map().pixel(405, 305), qRgb(255, 255, 255));

    // A stage that does not exist is not chosen; undoing "новый уровень"
    // moves the selection back onto an existing stage.
    doc.selectLevel(3);
    EXPECT_EQ(doc.project().CurLevel, 1);
    doc.addLevel();
    doc.selectLevel(3);
    doc.undoStack().undo();
    EXPECT_EQ(doc.project().LevelCount, 2);
    EXPECT_EQ(doc.project().CurLevel, 2);
}

TEST_F(DocumentFixture, RefusedEditsLeaveNoStep)
{
    const int steps = doc.undoStack().count();
    const model::Project before = doc.project();
    EXPECT_THROW(doc.importObject(u"missing.obf"_s), io::Error);
    for (int level = doc.project().LevelCount; level < model::kMaxLevels; ++level)
        doc.addLevel();
    EXPECT_THROW(doc.addLevel(), io::Error);
    // A screen no phone has, a version phones cannot compare, and the same properties again, are no steps.
    EXPECT_THROW(doc.setGameProperties({15, 208}, {}), io::Error);
    EXPECT_THROW(doc.setGameProperties({176, 1001}, {}), io::Error);
    EXPECT_THROW(doc.setGameProperties({176, 208}, {{}, u"1.100"_s, {}}), io::Error);
    EXPECT_THROW(doc.setGameProperties({200, 300}, {}, model::GameBudgetData{15, 3000}), io::Error);
    doc.setGameProperties(doc.project().GameScreen, doc.project().GameSuite);
    // A handset screen has its own budget: one given with it changes nothing.
    doc.setGameProperties(doc.project().GameScreen, doc.project().GameSuite, model::GameBudgetData{500, 3000});
    EXPECT_EQ(doc.project().OwnBudget, std::nullopt);
    EXPECT_EQ(doc.project().GameScreen, before.GameScreen);
    EXPECT_EQ(doc.undoStack().count(), steps + model::kMaxLevels - before.LevelCount);
    EXPECT_TRUE(doc.project().stage(1) == before.stage(1));
}

TEST_F(DocumentFixture, AnObjectEditedInTheLibraryUpdatesItsGroupsKeepingEveryPlacementAsOneStep)
{
    model::StageData& stage = doc.edit().current();
    stage.FonGroup[1].Obstacle = 1;
    stage.ActiveType[1] = model::MovementType::Static;
    stage.ActiveGroup[1].Caption = u"2"_s;
    view.redrawMap();
    ASSERT_EQ(view.map().pixel(135, 105), qRgb(255, 255, 255)); // forest's empty cell
    ASSERT_EQ(view.map().pixel(305, 305), qRgb(200, 0, 0));
    const model::StageData before = s();
    const QString ownForest = doc.project().projectPath(u"objects/forest.obf"_s);
    const QByteArray oldForest = io::readWholeFile(ownForest);

    // The library's forest, edited since: every cell filled.
    objects::BackgroundObjectFile forest = objects::BackgroundObjectFile::read(tmp.app().objectFile(u"forest.obf"_s));
    forest.cells = {1, 2, 1, 3, 3, 4};
    forest.write(tmp.app().objectFile(u"forest.obf"_s));
    doc.updateObject(tmp.app().objectFile(u"forest.obf"_s));
    EXPECT_EQ(doc.undoStack().undoText(), u"обновление объекта «forest.obf»"_s);
    EXPECT_EQ(s().FonGroup[1].cell(1, 3), 1);
    EXPECT_EQ(s().FonGroup[1].Obstacle, 1);
    EXPECT_EQ(s().FonGroup[1].ListSlot, before.FonGroup[1].ListSlot);
    EXPECT_EQ(s().FonObject, before.FonObject);
    EXPECT_EQ(io::readWholeFile(ownForest), io::readWholeFile(tmp.app().objectFile(u"forest.obf"_s)));
    EXPECT_EQ(view.map().pixel(135, 105), qRgb(0, 128, 0)) << "the map is drawn again";
    // One step: undo gives back the stage and the project's old copy.
    doc.undoStack().undo();
    EXPECT_TRUE(s() == before);
    EXPECT_EQ(io::readWholeFile(ownForest), oldForest);
    EXPECT_EQ(view.map().pixel(135, 105), qRgb(255, 255, 255));
    doc.undoStack().redo();
    EXPECT_EQ(s().FonGroup[1].cell(1, 3), 1);

    // A sprite's new picture: its placed objects take its size, its movement settings stay, and the
    // map shows the new picture, though the cache had the old one.
    QImage hero(30, 20, QImage::Format_RGB32);
    hero.fill(qRgb(0, 0, 220));
    objects::writeObjectBmp(tmp.app(), u"hero.oba"_s, hero);
    doc.updateObject(tmp.app().objectFile(u"hero.oba"_s));
    EXPECT_EQ(s().ActiveObject[1].Width, 30);
    EXPECT_EQ(s().ActiveObject[2].Height, 20);
    EXPECT_EQ(s().ActiveObject[1].X, 300);
    EXPECT_EQ(s().ActiveType[1], model::MovementType::Static);
    EXPECT_EQ(s().ActiveGroup[1].Caption, u"2"_s);
    EXPECT_EQ(view.map().pixel(305, 305), qRgb(0, 0, 220));

    // Refused, nothing changed and no step: a name the stage does not hold, and another file
    // of a library object's name (the project would read the library's on opening).
    const int steps = doc.undoStack().count();
    const model::StageData now = s();
    const QString elsewhere = tmp.makeDir(u"elsewhere"_s) + u"/hero.oba"_s;
    QFile::copy(tmp.app().objectFile(u"ghost.oba"_s), elsewhere);
    for (const QString& path : {tmp.app().objectFile(u"ghost.oba"_s), elsewhere})
        EXPECT_THROW(doc.updateObject(path), io::Error) << path.toStdString();
    EXPECT_EQ(doc.undoStack().count(), steps);
    EXPECT_TRUE(s() == now);
}

namespace {

// A 100 x 100 map, the largest a stage holds, every cell a tile.
void writeLargestMap(const io::AppFolder& app)
{
    objects::BackgroundObjectFile map;
    map.PictureName = u"forest.png"_s;
    map.TileWidth = 16;
    map.TileHeight = 16;
    map.setMapSize(model::kMaxMapColumns, model::kMaxMapRows);
    for (std::size_t i = 0; i < map.cells.size(); ++i)
        map.cells[i] = int(i % 4) + 1;
    map.write(app.objectFile(u"large.obf"_s));
}

std::size_t heapInUse()
{
    return mallinfo2().uordblks;
}

} // namespace

TEST_F(DocumentFixture, FortyImportsOfTheLargestMapKeepOnlyTheirMapsInTheHistory)
{
    writeLargestMap(tmp.app());
    const model::StageData before = s();
    const int steps = doc.undoStack().count();
    const std::size_t heap = heapInUse();
    for (int i = 1; i <= 40; ++i)
        doc.importObject(u"large.obf"_s);
    const model::StageData after = s();
    ASSERT_EQ(doc.undoStack().count(), steps + 40) << "no step may be dropped under the budget";
    // 40 maps of 10,000 cells are 1.6 MB; two stage records a step would be about 64 MB.
    const std::size_t maps = 40 * 10000 * sizeof(int);
    EXPECT_GT(doc.history().heldBytes(), maps);
    EXPECT_LT(doc.history().heldBytes(), std::size_t(16) << 20);
    // The heap as the allocator counts it (nothing under a sanitizer): the model's maps and the history.
    EXPECT_LT(heapInUse() - std::min(heapInUse(), heap), maps + (std::size_t(16) << 20));

    for (int i = 1; i <= 40; ++i)
        doc.undoStack().undo();
    EXPECT_TRUE(s() == before);
    for (int i = 1; i <= 40; ++i)
        doc.undoStack().redo();
    EXPECT_TRUE(s() == after);
}

TEST_F(DocumentFixture, TheHistoryDropsItsOldestStepsBeyondItsBudgetKeepingTheSavedState)
{
    writeLargestMap(tmp.app());
    doc.save(); // a saved state the budget will drop
    doc.importObject(u"large.obf"_s);
    const model::StageData first = s();
    const std::size_t small = doc.history().heldBytes();
    doc.importObject(u"large.obf"_s);
    const std::size_t step = doc.history().heldBytes() - small;
    doc.importObject(u"large.obf"_s);
    // Room for exactly one more import: the history at its budget keeps every step.
    doc.history().setBudget(doc.history().heldBytes() + step);
    const int steps = doc.undoStack().count();
    doc.importObject(u"large.obf"_s);
    EXPECT_EQ(doc.undoStack().count(), steps + 1);
    doc.save();

    // One past it drops the oldest steps: the small ones, then the first import.
    QSignalSpy modified(&doc, &document::ProjectDocument::modifiedChanged);
    doc.importObject(u"large.obf"_s);
    const model::StageData last = s();
    EXPECT_EQ(doc.undoStack().count(), 4);
    EXPECT_LE(doc.history().heldBytes(), small + 4 * step);
    ASSERT_EQ(modified.count(), 1);
    EXPECT_TRUE(modified.last().at(0).toBool());
    EXPECT_EQ(doc.undoStack().undoText(), u"загрузка объекта «large.obf»"_s);

    // The saved state is still one undo away; the older one is gone for good.
    doc.undoStack().undo();
    EXPECT_FALSE(doc.isModified());
    while (doc.undoStack().canUndo())
        doc.undoStack().undo();
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(s() == first);
    while (doc.undoStack().canRedo())
        doc.undoStack().redo();
    EXPECT_TRUE(s() == last);
    // A step larger than the whole budget still stays, alone.
    doc.history().setBudget(1);
    doc.importObject(u"large.obf"_s);
    EXPECT_EQ(doc.undoStack().count(), 1);
    doc.undoStack().undo();
    EXPECT_TRUE(s() == last);
}
