#pragma once

#include "io/AppFolder.h"
#include "model/Project.h"

#include <QString>

#include <functional>

namespace kestrava::codegen {

// "Запуск" → "Конвертировать": writes the Java sources of the phone game into
// ProjectDir/src (per stage Etap<n>data.java and Etap<n>.java, n = stage - 1;
// dorv.java and MyGameCanvas.java from the application's draft folder unless
// present) and the pictures of the placed objects into ProjectDir/res.
//
// Everything that can be checked without writing (project folder, templates,
// object references, picture names, texts outside windows-1251) is checked
// first, so such a failure writes nothing. The pictures are then copied on
// helper threads while the stage files are written; a picture that cannot be
// copied stops the stages not yet written, and the fixed sources are not
// copied. Throws io::Error. onWritten is called with the path of every file
// written (pictures first, then the stage files, then the fixed sources), also
// when the conversion stops.
void convertProject(const model::Project& project, const io::AppFolder& app,
                    const std::function<void(const QString& writtenFile)>& onWritten = {});

// The fixed sources copied from the draft folder, and the stage class template.
inline constexpr const char* kFixedSources[] = {"dorv.java", "MyGameCanvas.java"};
inline constexpr const char* kStageTemplate = "Etap0.java";

} // namespace kestrava::codegen
