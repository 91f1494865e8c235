#include "editor/objects/TfmNumberCadre.h"

#include "editor/common/EntryDialog.h"

#include <QFrame>
#include <QHBoxLayout>

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

    layOutEntryDialog(this, {panel}, [this] { accept(); });
}

int TfmNumberCadre::number() const
{
    return m_seNumberCadre->value();
}

} // namespace kestrava::editor
