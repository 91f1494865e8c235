#include "editor/level/LevelMapPane.h"

#include "editor/common/ErrorBox.h"
#include "editor/common/ZoomBox.h"
#include "editor/level/ObjectListPanel.h"
#include "editor/level/PositionImage.h"
#include "editor/level/MovementTypeDialog.h"
#include "editor/level/ObstacleDialog.h"
#include "editor/level/PathDialog.h"
#include "document/ProjectDocument.h"
#include "io/AppFolder.h"
#include "level/LevelCommands.h"
#include "level/LevelView.h"
#include "media/MapZoom.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>

#include <cstdlib>
#include <QVBoxLayout>

namespace kestrava::editor {

LevelMapPane::LevelMapPane(document::ProjectDocument& document, QWidget* parent)
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

    ImPositionObjects = new PositionImage(*m_view);
    ImPositionObjects->setAccessibleName(QStringLiteral("Карта уровня"));
    frPos_Obj1 = new QScrollArea;
    frPos_Obj1->setObjectName(QStringLiteral("frPos_Obj1"));
    frPos_Obj1->setWidget(ImPositionObjects);
    frPos_Obj1->resize(921, 665);

    Label1 = new QLabel;
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setMinimumWidth(Label1->fontMetrics().horizontalAdvance(QStringLiteral("-00000x-00000")));
    Label1->setAccessibleName(QStringLiteral("Позиция указателя"));
    m_hover = new QLabel;
    m_hover->setObjectName(QStringLiteral("HoverLabel"));
    m_hover->setAccessibleName(QStringLiteral("Объект под указателем"));
    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("StatusLabel"));
    m_status->setAccessibleName(QStringLiteral("Сообщение"));
    m_zoomBox = new ZoomBox;

    auto* panes = new QHBoxLayout;
    panes->addWidget(m_listScroll);
    panes->addWidget(frPos_Obj1, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1);
    bottom->addSpacing(20);
    bottom->addWidget(m_hover);
    bottom->addSpacing(20);
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_zoomBox);
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
    connect(N_UpdateFromLibrary, &QAction::triggered, this, &LevelMapPane::N_UpdateFromLibraryClick);
    N_MadeObjects = PopupMenuList->addAction(QStringLiteral("Наибольшее число объектов на экране…"));
    N_MadeObjects->setObjectName(QStringLiteral("N_MadeObjects"));
    connect(N_MadeObjects, &QAction::triggered, this, &LevelMapPane::N_MadeObjectsClick);
    connect(N2, &QAction::triggered, this, &LevelMapPane::N2Click);
    connect(N4, &QAction::triggered, this, &LevelMapPane::N4Click);
    connect(N5, &QAction::triggered, this, &LevelMapPane::N5Click);
    connect(N7, &QAction::triggered, this, &LevelMapPane::N7Click);

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
    connect(DeleteSelected, &QAction::triggered, this, [this] { run([](level::LevelTool& t) { t.deleteSelected(); }); });
    connect(DropPicked, &QAction::triggered, this, [this] {
        m_view->handle([this] { m_view->tool().dropPicked(); }, true);
        showState();
    });

    buildMapActions();

    connect(pnObjectsList, &ObjectListPanel::pointerMoved, this, &LevelMapPane::pnObjectsListMouseMove);
    connect(pnObjectsList, &ObjectListPanel::buttonReleased, this, &LevelMapPane::pnObjectsListMouseUp);
    connect(pnObjectsList, &ObjectListPanel::contextMenuRequested, this, &LevelMapPane::pnObjectsListContextPopup);
    connect(ImPositionObjects, &PositionImage::pointerMoved, this, &LevelMapPane::ImPositionObjectsMouseMove);
    connect(ImPositionObjects, &PositionImage::buttonPressed, this, &LevelMapPane::ImPositionObjectsMouseDown);
    connect(ImPositionObjects, &PositionImage::buttonReleased, this, &LevelMapPane::ImPositionObjectsMouseUp);
    // The document changed the stage (an undo, another project): show it.
    connect(m_view.get(), &level::LevelView::iconsChanged, this, &LevelMapPane::showIcons);
    connect(m_view.get(), &level::LevelView::mapChanged, this, [this] {
        ImPositionObjects->update();
        // An undo may have changed the grid.
        const model::LevelGridData grid = m_document.project().LevelGrid;
        const QSignalBlocker shown(GridShown);
        const QSignalBlocker snap(GridSnap);
        GridShown->setChecked(grid.Shown);
        GridSnap->setChecked(grid.Snap);
    });
    connect(ImPositionObjects, &PositionImage::zoomWheel, this, [this](int steps, QPoint at) {
        setZoom(steppedZoom(zoom(), steps), ImPositionObjects->mapTo(frPos_Obj1->viewport(), at));
    });
    connect(ImPositionObjects, &PositionImage::sidewaysWheel, this, [this](int angle) {
        QScrollBar* across = frPos_Obj1->horizontalScrollBar();
        across->setValue(across->value() - angle * across->singleStep() * QApplication::wheelScrollLines() / 120);
    });
    connect(m_zoomBox, &ZoomBox::percentChosen, this, [this](int percent) { setZoom(percent); });
}

std::optional<QPoint> LevelMapPane::pointerInView() const
{
    const std::optional<QPoint> at = ImPositionObjects->pointerOnScreen();
    if (!at || !ImPositionObjects->rect().contains(ImPositionObjects->mapFromGlobal(*at)))
        return std::nullopt;
    const QPoint inViewport = frPos_Obj1->viewport()->mapFromGlobal(*at);
    if (!frPos_Obj1->viewport()->rect().contains(inViewport))
        return std::nullopt;
    return inViewport;
}

template <class Operation>
void LevelMapPane::run(Operation operation)
{
    m_view->handle([&] { operation(m_view->tool()); });
    showState();
}

void LevelMapPane::buildMapActions()
{
    const auto action = [this](const QString& text, const char* name, const QKeySequence& key) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        return a;
    };
    CopyObjects = action(QStringLiteral("Копировать"), "CopyObjects", QKeySequence(QStringLiteral("Ctrl+C")));
    CutObjects = action(QStringLiteral("Вырезать"), "CutObjects", QKeySequence(QStringLiteral("Ctrl+X")));
    PasteObjects = action(QStringLiteral("Вставить"), "PasteObjects", QKeySequence(QStringLiteral("Ctrl+V")));
    DuplicateObjects = action(QStringLiteral("Дублировать"), "DuplicateObjects", QKeySequence(QStringLiteral("Ctrl+D")));
    connect(CopyObjects, &QAction::triggered, this, [this] { run([](level::LevelTool& t) { t.copy(); }); });
    connect(CutObjects, &QAction::triggered, this, [this] { run([](level::LevelTool& t) { t.cut(); }); });
    connect(PasteObjects, &QAction::triggered, this, [this] { run([](level::LevelTool& t) { t.paste(); }); });
    connect(DuplicateObjects, &QAction::triggered, this, [this] { run([](level::LevelTool& t) { t.duplicate(); }); });
    MapMenu = new QMenu(QStringLiteral("Карта"), this);
    MapMenu->setObjectName(QStringLiteral("N_Map"));
    MapMenu->addActions({CopyObjects, CutObjects, PasteObjects, DuplicateObjects});
    MapMenu->addSeparator();
    MapMenu->addActions({DeleteSelected, DropPicked});

    // The arrows move the selection by a pixel, with Shift by 8.
    const struct {
        Qt::Key key;
        int dx;
        int dy;
        const char* name;
    } arrows[] = {{Qt::Key_Left, -1, 0, "Left"}, {Qt::Key_Right, 1, 0, "Right"}, {Qt::Key_Up, 0, -1, "Up"},
                  {Qt::Key_Down, 0, 1, "Down"}};
    for (const auto& arrow : arrows) {
        for (const int step : {1, 8}) {
            const QKeySequence key(step == 1 ? QKeyCombination(arrow.key) : QKeyCombination(Qt::ShiftModifier, arrow.key));
            QAction* nudge = action(QStringLiteral("сдвинуть выбранные"),
                                    (QByteArray("Nudge") + arrow.name + (step == 1 ? "" : "8")).constData(), key);
            const int dx = arrow.dx * step;
            const int dy = arrow.dy * step;
            connect(nudge, &QAction::triggered, this, [this, dx, dy] {
                run([dx, dy](level::LevelTool& t) { t.nudge(dx, dy); });
            });
        }
    }

    ZoomIn = action(QStringLiteral("Увеличить"), "ZoomIn", QKeySequence(QStringLiteral("Ctrl++")));
    ZoomIn->setShortcuts({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    ZoomOut = action(QStringLiteral("Уменьшить"), "ZoomOut", QKeySequence(QStringLiteral("Ctrl+-")));
    ZoomReset = action(QStringLiteral("Масштаб 100 %"), "ZoomReset", QKeySequence(QStringLiteral("Ctrl+0")));
    // From the keyboard too the zoom keeps the point under the pointer, or the view's centre.
    connect(ZoomIn, &QAction::triggered, this, [this] { setZoom(media::zoom::in(zoom()), pointerInView()); });
    connect(ZoomOut, &QAction::triggered, this, [this] { setZoom(media::zoom::out(zoom()), pointerInView()); });
    connect(ZoomReset, &QAction::triggered, this, [this] { setZoom(100); });
    GridShown = new QAction(QStringLiteral("Сетка"), this);
    GridShown->setObjectName(QStringLiteral("GridShown"));
    GridShown->setCheckable(true);
    GridSnap = new QAction(QStringLiteral("Привязка к сетке"), this);
    GridSnap->setObjectName(QStringLiteral("GridSnap"));
    GridSnap->setCheckable(true);
    const auto setGrid = [this] {
        const model::LevelGridData grid{GridShown->isChecked(), GridSnap->isChecked()};
        run([grid](level::LevelTool& t) { t.setGrid(grid); });
    };
    connect(GridShown, &QAction::toggled, this, setGrid);
    connect(GridSnap, &QAction::toggled, this, setGrid);
    ViewMenu = new QMenu(QStringLiteral("Вид"), this);
    ViewMenu->setObjectName(QStringLiteral("N_View"));
    ViewMenu->addActions({ZoomIn, ZoomOut, ZoomReset});
    ViewMenu->addSeparator();
    ViewMenu->addActions({GridShown, GridSnap});
    for (QMenu* menu : {MapMenu, ViewMenu})
        menu->menuAction()->setVisible(false);
}

void LevelMapPane::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The arrows and the zoom keys work on the map without a click on it first.
    ImPositionObjects->setFocus(Qt::OtherFocusReason);
    for (QMenu* menu : {MapMenu, ViewMenu})
        menu->menuAction()->setVisible(true);
}

void LevelMapPane::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    for (QMenu* menu : {MapMenu, ViewMenu})
        menu->menuAction()->setVisible(false);
}

int LevelMapPane::zoom() const
{
    return ImPositionObjects->zoom();
}

void LevelMapPane::setZoom(int percent, std::optional<QPoint> about)
{
    percent = media::zoom::clamp(percent);
    zoomAbout(frPos_Obj1, zoom(), percent, about, [&] { ImPositionObjects->setZoom(percent); });
    m_zoomBox->setPercent(percent);
}

LevelMapPane::~LevelMapPane() = default;

void LevelMapPane::setMenuRunner(std::function<QAction*(QMenu*, const QPoint&)> runner)
{
    m_runMenu = std::move(runner);
}

void LevelMapPane::start()
{
    m_view->start();
    showState();
}

void LevelMapPane::start1()
{
    m_view->start1();
    showState();
}

void LevelMapPane::redrawMap()
{
    m_view->redrawMap();
    showState();
}

QImage LevelMapPane::levelPicture() const
{
    return m_view->map();
}

void LevelMapPane::setScreenSize(model::ScreenSize size)
{
    m_view->ScreenWidth = size.width;
    m_view->ScreenHeight = size.height;
    if (isVisible())
        redrawMap();
}

model::ScreenSize LevelMapPane::screenSize() const
{
    return {m_view->ScreenWidth, m_view->ScreenHeight};
}

void LevelMapPane::showIcons()
{
    pnObjectsList->setIcons(m_view->objectList().icons());
}

void LevelMapPane::showState()
{
    ImPositionObjects->update();
    Label1->setText(m_view->tool().pointerText());
    m_hover->setText(m_view->tool().hoverText());
    // The same as the map's tooltip, where the eye is.
    ImPositionObjects->setToolTip(m_hover->text());
    PasteObjects->setEnabled(m_view->tool().canPaste());
    m_status->setText(m_view->statusText());
    m_pendingMessages << m_view->takeMessages();
    // A message box must not cut into a drag: it waits for the button to come up.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    const QStringList messages = std::exchange(m_pendingMessages, {});
    for (const QString& message : messages)
        showError(this, message);
}

void LevelMapPane::pnObjectsListMouseMove(QPoint pos)
{
    m_view->listPointerMoved(pos.x(), pos.y());
}

void LevelMapPane::pnObjectsListMouseUp(QPoint)
{
    m_view->listReleased();
    showState();
}

void LevelMapPane::ImPositionObjectsMouseMove(QPoint pos)
{
    m_view->pointerMoved(pos.x(), pos.y());
    showState();
}

void LevelMapPane::ImPositionObjectsMouseDown(QPoint pos, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    // The map takes the keys (arrows, Ctrl+C) from here on.
    ImPositionObjects->setFocus(Qt::MouseFocusReason);
    m_view->pressed(pos.x(), pos.y(), button == Qt::LeftButton,
                    (modifiers & (Qt::ShiftModifier | Qt::ControlModifier)) != 0);
    showState();
}

void LevelMapPane::ImPositionObjectsMouseUp(QPoint pos, Qt::MouseButton button, bool click)
{
    m_view->released(click);
    showState();
    if (button == Qt::RightButton)
        frPos_Obj1ImPositionObjectsContextPopup(pos);
}

void LevelMapPane::frPos_Obj1ImPositionObjectsContextPopup(QPoint pos)
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
    redrawMap();
    // pos is a map position; the menu opens where the pointer is at any zoom.
    const QPoint shown(int(media::zoom::toView(pos.x(), zoom())), int(media::zoom::toView(pos.y(), zoom())));
    m_runMenu(menu, ImPositionObjects->mapToGlobal(shown));
}

void LevelMapPane::pnObjectsListContextPopup(QPoint pos)
{
    const model::Project& project = m_document.project();
    const model::StageData& s = project.current();
    const std::optional<level::ListIcon> icon = m_view->objectList().iconAt(pos.x(), pos.y(), s.ListSlotCount);
    m_listTarget = icon && icon->kind ? level::fileOfListed(s, *icon->kind, icon->tag) : QString();
    if (m_listTarget.isEmpty())
        return;
    m_listGroup = icon->kind == model::ObjectKind::Active ? icon->tag : 0;
    N_MadeObjects->setVisible(m_listGroup != 0);
    m_runMenu(PopupMenuList, pnObjectsList->mapToGlobal(pos));
}

void LevelMapPane::N_MadeObjectsClick()
{
    const int g = m_listGroup;
    const int level = m_document.project().CurLevel;
    if (g < 1 || g > model::kMaxActiveGroups)
        return;
    const int now = m_document.project().current().MadeObjects[size_t(g)];
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("MadeObjectsDialog"));
    dialog.setWindowTitle(QStringLiteral("Наибольшее число объектов на экране"));
    dialog.setLabelText(QStringLiteral("Сколько объектов «%1» действие «создать объект» может держать в игре сразу "
                                       "(кроме расставленных; от 1 до %2). Когда их столько, новый не "
                                       "создаётся.")
                            .arg(m_listTarget)
                            .arg(model::kMaxMadeObjects));
    // The explanation wraps: one line of it would make the dialog as wide as the screen.
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        label->setWordWrap(true);
        label->setMinimumWidth(360);
    }
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, model::kMaxMadeObjects);
    dialog.setIntValue(now == 0 ? model::kDefaultMadeObjects : now);
    dialog.setOkButtonText(QStringLiteral("Да"));
    dialog.setCancelButtonText(QStringLiteral("Отмена"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int most = dialog.intValue() == model::kDefaultMadeObjects && now == 0 ? 0 : dialog.intValue();
    if (most != now)
        m_document.push(new level::SetMadeObjectsCommand(m_document, level, g, most));
}

void LevelMapPane::N_UpdateFromLibraryClick()
{
    if (m_listTarget.isEmpty())
        return;
    guarded(this, [this] { m_document.updateObject(m_document.app().objectFile(m_listTarget)); });
    showState();
}

void LevelMapPane::N2Click()
{
    level::LevelTool& tool = m_view->tool();
    // The object the menu was opened on stays framed while its dialog is open.
    if (const std::optional<int> object = tool.propertiesTarget(level::ObjectKind::Background)) {
        ObstacleDialog dialog(tool.obstacleOf(*object), this);
        if (dialog.exec() == QDialog::Accepted)
            if (const std::optional<int> obstacle = dialog.choice())
                tool.setObstacle(*object, *obstacle);
    }
    redrawMap();
}

void LevelMapPane::N4Click()
{
    m_view->handle([this] { m_view->tool().deleteMenuObject(); }, true);
    showState();
}

void LevelMapPane::N5Click()
{
    level::LevelTool& tool = m_view->tool();
    if (const std::optional<int> object = tool.propertiesTarget(level::ObjectKind::Active)) {
        tool.setPathObject(*object);
        MovementTypeDialog dialog(tool.movementTypeOf(*object), [this] { openPathDialog(); }, this,
                                  tool.motionOf(*object));
        // "Отмена" and the window frame change nothing.
        if (dialog.exec() == QDialog::Accepted)
            tool.chooseMovementType(*object, dialog.choice(), dialog.motion());
    }
    redrawMap();
}

void LevelMapPane::N7Click()
{
    N4Click();
}

void LevelMapPane::openPathDialog()
{
    // Modeless and new each time; it works on the object whose properties
    // were opened, so one left open for another object is closed first.
    for (PathDialog* earlier : findChildren<PathDialog*>())
        earlier->close();
    auto* dialog = new PathDialog(*m_view, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
}

} // namespace kestrava::editor
