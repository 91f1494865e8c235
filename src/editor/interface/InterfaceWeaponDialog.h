#pragma once

#include "interface/InterfaceEditor.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

class ColourDialog;
class ColourPanel;
class StandardDialogs;

// "Настройка индикатора оружия": position, frame size, transparency and
// background of the weapon indicator, and its picture ("Загрузить").
class InterfaceWeaponDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Настройка индикатора оружия");
    static inline const QString kPictureFilter = QStringLiteral("PortableNetworkGraphics (*.png)");

    InterfaceWeaponDialog(interface::InterfaceEditor& editor, const io::AppFolder& app, StandardDialogs& dialogs,
               const std::unique_ptr<ColourDialog>& colours, QWidget* parent = nullptr);

    void fill();
    void LoadClick();
    void AutoColourClick();
    // "OK": false (the dialog stays, nothing changes) when a box is wrong.
    bool OKClick();

    QLineEdit* edX = nullptr;
    QLineEdit* edY = nullptr;
    QLineEdit* edFrameWidth = nullptr;
    QLineEdit* edFrameHeight = nullptr;
    QCheckBox* cbTransparent = nullptr;
    ColourPanel* pnTranspColor = nullptr;
    QPushButton* bAutoColour = nullptr;
    ColourPanel* pnBgr = nullptr;
    QCheckBox* cbClearBackground = nullptr;
    QPushButton* bLoad = nullptr;
    QLabel* imSprite = nullptr;
    QPushButton* bOK = nullptr;
    QPushButton* bCancel = nullptr;

private:
    void showSprite();

    interface::InterfaceEditor& m_editor;
    const io::AppFolder& m_app;
    StandardDialogs& m_dialogs;
};

} // namespace kestrava::editor
