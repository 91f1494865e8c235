#pragma once

#include <QString>
#include <QStringList>

namespace kestrava::events {

// The name of a condition chooser icon (1..12) as the chooser shows it.
QString conditionIconName(int icon);
// The title of an event sheet column (1..20) as its header shows it.
QString columnTitle(int column);

// The guide's pages of the condition and action catalogues (Markdown, in
// Russian): every item of every menu with its menu path, what it asks for,
// what the sheet shows and what it does in the game. Made from the
// catalogues, so the guide lists exactly the items the menus offer.
QString conditionCataloguePage();
QString actionCataloguePage();

// Items without an explanation (their menu paths), for a test that keeps
// the guide whole: empty when every enabled item has one.
QStringList itemsWithoutExplanation();

} // namespace kestrava::events
