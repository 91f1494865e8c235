#include "editor/common/ColourDialog.h"

#include <QColorDialog>

namespace kestrava::editor {

std::optional<QColor> ColourDialog::chooseColour(QWidget* parent, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

} // namespace kestrava::editor
