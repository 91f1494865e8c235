#pragma once

#include "io/AppFolder.h"
#include "packaging/IncrementalCompile.h"
#include "packaging/JavaTools.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace kestrava::packaging {

// One Java process kept beside the editor (the player's standby face): it
// keeps the Eclipse compiler's classes loaded and compiles on request with the
// arguments packaging gives any compile, and plays games one after another in
// one window, under the games' heap limit. Whatever it cannot do (no Java,
// the process died, another compiler) the caller does the one-shot way. A
// process that ends itself because an ended game's code still ran in it is
// started again at once, and is not counted as one that died. The process reads its requests
// from a socket that only this object holds, so it ends when this object or
// the editor does, however the editor ends; idle, it waits on that socket.
// compile() may be called from any thread; the signals come from a thread of
// this object's own.
class StandbyJava : public QObject {
    Q_OBJECT
public:
    explicit StandbyJava(const io::AppFolder& app, QObject* parent = nullptr);
    ~StandbyJava() override;

    // Plays games without a window (the game tests' face); before start().
    void playWithoutWindow() { m_headless = true; }

    // Starts the process unless it runs, and warms its compiler up on the game
    // runtime's sources while nobody waits; false when it cannot start (no
    // Java, no player, or it died too often this session).
    bool start();
    bool running() const;
    // The process id while it runs, else 0.
    qint64 pid() const;

    // Compiles as `compiler` would with these arguments, starting the process
    // if need be; nullopt when the process cannot (it died, or was started with
    // other compiler classes) or `cancelled` said so while waiting.
    std::optional<CompilerRun> compile(const GameCompiler& compiler, const QStringList& arguments,
                                       const std::function<bool()>& cancelled);

    // Asks the process to play the game of `jad` in its window, ending the
    // game it plays; false when it cannot be asked. The answer comes as a
    // signal: playing(), refused(message) or unavailable().
    bool play(const QString& jad, const QString& title, int scale);
    // Ends the game the process plays and hides its window.
    void stopGame();

    static constexpr int kMaxStarts = 3;

signals:
    void playing();
    // The game did not start; the player's message.
    void refused(const QString& message);
    // The process cannot play it (no display, it died): the caller plays it another way.
    void unavailable();
    // The game's first frame is on the screen.
    void firstFrame();
    // The game stopped with an error (its window shows it too); the player's message.
    void failed(const QString& message);

private:
    struct Process;
    // warm: compile the runtime's sources first, when no request waits.
    bool startLocked(std::unique_lock<std::mutex>& lock, bool warm);
    bool sendLocked(const QStringList& message);
    void readReplies(std::shared_ptr<Process> process);
    void warmUp();
    void endLocked(std::unique_lock<std::mutex>& lock);

    const io::AppFolder& m_app;
    mutable std::mutex m_mutex;
    std::condition_variable m_replied;
    std::shared_ptr<Process> m_process;
    std::thread m_reader;
    GameCompiler m_compiler;
    std::unique_ptr<QTemporaryDir> m_work;
    std::map<qint64, QStringList> m_replies;
    qint64 m_serial = 0;
    qint64 m_playSerial = 0;
    int m_starts = 0;
    bool m_headless = false;
};

} // namespace kestrava::packaging
