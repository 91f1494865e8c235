#pragma once

#include "editor/events/GroupNameLine.h"

#include <QDialog>
#include <QString>

class QSpinBox;

namespace kestrava::editor {

// "Номер объекта": the second object of a collision condition. "Да" writes
// the number, in decimal, into ChooserArg and ChooserArgCode, which the
// condition chooser reads; closing otherwise leaves them as they were.
class CollisionObjectDialog : public QDialog {
    Q_OBJECT
public:
    explicit CollisionObjectDialog(const GroupNameOf& groupName = {}, QWidget* parent = nullptr);

    QString ChooserArg;
    QString ChooserArgCode;

    QSpinBox* seNumber() const { return m_seNumber; }

private:
    void acceptAnswer();

    QSpinBox* m_seNumber;
};

} // namespace kestrava::editor
