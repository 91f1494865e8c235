#pragma once

#include "model/ScreenSize.h"

#include <QString>

#include <optional>

namespace kestrava::model {

// What a handset gives a game ("Настройки игры"): the largest jar it takes
// and the heap the game gets, in KB (1024 bytes).
struct GameBudgetData {
    int JarKB = 0;
    int HeapKB = 0;
    bool operator==(const GameBudgetData&) const = default;
};

// Each figure of a budget: no phone takes less, and none gives a game more
// than the player does (packaging::kGameHeapMegabytes).
inline constexpr int kMinBudgetKB = 16;
inline constexpr int kMaxBudgetKB = 64 * 1024;

// The budget of a handset screen "Настройки игры" offers; none for any other.
std::optional<GameBudgetData> handsetBudget(ScreenSize screen);

// The budget a screen of one's own has until its author gives another: that
// of the largest handset screen no wider and no higher, else the smallest's.
GameBudgetData defaultBudget(ScreenSize screen);

// The budget a game is held to: its handset screen's, else the author's own
// for that screen (`own`), else defaultBudget.
GameBudgetData gameBudget(ScreenSize screen, const std::optional<GameBudgetData>& own);

// What is wrong with a budget, in Russian, naming the figure; empty when nothing is.
QString gameBudgetProblem(const GameBudgetData& budget);

} // namespace kestrava::model
