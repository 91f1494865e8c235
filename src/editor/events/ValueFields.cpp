#include "editor/events/ValueFields.h"

#include "editor/common/ErrorBox.h"
#include "editor/events/ValueKeypadDialog.h"
#include "catalogue/Translator.h"

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

QGroupBox* makeValueBox(QDialog* dialog, const QString& title, const ValueChooserSetup& setup, QLineEdit*& field,
                        QPushButton*& editButton)
{
    auto* box = new QGroupBox(title, dialog);
    field = new QLineEdit(box);
    field->setMinimumWidth(240);
    editButton = new QPushButton(u"Редакт."_s, box);
    editButton->setAutoDefault(false);
    editButton->setAccessibleDescription(title);
    auto* row = new QHBoxLayout(box);
    row->addWidget(field);
    row->addWidget(editButton);

    QLineEdit* target = field;
    QObject::connect(editButton, &QPushButton::clicked, dialog, [dialog, setup, target] {
        ValueKeypadDialog keypad(setup, target->text(), dialog);
        if (keypad.exec() == QDialog::Accepted)
            target->setText(keypad.KeypadText);
    });
    return box;
}

QGroupBox* makeRelationBox(QDialog* dialog, std::array<QRadioButton*, 6>& radios)
{
    auto* box = new QGroupBox(u"Выберите способ отношения"_s, dialog);
    box->setObjectName(u"GroupBoxRelation"_s);
    auto* column = new QVBoxLayout(box);
    const auto& operators = catalogue::comparisonOperators();
    for (std::size_t i = 0; i < radios.size(); ++i) {
        radios[i] = new QRadioButton(operators[i].caption, box);
        radios[i]->setObjectName(u"RadioButton%1"_s.arg(i + 1));
        column->addWidget(radios[i]);
    }
    radios[0]->setChecked(true);
    return box;
}

QString checkedOperator(const std::array<QRadioButton*, 6>& radios)
{
    for (std::size_t i = 0; i < radios.size(); ++i)
        if (radios[i]->isChecked())
            return catalogue::comparisonOperators()[i].code;
    return catalogue::comparisonOperators()[0].code;
}

QPushButton* addAnswerButtons(QDialog* dialog, QVBoxLayout* layout, QPushButton*& no)
{
    auto* yes = new QPushButton(u"Да"_s, dialog);
    yes->setObjectName(u"bYes"_s);
    yes->setDefault(true);
    no = new QPushButton(u"Нет"_s, dialog);
    no->setObjectName(u"bNo"_s);
    no->setAutoDefault(false);
    QObject::connect(no, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(yes);
    row->addWidget(no);
    layout->addLayout(row);
    return yes;
}

std::optional<QString> translateField(QWidget* parent, const QLineEdit* field, const QString& missing,
                                      const QList<model::GameVariableData>& variables)
{
    // An empty value would leave a bare operator in the generated Java.
    if (field->text().trimmed().isEmpty()) {
        showError(parent, missing);
        return std::nullopt;
    }
    try {
        return catalogue::translateValue(field->text(), catalogue::variableNames(variables));
    } catch (const io::Error& e) {
        showError(parent, e.message());
    }
    return std::nullopt;
}

} // namespace kestrava::editor
