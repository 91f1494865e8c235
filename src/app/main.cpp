#include "editor/workspace/TMainform.h"
#include "io/AppFolder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QScreen>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char* argv[])
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    QApplication application(argc, argv);
    QApplication::setApplicationName(u"kestrava"_s);
    QApplication::setApplicationVersion(u"1.0.2"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Kestrava — конструктор мобильных игр"_s);
    parser.addHelpOption();
    const QCommandLineOption appDirOption(u"app-dir"_s, u"Папка программы (objects, images, draft, ...)."_s,
                                          u"DIR"_s);
    parser.addOption(appDirOption);
    parser.addPositionalArgument(u"PROJECT.prg"_s, u"Проект, который открыть."_s, u"[PROJECT.prg]"_s);
    if (!parser.parse(QApplication::arguments()) || parser.positionalArguments().size() > 1) {
        const QString error = parser.errorText().isEmpty() ? u"Слишком много аргументов."_s : parser.errorText();
        std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
        return 2;
    }
    if (parser.isSet(u"help"_s))
        parser.showHelp(0);

    const kestrava::io::AppFolder app(
        kestrava::io::AppFolder::locate(parser.value(appDirOption), QApplication::applicationDirPath()));
    app.ensureFolders();

    // Tahoma where installed, else a face with Cyrillic letters.
    QFont font(u"Tahoma"_s, 8);
    font.setFamilies({u"Tahoma"_s, u"DejaVu Sans"_s});
    QApplication::setFont(font);

    kestrava::editor::TMainform window(app);
    const QString projectFile = parser.positionalArguments().value(0);
    // Without a window manager (a bare X server) maximising does nothing, so
    // the window starts over the whole screen anyway.
    if (const QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    if (!projectFile.isEmpty())
        window.openProjectFile(QFileInfo(projectFile).absoluteFilePath());
    return application.exec();
}
