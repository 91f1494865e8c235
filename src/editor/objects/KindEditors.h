#pragma once

#include "model/ObjectKind.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

class StandardDialogs;

// What the editor gives each kind of object: its button in the chooser of
// "Объекты" → "Создать" and the editor window that button opens. The one
// place a new kind's editor is named.
struct KindEditor {
    QString button;     // the chooser's caption
    QString buttonName; // its objectName
    // Runs the kind's editor window over `parent` until it is closed;
    // textValues: what a text may show in braces (the project's variables).
    void (*run)(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent, const QStringList& textValues);
};

KindEditor kindEditor(model::ObjectKind kind);

} // namespace kestrava::editor
