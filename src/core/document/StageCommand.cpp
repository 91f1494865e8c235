#include "document/StageCommand.h"

#include "document/ProjectDocument.h"
#include "io/TextFile.h"
#include "model/HeldBytes.h"

#include <QFile>

#include <algorithm>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::document {

StageCommand::StageCommand(ProjectDocument& document, int level, const QString& text)
    : undo::Step(text), m_document(document), m_level(level)
{
}

model::StageData& StageCommand::stage()
{
    if (m_document.project().CurLevel != m_level)
        m_document.selectLevel(m_level);
    return m_document.edit().stage(m_level);
}

void StageCommand::levelMapChanged()
{
    m_document.notifyLevelMap(m_level);
}

void StageCommand::groupsChanged()
{
    m_document.notifyGroups(m_level);
    m_document.notifyLevelMap(m_level);
}

ImportCommand::ImportCommand(ProjectDocument& document, int level, const QString& text,
                             const model::StageData& before, const model::StageData& after,
                             const persist::ImportedObject& imported)
    : StageCommand(document, level, text), m_kind(imported.kind), m_index(imported.index)
{
    m_before = partOf(before);
    m_after = partOf(after);
}

ImportCommand::Part ImportCommand::partOf(const model::StageData& s) const
{
    Part part{{}, s.ListSlotCount, persist::imported(m_kind).record(s, m_index)};
    for (model::ObjectKind kind : model::kObjectKinds)
        part.entries[model::positionOf(kind)] = persist::imported(kind).entries(s);
    return part;
}

void ImportCommand::show(const Part& part)
{
    model::StageData& s = stage();
    for (model::ObjectKind kind : model::kObjectKinds)
        persist::imported(kind).setEntries(s, part.entries[model::positionOf(kind)]);
    s.ListSlotCount = part.listSlots;
    persist::imported(m_kind).putRecord(s, m_index, part.record);
    groupsChanged();
}

void ImportCommand::undo()
{
    show(m_before);
}

void ImportCommand::redo()
{
    show(m_after);
}

std::size_t ImportCommand::heldBytes() const
{
    const auto record = [](const Part& part) {
        return std::visit([](const auto& r) { return model::heldBytes(r); }, part.record);
    };
    return sizeof *this + record(m_before) + record(m_after);
}

StageSnapshotCommand::StageSnapshotCommand(ProjectDocument& document, int level, const QString& text,
                                           model::StageData before, model::StageData after)
    : StageCommand(document, level, text), m_before(std::move(before)), m_after(std::move(after))
{
}

void StageSnapshotCommand::show(const model::StageData& record)
{
    stage() = record;
    groupsChanged();
}

void StageSnapshotCommand::undo()
{
    show(m_before);
}

void StageSnapshotCommand::redo()
{
    show(m_after);
}

std::size_t StageSnapshotCommand::heldBytes() const
{
    return sizeof *this + model::heldBytes(m_before) + model::heldBytes(m_after);
}

UpdateObjectCommand::UpdateObjectCommand(ProjectDocument& document, int level, const QString& name,
                                         model::StageData before, model::StageData after, std::vector<File> files)
    : StageSnapshotCommand(document, level, u"обновление объекта «%1»"_s.arg(name), std::move(before),
                           std::move(after)),
      m_files(std::move(files))
{
}

void UpdateObjectCommand::write(bool forward)
{
    std::vector<io::FileBytes> written;
    for (const File& f : m_files) {
        if (forward)
            written.push_back({f.path, f.after});
        else if (f.before)
            written.push_back({f.path, *f.before});
    }
    io::writeFilesTogether(written);
    for (const File& f : m_files) {
        if (!forward && !f.before)
            QFile::remove(f.path);
        // The map draws from the cache: it must see these pictures, not the ones it decoded before.
        m_document.pictures().forget(f.path);
    }
}

void UpdateObjectCommand::undo()
{
    write(false);
    StageSnapshotCommand::undo();
}

void UpdateObjectCommand::redo()
{
    if (!std::exchange(m_written, false))
        write(true);
    else
        for (const File& f : m_files)
            m_document.pictures().forget(f.path);
    StageSnapshotCommand::redo();
}

std::size_t UpdateObjectCommand::heldBytes() const
{
    std::size_t n = StageSnapshotCommand::heldBytes();
    for (const File& f : m_files)
        n += sizeof f + std::size_t(f.after.size()) + (f.before ? std::size_t(f.before->size()) : 0);
    return n;
}

AddLevelCommand::AddLevelCommand(ProjectDocument& document)
    : QUndoCommand(u"новый уровень"_s), m_document(document), m_before(document.project().LevelCount)
{
}

void AddLevelCommand::redo()
{
    m_document.edit().LevelCount = m_before + 1;
    m_document.notifyStages();
}

void AddLevelCommand::undo()
{
    m_document.edit().LevelCount = m_before;
    m_document.notifyStages();
}

} // namespace kestrava::document
