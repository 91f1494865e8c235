#include "editor/level/ObstacleDialog.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrava::editor {

ObstacleDialog::ObstacleDialog(int obstacle, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmType_fon"));
    setWindowTitle(QStringLiteral("Настройка фонового объекта"));

    auto* box = new QGroupBox(QStringLiteral("Отношение к активным объектам"));
    RadioObstacle = new QRadioButton(QStringLiteral("является препятствием"));
    RadioPassable = new QRadioButton(QStringLiteral("не является припятствием"));
    // The author sees what the group is now; the game blocks only at 1.
    (obstacle == 1 ? RadioObstacle : RadioPassable)->setChecked(true);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(RadioObstacle);
    boxLayout->addWidget(RadioPassable);
    ButtonYes = new QPushButton(QStringLiteral("Да"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(ButtonYes, 0, Qt::AlignRight);

    connect(ButtonYes, &QPushButton::clicked, this, &QDialog::accept);
}

std::optional<int> ObstacleDialog::choice() const
{
    if (RadioObstacle->isChecked())
        return 1;
    if (RadioPassable->isChecked())
        return 0;
    return std::nullopt;
}

} // namespace kestrava::editor
