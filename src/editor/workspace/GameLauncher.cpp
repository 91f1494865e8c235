#include "editor/workspace/GameLauncher.h"

#include "editor/common/ErrorBox.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "packaging/JavaTools.h"
#include "packaging/PlayerCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

GameLauncher::GameLauncher(QWidget* window) : QObject(window), m_window(window) {}

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

void GameLauncher::play(const io::AppFolder& app, const packaging::Packager::Result& game, settings::ScreenSize size)
{
    if (!QFileInfo(app.player()).isFile())
        throw io::Error(u"Не найден проигрыватель игр «%1»: переустановите Kestrava."_s.arg(
            QDir::toNativeSeparators(app.player())));
    const QString java = packaging::findJavaTool(u"java"_s);
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
    process->start(java, packaging::playerArguments(app, game.jad, game.name, size));
}

} // namespace kestrava::editor
