#pragma once

#include "codegen/JavaText.h"
#include "model/Project.h"

#include <QString>

#include <vector>

namespace kestrava::codegen {

// GameValues.java: the score and the author's variables as static fields
// v<id> (the rows' Java names them so), what a new game and a new stage set
// them to, value(id) for the texts that show them, whether the game keeps a
// score (scored: its sheets or texts use it) and the title screen's name and
// picture (none: null, and the game starts on stage 1). Written for every
// project. titlePicture: the picture's name in res, empty for none.
void writeGameValuesClass(JavaText& out, const model::Project& project, bool scored, const QString& titlePicture);

inline constexpr const char* kGameValuesSource = "GameValues.java";

// A text line as the game's tables keep it: each "{name}" of a value the
// text may show (catalogue::textValueNames) replaced by the mark the
// runtime draws the value at; braces naming nothing known stay text.
QString gameTextLine(const QString& line, const QList<model::GameVariableData>& variables);

// Whether the game keeps a score: a sheet's Java or a text (as gameTextLine
// made it) uses the score.
bool usesScore(const std::vector<model::StageData>& stages);

} // namespace kestrava::codegen
