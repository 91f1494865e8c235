#include "editor/events/EventSheetPane.h"

#include "document/ProjectDocument.h"
#include "editor/common/ErrorBox.h"
#include "editor/events/SheetDialogs.h"
#include "editor/events/SheetImage.h"
#include "catalogue/Item.h"
#include "catalogue/Records.h"
#include "events/SheetPicture.h"
#include "events/SheetView.h"

#include <QAction>
#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

namespace {

constexpr int kRowControls = model::kMaxEventRows;
constexpr int kLabelLeft = 40;
constexpr int kLabelWidth = events::kConditionWidth - kLabelLeft - 4;
const QString kNewRowInvitation = u"+ щёлкните: новое событие"_s;

} // namespace

EventSheetPane::EventSheetPane(document::ProjectDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_view(std::make_unique<events::SheetView>(document))
{
    setObjectName(u"FrEventsEditor1"_s);
    setAccessibleName(u"Редактор событий"_s);
    m_runMenu = [](QMenu* menu, const QPoint& at) { return menu->exec(at); };
    m_dialogs = makeSheetDialogs(document, [this](int group) {
        return group <= m_document.project().current().ActiveGroupCount ? m_view->columnPicture(7 + group) : QImage();
    });

    m_canvas = new QWidget;
    m_canvas->setObjectName(u"pnSheet"_s);
    m_canvas->setAutoFillBackground(true);
    QPalette white = m_canvas->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_canvas->setPalette(white);
    m_canvas->setFixedSize(events::kSheetWidth + 1, events::kSheetHeight);

    Image1 = new SheetImage(m_view->image(), m_canvas);
    Image1->setObjectName(u"Image1"_s);
    Image1->setAccessibleName(u"Лист событий"_s);
    Image1->setGeometry(0, 0, events::kSheetWidth, events::kSheetHeight);

    bAllEvents = new QPushButton(u"Все события"_s, m_canvas);
    bAllEvents->setObjectName(u"bAllEvents"_s);
    bAllEvents->setGeometry(0, 0, events::kConditionWidth, events::kCell);

    for (int c = 1; c <= events::kColumns; ++c) {
        auto* button = new QToolButton(m_canvas);
        button->setObjectName(u"HeaderButton%1"_s.arg(c));
        button->setGeometry(events::columnLeft(c), 0, events::kCell, events::kCell);
        button->setIconSize(QSize(events::kCell - 2, events::kCell - 2));
        button->setAccessibleName(u"Столбец %1: %2"_s.arg(c).arg(catalogue::columnTitle(c)));
        button->setToolTip(catalogue::columnTitle(c));
        HeaderButtons[size_t(c)] = button;
    }
    for (int r = 1; r <= kRowControls; ++r) {
        auto* button = new QPushButton(QString::number(r), m_canvas);
        button->setObjectName(u"RowButton%1"_s.arg(r));
        button->setGeometry(0, events::rowTop(r), events::kCell, events::kCell);
        button->setContextMenuPolicy(Qt::CustomContextMenu);
        button->hide();
        connect(button, &QPushButton::clicked, this,
                [this, r, button] { rowButtonMenu(r, button->mapToGlobal(QPoint(0, button->height()))); });
        connect(button, &QPushButton::customContextMenuRequested, this,
                [this, r, button](const QPoint& at) { rowButtonMenu(r, button->mapToGlobal(at)); });
        RowButtons[size_t(r)] = button;
        auto* label = new QLabel(m_canvas);
        label->setObjectName(u"RowLabel%1"_s.arg(r));
        label->setGeometry(kLabelLeft, events::rowTop(r) + 2, kLabelWidth, events::kCell - 4);
        // Presses go through to the sheet: the condition part opens its menu.
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        label->hide();
        RowLabels[size_t(r)] = label;
    }

    m_scroll = new QScrollArea;
    m_scroll->setObjectName(u"ScrollBox1"_s);
    m_scroll->setWidget(m_canvas);
    HintLabel = new QLabel;
    HintLabel->setObjectName(u"HintLabel"_s);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_scroll, 1);
    layout->addWidget(HintLabel);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(u"PopupMenu1"_s);
    N_NewRow = PopupMenu1->addAction(u"новая строка"_s);
    N_Group = PopupMenu1->addAction(u"Группа событий"_s);
    N_Comment = PopupMenu1->addAction(u"комментарий"_s);
    connect(bAllEvents, &QPushButton::clicked, this,
            [this] { rowKindChosen(m_runMenu(PopupMenu1, bAllEvents->mapToGlobal(QPoint(0, bAllEvents->height())))); });

    connect(Image1, &SheetImage::buttonPressed, this, &EventSheetPane::Image1MouseDown);
    connect(Image1, &SheetImage::buttonReleased, this, &EventSheetPane::Image1MouseUp);
    connect(Image1, &SheetImage::pointerMoved, this, &EventSheetPane::Image1MouseMove);
    connect(Image1, &SheetImage::doubleClicked, this, &EventSheetPane::Image1DoubleClick);
    m_doubleClickWait = QApplication::doubleClickInterval();
    m_menuWait.setSingleShot(true);
    connect(&m_menuWait, &QTimer::timeout, this, [this] {
        if (auto open = std::exchange(m_waitingMenu, {}))
            open();
    });
    // The document changed the sheet (an edit, an undo, another stage or project).
    connect(m_view.get(), &events::SheetView::repainted, this, [this] {
        showRows();
        showHeader();
        Image1->update();
        if (m_pointer)
            Image1MouseMove(*m_pointer);
        showMessages();
    });
}

EventSheetPane::~EventSheetPane() = default;

void EventSheetPane::setDialogs(std::unique_ptr<SheetDialogs> dialogs)
{
    m_dialogs = std::move(dialogs);
}

void EventSheetPane::setMenuRunner(std::function<QAction*(QMenu*, const QPoint&)> runner)
{
    m_runMenu = std::move(runner);
}

void EventSheetPane::start()
{
    m_view->start();
}

void EventSheetPane::start1()
{
    m_view->start1();
}

void EventSheetPane::clear()
{
    m_view->clear();
    m_view->repaint();
    HintLabel->clear();
}

void EventSheetPane::repaint()
{
    m_view->repaint();
}

void EventSheetPane::showRows()
{
    const int rows = m_view->rows();
    // Each action in a short form over its cell; the pointer shows it whole.
    QList<std::pair<QRect, QString>> texts;
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= events::kColumns; ++c)
            if (const QString caption = m_view->row(r).ActionText[size_t(c)]; !caption.isEmpty())
                texts.append({QRect(events::columnLeft(c), events::rowTop(r), events::kCell - 1, events::kCell - 1),
                              events::shortCaption(caption)});
    Image1->setCellTexts(std::move(texts));
    for (int r = 1; r <= kRowControls; ++r) {
        QPushButton* button = RowButtons[size_t(r)];
        QLabel* label = RowLabels[size_t(r)];
        if (r > rows) {
            button->hide();
            label->clear();
            // The empty row under the last says what a click on it does.
            label->setVisible(r == rows + 1);
            if (r == rows + 1) {
                label->setText(kNewRowInvitation);
                // Wider than the label in some fonts: wrapped, not cut off.
                label->setWordWrap(true);
                label->setToolTip(QString());
                QPalette grey = label->palette();
                grey.setColor(QPalette::WindowText, Qt::darkGray);
                label->setPalette(grey);
            }
            continue;
        }
        const events::RowLook look = m_view->rowLook(r);
        button->setText(look.buttonCaption);
        button->setFixedWidth(look.wide ? m_canvas->width() : events::kCell);
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, look.buttonColour);
        button->setPalette(palette);
        button->setAccessibleName(look.wide ? look.buttonCaption : u"Строка %1"_s.arg(r));
        label->setText(look.labelText);
        // A long condition wraps onto a second line of the row.
        label->setWordWrap(true);
        // A whole caption on hover, however narrow the label; a row naming missing objects in red.
        label->setToolTip(look.problem.isEmpty() ? look.labelText : look.labelText + u"\n"_s + look.problem);
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::WindowText, look.problem.isEmpty() ? QColor(Qt::black) : QColor(Qt::red));
        label->setPalette(labelPalette);
        button->show();
        label->setVisible(!look.wide);
    }
}

void EventSheetPane::showHeader()
{
    for (int c = 1; c <= events::kColumns; ++c)
        HeaderButtons[size_t(c)]->setIcon(QIcon(QPixmap::fromImage(m_view->columnPicture(c))));
}

void EventSheetPane::showMessages()
{
    const QStringList messages = m_view->takeMessages();
    if (!messages.isEmpty())
        showWarning(this, messages.join(u'\n'));
}

void EventSheetPane::command(const std::function<void()>& edit)
{
    guarded(this, edit);
}

void EventSheetPane::newRowClick()
{
    command([this] {
        m_view->checkRoomForRow();
        // A row comes with its condition: a closed chooser adds nothing.
        if (const std::optional<events::Condition> condition = m_dialogs->chooseCondition(this, QString())) {
            m_view->checkObjects(condition->objects);
            m_view->newRow(*condition);
        }
    });
}

void EventSheetPane::titledRowClick(const QString& kind)
{
    command([this, kind] {
        m_view->checkRoomForRow();
        if (const std::optional<QString> title = m_dialogs->askTitle(this))
            m_view->addTitledRow(kind, *title);
    });
}

bool EventSheetPane::rowKindChosen(QAction* chosen)
{
    if (chosen == N_NewRow)
        newRowClick();
    else if (chosen == N_Group)
        titledRowClick(events::kGroupKind);
    else if (chosen == N_Comment)
        titledRowClick(events::kCommentKind);
    else
        return false;
    return true;
}

void EventSheetPane::conditionClick(int row, bool add)
{
    command([this, row, add] {
        const std::optional<events::Condition> condition =
            m_dialogs->chooseCondition(this, add ? u"dob"_s : u"izm"_s);
        if (!condition)
            return;
        m_view->checkObjects(condition->objects);
        if (add)
            m_view->addCondition(row, *condition);
        else
            m_view->replaceCondition(row, *condition);
    });
}

void EventSheetPane::rowButtonMenu(int row, const QPoint& at)
{
    QMenu menu(this);
    menu.setObjectName(u"RowMenu"_s);
    menu.addAction(N_NewRow);
    menu.addAction(N_Group);
    menu.addAction(N_Comment);
    menu.addSeparator();
    const int rows = m_view->rows();
    QAction* add = menu.addAction(u"добавить условие"_s);
    QAction* replace = menu.addAction(u"заменить условие"_s);
    QAction* edit = addEditItem(menu, row, 0);
    menu.addSeparator();
    QAction* remove = menu.addAction(u"удалить строку"_s);
    QAction* up = menu.addAction(u"вверх"_s);
    QAction* down = menu.addAction(u"вниз"_s);
    QAction* copy = menu.addAction(u"копировать"_s);
    QAction* paste = menu.addAction(u"вставить"_s);
    up->setEnabled(row > 1);
    down->setEnabled(row < rows);
    paste->setEnabled(m_view->hasCopiedRow());

    QAction* chosen = m_runMenu(&menu, at);
    if (rowKindChosen(chosen))
        return;
    if (chosen == add || chosen == replace)
        conditionClick(row, chosen == add);
    else if (chosen == edit)
        editCell(row, 0);
    else if (chosen == remove)
        command([this, row] { m_view->deleteRow(row); });
    else if (chosen == up || chosen == down)
        command([this, row, up, chosen] { m_view->moveRow(row, chosen == up ? -1 : 1); });
    else if (chosen == copy)
        m_view->copyRow(row);
    else if (chosen == paste)
        command([this, row] { m_view->pasteRow(row); });
}

void EventSheetPane::Image1MouseDown(QPoint pos, Qt::MouseButton button)
{
    if (button != Qt::LeftButton && button != Qt::RightButton)
        return;
    const catalogue::ColumnMenu kind = m_view->pressed(pos.x(), pos.y());
    if (m_view->PressedRow == m_view->rows() + 1 && m_view->PressedRow <= model::kMaxEventRows) {
        // The empty row under the last starts a new one, as "новая строка" does.
        newRowClick();
    } else if (kind != catalogue::ColumnMenu::None) {
        const QPoint at = Image1->mapToGlobal(pos);
        const events::Cell cell{m_view->PressedRow, m_view->PressedColumn};
        const bool filled = cell.column == 0 || m_view->pressedCellHoldsAction();
        // A left press on a condition or action may be the first of a
        // double-click, which changes it instead of opening the menu.
        if (button == Qt::LeftButton && filled && m_doubleClickWait > 0) {
            m_waitingMenu = [this, kind, at, cell] {
                m_view->PressedRow = cell.row;
                m_view->PressedColumn = cell.column;
                openColumnMenu(kind, at);
            };
            m_menuWait.start(m_doubleClickWait);
        } else {
            openColumnMenu(kind, at);
        }
    }
    Image1MouseMove(pos);
}

void EventSheetPane::Image1DoubleClick(QPoint pos)
{
    m_menuWait.stop();
    m_waitingMenu = {};
    m_pointer = pos;
    const events::Cell cell = events::cellAt(pos.x(), pos.y());
    if (cell.row < 1 || cell.row > m_view->rows())
        return;
    if (cell.column > 0 && m_view->row(cell.row).ActionText[size_t(cell.column)].isEmpty())
        return; // an empty cell: nothing to change
    editCell(cell.row, cell.column);
}

QAction* EventSheetPane::addEditItem(QMenu& menu, int row, int column)
{
    QAction* edit = menu.addAction(u"изменить…"_s);
    const QString problem = m_view->editProblem({row, column});
    edit->setEnabled(problem.isEmpty());
    edit->setToolTip(problem.isEmpty() ? u"Открыть окно, в котором это сделано, с его значениями"_s : problem);
    menu.setToolTipsVisible(true);
    return edit;
}

void EventSheetPane::editCell(int row, int column)
{
    command([this, row, column] {
        if (const QString problem = m_view->editProblem({row, column}); !problem.isEmpty())
            throw io::Error(problem);
        if (column > 0) {
            const model::CatalogueRecord record = m_view->row(row).ActionRecord[size_t(column)];
            const catalogue::Item* item = catalogue::findItem(catalogue::Side::Action, record.item);
            catalogue::Values values = record.values;
            if (!item || !m_dialogs->askParameters(this, *item, values, true))
                return;
            const events::Action action = catalogue::build(*item, values);
            m_view->checkObjects(action.objects);
            m_view->editAction({row, column}, action);
            return;
        }
        // A joined condition: the author picks the part to change.
        const QList<model::CatalogueRecord> parts = m_view->row(row).CondRecord;
        int part = -1;
        QMenu choice(this);
        choice.setObjectName(u"ConditionPartMenu"_s);
        QList<QAction*> offered;
        for (qsizetype k = 0; k < parts.size(); ++k) {
            const catalogue::Item* item = catalogue::findItem(catalogue::Side::Condition, parts[k].item);
            const std::optional<events::Condition> made = catalogue::rebuild(catalogue::Side::Condition, parts[k]);
            QAction* a = choice.addAction(made ? made->caption : parts[k].item);
            a->setEnabled(item && !item->parameters.empty());
            offered << a;
            if (a->isEnabled())
                part = part < 0 ? int(k) : part;
        }
        if (std::count_if(offered.begin(), offered.end(), [](QAction* a) { return a->isEnabled(); }) > 1) {
            part = int(offered.indexOf(m_runMenu(&choice, QCursor::pos())));
            if (part < 0)
                return;
        }
        const catalogue::Item* item = catalogue::findItem(catalogue::Side::Condition, parts[part].item);
        catalogue::Values values = parts[part].values;
        if (!item || !m_dialogs->askParameters(this, *item, values, true))
            return;
        const events::Condition condition = catalogue::build(*item, values);
        m_view->checkObjects(condition.objects);
        m_view->editCondition(row, part, condition);
    });
}

void EventSheetPane::Image1MouseUp(QPoint pos)
{
    m_view->released(pos.x(), pos.y());
    Image1MouseMove(pos);
}

void EventSheetPane::Image1MouseMove(QPoint pos)
{
    // The hint names what is under the pointer, whole, without a press.
    m_pointer = pos;
    const QString hint = m_view->hintAt(pos.x(), pos.y());
    Image1->setToolTip(hint);
    HintLabel->setText(QString(hint).replace(u'\n', u"; "_s));
}

void EventSheetPane::openColumnMenu(catalogue::ColumnMenu kind, const QPoint& at)
{
    QMenu menu(this);
    menu.setObjectName(u"ColumnMenu"_s);
    const int row = m_view->PressedRow;
    if (kind == catalogue::ColumnMenu::AddCondition) {
        QAction* add = menu.addAction(u"Добавить условие"_s);
        QAction* edit = addEditItem(menu, row, 0);
        QAction* chosen = m_runMenu(&menu, at);
        if (chosen == add)
            conditionClick(row, true);
        else if (chosen == edit)
            editCell(row, 0);
        return;
    }

    // Submenus by path, in the order the catalogue lists the items.
    QHash<QAction*, const catalogue::Item*> items;
    QHash<QString, QMenu*> submenus;
    for (const catalogue::Item& item : catalogue::actionItems()) {
        if (item.menu != int(kind))
            continue;
        QMenu* parent = &menu;
        QString key;
        for (qsizetype k = 0; k + 1 < item.path.size(); ++k) {
            key += u'/' + item.path[k];
            QMenu*& sub = submenus[key];
            if (!sub)
                sub = parent->addMenu(item.path[k]);
            parent = sub;
        }
        QAction* action = parent->addAction(item.path.last());
        action->setEnabled(item.enabled);
        items.insert(action, &item);
    }
    // A submenu whose items are all disabled is disabled itself.
    for (QMenu* sub : std::as_const(submenus)) {
        bool any = false;
        for (QAction* a : sub->actions())
            any = any || a->isEnabled();
        sub->setEnabled(any);
    }
    menu.addSeparator();
    QAction* edit = addEditItem(menu, row, m_view->PressedColumn);
    QAction* remove = menu.addAction(u"удалить действие"_s);
    remove->setEnabled(m_view->pressedCellHoldsAction());

    const int column = m_view->PressedColumn;
    QAction* chosen = m_runMenu(&menu, at);
    if (chosen == edit)
        editCell(row, column);
    else if (chosen == remove)
        command([this] { m_view->deleteAction(); });
    else if (const catalogue::Item* item = items.value(chosen); item && item->enabled)
        runAction(*item);
}

void EventSheetPane::runAction(const catalogue::Item& item)
{
    command([this, &item] {
        catalogue::Values values;
        const int group = m_view->ActionGroup;
        values[u"G"_s] = QString::number(group);
        // A column without its group: refused before anything is asked.
        if (group > 0)
            m_view->checkObjects({QString::number(group)});
        if (!m_dialogs->askParameters(this, item, values, false))
            return; // closed without "Да": nothing is placed
        const events::Action action = catalogue::build(item, values);
        m_view->checkObjects(action.objects);
        m_view->placeAction(action);
    });
}

} // namespace kestrava::editor
