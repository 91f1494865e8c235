#include "editor/events/CollisionObjectDialog.h"

#include "editor/common/EntryDialog.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

CollisionObjectDialog::CollisionObjectDialog(const GroupNameOf& groupName, QWidget* parent) : QDialog(parent)
{
    setObjectName(u"fmNumber_obj"_s);
    setWindowTitle(u"Номер объекта"_s);

    m_seNumber = buildNumberDialog(this, u"Номер объекта"_s, [this] { acceptAnswer(); });
    if (QLabel* line = makeGroupNameLine(m_seNumber, groupName, u"lGroupName"_s)) {
        auto* column = static_cast<QVBoxLayout*>(layout());
        column->insertWidget(column->indexOf(m_seNumber) + 1, line);
    }
}

void CollisionObjectDialog::acceptAnswer()
{
    ChooserArg = QString::number(m_seNumber->value());
    ChooserArgCode = ChooserArg;
    accept();
}

} // namespace kestrava::editor
