#pragma once

#include <QUndoStack>

#include <cstddef>

namespace kestrava::document {

// The document's undo stack, limited by the memory its steps keep rather
// than by their number (QUndoStack's own limit): one step may keep a few
// bytes or a stage's maps. Beyond the budget the oldest steps are dropped;
// the newest always stays, however large.
class History {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t(64) << 20;

    explicit History(QUndoStack& stack) : m_stack(stack) {}

    // Runs the command and keeps it (the stack owns it), then drops the
    // oldest steps while the history exceeds its budget.
    void push(QUndoCommand* command);
    // What the kept steps hold, as they measure it.
    std::size_t heldBytes() const;
    void setBudget(std::size_t bytes) { m_budget = bytes; }

private:
    void dropOldest(int count);

    QUndoStack& m_stack;
    std::size_t m_budget = kDefaultBudget;
};

} // namespace kestrava::document
