#include "document/StageCommand.h"

#include "document/ProjectDocument.h"
#include "io/TextFile.h"

#include <QFile>

#include <algorithm>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::document {

StageCommand::StageCommand(ProjectDocument& document, int level, const QString& text)
    : QUndoCommand(text), m_document(document), m_level(level)
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
