#pragma once

#include <QString>

namespace kestrava::packaging {

// The machine's Java tools: a program `name` ("javac", "java") from
// $JAVA_HOME/bin, else from PATH. An io::Error saying what to install when
// there is none; javac comes with a JDK only.
QString findJavaTool(const QString& name);

// The message for a machine without `name`.
QString missingJavaMessage(const QString& name);

} // namespace kestrava::packaging
