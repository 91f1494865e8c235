#include "editor/level/MovementTypeDialog.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace kestrava::editor {

namespace {

// A setting in pixels, kept in hundredths; at its least it may read as a word ("как у игры").
QDoubleSpinBox* addSetting(QFormLayout* form, const QString& label, int hundredths, double least,
                           const QString& atLeast, const QString& tip)
{
    auto* box = new QDoubleSpinBox;
    box->setDecimals(2);
    box->setSingleStep(0.1);
    box->setRange(least, model::kMaxMotion / 100.0);
    box->setValue(hundredths / 100.0);
    box->setSuffix(QStringLiteral(" точ."));
    if (!atLeast.isEmpty())
        box->setSpecialValueText(atLeast);
    box->setAccessibleName(label);
    box->setToolTip(tip);
    form->addRow(label + u':', box);
    return box;
}

int hundredths(const QDoubleSpinBox* box) { return int(std::lround(box->value() * 100)); }

} // namespace

MovementTypeDialog::MovementTypeDialog(model::MovementType current, std::function<void()> openPathDialog,
                                       QWidget* parent, const model::MotionData& motion)
    : QDialog(parent), m_openPathDialog(std::move(openPathDialog)), m_choice(current)
{
    setObjectName(QStringLiteral("fmMovementType"));
    setWindowTitle(QStringLiteral("Выбор типа движения"));

    const QString name = model::movementTypeName(current);
    LabelCurrent = new QLabel(name.isEmpty() ? QStringLiteral("Тип движения ещё не выбран")
                                             : QStringLiteral("Сейчас: «%1»").arg(name));
    LabelCurrent->setObjectName(QStringLiteral("LabelCurrent"));
    auto* player = new QGroupBox(QStringLiteral("Контроль игроком"));
    Button8 = new QPushButton(QStringLiteral("8 направлений"));
    ButtonPlatform = new QPushButton(QStringLiteral("Платформер"));
    ButtonPlatform->setToolTip(QStringLiteral("Влево и вправо — бег, вверх, 2 или 5 — прыжок с препятствия; "
                                              "сила тяжести тянет вниз"));
    auto* playerLayout = new QVBoxLayout(player);
    playerLayout->addWidget(Button8);
    playerLayout->addWidget(ButtonPlatform);
    auto* phone = new QGroupBox(QStringLiteral("Контроль телефоном"));
    ButtonPlanned = new QPushButton(QStringLiteral("Запланированное"));
    (new QVBoxLayout(phone))->addWidget(ButtonPlanned);
    ButtonStatic = new QPushButton(QStringLiteral("Статический"));
    ButtonCancel = new QPushButton(QStringLiteral("Отмена"));
    for (QPushButton* b : {Button8, ButtonPlatform, ButtonPlanned, ButtonStatic, ButtonCancel})
        b->setAutoDefault(false);
    // The group's type shows as the pressed button.
    const std::pair<QPushButton*, model::MovementType> choices[] = {{Button8, model::MovementType::EightWay},
                                                                    {ButtonPlatform, model::MovementType::Platform},
                                                                    {ButtonPlanned, model::MovementType::Planned},
                                                                    {ButtonStatic, model::MovementType::Static}};
    for (const auto& [button, type] : choices) {
        button->setCheckable(true);
        button->setChecked(type == current);
    }

    // Speeds of the keys' movement, in pixels a tick (a tick is 50 ms).
    auto* speeds = new QGroupBox(QStringLiteral("Движение клавишами (точек за такт, такт — 0,05 с)"));
    auto* speedForm = new QFormLayout(speeds);
    EditSpeed = addSetting(speedForm, QStringLiteral("Скорость"), motion.Speed, 0, QStringLiteral("как у игры"),
                           QStringLiteral("Наибольшая скорость; «как у игры» — скорость героя, которую задают "
                                          "действия «скорость»"));
    EditAccel = addSetting(speedForm, QStringLiteral("Разгон"), motion.Accel, 0, QStringLiteral("сразу"),
                           QStringLiteral("На сколько растёт скорость за такт, пока клавиша нажата"));
    EditBrake = addSetting(speedForm, QStringLiteral("Торможение"), motion.Brake, 0, QStringLiteral("сразу"),
                           QStringLiteral("На сколько падает скорость за такт, когда клавиша отпущена"));
    BoxPlatform = new QGroupBox(QStringLiteral("Платформер"));
    auto* platformForm = new QFormLayout(BoxPlatform);
    EditGravity = addSetting(platformForm, QStringLiteral("Сила тяжести"), motion.Gravity, 0, {},
                             QStringLiteral("На сколько растёт скорость падения за такт"));
    EditMaxFall = addSetting(platformForm, QStringLiteral("Наибольшая скорость падения"), motion.MaxFall, 0.01, {},
                             QStringLiteral("Быстрее объект не падает; сквозь пол он не проходит ни при какой"));
    EditJump = addSetting(platformForm, QStringLiteral("Сила прыжка"), motion.Jump, 0, {},
                          QStringLiteral("Скорость вверх в начале прыжка"));

    auto* groups = new QHBoxLayout;
    groups->addWidget(player);
    groups->addWidget(phone);
    auto* settings = new QHBoxLayout;
    settings->addWidget(speeds);
    settings->addWidget(BoxPlatform);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ButtonStatic);
    buttons->addStretch();
    buttons->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelCurrent);
    layout->addLayout(groups);
    layout->addLayout(settings);
    layout->addLayout(buttons);

    connect(Button8, &QPushButton::clicked, this, [this] { choose(model::MovementType::EightWay); });
    connect(ButtonPlatform, &QPushButton::clicked, this, [this] { choose(model::MovementType::Platform); });
    connect(ButtonPlanned, &QPushButton::clicked, this, [this] {
        if (m_openPathDialog)
            m_openPathDialog();
        choose(model::MovementType::Planned);
    });
    connect(ButtonStatic, &QPushButton::clicked, this, [this] { choose(model::MovementType::Static); });
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
}

model::MotionData MovementTypeDialog::motion() const
{
    return {hundredths(EditSpeed), hundredths(EditAccel), hundredths(EditBrake),
            hundredths(EditGravity), hundredths(EditMaxFall), hundredths(EditJump)};
}

void MovementTypeDialog::choose(model::MovementType type)
{
    m_choice = type;
    accept();
}

} // namespace kestrava::editor
