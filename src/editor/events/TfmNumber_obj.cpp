#include "editor/events/TfmNumber_obj.h"

#include "editor/common/EntryDialog.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

TfmNumber_obj::TfmNumber_obj(QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmNumber_obj"_s);
    setWindowTitle(u"Номер объекта"_s);

    m_seNumber = buildNumberDialog(this, u"Номер объекта"_s, [this] { bYesClick(); });
}

void TfmNumber_obj::bYesClick()
{
    ChooserArg = QString::number(m_seNumber->value());
    ChooserArgCode = ChooserArg;
    accept();
}

} // namespace kestrava::editor
