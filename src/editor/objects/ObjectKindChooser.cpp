#include "editor/objects/ObjectKindChooser.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

ObjectKindChooser::ObjectKindChooser(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FmNewObject"));
    setWindowTitle(kCaption);
    auto* column = new QVBoxLayout(this);
    const auto button = [this, column](const QString& text, const char* name, Kind kind) {
        auto* b = new QPushButton(text);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(260);
        column->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, kind] { choose(kind); });
        return b;
    };
    BtFon = button(QStringLiteral("фоновый"), "BtFon", Kind::Fon);
    BtActive = button(QStringLiteral("активный"), "BtActive", Kind::Active);
    BtLives = button(QStringLiteral("индикатор"), "BtLives", Kind::Lives);
    BtText = button(QStringLiteral("текст"), "BtText", Kind::Text);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void ObjectKindChooser::choose(Kind kind)
{
    m_choice = kind;
    accept();
}

} // namespace kestrava::editor
