#include "level/ObjectClipboard.h"

#include "level/MapKind.h"
#include "level/PlacedHits.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

ObjectClipboard copyObjects(const model::StageData& s, int level, const std::vector<PlacedRef>& objects)
{
    ObjectClipboard clipboard;
    clipboard.level = level;
    for (const PlacedRef& object : objects) {
        // The lives bar (one per stage, from its file) and texts are not copied.
        const PlacedRecords* records = onMap(object.kind).records();
        if (records && exists(s, object))
            clipboard.entries.push_back({records->at(s, object.index), records->groupFile(s, object.index)});
    }
    return clipboard;
}

std::variant<std::vector<PlaceObjectCommand::Record>, QString>
recordsToPaste(const ObjectClipboard& clipboard, const model::StageData& s, int level, QPoint offset)
{
    std::vector<PlaceObjectCommand::Record> records;
    std::array<int, model::kObjectKinds.size()> adding{};
    const bool same = clipboard.level == level;
    for (const ObjectClipboard::Entry& entry : clipboard.entries) {
        const ObjectKind kind = kindOf(entry.record);
        auto pasted = onMap(kind).records()->pasted(entry.record, entry.groupFile, s, level, offset, same);
        if (QString* why = std::get_if<QString>(&pasted))
            return std::move(*why);
        records.push_back(std::move(std::get<PlaceObjectCommand::Record>(pasted)));
        ++adding[model::positionOf(kind)];
    }
    for (ObjectKind kind : model::kObjectKinds) {
        const PlacedRecords* placed = onMap(kind).records();
        const int count = placed ? placed->count(s) : 0;
        const int more = adding[model::positionOf(kind)];
        if (placed && count + more > placed->capacity())
            return u"Вставка отменена: на этапе %1 уже %2 %3, вставляется ещё %4, а помещается не больше %5"_s
                .arg(level)
                .arg(count)
                .arg(placed->countedAs())
                .arg(more)
                .arg(placed->capacity());
    }
    return records;
}

} // namespace kestrava::level
