#include "editor/workspace/TfmNumberCadre.h"

#include "editor/workspace/NumberField.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

TfmNumberCadre::TfmNumberCadre(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmNumberCadre"_s);
    setWindowTitle(u"Введите номер кадра"_s);

    auto* panel = new QFrame(this);
    panel->setObjectName(u"Panel1"_s);
    panel->setFrameShape(QFrame::StyledPanel);
    m_seNumberCadre = makeNumberField(panel);
    m_seNumberCadre->setObjectName(u"seNumberCadre"_s);
    auto* panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(m_seNumberCadre);

    auto* yes = new QPushButton(u"Да"_s, this);
    yes->setObjectName(u"bYes"_s);
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(yes, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TfmNumberCadre::number() const
{
    return m_seNumberCadre->value();
}

} // namespace kestrava::editor
