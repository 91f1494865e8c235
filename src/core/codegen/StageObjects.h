#pragma once

#include "model/Project.h"

#include <QString>

#include <deque>
#include <memory>
#include <vector>

namespace kestrava::codegen {

// A placed background object that goes into the game, with the group its Ref names.
struct EmittedFon {
    int number = 0;                          // placed object number in the stage
    const model::FonObjectData* object = nullptr;
    const model::FonGroupData* group = nullptr;
    QString picture;                         // "tree.png"
};

struct EmittedActive {
    int number = 0;
    const model::ActiveObjectData* object = nullptr;
    const model::ActiveGroupData* group = nullptr;
    QString picture;
    // A place kept for an object "создать объект" makes while the game runs: not shown until then.
    bool spare = false;
};

// What one stage puts into the game: only objects the author has not deleted,
// in placing order. Every per-object table of the stage's tables is built from these.
struct StageObjects {
    int level = 0;
    std::vector<EmittedFon> fon;
    std::vector<EmittedActive> active; // the placed ones, then the spares of each group objects are made of
    // What the spares point to.
    std::shared_ptr<std::deque<model::ActiveObjectData>> spareObjects = std::make_shared<std::deque<model::ActiveObjectData>>();
};

// The active groups stage `level`'s sheet makes objects of, each once, ascending.
std::vector<int> madeGroups(const model::StageData& stage);

// Resolves the placed objects of stage `level`. A Ref that is not a number,
// names no group of the stage, or a group without a picture is an io::Error
// naming the stage, the object and its file.
StageObjects emittedObjects(const model::Project& project, int level);

// The group number written in a Ref ("3", " 3 ", "3.0" -> 3); false when the
// text is not a number.
bool groupOfRef(const QString& ref, int* group);

// The picture the game loads for a group: the file-name part of its PngName
// with the extension ".png"; empty when the group has no name.
QString pictureName(const QString& pngName);

// "Этап 2, фоновый объект 3 (файл «tree.obf»)": the start of every message about one object.
QString fonObjectLabel(int level, int number, const QString& fileName);
QString activeObjectLabel(int level, int number, const QString& fileName);

} // namespace kestrava::codegen
