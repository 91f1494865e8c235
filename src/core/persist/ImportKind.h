#pragma once

#include "io/Error.h"
#include "model/ObjectKind.h"
#include "model/Project.h"
#include "objects/ObjectFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <variant>

namespace kestrava::persist {

// What an import writes into a stage besides its counts: the one group,
// text object or lives bar its undo step keeps before and after.
using ImportedRecord =
    std::variant<model::FonGroupData, model::ActiveGroupData, model::TextObjectData, model::LivesBarData>;

// What "Обновить" needs besides the stage: where the file came from, and how to refuse.
struct UpdateSource {
    const QString& name;          // the object file's name
    const objects::ObjectFile& file;
    const QByteArray& bmpBytes;   // its list picture as read
    const std::vector<int>& solidTiles; // a background's solid tiles, as read beside it
    // Why the update is refused, for a text ending in a full stop.
    std::function<io::Error(const QString& why)> refuse;
    // A group of this kind was loaded from the name, but the file is of another kind.
    std::function<io::Error(model::ObjectKind groupKind)> wrongKind;
};

// What one kind of object is to an import into a stage (and to its undo
// step, and to "Обновить"). Each kind gives its own in
// persist/kinds/<Kind>.cpp (importKind<K>); a member it lacks leaves its
// class abstract and the build stops there.
class ImportKind {
public:
    virtual ~ImportKind() = default;

    // Writes `file`, read from object file `name` (at `path`, for messages),
    // into stage `level`; returns the group or text object number, 0 for one
    // without. Only a capacity may still refuse, changing nothing.
    virtual int import(model::Project& project, int level, const QString& name, const QString& path,
                       objects::ObjectFile&& file) const = 0;
    // The library's file and its pictures are copied into the project's objects folder.
    virtual bool copiedIntoProject() const = 0;
    // The pictures beside an object file of this kind named `name`.
    virtual QStringList pictures(const QString& name) const = 0;

    // The entries an import adds to (groups, text objects); the counts its undo step restores.
    virtual int entries(const model::StageData& stage) const = 0;
    virtual void setEntries(model::StageData& stage, int count) const = 0;
    virtual ImportedRecord record(const model::StageData& stage, int index) const = 0;
    virtual void putRecord(model::StageData& stage, int index, const ImportedRecord& record) const = 0;

    // "Обновить": whether a group of the stage was loaded from a file of this name.
    virtual bool holds(const model::StageData& stage, const QString& name) const = 0;
    // Every group of stage `stage` loaded from the source's name read again,
    // keeping its slot, number and what the author set on it; placed objects
    // take the size of what they now show.
    virtual void update(model::StageData& stage, const UpdateSource& source) const = 0;
};

// The next entry of a kind (Project::addFonGroup, ...) for an import from
// `path`; a capacity refusal names the file.
int addEntry(model::Project& project, int level, const QString& path, int (model::Project::*add)(int));

// The names every group takes from its object file's name.
template <class Group>
void fillNames(Group& g, const QString& name)
{
    g.PngName = objects::pngNameOf(name);
    g.BmpName = objects::bmpNameOf(name);
    g.FileName = name;
}

// Whether a group of `table` (1..count) was loaded from `name`.
template <class Table>
bool holdsFile(const Table& table, int count, const QString& name)
{
    for (int g = 1; g <= count; ++g)
        if (table[size_t(g)].FileName == name)
            return true;
    return false;
}

// Every group of `table` (1..count) loaded from `name`, read again by `read`
// with its list slot and number kept, and `keep` putting back what the
// author set on it; returns their numbers.
template <class Table, class Read, class Keep>
std::vector<int> refillGroups(Table& table, int count, const QString& name, Read read, Keep keep)
{
    std::vector<int> updated;
    for (int g = 1; g <= count; ++g) {
        auto& group = table[size_t(g)];
        if (group.FileName != name)
            continue;
        const auto kept = group;
        read(group);
        group.ListSlot = kept.ListSlot;
        group.Index = kept.Index;
        keep(group, kept);
        updated.push_back(g);
    }
    return updated;
}

// The kinds of an import, each defined in persist/kinds/<Kind>.cpp. A kind
// not declared here is a deleted function; one declared without its file, the linker's error.
template <model::ObjectKind K>
const ImportKind& importKind() = delete;
template <> const ImportKind& importKind<model::ObjectKind::Background>();
template <> const ImportKind& importKind<model::ObjectKind::Active>();
template <> const ImportKind& importKind<model::ObjectKind::LivesBar>();
template <> const ImportKind& importKind<model::ObjectKind::Text>();

const ImportKind& imported(model::ObjectKind kind);

} // namespace kestrava::persist
