#pragma once

#include "io/Error.h"

#include <QString>

#include <functional>

class QWidget;

namespace kestrava::editor {

// The one place where failures reach the author: the standard error box.
void showError(QWidget* parent, const QString& message);

// A warning that stops nothing (something read with reservations); it goes
// where the errors go.
void showWarning(QWidget* parent, const QString& message);

// Runs an author's command; an io::Error (or any other failure) it throws is
// shown in the error box. Returns false when the command failed.
bool guarded(QWidget* parent, const std::function<void()>& command);

// Redirects showError to a sink instead of the modal box, so widget tests can
// read the messages; nullptr restores the box.
void setErrorSink(std::function<void(const QString&)> sink);

} // namespace kestrava::editor
