#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kestrava::codegen {

// The lines of the stage class template: leading white space (every character
// up to code 32) dropped from each line, so empty lines disappear too.
QStringList templateLines(const QString& templateText);

// A template line for stage `level`: "etap0" -> "etap<n>", then "Etap0" -> "Etap<n>", n = level - 1.
QString renameStage(const QString& line, int level);

// The Java line of action `action` (1..20) of an event row: the loops over the
// objects the condition and the action name, then if(condition){action};
// An object number gets one loop only, however often it is named.
QString eventLine(const model::EventRowData& row, int action);

// The whole stage class: the renamed template, one event line per present
// action of every event row (rows 1..50), then "}}".
QStringList stageClassLines(const QStringList& templateLines, const model::StageData& stage, int level);

// The same, windows-1251 with CR LF. A text outside windows-1251 is an io::Error
// naming the stage, the row and the file `pathForMessages`.
QByteArray stageClass(const QStringList& templateLines, const model::StageData& stage, int level,
                      const QString& pathForMessages);

// Where each event line of a stage class comes from, in the order the class
// holds them: line (template lines + k + 1) of the file is origin k.
struct EventLineOrigin {
    int row = 0;
    int action = 0;
};
std::vector<EventLineOrigin> eventLineOrigins(const model::StageData& stage);

// The loop variables ("kr" + N) the Java of a row names that no object list
// of the row opens, so the stage class would not compile: rows of a project
// read without its extras file, which holds the lists. One note per row,
// worded for the author; empty when every name has its loop.
QStringList unopenedLoopNotes(const model::Project& project);

// "Etap0.java" for level 1.
QString stageClassFileName(int level);

// The stage whose class a file is: "Etap0.java" is level 1's. A level beyond
// any project reads as INT_MAX; nullopt for any other file.
struct StageFile {
    int level = 0;
};
std::optional<StageFile> stageOfFile(const QString& fileName);

// "Etap0data.java", "Etap0extra.java": the classes earlier versions wrote a
// stage's tables into, which now go into the jar as its resource (StageTables.h).
bool isEarlierTableClass(const QString& fileName);

} // namespace kestrava::codegen
