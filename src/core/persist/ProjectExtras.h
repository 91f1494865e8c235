#pragma once

#include "io/JsonTape.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace kestrava::model { class Project; }

namespace kestrava::persist {

// What project.prg cannot hold lives in a small UTF-8 JSON file beside it:
// the game's screen size and what the handset gives it, per stage the lives bar, the movement types of all active groups, the
// path points of the placed active objects, the rows of the event sheet and
// the object lists of its conditions and actions. project.prg stays exactly as
// other tools write it. The file records the SHA-256 of the project file it
// was written with and is applied only together with those very bytes.
//
// {
//   "format": "kestrava-project-extras",
//   "version": 1,
//   "projectSha256": "<64 hex digits>",
//   "screen": {"height":320,"width":240},                <- the game's screen; left out
//                                                           at 176 x 208, which a file
//                                                           without it means
//   "suite": {"description":"...","vendor":"...","version":"1.2"},  <- what the jad says;
//                                                           left out when all are empty
//   "budget": {"heapKB":3000,"jarKB":500},               <- the author's handset budget,
//                                                           only for a screen of one's own
//   "stages": [
//     {
//       "stage": 1,
//       "movementTypes": [1,3,0],                        <- groups 1..ActiveGroupCount
//       "livesBar": {"direction":"gor","height":8,"picture":"lives.bmp","width":40,"x":10,"y":5},
//       "paths": [                                        <- only objects with points
//         {"object":2,"points":[[10,20],[30,40]]}
//       ],
//       "events": {"rows": 3, "objects": [                <- rows on the sheet (EventCurRow),
//                                                           only when fewer than the file's rows
//           {"row":1,"column":0,"objects":["1","2"]},    <- column 0: the condition
//           {"row":2,"column":8,"objects":["1"]}
//         ], "records": [                                 <- the catalogue items a condition
//                                                           (one per joined part) or an action
//                                                           was made from and their token values
//           {"column":0,"items":[{"item":"7:Таймер равен значению...","values":{"A":"0/5/0","T":"5000"}}],"row":1}
//         ]}
//     }
//   ]
// }
// "livesBar" is left out when the stage has none, "paths" when no object has one,
// "events" when the sheet is empty and no object list is filled.

// The file beside a project file: "dir/project.prg" -> "dir/project.kestrava.json".
QString extrasFileFor(const QString& projectFile);

// The document for project, to be written together with projectBytes (its
// project file). An io::Error naming extrasFile when the project holds a lives
// bar the reader would refuse, so that no save makes a project that does not open.
QByteArray extrasBytes(const model::Project& project, const QByteArray& projectBytes, const QString& extrasFile);

// An extras file read and parsed, not yet checked against its project, so
// that it can be made while the project file is read.
struct ExtrasDocument {
    QString path;
    std::optional<io::JsonTape> root; // none when there is no such file
    QByteArray projectHash;           // of the project file it is to match
};
// extrasFile for the project file holding projectBytes; an io::Error naming
// extrasFile when it cannot be read or is no JSON object.
ExtrasDocument readExtras(const QString& extrasFile, const QByteArray& projectBytes);
// The same with the file's bytes at hand (a recovery copy holds them).
ExtrasDocument extrasFromBytes(const QString& extrasFile, const QByteArray& bytes, const QByteArray& projectBytes);
// Several times what the largest project writes; the parsed document takes up
// to sixteen bytes for every byte of a hostile one.
inline constexpr qint64 kMaxExtrasBytes = qint64(16) << 20;

// Applies the extras, when the file exists, to project, which was just read
// from projectFile. A file written with other project bytes is not applied:
// the returned list says so. A damaged file is an io::Error naming it, and
// project is then left as it was.
QStringList applyExtras(model::Project& project, const QString& projectFile, const ExtrasDocument& extras);

} // namespace kestrava::persist
