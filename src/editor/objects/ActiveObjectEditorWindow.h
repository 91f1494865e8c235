#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;
class QTimer;
class QToolButton;

namespace kestrava::io { class AppFolder; }
namespace kestrava::objects { class ActiveEditor; }

namespace kestrava::editor {

class PictureBox;
class StandardDialogs;

// "Создание активного объекта": the active object editor. It shows
// objects::ActiveEditor and forwards menus, boxes and the mouse to it; its
// file dialogs and its "Сохранить объект?" go through the standard dialogs
// seam. Frames are put into the sequence by clicking them in the strip.
class ActiveObjectEditorWindow : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Создание активного объекта");
    static inline const QString kPictureFilter = QStringLiteral("PNG Image File (*.png)");
    static inline const QString kObjectFilter = QStringLiteral("файл активного объекта (*.oba)");

    ActiveObjectEditorWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent = nullptr);
    ~ActiveObjectEditorWindow() override;

    objects::ActiveEditor& editor() { return *m_editor; }

    // Commands; each runs through guarded().
    void N_LoadPictureClick();
    // "Новый": an empty object, after asking about unsaved work.
    void N_NewClick();
    void N_OpenClick();
    bool N_SaveClick();
    // A click on frame box s (1..6): the position is emptied.
    void FrameClick(int s);
    // A click on frame k of the strip adds it to the sequence; with the right button it is taken out.
    void StripFrameClick(int k, bool add);
    // "▶": plays the current sequence in the direction picture, or stops it.
    void PlayClick();
    bool playing() const;

    QAction* N_New = nullptr;
    QAction* N_Open = nullptr;
    QAction* N_Save = nullptr;
    QAction* N_LoadPicture = nullptr;
    QAction* N_Undo = nullptr;
    QAction* N_Redo = nullptr;
    QComboBox* cbState = nullptr;
    QSpinBox* seFrameCount = nullptr;
    PictureBox* imDirection = nullptr;
    PictureBox* imStrip = nullptr;
    QPushButton* bPlay = nullptr;
    QPushButton* bCopyToAll = nullptr; // "Во все направления"
    std::array<QToolButton*, 7> frameBoxes{}; // 1..6
    QListWidget* lwFrames = nullptr;          // the strip's frames, item k-1 is frame k
    // How transparency is chosen, or what the last picture had made transparent.
    QLabel* lbTransparency = nullptr;
    static inline const QString kTransparencyHint =
        QStringLiteral("Прозрачны пиксели, прозрачные в PNG; у рисунка без прозрачности прозрачным станет цвет фона, "
                       "если все четыре уголка рисунка одного цвета.");

public slots:
    // The close box and Escape: unsaved work is asked about first.
    void reject() override;

protected:
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    // Asks before unsaved work is dropped; false to keep it.
    bool mayDropActive();
    // The strip's frames, made again when the strip or the count changed.
    void showFrames();
    // Takes the frame count as the box shows it, typed text included; false
    // when it was refused.
    bool takeFrameCount();
    void frameCountChanged(int count);
    void directionChosen();
    void stopPreview();
    void previewStep();
    // Everything shown, from the editor's state.
    void showAll();
    void showDirection();

    const io::AppFolder& m_app;
    StandardDialogs& m_dialogs;
    std::unique_ptr<objects::ActiveEditor> m_editor;
    QTimer* m_preview = nullptr;
    qint64 m_framesOf = 0; // the strip the frame list shows
    int m_framesCount = 0; // and its frame count
    int m_step = 0;
    bool m_countRefused = false;
};

} // namespace kestrava::editor
