#pragma once

#include <QObject>
#include <QUndoStack>

#include <cstddef>
#include <limits>

namespace kestrava::undo {

// The history of an editor: its steps, where the work was last saved, and
// one signal for everything a menu shows of it. Every edit is a step pushed
// here (the history owns it). With a budget the history is limited by the
// memory its steps keep (Step::heldBytes; other commands count a few
// values) rather than by their number: beyond it the oldest steps are
// dropped, the newest always stays, and the saved state moves with the
// steps kept, or is gone when it was dropped.
class History : public QObject {
    Q_OBJECT
public:
    static constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

    explicit History(std::size_t budget = kUnlimited, QObject* parent = nullptr);
    ~History() override;

    // Runs the command and keeps it, merged with the last step when both say
    // so; then drops the oldest steps while the history exceeds its budget.
    void push(QUndoCommand* command);
    // No steps; the state now is the saved one.
    void clear();
    // The state now is the saved one.
    void setClean();
    // Something changed that no step takes back (a picture loaded): the work
    // stays unsaved until the next setClean or clear, whatever is undone.
    void markModified();
    bool isModified() const { return m_changedOutside || !m_stack.isClean(); }

    // Undo, redo, their texts and the steps, for the menus.
    QUndoStack& stack() { return m_stack; }
    const QUndoStack& stack() const { return m_stack; }

    // What the kept steps hold, as they measure it.
    std::size_t heldBytes() const;
    void setBudget(std::size_t bytes) { m_budget = bytes; }

signals:
    // A step was pushed, undone or redone, or the saved state moved.
    void changed();
    void modifiedChanged(bool modified);

private:
    void dropOldest(int count);
    void follow();

    QUndoStack m_stack;
    std::size_t m_budget;
    bool m_changedOutside = false;
    bool m_modified = false; // as last announced
};

} // namespace kestrava::undo
