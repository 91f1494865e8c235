#include "editor/interface/GamePropertiesDialog.h"

#include "editor/common/ErrorBox.h"
#include "editor/interface/ScreenSizeDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {
namespace {

QLineEdit* addTextBox(QFormLayout* form, const QString& label, const QString& text, const QString& placeholder)
{
    auto* box = new QLineEdit(text);
    box->setPlaceholderText(placeholder);
    box->setAccessibleName(QString(label).remove(QLatin1Char(':')));
    box->setMaxLength(model::kMaxSuiteText);
    form->addRow(label, box);
    return box;
}

} // namespace

GamePropertiesDialog::GamePropertiesDialog(const GameSettings& current, QWidget* parent)
    : QDialog(parent),
      ScreenHeightChoice(current.screen.height),
      ScreenWidthChoice(current.screen.width),
      OwnBudgetChoice(current.ownBudget)
{
    setObjectName(QStringLiteral("fmFeature"));
    setWindowTitle(QStringLiteral("Свойства игры"));
    ButtonSize = new QPushButton(model::sizeButtonCaption(current.screen));
    LabelBudget = new QLabel;
    LabelBudget->setAccessibleName(QStringLiteral("Бюджет телефона"));
    const auto showBudget = [this] {
        LabelBudget->setText(QStringLiteral("Телефон: ")
                             + model::budgetText(model::gameBudget({ScreenWidthChoice, ScreenHeightChoice},
                                                                   OwnBudgetChoice)));
    };
    showBudget();
    ButtonYes = new QPushButton(QStringLiteral(" Да"));
    ButtonSize->setAutoDefault(false);
    auto* form = new QFormLayout;
    // Empty boxes show what packaging writes in their place.
    EditVendor = addTextBox(form, QStringLiteral("Разработчик:"), current.suite.Vendor, QStringLiteral("Kestrava"));
    EditVersion = addTextBox(form, QStringLiteral("Версия:"), current.suite.Version, QStringLiteral("1.0"));
    EditDescription = addTextBox(form, QStringLiteral("Описание:"), current.suite.Description,
                                 QStringLiteral("название игры"));
    CheckTouchButtons = new QCheckBox(QStringLiteral("Экранные кнопки для сенсорных телефонов"));
    CheckTouchButtons->setChecked(current.touchButtons);
    CheckTouchButtons->setToolTip(QStringLiteral("На телефоне с сенсорным экраном игра рисует в углу крестовину и "
                                                 "кнопку огня; касания их — нажатия клавиш"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ButtonSize);
    layout->addWidget(LabelBudget);
    layout->addLayout(form);
    layout->addWidget(CheckTouchButtons);
    layout->addWidget(ButtonYes, 0, Qt::AlignRight);

    connect(ButtonSize, &QPushButton::clicked, this, [this, showBudget] {
        ScreenSizeDialog display({ScreenWidthChoice, ScreenHeightChoice}, OwnBudgetChoice, this);
        display.exec();
        ScreenWidthChoice = display.choice().width;
        ScreenHeightChoice = display.choice().height;
        OwnBudgetChoice = display.ownBudget();
        ButtonSize->setText(model::sizeButtonCaption(display.choice()));
        showBudget();
    });
    connect(ButtonYes, &QPushButton::clicked, this, [this] {
        if (const QString problem = model::gameSuiteProblem(chosen().suite); !problem.isEmpty()) {
            // The dialog stays open for the author to mend the box.
            showError(this, problem);
            return;
        }
        accept();
    });
}

GameSettings GamePropertiesDialog::chosen() const
{
    return {{ScreenWidthChoice, ScreenHeightChoice},
            {EditVendor->text().trimmed(), EditVersion->text().trimmed(), EditDescription->text().trimmed()},
            OwnBudgetChoice,
            CheckTouchButtons->isChecked()};
}

std::optional<GameSettings> showGameSettings(QWidget* parent, const GameSettings& current)
{
    GamePropertiesDialog dialog(current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

} // namespace kestrava::editor
