#pragma once

#include "events/Sheet.h"

#include <QColor>
#include <QImage>
#include <QString>

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
};
RowLook rowLook(const model::StageData& stage, int row);

} // namespace kestrava::events
