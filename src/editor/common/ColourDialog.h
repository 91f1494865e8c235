#pragma once

#include <QColor>

#include <optional>

class QAbstractButton;
class QWidget;

namespace kestrava::editor {

// The standard colour dialog behind a seam, so widget tests answer it.
class ColourDialog {
public:
    virtual ~ColourDialog() = default;
    // The confirmed colour; nothing when the dialog was cancelled.
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial);
};

// A colour button's face: a framed swatch of colour (0x00BBGGRR, or a system colour).
void showSwatch(QAbstractButton* button, int colour);

// A window that lives beside its owner, shown in front with the focus.
void showInFront(QWidget* window);

} // namespace kestrava::editor
