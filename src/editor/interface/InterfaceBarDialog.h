#pragma once

#include "interface/InterfaceEditor.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QPushButton;

namespace kestrava::editor {

class ColourDialog;
class ColourPanel;

// The bar settings dialog of the interface editor, filled from one bar
// ("Лайфбар" or "Патроны", its caption) and storing into that bar on "OK".
class InterfaceBarDialog : public QDialog {
    Q_OBJECT
public:
    InterfaceBarDialog(interface::InterfaceEditor& editor, const std::unique_ptr<ColourDialog>& colours,
                 QWidget* parent = nullptr);

    void fill(interface::Indicator bar);
    // "OK": false (the dialog stays, nothing changes) when a box is wrong.
    bool OKClick();

    ColourPanel* pnFrame = nullptr;
    ColourPanel* pnBgr = nullptr;
    ColourPanel* pnFg = nullptr;
    QLineEdit* edWidth = nullptr;
    QLineEdit* edHeight = nullptr;
    QLineEdit* edX = nullptr;
    QLineEdit* edY = nullptr;
    QPushButton* bOK = nullptr;
    QPushButton* bCancel = nullptr;

private:
    interface::InterfaceEditor& m_editor;
    interface::Indicator m_bar = interface::Indicator::Lifebar;
};

} // namespace kestrava::editor
