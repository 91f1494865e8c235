#pragma once

#include <QImage>
#include <QWidget>

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

// The level editor pane: the object list of the current stage and its map.
class TFrLevelEditor : public QWidget {
    Q_OBJECT
public:
    TFrLevelEditor(model::Project& project, const io::AppFolder& app, QWidget* parent = nullptr);

    // Project reset ("Новый", "Открыть").
    void clear();
    // Once, when the main window is created.
    void start();
    // Rebuilds the object list of the current stage.
    void start1();
    // Redraws the level map of the current stage.
    void pereris();
    // The level map as last drawn (the scenario editor's stage thumbnail).
    QImage levelPicture() const;

private:
    model::Project& m_project;
    const io::AppFolder& m_app;
    QImage m_map;
};

} // namespace kestrava::editor
