#include "editor/common/ColourDialog.h"

#include "io/ColourNames.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace kestrava::editor {

std::optional<QColor> ColourDialog::chooseColour(QWidget* parent, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

void showSwatch(QAbstractButton* button, int colour)
{
    QPixmap swatch(28, 14);
    swatch.fill(io::colourOf(colour));
    QPainter p(&swatch);
    p.setPen(Qt::black);
    p.drawRect(0, 0, swatch.width() - 1, swatch.height() - 1);
    p.end();
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}

void showInFront(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace kestrava::editor
