#pragma once

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

class QAction;
class QPushButton;
class QLabel;
class QScrollArea;
class QSpinBox;

namespace kestrava::io { class AppFolder; }
namespace kestrava::objects { class FonEditor; }

namespace kestrava::editor {

class FonGridView;
class FonImageView;
class StandardDialogs;
class ZoomBox;

// "Kestrava - Редактор карт — road.obf*": the background object editor,
// titled with its file and "*" while unsaved. It shows
// objects::FonEditor and forwards menus, boxes and the mouse to it; its file
// dialogs go through the standard dialogs seam.
class BackgroundEditorWindow : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Kestrava - Редактор карт");
    static inline const QString kPictureFilter = QStringLiteral("PNG image (*.png)");
    static inline const QString kObjectFilter = QStringLiteral("файл фонового объекта (*.obf)");

    BackgroundEditorWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent = nullptr);
    ~BackgroundEditorWindow() override;

    objects::FonEditor& editor() { return *m_editor; }

    // Menu commands; each runs through guarded().
    void N_LoadPictureClick();
    void N_CutClick();
    void N_ClearClick();
    void N_OpenClick();
    // true when the map was written.
    bool N_SaveClick();

    QAction* N_Open = nullptr;
    QAction* N_Save = nullptr;
    QAction* N_LoadPicture = nullptr;
    QAction* N_Cut = nullptr;
    QAction* N_Clear = nullptr;
    QAction* N_Undo = nullptr;
    QAction* N_Redo = nullptr;
    // "Вид": the map field's zoom.
    QAction* N_ZoomIn = nullptr;
    QAction* N_ZoomOut = nullptr;
    QAction* N_ZoomReset = nullptr;
    // The brushes of the map field, one checked.
    QPushButton* PencilButton = nullptr;
    QPushButton* EraserButton = nullptr;
    QPushButton* RectangleButton = nullptr;
    QPushButton* FillButton = nullptr;
    // "Непроходимые плитки": palette clicks mark solid tiles while it is down.
    QPushButton* SolidButton = nullptr;

    // The map field's zoom in percent; `about` a point of its viewport that keeps showing the same cell.
    void setZoom(int percent, std::optional<QPoint> about = std::nullopt);
    int zoom() const;

public slots:
    // The close box and Escape: unsaved work is asked about first, as before "Открыть".
    void reject() override;

private:
    void buildMenu();
    // The caption, the file's name (or "новая карта") and the unsaved sign.
    void showTitle();
    // Asks before unsaved work is dropped; false to keep it.
    bool mayDropMap();
    // Boxes, palette, grid and source view after the cut, the picture or the grid size changed.
    void showSheet();
    void showSelection();
    void showPreview();
    void tilesChanged();

    const io::AppFolder& m_app;
    StandardDialogs& m_dialogs;
    std::unique_ptr<objects::FonEditor> m_editor;

    FonImageView* m_source = nullptr;
    FonImageView* m_palette = nullptr;
    QScrollArea* m_paletteScroll = nullptr;
    FonImageView* m_selected = nullptr;
    FonImageView* m_preview = nullptr;
    FonGridView* m_grid = nullptr;
    QScrollArea* m_gridScroll = nullptr;
    QSpinBox* m_tilesAcross = nullptr;
    QSpinBox* m_tilesDown = nullptr;
    QSpinBox* m_columns = nullptr;
    QSpinBox* m_rows = nullptr;
    ZoomBox* m_zoomBox = nullptr;
    QString m_fileName; // opened or last saved; empty for a new map
};

} // namespace kestrava::editor
