#pragma once

#include "events/Sheet.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <array>

namespace kestrava::events {

// The header pictures of columns 1..20 (entry 0 unused), fitted to a cell;
// a null image leaves its cell white.
using ColumnPictures = std::array<QImage, kColumns + 1>;

// Paints the sheet of a stage into image (kSheetWidth x kSheetHeight):
// white, a line under every row of a known kind, the mark of every cell
// that holds an action, the header pictures and the column lines down to
// the last row.
void repaint(QImage& image, const model::StageData& stage, const QImage& mark, const ColumnPictures& pictures);

// A header picture as a cell shows it: a group's picture may be any size.
QImage fitToCell(const QImage& picture);

// How the number button and the label of a row look.
struct RowLook {
    QString buttonCaption;
    // Group and comment rows: the button spans the sheet and carries the title.
    bool wide = false;
    QColor buttonColour = Qt::black;
    QString labelText;
    // The row names objects the stage has no active group for: its label is
    // red and says which.
    QString problem;
};
RowLook rowLook(const model::StageData& stage, int row);

// What an action cell shows of its caption: the words that tell actions of
// one column apart ("режим: атака" -> "атака", "жизни = 3" -> "жизни=3").
QString shortCaption(const QString& caption);

// An object number of the sheet with the name of its active group:
// "объект 2 «призрак»"; one the stage lacks says so.
QString objectName(const model::StageData& stage, const QString& number);
// Those of numbers that are no active group of the stage, each once.
QStringList missingObjects(const model::StageData& stage, const QStringList& numbers);
// The object numbers a row names (its condition and every action) that are
// no active group of the stage, each once.
QStringList missingObjects(const model::StageData& stage, int row);
// What the pointer over a cell of a row shows: the action's caption (the
// condition's in column 0) and the objects it names; empty for none.
QString cellHint(const model::StageData& stage, Cell cell);
// Every row of the project naming an object its stage lacks or a sound the
// project lacks, one line each, for the message of a conversion.
QStringList unmetRowNotes(const model::Project& project);

} // namespace kestrava::events
