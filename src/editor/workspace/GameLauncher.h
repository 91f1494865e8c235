#pragma once

#include "packaging/Packager.h"
#include "model/ScreenChoice.h"

#include <QObject>

class QProcess;

namespace kestrava::io { class AppFolder; }
namespace kestrava::packaging { class StandbyJava; }

namespace kestrava::editor {

// "Играть": opens a packaged game in the player's window, one game at a time:
// in the window of the Java process kept beside the editor when there is
// one, a new game replacing the old, else in a player process of its own.
// When the player cannot start, or refuses or ends a game with an error,
// the author reads why in the error box.
class GameLauncher : public QObject {
    Q_OBJECT
public:
    explicit GameLauncher(QWidget* window, packaging::StandbyJava* standby = nullptr);
    ~GameLauncher() override;

    // Closes a game still open, then starts this one at the screen its jad
    // names, `size` (the project's). io::Error without Java.
    void play(const io::AppFolder& app, const packaging::Packager::Result& game, model::ScreenSize size);

    // The player process of its own, when the game plays in one.
    QProcess* process() const { return m_process; }

signals:
    // The game's first frame is on the screen (told by the kept process only).
    void firstFrame();

private:
    void playAlone();
    void stop();

    QWidget* m_window;
    packaging::StandbyJava* m_standby;
    QProcess* m_process = nullptr;
    // The game asked for last, played alone when the kept process cannot play it.
    const io::AppFolder* m_app = nullptr;
    packaging::Packager::Result m_game;
    model::ScreenSize m_size;
};

} // namespace kestrava::editor
