#pragma once

#include <QString>
#include <QStringList>

namespace kestrava::app {

// What the command line asks for.
struct CommandLine {
    enum class Action { Edit, Convert, Package, Help, Version, Refuse };
    Action action = Action::Edit;
    QString appDir;
    QString projectFile;
    // --package --shrink: the game through ProGuard.
    bool shrink = false;
    // --package --strict: a game over its handset's budget is refused.
    bool strict = false;
    // Action::Refuse: what is wrong, for the author.
    QString error;
};

// Parses the arguments (without the program name). Runs before any
// application object exists, so a wrong option never tries to open a window.
CommandLine parseCommandLine(const QStringList& arguments);

// The Russian usage text; appFolder names the folders in use.
QString usageText(const QString& appFolder, const QString& resources);

} // namespace kestrava::app
