#include "editor/objects/ObjectKindChooser.h"

#include "editor/objects/KindEditors.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace kestrava::editor {

ObjectKindChooser::ObjectKindChooser(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FmNewObject"));
    setWindowTitle(kCaption);
    auto* column = new QVBoxLayout(this);
    for (model::ObjectKind kind : model::kObjectKinds) {
        const KindEditor editor = kindEditor(kind);
        auto* b = new QPushButton(editor.button);
        b->setObjectName(editor.buttonName);
        b->setAutoDefault(false);
        b->setMinimumWidth(260);
        column->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, kind] { choose(kind); });
    }
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void ObjectKindChooser::choose(model::ObjectKind kind)
{
    m_choice = kind;
    accept();
}

} // namespace kestrava::editor
