#pragma once

#include "document/StageCommand.h"
#include "model/Project.h"

#include <functional>

namespace kestrava::events {

// What the event sheet of a stage holds: its rows and their counters.
struct SheetState {
    int EventCurRow = 0;
    int EventCount = 0;
    int ActionCount = 0;
    model::Table<model::EventRowData, model::kMaxEventRows> EventRow;

    static SheetState of(const model::StageData& stage);
    void applyTo(model::StageData& stage) const;
    bool operator==(const SheetState&) const = default;
};

// One edit of the current stage's event sheet, kept as the sheet before and
// after: rows move, counters change and object lists grow together, and
// 50 rows are cheap to keep whole.
class SheetCommand : public document::StageCommand {
public:
    SheetCommand(document::ProjectDocument& document, int level, const QString& text, SheetState before,
                 SheetState after);

    // Runs edit on a copy of the current stage's sheet and pushes the result
    // as one step; an io::Error from edit leaves the document untouched.
    static void run(document::ProjectDocument& document, const QString& text,
                    const std::function<void(model::StageData&)>& edit);

    void undo() override;
    void redo() override;
    std::size_t heldBytes() const override;

private:
    void show(const SheetState& state);

    SheetState m_before;
    SheetState m_after;
};

} // namespace kestrava::events
