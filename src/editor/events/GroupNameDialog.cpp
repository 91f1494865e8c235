#include "editor/events/GroupNameDialog.h"

#include "editor/common/EntryDialog.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

GroupNameDialog::GroupNameDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmnamegroup"_s);
    setWindowTitle(u"Название группы"_s);

    auto* frame = new QGroupBox(u"Введите название группы"_s, this);
    frame->setObjectName(u"GroupBox1"_s);
    m_eNameGroup = new QLineEdit(frame);
    m_eNameGroup->setObjectName(u"eNameGroup"_s);
    m_eNameGroup->setMinimumWidth(240);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_eNameGroup);

    layOutEntryDialog(this, {frame}, [this] { accept(); });
}

QString GroupNameDialog::name() const
{
    return m_eNameGroup->text();
}

} // namespace kestrava::editor
