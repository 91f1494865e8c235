#pragma once

#include "level/LevelCommands.h"
#include "model/Project.h"

#include <QPoint>
#include <QString>

#include <variant>
#include <vector>

namespace kestrava::level {

// Placed objects copied from a stage: each with the object file of its
// group, by which another stage finds its own group of the same object.
struct ObjectClipboard {
    struct Entry {
        PlaceObjectCommand::Record record;
        QString groupFile;
    };
    int level = 0;
    std::vector<Entry> entries;
    bool empty() const { return entries.empty(); }
};

// The existing placed objects among `objects` (the lives bar is not copied).
ObjectClipboard copyObjects(const model::StageData& stage, int level, const std::vector<PlacedRef>& objects);

// The records a paste puts on stage `level`, moved by `offset`, each
// given that stage's group of its object file; or, when the stage lacks a
// group or the paste would pass a capacity, why nothing is pasted.
std::variant<std::vector<PlaceObjectCommand::Record>, QString>
recordsToPaste(const ObjectClipboard& clipboard, const model::StageData& stage, int level, QPoint offset);

} // namespace kestrava::level
