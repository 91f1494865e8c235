#include "editor/objects/ObjectKindChooser.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

ObjectKindChooser::ObjectKindChooser(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FmNewObject"));
    setWindowTitle(kCaption);
    auto* column = new QVBoxLayout(this);
    for (model::ObjectKind kind : model::kObjectKinds) {
        QPushButton** field = nullptr;
        QString text;
        QString name;
        switch (kind) {
        case model::ObjectKind::Background: field = &BtFon, text = QStringLiteral("фоновый"), name = QStringLiteral("BtFon"); break;
        case model::ObjectKind::Active: field = &BtActive, text = QStringLiteral("активный"), name = QStringLiteral("BtActive"); break;
        case model::ObjectKind::LivesBar: field = &BtLives, text = QStringLiteral("индикатор"), name = QStringLiteral("BtLives"); break;
        case model::ObjectKind::Text: field = &BtText, text = QStringLiteral("текст"), name = QStringLiteral("BtText"); break;
        }
        auto* b = new QPushButton(text);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setMinimumWidth(260);
        column->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, kind] { choose(kind); });
        *field = b;
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void ObjectKindChooser::choose(model::ObjectKind kind)
{
    m_choice = kind;
    accept();
}

} // namespace kestrava::editor
