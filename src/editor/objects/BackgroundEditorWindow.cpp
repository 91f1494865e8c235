#include "editor/objects/BackgroundEditorWindow.h"

#include "editor/common/ErrorBox.h"
#include "editor/common/StandardDialogs.h"
#include "editor/common/ZoomBox.h"
#include "editor/objects/FonViews.h"
#include "io/AppFolder.h"
#include "media/MapZoom.h"
#include "model/Capacities.h"
#include "objects/FonEditor.h"
#include "objects/FonPictures.h"

#include <QAction>
#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QPushButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace kestrava::editor {
namespace {

constexpr QSize kSourceBox(220, 150);

// A cell-count box: a typed number is taken on Enter or when the box is
// left, and one outside 1..max is refused with a message rather than
// silently blocked; the arrows stay within the range.
class CellCountBox : public QSpinBox {
public:
    explicit CellCountBox(int max) : m_max(max)
    {
        setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        setKeyboardTracking(false);
    }
    void stepBy(int steps) override
    {
        const qint64 next = std::clamp<qint64>(qint64(value()) + steps, 1, m_max);
        setValue(int(next));
    }

protected:
    StepEnabled stepEnabled() const override
    {
        StepEnabled enabled = StepNone;
        if (value() > 1)
            enabled |= StepDownEnabled;
        if (value() < m_max)
            enabled |= StepUpEnabled;
        return enabled;
    }

private:
    int m_max;
};

QSpinBox* countBox(QSpinBox* box, const QString& name, int max, int value)
{
    box->setAccessibleName(name);
    if (!dynamic_cast<CellCountBox*>(box))
        box->setRange(1, max);
    box->setValue(value);
    return box;
}

// "в ширину" / "в высоту" before its box: a pair of them in one row.
void addBoxes(QHBoxLayout* row, QSpinBox* across, QSpinBox* down)
{
    for (auto [text, box] : {std::pair{QStringLiteral("в ширину"), across}, std::pair{QStringLiteral("в высоту"), down}}) {
        auto* label = new QLabel(text);
        label->setBuddy(box);
        row->addWidget(label);
        row->addWidget(box);
    }
}

} // namespace

BackgroundEditorWindow::BackgroundEditorWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_app(app), m_dialogs(dialogs), m_editor(std::make_unique<objects::FonEditor>(app))
{
    setObjectName(QStringLiteral("fmNewFon"));
    showTitle();
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint);

    m_source = new FonImageView;
    m_source->setAccessibleName(QStringLiteral("Исходное изображение"));

    m_tilesAcross = countBox(new QSpinBox, QStringLiteral("Кадров в ширину"), objects::FonEditor::kMaxTiles,
                             m_editor->tilesAcross());
    m_tilesDown = countBox(new QSpinBox, QStringLiteral("Кадров в высоту"), objects::FonEditor::kMaxTiles,
                           m_editor->tilesDown());
    auto* tiles = new QGroupBox(QStringLiteral("количество кадров"));
    addBoxes(new QHBoxLayout(tiles), m_tilesAcross, m_tilesDown);

    m_palette = new FonImageView;
    m_palette->setAccessibleName(QStringLiteral("Палитра"));
    m_paletteScroll = new QScrollArea;
    m_paletteScroll->setWidget(m_palette);
    m_paletteScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_paletteScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_paletteScroll->setFixedSize(kSourceBox.width(),
                                  objects::FonEditor::kPaletteRows * objects::FonEditor::kPaletteCell
                                      + m_paletteScroll->horizontalScrollBar()->sizeHint().height() + 4);
    m_selected = new FonImageView;
    m_selected->setAccessibleName(QStringLiteral("Выбранный фрагмент"));
    SolidButton = new QPushButton(QStringLiteral("Непроходимые плитки"));
    SolidButton->setObjectName(QStringLiteral("SolidButton"));
    SolidButton->setCheckable(true);
    SolidButton->setAutoDefault(false);
    SolidButton->setToolTip(QStringLiteral(
        "Нажмите и щёлкайте плитки палитры: отмеченные красным крестом в игре не пропускают объекты. Если не "
        "отмечена ни одна, непроходима вся карта-препятствие"));
    connect(SolidButton, &QPushButton::toggled, this, [this](bool on) { m_editor->setSolidMarking(on); });
    auto* fragments = new QGroupBox(QStringLiteral("фрагменты"));
    auto* fragmentsColumn = new QVBoxLayout(fragments);
    fragmentsColumn->addWidget(m_paletteScroll);
    auto* underPalette = new QHBoxLayout;
    underPalette->addWidget(m_selected);
    underPalette->addWidget(SolidButton);
    fragmentsColumn->addLayout(underPalette);

    m_columns = countBox(new CellCountBox(model::kMaxMapColumns), QStringLiteral("Ячеек в ширину"),
                         model::kMaxMapColumns, 1);
    m_rows = countBox(new CellCountBox(model::kMaxMapRows), QStringLiteral("Ячеек в высоту"), model::kMaxMapRows, 1);
    auto* cells = new QGroupBox(QStringLiteral("количество ячеек"));
    addBoxes(new QHBoxLayout(cells), m_columns, m_rows);

    m_preview = new FonImageView;
    m_preview->setAccessibleName(QStringLiteral("Предпросмотр"));
    m_preview->setToolTip(QStringLiteral("Так карта будет выглядеть в списке объектов"));

    // The brushes: real buttons, one of them down.
    auto* brushes = new QGroupBox(QStringLiteral("инструменты"));
    auto* brushRow = new QHBoxLayout(brushes);
    auto* brushGroup = new QButtonGroup(this);
    const auto brush = [&](const QString& text, const QString& hint, objects::FonEditor::Brush kind) {
        auto* button = new QPushButton(text);
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setToolTip(hint);
        brushRow->addWidget(button);
        brushGroup->addButton(button);
        connect(button, &QPushButton::toggled, this, [this, kind](bool on) {
            if (on)
                m_editor->setBrush(kind);
        });
        return button;
    };
    PencilButton = brush(QStringLiteral("Карандаш"), QStringLiteral("Щелчок ставит или убирает плитку, протяжка рисует"),
                         objects::FonEditor::Brush::Pencil);
    EraserButton = brush(QStringLiteral("Ластик"), QStringLiteral("Щелчок и протяжка очищают ячейки"),
                         objects::FonEditor::Brush::Eraser);
    RectangleButton = brush(QStringLiteral("Прямоугольник"),
                            QStringLiteral("Протяните от угла до угла: ячейки между ними получат плитку"),
                            objects::FonEditor::Brush::Rectangle);
    FillButton = brush(QStringLiteral("Заливка"),
                       QStringLiteral("Щелчок заливает соседние ячейки с той же плиткой; Alt+щелчок или правая кнопка "
                                      "берут плитку с карты"),
                       objects::FonEditor::Brush::Fill);
    PencilButton->setChecked(true);

    auto* left = new QVBoxLayout;
    left->addWidget(m_source);
    left->addWidget(tiles);
    left->addWidget(fragments);
    left->addWidget(cells);
    left->addWidget(brushes);
    left->addWidget(m_preview, 0, Qt::AlignHCenter);
    left->addStretch(1);

    m_grid = new FonGridView(*m_editor);
    m_grid->setAccessibleName(QStringLiteral("Поле карты"));
    m_gridScroll = new QScrollArea;
    m_gridScroll->setObjectName(QStringLiteral("MapScroll"));
    m_gridScroll->setWidget(m_grid);
    m_gridScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_zoomBox = new ZoomBox;
    auto* right = new QVBoxLayout;
    right->addWidget(m_gridScroll, 1);
    right->addWidget(m_zoomBox, 0, Qt::AlignRight);
    auto* body = new QHBoxLayout(this);
    body->addLayout(left);
    body->addSpacing(10);
    body->addLayout(right, 1);
    buildMenu();

    connect(m_tilesAcross, &QSpinBox::valueChanged, this, &BackgroundEditorWindow::tilesChanged);
    connect(m_tilesDown, &QSpinBox::valueChanged, this, &BackgroundEditorWindow::tilesChanged);
    const auto resizeMap = [this] {
        // A refused size puts both boxes back to the grid's.
        if (!guarded(this, [this] { m_editor->setMapSize(m_columns->value(), m_rows->value()); }))
            showSheet();
    };
    connect(m_columns, &QSpinBox::valueChanged, this, resizeMap);
    connect(m_rows, &QSpinBox::valueChanged, this, resizeMap);
    connect(m_palette, &FonImageView::pressed, this, [this](QPoint pixel) { m_editor->paletteClicked(pixel); });
    connect(m_source, &FonImageView::pressed, this, [this] {
        if (!m_editor->pictureLoaded())
            N_LoadPictureClick();
    });
    connect(m_grid, &FonGridView::released, this, &BackgroundEditorWindow::showPreview);

    connect(m_editor.get(), &objects::FonEditor::sheetChanged, this, &BackgroundEditorWindow::showSheet);
    connect(m_editor.get(), &objects::FonEditor::gridResized, this, [this] {
        m_grid->resizeToGrid();
        showPreview();
    });
    connect(m_editor.get(), &objects::FonEditor::selectionChanged, this, &BackgroundEditorWindow::showSelection);
    connect(m_editor.get(), &objects::FonEditor::cellsChanged, this, [this](QRect cells) {
        m_grid->updateGrid(m_editor->cellPixels(cells));
        // While a stroke goes on only its cells are drawn; the preview follows at the release.
        if (!m_editor->stroking())
            showPreview();
    });

    connect(m_zoomBox, &ZoomBox::percentChosen, this, [this](int percent) { setZoom(percent); });
    connect(m_grid, &FonGridView::zoomWheel, this, [this](int steps, QPoint at) {
        setZoom(steppedZoom(zoom(), steps), m_grid->mapTo(m_gridScroll->viewport(), at));
    });

    showSheet();
    showSelection();
    // The whole screen, also where no window manager maximises it.
    if (const QScreen* screen = this->screen())
        setGeometry(screen->availableGeometry());
    setWindowState(windowState() | Qt::WindowMaximized);
}

BackgroundEditorWindow::~BackgroundEditorWindow() = default;

void BackgroundEditorWindow::buildMenu()
{
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("Файл"));
    N_Open = file->addAction(QStringLiteral("Открыть"));
    N_Save = file->addAction(QStringLiteral("Сохранить"));
    QMenu* edit = bar->addMenu(QStringLiteral("Правка"));
    N_LoadPicture = edit->addAction(QStringLiteral("загрузить изображение"));
    N_Cut = edit->addAction(QStringLiteral("разбить изображение"));
    edit->addSeparator();
    N_Clear = edit->addAction(QStringLiteral("очистить поле"));
    // The map's history, as in the main window.
    edit->addSeparator();
    N_Undo = edit->addAction(QStringLiteral("Отменить"));
    N_Undo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
    N_Redo = edit->addAction(QStringLiteral("Повторить"));
    N_Redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    QMenu* view = bar->addMenu(QStringLiteral("Вид"));
    N_ZoomIn = view->addAction(QStringLiteral("Увеличить"));
    N_ZoomIn->setShortcuts({QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+="))});
    N_ZoomOut = view->addAction(QStringLiteral("Уменьшить"));
    N_ZoomOut->setShortcut(QKeySequence(QStringLiteral("Ctrl+-")));
    N_ZoomReset = view->addAction(QStringLiteral("Масштаб 100 %"));
    N_ZoomReset->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
    N_ZoomIn->setObjectName(QStringLiteral("N_ZoomIn"));
    N_ZoomOut->setObjectName(QStringLiteral("N_ZoomOut"));
    N_ZoomReset->setObjectName(QStringLiteral("N_ZoomReset"));
    connect(N_ZoomIn, &QAction::triggered, this, [this] { setZoom(media::zoom::in(zoom())); });
    connect(N_ZoomOut, &QAction::triggered, this, [this] { setZoom(media::zoom::out(zoom())); });
    connect(N_ZoomReset, &QAction::triggered, this, [this] { setZoom(100); });
    layout()->setMenuBar(bar);

    N_Open->setObjectName(QStringLiteral("N_Open"));
    N_Save->setObjectName(QStringLiteral("N_Save"));
    N_LoadPicture->setObjectName(QStringLiteral("N_LoadPicture"));
    N_Cut->setObjectName(QStringLiteral("N_Cut"));
    N_Clear->setObjectName(QStringLiteral("N_Clear"));
    N_Undo->setObjectName(QStringLiteral("N_Undo"));
    N_Redo->setObjectName(QStringLiteral("N_Redo"));
    connect(N_Open, &QAction::triggered, this, &BackgroundEditorWindow::N_OpenClick);
    connect(N_Save, &QAction::triggered, this, [this] { N_SaveClick(); });
    connect(N_LoadPicture, &QAction::triggered, this, &BackgroundEditorWindow::N_LoadPictureClick);
    connect(N_Cut, &QAction::triggered, this, &BackgroundEditorWindow::N_CutClick);
    connect(N_Clear, &QAction::triggered, this, &BackgroundEditorWindow::N_ClearClick);

    QUndoStack& undo = m_editor->undoStack();
    connect(N_Undo, &QAction::triggered, this, [this] {
        // Not in the middle of a stroke: it would go on over the undone cells.
        if (!m_editor->stroking())
            m_editor->undoStack().undo();
    });
    connect(N_Redo, &QAction::triggered, this, [this] {
        if (!m_editor->stroking())
            m_editor->undoStack().redo();
    });
    const auto follow = [this, &undo] {
        N_Undo->setEnabled(undo.canUndo());
        N_Redo->setEnabled(undo.canRedo());
    };
    connect(&m_editor->history(), &undo::History::changed, this, follow);
    connect(&m_editor->history(), &undo::History::changed, this, &BackgroundEditorWindow::showTitle);
    follow();
}

void BackgroundEditorWindow::showTitle()
{
    const QString name = m_fileName.isEmpty() ? QStringLiteral("новая карта") : QFileInfo(m_fileName).fileName();
    setWindowTitle(kCaption + QStringLiteral(" — ") + name + QStringLiteral("[*]"));
    setWindowModified(m_editor->isModified() && m_editor->pictureLoaded());
}

int BackgroundEditorWindow::zoom() const
{
    return m_grid->zoom();
}

void BackgroundEditorWindow::setZoom(int percent, std::optional<QPoint> about)
{
    percent = media::zoom::clamp(percent);
    zoomAbout(m_gridScroll, zoom(), percent, about, [&] { m_grid->setZoom(percent); });
    m_zoomBox->setPercent(percent);
}

void BackgroundEditorWindow::showSheet()
{
    for (QSpinBox* box : {m_tilesAcross, m_tilesDown, m_columns, m_rows})
        box->blockSignals(true);
    m_tilesAcross->setValue(m_editor->tilesAcross());
    m_tilesDown->setValue(m_editor->tilesDown());
    m_columns->setValue(m_editor->mapColumns());
    m_rows->setValue(m_editor->mapRows());
    for (QSpinBox* box : {m_tilesAcross, m_tilesDown, m_columns, m_rows})
        box->blockSignals(false);
    N_Cut->setEnabled(m_editor->pictureLoaded());
    m_source->setImage(objects::sourceImage(*m_editor, kSourceBox));
    // A new map starts here: the empty picture says how to fill it, and a click does it.
    m_source->setHint(m_editor->pictureLoaded()
                          ? QString()
                          : QStringLiteral("Щёлкните, чтобы загрузить рисунок плиток (Правка → загрузить изображение)"));
    m_palette->setImage(objects::paletteImage(*m_editor));
    m_grid->resizeToGrid();
    showPreview();
}

void BackgroundEditorWindow::showSelection()
{
    m_palette->setImage(objects::paletteImage(*m_editor));
    m_selected->setImage(objects::selectedTileImage(*m_editor));
}

void BackgroundEditorWindow::showPreview()
{
    if (m_editor->pictureLoaded()) {
        m_preview->setImage(objects::previewImage(*m_editor));
        return;
    }
    // Nothing to preview, and nothing can be saved yet.
    QImage blank(objects::kPreviewWidth, objects::kPreviewHeight, QImage::Format_RGB32);
    blank.fill(Qt::white);
    m_preview->setImage(blank);
}

void BackgroundEditorWindow::tilesChanged()
{
    // A refused count (a tile under one pixel) puts the box back.
    if (!guarded(this, [this] { m_editor->setTiles(m_tilesAcross->value(), m_tilesDown->value()); }))
        showSheet();
}

void BackgroundEditorWindow::N_LoadPictureClick()
{
    guarded(this, [this] {
        const QString file = m_dialogs.openFileName(this, m_app.images(), kPictureFilter);
        if (!file.isEmpty())
            m_editor->loadPicture(file);
        else
            m_editor->cutSheet();
    });
}

void BackgroundEditorWindow::N_CutClick()
{
    guarded(this, [this] { m_editor->cutSheet(); });
}

void BackgroundEditorWindow::N_ClearClick()
{
    guarded(this, [this] { m_editor->clear(); });
}

void BackgroundEditorWindow::N_OpenClick()
{
    if (!mayDropMap())
        return;
    guarded(this, [this] {
        const QString file = m_dialogs.openFileName(this, m_app.objects(), kObjectFilter);
        if (!file.isEmpty()) {
            m_editor->open(file);
            m_fileName = file;
        }
    });
    showTitle();
}

bool BackgroundEditorWindow::N_SaveClick()
{
    bool saved = false;
    guarded(this, [this, &saved] {
        // Said before the dialog, so the author does not pick a name for nothing.
        m_editor->checkSavable();
        const QString file = m_dialogs.saveFileName(this, m_app.objects(), kObjectFilter, QStringLiteral("obf"));
        if (file.isEmpty())
            return;
        m_editor->save(file);
        m_fileName = file;
        saved = true;
    });
    showTitle();
    return saved;
}

void BackgroundEditorWindow::reject()
{
    if (mayDropMap())
        QDialog::reject();
}

bool BackgroundEditorWindow::mayDropMap()
{
    // Before a picture there is nothing that could be saved.
    return mayDropObject(m_dialogs, this, m_editor->isModified() && m_editor->pictureLoaded(),
                         [this] { return N_SaveClick(); });
}

} // namespace kestrava::editor
