#include "editor/events/ParameterDialogs.h"

#include "catalogue/PhoneKeys.h"
#include "catalogue/Records.h"
#include "catalogue/Translator.h"
#include "objects/SoundFiles.h"
#include "editor/events/CollisionObjectDialog.h"
#include "editor/events/CompareTwoValuesDialog.h"
#include "editor/events/CompareValueDialog.h"
#include "editor/events/DetectionDialog.h"
#include "editor/events/MadeObjectDialog.h"
#include "editor/events/PhoneKeyDialog.h"
#include "editor/events/SoundDialogs.h"
#include "editor/events/TargetObjectDialog.h"
#include "editor/events/TimerConditionDialog.h"
#include "editor/events/ValueDialog.h"
#include "editor/events/VariableChoiceDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

namespace {

void checkRelation(const std::array<QRadioButton*, 6>& radios, const QString& relation)
{
    for (size_t i = 0; i < radios.size(); ++i)
        if (catalogue::comparisonOperators()[i].code == relation)
            radios[i]->setChecked(true);
}

QString number(int n)
{
    return QString::number(n);
}

// One parameter's dialog; true with its tokens written into values on "Да".
bool askParameter(QWidget* parent, const ValueChooserSetup& setup, catalogue::Parameter kind,
                  catalogue::Values& values, bool filled)
{
    using P = catalogue::Parameter;
    switch (kind) {
    case P::Comparison: {
        CompareTwoValuesDialog dialog(setup, parent);
        if (filled) {
            const catalogue::Comparison c = catalogue::splitComparison(values.value(u"A"_s));
            dialog.Edit1->setText(c.left);
            checkRelation(dialog.RadioButton, c.relation);
            dialog.Edit2->setText(c.right);
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"A"_s] = dialog.ChooserArg;
        values[u"AC"_s] = dialog.ChooserArgCode;
        return true;
    }
    case P::Relation: {
        CompareValueDialog dialog(setup, parent);
        if (filled) {
            const catalogue::Comparison c = catalogue::splitComparison(values.value(u"A"_s));
            checkRelation(dialog.RadioButton, c.relation);
            dialog.Edit1->setText(c.right);
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"A"_s] = dialog.ChooserArg;
        values[u"AC"_s] = dialog.ChooserArgCode;
        return true;
    }
    case P::Key: {
        PhoneKeyDialog dialog(parent);
        if (filled) {
            const auto& keys = catalogue::phoneKeys();
            for (qsizetype i = 0; i < dialog.Keys.size() && i < qsizetype(keys.size()); ++i)
                if (keys[size_t(i)].KeyName == values.value(u"K"_s))
                    dialog.Keys[i]->setFocus();
        }
        if (dialog.exec() != QDialog::Accepted || dialog.KeyName.isEmpty())
            return false;
        values[u"K"_s] = dialog.KeyName;
        values[u"KC"_s] = dialog.KeyCode;
        return true;
    }
    case P::Time:
    case P::Period: {
        TimerConditionDialog dialog(parent);
        if (filled) {
            // The readable time is "minutes/seconds/hundredths" as typed.
            const QStringList fields = values.value(u"A"_s).split(u'/');
            if (fields.size() == 3) {
                dialog.Edit1->setText(fields[0]);
                dialog.Edit2->setText(fields[1]);
                dialog.Edit3->setText(fields[2]);
            }
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"A"_s] = dialog.ChooserArg;
        values[u"T"_s] = number(dialog.ChooserTime);
        return true;
    }
    case P::Detection: {
        DetectionDialog dialog(parent);
        if (filled) {
            dialog.seMin->setValue(catalogue::number(values, u"MIN"_s));
            dialog.seMax->setValue(catalogue::number(values, u"MAX"_s));
            dialog.seNumber->setValue(catalogue::number(values, u"B"_s));
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"A"_s] = dialog.ChooserArg;
        values[u"MIN"_s] = number(dialog.seMin->value());
        values[u"MAX"_s] = number(dialog.seMax->value());
        values[u"B"_s] = number(dialog.seNumber->value());
        return true;
    }
    case P::OtherObject: {
        CollisionObjectDialog dialog(setup.groupName, parent);
        // The second object becomes a loop variable of the game ("kr" + O).
        dialog.seNumber()->setMinimum(1);
        if (filled)
            dialog.seNumber()->setValue(catalogue::number(values, u"O"_s));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"O"_s] = number(dialog.seNumber()->value());
        return true;
    }
    case P::Value: {
        ValueDialog dialog(setup, parent);
        if (filled)
            dialog.Edit1->setText(values.value(u"V"_s));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"V"_s] = dialog.ValueText;
        values[u"VC"_s] = dialog.ValueCode;
        return true;
    }
    case P::MadeNearObject:
    case P::MadeAtPoint: {
        MadeObjectDialog dialog(kind == P::MadeNearObject, setup.groupName, parent);
        if (filled) {
            dialog.seGroup->setValue(catalogue::number(values, u"C"_s));
            if (dialog.seNear)
                dialog.seNear->setValue(catalogue::number(values, u"O"_s));
            dialog.seX->setValue(catalogue::number(values, u"X"_s));
            dialog.seY->setValue(catalogue::number(values, u"Y"_s));
            dialog.cbDirection->setCurrentIndex(std::clamp(catalogue::number(values, u"D"_s), 0, 4));
            dialog.seSpeed->setValue(catalogue::number(values, u"S"_s));
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"C"_s] = number(dialog.seGroup->value());
        if (dialog.seNear)
            values[u"O"_s] = number(dialog.seNear->value());
        values[u"X"_s] = number(dialog.seX->value());
        values[u"Y"_s] = number(dialog.seY->value());
        values[u"D"_s] = number(dialog.cbDirection->currentIndex());
        values[u"S"_s] = number(dialog.seSpeed->value());
        values[u"A"_s] = dialog.Readable;
        return true;
    }
    case P::Variable: {
        VariableChoiceDialog dialog(catalogue::variableNames(setup.variables), parent);
        if (filled)
            dialog.choose(catalogue::number(values, u"W"_s));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"W"_s] = number(dialog.ChosenId);
        values[u"WN"_s] = dialog.ChosenName;
        return true;
    }
    case P::Sound:
    case P::PlayedSound: {
        SoundChoiceDialog dialog(setup.sounds, kind == P::PlayedSound, parent);
        if (filled) {
            dialog.choose(catalogue::number(values, u"SND"_s));
            if (dialog.cbRepeat)
                dialog.cbRepeat->setChecked(catalogue::number(values, u"R"_s) != 0);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.chosen() == 0)
            return false;
        values[u"SND"_s] = number(dialog.chosen());
        if (dialog.cbRepeat) {
            values[u"R"_s] = number(dialog.cbRepeat->isChecked() ? 1 : 0);
            values[u"A"_s] = dialog.cbRepeat->isChecked() ? u", повторять"_s : QString();
        }
        return true;
    }
    case P::Volume: {
        VolumeDialog dialog(parent);
        if (filled)
            dialog.seVolume->setValue(catalogue::number(values, u"VOL"_s));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"VOL"_s] = number(dialog.seVolume->value());
        return true;
    }
    case P::Tone: {
        ToneDialog dialog(parent);
        if (filled) {
            dialog.edNote->setText(objects::noteName(catalogue::number(values, u"NOTE"_s)));
            dialog.seLength->setValue(catalogue::number(values, u"MS"_s));
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"NOTE"_s] = number(dialog.Pitch);
        values[u"MS"_s] = number(dialog.seLength->value());
        values[u"A"_s] = u"%1, %2 мс"_s.arg(objects::noteName(dialog.Pitch)).arg(dialog.seLength->value());
        return true;
    }
    case P::Target: {
        TargetObjectDialog dialog(parent);
        // The target becomes a loop variable of the game ("kr" + T): no 0 or negatives.
        dialog.seNumber()->setMinimum(1);
        if (filled)
            dialog.seNumber()->setValue(catalogue::number(values, u"T"_s));
        if (dialog.exec() != QDialog::Accepted)
            return false;
        values[u"T"_s] = number(dialog.Result);
        return true;
    }
    }
    return false;
}

} // namespace

bool askParameters(QWidget* parent, const ValueChooserSetup& setup, const catalogue::Item& item,
                   catalogue::Values& values, bool filled)
{
    catalogue::Values given = values;
    for (const catalogue::Parameter parameter : item.parameters)
        if (!askParameter(parent, setup, parameter, given, filled))
            return false;
    values = given;
    return true;
}

} // namespace kestrava::editor
