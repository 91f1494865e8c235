#include "editor/events/GroupNameLine.h"

#include "document/ProjectDocument.h"
#include "events/SheetPicture.h"

#include <QLabel>
#include <QSpinBox>

namespace kestrava::editor {

GroupNameOf groupNameOf(const document::ProjectDocument& document)
{
    return [&document](int group) { return events::objectName(document.project().current(), QString::number(group)); };
}

QLabel* makeGroupNameLine(QSpinBox* field, const GroupNameOf& nameOf, const QString& objectName)
{
    if (!nameOf)
        return nullptr;
    auto* line = new QLabel(field->parentWidget());
    line->setObjectName(objectName);
    // Set apart from the labels above the fields: it answers the number, it does not ask.
    QFont italic = line->font();
    italic.setItalic(true);
    line->setFont(italic);
    const auto renew = [line, nameOf](int group) { line->setText(nameOf(group)); };
    renew(field->value());
    QObject::connect(field, &QSpinBox::valueChanged, line, renew);
    return line;
}

} // namespace kestrava::editor
