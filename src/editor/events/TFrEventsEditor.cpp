#include "editor/events/TFrEventsEditor.h"

namespace kestrava::editor {

TFrEventsEditor::TFrEventsEditor(document::ProjectDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(QStringLiteral("FrEventsEditor1"));
    setAccessibleName(QStringLiteral("Редактор событий"));
    setAutoFillBackground(true);
}

// The event sheet arrives with its own pane; until then the frame is empty.
void TFrEventsEditor::clear() {}
void TFrEventsEditor::start() {}
void TFrEventsEditor::start1() {}
void TFrEventsEditor::repaint() { update(); }

} // namespace kestrava::editor
