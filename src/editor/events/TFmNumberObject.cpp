#include "editor/events/TFmNumberObject.h"

#include "editor/common/EntryDialog.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

TFmNumberObject::TFmNumberObject(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"Номер объекта"_s);
    setWindowTitle(u"Номер объекта"_s);

    m_seNumber = buildNumberDialog(this, u"Введите номер объекта"_s, [this] { bYesClick(); });
}

void TFmNumberObject::bYesClick()
{
    Result = m_seNumber->value();
    accept();
}

} // namespace kestrava::editor
