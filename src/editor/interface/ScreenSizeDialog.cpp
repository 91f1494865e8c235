#include "editor/interface/ScreenSizeDialog.h"

#include "editor/common/ErrorBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kestrava::editor {

ScreenSizeDialog::ScreenSizeDialog(model::ScreenSize choice, std::optional<model::GameBudgetData> ownBudget,
                                   QWidget* parent)
    : QDialog(parent), m_choice(choice), m_ownBudget(std::move(ownBudget))
{
    setObjectName(QStringLiteral("fmDisplay"));
    setWindowTitle(QStringLiteral("Настройки игры"));

    auto* layout = new QGridLayout(this);
    bool handset = false;
    for (const model::ScreenSize& size : model::handsetScreens()) {
        auto* radio = new QRadioButton(model::sizeText(size));
        radio->setChecked(size == choice);
        handset |= size == choice;
        layout->addWidget(radio, int(RadioHandset.size()), 0, 1, 4);
        RadioHandset.push_back(radio);
        connect(radio, &QRadioButton::toggled, this, &ScreenSizeDialog::showBudget);
    }
    // The author's own size has no caption of its own, only its boxes.
    RadioOwn = new QRadioButton;
    RadioOwn->setAccessibleName(QStringLiteral("Свой размер"));
    const bool own = !handset && model::isGameScreen(choice);
    RadioOwn->setChecked(own);
    EditWidth = new QLineEdit(own ? QString::number(choice.width) : QStringLiteral("100"));
    EditHeight = new QLineEdit(own ? QString::number(choice.height) : QStringLiteral("100"));
    EditWidth->setAccessibleName(QStringLiteral("Ширина экрана"));
    EditHeight->setAccessibleName(QStringLiteral("Высота экрана"));
    EditWidth->setEnabled(own);
    EditHeight->setEnabled(own);
    // What a phone of that screen takes and gives the game; for one's own screen, the author says.
    const model::GameBudgetData budget = own ? model::gameBudget(choice, m_ownBudget) : model::defaultBudget(choice);
    EditJar = new QLineEdit(QString::number(budget.JarKB));
    EditHeap = new QLineEdit(QString::number(budget.HeapKB));
    EditJar->setAccessibleName(QStringLiteral("Размер jar, КБ"));
    EditHeap->setAccessibleName(QStringLiteral("Память игры, КБ"));
    ButtonYes = new QPushButton(QStringLiteral("Да"));

    const int row = int(RadioHandset.size());
    layout->addWidget(RadioOwn, row, 0);
    layout->addWidget(EditWidth, row, 1);
    layout->addWidget(new QLabel(QStringLiteral("x")), row, 2);
    layout->addWidget(EditHeight, row, 3);
    layout->addWidget(new QLabel(QStringLiteral("Размер jar, КБ:")), row + 1, 0);
    layout->addWidget(EditJar, row + 1, 1, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Память игры, КБ:")), row + 2, 0);
    layout->addWidget(EditHeap, row + 2, 1, 1, 3);
    layout->addWidget(ButtonYes, row + 3, 3);

    connect(RadioOwn, &QRadioButton::toggled, this, [this](bool on) {
        EditWidth->setEnabled(on);
        EditHeight->setEnabled(on);
        showBudget();
    });
    connect(ButtonYes, &QPushButton::clicked, this, &ScreenSizeDialog::yes);
    showBudget();
}

void ScreenSizeDialog::showBudget()
{
    const bool own = RadioOwn->isChecked();
    EditJar->setEnabled(own);
    EditHeap->setEnabled(own);
    for (size_t i = 0; i < RadioHandset.size(); ++i) {
        if (RadioHandset[i]->isChecked()) {
            const model::GameBudgetData budget = *model::handsetBudget(model::handsetScreens()[i]);
            EditJar->setText(QString::number(budget.JarKB));
            EditHeap->setText(QString::number(budget.HeapKB));
        }
    }
}

void ScreenSizeDialog::yes()
{
    std::optional<model::ScreenSize> handset;
    for (size_t i = 0; i < RadioHandset.size(); ++i)
        if (RadioHandset[i]->isChecked())
            handset = model::handsetScreens()[i];
    try {
        const bool own = RadioOwn->isChecked();
        const model::ScreenSize size =
            model::applySizeChoice(m_choice, handset, own, EditWidth->text(), EditHeight->text());
        // The boxes are read before anything changes: a bad one leaves the whole choice as it was.
        const std::optional<model::GameBudgetData> budget =
            own ? std::optional(model::parseBudgetBoxes(EditJar->text(), EditHeap->text())) : std::nullopt;
        m_choice = size;
        if (own || handset)
            m_ownBudget = budget;
    } catch (const io::Error& e) {
        // The dialog stays open for the author to mend the box.
        showError(this, e.message());
        return;
    }
    accept();
}

} // namespace kestrava::editor
