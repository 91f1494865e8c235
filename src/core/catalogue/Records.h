#pragma once

#include "model/Project.h"

#include <QString>

namespace kestrava::catalogue {

// The caption and Java of every recorded condition and action of a row made
// again from today's catalogue, so a mended template reaches a saved
// project. A condition or cell without a usable record keeps its stored
// texts; empty cells stay empty.
void remakeRowTexts(model::EventRowData& row);
// The same for the condition alone, or the action of one column (1..20).
void remakeConditionTexts(model::EventRowData& row);
void remakeActionTexts(model::EventRowData& row, int column);
// The same for every row of a stage (of every stage).
void remakeRecordedTexts(model::StageData& stage);
void remakeRecordedTexts(model::Project& project);

// A comparison's readable text split at its operator: "жизни>=2" gives
// "жизни", ">=", "2"; a one-value comparison (">=2") has an empty left side.
struct Comparison {
    QString left;
    QString relation;
    QString right;
};
Comparison splitComparison(const QString& text);

} // namespace kestrava::catalogue
