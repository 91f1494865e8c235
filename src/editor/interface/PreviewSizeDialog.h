#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kestrava::interface { class InterfaceEditor; }

namespace kestrava::editor {

// "Размер экрана" of the interface editor: the size of its preview.
class PreviewSizeDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Размер экрана");

    explicit PreviewSizeDialog(interface::InterfaceEditor& editor, QWidget* parent = nullptr);

    // The boxes take the preview's size.
    void fill();
    // "Задать": false (the dialog stays, nothing changes) when a box is wrong.
    bool SetClick();

    QLineEdit* edWidth = nullptr;
    QLineEdit* edHeight = nullptr;
    QPushButton* bSet = nullptr;
    QPushButton* bCancel = nullptr;

private:
    interface::InterfaceEditor& m_editor;
};

} // namespace kestrava::editor
