#pragma once

#include <QString>

#include <functional>

class QLabel;
class QSpinBox;

namespace kestrava::document {
class ProjectDocument;
}

namespace kestrava::editor {

// The stage's name of an active group by its number: "объект 2 «призрак»",
// or that the stage lacks it. Empty where no stage is at hand.
using GroupNameOf = std::function<QString(int group)>;

// The names as the current stage of the document has them, at the time asked.
GroupNameOf groupNameOf(const document::ProjectDocument& document);

// A line under a group number field that names the group, renewed as the
// number changes, so the author sees which object a number means; nullptr
// when nameOf is empty.
QLabel* makeGroupNameLine(QSpinBox* field, const GroupNameOf& nameOf, const QString& objectName);

} // namespace kestrava::editor
