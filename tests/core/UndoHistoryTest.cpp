#include "undo/History.h"
#include "undo/Step.h"

#include <gtest/gtest.h>

#include <vector>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace probe {

// A state that keeps bytes beyond its size, as a stage's maps do.
struct Blob {
    int value = 0;
    std::vector<char> bytes;
    bool operator==(const Blob&) const = default;
};
std::size_t heldBytes(const Blob& blob)
{
    return blob.bytes.size();
}

} // namespace probe

namespace {

undo::SnapshotStep<int>* step(int& shown, int before, int after, int gesture)
{
    return new undo::SnapshotStep<int>(u"шаг"_s, before, after, [&shown](const int& v) { shown = v; }, gesture);
}

} // namespace

// The drags and strokes of the editors: one press, one step; back where it began, no step.
TEST(UndoHistory, StepsOfOneGestureMergeAndAGestureEndingWhereItBeganIsNoStep)
{
    undo::History history;
    int shown = 0;
    history.push(step(shown, 0, 1, 7));
    history.push(step(shown, 1, 2, 7));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(history.stack().count(), 1);
    history.stack().undo();
    EXPECT_EQ(shown, 0) << "undo goes back to before the first move of the gesture";
    history.stack().redo();
    EXPECT_EQ(shown, 2);

    history.push(step(shown, 2, 3, 8));
    EXPECT_EQ(history.stack().count(), 2) << "another gesture is another step";
    history.push(step(shown, 3, 2, 8));
    EXPECT_EQ(history.stack().count(), 1) << "the gesture came back: nothing to undo of it";

    history.push(step(shown, 2, 4, 0));
    history.push(step(shown, 4, 5, 0));
    EXPECT_EQ(history.stack().count(), 3) << "gesture 0 never merges";

    undo::History fresh;
    fresh.push(step(shown, 0, 1, 3));
    ASSERT_TRUE(fresh.isModified());
    fresh.push(step(shown, 1, 0, 3));
    EXPECT_FALSE(fresh.isModified()) << "back at the saved state";
}

// The saved state, changes no step takes back, and the one signal the menus follow.
TEST(UndoHistory, ModifiedFollowsTheSavedStateAndChangesOutsideTheSteps)
{
    undo::History history;
    int shown = 0;
    int changes = 0;
    std::vector<bool> announced;
    QObject::connect(&history, &undo::History::changed, [&] { ++changes; });
    QObject::connect(&history, &undo::History::modifiedChanged, [&](bool modified) { announced.push_back(modified); });

    history.push(step(shown, 0, 1, 0));
    EXPECT_TRUE(history.isModified());
    EXPECT_GT(changes, 0);
    history.stack().undo();
    EXPECT_FALSE(history.isModified());
    EXPECT_EQ(announced, (std::vector<bool>{true, false}));

    history.markModified();
    history.stack().redo();
    history.stack().undo();
    EXPECT_TRUE(history.isModified()) << "a change outside the steps stays unsaved, whatever is undone";
    history.setClean();
    EXPECT_FALSE(history.isModified());
    history.markModified();
    history.clear();
    EXPECT_FALSE(history.isModified());
    EXPECT_EQ(announced, (std::vector<bool>{true, false, true, false, true, false}));
}

// What a state keeps is measured, and a budget drops the oldest steps, never the newest.
TEST(UndoHistory, ABudgetDropsTheOldestStepsByWhatTheyKeep)
{
    using Step = undo::SnapshotStep<probe::Blob>;
    const auto blob = [](int value) { return probe::Blob{value, std::vector<char>(10000)}; };
    probe::Blob shown;
    const auto show = [&shown](const probe::Blob& b) { shown = b; };
    Step measured(u"шаг"_s, blob(0), blob(1), show);
    EXPECT_GE(measured.heldBytes(), std::size_t(20000));

    undo::History history(std::size_t(45000));
    for (int k = 1; k <= 4; ++k)
        history.push(new Step(u"шаг"_s, blob(k - 1), blob(k), show));
    EXPECT_EQ(history.stack().count(), 2);
    EXPECT_LE(history.heldBytes(), std::size_t(45000));
    history.setBudget(1);
    history.push(new Step(u"шаг"_s, blob(4), blob(5), show));
    EXPECT_EQ(history.stack().count(), 1) << "the newest stays, however large";
    history.stack().undo();
    EXPECT_EQ(shown.value, 4);
}
