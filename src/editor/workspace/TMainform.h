#pragma once

#include "model/Project.h"
#include "persist/SaveTarget.h"

#include <QMainWindow>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class QStatusBar;

namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

class TFrScriptEditor;
class TFrLevelEditor;
class TFrEventsEditor;
class FileDialogs;

// The main window: owns the project and the three editor panes, one of which
// is shown at a time, and carries the main menu.
class TMainform : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString kTitleScript = QStringLiteral("Kestrava - Редактор сценария");
    static inline const QString kTitleLevel = QStringLiteral("Kestrava - Редактор уровня");
    static inline const QString kTitleEvents = QStringLiteral("Kestrava - Редактор событий");
    // Filter of the object-file dialog of "Загрузить".
    static inline const QString kObjectFileFilter = QStringLiteral(
        "файл фонового объекта (*.obf);;файл активного объекта (*.oba);;"
        "файл  объекта полосы (*.obl);;файл  текстового объекта (*.obt)");

    explicit TMainform(const io::AppFolder& app, QWidget* parent = nullptr);
    ~TMainform() override;

    model::Project& project() { return m_project; }
    const model::Project& project() const { return m_project; }
    const io::AppFolder& app() const { return m_app; }

    TFrScriptEditor* FrScriptEditor1() const { return m_FrScriptEditor1; }
    TFrLevelEditor* FrLevelEditor1() const { return m_FrLevelEditor1; }
    TFrEventsEditor* FrEventsEditor1() const { return m_FrEventsEditor1; }

    // Menu commands. Each runs through guarded().
    void N_OpenClick();
    void N_NewClick();
    void N_SaveClick();
    void N_SaveAsClick();
    void N_GameSettingsClick();
    void N_ExitClick();
    void N_CreateObjectClick();
    void N_LoadObjectClick();
    void N_ScriptEditorClick();
    void N_LevelEditorClick();
    void N_EventsEditorClick();
    void N_ConvertClick();
    void N_AboutClick();

    // Lays the panes over the client area.
    void razmer();

    // Opens a project file as "Открыть" does, without the dialog (command line).
    void openProjectFile(const QString& file);
    // Tests answer the file dialogs through this seam.
    void setFileDialogs(std::unique_ptr<FileDialogs> dialogs);
    const persist::SaveTarget& saveTarget() const { return m_saveTarget; }

    // Filter of the project file dialogs.
    static inline const QString kProjectFileFilter = QStringLiteral("файл проекта (*.prg)");

private:
    void FormCreate();
    void buildMenu();
    QAction* addItem(QMenu* menu, const QString& caption, const char* name, void (TMainform::*handler)());
    // "Новый" and "Открыть": a fresh one-stage project in every pane.
    void resetProject();
    void enableProjectMenus();
    void showOnly(QWidget* pane, const QString& title);
    // After a project was read: every pane shows the new model.
    void refreshPanes();

    model::Project m_project;
    const io::AppFolder& m_app;
    persist::SaveTarget m_saveTarget;
    std::unique_ptr<FileDialogs> m_fileDialogs;

    TFrScriptEditor* m_FrScriptEditor1 = nullptr;
    TFrLevelEditor* m_FrLevelEditor1 = nullptr;
    TFrEventsEditor* m_FrEventsEditor1 = nullptr;
    QStatusBar* m_StatusBar1 = nullptr;
    QStatusBar* m_StatusBar2 = nullptr;

    QMenu* m_objectsMenu = nullptr;
    QMenu* m_editorsMenu = nullptr;
    QMenu* m_runMenu = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_gameSettingsAction = nullptr;
};

} // namespace kestrava::editor
