#include "editor/interface/InterfaceWeaponDialog.h"

#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"
#include "editor/interface/InterfaceWidgets.h"
#include "io/AppFolder.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using kestrava::interface::InterfaceEditor;

namespace kestrava::editor {

InterfaceWeaponDialog::InterfaceWeaponDialog(InterfaceEditor& editor, const io::AppFolder& app, StandardDialogs& dialogs,
                       const std::unique_ptr<ColourDialog>& colours, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_app(app), m_dialogs(dialogs)
{
    setObjectName(u"frmWeapon"_s);
    setWindowTitle(kCaption);

    auto* form = new QFormLayout;
    edX = addNumberBox(form, u"X:"_s, "edX");
    edY = addNumberBox(form, u"Y:"_s, "edY");
    edFrameWidth = addNumberBox(form, u"Ширина:"_s, "edFrameWidth");
    edFrameHeight = addNumberBox(form, u"Высота:"_s, "edFrameHeight");
    cbTransparent = new QCheckBox(u"Прозрачность"_s);
    form->addRow(cbTransparent);
    pnTranspColor = new ColourPanel(u"Прозрачный цвет"_s, colours);
    form->addRow(u"Цвет:"_s, pnTranspColor);
    bAutoColour = new QPushButton(u"Определить автоматически"_s);
    bAutoColour->setAutoDefault(false);
    form->addRow(bAutoColour);
    pnBgr = new ColourPanel(u"Цвет фона"_s, colours);
    form->addRow(u"Цвет фона:"_s, pnBgr);
    cbClearBackground = new QCheckBox(u"Прозрачный фон"_s);
    form->addRow(cbClearBackground);

    imSprite = new QLabel;
    imSprite->setObjectName(u"imSprite"_s);
    imSprite->setAccessibleName(u"Изображение оружия"_s);
    imSprite->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* spriteArea = new QScrollArea;
    spriteArea->setWidget(imSprite);
    spriteArea->setWidgetResizable(true);
    spriteArea->setFixedSize(220, 90);
    bLoad = new QPushButton(u"Загрузить"_s);
    bLoad->setAutoDefault(false);
    auto* spriteColumn = new QVBoxLayout;
    spriteColumn->addWidget(spriteArea);
    spriteColumn->addWidget(bLoad, 0, Qt::AlignLeft);
    spriteColumn->addStretch(1);

    auto* row = new QHBoxLayout;
    row->addLayout(form);
    row->addLayout(spriteColumn);

    auto* buttons = new QDialogButtonBox;
    bOK = buttons->addButton(u"OK"_s, QDialogButtonBox::AcceptRole);
    bCancel = buttons->addButton(u"Отмена"_s, QDialogButtonBox::RejectRole);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(buttons);
    column->setSizeConstraint(QLayout::SetFixedSize);

    connect(cbTransparent, &QCheckBox::toggled, this, [this](bool on) {
        pnTranspColor->setEnabled(on);
        bAutoColour->setEnabled(on);
    });
    connect(bAutoColour, &QPushButton::clicked, this, &InterfaceWeaponDialog::AutoColourClick);
    connect(bLoad, &QPushButton::clicked, this, &InterfaceWeaponDialog::LoadClick);
    connect(bOK, &QPushButton::clicked, this, [this] { OKClick(); });
    connect(bCancel, &QPushButton::clicked, this, &QDialog::hide);
    showSprite();
}

void InterfaceWeaponDialog::fill()
{
    const interface::WeaponRecord& w = m_editor.records().Weapon;
    edX->setText(QString::number(w.X));
    edY->setText(QString::number(w.Y));
    edFrameWidth->setText(QString::number(w.FrameWidth));
    edFrameHeight->setText(QString::number(w.FrameHeight));
    cbTransparent->setChecked(w.Transparent != 0);
    pnTranspColor->setEnabled(w.Transparent != 0);
    bAutoColour->setEnabled(w.Transparent != 0);
    pnTranspColor->setColour(w.TranspColor);
    pnBgr->setColour(m_editor.records().WeaponBgr);
    cbClearBackground->setChecked(m_editor.records().WeaponClearBackground);
}

void InterfaceWeaponDialog::showSprite()
{
    if (m_editor.weaponLoaded())
        imSprite->setPixmap(QPixmap::fromImage(m_editor.weaponSprite()));
    else
        imSprite->setText(u"Изображение не загружено"_s);
}

void InterfaceWeaponDialog::LoadClick()
{
    guarded(this, [this] {
        const QString file = m_dialogs.openFileName(this, m_app.images(), kPictureFilter);
        if (file.isEmpty())
            return;
        m_editor.loadWeaponPicture(file);
        showSprite();
    });
}

void InterfaceWeaponDialog::AutoColourClick()
{
    guarded(this, [this] { pnTranspColor->setColour(m_editor.weaponCornerColour()); });
}

bool InterfaceWeaponDialog::OKClick()
{
    const bool done = guarded(this, [this] {
        constexpr int big = InterfaceEditor::kMaxCoordinate;
        interface::WeaponRecord w;
        w.X = interface::parseNumberBox(edX->text(), u"X"_s, -big, big);
        w.Y = interface::parseNumberBox(edY->text(), u"Y"_s, -big, big);
        // The picture's width is divided by it to count the frames.
        w.FrameWidth = interface::parseNumberBox(edFrameWidth->text(), u"Ширина кадра"_s, 1, big);
        w.FrameHeight = interface::parseNumberBox(edFrameHeight->text(), u"Высота кадра"_s, 1, big);
        w.Transparent = cbTransparent->isChecked() ? 1 : 0;
        w.TranspColor = pnTranspColor->colour();
        m_editor.setWeapon(w, pnBgr->colour(), cbClearBackground->isChecked());
    });
    if (done)
        hide();
    return done;
}

} // namespace kestrava::editor
