#include "editor/events/ParameterDialogs.h"

#include "editor/events/TargetObjectDialog.h"
#include "editor/events/CompareTwoValuesDialog.h"
#include "editor/events/CompareValueDialog.h"
#include "editor/events/DetectionDialog.h"
#include "editor/events/ValueDialog.h"
#include "editor/events/CollisionObjectDialog.h"
#include "editor/events/PhoneKeyDialog.h"
#include "editor/events/TimerConditionDialog.h"
#include "events/PhoneKeys.h"
#include "events/RowRecords.h"
#include "events/Translator.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

namespace {

void checkRelation(const std::array<QRadioButton*, 6>& radios, const QString& relation)
{
    for (size_t i = 0; i < radios.size(); ++i)
        if (events::comparisonOperators()[i].code == relation)
            radios[i]->setChecked(true);
}

} // namespace

bool askConditionParameters(QWidget* parent, const ValueChooserSetup& setup, events::ConditionDialog kind,
                            events::ConditionInput& input, bool filled)
{
    using D = events::ConditionDialog;
    switch (kind) {
    case D::None:
        return true;
    case D::CompareTwo: {
        CompareTwoValuesDialog dialog(setup, parent);
        if (filled) {
            const events::Comparison c = events::splitComparison(input.arg);
            dialog.Edit1->setText(c.left);
            checkRelation(dialog.RadioButton, c.relation);
            dialog.Edit2->setText(c.right);
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        input.arg = dialog.ChooserArg;
        input.argCode = dialog.ChooserArgCode;
        return true;
    }
    case D::CompareOne: {
        CompareValueDialog dialog(setup, parent);
        if (filled) {
            const events::Comparison c = events::splitComparison(input.arg);
            checkRelation(dialog.RadioButton, c.relation);
            dialog.Edit1->setText(c.right);
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        input.arg = dialog.ChooserArg;
        input.argCode = dialog.ChooserArgCode;
        return true;
    }
    case D::Key: {
        PhoneKeyDialog dialog(parent);
        if (filled) {
            const auto& keys = events::phoneKeys();
            for (qsizetype i = 0; i < dialog.Keys.size() && i < qsizetype(keys.size()); ++i)
                if (keys[size_t(i)].KeyName == input.keyName)
                    dialog.Keys[i]->setFocus();
        }
        if (dialog.exec() != QDialog::Accepted || dialog.KeyName.isEmpty())
            return false;
        input.keyName = dialog.KeyName;
        input.keyCode = dialog.KeyCode;
        return true;
    }
    case D::Timer: {
        TimerConditionDialog dialog(parent);
        if (filled) {
            // The readable time is "minutes/seconds/hundredths" as typed.
            const QStringList fields = input.arg.split(u'/');
            if (fields.size() == 3) {
                dialog.Edit1->setText(fields[0]);
                dialog.Edit2->setText(fields[1]);
                dialog.Edit3->setText(fields[2]);
            }
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        input.arg = dialog.ChooserArg;
        input.time = dialog.ChooserTime;
        return true;
    }
    case D::Detection: {
        DetectionDialog dialog(parent);
        if (filled) {
            dialog.seMin->setValue(input.minRadius);
            dialog.seMax->setValue(input.maxRadius);
            dialog.seNumber->setValue(input.detected);
        }
        if (dialog.exec() != QDialog::Accepted)
            return false;
        input.arg = dialog.ChooserArg;
        input.minRadius = dialog.seMin->value();
        input.maxRadius = dialog.seMax->value();
        input.detected = dialog.seNumber->value();
        return true;
    }
    case D::OtherObject: {
        CollisionObjectDialog dialog(parent);
        // The second object becomes a loop variable of the game ("kr" + O).
        dialog.seNumber()->setMinimum(1);
        if (filled)
            dialog.seNumber()->setValue(input.other);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        input.other = dialog.seNumber()->value();
        return true;
    }
    }
    return false;
}

bool askActionParameters(QWidget* parent, const ValueChooserSetup& setup, events::ActionDialog kind,
                         events::ActionInput& input, bool filled)
{
    using D = events::ActionDialog;
    switch (kind) {
    case D::None:
        return true;
    case D::Value: {
        ValueDialog dialog(setup, parent);
        if (filled)
            dialog.Edit1->setText(input.value);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        input.value = dialog.ValueText;
        input.valueCode = dialog.ValueCode;
        return true;
    }
    case D::Target: {
        TargetObjectDialog dialog(parent);
        // The target becomes a loop variable of the game ("kr" + T): no 0 or negatives.
        dialog.seNumber()->setMinimum(1);
        if (filled)
            dialog.seNumber()->setValue(input.target);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        input.target = dialog.Result;
        return true;
    }
    }
    return false;
}

} // namespace kestrava::editor
