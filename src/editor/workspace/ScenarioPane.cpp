#include "editor/workspace/ScenarioPane.h"

#include "level/StageThumbnail.h"

#include "document/ProjectDocument.h"
#include "editor/common/ErrorBox.h"
#include "model/Project.h"

#include <QAction>
#include <QLabel>
#include <QMouseEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

namespace {

QPushButton* headerButton(const QString& text, int left, int width, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(left, 0, width, ScenarioPane::kHeaderHeight);
    // Framed like the table below it; neighbours share their border pixel.
    button->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid black; background: palette(button); }"));
    return button;
}

int rowTop(int p) { return ScenarioPane::kRowHeight * (p - 1); }

} // namespace

ScenarioPane::ScenarioPane(document::ProjectDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document)
{
    setObjectName(u"FrScriptEditor1"_s);
    setAccessibleName(u"Редактор сценария"_s);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(u"sbTable"_s);
    m_scroll->setAccessibleName(u"Таблица этапов"_s);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setBackgroundRole(QPalette::Base);
    m_table = new QWidget;
    m_table->setObjectName(u"pnTable"_s);
    m_imMainLabel = new QLabel(m_table);
    m_imMainLabel->setObjectName(u"imMain"_s);
    m_scroll->setWidget(m_table);

    // The header lies above the scrolled table so it stays in view.
    headerButton(u"№"_s, 0, kButtonWidth, this)->setObjectName(u"bNumber"_s);
    headerButton(u"Вид"_s, kViewLeft - 1, kCommentLeft - kViewLeft + 2, this)->setObjectName(u"bView"_s);
    headerButton(u"Комментарии"_s, kCommentLeft, kTableRight - kCommentLeft, this)
        ->setObjectName(u"bComments"_s);

    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(u"PopupMenu1"_s);
    m_newLevelAction = m_popupMenu->addAction(u"новый уровень"_s);
    m_newLevelAction->setObjectName(u"N2"_s);
    connect(m_newLevelAction, &QAction::triggered, this, [this] { N2Click(); });

    connect(&document, &document::ProjectDocument::stagesChanged, this, &ScenarioPane::redrawStages);
    connect(&document, &document::ProjectDocument::currentLevelChanged, this, &ScenarioPane::redrawStages);
    connect(&document, &document::ProjectDocument::projectReplaced, this, &ScenarioPane::clear);
}

void ScenarioPane::start()
{
    if (!m_started) {
        m_started = true;
        for (int p = 1; p <= model::kMaxLevels; ++p) {
            auto* picture = new QLabel(m_table);
            picture->setObjectName(u"imLevel%1"_s.arg(p));
            picture->setGeometry(kPictureLeft, rowTop(p) + kPictureTop, kPictureWidth, kPictureHeight);
            picture->setAlignment(Qt::AlignCenter);
            picture->hide();
            m_pictures[p] = picture;

            auto* caption = new QLabel(m_table);
            caption->setObjectName(u"lbLevel%1"_s.arg(p));
            caption->move(kCaptionLeft, rowTop(p) + kCaptionTop);
            caption->hide();
            m_captions[p] = caption;
            for (QLabel* part : {picture, caption}) {
                part->setProperty("stage", p);
                part->setCursor(Qt::PointingHandCursor);
                part->setToolTip(u"Выбрать этап %1"_s.arg(p));
                part->installEventFilter(this);
            }
        }
        // The way to a new stage is in sight, not only in the short button's menu.
        m_newLevelButton = new QPushButton(u"+ новый уровень"_s, m_table);
        m_newLevelButton->setObjectName(u"bNewLevel"_s);
        m_newLevelButton->setAccessibleName(u"новый уровень"_s);
        connect(m_newLevelButton, &QPushButton::clicked, this, [this] { N2Click(); });
        for (int p = 1; p <= kButtonCount; ++p) {
            auto* button = new QPushButton(QString::number(p), m_table);
            button->setObjectName(u"levels_row%1"_s.arg(p));
            button->setFlat(true);
            button->setFocusPolicy(Qt::NoFocus);
            button->setContextMenuPolicy(Qt::CustomContextMenu);
            button->hide();
            connect(button, &QPushButton::clicked, this, [this, p] { buttonClicked(p); });
            connect(button, &QWidget::customContextMenuRequested, this,
                    [this, p](const QPoint& local) { openPopupMenu(p, local); });
            m_buttons[p] = button;
        }
    }
    redrawStages();
}

void ScenarioPane::clear()
{
    // A new project must not show the pictures of the previous one.
    for (int p = 1; p <= model::kMaxLevels; ++p)
        if (m_pictures[p])
            m_pictures[p]->clear();
    redrawStages();
}

int ScenarioPane::levelCount() const
{
    return std::clamp(m_document.project().LevelCount, 1, model::kMaxLevels);
}

void ScenarioPane::redrawStages()
{
    const int n = levelCount();
    const int s = m_document.project().SelLevel;

    if (m_started) {
        for (int p = 1; p <= model::kMaxLevels; ++p) {
            const bool exists = p <= n;
            m_captions[p]->setText(exists ? u"Этап №%1"_s.arg(p) : QString());
            m_captions[p]->adjustSize();
            m_captions[p]->setVisible(exists);
            m_pictures[p]->setVisible(exists);
        }
        for (int p = 1; p <= kButtonCount; ++p) {
            QPushButton* button = m_buttons[p];
            const bool isShort = p == n + 1;
            button->setGeometry(0, rowTop(p), kButtonWidth, isShort ? kShortButtonHeight : kRowHeight);
            button->setToolTip(isShort ? u"новый уровень"_s : QString());
            QPalette palette = button->palette();
            palette.setColor(QPalette::ButtonText, p == s ? QColor(255, 0, 0) : QColor(0, 0, 0));
            button->setPalette(palette);
            button->setVisible(p <= n + 1);
        }
        m_newLevelButton->setGeometry(kViewLeft + 4, rowTop(n + 1) + 2, kCommentLeft - kViewLeft - 8,
                                      kShortButtonHeight - 4);
        m_newLevelButton->setVisible(n < model::kMaxLevels);
    }
    drawTable();
}

void ScenarioPane::drawTable()
{
    const int n = levelCount();
    const QSize viewport = m_scroll->maximumViewportSize();
    const QSize size(std::max(viewport.width(), kTableRight + 1),
                     std::max(viewport.height(), rowTop(n + 1) + kShortButtonHeight + 1));
    // The lines depend on nothing else; a tall table is megabytes to draw again.
    if (size == m_imMain.size() && n == m_drawnLevels)
        return;
    m_drawnLevels = n;

    m_imMain = QImage(size, QImage::Format_RGB32);
    m_imMain.fill(Qt::white);
    QPainter painter(&m_imMain);
    painter.setPen(Qt::black);
    // One rectangle per row down to the table's end draws both the row and
    // the column lines.
    const int bottom = rowTop(n + 1);
    for (int p = 1; p <= n; ++p) {
        painter.drawRect(kViewLeft, rowTop(p), kCommentLeft - kViewLeft, bottom - rowTop(p));
        painter.drawRect(kCommentLeft, rowTop(p), kTableRight - kCommentLeft - 1, bottom - rowTop(p));
    }
    painter.end();

    m_table->resize(size);
    m_imMainLabel->setGeometry(0, 0, size.width(), size.height());
    m_imMainLabel->setPixmap(QPixmap::fromImage(m_imMain));
    m_imMainLabel->lower();
}

void ScenarioPane::razmer()
{
    m_scroll->setGeometry(0, kHeaderHeight - 1, width(), std::max(0, height() - kHeaderHeight + 1));
    drawTable();
}

bool ScenarioPane::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const int p = watched->property("stage").toInt();
        if (p >= 1 && p <= levelCount()) {
            levels_rowClick(p);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScenarioPane::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    razmer();
}

QPushButton* ScenarioPane::stageButton(int p) const
{
    return p >= 1 && p <= kButtonCount ? m_buttons[p] : nullptr;
}

QLabel* ScenarioPane::stageCaption(int p) const
{
    return p >= 1 && p <= model::kMaxLevels ? m_captions[p] : nullptr;
}

QLabel* ScenarioPane::stagePicture(int p) const
{
    return p >= 1 && p <= model::kMaxLevels ? m_pictures[p] : nullptr;
}

void ScenarioPane::levels_rowClick(int p)
{
    m_document.selectLevel(p);
    redrawStages();
}

void ScenarioPane::buttonClicked(int p)
{
    if (p > levelCount()) {
        // The short button under the last stage offers "новый уровень".
        openPopupMenu(p, QPoint(0, m_buttons[p]->height()));
        return;
    }
    levels_rowClick(p);
}

void ScenarioPane::openPopupMenu(int p, const QPoint& local)
{
    if (p != levelCount() + 1)
        return;
    m_popupMenu->popup(m_buttons[p]->mapToGlobal(local));
}

void ScenarioPane::N2Click()
{
    guarded(this, [this] {
        m_document.addLevel();
        // Keep the new short button in view.
        m_scroll->ensureVisible(0, rowTop(levelCount() + 1) + kShortButtonHeight, 0, 0);
    });
}

void ScenarioPane::setStagePicture(int level, const QImage& picture)
{
    QLabel* label = stagePicture(level);
    if (!label)
        return;
    if (picture.isNull()) {
        label->clear();
        return;
    }
    const QSize cell(kPictureWidth, kPictureHeight);
    label->setPixmap(QPixmap::fromImage(picture.size() == cell ? picture : level::stageThumbnail(picture, cell)));
}

} // namespace kestrava::editor
