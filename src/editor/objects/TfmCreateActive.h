#pragma once

#include <QDialog>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
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
// file dialogs go through the standard dialogs seam, the frame number
// through setFrameNumberQuestion.
class TfmCreateActive : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Создание активного объекта");
    static inline const QString kPictureFilter = QStringLiteral("PNG Image File (*.png)");
    static inline const QString kObjectFilter = QStringLiteral("файл активного объекта (*.oba)");

    TfmCreateActive(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent = nullptr);
    ~TfmCreateActive() override;

    objects::ActiveEditor& editor() { return *m_editor; }

    // Asks a frame number; nothing when the question was not answered with
    // "Да". By default TfmNumberCadre, made afresh for every question.
    using FrameNumberQuestion = std::function<std::optional<int>(QWidget* parent)>;
    void setFrameNumberQuestion(FrameNumberQuestion question) { m_askFrame = std::move(question); }

    // Commands; each runs through guarded().
    void N_LoadPictureClick();
    void N_OpenClick();
    bool N_SaveClick();
    // A click on frame box s (1..6).
    void FrameClick(int s);
    // "▶": plays the current sequence in the direction picture, or stops it.
    void PlayClick();
    bool playing() const;

    QAction* N_Open = nullptr;
    QAction* N_Save = nullptr;
    QAction* N_LoadPicture = nullptr;
    QComboBox* cbState = nullptr;
    QSpinBox* seFrameCount = nullptr;
    PictureBox* imDirection = nullptr;
    PictureBox* imStrip = nullptr;
    QPushButton* bPlay = nullptr;
    std::array<QToolButton*, 7> frameBoxes{}; // 1..6

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void buildMenu();
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
    FrameNumberQuestion m_askFrame;
    QTimer* m_preview = nullptr;
    int m_step = 0;
    bool m_countRefused = false;
};

} // namespace kestrava::editor
