#pragma once

#include <QDialog>
#include <QString>

#include <memory>

class QAction;
class QRadioButton;

namespace kestrava::io { class AppFolder; }
namespace kestrava::objects { class LivesEditor; }

namespace kestrava::editor {

class PictureBox;
class StandardDialogs;

// "Индикатор жизней": the bar editor (a lives indicator). It shows
// objects::LivesEditor and forwards menus and choices to it; its file
// dialogs and "Сохранить объект?" go through the standard dialogs seam. A
// successful save closes it.
class LivesBarEditorWindow : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Индикатор жизней");
    static inline const QString kPictureFilter = QStringLiteral("Рисунки BMP и PNG (*.bmp *.png)");
    static inline const QString kObjectFilter = QStringLiteral("файл объекта жизней (*.obl)");

    LivesBarEditorWindow(const io::AppFolder& app, StandardDialogs& dialogs, QWidget* parent = nullptr);
    ~LivesBarEditorWindow() override;

    objects::LivesEditor& editor() { return *m_editor; }

    // Commands; each runs through guarded().
    void N_LoadPictureClick();
    void N_OpenClick();
    bool N_SaveClick();

    QAction* N_Open = nullptr;
    QAction* N_Save = nullptr;
    QAction* N_LoadPicture = nullptr;
    QRadioButton* rbVertical = nullptr;
    QRadioButton* rbHorizontal = nullptr;
    PictureBox* imBar = nullptr;

public slots:
    // The close box and Escape: unsaved work is asked about first.
    void reject() override;

private:
    void showAll();
    // Asks before unsaved work is dropped; false to keep it.
    bool mayDropBar();
    // "сохранить" without closing; true when written.
    bool saveBar();

    const io::AppFolder& m_app;
    StandardDialogs& m_dialogs;
    std::unique_ptr<objects::LivesEditor> m_editor;
};

} // namespace kestrava::editor
