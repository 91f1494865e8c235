#include "editor/level/TfmMovementType.h"

#include "level/LevelEditor.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

TfmMovementType::TfmMovementType(level::LevelEditor& editor, std::function<void()> openPathDialog, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_openPathDialog(std::move(openPathDialog))
{
    setObjectName(QStringLiteral("fmMovementType"));
    setWindowTitle(QStringLiteral("Выбор типа движения"));

    auto* player = new QGroupBox(QStringLiteral("Контроль игроком"));
    Button8 = new QPushButton(QStringLiteral("8 направлений"));
    (new QVBoxLayout(player))->addWidget(Button8);
    auto* phone = new QGroupBox(QStringLiteral("Контроль телефоном"));
    ButtonPlanned = new QPushButton(QStringLiteral("Запланированное"));
    (new QVBoxLayout(phone))->addWidget(ButtonPlanned);
    ButtonStatic = new QPushButton(QStringLiteral("Статический"));
    ButtonCancel = new QPushButton(QStringLiteral("Отмена"));
    for (QPushButton* b : {Button8, ButtonPlanned, ButtonStatic, ButtonCancel})
        b->setAutoDefault(false);

    auto* groups = new QHBoxLayout;
    groups->addWidget(player);
    groups->addWidget(phone);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonStatic);
    buttons->addStretch();
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    connect(Button8, &QPushButton::clicked, this, [this] { choose(model::MovementType::EightWay); });
    connect(ButtonPlanned, &QPushButton::clicked, this, [this] {
        if (m_openPathDialog)
            m_openPathDialog();
        choose(model::MovementType::Planned);
    });
    connect(ButtonStatic, &QPushButton::clicked, this, [this] { choose(model::MovementType::Static); });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmMovementType::choose(model::MovementType type)
{
    m_editor.chooseMovementType(type);
    accept();
}

} // namespace kestrava::editor
