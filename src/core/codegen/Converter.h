#pragma once

#include "codegen/StageTables.h"
#include "io/AppFolder.h"
#include "model/Project.h"

#include <QHash>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kestrava::codegen {

// What a conversion put into the game, for packaging's budget.
struct ConversionSummary {
    std::vector<StageLoad> stages;      // stage 1 first
    QHash<QString, QSize> pictureSizes; // every picture written into res, by its name there
};

// "Запуск" → "Конвертировать": writes the Java sources of the phone game into
// ProjectDir/src (per stage Etap<n>.java, n = stage - 1; GameValues.java from
// the variables and the title; Indicators.java from the interface settings file; dorv.java, MyGameCanvas.java and the classes it
// hands its work to from the application's draft folder unless present, or
// present as an unedited copy of an earlier version, and those classes not
// beside a canvas the author edited; those the game does not use as their
// stand-ins, UnusedClasses.h) and into ProjectDir/res the tables of
// every stage (Etap<n>.dat, StageTables.h) and the pictures of the placed
// objects, the lives bars and the weapon, and Sounds.java with the sounds the
// sheets use (GameSounds.h). Pictures of the same content are
// written once, by the first one's name, and the tables name that one.
//
// All or nothing: the project, the templates, every picture (decoded and
// encoded again) and every source are read, checked and made in memory first;
// then the files are written into a hidden folder inside the project folder and
// only once all of them are there moved into src and res. A conversion refused
// on the way leaves src and res byte for byte as they were (nothing replaced,
// nothing added) and the hidden folder is removed. src and res must be folders
// inside the project folder (a link leading elsewhere, or a file in their
// place, is refused) or missing, then they are made. Only a move into place
// that fails after others succeeded leaves a mix; the message then says so.
// Throws io::Error. onWritten is called with the path of every file in place
// (pictures first, then the stage files, then the fixed sources), after the
// moves, also for those moved before a failed one. summary, when given, is
// filled once everything is in place.
void convertProject(const model::Project& project, const io::AppFolder& app,
                    const std::function<void(const QString& writtenFile)>& onWritten = {},
                    ConversionSummary* summary = nullptr);

// The lines of the stage class template as the converter copies them; an
// io::Error when it is missing or empty.
QStringList readStageTemplate(const io::AppFolder& app);

// The folder `name` ("src", "res", "bin") of the project that receives output.
// Refused unless it is a folder inside the project folder, or is missing and
// will be made there: a link must not carry the output elsewhere.
// canonicalProject: the project folder with links resolved.
QString outputFolder(const QString& projectDir, const QString& canonicalProject, const QString& name);

// The fixed sources copied from the draft folder, and the stage class template:
// the MIDlet, the classes the canvas hands its work to, the canvas.
inline constexpr const char* kMidletSource = "dorv.java";
inline constexpr const char* kCanvasSource = "MyGameCanvas.java";
inline constexpr const char* kFixedSources[] = {kMidletSource,      "StageState.java", "StagePlay.java", "Keys.java",
                                                 "Actor.java",       "Movement.java",   "StageView.java", "GameRecords.java",
                                                 "TitleScreen.java", "Touch.java",      kCanvasSource};
inline constexpr const char* kStageTemplate = "Etap0.java";

} // namespace kestrava::codegen
