#include "editor/level/TfmType_fon.h"

#include "level/LevelEditor.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kestrava::editor {

TfmType_fon::TfmType_fon(level::LevelEditor& editor, int object, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_object(object)
{
    setObjectName(QStringLiteral("fmType_fon"));
    setWindowTitle(QStringLiteral("Настройка фонового объекта"));

    auto* box = new QGroupBox(QStringLiteral("Отношение к активным объектам"));
    RadioObstacle = new QRadioButton;
    RadioPassable = new QRadioButton(QStringLiteral("не является припятствием"));
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(RadioObstacle);
    boxLayout->addWidget(RadioPassable);
    ButtonYes = new QPushButton(QStringLiteral("Да"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(ButtonYes, 0, Qt::AlignRight);

    connect(ButtonYes, &QPushButton::clicked, this, [this] {
        if (RadioObstacle->isChecked())
            m_editor.setObstacle(m_object, 1);
        else if (RadioPassable->isChecked())
            m_editor.setObstacle(m_object, 0);
        accept();
    });
}

} // namespace kestrava::editor
