#include "app/CommandLine.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::app {

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    QStringList positional;
    const auto refuse = [&](const QString& error) {
        line.action = CommandLine::Action::Refuse;
        line.error = error;
        return line;
    };
    bool convert = false;
    bool package = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == u"-h"_s || a == u"--help"_s)
            return CommandLine{CommandLine::Action::Help, {}, {}, false, false, {}};
        else if (a == u"-v"_s || a == u"--version"_s) {
            if (line.action != CommandLine::Action::Help)
                line.action = CommandLine::Action::Version;
        } else if (a == u"--convert"_s)
            convert = true;
        else if (a == u"--package"_s)
            package = true;
        else if (a == u"--shrink"_s)
            line.shrink = true;
        else if (a == u"--strict"_s)
            line.strict = true;
        else if (a == u"--app-dir"_s) {
            if (i + 1 >= arguments.size())
                return refuse(u"--app-dir: не указана папка."_s);
            line.appDir = arguments[++i];
        } else if (a.startsWith(u"--app-dir="_s)) {
            line.appDir = a.mid(10);
            if (line.appDir.isEmpty())
                return refuse(u"--app-dir: не указана папка."_s);
        }
        else if (a == u"--"_s) {
            positional << arguments.mid(i + 1);
            break;
        } else if (a.startsWith(u'-') && a.size() > 1)
            return refuse(u"Неизвестный параметр «%1»."_s.arg(a));
        else
            positional << a;
    }
    if (line.action == CommandLine::Action::Help || line.action == CommandLine::Action::Version)
        return line;
    if (positional.size() > 1)
        return refuse(u"Слишком много аргументов: проект открывается один."_s);
    line.projectFile = positional.value(0);
    if (convert && package)
        return refuse(u"--convert и --package вместе не задаются: --package сам конвертирует проект."_s);
    if (line.shrink && !package)
        return refuse(u"--shrink задаётся только вместе с --package: уменьшается собранная игра."_s);
    if (line.strict && !package)
        return refuse(u"--strict задаётся только вместе с --package: с бюджетом телефона сверяется собранная игра."_s);
    if (convert || package) {
        if (line.projectFile.isEmpty())
            return refuse((convert ? u"--convert"_s : u"--package"_s) + u": не указан файл проекта."_s);
        line.action = convert ? CommandLine::Action::Convert : CommandLine::Action::Package;
    }
    return line;
}

QString usageText(const QString& appFolder, const QString& resources)
{
    QString text = u"Использование: kestrava [ПАРАМЕТРЫ] [ПРОЕКТ.prg]\n"
                   u"Kestrava — конструктор двухмерных игр для мобильных телефонов (MIDP 2.0).\n"
                   u"\n"
                   u"  ПРОЕКТ.prg          открыть проект в редакторе\n"
                   u"  --convert ПРОЕКТ.prg\n"
                   u"                      конвертировать проект в исходные тексты игры без окна\n"
                   u"  --package ПРОЕКТ.prg\n"
                   u"                      собрать игру без окна: bin/<имя>.jar и .jad в папке проекта\n"
                   u"  --shrink            с --package: уменьшить игру (ProGuard) для телефонов,\n"
                   u"                      которые берут только небольшие jar\n"
                   u"  --strict            с --package: не собирать игру, которая не уложится\n"
                   u"                      в бюджет телефона из «Настроек игры» (размер jar, память)\n"
                   u"  --app-dir ПАПКА     папка программы (objects, images, draft, проект, src, temp);\n"
                   u"                      то же задаёт переменная окружения KESTRAVA_APP_DIR\n"
                   u"  -h, --help          показать эту справку\n"
                   u"  -v, --version       показать версию программы\n"
                   u"\n"_s;
    text += u"Папка программы: %1\n"_s.arg(appFolder);
    if (resources != appFolder)
        text += u"Установленные файлы (значки, шаблоны игры): %1\n"_s.arg(resources);
    return text;
}

} // namespace kestrava::app
