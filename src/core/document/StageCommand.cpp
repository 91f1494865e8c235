#include "document/StageCommand.h"

#include "document/ProjectDocument.h"

#include <algorithm>

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
