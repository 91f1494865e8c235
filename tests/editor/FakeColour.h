#pragma once

#include "editor/common/ColourDialog.h"

namespace kestrava::test {

// Answers the colour dialog with `answer` (nothing: cancelled).
class FakeColour : public editor::ColourDialog {
public:
    explicit FakeColour(std::optional<QColor> answer) : m_answer(answer) {}
    std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return m_answer; }

private:
    std::optional<QColor> m_answer;
};

} // namespace kestrava::test
