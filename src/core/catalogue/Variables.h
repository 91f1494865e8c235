#pragma once

#include "model/GameValues.h"

#include <QList>
#include <QString>

namespace kestrava::catalogue {

// A name a value may hold besides the chooser's words: the score and the
// author's variables, each with the Java the game reads it by.
struct NamedValue {
    QString name;
    QString java;
    int id = 0; // the variable's, 0 the score's
};

// The Java of a variable: its id, never its name, so a renamed one keeps its rows.
QString variableJava(int id);

// The score first, then the project's variables in their order.
QList<NamedValue> variableNames(const QList<model::GameVariableData>& variables);

// What is wrong with a variable's name among the others (the variable of
// exceptId itself left out): empty, too long, not Russian or Latin letters
// and digits beginning with a letter, taken (in any case of letters), or a
// word the value translator or a text already reads. Empty when nothing.
QString variableNameProblem(const QString& name, const QList<model::GameVariableData>& variables, int exceptId = -1);

// The whole list as "Переменные" keeps it: at most kMaxGameVariables, each
// name as variableNameProblem wants it, start values whole numbers. The
// first problem, naming the variable; empty when nothing.
QString variablesProblem(const QList<model::GameVariableData>& variables);

// The names a text object's line may show in braces ("Очки: {очки}"): the
// variables, then "жизни", "таймер" (seconds of the stage) and "уровень".
QStringList textValueNames(const QList<model::GameVariableData>& variables);
// The values a text shows besides the variables: "жизни", "таймер", "уровень", in that order.
const QStringList& builtInTextNames();

// The first "{name}" of the lines naming nothing textValueNames holds, as
// a message; empty when every one is known. A "{" without its "}" is text.
QString textValuesProblem(const QStringList& lines, const QStringList& known);

} // namespace kestrava::catalogue
