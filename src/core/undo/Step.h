#pragma once

#include <QString>
#include <QUndoCommand>

#include <concepts>
#include <cstddef>
#include <functional>
#include <utility>

namespace kestrava::undo {

// A step of a history that says what it keeps, so a history with a budget
// can drop its oldest steps beyond it.
class Step : public QUndoCommand {
public:
    using QUndoCommand::QUndoCommand;
    virtual std::size_t heldBytes() const { return sizeof *this; }
};

// How a later step of the same gesture joins a snapshot: by default its
// state after replaces the step's; a state that keeps only what changed
// (some cells of a map) gives its own join.
struct TakeLaterAfter {
    template <class State>
    void operator()(State&, State& after, const State&, const State& laterAfter) const
    {
        after = laterAfter;
    }
};

namespace detail {

// What a state holds beyond its size: a heldBytes(state) of its own
// namespace, found by its argument (a member of a step would hide it there).
template <class State>
std::size_t extraBytes(const State& state)
{
    if constexpr (requires { { heldBytes(state) } -> std::convertible_to<std::size_t>; })
        return heldBytes(state);
    else
        return 0;
}

} // namespace detail

// The before/after swap: undo shows the state before, redo the state after.
// Steps of one gesture (a serial per press, as a drag or a stroke has; 0
// for none) merge into one step, from the first one's before to the last
// one's after, and a gesture that ends where it began is no step at all.
template <class State, class Join = TakeLaterAfter>
class SnapshotStep : public Step {
public:
    using Show = std::function<void(const State&)>;
    static constexpr int kMergeId = 0x5e01;

    SnapshotStep(const QString& text, State before, State after, Show show, int gesture = 0)
        : Step(text), m_before(std::move(before)), m_after(std::move(after)), m_show(std::move(show)),
          m_gesture(gesture)
    {
    }

    int id() const override { return m_gesture != 0 ? kMergeId : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* later = dynamic_cast<const SnapshotStep*>(other);
        if (!later || later->m_gesture != m_gesture)
            return false;
        Join()(m_before, m_after, later->m_before, later->m_after);
        if constexpr (std::equality_comparable<State>)
            setObsolete(m_after == m_before);
        return true;
    }
    void undo() override { m_show(m_before); }
    void redo() override { m_show(m_after); }
    std::size_t heldBytes() const override
    {
        return sizeof *this + detail::extraBytes(m_before) + detail::extraBytes(m_after);
    }

private:
    State m_before;
    State m_after;
    Show m_show;
    int m_gesture;
};

} // namespace kestrava::undo
