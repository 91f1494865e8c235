#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QPushButton;

namespace kestrava::editor {

// "Выбор клавиши": a drawn phone; clicking a key stores its name and code and
// accepts. Closing without a click leaves both empty.
class PhoneKeyDialog : public QDialog {
    Q_OBJECT
public:
    explicit PhoneKeyDialog(QWidget* parent = nullptr);

    QString KeyName;
    QString KeyCode;

    // In the order of catalogue::phoneKeys().
    QList<QPushButton*> Keys;
};

} // namespace kestrava::editor
