#pragma once

#include "model/GameBudget.h"
#include "model/ScreenSize.h"

#include <QString>

#include <array>
#include <optional>

namespace kestrava::model {

// The game screen size the author chooses under "Настройки игры".

// The handset screens the size dialog offers, smallest first.
const std::array<ScreenSize, 5>& handsetScreens();

// A size box: blanks at both ends ignored, a decimal number with either
// "," or "." before its fraction, rounded to the nearest integer (halves to
// even). Anything else is an io::Error naming the box and its text.
int parseSizeBox(const QString& text, const QString& boxName);

// The size after "Да" in the size dialog: the handset screen chosen, else
// with `own` the author's size from the boxes (each side
// model::kMinScreenSide..kMaxScreenSide), else `current`. Both boxes are read
// before anything changes, so a bad box leaves the whole choice as it was.
ScreenSize applySizeChoice(ScreenSize current, std::optional<ScreenSize> handset, bool own,
                           const QString& widthText, const QString& heightText);

// The author's own budget from the size dialog's boxes, in KB: whole
// numbers, blanks at both ends ignored, each kMinBudgetKB..kMaxBudgetKB.
// Both are read before anything changes; anything else is an io::Error
// naming the box and its text.
GameBudgetData parseBudgetBoxes(const QString& jarText, const QString& heapText);

// A budget as "Настройки игры" shows it: "jar до 300 КБ, память игры 2048 КБ".
QString budgetText(const GameBudgetData& budget);

// The size button's caption: "размер: 128 x 176".
QString sizeButtonCaption(ScreenSize size);

// A size as the dialog names it: "176 x 208".
QString sizeText(ScreenSize size);

} // namespace kestrava::model
