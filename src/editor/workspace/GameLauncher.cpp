#include "editor/workspace/GameLauncher.h"

#include "editor/common/ErrorBox.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "packaging/JavaTools.h"
#include "packaging/PlayerCommand.h"
#include "packaging/StandbyJava.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

GameLauncher::GameLauncher(QWidget* window, packaging::StandbyJava* standby)
    : QObject(window), m_window(window), m_standby(standby)
{
    if (!standby)
        return;
    connect(standby, &packaging::StandbyJava::refused, this, [this](const QString& message) {
        // As a player of its own says it, ending with code 1.
        showError(m_window, u"Игра завершилась с ошибкой (код 1).\n%1"_s.arg(message.trimmed().right(600)));
    });
    connect(standby, &packaging::StandbyJava::unavailable, this, [this] {
        if (m_app)
            guarded(m_window, [this] { playAlone(); });
    });
    connect(standby, &packaging::StandbyJava::playing, this, [this] { stop(); });
    connect(standby, &packaging::StandbyJava::firstFrame, this, &GameLauncher::firstFrame);
}

GameLauncher::~GameLauncher()
{
    stop();
}

void GameLauncher::stop()
{
    if (!m_process)
        return;
    m_process->disconnect(this);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(2000))
            m_process->kill();
        m_process->waitForFinished(2000);
    }
    delete m_process;
    m_process = nullptr;
}

void GameLauncher::play(const io::AppFolder& app, const packaging::Packager::Result& game, model::ScreenSize size)
{
    if (!QFileInfo(app.player()).isFile())
        throw io::Error(u"Не найден проигрыватель игр «%1»: переустановите Kestrava."_s.arg(
            QDir::toNativeSeparators(app.player())));
    m_app = &app;
    m_game = game;
    m_size = size;
    // The jad names the screen: packaging wrote `size` into it.
    if (m_standby && m_standby->play(game.jad, game.name, packaging::playerScale(size)))
        return;
    playAlone();
}

void GameLauncher::playAlone()
{
    const io::AppFolder& app = *m_app;
    const QString java = packaging::findJavaTool(u"java"_s);
    if (m_standby)
        m_standby->stopGame();
    stop();
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::SeparateChannels);
    QProcess* process = m_process;
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            showError(m_window, u"Проигрыватель игр не запустился: %1. %2"_s.arg(
                process->errorString(), packaging::missingJavaMessage(u"java"_s)));
    });
    connect(process, &QProcess::finished, this, [this, process](int code, QProcess::ExitStatus status) {
        if (status == QProcess::NormalExit && code == 0)
            return;
        const QString why = QString::fromUtf8(process->readAllStandardError()).trimmed().right(600);
        showError(m_window, u"Игра завершилась с ошибкой (код %1).\n%2"_s.arg(code).arg(why));
    });
    process->start(java, packaging::playerArguments(app, m_game.jad, m_game.name, m_size));
}

} // namespace kestrava::editor
