#include "events/SheetPicture.h"

#include "catalogue/Item.h"
#include "model/Sound.h"

#include <QFileInfo>
#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

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

QString shortCaption(const QString& caption)
{
    QString text = caption.trimmed();
    // "режим: атака", "управление: игнорировать", "кадр анимации: следующий": the column says the rest.
    if (const qsizetype colon = text.indexOf(u": "_s); colon > 0)
        text = text.mid(colon + 2);
    return text.replace(u" = "_s, u"="_s);
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
    const QStringList missing = missingObjects(stage, r);
    if (!missing.isEmpty())
        look.problem = (missing.size() == 1 ? u"На этапе нет объекта %1: строка не сработает в игре."_s
                                            : u"На этапе нет объектов %1: строка не сработает в игре."_s)
                           .arg(missing.join(u", "_s));
    return look;
}

namespace {

// The active group an object number of the sheet names; 0 for none of the stage.
int groupOf(const model::StageData& stage, const QString& number)
{
    bool ok = false;
    const int g = number.toInt(&ok);
    return ok && g >= 1 && g <= std::min(stage.ActiveGroupCount, model::kMaxActiveGroups) ? g : 0;
}

QStringList filled(const ObjectSlots& list)
{
    QStringList numbers;
    for (size_t k = 1; k < list.size(); ++k)
        if (!list[k].isEmpty())
            numbers << list[k];
    return numbers;
}

} // namespace

QString objectName(const model::StageData& stage, const QString& number)
{
    const int g = groupOf(stage, number);
    if (g == 0)
        return u"объект %1 (нет на этапе)"_s.arg(number);
    // Projects keep the group's number as its caption; its object file names it.
    const model::ActiveGroupData& group = stage.ActiveGroup[size_t(g)];
    QString name = group.Caption.trimmed();
    if (name.isEmpty() || name == number)
        name = QFileInfo(group.FileName).completeBaseName();
    return name.isEmpty() ? u"объект %1"_s.arg(number) : u"объект %1 «%2»"_s.arg(number, name);
}

QStringList missingObjects(const model::StageData& stage, const QStringList& numbers)
{
    QStringList missing;
    for (const QString& number : numbers)
        if (groupOf(stage, number) == 0 && !missing.contains(number))
            missing << number;
    return missing;
}

QStringList missingObjects(const model::StageData& stage, int r)
{
    const model::EventRowData& row = stage.EventRow[size_t(r)];
    if (row.Kind != kEventKind)
        return {};
    QStringList numbers = filled(row.CondObjects);
    for (int c = 1; c <= kColumns; ++c)
        if (!row.ActionText[size_t(c)].isEmpty())
            numbers += filled(row.ActionObjects[size_t(c)]);
    return missingObjects(stage, numbers);
}

QString cellHint(const model::StageData& stage, Cell cell)
{
    if (cell.row == rowCount(stage) + 1 && cell.row <= model::kMaxEventRows)
        return u"Новое событие: щёлкните, чтобы выбрать его условие"_s;
    if (cell.row < 1 || cell.row > rowCount(stage) || cell.column < 0 || cell.column > kColumns)
        return {};
    const model::EventRowData& row = stage.EventRow[size_t(cell.row)];
    if (row.Kind != kEventKind)
        return {};
    const size_t c = size_t(cell.column);
    const QString caption = cell.column == 0 ? row.CondText : row.ActionText[c];
    if (caption.isEmpty())
        return {};
    QStringList names;
    for (const QString& number : filled(cell.column == 0 ? row.CondObjects : row.ActionObjects[c]))
        if (const QString name = objectName(stage, number); !names.contains(name))
            names << name;
    return names.isEmpty() ? caption : caption + u"\n"_s + names.join(u", "_s);
}

QStringList unmetRowNotes(const model::Project& project)
{
    QStringList notes;
    for (int level = 1; level <= std::clamp(project.LevelCount, 1, model::kMaxLevels); ++level) {
        const model::StageData& stage = project.stage(level);
        for (int r = 1; r <= rowCount(stage); ++r) {
            const model::EventRowData& row = stage.EventRow[size_t(r)];
            const auto note = [&](const QStringList& missing, const QString& one, const QString& many) {
                if (!missing.isEmpty())
                    notes << (missing.size() == 1 ? one : many).arg(level).arg(r).arg(row.CondText, missing.join(u", "_s));
            };
            QStringList objects = missingObjects(stage, r);
            for (const int g : catalogue::madeGroups(row))
                if ((g < 1 || g > stage.ActiveGroupCount) && !objects.contains(QString::number(g)))
                    objects << QString::number(g);
            note(objects, u"Этап %1, строка событий %2 («%3»): на этапе нет объекта %4, строка не сработает в игре."_s,
                 u"Этап %1, строка событий %2 («%3»): на этапе нет объектов %4, строка не сработает в игре."_s);
            // A sound removed after the row was written: the game goes on silent there.
            QStringList sounds;
            for (const int n : catalogue::soundsNamed(row))
                if (!model::findSound(project.Sounds, n))
                    sounds << QString::number(n);
            note(sounds, u"Этап %1, строка событий %2 («%3»): в проекте нет звука %4, в игре он не прозвучит."_s,
                 u"Этап %1, строка событий %2 («%3»): в проекте нет звуков %4, в игре они не прозвучат."_s);
        }
    }
    return notes;
}

} // namespace kestrava::events
