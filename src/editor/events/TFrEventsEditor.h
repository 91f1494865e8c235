#pragma once

#include <QWidget>

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::editor {

// The events editor pane: the event sheet of the current stage.
class TFrEventsEditor : public QWidget {
    Q_OBJECT
public:
    explicit TFrEventsEditor(document::ProjectDocument& document, QWidget* parent = nullptr);

    void clear();
    void start();
    void start1();
    void repaint();

private:
    document::ProjectDocument& m_document;
};

} // namespace kestrava::editor
