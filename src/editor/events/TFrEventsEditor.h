#pragma once

#include <QWidget>

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

// The events editor pane: the event sheet of the current stage.
class TFrEventsEditor : public QWidget {
    Q_OBJECT
public:
    TFrEventsEditor(model::Project& project, const io::AppFolder& app, QWidget* parent = nullptr);

    void clear();
    void start();
    void start1();
    void repaint();

private:
    model::Project& m_project;
    const io::AppFolder& m_app;
};

} // namespace kestrava::editor
