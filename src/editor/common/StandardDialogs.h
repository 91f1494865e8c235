#pragma once

#include <QString>

class QWidget;

namespace kestrava::editor {

// The file dialogs of the main window, behind a seam so that tests can answer
// them. An empty result means the dialog was cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // filter uses Qt's form: "файл проекта (*.prg)"; defaultSuffix without the dot.
    virtual QString saveFileName(QWidget* parent, const QString& startDir, const QString& filter,
                                 const QString& defaultSuffix);
    virtual QString openFileName(QWidget* parent, const QString& startDir, const QString& filter);
};

} // namespace kestrava::editor
