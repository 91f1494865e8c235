#include "packaging/JavaTools.h"

#include "io/Error.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {

QString missingJavaMessage(const QString& name)
{
    if (name == u"javac"_s)
        return u"Для сборки игры нужен компилятор Java (javac) из JDK 8 или новее, а его нет ни в JAVA_HOME, "
               u"ни в PATH. Установите JDK (в Debian: sudo apt-get install default-jdk-headless) и повторите."_s;
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

} // namespace kestrava::packaging
