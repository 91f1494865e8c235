#include "editor/workspace/TfmNumber_obj.h"

#include "editor/workspace/NumberField.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

TfmNumber_obj::TfmNumber_obj(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmNumber_obj"_s);
    setWindowTitle(u"Номер объекта"_s);

    auto* label = new QLabel(u"Номер объекта"_s, this);
    label->setObjectName(u"Label1"_s);
    m_seNumber = makeNumberField(this);
    m_seNumber->setObjectName(u"seNumber"_s);
    label->setBuddy(m_seNumber);

    auto* yes = new QPushButton(u"Да"_s, this);
    yes->setObjectName(u"bYes"_s);
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, [this] { bYesClick(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_seNumber);
    layout->addWidget(yes, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmNumber_obj::bYesClick()
{
    ChooserArg = QString::number(m_seNumber->value());
    ChooserArgCode = ChooserArg;
    accept();
}

} // namespace kestrava::editor
