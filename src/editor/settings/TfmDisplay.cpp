#include "editor/settings/TfmDisplay.h"

#include "editor/common/ErrorBox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kestrava::editor {

TfmDisplay::TfmDisplay(settings::ScreenSize choice, QWidget* parent) : QDialog(parent), m_choice(choice)
{
    setObjectName(QStringLiteral("fmDisplay"));
    setWindowTitle(QStringLiteral("fmDisplay"));

    Radio128x128 = new QRadioButton(QStringLiteral("128 x 128"));
    Radio128x176 = new QRadioButton(QStringLiteral("128 x 176"));
    RadioOwn = new QRadioButton;
    EditWidth = new QLineEdit(QStringLiteral("100"));
    EditHeight = new QLineEdit(QStringLiteral("100"));
    EditWidth->setEnabled(false);
    EditHeight->setEnabled(false);
    ButtonYes = new QPushButton(QStringLiteral("Да"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(Radio128x128, 0, 0, 1, 4);
    layout->addWidget(Radio128x176, 1, 0, 1, 4);
    layout->addWidget(RadioOwn, 2, 0);
    layout->addWidget(EditWidth, 2, 1);
    layout->addWidget(new QLabel(QStringLiteral("x")), 2, 2);
    layout->addWidget(EditHeight, 2, 3);
    layout->addWidget(ButtonYes, 3, 3);

    connect(RadioOwn, &QRadioButton::toggled, this, [this](bool on) {
        EditWidth->setEnabled(on);
        EditHeight->setEnabled(on);
    });
    connect(ButtonYes, &QPushButton::clicked, this, &TfmDisplay::yes);
}

void TfmDisplay::yes()
{
    settings::ScreenSizeOption option = settings::ScreenSizeOption::None;
    if (Radio128x128->isChecked())
        option = settings::ScreenSizeOption::Size128x128;
    else if (Radio128x176->isChecked())
        option = settings::ScreenSizeOption::Size128x176;
    else if (RadioOwn->isChecked())
        option = settings::ScreenSizeOption::Own;
    try {
        m_choice = settings::applySizeChoice(m_choice, option, EditWidth->text(), EditHeight->text());
    } catch (const io::Error& e) {
        // The dialog stays open for the author to mend the box.
        showError(this, e.message());
        return;
    }
    accept();
}

} // namespace kestrava::editor
