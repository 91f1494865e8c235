#include "editor/interface/InterfaceEditorWindow.h"

#include "editor/common/ColourDialog.h"
#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"
#include "editor/interface/InterfaceWidgets.h"
#include "editor/interface/InterfaceBarDialog.h"
#include "editor/interface/PreviewSizeDialog.h"
#include "editor/interface/InterfaceTimerDialog.h"
#include "editor/interface/InterfaceWeaponDialog.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/ColourNames.h"
#include "interface/InterfaceEditor.h"
#include "interface/InterfaceSettings.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::Literals::StringLiterals;
using kestrava::interface::Indicator;
using kestrava::interface::InterfaceEditor;

namespace kestrava::editor {
namespace {

// The combo box's items in order.
constexpr Indicator kItems[] = {Indicator::Lifebar, Indicator::Ammobar, Indicator::Timer, Indicator::Weapon};

QPushButton* button(const QString& text, const char* name)
{
    auto* b = new QPushButton(text);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

InterfaceEditorWindow::InterfaceEditorWindow(const io::AppFolder& app, StandardDialogs& dialogs, FontDialog& font, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_editor(std::make_unique<InterfaceEditor>(app)),
      m_colourDialog(std::make_unique<ColourDialog>()), m_saveFolder(app.project())
{
    setObjectName(u"Form29"_s);
    setWindowTitle(kCaption);

    iscreen = new ScreenView(m_editor->iscreen());
    auto* screenArea = new QScrollArea;
    screenArea->setWidget(iscreen);
    screenArea->setAlignment(Qt::AlignCenter);
    screenArea->setMinimumSize(200, 280);

    bScreenSize = button(u"Размер экрана"_s, "bScreenSize");
    bScreenColour = button(u"Цвет экрана"_s, "bScreenColour");
    bProperties = button(u"Свойства объекта"_s, "bProperties");
    bSave = button(u"Сохранить"_s, "bSave");
    bUndo = button(u"Отменить"_s, "bUndo");
    bRedo = button(u"Повторить"_s, "bRedo");
    bExit = button(u"Выход"_s, "bExit");
    bUndo->setShortcut(QKeySequence(u"Ctrl+Z"_s));
    bRedo->setShortcut(QKeySequence(u"Ctrl+Y"_s));

    cbobject = new QComboBox;
    cbobject->setObjectName(u"cbobject"_s);
    cbobject->setAccessibleName(u"Объект"_s);
    cbobject->addItems({u"Лайфбар"_s, u"Патроны"_s, u"Таймер"_s, u"Оружие"_s});
    cbobject->setPlaceholderText(u"<Не выбран>"_s);
    cbobject->setCurrentIndex(-1);
    auto* objectBox = new QGroupBox(u"Объект"_s);
    auto* objectColumn = new QVBoxLayout(objectBox);
    objectColumn->addWidget(cbobject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(bScreenSize);
    buttons->addWidget(bScreenColour);
    buttons->addWidget(objectBox);
    buttons->addWidget(bProperties);
    buttons->addSpacing(12);
    buttons->addWidget(bUndo);
    buttons->addWidget(bRedo);
    buttons->addStretch(1);
    buttons->addWidget(bSave);
    buttons->addWidget(bExit);

    auto* row = new QHBoxLayout(this);
    row->addWidget(screenArea, 1);
    row->addLayout(buttons);

    frmBarSetup = new InterfaceBarDialog(*m_editor, m_colourDialog, this);
    frmTimer = new InterfaceTimerDialog(*m_editor, font, m_colourDialog, this);
    frmWeapon = new InterfaceWeaponDialog(*m_editor, app, dialogs, m_colourDialog, this);
    frmScrSz = new PreviewSizeDialog(*m_editor, this);

    connect(bScreenSize, &QPushButton::clicked, this, &InterfaceEditorWindow::ScreenSizeClick);
    connect(bScreenColour, &QPushButton::clicked, this, &InterfaceEditorWindow::ScreenColourClick);
    connect(bProperties, &QPushButton::clicked, this, &InterfaceEditorWindow::PropertiesClick);
    connect(bSave, &QPushButton::clicked, this, &InterfaceEditorWindow::SaveClick);
    connect(bExit, &QPushButton::clicked, this, &InterfaceEditorWindow::ExitClick);
    const auto choose = [this](int index) {
        if (index >= 0 && index < int(std::size(kItems)))
            m_editor->choose(kItems[index]);
    };
    connect(cbobject, &QComboBox::currentIndexChanged, this, choose);
    // Picking the item shown again makes it current again after a press on a bar.
    connect(cbobject, &QComboBox::activated, this, choose);

    connect(iscreen, &ScreenView::pressed, this, [this](QPoint pos) { m_editor->pressed(pos); });
    connect(iscreen, &ScreenView::moved, this, [this](QPoint pos) { m_editor->moved(pos); });
    connect(iscreen, &ScreenView::released, this, [this] { m_editor->released(); });
    connect(m_editor.get(), &InterfaceEditor::previewChanged, iscreen, &ScreenView::refresh);

    QUndoStack& undo = m_editor->undoStack();
    // Not in the middle of a drag: it would go on from the undone place.
    connect(bUndo, &QPushButton::clicked, this, [this] {
        if (!m_editor->dragging())
            m_editor->undoStack().undo();
    });
    connect(bRedo, &QPushButton::clicked, this, [this] {
        if (!m_editor->dragging())
            m_editor->undoStack().redo();
    });
    const auto follow = [this, &undo] {
        bUndo->setEnabled(undo.canUndo());
        bRedo->setEnabled(undo.canRedo());
        bUndo->setToolTip(undo.undoText());
        bRedo->setToolTip(undo.redoText());
    };
    connect(&m_editor->history(), &undo::History::changed, this, follow);
    follow();
}

InterfaceEditorWindow::~InterfaceEditorWindow() = default;

void InterfaceEditorWindow::setColourDialog(std::unique_ptr<ColourDialog> dialog)
{
    m_colourDialog = std::move(dialog);
}

void InterfaceEditorWindow::showModeless(QDialog* dialog)
{
    showInFront(dialog);
}

void InterfaceEditorWindow::ScreenSizeClick()
{
    frmScrSz->fill();
    showModeless(frmScrSz);
}

void InterfaceEditorWindow::ScreenColourClick()
{
    guarded(this, [this] {
        const QColor start = io::colourOf(m_editor->records().ScreenColour);
        if (const std::optional<QColor> colour = m_colourDialog->chooseColour(this, start))
            m_editor->setScreenColour(io::colourValue(*colour));
    });
}

void InterfaceEditorWindow::PropertiesClick()
{
    switch (m_editor->current()) {
    case Indicator::Lifebar:
    case Indicator::Ammobar:
        frmBarSetup->fill(m_editor->current());
        showModeless(frmBarSetup);
        break;
    case Indicator::Timer:
        frmTimer->fill();
        showModeless(frmTimer);
        break;
    case Indicator::Weapon:
        frmWeapon->fill();
        showModeless(frmWeapon);
        break;
    case Indicator::None:
        showWarning(this, kNothingChosen);
        break;
    }
}

void InterfaceEditorWindow::setProjectFolder(const QString& folder)
{
    m_saveFolder = folder;
    const bool sameProject = QFileInfo(folder).absoluteFilePath() == QFileInfo(m_projectFolder).absoluteFilePath();
    // Work not yet saved for this project stays as the author left it.
    if (sameProject && m_editor->isModified())
        return;
    const QString previous = std::exchange(m_projectFolder, folder);
    m_settingsFile.clear();
    m_unreadable.clear();
    QString file;
    if (!guarded(this, [&] { file = interface::interfaceSettingsFile(folder); }))
        return;
    if (file.isEmpty()) {
        // A layout made for another project is not offered to this one.
        if (!sameProject && !previous.isEmpty())
            m_editor->startNew();
        return;
    }
    if (guarded(this, [&] { m_editor->open(file); }))
        m_settingsFile = file;
    else
        m_unreadable = file;
}

void InterfaceEditorWindow::SaveClick()
{
    guarded(this, [this] {
        // The project's own file, else a name for it: the game reads the one .ini of the folder.
        const QString offered = !m_settingsFile.isEmpty() ? m_settingsFile
                                : m_projectFolder.isEmpty() ? m_saveFolder
                                                            : m_projectFolder + u"/interface.ini"_s;
        const QString file = m_dialogs.saveFileName(this, offered, kSettingsFilter, u"ini"_s);
        if (file.isEmpty())
            return;
        if (!m_unreadable.isEmpty() && QFileInfo(file).absoluteFilePath() == QFileInfo(m_unreadable).absoluteFilePath())
            throw io::Error::inFile(file, u"этот файл настроек не удалось прочитать, и редактор его не перезапишет: "
                                          u"исправьте или удалите его, или сохраните настройки в другой файл"_s);
        m_editor->save(file);
        m_settingsFile = file;
    });
}

void InterfaceEditorWindow::ExitClick()
{
    // Closes this editor only; its layout stays for the next opening.
    for (QDialog* dialog : {static_cast<QDialog*>(frmBarSetup), static_cast<QDialog*>(frmTimer),
                            static_cast<QDialog*>(frmWeapon), static_cast<QDialog*>(frmScrSz)})
        dialog->hide();
    hide();
}

} // namespace kestrava::editor
