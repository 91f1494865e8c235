#include "events/SheetCommand.h"

#include "document/ProjectDocument.h"
#include "model/HeldBytes.h"

namespace kestrava::events {

SheetState SheetState::of(const model::StageData& stage)
{
    return {stage.EventCurRow, stage.EventCount, stage.ActionCount, stage.EventRow};
}

void SheetState::applyTo(model::StageData& stage) const
{
    stage.EventCurRow = EventCurRow;
    stage.EventCount = EventCount;
    stage.ActionCount = ActionCount;
    stage.EventRow = EventRow;
}

SheetCommand::SheetCommand(document::ProjectDocument& document, int level, const QString& text, SheetState before,
                           SheetState after)
    : StageCommand(document, level, text), m_before(std::move(before)), m_after(std::move(after))
{
}

void SheetCommand::run(document::ProjectDocument& document, const QString& text,
                       const std::function<void(model::StageData&)>& edit)
{
    const int level = document.project().CurLevel;
    SheetState before = SheetState::of(document.project().stage(level));
    // The edits touch only the sheet, so they run on a stage holding just it.
    model::StageData scratch;
    before.applyTo(scratch);
    edit(scratch);
    SheetState after = SheetState::of(scratch);
    if (after == before)
        return;
    document.push(new SheetCommand(document, level, text, std::move(before), std::move(after)));
}

void SheetCommand::show(const SheetState& state)
{
    state.applyTo(stage());
    m_document.notifyEvents(level());
}

void SheetCommand::undo()
{
    show(m_before);
}

void SheetCommand::redo()
{
    show(m_after);
}

std::size_t SheetCommand::heldBytes() const
{
    return sizeof *this + model::heldBytes(m_before.EventRow) + model::heldBytes(m_after.EventRow);
}

} // namespace kestrava::events
