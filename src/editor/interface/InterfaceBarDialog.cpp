#include "editor/interface/InterfaceBarDialog.h"

#include "editor/common/ErrorBox.h"
#include "editor/interface/InterfaceWidgets.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using kestrava::interface::InterfaceEditor;

namespace kestrava::editor {

InterfaceBarDialog::InterfaceBarDialog(InterfaceEditor& editor, const std::unique_ptr<ColourDialog>& colours, QWidget* parent)
    : QDialog(parent), m_editor(editor)
{
    setObjectName(u"frmBarSetup"_s);
    auto* form = new QFormLayout;
    pnFrame = new ColourPanel(u"Цвет рамки"_s, colours);
    pnBgr = new ColourPanel(u"Цвет фона"_s, colours);
    pnFg = new ColourPanel(u"Основной цвет"_s, colours);
    form->addRow(u"Цвет рамки:"_s, pnFrame);
    form->addRow(u"Цвет фона:"_s, pnBgr);
    form->addRow(u"Основной цвет:"_s, pnFg);
    edWidth = addNumberBox(form, u"Длина:"_s, "edWidth");
    edHeight = addNumberBox(form, u"Высота:"_s, "edHeight");
    edX = addNumberBox(form, u"X:"_s, "edX");
    edY = addNumberBox(form, u"Y:"_s, "edY");

    auto* buttons = new QDialogButtonBox;
    bOK = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    bCancel = buttons->addButton(u"Отмена"_s, QDialogButtonBox::RejectRole);
    connect(bOK, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(bCancel, &QPushButton::clicked, this, &QDialog::hide);

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void InterfaceBarDialog::fill(interface::Indicator bar)
{
    m_bar = bar;
    const interface::BarRecord& b = m_editor.bar(bar);
    setWindowTitle(bar == interface::Indicator::Lifebar ? u"Лайфбар"_s : u"Патроны"_s);
    pnFrame->setColour(b.Frame);
    pnBgr->setColour(b.Bgr);
    pnFg->setColour(b.Fg);
    edWidth->setText(QString::number(b.Width));
    edHeight->setText(QString::number(b.Height));
    edX->setText(QString::number(b.X));
    edY->setText(QString::number(b.Y));
}

bool InterfaceBarDialog::OKClick()
{
    const bool done = guarded(this, [this] {
        constexpr int big = InterfaceEditor::kMaxCoordinate;
        interface::BarRecord b;
        b.Width = interface::parseNumberBox(edWidth->text(), u"Длина"_s, 1, big);
        b.Height = interface::parseNumberBox(edHeight->text(), u"Высота"_s, 1, big);
        b.X = interface::parseNumberBox(edX->text(), u"X"_s, -big, big);
        b.Y = interface::parseNumberBox(edY->text(), u"Y"_s, -big, big);
        b.Frame = pnFrame->colour();
        b.Bgr = pnBgr->colour();
        b.Fg = pnFg->colour();
        m_editor.setBar(m_bar, b);
    });
    if (done)
        hide();
    return done;
}

} // namespace kestrava::editor
