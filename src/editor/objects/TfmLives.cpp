#include "editor/objects/TfmLives.h"

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

TfmLives::TfmLives(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent)
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
    connect(N_Open, &QAction::triggered, this, &TfmLives::N_OpenClick);
    connect(N_Save, &QAction::triggered, this, [this] { N_SaveClick(); });
    connect(N_LoadPicture, &QAction::triggered, this, &TfmLives::N_LoadPictureClick);
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

TfmLives::~TfmLives() = default;

void TfmLives::showAll()
{
    imBar->setImage(m_editor->view());
    const LivesEditor::Direction d = m_editor->direction();
    if (d == LivesEditor::Direction::Vertical)
        rbVertical->setChecked(true);
    else if (d == LivesEditor::Direction::Horizontal)
        rbHorizontal->setChecked(true);
}

void TfmLives::N_LoadPictureClick()
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

bool TfmLives::mayDropBar()
{
    // Saved from the question, the editor stays open for what comes next.
    return mayDropObject(m_dialogs, this, m_editor->isModified(), [this] { return saveBar(); });
}

void TfmLives::reject()
{
    if (mayDropBar())
        QDialog::reject();
}

void TfmLives::N_OpenClick()
{
    if (!mayDropBar())
        return;
    const QString file = m_dialogs.openFileName(this, m_app.objects(), kObjectFilter);
    if (file.isEmpty())
        return;
    guarded(this, [&] { m_editor->open(file); });
    showAll();
}

bool TfmLives::saveBar()
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

bool TfmLives::N_SaveClick()
{
    const bool saved = saveBar();
    if (saved)
        accept();
    return saved;
}

} // namespace kestrava::editor
