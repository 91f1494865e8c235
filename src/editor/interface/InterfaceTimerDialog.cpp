#include "editor/interface/InterfaceTimerDialog.h"

#include "editor/common/ColourDialog.h"
#include "editor/common/ErrorBox.h"
#include "editor/common/FontDialog.h"
#include "editor/interface/InterfaceWidgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using kestrava::interface::InterfaceEditor;

namespace kestrava::editor {

InterfaceTimerDialog::InterfaceTimerDialog(InterfaceEditor& editor, FontDialog& font, const std::unique_ptr<ColourDialog>& colours,
                     QWidget* parent)
    : QDialog(parent), m_editor(editor), m_font(font)
{
    setObjectName(u"frmTimer"_s);
    setWindowTitle(kCaption);
    auto* form = new QFormLayout;
    pnBgr = new ColourPanel(u"Цвет фона"_s, colours);
    form->addRow(u"Цвет фона:"_s, pnBgr);
    edX = addNumberBox(form, u"X:"_s, "edX");
    edY = addNumberBox(form, u"Y:"_s, "edY");
    bFont = new QPushButton(u"Шрифт..."_s);
    bFont->setAutoDefault(false);
    form->addRow(bFont);
    connect(bFont, &QPushButton::clicked, this, [this] { showInFront(m_font.dialog()); });

    auto* buttons = new QDialogButtonBox;
    bOK = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    bCancel = buttons->addButton(u"Отмена"_s, QDialogButtonBox::RejectRole);
    connect(bOK, &QPushButton::clicked, this, [this] { OKClick(); });
    // The font dialog belongs to this one's answer and goes with it.
    connect(bCancel, &QPushButton::clicked, this, [this] {
        hide();
        m_font.dialog()->hide();
    });
    connect(this, &QDialog::finished, this, [this] { m_font.dialog()->hide(); });

    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);
}

void InterfaceTimerDialog::fill()
{
    const interface::TimerRecord& t = m_editor.records().Timer;
    pnBgr->setColour(t.Bgr);
    edX->setText(QString::number(t.X));
    edY->setText(QString::number(t.Y));
    m_font.SetFont(t.Font);
}

bool InterfaceTimerDialog::OKClick()
{
    const bool done = guarded(this, [this] {
        constexpr int big = InterfaceEditor::kMaxCoordinate;
        interface::TimerRecord t;
        t.X = interface::parseNumberBox(edX->text(), u"X"_s, -big, big);
        t.Y = interface::parseNumberBox(edY->text(), u"Y"_s, -big, big);
        t.Bgr = pnBgr->colour();
        t.Font = m_font.GetFont();
        m_editor.setTimer(t);
    });
    if (done) {
        hide();
        m_font.dialog()->hide();
    }
    return done;
}

} // namespace kestrava::editor
