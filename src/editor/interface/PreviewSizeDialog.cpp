#include "editor/interface/PreviewSizeDialog.h"

#include "editor/common/ErrorBox.h"
#include "editor/interface/InterfaceWidgets.h"
#include "interface/InterfaceEditor.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using kestrava::interface::InterfaceEditor;

namespace kestrava::editor {

PreviewSizeDialog::PreviewSizeDialog(InterfaceEditor& editor, QWidget* parent) : QDialog(parent), m_editor(editor)
{
    setObjectName(u"frmScrSz"_s);
    setWindowTitle(kCaption);
    auto* form = new QFormLayout;
    edWidth = addNumberBox(form, u"Ширина:"_s, "edWidth");
    edHeight = addNumberBox(form, u"Высота:"_s, "edHeight");
    auto* buttons = new QDialogButtonBox;
    bSet = buttons->addButton(u"Задать"_s, QDialogButtonBox::AcceptRole);
    bCancel = buttons->addButton(u"Отмена"_s, QDialogButtonBox::RejectRole);
    connect(bSet, &QPushButton::clicked, this, [this] { SetClick(); });
    connect(bCancel, &QPushButton::clicked, this, &QDialog::hide);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void PreviewSizeDialog::fill()
{
    edWidth->setText(QString::number(m_editor.iscreen().width()));
    edHeight->setText(QString::number(m_editor.iscreen().height()));
}

bool PreviewSizeDialog::SetClick()
{
    const bool done = guarded(this, [this] {
        constexpr int most = InterfaceEditor::kMaxScreenSide;
        const int width = interface::parseNumberBox(edWidth->text(), u"Ширина экрана"_s, 1, most);
        const int height = interface::parseNumberBox(edHeight->text(), u"Высота экрана"_s, 1, most);
        m_editor.setScreenSize(width, height);
    });
    if (done)
        hide();
    return done;
}

} // namespace kestrava::editor
