#pragma once

#include <QString>

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

// ProGuard (proguard) from PATH, which shrinks and renames a game for phones
// that take small jars only. An io::Error saying what to install when there is none.
QString findShrinker();

} // namespace kestrava::packaging
