#pragma once

#include <QDialog>

namespace kestrava::editor {

// The about box "О нас".
class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);
};

} // namespace kestrava::editor
