#include "editor/events/TargetObjectDialog.h"

#include "editor/common/EntryDialog.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

TargetObjectDialog::TargetObjectDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"FmNumberObject"_s);
    setWindowTitle(u"Номер объекта"_s);

    m_seNumber = buildNumberDialog(this, u"Введите номер объекта"_s, [this] { acceptAnswer(); });
}

void TargetObjectDialog::acceptAnswer()
{
    Result = m_seNumber->value();
    accept();
}

} // namespace kestrava::editor
