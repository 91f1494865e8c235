#include "undo/History.h"

#include "undo/Step.h"

#include <QSignalBlocker>

#include <memory>
#include <utility>
#include <vector>

namespace kestrava::undo {
namespace {

// A command as the stack keeps it: the stack deletes what it drops, so the
// command itself sits inside, where a rebuild of the stack can take it out.
class KeptCommand : public QUndoCommand {
public:
    KeptCommand(std::unique_ptr<QUndoCommand> command, bool replayed)
        : QUndoCommand(command->text()), m_command(std::move(command)), m_replayed(replayed)
    {
        measure();
    }

    void redo() override
    {
        if (!m_replayed)
            m_command->redo();
        setObsolete(m_command->isObsolete());
    }
    void undo() override
    {
        if (!m_replayed)
            m_command->undo();
        setObsolete(m_command->isObsolete());
    }
    // Steps put back by a rebuild must not merge with each other.
    int id() const override { return m_replayed ? -1 : m_command->id(); }
    bool mergeWith(const QUndoCommand* other) override
    {
        if (!m_command->mergeWith(static_cast<const KeptCommand*>(other)->m_command.get()))
            return false;
        setText(m_command->text());
        setObsolete(m_command->isObsolete());
        measure();
        return true;
    }

    std::size_t bytes() const { return m_bytes; }
    std::unique_ptr<QUndoCommand> release() { return std::move(m_command); }
    void replayed(bool on) { m_replayed = on; }

private:
    void measure()
    {
        // Commands that are no step keep a few values.
        const auto* step = dynamic_cast<const Step*>(m_command.get());
        m_bytes = sizeof *this + (step ? step->heldBytes() : sizeof(QUndoCommand) * 4) +
                  std::size_t(text().size()) * sizeof(QChar);
    }

    std::unique_ptr<QUndoCommand> m_command;
    bool m_replayed;
    std::size_t m_bytes = 0;
};

const KeptCommand* kept(const QUndoStack& stack, int i)
{
    return static_cast<const KeptCommand*>(stack.command(i));
}

} // namespace

History::History(std::size_t budget, QObject* parent) : QObject(parent), m_budget(budget)
{
    connect(&m_stack, &QUndoStack::indexChanged, this, &History::follow);
    connect(&m_stack, &QUndoStack::cleanChanged, this, &History::follow);
}

History::~History()
{
    // The steps may show their states in editors that are going too.
    disconnect(&m_stack, nullptr, this, nullptr);
}

void History::follow()
{
    emit changed();
    if (isModified() != m_modified) {
        m_modified = isModified();
        emit modifiedChanged(m_modified);
    }
}

void History::push(QUndoCommand* command)
{
    m_stack.push(new KeptCommand(std::unique_ptr<QUndoCommand>(command), false));
    std::size_t total = heldBytes();
    int drop = 0;
    while (total > m_budget && drop < m_stack.count() - 1)
        total -= kept(m_stack, drop++)->bytes();
    if (drop > 0)
        dropOldest(drop);
}

void History::clear()
{
    m_changedOutside = false;
    m_stack.clear(); // clean again, which the stack announces itself
    follow();
}

void History::setClean()
{
    m_changedOutside = false;
    m_stack.setClean();
    follow();
}

void History::markModified()
{
    m_changedOutside = true;
    follow();
}

std::size_t History::heldBytes() const
{
    std::size_t total = 0;
    for (int i = 0; i < m_stack.count(); ++i)
        total += kept(m_stack, i)->bytes();
    return total;
}

void History::dropOldest(int count)
{
    // QUndoStack drops its oldest steps only for a count limit, which it
    // takes when empty: the stack is built again from the steps that stay,
    // none of them run again. What the author sees (the texts, what can be
    // undone or redone, modified or not) is the same after, so its signals
    // are held back.
    const int index = m_stack.index();
    const int clean = m_stack.cleanIndex();
    std::vector<std::unique_ptr<QUndoCommand>> steps;
    for (int i = count; i < m_stack.count(); ++i)
        steps.push_back(const_cast<KeptCommand*>(kept(m_stack, i))->release());
    const QSignalBlocker quiet(&m_stack);
    m_stack.clear();
    std::vector<KeptCommand*> replayed;
    for (std::unique_ptr<QUndoCommand>& step : steps) {
        replayed.push_back(new KeptCommand(std::move(step), true));
        m_stack.push(replayed.back());
    }
    if (clean >= count) {
        m_stack.setIndex(clean - count);
        m_stack.setClean();
    } else {
        m_stack.resetClean(); // the saved state is no longer in the history
    }
    m_stack.setIndex(index - count);
    for (KeptCommand* step : replayed)
        step->replayed(false);
}

} // namespace kestrava::undo
