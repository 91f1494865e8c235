#pragma once

#include <QString>
#include <QStringList>

namespace kestrava::catalogue {

// The guide's pages of the condition and action catalogues (Markdown, in
// Russian): every item of every menu with its menu path, what it asks for,
// what the sheet shows and what it does in the game. Made from the
// catalogues, so the guide lists exactly the items the menus offer.
QString conditionCataloguePage();
QString actionCataloguePage();

// Enabled items without an explanation (their keys), for a test that keeps
// the guide whole.
QStringList itemsWithoutExplanation();

} // namespace kestrava::catalogue
