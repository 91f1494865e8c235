#pragma once

#include "editor/events/GroupNameLine.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QSpinBox;

namespace kestrava::editor {

// "Создать объект": the group of the object made, where it appears (beside an
// object of a group, shifted by X and Y, or at a point of the map), and the
// direction and speed it flies at, if any. "Да" fills Readable with the
// direction as the sheet shows it and accepts. groupName, when given, names
// the groups under their numbers.
class MadeObjectDialog : public QDialog {
    Q_OBJECT
public:
    MadeObjectDialog(bool nearObject, const GroupNameOf& groupName = {}, QWidget* parent = nullptr);

    QSpinBox* seGroup = nullptr;
    QSpinBox* seNear = nullptr; // null at a point of the map
    QSpinBox* seX = nullptr;
    QSpinBox* seY = nullptr;
    QComboBox* cbDirection = nullptr;
    QSpinBox* seSpeed = nullptr;
    QString Readable;

    void acceptAnswer();
};

// ", вправо, скорость 4" for a direction 1..4, empty for none.
QString flightText(int direction, int speed);

} // namespace kestrava::editor
