#include "editor/events/DetectionDialog.h"

#include "editor/common/EntryDialog.h"

#include <QCheckBox>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

DetectionDialog::DetectionDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmDetectionSetup"_s);
    setWindowTitle(u"Настройка параметров обнаружения"_s);

    auto labelled = [this](const QString& name, const QString& text, QSpinBox*& field) {
        auto* label = new QLabel(text, this);
        field = makeNumberField(this);
        field->setObjectName(name);
        label->setBuddy(field);
        return label;
    };
    QLabel* minLabel = labelled(u"seMin"_s, u"радиус обнаружения мин."_s, seMin);
    QLabel* maxLabel = labelled(u"seMax"_s, u"радиус обнаружения макс."_s, seMax);
    QLabel* numberLabel = labelled(u"seNumber"_s, u"номер объекта"_s, seNumber);
    // A radius is a distance; the object becomes a loop variable of the game
    // ("kr" + number), so there is no object 0.
    seMin->setMinimum(0);
    seMax->setMinimum(0);
    seNumber->setMinimum(1);
    CheckBox1 = new QCheckBox(u"С учетом припятствий"_s, this);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox1->setEnabled(false);
    CheckBox1->setVisible(false);

    layOutEntryDialog(this, {minLabel, seMin, maxLabel, seMax, numberLabel, seNumber, CheckBox1},
                      [this] { acceptAnswer(); });
}

void DetectionDialog::acceptAnswer()
{
    ChooserArg = u"обнаружение от "_s + QString::number(seMin->value()) + u" до "_s + QString::number(seMax->value());
    accept();
}

} // namespace kestrava::editor
