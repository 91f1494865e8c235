#include "editor/workspace/TMainform.h"

#include "editor/events/TFrEventsEditor.h"
#include "editor/level/TFrLevelEditor.h"
#include "editor/settings/TfmFeature.h"
#include "editor/workspace/ErrorBox.h"
#include "editor/workspace/FileDialogs.h"
#include "editor/workspace/TAbout.h"
#include "editor/workspace/TfmConvert.h"
#include "editor/workspace/TFrScriptEditor.h"
#include "io/AppFolder.h"
#include "io/Paths.h"
#include "io/Png.h"
#include "persist/ObjectImport.h"

#include <QAction>
#include <QGridLayout>
#include <QLayout>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

TMainform::TMainform(const io::AppFolder& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_fileDialogs(std::make_unique<FileDialogs>())
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
    m_FrScriptEditor1 = new TFrScriptEditor(m_project, paneArea);
    m_FrLevelEditor1 = new TFrLevelEditor(m_project, m_app, paneArea);
    m_FrEventsEditor1 = new TFrEventsEditor(m_project, m_app, paneArea);
    for (QWidget* pane : {static_cast<QWidget*>(m_FrScriptEditor1), static_cast<QWidget*>(m_FrLevelEditor1),
                          static_cast<QWidget*>(m_FrEventsEditor1)})
        panes->addWidget(pane, 0, 0);
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
    FormCreate();
    setWindowState(windowState() | Qt::WindowMaximized);
}

TMainform::~TMainform() = default;

QAction* TMainform::addItem(QMenu* menu, const QString& caption, const char* name, void (TMainform::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

void TMainform::buildMenu()
{
    QMenuBar* bar = menuBar();

    QMenu* file = bar->addMenu(u"Файл"_s);
    file->setObjectName(u"N_File"_s);
    addItem(file, u"Открыть"_s, "N_Open", &TMainform::N_OpenClick);
    addItem(file, u"Новый"_s, "N_New", &TMainform::N_NewClick);
    file->addSeparator();
    m_saveAction = addItem(file, u"Сохранить"_s, "N_Save", &TMainform::N_SaveClick);
    m_saveAsAction = addItem(file, u"Сохранить как ..."_s, "N_SaveAs", &TMainform::N_SaveAsClick);
    file->addSeparator();
    m_gameSettingsAction = addItem(file, u"Настройки игры"_s, "N_GameSettings", &TMainform::N_GameSettingsClick);
    file->addSeparator();
    addItem(file, u"Выход"_s, "N_Exit", &TMainform::N_ExitClick);

    m_objectsMenu = bar->addMenu(u"Объекты"_s);
    m_objectsMenu->setObjectName(u"N_Objects"_s);
    addItem(m_objectsMenu, u"Создать"_s, "N_CreateObject", &TMainform::N_CreateObjectClick);
    addItem(m_objectsMenu, u"Загрузить"_s, "N_LoadObject", &TMainform::N_LoadObjectClick);

    m_editorsMenu = bar->addMenu(u"Редакторы"_s);
    m_editorsMenu->setObjectName(u"N_Editors"_s);
    addItem(m_editorsMenu, u"Редактор сценария"_s, "N_ScriptEditor", &TMainform::N_ScriptEditorClick);
    addItem(m_editorsMenu, u"Редактор уровня"_s, "N_LevelEditor", &TMainform::N_LevelEditorClick);
    addItem(m_editorsMenu, u"Редактор событий"_s, "N_EventsEditor", &TMainform::N_EventsEditorClick);

    m_runMenu = bar->addMenu(u"Запуск"_s);
    m_runMenu->setObjectName(u"N_Run"_s);
    addItem(m_runMenu, u"Конвертировать"_s, "N_Convert", &TMainform::N_ConvertClick);

    QMenu* help = bar->addMenu(u"Справка"_s);
    help->setObjectName(u"N_Help"_s);
    addItem(help, u"Об авторах"_s, "N_About", &TMainform::N_AboutClick);

    // Until a project is made or opened there is nothing to save, edit or convert.
    for (QAction* action : {m_saveAction, m_saveAsAction, m_gameSettingsAction, m_objectsMenu->menuAction(),
                            m_editorsMenu->menuAction(), m_runMenu->menuAction()})
        action->setEnabled(false);
}

void TMainform::FormCreate()
{
    guarded(this, [this] {
        razmer();
        m_project.CurLevel = 1;
        m_FrEventsEditor1->start();
        setWindowTitle(kTitleScript);
        m_FrEventsEditor1->hide();
        m_FrLevelEditor1->hide();
        m_FrScriptEditor1->hide();
        m_FrScriptEditor1->start();
        m_FrLevelEditor1->start();
    });
}

void TMainform::razmer()
{
    // The layout gives each pane the whole client area; apply it now so a
    // pane just shown is sized before it draws.
    if (QLayout* layout = centralWidget()->layout())
        layout->activate();
}

void TMainform::showOnly(QWidget* pane, const QString& title)
{
    setWindowTitle(title);
    for (QWidget* each : {static_cast<QWidget*>(m_FrScriptEditor1), static_cast<QWidget*>(m_FrLevelEditor1),
                          static_cast<QWidget*>(m_FrEventsEditor1)})
        if (each != pane)
            each->hide();
    pane->show();
}

void TMainform::setFileDialogs(std::unique_ptr<FileDialogs> dialogs)
{
    m_fileDialogs = std::move(dialogs);
}

void TMainform::resetProject()
{
    m_project.reset();
    // The target belonged to the project just discarded; a cancelled
    // "Сохранить как ..." must not write the new one over it.
    m_saveTarget.clear();
    m_FrScriptEditor1->clear();
    m_FrLevelEditor1->clear();
    m_FrEventsEditor1->clear();
}

void TMainform::enableProjectMenus()
{
    for (QAction* action : {m_saveAction, m_saveAsAction, m_gameSettingsAction, m_objectsMenu->menuAction(),
                            m_editorsMenu->menuAction(), m_runMenu->menuAction()})
        action->setEnabled(true);
    showOnly(m_FrScriptEditor1, kTitleScript);
}

void TMainform::refreshPanes()
{
    m_FrScriptEditor1->pereris();
    m_FrLevelEditor1->start1();
    m_FrLevelEditor1->pereris();
    m_FrEventsEditor1->start1();
}

void TMainform::N_NewClick()
{
    guarded(this, [this] {
        resetProject();
        const QString file = m_fileDialogs->saveFileName(this, m_app.project(), kProjectFileFilter, u"prg"_s);
        if (file.isEmpty())
            return;
        m_saveTarget.newProject(m_project, file);
    });
    // The reset has happened whatever the file dialog did, so the menus follow it.
    enableProjectMenus();
}

void TMainform::N_OpenClick()
{
    guarded(this, [this] {
        resetProject();
        const QString file = m_fileDialogs->openFileName(this, m_app.project(), QString());
        if (file.isEmpty())
            return;
        m_saveTarget.openProject(m_project, m_app, file);
        refreshPanes();
    });
    enableProjectMenus();
}

void TMainform::openProjectFile(const QString& file)
{
    guarded(this, [this, &file] {
        resetProject();
        m_saveTarget.openProject(m_project, m_app, file);
        refreshPanes();
    });
    enableProjectMenus();
}

void TMainform::N_SaveClick()
{
    guarded(this, [this] {
        m_saveTarget.saveProject(m_project);
    });
}

void TMainform::N_SaveAsClick()
{
    guarded(this, [this] {
        const QString file = m_fileDialogs->saveFileName(this, m_app.src(), kProjectFileFilter, u"prg"_s);
        m_saveTarget.saveAs(m_project, file);
    });
}

void TMainform::N_GameSettingsClick()
{
    guarded(this, [this] {
        if (showGameSettings(this, m_FrLevelEditor1->editor()) && m_FrLevelEditor1->isVisible())
            m_FrLevelEditor1->pereris();
    });
}

void TMainform::N_ExitClick()
{
    close();
}

void TMainform::N_CreateObjectClick()
{
    guarded(this, [] {
        // Seam: the object kind chooser, created for this showing only.
    });
}

void TMainform::N_LoadObjectClick()
{
    guarded(this, [this] {
        const QString chosen = m_fileDialogs->openFileName(this, m_app.objects(), kObjectFileFilter);
        if (chosen.isEmpty())
            return;
        // The file of that name is always taken from the application's library.
        persist::Load_object(m_project, m_app, io::fileNamePart(chosen));
        m_FrLevelEditor1->start1();
        if (m_FrLevelEditor1->isVisible())
            m_FrLevelEditor1->pereris();
    });
}

void TMainform::N_ConvertClick()
{
    // Converts first; the window with its success label shows only when that worked.
    TfmConvert::run(this, m_project, m_app);
}

void TMainform::N_AboutClick()
{
    guarded(this, [this] {
        TAbout about(this);
        about.exec();
    });
}

void TMainform::N_ScriptEditorClick()
{
    showOnly(m_FrScriptEditor1, kTitleScript);
    // When the thumbnail cannot be stored the pane stays as it was drawn last.
    guarded(this, [this] {
        const QString path = m_app.objectFile(u"etap%1.bmp"_s.arg(m_project.SelLevel));
        // The map last drawn may be of another stage (chosen here since);
        // the thumbnail must show the selected one.
        m_FrLevelEditor1->pereris();
        io::writeBmp(m_FrLevelEditor1->levelPicture(), path);
        m_FrScriptEditor1->setStagePicture(m_project.CurLevel, io::readBmp(path));
        m_FrScriptEditor1->pereris();
        razmer();
    });
}

void TMainform::N_LevelEditorClick()
{
    showOnly(m_FrLevelEditor1, kTitleLevel);
    guarded(this, [this] {
        m_FrLevelEditor1->start1();
        m_FrLevelEditor1->pereris();
        razmer();
    });
}

void TMainform::N_EventsEditorClick()
{
    showOnly(m_FrEventsEditor1, kTitleEvents);
    guarded(this, [this] {
        m_FrEventsEditor1->start1();
        m_FrEventsEditor1->repaint();
        razmer();
    });
}

} // namespace kestrava::editor
