#include "editor/level/PathDialog.h"

#include "level/LevelView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

PathDialog::PathDialog(level::LevelView& view, QWidget* parent) : QDialog(parent), m_view(view)
{
    setObjectName(QStringLiteral("fmsbPlan"));
    setWindowTitle(QStringLiteral("Настройка заданного движения объекта"));
    setModal(false);

    ButtonLine = new QPushButton(QStringLiteral("прямая"));
    ButtonDelete = new QPushButton(QStringLiteral("удалить"));
    ButtonYes = new QPushButton(QStringLiteral("Да"));
    ButtonNo = new QPushButton(QStringLiteral("Нет"));
    for (QPushButton* b : {ButtonLine, ButtonDelete, ButtonYes, ButtonNo})
        b->setAutoDefault(false);
    LabelHint = new QLabel(QStringLiteral("Щёлкайте по карте, чтобы добавить точки пути; Esc — закончить"));
    LabelHint->setObjectName(QStringLiteral("LabelHint"));
    auto* tools = new QHBoxLayout;
    tools->addWidget(ButtonLine);
    tools->addWidget(ButtonDelete);
    auto* answers = new QHBoxLayout;
    answers->addStretch();
    answers->addWidget(ButtonYes);
    answers->addWidget(ButtonNo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LabelHint);
    layout->addLayout(tools);
    layout->addLayout(answers);

    connect(ButtonLine, &QPushButton::clicked, this, [this] { m_view.tool().pathStraight(); });
    // "удалить" redraws the map itself.
    connect(ButtonDelete, &QPushButton::clicked, this,
            [this] { m_view.handle([this] { m_view.tool().pathDeleteLast(); }, true); });
    connect(ButtonYes, &QPushButton::clicked, this, [this] {
        m_view.tool().pathConfirm();
        m_view.redrawMap();
        close();
    });
    connect(ButtonNo, &QPushButton::clicked, this, &PathDialog::reject);
    // The hint says to click the map: it takes points from the start, and
    // "прямая" takes them again after Escape.
    m_view.tool().pathStraight();
    m_view.redrawMap();
}

void PathDialog::reject()
{
    m_view.handle([this] { m_view.tool().pathEnd(); }, true);
    QDialog::reject();
}

} // namespace kestrava::editor
