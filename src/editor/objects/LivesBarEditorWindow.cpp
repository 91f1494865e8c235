#include "editor/objects/LivesBarEditorWindow.h"

#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"
#include "editor/objects/PictureBox.h"
#include "io/AppFolder.h"
#include "model/ObjectKind.h"
#include "objects/LivesEditor.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using kestrava::objects::LivesEditor;

namespace kestrava::editor {

LivesBarEditorWindow::LivesBarEditorWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_app(app), m_dialogs(dialogs), m_editor(std::make_unique<LivesEditor>(app))
{
    setObjectName(u"fmLives"_s);
    setWindowTitle(kCaption);

    imBar = new PictureBox(u"Изображение полосы"_s);
    rbVertical = new QRadioButton(u"вертикальное"_s);
    rbHorizontal = new QRadioButton(u"горизонтальное"_s);
    auto* choice = new QButtonGroup(this);
    choice->addButton(rbVertical);
    choice->addButton(rbHorizontal);
    auto* directionColumn = new QVBoxLayout;
    directionColumn->addWidget(rbVertical);
    directionColumn->addWidget(rbHorizontal);
    auto* direction = new QGroupBox(u"Направление"_s);
    direction->setLayout(directionColumn);

    auto* body = new QHBoxLayout(this);
    body->addWidget(imBar, 0, Qt::AlignTop);
    body->addWidget(direction);
    body->setSizeConstraint(QLayout::SetFixedSize);

    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(u"Файл"_s);
    N_Open = file->addAction(u"открыть"_s);
    N_Save = file->addAction(u"сохранить"_s);
    QMenu* edit = bar->addMenu(u"Правка"_s);
    N_LoadPicture = edit->addAction(u"Загрузить изображение"_s);
    body->setMenuBar(bar);
    N_Open->setObjectName(u"N_Open"_s);
    N_Save->setObjectName(u"N_Save"_s);
    N_LoadPicture->setObjectName(u"N_LoadPicture"_s);
    connect(N_Open, &QAction::triggered, this, &LivesBarEditorWindow::N_OpenClick);
    connect(N_Save, &QAction::triggered, this, [this] { N_SaveClick(); });
    connect(N_LoadPicture, &QAction::triggered, this, &LivesBarEditorWindow::N_LoadPictureClick);
    connect(rbVertical, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_editor->setDirection(LivesEditor::Direction::Vertical);
    });
    connect(rbHorizontal, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_editor->setDirection(LivesEditor::Direction::Horizontal);
    });
    showAll();
}

LivesBarEditorWindow::~LivesBarEditorWindow() = default;

void LivesBarEditorWindow::showAll()
{
    imBar->setImage(m_editor->view());
    const LivesEditor::Direction d = m_editor->direction();
    if (d == LivesEditor::Direction::Vertical)
        rbVertical->setChecked(true);
    else if (d == LivesEditor::Direction::Horizontal)
        rbHorizontal->setChecked(true);
}

void LivesBarEditorWindow::N_LoadPictureClick()
{
    const QString file = m_dialogs.openFileName(this, m_app.images(), kPictureFilter);
    guarded(this, [&] {
        if (file.isEmpty())
            m_editor->reloadPicture();
        else
            m_editor->loadPicture(file);
    });
    showAll();
}

bool LivesBarEditorWindow::mayDropBar()
{
    // Saved from the question, the editor stays open for what comes next.
    return mayDropObject(m_dialogs, this, m_editor->isModified(), [this] { return saveBar(); });
}

void LivesBarEditorWindow::reject()
{
    if (mayDropBar())
        QDialog::reject();
}

void LivesBarEditorWindow::N_OpenClick()
{
    if (!mayDropBar())
        return;
    const QString file = m_dialogs.openFileName(this, m_app.objects(), kObjectFilter);
    if (file.isEmpty())
        return;
    guarded(this, [&] { m_editor->open(file); });
    showAll();
}

bool LivesBarEditorWindow::saveBar()
{
    bool saved = false;
    guarded(this, [this, &saved] {
        m_editor->checkSavable();
        const QString file = m_dialogs.saveFileName(this, m_app.objects(), kObjectFilter,
                                                     model::describe(model::ObjectKind::LivesBar).extension);
        if (file.isEmpty())
            return;
        m_editor->save(file);
        saved = true;
    });
    return saved;
}

bool LivesBarEditorWindow::N_SaveClick()
{
    const bool saved = saveBar();
    if (saved)
        accept();
    return saved;
}

} // namespace kestrava::editor
