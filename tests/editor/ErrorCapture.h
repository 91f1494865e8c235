#pragma once

#include "editor/common/ErrorBox.h"

#include <QString>
#include <QStringList>

namespace kestrava::test {

// Collects the messages the editor would show in the error box, for as long
// as it lives.
class ErrorCapture {
public:
    ErrorCapture()
    {
        editor::setErrorSink([this](const QString& message) { messages << message; });
    }
    ~ErrorCapture() { editor::setErrorSink(nullptr); }
    ErrorCapture(const ErrorCapture&) = delete;
    ErrorCapture& operator=(const ErrorCapture&) = delete;

    QStringList messages;
};

} // namespace kestrava::test
