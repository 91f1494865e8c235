#include "level/ObjectClipboard.h"

#include "level/PlacedHits.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

ObjectClipboard copyObjects(const model::StageData& s, int level, const std::vector<PlacedRef>& objects)
{
    ObjectClipboard clipboard;
    clipboard.level = level;
    for (const PlacedRef& object : objects) {
        if (!exists(s, object))
            continue;
        switch (object.kind) {
        case ObjectKind::Background: {
            const model::FonObjectData& o = s.FonObject[size_t(object.index)];
            clipboard.entries.push_back({o, s.FonGroup[size_t(o.Group)].FileName});
            break;
        }
        case ObjectKind::Active: {
            const model::ActiveObjectData& o = s.ActiveObject[size_t(object.index)];
            const int g = o.GroupValue;
            const QString file = g >= 1 && g <= std::min(s.ActiveGroupCount, model::kMaxActiveGroups)
                                     ? s.ActiveGroup[size_t(g)].FileName
                                     : QString();
            clipboard.entries.push_back({o, file});
            break;
        }
        case ObjectKind::LivesBar: // one per stage, from its file: not copied
        case ObjectKind::Text:
            break;
        }
    }
    return clipboard;
}

namespace {

// The group of the stage made from `file`: on the stage it was copied from
// the object's own (a file may be loaded twice), elsewhere the first.
template <class Groups>
int groupOfFile(const Groups& groups, int count, const QString& file, int own)
{
    if (own >= 1 && own <= count && groups[size_t(own)].FileName == file)
        return own;
    for (int g = 1; g <= count; ++g)
        if (groups[size_t(g)].FileName == file)
            return g;
    return 0;
}

} // namespace

std::variant<std::vector<PlaceObjectCommand::Record>, QString>
recordsToPaste(const ObjectClipboard& clipboard, const model::StageData& s, int level, QPoint offset)
{
    std::vector<PlaceObjectCommand::Record> records;
    int fon = 0;
    int active = 0;
    const int fonGroups = std::min(s.FonGroupCount, model::kMaxFonGroups);
    const int activeGroups = std::min(s.ActiveGroupCount, model::kMaxActiveGroups);
    const bool same = clipboard.level == level;
    for (const ObjectClipboard::Entry& entry : clipboard.entries) {
        switch (kindOf(entry.record)) {
        case ObjectKind::Background: {
            const auto* copied = &std::get<model::FonObjectData>(entry.record);
            const int g = groupOfFile(s.FonGroup, fonGroups, entry.groupFile, same ? copied->Group : 0);
            if (g == 0)
                return u"Вставка отменена: на этапе %1 нет фоновой группы «%2» — загрузите её в этот этап"_s.arg(level)
                    .arg(entry.groupFile);
            const model::FonGroupData& group = s.FonGroup[size_t(g)];
            model::FonObjectData o = *copied;
            o.X = clampToInt(qint64(o.X) + offset.x());
            o.Y = clampToInt(qint64(o.Y) + offset.y());
            joinGroup(o, group, g);
            records.push_back(o);
            ++fon;
            break;
        }
        case ObjectKind::Active: {
            const auto& sprite = std::get<model::ActiveObjectData>(entry.record);
            const int g = groupOfFile(s.ActiveGroup, activeGroups, entry.groupFile, same ? sprite.GroupValue : 0);
            if (g == 0)
                return u"Вставка отменена: на этапе %1 нет активной группы «%2» — загрузите её в этот этап"_s
                    .arg(level)
                    .arg(entry.groupFile);
            const model::ActiveGroupData& group = s.ActiveGroup[size_t(g)];
            model::ActiveObjectData o = sprite;
            o.X = clampToInt(qint64(o.X) + offset.x());
            o.Y = clampToInt(qint64(o.Y) + offset.y());
            joinGroup(o, group, g);
            records.push_back(o);
            ++active;
            break;
        }
        case ObjectKind::LivesBar: // never copied
        case ObjectKind::Text:
            break;
        }
    }
    const auto over = [&](int count, int adding, int capacity, const QString& what) {
        return u"Вставка отменена: на этапе %1 уже %2 %3, вставляется ещё %4, а помещается не больше %5"_s.arg(level)
            .arg(count)
            .arg(what)
            .arg(adding)
            .arg(capacity);
    };
    if (s.FonObjCount + fon > model::kMaxFonObjects)
        return over(s.FonObjCount, fon, model::kMaxFonObjects, u"фоновых объектов"_s);
    if (s.ActiveObjCount + active > model::kMaxActiveObjects)
        return over(s.ActiveObjCount, active, model::kMaxActiveObjects, u"активных объектов"_s);
    return records;
}

} // namespace kestrava::level
