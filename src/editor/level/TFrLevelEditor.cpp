#include "editor/level/TFrLevelEditor.h"

#include "editor/common/ErrorBox.h"
#include "editor/level/ObjectListPanel.h"
#include "editor/level/PositionImage.h"
#include "editor/level/TfmMovementType.h"
#include "editor/level/TfmType_fon.h"
#include "editor/level/TfmsbPlan.h"
#include "document/ProjectDocument.h"
#include "io/AppFolder.h"
#include "level/LevelView.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

namespace kestrava::editor {

TFrLevelEditor::TFrLevelEditor(document::ProjectDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_view(std::make_unique<level::LevelView>(document))
{
    setObjectName(QStringLiteral("FrLevelEditor1"));
    setAccessibleName(QStringLiteral("Редактор уровня"));
    m_runMenu = [](QMenu* menu, const QPoint& at) { return menu->exec(at); };

    pnObjectsList = new ObjectListPanel;
    pnObjectsList->setAccessibleName(QStringLiteral("Список объектов"));
    m_listScroll = new QScrollArea;
    m_listScroll->setWidget(pnObjectsList);
    m_listScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_listScroll->setFixedWidth(ObjectListPanel::kWidth + 20);

    ImPositionObjects = new PositionImage(m_view->map());
    ImPositionObjects->setAccessibleName(QStringLiteral("Карта уровня"));
    frPos_Obj1 = new QScrollArea;
    frPos_Obj1->setObjectName(QStringLiteral("frPos_Obj1"));
    frPos_Obj1->setWidget(ImPositionObjects);
    frPos_Obj1->resize(921, 665);

    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setMinimumWidth(Label1->fontMetrics().horizontalAdvance(QStringLiteral("-00000x-00000")));
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("StatusLabel"));

    auto* panes = new QHBoxLayout;
    panes->addWidget(m_listScroll);
    panes->addWidget(frPos_Obj1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1);
    bottom->addSpacing(20);
    bottom->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes, 1);
    layout->addLayout(bottom);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    N2 = PopupMenu2->addAction(QStringLiteral("свойства"));
    N3 = PopupMenu2->addSeparator();
    N4 = PopupMenu2->addAction(QStringLiteral("удалить"));
    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    N5 = PopupMenu3->addAction(QStringLiteral("свойства"));
    N6 = PopupMenu3->addSeparator();
    N7 = PopupMenu3->addAction(QStringLiteral("удалить"));
    PopupMenuList = new QMenu(this);
    PopupMenuList->setObjectName(QStringLiteral("PopupMenuList"));
    N_UpdateFromLibrary = PopupMenuList->addAction(QStringLiteral("Обновить из библиотеки"));
    N_UpdateFromLibrary->setObjectName(QStringLiteral("N_UpdateFromLibrary"));
    connect(N_UpdateFromLibrary, &QAction::triggered, this, &TFrLevelEditor::N_UpdateFromLibraryClick);
    connect(N2, &QAction::triggered, this, &TFrLevelEditor::N2Click);
    connect(N4, &QAction::triggered, this, &TFrLevelEditor::N4Click);
    connect(N5, &QAction::triggered, this, &TFrLevelEditor::N5Click);
    connect(N7, &QAction::triggered, this, &TFrLevelEditor::N7Click);

    // Shortcuts of the pane: they work only while it is shown.
    DeleteSelected = new QAction(QStringLiteral("удалить выбранный объект"), this);
    DeleteSelected->setObjectName(QStringLiteral("DeleteSelected"));
    DeleteSelected->setShortcut(QKeySequence::Delete);
    DropPicked = new QAction(QStringLiteral("отменить выбор значка"), this);
    DropPicked->setObjectName(QStringLiteral("DropPicked"));
    DropPicked->setShortcut(QKeySequence(Qt::Key_Escape));
    for (QAction* action : {DeleteSelected, DropPicked}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(DeleteSelected, &QAction::triggered, this, [this] {
        m_view->handle([this] { m_view->tool().deleteSelected(); });
        showState();
    });
    connect(DropPicked, &QAction::triggered, this, [this] {
        m_view->handle([this] { m_view->tool().dropPicked(); }, true);
        showState();
    });

    connect(pnObjectsList, &ObjectListPanel::pointerMoved, this, &TFrLevelEditor::pnObjectsListMouseMove);
    connect(pnObjectsList, &ObjectListPanel::buttonReleased, this, &TFrLevelEditor::pnObjectsListMouseUp);
    connect(pnObjectsList, &ObjectListPanel::contextMenuRequested, this, &TFrLevelEditor::pnObjectsListContextPopup);
    connect(ImPositionObjects, &PositionImage::pointerMoved, this, &TFrLevelEditor::ImPositionObjectsMouseMove);
    connect(ImPositionObjects, &PositionImage::buttonPressed, this, &TFrLevelEditor::ImPositionObjectsMouseDown);
    connect(ImPositionObjects, &PositionImage::buttonReleased, this, &TFrLevelEditor::ImPositionObjectsMouseUp);
    // The document changed the stage (an undo, another project): show it.
    connect(m_view.get(), &level::LevelView::iconsChanged, this, &TFrLevelEditor::showIcons);
    connect(m_view.get(), &level::LevelView::mapChanged, this, [this] { ImPositionObjects->update(); });
}

TFrLevelEditor::~TFrLevelEditor() = default;

void TFrLevelEditor::setMenuRunner(std::function<QAction*(QMenu*, const QPoint&)> runner)
{
    m_runMenu = std::move(runner);
}

void TFrLevelEditor::start()
{
    m_view->start();
    showState();
}

void TFrLevelEditor::start1()
{
    m_view->start1();
    showState();
}

void TFrLevelEditor::pereris()
{
    m_view->pereris();
    showState();
}

QImage TFrLevelEditor::levelPicture() const
{
    return m_view->map();
}

void TFrLevelEditor::setScreenSize(model::ScreenSize size)
{
    m_view->ScreenWidth = size.width;
    m_view->ScreenHeight = size.height;
    if (isVisible())
        pereris();
}

model::ScreenSize TFrLevelEditor::screenSize() const
{
    return {m_view->ScreenWidth, m_view->ScreenHeight};
}

void TFrLevelEditor::showIcons()
{
    pnObjectsList->setIcons(m_view->objectList().icons());
}

void TFrLevelEditor::showState()
{
    ImPositionObjects->update();
    Label1->setText(m_view->tool().pointerText());
    m_status->setText(m_view->statusText());
    m_pendingMessages << m_view->takeMessages();
    // A message box must not cut into a drag: it waits for the button to come up.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    const QStringList messages = std::exchange(m_pendingMessages, {});
    for (const QString& message : messages)
        showError(this, message);
}

void TFrLevelEditor::pnObjectsListMouseMove(QPoint pos)
{
    m_view->listPointerMoved(pos.x(), pos.y());
}

void TFrLevelEditor::pnObjectsListMouseUp(QPoint)
{
    m_view->listReleased();
    showState();
}

void TFrLevelEditor::ImPositionObjectsMouseMove(QPoint pos)
{
    m_view->pointerMoved(pos.x(), pos.y());
    showState();
}

void TFrLevelEditor::ImPositionObjectsMouseDown(QPoint pos, Qt::MouseButton button)
{
    m_view->pressed(pos.x(), pos.y(), button == Qt::LeftButton);
    showState();
}

void TFrLevelEditor::ImPositionObjectsMouseUp(QPoint pos, Qt::MouseButton button, bool click)
{
    m_view->released(click);
    showState();
    if (button == Qt::RightButton)
        frPos_Obj1ImPositionObjectsContextPopup(pos);
}

void TFrLevelEditor::frPos_Obj1ImPositionObjectsContextPopup(QPoint pos)
{
    QMenu* menu = nullptr;
    switch (m_view->tool().contextMenuAt(pos.x(), pos.y())) {
    case level::ContextMenu::Background:
        menu = PopupMenu2;
        break;
    case level::ContextMenu::Active:
        menu = PopupMenu3;
        break;
    case level::ContextMenu::None:
        return;
    }
    // The frame shows which object the menu acts on.
    pereris();
    m_runMenu(menu, ImPositionObjects->mapToGlobal(pos));
}

void TFrLevelEditor::pnObjectsListContextPopup(QPoint pos)
{
    const model::Project& project = m_document.project();
    const model::StageData& s = project.current();
    const std::optional<level::ListIcon> icon = m_view->objectList().iconAt(pos.x(), pos.y(), s.ListSlotCount);
    m_listTarget.clear();
    if (icon && icon->kind == model::ObjectKind::Background && icon->tag >= 1 && icon->tag <= model::kMaxFonGroups)
        m_listTarget = s.FonGroup[size_t(icon->tag)].FileName;
    else if (icon && icon->kind == model::ObjectKind::Active && icon->tag >= 1 && icon->tag <= model::kMaxActiveGroups)
        m_listTarget = s.ActiveGroup[size_t(icon->tag)].FileName;
    // Text objects keep no file to read again.
    if (m_listTarget.isEmpty())
        return;
    m_runMenu(PopupMenuList, pnObjectsList->mapToGlobal(pos));
}

void TFrLevelEditor::N_UpdateFromLibraryClick()
{
    if (m_listTarget.isEmpty())
        return;
    guarded(this, [this] { m_document.updateObject(m_document.app().objectFile(m_listTarget)); });
    showState();
}

void TFrLevelEditor::N2Click()
{
    level::LevelTool& tool = m_view->tool();
    // The object the menu was opened on stays framed while its dialog is open.
    if (const std::optional<int> object = tool.propertiesTarget(level::PlacedKind::Background)) {
        TfmType_fon dialog(tool.obstacleOf(*object), this);
        if (dialog.exec() == QDialog::Accepted)
            if (const std::optional<int> obstacle = dialog.choice())
                tool.setObstacle(*object, *obstacle);
    }
    pereris();
}

void TFrLevelEditor::N4Click()
{
    m_view->handle([this] { m_view->tool().deleteMenuObject(); }, true);
    showState();
}

void TFrLevelEditor::N5Click()
{
    level::LevelTool& tool = m_view->tool();
    if (const std::optional<int> object = tool.propertiesTarget(level::PlacedKind::Active)) {
        tool.setCurObject(*object);
        TfmMovementType dialog(tool.movementTypeOf(*object), [this] { openPathDialog(); }, this);
        // "Отмена" and the window frame change nothing.
        if (dialog.exec() == QDialog::Accepted)
            tool.chooseMovementType(*object, dialog.choice());
    }
    pereris();
}

void TFrLevelEditor::N7Click()
{
    N4Click();
}

void TFrLevelEditor::openPathDialog()
{
    // Modeless and new each time; it works on the object whose properties
    // were opened, so one left open for another object is closed first.
    for (TfmsbPlan* earlier : findChildren<TfmsbPlan*>())
        earlier->close();
    auto* dialog = new TfmsbPlan(*m_view, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

} // namespace kestrava::editor
