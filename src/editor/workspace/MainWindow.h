#pragma once

#include "document/ProjectDocument.h"
#include "model/ObjectKind.h"
#include "persist/RecentProjects.h"

#include <QMainWindow>
#include <QSet>
#include <QString>

#include <memory>

class QAction;
class QMenu;
class QStatusBar;

namespace kestrava::io { class AppFolder; }
namespace kestrava::packaging { class StandbyJava; }

namespace kestrava::editor {

class ScenarioPane;
class LevelMapPane;
class EventSheetPane;
class StandardDialogs;
class GameLauncher;
class InterfaceEditorWindow;
class FontDialogWindow;
class GuideLauncher;
class RecoveryWriter;

// The main window: owns the open project and the three editor panes, one
// of which is shown at a time, and carries the main menu.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static inline const QString kTitleScript = QStringLiteral("Kestrava - Редактор сценария");
    static inline const QString kTitleLevel = QStringLiteral("Kestrava - Редактор уровня");
    static inline const QString kTitleEvents = QStringLiteral("Kestrava - Редактор событий");
    // Filter of the object-file dialog of "Загрузить".
    static inline const QString kObjectFileFilter = model::objectFileFilter();
    // Filter of the project file dialogs.
    static inline const QString kProjectFileFilter = QStringLiteral("файл проекта (*.prg)");

    explicit MainWindow(const io::AppFolder& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    document::ProjectDocument& document() { return m_document; }
    const model::Project& project() const { return m_document.project(); }
    const io::AppFolder& app() const { return m_app; }
    // The Java process kept beside the editor for "Собрать игру" and "Играть".
    packaging::StandbyJava& standby() const { return *m_standby; }

    ScenarioPane* FrScriptEditor1() const { return m_FrScriptEditor1; }
    LevelMapPane* FrLevelEditor1() const { return m_FrLevelEditor1; }
    EventSheetPane* FrEventsEditor1() const { return m_FrEventsEditor1; }

    // Menu commands. Each runs through guarded().
    void N_OpenClick();
    // "Недавние проекты": opens one of them as "Открыть" would.
    void openRecent(const QString& file);
    QMenu* recentMenu() const { return m_recentMenu; }
    void N_NewClick();
    // true when the project was written.
    bool N_SaveClick();
    void N_SaveAsClick();
    void N_GameSettingsClick();
    // "Настройки игры" → "Переменные…" and "Заставка…".
    void N_VariablesClick();
    void N_TitleScreenClick();
    // "Редактор интерфейса": shows the game interface editor, which keeps its layout for the whole run.
    void N_InterfaceEditorClick();
    void N_ExitClick();
    void N_CreateObjectClick();
    void N_LoadObjectClick();
    void N_SoundsClick();
    void N_ScriptEditorClick();
    void N_LevelEditorClick();
    void N_EventsEditorClick();
    void N_ConvertClick();
    // "Собрать игру": bin/<name>.jar and .jad, with a progress dialog.
    void N_PackageGameClick();
    // "Играть" (F5): packages the game and opens it in the player at the game's screen size.
    void N_PlayGameClick();
    void N_AboutClick();
    // "Открыть пример": a copy of an installed example in the projects folder, opened.
    void N_OpenExampleClick();
    // "Руководство" (F1): the guide at the page of the window in front.
    void N_GuideClick();

    // Lays the panes over the client area.
    void razmer();

    // Opens a project file as "Открыть" does, without the dialogs (command line).
    // A preload of file, when given, has read it already.
    void openProjectFile(const QString& file, persist::ProjectPreload* preload = nullptr);
    // Tests answer the standard dialogs through this seam.
    void setDialogs(std::unique_ptr<StandardDialogs> dialogs);
    InterfaceEditorWindow* Form29() const { return m_Form29; }
    // The font dialog the interface editor shares.
    FontDialogWindow* frmFont() const { return m_frmFont; }
    // The keeper of the recovery copy of unsaved changes.
    RecoveryWriter* recovery() const { return m_recovery; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void buildMenu();
    QAction* addItem(QMenu* menu, const QString& caption, const char* name, void (MainWindow::*handler)());
    void enableProjectMenus();
    void showOnly(QWidget* pane, const QString& title);
    // The pane's title, the project's folder name, and "*" while there are unsaved changes.
    void updateTitle();
    // Before the project is dropped: asks about unsaved changes; false to keep everything as it is.
    bool maybeSave();
    // "Открыть" or a recent project, once its file is chosen and unsaved work was asked about.
    void openChosen(const QString& file);
    void showWarnings(const QStringList& warnings);
    // After "Открыть": a recovery copy a crash left is offered ("Восстановить").
    void offerRecovery();
    // Stage thumbnails: a stage whose map changed is drawn again when the scenario editor shows.
    void thumbnailStale(int level);
    void refreshThumbnails();
    void say(const QString& message);
    // The open project joins "Недавние проекты".
    void rememberProject();
    void fillRecentMenu();

    const io::AppFolder& m_app;
    document::ProjectDocument m_document;
    std::unique_ptr<StandardDialogs> m_dialogs;
    // For windows that live as long as this one: whichever m_dialogs holds when they ask.
    std::unique_ptr<StandardDialogs> m_lastingDialogs;
    QString m_paneTitle;
    QSet<int> m_staleThumbnails;
    bool m_thumbnailsQueued = false;

    ScenarioPane* m_FrScriptEditor1 = nullptr;
    LevelMapPane* m_FrLevelEditor1 = nullptr;
    EventSheetPane* m_FrEventsEditor1 = nullptr;
    QStatusBar* m_StatusBar1 = nullptr;
    QStatusBar* m_StatusBar2 = nullptr;

    persist::RecentProjects m_recent;
    QMenu* m_recentMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QMenu* m_objectsMenu = nullptr;
    QMenu* m_editorsMenu = nullptr;
    QMenu* m_runMenu = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QMenu* m_gameSettingsMenu = nullptr;
    QAction* m_gameSettingsAction = nullptr;
    QAction* m_variablesAction = nullptr;
    QAction* m_titleAction = nullptr;
    QAction* m_interfaceAction = nullptr;
    QAction* m_shrinkAction = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    GameLauncher* m_game = nullptr;
    packaging::StandbyJava* m_standby = nullptr;
    FontDialogWindow* m_frmFont = nullptr;
    InterfaceEditorWindow* m_Form29 = nullptr;
    // What to do first, over the empty client area until a project is open.
    QWidget* m_startHint = nullptr;
    GuideLauncher* m_guide = nullptr;
    RecoveryWriter* m_recovery = nullptr;
};

} // namespace kestrava::editor
