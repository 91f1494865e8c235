#pragma once

#include "interface/InterfaceEditor.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QPushButton;

namespace kestrava::editor {

class ColourDialog;
class ColourPanel;
class FontDialog;

// "Настройка счетчика времени": the timer's position, background and font
// (the shared font dialog, "Шрифт...").
class InterfaceTimerDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Настройка счетчика времени");

    InterfaceTimerDialog(interface::InterfaceEditor& editor, FontDialog& font, const std::unique_ptr<ColourDialog>& colours,
              QWidget* parent = nullptr);

    // Fills the boxes and the font dialog from the timer.
    void fill();
    // "OK": false (the dialog stays, nothing changes) when a box is wrong.
    bool OKClick();

    ColourPanel* pnBgr = nullptr;
    QLineEdit* edX = nullptr;
    QLineEdit* edY = nullptr;
    QPushButton* bFont = nullptr;
    QPushButton* bOK = nullptr;
    QPushButton* bCancel = nullptr;

private:
    interface::InterfaceEditor& m_editor;
    FontDialog& m_font;
};

} // namespace kestrava::editor
