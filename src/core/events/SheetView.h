#pragma once

#include "events/Sheet.h"
#include "events/SheetPicture.h"
#include "media/PictureSource.h"

#include <QImage>
#include <QObject>
#include <QStringList>

#include <array>
#include <optional>

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::events {

// The event sheet of the current stage without its window: the picture,
// the header icons, the cell of the last press and the sheet's edits, each
// one undoable step. It redraws whenever the document says the sheet, the
// stage's groups or the current stage changed.
class SheetView : public QObject {
    Q_OBJECT
public:
    explicit SheetView(document::ProjectDocument& document, QObject* parent = nullptr);

    // Once, when the pane is made: the mark and the header icons.
    void start();
    // Header icons of the current stage: its active groups head columns 8..20.
    void start1();
    // Another project: no pressed cell, no copied row, nothing reported.
    void clear();
    // Paints the sheet of the current stage.
    void repaint();

    const QImage& image() const { return m_image; }
    // Icon paths of columns 1..20 and their pictures as the header shows them.
    std::array<QString, kColumns + 1> ColumnIcons;
    const QImage& columnPicture(int column) const { return m_pictures.at(size_t(column)); }
    int rows() const;
    RowLook rowLook(int row) const;

    // The cell of the last press or release.
    int PressedRow = 0;
    int PressedColumn = 0;
    // The active group the object actions of the pressed column act on.
    int ActionGroup = 0;

    // A press on the picture: the menu the pressed cell opens, None when the
    // press is outside the rows.
    catalogue::ColumnMenu pressed(int x, int y);
    void released(int x, int y);
    // The action in the cell of the last press or release; empty for none.
    QString hint() const;
    // What the pointer at (x, y) shows: the caption under it, whole, with
    // the objects it names.
    QString hintAt(int x, int y) const;
    bool pressedCellHoldsAction() const;

    // Edits of the current stage; io::Error, nothing changed, when refused.
    void checkRoomForRow() const;
    // A condition or action naming an object the stage has no active group
    // for would never act in the game: io::Error naming it.
    void checkObjects(const QStringList& numbers) const;
    void newRow(const Condition& condition);
    void addTitledRow(const QString& kind, const QString& title);
    void addCondition(int row, const Condition& condition);
    void replaceCondition(int row, const Condition& condition);
    // "изменить…": a part of a row's condition or a cell's action made again.
    void editCondition(int row, int part, const Condition& condition);
    void editAction(Cell cell, const Action& action);
    QString editProblem(Cell cell) const;
    const model::EventRowData& row(int r) const;
    // Places an action in the pressed cell.
    void placeAction(const Action& action);
    void deleteAction();
    void deleteRow(int row);
    void moveRow(int row, int step);
    void copyRow(int row);
    bool hasCopiedRow() const { return m_copied.has_value(); }
    // The copied row, below `after`.
    void pasteRow(int after);

    // Pictures that could not be read, each once.
    QStringList takeMessages() { return m_source.takeMessages(); }

signals:
    // The picture or the rows changed.
    void repainted();

private:
    const model::StageData& stage() const;
    QImage loadIcon(const QString& key, const QString& path);

    document::ProjectDocument& m_document;
    media::PictureSource m_source;
    QImage m_image;
    QImage m_mark;
    ColumnPictures m_pictures;
    std::optional<model::EventRowData> m_copied;
};

} // namespace kestrava::events
