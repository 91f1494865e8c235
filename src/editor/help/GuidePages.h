#pragma once

#include <QString>

class QWidget;

namespace kestrava::editor {

// The guide's first page.
inline constexpr const char* kGuideContents = "index.md";

// The guide page of the window a widget belongs to: the nearest of its
// parents (itself first) that has a page of its own; in the main window,
// the page of the pane shown; the contents when none has one.
QString guidePageFor(const QWidget* widget);

// The page of a window or pane by its class name ("PathDialog"), empty when it has none.
QString guidePageOfClass(const QString& className);

} // namespace kestrava::editor
