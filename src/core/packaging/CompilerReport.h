#pragma once

#include "model/Project.h"

#include <QString>
#include <QStringList>

namespace kestrava::packaging {

// The compiler's diagnostics (ecj's one-line form, in English:
// "/dir/File.java:LINE: error: what", then the line and a mark under it)
// told the author's way: an error in an event line of a
// stage class names the stage, the event row and the action it was spliced
// from, with the action's caption; one in the rest of a stage class names
// the stage and its template; others name the file and line. At most `limit` errors.
// templateLines: the number of lines the stage class template gives.
QStringList compilerReport(const QString& compilerOutput, const model::Project& project, int templateLines,
                           int limit = 10);

} // namespace kestrava::packaging
