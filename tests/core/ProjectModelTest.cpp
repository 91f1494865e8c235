#include "io/Error.h"
#include "model/Numbers.h"
#include "model/Project.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace kestrava::model;
using namespace Qt::Literals::StringLiterals;

TEST(ProjectModel, SlotRuleNumbersGroupsAndSlots)
{
    Project p;
    EXPECT_EQ(p.addFonGroup(1), 1);
    EXPECT_EQ(p.addActiveGroup(1), 1);
    EXPECT_EQ(p.addTextObject(1), 1);
    EXPECT_EQ(p.addFonGroup(1), 2);
    const StageData& s = p.stage(1);
    EXPECT_EQ(s.FonGroup[1].ListSlot, 1);
    EXPECT_EQ(s.FonGroup[1].Index, 1);
    EXPECT_EQ(s.ActiveGroup[1].ListSlot, 2);
    EXPECT_EQ(s.ActiveGroup[1].Index, 1);
    EXPECT_EQ(s.TextObject[1].ListSlot, 3);
    EXPECT_EQ(s.FonGroup[2].ListSlot, 4);
    EXPECT_EQ(s.FonGroup[2].Index, 2);
    EXPECT_EQ(s.ListSlotCount, 4);
    // Another stage has a list of its own.
    EXPECT_EQ(p.addActiveGroup(2), 1);
    EXPECT_EQ(p.stage(2).ActiveGroup[1].ListSlot, 1);
}

TEST(ProjectModel, FullTablesRefuseAndChangeNothing)
{
    Project p;
    for (int i = 0; i < kMaxTextObjects; ++i)
        p.addTextObject(3);
    const StageData before = p.stage(3);
    EXPECT_THROW(p.addTextObject(3), io::Error);
    EXPECT_TRUE(p.stage(3) == before);

    // The object list holds 100 icons, whatever their kinds.
    Project q;
    for (int i = 0; i < kMaxFonGroups; ++i)
        q.addFonGroup(1);
    EXPECT_THROW(q.addFonGroup(1), io::Error);
    EXPECT_THROW(q.addActiveGroup(1), io::Error);
    EXPECT_EQ(q.stage(1).ActiveGroupCount, 0);
    EXPECT_EQ(q.stage(1).ListSlotCount, kMaxListSlots);

    Project r;
    for (int i = 1; i < kMaxLevels; ++i)
        r.addLevel();
    EXPECT_EQ(r.LevelCount, kMaxLevels);
    EXPECT_THROW(r.addLevel(), io::Error);
    EXPECT_EQ(r.LevelCount, kMaxLevels);
}

// Tables hold only what was written, but read and compare as full tables.
TEST(ProjectModel, TablesReadWholeAndCompareByContent)
{
    StageData written;
    const StageData& untouched = written;
    EXPECT_TRUE(untouched.EventRow[kMaxEventRows].CondCode.isEmpty()); // the last entry, never written
    EXPECT_THROW(untouched.EventRow[kMaxEventRows + 1], std::out_of_range);
    EXPECT_THROW(written.TextObject[kMaxTextObjects + 1], std::out_of_range);

    // Writing a default record, or only reading through a writable table,
    // changes nothing as far as equality goes; a real value does.
    written.FonObject[100] = model::FonObjectData();
    (void)written.TextObject[20].X;
    EXPECT_TRUE(written == StageData());
    EXPECT_TRUE(StageData() == written);
    written.TextObject[20].X = 1;
    EXPECT_FALSE(written == StageData());
    EXPECT_FALSE(StageData() == written);
}

TEST(ProjectModel, ResetClearsEveryStageAndCount)
{
    Project p;
    p.ProjectDir = u"/home/a/game"_s;
    p.LevelCount = 4;
    p.SelLevel = 3;
    p.CurLevel = 3;
    for (int level : {1, 4, 20}) {
        StageData& s = p.stage(level);
        p.addFonGroup(level);
        p.addActiveGroup(level);
        p.addTextObject(level);
        s.FonObjCount = 2;
        s.ActiveObjCount = 5;
        s.ActiveObject[5].Ref = u"1"_s;
        s.EventCount = 7;
        s.ActionCount = 9;
        s.EventCurRow = 7;
        s.EventRow[30].CondCode = u"(obtime>0)"_s;
        s.LivesBar.Present = true;
        s.ActiveType[1] = model::MovementType::Planned;
    }
    p.reset();
    EXPECT_TRUE(p == Project());
    EXPECT_EQ(p.LevelCount, 1);
    EXPECT_EQ(p.SelLevel, 1);
    EXPECT_EQ(p.CurLevel, 1);
    EXPECT_FALSE(p.hasProjectDir());
    EXPECT_EQ(p.stage(20).ActiveObjCount, 0);
    EXPECT_TRUE(p.stage(4).EventRow[30].CondCode.isEmpty());
    EXPECT_FALSE(p.stage(1).LivesBar.Present);
}

TEST(ProjectModel, MapCellsAreOneBasedAndBounded)
{
    FonGroupData g;
    g.setMapSize(3, 2);
    g.setCell(1, 1, 1);
    g.setCell(2, 3, 7);
    EXPECT_EQ(g.cell(1, 1), 1);
    EXPECT_EQ(g.cell(2, 3), 7);
    EXPECT_EQ(g.cell(3, 1), 0);
    EXPECT_EQ(g.Cells.size(), 6u);
    EXPECT_THROW(g.setMapSize(101, 1), std::out_of_range);
    EXPECT_THROW(Project().stage(21), std::out_of_range);
}

TEST(Nearest, TiesGoToEven)
{
    EXPECT_EQ(nearest(120.5), 120);
    EXPECT_EQ(nearest(121.5), 122);
    EXPECT_EQ(nearest(0.5), 0);
    EXPECT_EQ(nearest(2.4), 2);
    EXPECT_EQ(nearest(2.6), 3);
    EXPECT_EQ(nearest(-1.5), -2);
    EXPECT_EQ(nearest(-2.5), -2);
}
