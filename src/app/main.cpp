#include "app/ConvertCommand.h"
#include "editor/common/Translations.h"
#include "editor/workspace/TMainform.h"
#include "io/AppFolder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QFont>
#include <QLocale>
#include <QScreen>
#include <QTextStream>

#include <cstdio>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace {

struct CommandLine {
    QString appDir;
    QString projectFile;
    bool convert = false;
    bool package = false;
};

// Parses the arguments; prints the usage and returns false when they are wrong.
bool parseCommandLine(const QStringList& arguments, CommandLine* result)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Kestrava — конструктор мобильных игр"_s);
    parser.addHelpOption();
    const QCommandLineOption appDirOption(u"app-dir"_s, u"Папка программы (objects, images, draft, ...)."_s,
                                          u"DIR"_s);
    const QCommandLineOption convertOption(u"convert"_s,
                                           u"Конвертировать проект в исходные тексты игры без окна."_s);
    const QCommandLineOption packageOption(u"package"_s,
                                           u"Собрать игру (bin/<имя>.jar и .jad в папке проекта) без окна."_s);
    parser.addOption(appDirOption);
    parser.addOption(convertOption);
    parser.addOption(packageOption);
    parser.addPositionalArgument(u"PROJECT.prg"_s, u"Проект, который открыть."_s, u"[PROJECT.prg]"_s);
    QString error;
    if (!parser.parse(arguments))
        error = parser.errorText();
    else if (parser.positionalArguments().size() > 1)
        error = u"Слишком много аргументов."_s;
    else if (parser.isSet(convertOption) && parser.isSet(packageOption))
        error = u"--convert и --package вместе не задаются: --package сам конвертирует проект."_s;
    else if ((parser.isSet(convertOption) || parser.isSet(packageOption)) && parser.positionalArguments().isEmpty())
        error = (parser.isSet(convertOption) ? u"--convert"_s : u"--package"_s) + u": не указан файл проекта."_s;
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n\n%s", qPrintable(error), qPrintable(parser.helpText()));
        return false;
    }
    if (parser.isSet(u"help"_s))
        parser.showHelp(0);
    result->appDir = parser.value(appDirOption);
    result->projectFile = parser.positionalArguments().value(0);
    result->convert = parser.isSet(convertOption);
    result->package = parser.isSet(packageOption);
    return true;
}

// Conversion and packaging run without a display, so they must not start the widget application.
bool asksForConversion(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--convert") == 0 || std::strcmp(argv[i], "--package") == 0)
            return true;
    return false;
}

int convert(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    CommandLine line;
    if (!parseCommandLine(QCoreApplication::arguments(), &line))
        return 2;
    const kestrava::io::AppFolder app(
        kestrava::io::AppFolder::locate(line.appDir, QCoreApplication::applicationDirPath()));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString file = QFileInfo(line.projectFile).absoluteFilePath();
    if (line.package)
        return kestrava::app::runPackageFile(file, app, out, err);
    return kestrava::app::runConvertFile(file, app, out, err);
}

} // namespace

int main(int argc, char* argv[])
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    if (asksForConversion(argc, argv))
        return convert(argc, argv);

    QApplication application(argc, argv);
    QApplication::setApplicationName(u"kestrava"_s);
    QApplication::setApplicationVersion(u"1.0.2"_s);
    // The standard dialogs speak Russian with the rest of the program.
    kestrava::editor::installQtTranslation(application);
    CommandLine line;
    if (!parseCommandLine(QApplication::arguments(), &line))
        return 2;

    const kestrava::io::AppFolder app(
        kestrava::io::AppFolder::locate(line.appDir, QApplication::applicationDirPath()));
    app.ensureFolders();

    // Tahoma where installed, else a face with Cyrillic letters.
    QFont font(u"Tahoma"_s, 8);
    font.setFamilies({u"Tahoma"_s, u"DejaVu Sans"_s});
    QApplication::setFont(font);

    kestrava::editor::TMainform window(app);
    // Without a window manager (a bare X server) maximising does nothing, so
    // the window starts over the whole screen anyway.
    if (const QScreen* screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    if (!line.projectFile.isEmpty())
        window.openProjectFile(QFileInfo(line.projectFile).absoluteFilePath());
    return application.exec();
}
