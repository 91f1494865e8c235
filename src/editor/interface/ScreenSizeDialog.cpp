#include "editor/interface/ScreenSizeDialog.h"

#include "editor/common/ErrorBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <optional>

namespace kestrava::editor {

ScreenSizeDialog::ScreenSizeDialog(model::ScreenSize choice, QWidget* parent) : QDialog(parent), m_choice(choice)
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
    ButtonYes = new QPushButton(QStringLiteral("Да"));

    const int row = int(RadioHandset.size());
    layout->addWidget(RadioOwn, row, 0);
    layout->addWidget(EditWidth, row, 1);
    layout->addWidget(new QLabel(QStringLiteral("x")), row, 2);
    layout->addWidget(EditHeight, row, 3);
    layout->addWidget(ButtonYes, row + 1, 3);

    connect(RadioOwn, &QRadioButton::toggled, this, [this](bool on) {
        EditWidth->setEnabled(on);
        EditHeight->setEnabled(on);
    });
    connect(ButtonYes, &QPushButton::clicked, this, &ScreenSizeDialog::yes);
}

void ScreenSizeDialog::yes()
{
    std::optional<model::ScreenSize> handset;
    for (size_t i = 0; i < RadioHandset.size(); ++i)
        if (RadioHandset[i]->isChecked())
            handset = model::handsetScreens()[i];
    try {
        m_choice = model::applySizeChoice(m_choice, handset, RadioOwn->isChecked(), EditWidth->text(),
                                             EditHeight->text());
    } catch (const io::Error& e) {
        // The dialog stays open for the author to mend the box.
        showError(this, e.message());
        return;
    }
    accept();
}

} // namespace kestrava::editor
