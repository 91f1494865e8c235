#include "editor/workspace/MainWindow.h"
#include "editor/workspace/SoundsWindow.h"

#include "catalogue/Variables.h"
#include "editor/common/ColourDialog.h"
#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"
#include "editor/interface/TitleScreenDialog.h"
#include "editor/interface/VariablesDialog.h"
#include "editor/events/EventSheetPane.h"
#include "events/SheetPicture.h"
#include "persist/TitlePicture.h"
#include "editor/help/GuideLauncher.h"
#include "editor/level/LevelMapPane.h"
#include "editor/objects/KindEditors.h"
#include "editor/objects/ObjectKindChooser.h"
#include "editor/objects/FontDialogWindow.h"
#include "editor/interface/InterfaceEditorWindow.h"
#include "editor/interface/GamePropertiesDialog.h"
#include "editor/workspace/AboutBox.h"
#include "editor/workspace/ScenarioPane.h"
#include "editor/workspace/GameLauncher.h"
#include "editor/workspace/RecoveryWriter.h"
#include "editor/workspace/BuildProgressDialog.h"
#include "editor/workspace/ConversionReport.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "level/LevelView.h"
#include "level/StageThumbnail.h"
#include "packaging/StandbyJava.h"
#include "persist/Examples.h"
#include "persist/ProjectFile.h"
#include "persist/RecoveryCopy.h"
#include "interface/InterfaceEditor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

namespace {
constexpr int kStatusMessageMs = 8000;
// After a project opens: long enough for the window to draw it first.
constexpr int kStandbyDelayMs = 1500;

// Hands every question to the dialogs the main window holds at the time.
class CurrentDialogs : public StandardDialogs {
public:
    explicit CurrentDialogs(const std::unique_ptr<StandardDialogs>& current) : m_current(current) {}

    QString saveFileName(QWidget* parent, const QString& startDir, const QString& filter,
                         const QString& defaultSuffix) override
    {
        return m_current->saveFileName(parent, startDir, filter, defaultSuffix);
    }
    QString openFileName(QWidget* parent, const QString& startDir, const QString& filter) override
    {
        return m_current->openFileName(parent, startDir, filter);
    }
    SaveChangesAnswer askSaveChanges(QWidget* parent, const QString& projectName) override
    {
        return m_current->askSaveChanges(parent, projectName);
    }
    bool askRestoreRecovery(QWidget* parent, const QDateTime& written) override
    {
        return m_current->askRestoreRecovery(parent, written);
    }
    SaveChangesAnswer askSaveObject(QWidget* parent) override { return m_current->askSaveObject(parent); }
    std::optional<NewProjectAnswer> askNewProject(QWidget* parent, const QString& projectsFolder) override
    {
        return m_current->askNewProject(parent, projectsFolder);
    }
    UpdateObjectAnswer askUpdateObject(QWidget* parent, const QString& name) override
    {
        return m_current->askUpdateObject(parent, name);
    }
    std::optional<int> chooseExample(QWidget* parent, const QStringList& examples) override
    {
        return m_current->chooseExample(parent, examples);
    }

private:
    const std::unique_ptr<StandardDialogs>& m_current;
};

} // namespace

MainWindow::MainWindow(const io::AppFolder& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_document(app), m_dialogs(std::make_unique<StandardDialogs>()),
      m_lastingDialogs(std::make_unique<CurrentDialogs>(m_dialogs)),
      m_recent(app.root() + u"/recent-projects.txt"_s)
{
    setObjectName(u"Mainform"_s);
    setLocale(QLocale(QLocale::Russian, QLocale::Russia));

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The three panes share one cell of the client area; only the shown one
    // takes the space.
    auto* paneArea = new QWidget(central);
    paneArea->setObjectName(u"paneArea"_s);
    auto* panes = new QGridLayout(paneArea);
    panes->setContentsMargins(0, 0, 0, 0);
    m_FrScriptEditor1 = new ScenarioPane(m_document, paneArea);
    m_FrLevelEditor1 = new LevelMapPane(m_document, paneArea);
    m_FrEventsEditor1 = new EventSheetPane(m_document, paneArea);
    for (QWidget* pane : {static_cast<QWidget*>(m_FrScriptEditor1), static_cast<QWidget*>(m_FrLevelEditor1),
                          static_cast<QWidget*>(m_FrEventsEditor1)})
        panes->addWidget(pane, 0, 0);
    auto* hint = new QLabel(u"Файл → Новый — создать проект;\nФайл → Открыть пример — посмотреть готовую игру"_s, paneArea);
    hint->setObjectName(u"lbStartHint"_s);
    hint->setAccessibleName(u"С чего начать"_s);
    hint->setAlignment(Qt::AlignCenter);
    hint->setStyleSheet(u"color: palette(dark); font-size: 16pt;"_s);
    panes->addWidget(hint, 0, 0);
    m_startHint = hint;
    column->addWidget(paneArea, 1);

    m_StatusBar2 = new QStatusBar(central);
    m_StatusBar2->setObjectName(u"StatusBar2"_s);
    m_StatusBar2->setSizeGripEnabled(false);
    m_StatusBar2->setFixedHeight(19);
    column->addWidget(m_StatusBar2);
    m_StatusBar1 = new QStatusBar(central);
    m_StatusBar1->setObjectName(u"StatusBar1"_s);
    m_StatusBar1->setFixedHeight(19);
    column->addWidget(m_StatusBar1);
    setCentralWidget(central);

    buildMenu();
    // The interface editor and its font dialog are made once, hidden, and keep the author's layout for the run.
    m_frmFont = new FontDialogWindow(m_app, *m_lastingDialogs, this);
    m_Form29 = new InterfaceEditorWindow(m_app, *m_lastingDialogs, *m_frmFont, this);
    m_recovery = new RecoveryWriter(m_document, this);
    connect(&m_document, &document::ProjectDocument::modifiedChanged, this, [this] { updateTitle(); });
    connect(&m_document, &document::ProjectDocument::projectReplaced, this, [this] { updateTitle(); });
    // Every stage's thumbnail is drawn for a project just opened and after each edit of its map.
    connect(&m_document, &document::ProjectDocument::projectReplaced, this, [this] {
        for (int level = 1; level <= model::kMaxLevels; ++level)
            thumbnailStale(level);
    });
    // The Java process that compiles and plays games starts once a project is open and the
    // window has drawn it, so it takes nothing from the editor's start.
    connect(&m_document, &document::ProjectDocument::projectReplaced, this, [this] {
        if (m_document.project().ProjectDir)
            QTimer::singleShot(kStandbyDelayMs, m_standby, [this] { m_standby->start(); });
    });
    connect(&m_document, &document::ProjectDocument::stagesChanged, this, [this] {
        for (int level = 1; level <= model::kMaxLevels; ++level)
            thumbnailStale(level);
    });
    connect(&m_document, &document::ProjectDocument::levelMapChanged, this, &MainWindow::thumbnailStale);
    connect(&m_document, &document::ProjectDocument::groupsChanged, this, &MainWindow::thumbnailStale);
    // One screen for the whole project: the level map's frame and the interface editor's preview.
    const auto showGameScreen = [this] {
        const model::ScreenSize screen = m_document.project().GameScreen;
        m_FrLevelEditor1->setScreenSize(screen);
        m_Form29->editor().setScreenSize(screen.width, screen.height);
    };
    connect(&m_document, &document::ProjectDocument::projectReplaced, this, showGameScreen);
    connect(&m_document, &document::ProjectDocument::gameScreenChanged, this, showGameScreen);
    showGameScreen();
    FormCreate();
    setWindowState(windowState() | Qt::WindowMaximized);
}

MainWindow::~MainWindow() = default;

QAction* MainWindow::addItem(QMenu* menu, const QString& caption, const char* name, void (MainWindow::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void MainWindow::buildMenu()
{
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(u"Файл"_s);
    file->setObjectName(u"N_File"_s);
    addItem(file, u"Открыть"_s, "N_Open", &MainWindow::N_OpenClick);
    m_recentMenu = file->addMenu(u"Недавние проекты"_s);
    m_recentMenu->setObjectName(u"N_Recent"_s);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    fillRecentMenu();
    addItem(file, u"Новый"_s, "N_New", &MainWindow::N_NewClick);
    addItem(file, u"Открыть пример"_s, "N_OpenExample", &MainWindow::N_OpenExampleClick);
    file->addSeparator();
    m_saveAction = file->addAction(u"Сохранить"_s);
    m_saveAction->setObjectName(u"N_Save"_s);
    m_saveAction->setShortcut(QKeySequence::Save);
    connect(m_saveAction, &QAction::triggered, this, [this] { N_SaveClick(); });
    m_saveAsAction = addItem(file, u"Сохранить как ..."_s, "N_SaveAs", &MainWindow::N_SaveAsClick);
    file->addSeparator();
    // The game's own settings, each a dialog of its own.
    m_gameSettingsMenu = file->addMenu(u"Настройки игры"_s);
    m_gameSettingsMenu->setObjectName(u"N_GameSettingsMenu"_s);
    m_gameSettingsAction = addItem(m_gameSettingsMenu, u"Экран и сведения об игре…"_s, "N_GameSettings",
                                   &MainWindow::N_GameSettingsClick);
    m_variablesAction = addItem(m_gameSettingsMenu, u"Переменные…"_s, "N_Variables", &MainWindow::N_VariablesClick);
    m_titleAction = addItem(m_gameSettingsMenu, u"Заставка…"_s, "N_TitleScreen", &MainWindow::N_TitleScreenClick);
    m_interfaceAction =
        addItem(file, u"Редактор интерфейса"_s, "N_InterfaceEditor", &MainWindow::N_InterfaceEditorClick);
    file->addSeparator();
    addItem(file, u"Выход"_s, "N_Exit", &MainWindow::N_ExitClick);

    // The history of the author's edits; each item names the step it takes.
    m_editMenu = bar->addMenu(u"Правка"_s);
    m_editMenu->setObjectName(u"N_Edit"_s);
    QUndoStack& undo = m_document.undoStack();
    m_undoAction = m_editMenu->addAction(u"Отменить"_s);
    m_undoAction->setObjectName(u"N_Undo"_s);
    m_undoAction->setShortcut(QKeySequence(u"Ctrl+Z"_s));
    m_redoAction = m_editMenu->addAction(u"Повторить"_s);
    m_redoAction->setObjectName(u"N_Redo"_s);
    m_redoAction->setShortcuts({QKeySequence(u"Ctrl+Y"_s), QKeySequence(u"Ctrl+Shift+Z"_s)});
    connect(m_undoAction, &QAction::triggered, this, [this] { guarded(this, [this] { m_document.undoStack().undo(); }); });
    connect(m_redoAction, &QAction::triggered, this, [this] { guarded(this, [this] { m_document.undoStack().redo(); }); });
    auto named = [](const QString& verb, const QString& step) { return step.isEmpty() ? verb : verb + u": "_s + step; };
    auto follow = [this, &undo, named] {
        m_undoAction->setEnabled(undo.canUndo());
        m_undoAction->setText(named(u"Отменить"_s, undo.undoText()));
        m_redoAction->setEnabled(undo.canRedo());
        m_redoAction->setText(named(u"Повторить"_s, undo.redoText()));
    };
    connect(&m_document.history(), &undo::History::changed, this, follow);
    follow();

    // The level pane's own menus, shown while the pane is.
    bar->addMenu(m_FrLevelEditor1->MapMenu);
    bar->addMenu(m_FrLevelEditor1->ViewMenu);

    m_objectsMenu = bar->addMenu(u"Объекты"_s);
    m_objectsMenu->setObjectName(u"N_Objects"_s);
    addItem(m_objectsMenu, u"Создать"_s, "N_CreateObject", &MainWindow::N_CreateObjectClick);
    addItem(m_objectsMenu, u"Загрузить"_s, "N_LoadObject", &MainWindow::N_LoadObjectClick);
    addItem(m_objectsMenu, u"Звуки проекта…"_s, "N_Sounds", &MainWindow::N_SoundsClick);

    m_editorsMenu = bar->addMenu(u"Редакторы"_s);
    m_editorsMenu->setObjectName(u"N_Editors"_s);
    addItem(m_editorsMenu, u"Редактор сценария"_s, "N_ScriptEditor", &MainWindow::N_ScriptEditorClick);
    addItem(m_editorsMenu, u"Редактор уровня"_s, "N_LevelEditor", &MainWindow::N_LevelEditorClick);
    addItem(m_editorsMenu, u"Редактор событий"_s, "N_EventsEditor", &MainWindow::N_EventsEditorClick);

    m_runMenu = bar->addMenu(u"Запуск"_s);
    m_runMenu->setObjectName(u"N_Run"_s);
    addItem(m_runMenu, u"Конвертировать"_s, "N_Convert", &MainWindow::N_ConvertClick);
    addItem(m_runMenu, u"Собрать игру"_s, "N_PackageGame", &MainWindow::N_PackageGameClick);
    addItem(m_runMenu, u"Играть"_s, "N_PlayGame", &MainWindow::N_PlayGameClick)->setShortcut(QKeySequence(Qt::Key_F5));
    // For phones that take small jars only: "Собрать игру" and "Играть" shrink the game while it is ticked.
    m_shrinkAction = m_runMenu->addAction(u"Уменьшить игру"_s);
    m_shrinkAction->setObjectName(u"N_ShrinkGame"_s);
    m_shrinkAction->setCheckable(true);
    m_standby = new packaging::StandbyJava(m_app, this);
    m_game = new GameLauncher(this, m_standby);

    QMenu* help = bar->addMenu(u"Справка"_s);
    help->setObjectName(u"N_Help"_s);
    addItem(help, u"Руководство"_s, "N_Guide", &MainWindow::N_GuideClick)->setShortcut(QKeySequence(Qt::Key_F1));
    addItem(help, u"Об авторах"_s, "N_About", &MainWindow::N_AboutClick);
    m_guide = new GuideLauncher(m_app.guide(), this);

    // Until a project is made or opened there is nothing to save, edit or convert.
    for (QAction* action : {m_saveAction, m_saveAsAction, m_gameSettingsAction, m_variablesAction, m_titleAction, m_interfaceAction,
                            m_objectsMenu->menuAction(), m_editorsMenu->menuAction(), m_runMenu->menuAction()})
        action->setEnabled(false);
}

void MainWindow::FormCreate()
{
    guarded(this, [this] {
        razmer();
        m_document.reset();
        m_FrEventsEditor1->start();
        m_paneTitle = kTitleScript;
        updateTitle();
        m_FrEventsEditor1->hide();
        m_FrLevelEditor1->hide();
        m_FrScriptEditor1->hide();
        m_FrScriptEditor1->start();
        m_FrLevelEditor1->start();
    });
}

void MainWindow::razmer()
{
    // The layout gives each pane the whole client area; apply it now so a
    // pane just shown is sized before it draws.
    if (QLayout* layout = centralWidget()->layout())
        layout->activate();
}

void MainWindow::updateTitle()
{
    const QString name = m_document.displayName();
    QString title = name.isEmpty() ? m_paneTitle : m_paneTitle + u" - "_s + name;
    if (m_document.isModified())
        title += u'*';
    setWindowTitle(title);
}

void MainWindow::thumbnailStale(int level)
{
    m_staleThumbnails.insert(level);
    // Drawn once the edits of this event are done, and only while they can be seen.
    if (!m_thumbnailsQueued && m_FrScriptEditor1->isVisible()) {
        m_thumbnailsQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_thumbnailsQueued = false;
            if (m_FrScriptEditor1->isVisible())
                refreshThumbnails();
        });
    }
}

void MainWindow::refreshThumbnails()
{
    const QSize cell(ScenarioPane::kPictureWidth, ScenarioPane::kPictureHeight);
    const int count = std::clamp(m_document.project().LevelCount, 1, model::kMaxLevels);
    for (int level : std::exchange(m_staleThumbnails, {}))
        if (level <= count)
            m_FrScriptEditor1->setStagePicture(
                level, level::stageThumbnail(m_FrLevelEditor1->view().renderStage(level), cell));
}

void MainWindow::showOnly(QWidget* pane, const QString& title)
{
    m_paneTitle = title;
    updateTitle();
    m_startHint->hide();
    for (QWidget* each : {static_cast<QWidget*>(m_FrScriptEditor1), static_cast<QWidget*>(m_FrLevelEditor1),
                          static_cast<QWidget*>(m_FrEventsEditor1)})
        if (each != pane)
            each->hide();
    pane->show();
    if (pane == m_FrScriptEditor1)
        guarded(this, [this] { refreshThumbnails(); });
}

void MainWindow::setDialogs(std::unique_ptr<StandardDialogs> dialogs)
{
    m_dialogs = std::move(dialogs);
}

void MainWindow::say(const QString& message)
{
    m_StatusBar1->showMessage(message, kStatusMessageMs);
}

void MainWindow::showWarnings(const QStringList& warnings)
{
    for (const QString& warning : warnings)
        showWarning(this, warning);
}

bool MainWindow::maybeSave()
{
    if (!m_document.isModified())
        return true;
    const SaveChangesAnswer answer = m_dialogs->askSaveChanges(this, m_document.displayName());
    // Work the author chose to drop leaves no copy to be offered later.
    if (answer == SaveChangesAnswer::Discard)
        m_recovery->discard();
    // A save that failed keeps the project as it is: nothing is lost.
    return mayGoOn(answer, [this] { return N_SaveClick(); });
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

void MainWindow::enableProjectMenus()
{
    for (QAction* action : {m_saveAction, m_saveAsAction, m_gameSettingsAction, m_variablesAction, m_titleAction, m_interfaceAction,
                            m_objectsMenu->menuAction(), m_editorsMenu->menuAction(), m_runMenu->menuAction()})
        action->setEnabled(true);
    showOnly(m_FrScriptEditor1, kTitleScript);
}

void MainWindow::N_NewClick()
{
    if (!maybeSave())
        return;
    // The open project stays until the new one exists: a cancelled or refused "Новый" changes nothing.
    const std::optional<NewProjectAnswer> answer = m_dialogs->askNewProject(this, m_app.project());
    if (!answer)
        return;
    guarded(this, [&] {
        m_document.createNamed(answer->folder, answer->name);
        say(u"Создан проект: %1"_s.arg(QDir::toNativeSeparators(m_document.fileName())));
        rememberProject();
        enableProjectMenus();
    });
}

void MainWindow::N_OpenClick()
{
    if (!maybeSave())
        return;
    // The project stays open until another file is chosen: a cancelled dialog drops nothing.
    const QString file = m_dialogs->openFileName(this, m_recent.startFolder(m_app.project()), QString());
    if (file.isEmpty())
        return;
    openChosen(file);
}

void MainWindow::openRecent(const QString& file)
{
    if (!maybeSave())
        return;
    if (!QFileInfo(file).isFile()) {
        guarded(this, [&file] { throw io::Error::inFile(file, u"проекта больше нет на этом месте"_s); });
        return;
    }
    openChosen(file);
}

void MainWindow::openChosen(const QString& file)
{
    guarded(this, [this, &file] {
        m_document.reset();
        showWarnings(m_document.open(file));
        say(u"Открыт проект: %1"_s.arg(m_document.fileName()));
        rememberProject();
    });
    enableProjectMenus();
    offerRecovery();
}

void MainWindow::rememberProject()
{
    if (!m_document.fileName().isEmpty())
        m_recent.add(m_document.fileName());
}

void MainWindow::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList files = m_recent.files();
    for (qsizetype k = 0; k < files.size(); ++k) {
        const QString& file = files[k];
        QAction* action = m_recentMenu->addAction(u"&%1 %2"_s.arg(k + 1).arg(QDir::toNativeSeparators(file)));
        action->setObjectName(u"N_Recent%1"_s.arg(k + 1));
        const bool there = QFileInfo(file).isFile();
        action->setEnabled(there);
        action->setToolTip(there ? QString() : u"Файла больше нет на этом месте"_s);
        connect(action, &QAction::triggered, this, [this, file] { openRecent(file); });
    }
    m_recentMenu->setToolTipsVisible(true);
    m_recentMenu->setEnabled(!files.isEmpty());
}

void MainWindow::openProjectFile(const QString& file, persist::ProjectPreload* preload)
{
    guarded(this, [this, &file, preload] {
        m_document.reset();
        showWarnings(m_document.open(file, preload));
        rememberProject();
    });
    enableProjectMenus();
    offerRecovery();
}

void MainWindow::offerRecovery()
{
    guarded(this, [this] {
        if (!m_document.project().hasProjectDir())
            return;
        const QString dir = *m_document.project().ProjectDir;
        const std::optional<persist::RecoveryCopy> copy = persist::unsavedRecoveryCopy(dir);
        if (!copy)
            return;
        if (!m_dialogs->askRestoreRecovery(this, copy->written)) {
            persist::removeRecoveryCopy(dir);
            return;
        }
        showWarnings(m_document.openRecovered(persist::projectFileIn(dir), *copy));
        m_recovery->adopt();
    });
}

bool MainWindow::N_SaveClick()
{
    return guarded(this, [this] {
        m_document.save();
        say(u"Проект сохранён: %1"_s.arg(m_document.fileName()));
    });
}

void MainWindow::N_SaveAsClick()
{
    guarded(this, [this] {
        const QString file = m_dialogs->saveFileName(this, m_app.src(), kProjectFileFilter, u"prg"_s);
        const QString written = m_document.saveAs(file);
        if (!written.isEmpty()) {
            say(u"Проект сохранён: %1"_s.arg(written));
            rememberProject();
        }
    });
}

void MainWindow::N_GameSettingsClick()
{
    guarded(this, [this] {
        const model::Project& p = m_document.project();
        if (const std::optional<GameSettings> chosen =
                showGameSettings(this, {p.GameScreen, p.GameSuite, p.OwnBudget, p.TouchButtons}))
            m_document.setGameProperties(chosen->screen, chosen->suite, chosen->ownBudget, chosen->touchButtons);
    });
}

void MainWindow::N_VariablesClick()
{
    guarded(this, [this] {
        const model::Project& p = m_document.project();
        if (const std::optional<ChosenVariables> chosen = showVariables(this, p.Variables, p.NextVariableId))
            m_document.setVariables(chosen->variables, chosen->nextId);
    });
}

void MainWindow::N_TitleScreenClick()
{
    guarded(this, [this] {
        const model::Project& p = m_document.project();
        const QString folder = p.ProjectDir.value_or(QString());
        TitleScreenDialog dialog(p.TitleScreen, folder, folder.isEmpty() ? QString() : io::fileNamePart(folder),
                                 *m_lastingDialogs, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        std::optional<model::TitleScreenData> title = dialog.chosen();
        if (title && !dialog.PictureSource.isEmpty()) {
            if (folder.isEmpty())
                throw io::Error(u"Заставка: сначала сохраните проект — картинка копируется в его папку."_s);
            title->Picture = persist::copyTitlePicture(folder, dialog.PictureSource);
        }
        m_document.setTitleScreen(title);
    });
}

void MainWindow::N_InterfaceEditorClick()
{
    const model::Project& p = m_document.project();
    // The converter reads the settings file from the project's folder.
    if (p.hasProjectDir())
        m_Form29->setProjectFolder(*p.ProjectDir);
    showInFront(m_Form29);
}

void MainWindow::N_ExitClick()
{
    close();
}

void MainWindow::N_CreateObjectClick()
{
    guarded(this, [this] {
        ObjectKindChooser chooser(this);
        chooser.exec();
        // The chooser is closed before the editor of its choice opens.
        if (!chooser.choice())
            return;
        kindEditor(*chooser.choice()).run(m_app, *m_dialogs, this, catalogue::textValueNames(m_document.project().Variables));
    });
}

void MainWindow::N_SoundsClick()
{
    SoundsWindow window(m_document, *m_dialogs, this);
    window.exec();
}

void MainWindow::N_LoadObjectClick()
{
    guarded(this, [this] {
        const QString chosen = m_dialogs->openFileName(this, m_app.objects(), kObjectFileFilter);
        if (chosen.isEmpty())
            return;
        const QString name = io::fileNamePart(chosen);
        const int level = m_document.project().CurLevel;
        // A file the stage already holds is usually an object edited since: offered as an update.
        if (persist::stageHolds(m_document.project(), level, name)) {
            switch (m_dialogs->askUpdateObject(this, name)) {
            case UpdateObjectAnswer::Update:
                m_document.updateObject(chosen);
                say(u"Объект «%1» обновлён на этапе %2"_s.arg(name).arg(level));
                return;
            case UpdateObjectAnswer::LoadAnother:
                break;
            case UpdateObjectAnswer::Cancel:
                return;
            }
        }
        // A file from outside the library is copied into the project's objects folder first.
        const persist::ImportedObject imported = m_document.importChosenObject(chosen);
        say(u"Объект «%1» загружен в этап %2"_s.arg(name).arg(m_document.project().CurLevel));
        if (!imported.note.isEmpty())
            showWarning(this, imported.note);
    });
}

void MainWindow::N_ConvertClick()
{
    // Converts first; the window with its success label shows only when that worked.
    ConversionReport::run(this, m_document.project(), m_app);
}

void MainWindow::N_PackageGameClick()
{
    // The dialog stays on the game against its handset's budget until the author closes it.
    if (const auto game = BuildProgressDialog::package(this, m_document.project(), m_app, m_shrinkAction->isChecked(),
                                                       m_standby, true))
    {
        // Stays until the next message: the author looks for the jar after the progress closed.
        m_StatusBar1->showMessage(u"Игра собрана: %1 (%2 КБ из %3 КБ)"_s.arg(QDir::toNativeSeparators(game->jar))
                                      .arg((QFileInfo(game->jar).size() + 1023) / 1024)
                                      .arg(game->budget.budget.JarKB));
        // Rows naming objects their stage lacks are packaged, but do nothing in the game.
        if (const QStringList notes = events::unmetRowNotes(m_document.project()); !notes.isEmpty())
            showWarning(this, u"Игра собрана, но эти строки в ней не сработают:\n"_s + notes.join(u'\n'));
    }
}

void MainWindow::N_PlayGameClick()
{
    const auto game =
        BuildProgressDialog::package(this, m_document.project(), m_app, m_shrinkAction->isChecked(), m_standby);
    if (game)
        guarded(this, [&] { m_game->play(m_app, *game, m_document.project().GameScreen); });
}

void MainWindow::N_AboutClick()
{
    guarded(this, [this] {
        AboutBox about(this);
        about.exec();
    });
}

void MainWindow::N_OpenExampleClick()
{
    if (!maybeSave())
        return;
    guarded(this, [this] {
        const std::vector<persist::Example> examples = persist::listExamples(m_app);
        if (examples.empty())
            throw io::Error(u"Примеров нет: папка «%1» пуста или её нет."_s.arg(QDir::toNativeSeparators(m_app.examples())));
        QStringList lines;
        for (const persist::Example& example : examples)
            lines << (example.description.isEmpty() ? example.name : example.name + u" — "_s + example.description);
        const std::optional<int> chosen = m_dialogs->chooseExample(this, lines);
        if (!chosen || *chosen < 0 || size_t(*chosen) >= examples.size())
            return;
        // The installed example stays as it is; the author works on a copy.
        const QString file = persist::copyExample(examples[size_t(*chosen)].folder, m_app.project());
        m_document.reset();
        showWarnings(m_document.open(file));
        say(u"Открыта копия примера: %1"_s.arg(QDir::toNativeSeparators(file)));
        rememberProject();
        enableProjectMenus();
    });
}

void MainWindow::N_GuideClick()
{
    m_guide->showFor(QApplication::focusWidget() ? QApplication::focusWidget() : static_cast<QWidget*>(this));
}

void MainWindow::N_ScriptEditorClick()
{
    showOnly(m_FrScriptEditor1, kTitleScript);
    // When the thumbnail cannot be stored the pane stays as it was drawn last.
    guarded(this, [this] {
        // The map last drawn may be of another stage (chosen here since);
        // the thumbnail must show the selected one.
        m_FrLevelEditor1->redrawMap();
        const int level = m_document.project().SelLevel;
        level::storeStageThumbnail(m_app, level, m_FrLevelEditor1->levelPicture());
        m_FrScriptEditor1->redrawStages();
        razmer();
    });
}

void MainWindow::N_LevelEditorClick()
{
    showOnly(m_FrLevelEditor1, kTitleLevel);
    guarded(this, [this] {
        m_FrLevelEditor1->start1();
        m_FrLevelEditor1->redrawMap();
        razmer();
    });
}

void MainWindow::N_EventsEditorClick()
{
    showOnly(m_FrEventsEditor1, kTitleEvents);
    guarded(this, [this] {
        m_FrEventsEditor1->start1();
        m_FrEventsEditor1->repaint();
        razmer();
    });
}

} // namespace kestrava::editor
