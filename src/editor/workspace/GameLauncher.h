#pragma once

#include "packaging/Packager.h"
#include "settings/ScreenSize.h"

#include <QObject>

class QProcess;

namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

// "Играть": opens a packaged game in the player's window, one game at a time.
// The player runs as a process of its own; when it cannot start, or ends
// with an error, the author reads why in the error box.
class GameLauncher : public QObject {
    Q_OBJECT
public:
    explicit GameLauncher(QWidget* window);
    ~GameLauncher() override;

    // Closes a game still open, then starts this one. io::Error without Java.
    void play(const io::AppFolder& app, const packaging::Packager::Result& game, settings::ScreenSize size);

    QProcess* process() const { return m_process; }

private:
    void stop();

    QWidget* m_window;
    QProcess* m_process = nullptr;
};

} // namespace kestrava::editor
