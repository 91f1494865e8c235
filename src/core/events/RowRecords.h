#pragma once

#include "events/ActionCatalogue.h"
#include "events/ConditionCatalogue.h"
#include "model/Project.h"

#include <QString>

#include <optional>

namespace kestrava::events {

// The name a record gives its catalogue item: the menu and the path of
// submenus, which stay put while templates are mended.
QString itemKey(const ConditionItem& item);
QString itemKey(const ActionItem& item);
// The enabled item of that name; null for none (another version's item).
const ConditionItem* conditionItem(const QString& key);
const ActionItem* actionItem(const QString& key);

// The record of an item and what filled it: the values of the tokens its
// templates use.
model::CatalogueRecord recordOf(const ConditionItem& item, const ConditionInput& input);
model::CatalogueRecord recordOf(const ActionItem& item, const ActionInput& input);
// What a record filled its item with; nullopt when a number of it is none.
std::optional<ConditionInput> conditionInput(const model::CatalogueRecord& record);
std::optional<ActionInput> actionInput(const model::CatalogueRecord& record);

// The condition or action a record makes from today's catalogue; nullopt
// when it names no enabled item or its values cannot fill it.
std::optional<Condition> remakeCondition(const model::CatalogueRecord& record);
std::optional<Action> remakeAction(const model::CatalogueRecord& record);

// The caption and Java of every recorded condition and action made again
// from the catalogue, so a mended template reaches a saved project. Rows
// and cells without a usable record keep their stored texts; empty cells
// stay empty.
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

} // namespace kestrava::events
