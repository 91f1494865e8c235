#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kestrava::packaging {

// The machine's Java runtime `name` ("java") from $JAVA_HOME/bin, else from
// PATH. An io::Error saying what to install when there is none.
QString findJavaTool(const QString& name);

// The message for a machine without `name`.
QString missingJavaMessage(const QString& name);

// The Eclipse batch compiler (ecj) from PATH: it writes class files a CLDC
// 1.1 phone verifies as they are (version 45.3 with StackMap attributes).
// An io::Error saying what to install when there is none.
QString findGameCompiler();

// What runs when `program` (the ecj found) is run: Debian's ecj is a script
// that starts Java on the compiler's classes, which a Java process of ours can
// load to compile the same way without starting again.
struct GameCompiler {
    QString program;
    // The jars the script puts on Java's class path; empty when it is no such script.
    QStringList classPath;
    // Changes whenever the program or those jars do: compiled classes are kept under it.
    QByteArray identity;
};
GameCompiler describeGameCompiler(const QString& program);

// ProGuard (proguard) from PATH, which shrinks and renames a game for phones
// that take small jars only. An io::Error saying what to install when there is none.
QString findShrinker();

} // namespace kestrava::packaging
