#pragma once

#include "model/Capacities.h"

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;
class QMenu;
class QAction;
class QPushButton;
class QScrollArea;

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::editor {

// The scenario editor pane: one table row per stage (number button, thumbnail
// of the stage's level map, caption), "новый уровень" on the short button
// under the last stage, and the choice of the stage the other editors work on.
class ScenarioPane : public QWidget {
    Q_OBJECT
public:
    // Table geometry, in pixels of the scrolled table (row p starts at
    // kRowHeight * (p - 1)).
    static constexpr int kHeaderHeight = 33;
    static constexpr int kRowHeight = 97;
    static constexpr int kButtonWidth = 33;
    static constexpr int kShortButtonHeight = 33;
    static constexpr int kViewLeft = 33;       // "Вид" column
    static constexpr int kCommentLeft = 184;   // "Комментарии" column
    static constexpr int kTableRight = 553;
    static constexpr int kPictureLeft = 40;
    static constexpr int kPictureTop = 8;      // within the row
    static constexpr int kPictureWidth = 137;
    static constexpr int kPictureHeight = 81;
    static constexpr int kCaptionLeft = 208;
    static constexpr int kCaptionTop = 16;     // within the row
    // One button per stage plus the short "новый уровень" button below the last.
    static constexpr int kButtonCount = model::kMaxLevels + 1;

    explicit ScenarioPane(document::ProjectDocument& document, QWidget* parent = nullptr);

    // Builds the rows once, when the main window is created.
    void start();
    // Another project: its stages, no thumbnails of the previous one.
    void clear();
    // Redraws the table from LevelCount and SelLevel.
    void redrawStages();
    // Stage button p: selects stage p when it exists.
    void levels_rowClick(int p);
    // "новый уровень"; a full project is refused with a message.
    void N2Click();
    // Shows a stage's level map, scaled to the thumbnail box.
    void setStagePicture(int level, const QImage& picture);
    // Fits the drawing surface to the pane.
    void razmer();

    // The table lines as last drawn.
    const QImage& imMain() const { return m_imMain; }
    QPushButton* stageButton(int p) const;
    QLabel* stageCaption(int p) const;
    QLabel* stagePicture(int p) const;
    QMenu* PopupMenu1() const { return m_popupMenu; }
    QAction* newLevelAction() const { return m_newLevelAction; }
    // The button that says "новый уровень" under the last stage.
    QPushButton* newLevelButton() const { return m_newLevelButton; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    // A press on a stage's picture or caption selects the stage.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buttonClicked(int p);
    void openPopupMenu(int p, const QPoint& local);
    int levelCount() const;
    void drawTable();

    document::ProjectDocument& m_document;
    QScrollArea* m_scroll = nullptr;
    QPushButton* m_newLevelButton = nullptr;
    QWidget* m_table = nullptr;
    QLabel* m_imMainLabel = nullptr;
    QImage m_imMain;
    int m_drawnLevels = 0; // the stages m_imMain shows
    QMenu* m_popupMenu = nullptr;
    QAction* m_newLevelAction = nullptr;
    std::array<QPushButton*, kButtonCount + 1> m_buttons{};      // [1..21]
    std::array<QLabel*, model::kMaxLevels + 1> m_pictures{};     // [1..20]
    std::array<QLabel*, model::kMaxLevels + 1> m_captions{};     // [1..20]
    bool m_started = false;
};

} // namespace kestrava::editor
