#pragma once

#include <QColor>

#include <optional>

class QWidget;

namespace kestrava::editor {

// The standard colour dialog behind a seam, so widget tests answer it.
class ColourDialog {
public:
    virtual ~ColourDialog() = default;
    // The confirmed colour; nothing when the dialog was cancelled.
    virtual std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial);
};

} // namespace kestrava::editor
