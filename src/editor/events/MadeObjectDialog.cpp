#include "editor/events/MadeObjectDialog.h"

#include "editor/common/EntryDialog.h"
#include "model/Capacities.h"

#include <QComboBox>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

namespace {

const QString kDirections[] = {u"стоит на месте"_s, u"вправо"_s, u"вверх"_s, u"влево"_s, u"вниз"_s};

} // namespace

QString flightText(int direction, int speed)
{
    if (direction < 1 || direction > 4)
        return QString();
    return u", "_s + kDirections[direction] + u", скорость "_s + QString::number(speed);
}

MadeObjectDialog::MadeObjectDialog(bool nearObject, const GroupNameOf& groupName, QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmMadeObject"_s);
    setWindowTitle(u"Создать объект"_s);
    auto labelled = [this](const QString& name, const QString& text, QSpinBox*& field, int low, int high) {
        auto* label = new QLabel(text, this);
        field = makeNumberField(this);
        field->setObjectName(name);
        field->setRange(low, high);
        label->setBuddy(field);
        return label;
    };
    // Group numbers become loop variables of the game ("kr" + number): there is no group 0.
    QLabel* groupLabel = labelled(u"seGroup"_s, u"группа создаваемого объекта"_s, seGroup, 1, model::kMaxActiveGroups);
    QLabel* nearLabel = nullptr;
    if (nearObject) {
        nearLabel = labelled(u"seNear"_s, u"у объекта группы (у каждого её объекта, для которого строка верна)"_s,
                             seNear, 1, model::kMaxActiveGroups);
    }
    QLabel* xLabel = labelled(u"seX"_s, nearObject ? u"сдвиг по X"_s : u"X на карте"_s, seX,
                              nearObject ? -model::kMapSize : 0, model::kMapSize);
    QLabel* yLabel = labelled(u"seY"_s, nearObject ? u"сдвиг по Y"_s : u"Y на карте"_s, seY,
                              nearObject ? -model::kMapSize : 0, model::kMapSize);
    auto* directionLabel = new QLabel(u"направление полёта"_s, this);
    cbDirection = new QComboBox(this);
    cbDirection->setObjectName(u"cbDirection"_s);
    for (const QString& d : kDirections)
        cbDirection->addItem(d);
    directionLabel->setBuddy(cbDirection);
    QLabel* speedLabel = labelled(u"seSpeed"_s, u"скорость (точек за такт)"_s, seSpeed, 1, 50);
    seSpeed->setValue(4);
    seSpeed->setEnabled(false);
    connect(cbDirection, &QComboBox::currentIndexChanged, this, [this](int d) { seSpeed->setEnabled(d > 0); });
    auto* hint = new QLabel(u"Летящий объект движется прямо, пока не выйдет за край уровня или не упрётся в "
                            u"препятствие, и тогда исчезает. Если объектов группы уже столько, сколько "
                            u"«Наибольшее число объектов на экране», новый не создаётся."_s,
                            this);
    hint->setWordWrap(true);
    hint->setMaximumWidth(360);
    if (nearObject)
        layOutEntryDialog(this, {groupLabel, seGroup, nearLabel, seNear, xLabel, seX, yLabel, seY, directionLabel,
                                 cbDirection, speedLabel, seSpeed, hint},
                          [this] { acceptAnswer(); });
    else
        layOutEntryDialog(this, {groupLabel, seGroup, xLabel, seX, yLabel, seY, directionLabel, cbDirection,
                                 speedLabel, seSpeed, hint},
                          [this] { acceptAnswer(); });
    // Each group's name under its number.
    auto* column = static_cast<QVBoxLayout*>(layout());
    if (QLabel* line = makeGroupNameLine(seGroup, groupName, u"lGroupName"_s))
        column->insertWidget(column->indexOf(seGroup) + 1, line);
    if (seNear)
        if (QLabel* line = makeGroupNameLine(seNear, groupName, u"lNearName"_s))
            column->insertWidget(column->indexOf(seNear) + 1, line);
}

void MadeObjectDialog::acceptAnswer()
{
    Readable = flightText(cbDirection->currentIndex(), seSpeed->value());
    accept();
}

} // namespace kestrava::editor
