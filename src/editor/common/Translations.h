#pragma once

class QCoreApplication;

namespace kestrava::editor {

// Qt's own Russian texts for its standard dialogs (file chooser, message
// box buttons), from the translations Qt is installed with. False when
// they are not installed; the dialogs then stay in English.
bool installQtTranslation(QCoreApplication& application);

} // namespace kestrava::editor
