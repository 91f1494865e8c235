#include "packaging/JavaTools.h"

#include "io/Error.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {
namespace {

QString findOnPath(const QString& program, const QString& what, const QString& debianPackage)
{
    const QString found = QStandardPaths::findExecutable(program);
    if (found.isEmpty())
        throw io::Error(u"Для сборки игры нужен %1 (программа %2), а его нет в PATH. Установите его "
                        u"(в Debian: sudo apt-get install %3) и повторите."_s.arg(what, program, debianPackage));
    return found;
}

} // namespace

QString missingJavaMessage(const QString& name)
{
    return u"Для игры нужна Java (программа %1) версии 8 или новее с поддержкой окон, а её нет ни в JAVA_HOME, "
           u"ни в PATH. Установите её (в Debian: sudo apt-get install default-jre) и повторите."_s.arg(name);
}

QString findJavaTool(const QString& name)
{
    const QString home = QProcessEnvironment::systemEnvironment().value(u"JAVA_HOME"_s);
    if (!home.isEmpty()) {
        const QFileInfo inHome(home + u"/bin/"_s + name);
        if (inHome.isFile() && inHome.isExecutable())
            return inHome.absoluteFilePath();
    }
    const QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        throw io::Error(missingJavaMessage(name));
    return found;
}

QString findGameCompiler()
{
    return findOnPath(u"ecj"_s, u"компилятор Java для телефонов Eclipse"_s, u"ecj"_s);
}

QString findShrinker()
{
    return findOnPath(u"proguard"_s, u"оптимизатор ProGuard"_s, u"proguard-cli"_s);
}

} // namespace kestrava::packaging
