#include "editor/objects/ActiveObjectEditorWindow.h"

#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"
#include "editor/objects/PictureBox.h"
#include "io/AppFolder.h"
#include "model/ObjectKind.h"
#include "objects/ActiveEditor.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::Literals::StringLiterals;
using kestrava::objects::ActiveEditor;

namespace kestrava::editor {
namespace {

const QString kPlay = u"▶"_s;
const QString kStop = u"■"_s;

QGroupBox* group(const QString& title, QLayout* content)
{
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

} // namespace

ActiveObjectEditorWindow::ActiveObjectEditorWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_app(app), m_dialogs(dialogs), m_editor(std::make_unique<ActiveEditor>(app))
{
    setObjectName(u"fmCreateActive"_s);
    setWindowTitle(kCaption);

    // "Анимация"
    cbState = new QComboBox;
    cbState->setAccessibleName(u"Состояние"_s);
    // The list drops below the box: opened over it, with the current item
    // under the pointer, a click meant for another item took the same one.
    cbState->setStyleSheet(u"QComboBox { combobox-popup: 0; }"_s);
    for (int b = 1; b <= 4; ++b)
        cbState->addItem(objects::stateName(b));
    auto* directions = new QComboBox;
    directions->addItem(u"4"_s);
    directions->setEnabled(false);
    directions->setAccessibleName(u"Количество направлений"_s);
    auto* directionsBox = group(u"Количество направлений"_s, new QVBoxLayout);
    directionsBox->layout()->addWidget(directions);
    auto* speed = new QSpinBox;
    speed->setRange(0, 1000);
    speed->setValue(1000 / ActiveEditor::kPreviewIntervalMs);
    speed->setSuffix(u" кадров/с"_s);
    speed->setEnabled(false);
    speed->setAccessibleName(u"Скорость анимации"_s);
    speed->setToolTip(u"Игра показывает следующий кадр раз в %1 мс"_s.arg(ActiveEditor::kPreviewIntervalMs));
    auto* speedBox = group(u"Скорость анимации"_s, new QVBoxLayout);
    speedBox->layout()->addWidget(speed);
    auto* animationColumn = new QVBoxLayout;
    animationColumn->addWidget(cbState);
    animationColumn->addWidget(directionsBox);
    animationColumn->addWidget(speedBox);
    animationColumn->addStretch(1);
    auto* animation = group(u"Анимация"_s, animationColumn);

    // "Направление"
    imDirection = new PictureBox(u"Направление"_s);
    imDirection->setFocusPolicy(Qt::StrongFocus);
    imDirection->setToolTip(u"Отпустите кнопку мыши в стороне направления (или нажмите стрелку)"_s);
    bPlay = new QPushButton(kPlay);
    bPlay->setObjectName(u"bPlay"_s);
    bPlay->setAutoDefault(false); // Enter in the frame count box must not start the preview
    bPlay->setAccessibleName(u"Проиграть анимацию"_s);
    bPlay->setToolTip(u"Проиграть последовательность направления и состояния со скоростью игры"_s);
    auto* directionColumn = new QVBoxLayout;
    directionColumn->addWidget(imDirection, 0, Qt::AlignHCenter);
    directionColumn->addWidget(bPlay, 0, Qt::AlignHCenter);
    auto* direction = group(u"Направление"_s, directionColumn);

    // "Исходные данные"
    imStrip = new PictureBox(u"Исходное изображение"_s);
    // As in the map editor: the empty picture is where a new author clicks first.
    imStrip->setToolTip(u"Щелчок по пустому изображению — загрузить полосу кадров (PNG)"_s);
    imStrip->onRelease = [this](QPoint) {
        if (!m_editor->pictureLoaded())
            N_LoadPictureClick();
    };
    seFrameCount = new QSpinBox;
    seFrameCount->setAccessibleName(u"Количество кадров"_s);
    // Any number may be typed; one below 1 is refused with a message, not clamped.
    seFrameCount->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    seFrameCount->setValue(m_editor->frameCount());
    seFrameCount->setKeyboardTracking(false);
    auto* countLabel = new QLabel(u"Количество кадров"_s);
    countLabel->setBuddy(seFrameCount);
    auto* countRow = new QHBoxLayout;
    countRow->addWidget(countLabel);
    countRow->addWidget(seFrameCount);
    countRow->addStretch(1);
    auto* sourceColumn = new QVBoxLayout;
    sourceColumn->addWidget(imStrip);
    sourceColumn->addLayout(countRow);
    auto* source = group(u"Исходные данные"_s, sourceColumn);

    // The strip's frames: a click adds one to the sequence, the right button takes it out.
    lwFrames = new QListWidget;
    lwFrames->setObjectName(u"lwFrames"_s);
    lwFrames->setAccessibleName(u"Кадры полосы"_s);
    lwFrames->setViewMode(QListView::IconMode);
    lwFrames->setFlow(QListView::LeftToRight);
    lwFrames->setWrapping(false);
    lwFrames->setMovement(QListView::Static);
    lwFrames->setIconSize(QSize(ActiveEditor::kFrameThumbnail, ActiveEditor::kFrameThumbnail));
    lwFrames->setFixedHeight(ActiveEditor::kFrameThumbnail + 48);
    lwFrames->setToolTip(u"Щелчок (или Enter) — добавить кадр в последовательность, правая кнопка (или Delete) — убрать"_s);
    lwFrames->viewport()->installEventFilter(this);
    lwFrames->installEventFilter(this);
    auto* framesHint = new QLabel(u"Щёлкните кадр, чтобы добавить его в последовательность, правой кнопкой — убрать; "
                                  u"щелчок любой кнопкой по позиции последовательности освобождает её"_s);
    framesHint->setWordWrap(true);
    lbTransparency = new QLabel(kTransparencyHint);
    lbTransparency->setObjectName(u"lbTransparency"_s);
    lbTransparency->setWordWrap(true);
    sourceColumn->addWidget(lbTransparency);
    sourceColumn->addWidget(lwFrames);
    sourceColumn->addWidget(framesHint);

    // "Анимационная последовательность"
    auto* boxesRow = new QHBoxLayout;
    for (int s = 1; s <= 6; ++s) {
        auto* box = new QToolButton;
        box->setObjectName(u"imCadre%1"_s.arg(s));
        box->setText(QString::number(s));
        box->setAccessibleName(u"Кадр позиции %1"_s.arg(s));
        box->setToolTip(u"Щёлкните, чтобы освободить позицию"_s);
        box->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        box->setIconSize(QSize(ActiveEditor::kFrameBox, ActiveEditor::kFrameBox));
        connect(box, &QToolButton::clicked, this, [this, s] { FrameClick(s); });
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QToolButton::customContextMenuRequested, this, [this, s] { FrameClick(s); });
        boxesRow->addWidget(box);
        frameBoxes[size_t(s)] = box;
    }
    bCopyToAll = new QPushButton(u"Во все направления"_s);
    bCopyToAll->setObjectName(u"bCopyToAll"_s);
    bCopyToAll->setToolTip(u"Дать эту последовательность всем четырём направлениям этого состояния"_s);
    connect(bCopyToAll, &QPushButton::clicked, this, [this] {
        guarded(this, [this] { m_editor->copyToAllDirections(); });
        showAll();
    });
    boxesRow->addStretch(1);
    boxesRow->addWidget(bCopyToAll);
    auto* sequence = group(u"Анимационная последовательность"_s, boxesRow);

    auto* top = new QHBoxLayout;
    top->addWidget(animation);
    top->addWidget(direction);
    auto* body = new QVBoxLayout(this);
    body->addLayout(top);
    body->addWidget(source);
    body->addWidget(sequence);
    body->setSizeConstraint(QLayout::SetFixedSize);
    buildMenu();

    m_preview = new QTimer(this);
    m_preview->setInterval(ActiveEditor::kPreviewIntervalMs);
    connect(m_preview, &QTimer::timeout, this, &ActiveObjectEditorWindow::previewStep);
    connect(bPlay, &QPushButton::clicked, this, &ActiveObjectEditorWindow::PlayClick);
    connect(cbState, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_editor->setState(index + 1);
        directionChosen();
    });
    connect(seFrameCount, &QSpinBox::valueChanged, this, &ActiveObjectEditorWindow::frameCountChanged);
    connect(lwFrames, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { StripFrameClick(lwFrames->row(item) + 1, true); });
    imDirection->onRelease = [this](QPoint p) {
        m_editor->releasedAt(p);
        directionChosen();
    };
    imDirection->onArrow = [this](int key) {
        m_editor->setDirection(key == Qt::Key_Right ? 1 : key == Qt::Key_Up ? 2 : key == Qt::Key_Left ? 3 : 4);
        directionChosen();
    };
    showAll();
}

ActiveObjectEditorWindow::~ActiveObjectEditorWindow() = default;

void ActiveObjectEditorWindow::buildMenu()
{
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(u"Файл"_s);
    N_New = file->addAction(u"Новый"_s);
    N_Open = file->addAction(u"Открыть"_s);
    N_Save = file->addAction(u"Сохранить"_s);
    QMenu* edit = bar->addMenu(u"Правка"_s);
    N_LoadPicture = edit->addAction(u"Загрузить изображение"_s);
    edit->addSeparator();
    N_Undo = edit->addAction(u"Отменить"_s);
    N_Undo->setShortcut(QKeySequence(u"Ctrl+Z"_s));
    N_Redo = edit->addAction(u"Повторить"_s);
    N_Redo->setShortcuts({QKeySequence(u"Ctrl+Y"_s), QKeySequence(u"Ctrl+Shift+Z"_s)});
    layout()->setMenuBar(bar);
    N_New->setObjectName(u"N_New"_s);
    N_Open->setObjectName(u"N_Open"_s);
    N_Save->setObjectName(u"N_Save"_s);
    N_LoadPicture->setObjectName(u"N_LoadPicture"_s);
    N_Undo->setObjectName(u"N_Undo"_s);
    N_Redo->setObjectName(u"N_Redo"_s);
    connect(N_New, &QAction::triggered, this, &ActiveObjectEditorWindow::N_NewClick);
    connect(N_Open, &QAction::triggered, this, &ActiveObjectEditorWindow::N_OpenClick);
    connect(N_Save, &QAction::triggered, this, [this] { N_SaveClick(); });
    connect(N_LoadPicture, &QAction::triggered, this, &ActiveObjectEditorWindow::N_LoadPictureClick);

    QUndoStack& undo = m_editor->undoStack();
    connect(N_Undo, &QAction::triggered, this, [this] {
        m_editor->undoStack().undo();
        directionChosen();
    });
    connect(N_Redo, &QAction::triggered, this, [this] {
        m_editor->undoStack().redo();
        directionChosen();
    });
    const auto follow = [this, &undo] {
        N_Undo->setEnabled(undo.canUndo());
        N_Undo->setText(undo.canUndo() ? u"Отменить: %1"_s.arg(undo.undoText()) : u"Отменить"_s);
        N_Redo->setEnabled(undo.canRedo());
        N_Redo->setText(undo.canRedo() ? u"Повторить: %1"_s.arg(undo.redoText()) : u"Повторить"_s);
    };
    connect(&m_editor->history(), &undo::History::changed, this, follow);
    follow();
}

bool ActiveObjectEditorWindow::mayDropActive()
{
    // Before a strip there is nothing that could be saved, a changed count included.
    return mayDropObject(m_dialogs, this, m_editor->isModified() && m_editor->pictureLoaded(),
                         [this] { return N_SaveClick(); });
}

void ActiveObjectEditorWindow::reject()
{
    if (mayDropActive())
        QDialog::reject();
}

bool ActiveObjectEditorWindow::takeFrameCount()
{
    // Typed digits count once the box commits them; a command must not run on the old count.
    m_countRefused = false;
    seFrameCount->interpretText();
    return !m_countRefused;
}

void ActiveObjectEditorWindow::frameCountChanged(int count)
{
    if (!guarded(this, [&] { m_editor->setFrameCount(count); })) {
        m_countRefused = true;
        QSignalBlocker block(seFrameCount);
        seFrameCount->setValue(m_editor->frameCount());
    }
    showAll();
}

void ActiveObjectEditorWindow::directionChosen()
{
    m_step = 0;
    showAll();
}

void ActiveObjectEditorWindow::N_LoadPictureClick()
{
    if (!takeFrameCount())
        return;
    const QString file = m_dialogs.openFileName(this, m_app.images(), kPictureFilter);
    if (file.isEmpty())
        return;
    std::optional<QRgb> keyed;
    guarded(this, [&] { keyed = m_editor->loadPicture(file); });
    {
        QSignalBlocker block(seFrameCount);
        seFrameCount->setValue(m_editor->frameCount());
    }
    lbTransparency->setText(keyed ? u"Фон рисунка (цвет его уголков, RGB %1, %2, %3) стал прозрачным; «Отменить» вернёт "
                                    u"его."_s.arg(qRed(*keyed)).arg(qGreen(*keyed)).arg(qBlue(*keyed))
                                  : kTransparencyHint);
    showAll();
}

void ActiveObjectEditorWindow::N_NewClick()
{
    if (!mayDropActive())
        return;
    m_editor->startNew();
    directionChosen();
}

void ActiveObjectEditorWindow::N_OpenClick()
{
    if (!mayDropActive())
        return;
    const QString file = m_dialogs.openFileName(this, m_app.objects(), kObjectFilter);
    if (file.isEmpty())
        return;
    guarded(this, [&] { m_editor->open(file); });
    m_step = 0;
    showAll();
}

bool ActiveObjectEditorWindow::N_SaveClick()
{
    if (!takeFrameCount())
        return false;
    bool saved = false;
    guarded(this, [this, &saved] {
        // Said before the dialog, so the author does not pick a name for nothing.
        m_editor->checkSavable();
        const QString file = m_dialogs.saveFileName(this, m_app.objects(), kObjectFilter,
                                                     model::describe(model::ObjectKind::Active).extension);
        if (file.isEmpty())
            return;
        m_editor->save(file);
        saved = true;
    });
    return saved;
}

void ActiveObjectEditorWindow::FrameClick(int s)
{
    if (!takeFrameCount() || !m_editor->pictureLoaded())
        return;
    guarded(this, [&] { m_editor->setFrame(s, 0); });
    m_step = 0;
    showAll();
}

void ActiveObjectEditorWindow::StripFrameClick(int k, bool add)
{
    if (!takeFrameCount() || !m_editor->pictureLoaded())
        return;
    guarded(this, [&] {
        if (add)
            m_editor->addFrame(k);
        else
            m_editor->removeFrame(k);
    });
    m_step = 0;
    showAll();
}

bool ActiveObjectEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The right button on a frame takes it out; Enter and Delete do the same from the keyboard.
    if (watched == lwFrames->viewport() && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            if (QListWidgetItem* item = lwFrames->itemAt(mouse->position().toPoint()))
                StripFrameClick(lwFrames->row(item) + 1, false);
            return true;
        }
    } else if (watched == lwFrames && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int row = lwFrames->currentRow();
        if (row >= 0 && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete)) {
            StripFrameClick(row + 1, key != Qt::Key_Delete);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ActiveObjectEditorWindow::playing() const
{
    return m_preview->isActive();
}

void ActiveObjectEditorWindow::PlayClick()
{
    if (playing()) {
        stopPreview();
        return;
    }
    if (!takeFrameCount() || !m_editor->pictureLoaded() || m_editor->sequence().empty())
        return;
    m_step = 0;
    m_preview->start();
    bPlay->setText(kStop);
    bPlay->setAccessibleName(u"Остановить анимацию"_s);
    showDirection();
}

void ActiveObjectEditorWindow::stopPreview()
{
    m_preview->stop();
    bPlay->setText(kPlay);
    bPlay->setAccessibleName(u"Проиграть анимацию"_s);
    showDirection();
}

void ActiveObjectEditorWindow::previewStep()
{
    ++m_step;
    showDirection();
}

void ActiveObjectEditorWindow::hideEvent(QHideEvent* event)
{
    stopPreview();
    QDialog::hideEvent(event);
}

void ActiveObjectEditorWindow::showDirection()
{
    imDirection->setImage(playing() ? m_editor->previewPicture(m_step) : m_editor->directionPicture());
}

void ActiveObjectEditorWindow::showFrames()
{
    const qint64 key = m_editor->picture().cacheKey();
    if (key != m_framesOf || m_editor->frameCount() != m_framesCount) {
        m_framesOf = key;
        m_framesCount = m_editor->frameCount();
        lwFrames->clear();
        if (m_editor->pictureLoaded())
            for (int k = 1; k <= m_editor->frameCount(); ++k) {
                auto* item = new QListWidgetItem(QIcon(QPixmap::fromImage(m_editor->frameThumbnail(k))),
                                                 QString::number(k), lwFrames);
                item->setData(Qt::AccessibleTextRole, u"Кадр %1"_s.arg(k));
            }
    }
    // Frames in the sequence shown are marked, so the author sees what plays.
    for (int k = 1; k <= lwFrames->count(); ++k) {
        const int n = m_editor->uses(k);
        QListWidgetItem* item = lwFrames->item(k - 1);
        item->setText(n == 0 ? QString::number(k) : u"%1 ✓"_s.arg(k));
        item->setData(Qt::AccessibleDescriptionRole, n == 0 ? u"не в последовательности"_s
                                                            : u"в последовательности: %1"_s.arg(n));
    }
}

void ActiveObjectEditorWindow::showAll()
{
    {
        QSignalBlocker block(seFrameCount);
        seFrameCount->setValue(m_editor->frameCount());
    }
    {
        // An undone step may show another state than the one chosen last.
        QSignalBlocker block(cbState);
        cbState->setCurrentIndex(m_editor->state() - 1);
    }
    showFrames();
    const bool loaded = m_editor->pictureLoaded();
    const bool playable = loaded && !m_editor->sequence().empty();
    if (playing() && !playable)
        stopPreview();
    bPlay->setEnabled(playable);
    imStrip->setImage(m_editor->stripView());
    for (int s = 1; s <= 6; ++s) {
        QToolButton* box = frameBoxes[size_t(s)];
        box->setIcon(QIcon(QPixmap::fromImage(m_editor->frameBox(s))));
        box->setEnabled(loaded);
        const int k = m_editor->frameAt(s);
        box->setAccessibleDescription(k == 0 ? u"пусто"_s : u"кадр %1"_s.arg(k));
    }
    showDirection();
}

} // namespace kestrava::editor
