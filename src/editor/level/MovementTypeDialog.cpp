#include "editor/level/MovementTypeDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

namespace {

QString typeName(model::MovementType type)
{
    switch (type) {
    case model::MovementType::EightWay:
        return QStringLiteral("«8 направлений»");
    case model::MovementType::Planned:
        return QStringLiteral("«Запланированное»");
    case model::MovementType::Static:
        return QStringLiteral("«Статический»");
    case model::MovementType::NotSet:
        break;
    }
    return QString();
}

} // namespace

MovementTypeDialog::MovementTypeDialog(model::MovementType current, std::function<void()> openPathDialog,
                                 QWidget* parent)
    : QDialog(parent), m_openPathDialog(std::move(openPathDialog)), m_choice(current)
{
    setObjectName(QStringLiteral("fmMovementType"));
    setWindowTitle(QStringLiteral("Выбор типа движения"));

    const QString name = typeName(current);
    LabelCurrent = new QLabel(name.isEmpty() ? QStringLiteral("Тип движения ещё не выбран")
                                             : QStringLiteral("Сейчас: %1").arg(name));
    LabelCurrent->setObjectName(QStringLiteral("LabelCurrent"));
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
    // The group's type shows as the pressed button.
    const std::pair<QPushButton*, model::MovementType> choices[] = {{Button8, model::MovementType::EightWay},
                                                                    {ButtonPlanned, model::MovementType::Planned},
                                                                    {ButtonStatic, model::MovementType::Static}};
    for (const auto& [button, type] : choices) {
        button->setCheckable(true);
        button->setChecked(type == current);
    }

    auto* groups = new QHBoxLayout;
    groups->addWidget(player);
    groups->addWidget(phone);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonStatic);
    buttons->addStretch();
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelCurrent);
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

void MovementTypeDialog::choose(model::MovementType type)
{
    m_choice = type;
    accept();
}

} // namespace kestrava::editor
