#pragma once

#include <QDialog>

namespace kestrava::editor {

// The about box "О нас".
class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace kestrava::editor
