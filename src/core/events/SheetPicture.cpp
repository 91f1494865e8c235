#include "events/SheetPicture.h"

#include <QPainter>

namespace kestrava::events {

namespace {

bool hasRowLine(const QString& kind)
{
    return kind == kEventKind || kind == kGroupKind || kind == kCommentKind;
}

} // namespace

void repaint(QImage& image, const model::StageData& stage, const QImage& mark, const ColumnPictures& pictures)
{
    if (image.size() != QSize(kSheetWidth, kSheetHeight) || image.format() != QImage::Format_RGB32)
        image = QImage(kSheetWidth, kSheetHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int rows = rowCount(stage);

    QPainter painter(&image);
    painter.setPen(Qt::black);
    for (int r = 1; r <= rows; ++r) {
        const model::EventRowData& row = stage.EventRow[size_t(r)];
        if (hasRowLine(row.Kind))
            painter.drawLine(0, rowTop(r) + kCell - 1, kSheetWidth - 1, rowTop(r) + kCell - 1);
        for (int c = 1; c <= kColumns; ++c)
            if (!row.ActionText[size_t(c)].isEmpty())
                painter.drawImage(columnLeft(c) + 8, rowTop(r) + 8, mark);
    }

    for (int c = 1; c <= kColumns; ++c) {
        const QImage& picture = pictures[size_t(c)];
        if (!picture.isNull())
            painter.drawImage(columnLeft(c) + (kCell - picture.width()) / 2, (kCell - picture.height()) / 2, picture);
        const int x = columnLeft(c) - 1;
        painter.drawLine(x, 0, x, rowTop(rows) + kCell - 1);
    }
}

QImage fitToCell(const QImage& picture)
{
    const QSize room(kCell - 2, kCell - 2);
    if (picture.isNull() || (picture.width() <= room.width() && picture.height() <= room.height()))
        return picture;
    return picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

RowLook rowLook(const model::StageData& stage, int r)
{
    const model::EventRowData& row = stage.EventRow[size_t(r)];
    RowLook look;
    if (row.Kind == kGroupKind || row.Kind == kCommentKind) {
        look.wide = true;
        look.buttonCaption = row.CondText;
        look.buttonColour = row.Kind == kGroupKind ? QColor(255, 0, 0) : QColor(0, 255, 0);
        return look;
    }
    look.buttonCaption = QString::number(r);
    if (row.Kind == kEventKind)
        look.labelText = row.CondText;
    return look;
}

} // namespace kestrava::events
