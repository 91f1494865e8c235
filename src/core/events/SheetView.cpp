#include "events/SheetView.h"

#include "document/ProjectDocument.h"
#include "events/SheetCommand.h"
#include "io/AppFolder.h"
#include "io/Error.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::events {

namespace {

// What a column shows when its icon cannot be read; the mark falls back to
// a small black square so placed actions stay visible.
QImage fallbackMark()
{
    QImage mark(17, 17, QImage::Format_RGB32);
    mark.fill(Qt::black);
    return mark;
}

const QString kHeaderIcons[] = {u""_s, u"event1.bmp"_s, u"event2.bmp"_s, u"event3.bmp"_s,
                                u"event4.bmp"_s, u"event5.bmp"_s, u"event6.bmp"_s, u"event2.bmp"_s};

} // namespace

SheetView::SheetView(document::ProjectDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_source(document.app(), document.pictures())
{
    connect(&document, &document::ProjectDocument::eventsChanged, this, [this](int level) {
        if (level == m_document.project().CurLevel)
            repaint();
    });
    connect(&document, &document::ProjectDocument::groupsChanged, this, [this](int level) {
        if (level == m_document.project().CurLevel) {
            start1();
            repaint();
        }
    });
    connect(&document, &document::ProjectDocument::currentLevelChanged, this, [this] {
        start1();
        repaint();
    });
    connect(&document, &document::ProjectDocument::projectReplaced, this, [this] {
        clear();
        start1();
        repaint();
    });
}

const model::StageData& SheetView::stage() const
{
    return m_document.project().current();
}

QImage SheetView::loadIcon(const QString& key, const QString& path)
{
    media::CachedPicture picture;
    if (!m_source.loadReported(key, path, &picture))
        return {};
    return fitToCell(picture.image);
}

void SheetView::start()
{
    media::CachedPicture mark;
    m_mark = m_source.loadReported(u"mark"_s, m_document.app().imageFile(u"labelEvent.bmp"_s), &mark)
                 ? mark.image
                 : fallbackMark();
    for (int c = 1; c <= kColumns; ++c)
        ColumnIcons[size_t(c)] = m_document.app().imageFile(c <= 7 ? kHeaderIcons[c] : u"event7.bmp"_s);
    for (int c = 1; c <= 7; ++c)
        m_pictures[size_t(c)] = loadIcon(u"column:"_s + ColumnIcons[size_t(c)], ColumnIcons[size_t(c)]);
    start1();
    repaint();
}

void SheetView::start1()
{
    const model::Project& project = m_document.project();
    const model::StageData& s = stage();
    const QString objects = project.projectPath(u"objects"_s);
    for (int c = 8; c <= kColumns; ++c) {
        const int g = catalogue::headerGroup(c);
        QString path = m_document.app().imageFile(u"event7.bmp"_s);
        QImage picture;
        if (g <= s.ActiveGroupCount) {
            media::CachedPicture loaded;
            if (m_source.loadLibraryOrOwn(u"group:"_s + QString::number(g), s.ActiveGroup[size_t(g)].BmpName,
                                          objects, &path, &loaded, true)) {
                ColumnIcons[size_t(c)] = path;
                m_pictures[size_t(c)] = fitToCell(loaded.image);
                continue;
            }
        }
        ColumnIcons[size_t(c)] = path;
        m_pictures[size_t(c)] = loadIcon(u"column:"_s + path, path);
    }
}

void SheetView::clear()
{
    PressedRow = 0;
    PressedColumn = 0;
    ActionGroup = 0;
    m_copied.reset();
    m_source.clearReports();
}

void SheetView::repaint()
{
    events::repaint(m_image, stage(), m_mark, m_pictures);
    emit repainted();
}

int SheetView::rows() const
{
    return rowCount(stage());
}

RowLook SheetView::rowLook(int row) const
{
    return events::rowLook(stage(), row);
}

catalogue::ColumnMenu SheetView::pressed(int x, int y)
{
    const Cell cell = cellAt(x, y);
    PressedRow = cell.row;
    PressedColumn = cell.column;
    if (PressedRow == 0 || PressedRow > rows())
        return catalogue::ColumnMenu::None;
    const catalogue::ColumnMenu menu = catalogue::columnMenu(PressedColumn);
    if (menu == catalogue::ColumnMenu::ObjectActions)
        ActionGroup = catalogue::actionGroup(PressedColumn);
    return menu;
}

void SheetView::released(int x, int y)
{
    const Cell cell = cellAt(x, y);
    PressedRow = cell.row;
    PressedColumn = cell.column;
}

QString SheetView::hint() const
{
    if (PressedRow < 1 || PressedRow > rows() || PressedColumn < 1 || PressedColumn > kColumns)
        return {};
    return stage().EventRow[size_t(PressedRow)].ActionText[size_t(PressedColumn)];
}

QString SheetView::hintAt(int x, int y) const
{
    return cellHint(stage(), cellAt(x, y));
}

bool SheetView::pressedCellHoldsAction() const
{
    return !hint().isEmpty();
}

void SheetView::checkRoomForRow() const
{
    events::checkRoomForRow(stage());
}

void SheetView::checkObjects(const QStringList& numbers) const
{
    const QStringList missing = missingObjects(stage(), numbers);
    if (missing.isEmpty())
        return;
    const int groups = std::clamp(stage().ActiveGroupCount, 0, model::kMaxActiveGroups);
    throw io::Error((missing.size() == 1 ? u"На этапе нет объекта %1"_s : u"На этапе нет объектов %1"_s)
                        .arg(missing.join(u", "_s))
                    + (groups == 0 ? u": активных объектов на этапе нет."_s
                                   : u": активные объекты этапа — 1..%1."_s.arg(groups)));
}

void SheetView::newRow(const Condition& condition)
{
    SheetCommand::run(m_document, u"новая строка"_s, [&](model::StageData& s) { events::newRow(s, condition); });
}

void SheetView::addTitledRow(const QString& kind, const QString& title)
{
    SheetCommand::run(m_document, kind == kGroupKind ? u"Группа событий"_s : u"комментарий"_s,
                      [&](model::StageData& s) { events::addTitledRow(s, kind, title); });
}

void SheetView::addCondition(int row, const Condition& condition)
{
    SheetCommand::run(m_document, u"добавить условие"_s,
                      [&](model::StageData& s) { events::addCondition(s, row, condition); });
}

void SheetView::replaceCondition(int row, const Condition& condition)
{
    SheetCommand::run(m_document, u"заменить условие"_s,
                      [&](model::StageData& s) { events::replaceCondition(s, row, condition); });
}

void SheetView::editCondition(int row, int part, const Condition& condition)
{
    SheetCommand::run(m_document, u"изменить условие"_s,
                      [&](model::StageData& s) { events::editCondition(s, row, part, condition); });
}

void SheetView::editAction(Cell cell, const Action& action)
{
    SheetCommand::run(m_document, u"изменить действие «%1»"_s.arg(action.caption),
                      [&](model::StageData& s) { events::editAction(s, cell, action); });
}

QString SheetView::editProblem(Cell cell) const
{
    return events::editProblem(stage(), cell);
}

const model::EventRowData& SheetView::row(int r) const
{
    return stage().EventRow[size_t(std::clamp(r, 0, model::kMaxEventRows))];
}

void SheetView::placeAction(const Action& action)
{
    const Cell cell{PressedRow, PressedColumn};
    SheetCommand::run(m_document, u"действие «%1»"_s.arg(action.caption),
                      [&](model::StageData& s) { events::placeAction(s, cell, action); });
}

void SheetView::deleteAction()
{
    const Cell cell{PressedRow, PressedColumn};
    SheetCommand::run(m_document, u"удалить действие"_s, [&](model::StageData& s) { events::deleteAction(s, cell); });
}

void SheetView::deleteRow(int row)
{
    SheetCommand::run(m_document, u"удалить строку"_s, [&](model::StageData& s) { events::deleteRow(s, row); });
}

void SheetView::moveRow(int row, int step)
{
    SheetCommand::run(m_document, step < 0 ? u"вверх"_s : u"вниз"_s,
                      [&](model::StageData& s) { events::moveRow(s, row, step); });
}

void SheetView::copyRow(int row)
{
    if (row < 1 || row > rows())
        return;
    m_copied = stage().EventRow[size_t(row)];
}

void SheetView::pasteRow(int after)
{
    if (!m_copied)
        return;
    SheetCommand::run(m_document, u"вставить"_s,
                      [&](model::StageData& s) { events::insertRow(s, after, *m_copied); });
}

} // namespace kestrava::events
