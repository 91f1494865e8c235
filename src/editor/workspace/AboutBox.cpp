#include "editor/workspace/AboutBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"About"_s);
    setWindowTitle(u"О нас"_s);

    auto* name = new QLabel(u"Kestrava"_s, this);
    name->setObjectName(u"lbName"_s);
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);

    auto* line = new QLabel(u"конструктор мобильных игр"_s, this);
    line->setObjectName(u"lbPurpose"_s);
    auto* version = new QLabel(u"V. alpha[1.0.2]"_s, this);
    version->setObjectName(u"lbVersion"_s);
    auto* developersTitle = new QLabel(u"Разработчики:"_s, this);
    developersTitle->setObjectName(u"lbDevelopersTitle"_s);
    auto* developers = new QLabel(u"Команда Kestrava"_s, this);
    developers->setObjectName(u"lbDevelopers"_s);
    developers->setIndent(12);

    // The program's licence, and the runtime's, which is all of ours a game carries.
    auto* licence = new QLabel(u"Распространяется по лицензии MIT.\n"
                               u"Код, который Kestrava кладёт в каждую игру, — по лицензии MIT-0:\n"
                               u"игра автора ничем не обязана разработчикам Kestrava."_s, this);
    licence->setObjectName(u"lbLicence"_s);
    licence->setAccessibleName(u"Лицензия"_s);

    auto* ok = new QPushButton(u"OK"_s, this);
    ok->setObjectName(u"bOk"_s);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    layout->addWidget(line, 0, Qt::AlignHCenter);
    layout->addWidget(version, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(developersTitle);
    layout->addWidget(developers);
    layout->addSpacing(8);
    layout->addWidget(licence);
    layout->addSpacing(8);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace kestrava::editor
