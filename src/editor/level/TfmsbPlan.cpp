#include "editor/level/TfmsbPlan.h"

#include "level/LevelEditor.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

TfmsbPlan::TfmsbPlan(level::LevelEditor& editor, std::function<void()> showMap, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_showMap(std::move(showMap))
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
    auto* tools = new QHBoxLayout;
    tools->addWidget(ButtonLine);
    tools->addWidget(ButtonDelete);
    auto* answers = new QHBoxLayout;
    answers->addStretch();
    answers->addWidget(ButtonYes);
    answers->addWidget(ButtonNo);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addLayout(answers);

    connect(ButtonLine, &QPushButton::clicked, this, [this] { m_editor.pathStraight(); });
    // "удалить" redraws the map itself.
    connect(ButtonDelete, &QPushButton::clicked, this, [this] {
        m_editor.pathDeleteLast();
        redrawn();
    });
    connect(ButtonYes, &QPushButton::clicked, this, [this] {
        m_editor.pathConfirm();
        m_editor.pereris();
        redrawn();
        close();
    });
    m_editor.pereris();
    redrawn();
}

void TfmsbPlan::redrawn()
{
    if (m_showMap)
        m_showMap();
}

} // namespace kestrava::editor
