#include "app/CommandLine.h"
#include "app/ConvertCommand.h"
#include "editor/common/Translations.h"
#include "editor/workspace/MainWindow.h"
#include "io/AppFolder.h"
#include "io/Staging.h"
#include "io/Error.h"
#include "persist/ProjectFile.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QScreen>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using kestrava::app::CommandLine;

namespace {

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The executable's folder before any application object exists.
QString executableDir(const char* argv0)
{
    const QFileInfo self(u"/proc/self/exe"_s);
    if (self.exists())
        return QFileInfo(self.canonicalFilePath()).absolutePath();
    return QFileInfo(QString::fromLocal8Bit(argv0)).absolutePath();
}

void print(std::FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
}

std::optional<kestrava::io::AppFolder> locate(const CommandLine& line, const char* argv0)
{
    try {
        return kestrava::io::AppFolder::locate(line.appDir, executableDir(argv0));
    } catch (const kestrava::io::Error& e) {
        print(stderr, e.message() + u'\n');
        return std::nullopt;
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    const CommandLine line = kestrava::app::parseCommandLine(argumentsOf(argc, argv));
    switch (line.action) {
    case CommandLine::Action::Refuse: {
        const std::optional<kestrava::io::AppFolder> app = locate(CommandLine(), argv[0]);
        print(stderr, line.error + u"\n\n"_s
                          + kestrava::app::usageText(app ? app->root() : QString(), app ? app->resources() : QString()));
        return 2;
    }
    case CommandLine::Action::Help: {
        const std::optional<kestrava::io::AppFolder> app = locate(line, argv[0]);
        print(stdout, kestrava::app::usageText(app ? app->root() : QString(), app ? app->resources() : QString()));
        return 0;
    }
    case CommandLine::Action::Version:
        print(stdout, u"kestrava %1\n"_s.arg(QStringLiteral(KESTRAVA_VERSION)));
        return 0;
    case CommandLine::Action::Convert:
    case CommandLine::Action::Package: {
        // Conversion and packaging run without a display: no widget application.
        QCoreApplication application(argc, argv);
        const std::optional<kestrava::io::AppFolder> app = locate(line, argv[0]);
        if (!app)
            return 1;
        QTextStream out(stdout);
        QTextStream err(stderr);
        const QString file = QFileInfo(line.projectFile).absoluteFilePath();
        if (line.action == CommandLine::Action::Package)
            return kestrava::app::runPackageFile(file, *app, out, err, line.shrink, line.strict);
        return kestrava::app::runConvertFile(file, *app, out, err);
    }
    case CommandLine::Action::Edit:
        break;
    }

    const std::optional<kestrava::io::AppFolder> app = locate(line, argv[0]);
    if (!app)
        return 1;
    app->ensureFolders();
    // An object editor's save stopped by a crash is finished or removed.
    kestrava::io::finishInterruptedWrites(app->root());
    // The project named on the command line is read while the window is built.
    const QString projectFile = line.projectFile.isEmpty() ? QString() : QFileInfo(line.projectFile).absoluteFilePath();
    std::optional<kestrava::persist::ProjectPreload> preload;
    if (!projectFile.isEmpty())
        preload.emplace(*app, projectFile);
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"kestrava"_s);
    QApplication::setApplicationVersion(QStringLiteral(KESTRAVA_VERSION));
    // The standard dialogs speak Russian with the rest of the program.
    kestrava::editor::installQtTranslation(application);

    // Tahoma where installed, else a face with Cyrillic letters.
    QFont font(u"Tahoma"_s, 8);
    font.setFamilies({u"Tahoma"_s, u"DejaVu Sans"_s});
    QApplication::setFont(font);

    kestrava::editor::MainWindow window(*app);
    // Without a window manager (a bare X server) maximising does nothing, so
    // the window starts over the whole screen anyway.
    if (const QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    // The window comes up at once and answers while the project is read; the
    // project opens once read, unless the author opened or made another meanwhile.
    QTimer waiting;
    if (preload) {
        QObject::connect(&waiting, &QTimer::timeout, &window, [&] {
            if (!preload->ready())
                return;
            waiting.stop();
            if (!window.document().project().hasProjectDir())
                window.openProjectFile(projectFile, &*preload);
        });
        waiting.start(5);
    }
    return application.exec();
}
