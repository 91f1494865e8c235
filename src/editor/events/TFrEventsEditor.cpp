#include "editor/events/TFrEventsEditor.h"

namespace kestrava::editor {

TFrEventsEditor::TFrEventsEditor(model::Project& project, const io::AppFolder& app, QWidget* parent)
    : QWidget(parent), m_project(project), m_app(app)
{
    setObjectName(QStringLiteral("FrEventsEditor1"));
    setAutoFillBackground(true);
}

// The event sheet arrives with its own pane; until then the frame is empty.
void TFrEventsEditor::clear() {}
void TFrEventsEditor::start() {}
void TFrEventsEditor::start1() {}
void TFrEventsEditor::repaint() { update(); }

} // namespace kestrava::editor
