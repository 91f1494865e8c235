#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

namespace kestrava::editor {

// "Выберите тип создаваемого объекта": four buttons, each closes the
// chooser with its kind; the caller then opens that kind's editor.
class ObjectKindChooser : public QDialog {
    Q_OBJECT
public:
    enum class Kind { None, Fon, Active, Lives, Text };

    static inline const QString kCaption = QStringLiteral("Выберите тип создаваемого объекта");

    explicit ObjectKindChooser(QWidget* parent = nullptr);

    // The button that closed the chooser; None when it was closed otherwise.
    Kind choice() const { return m_choice; }

    QPushButton* BtFon = nullptr;
    QPushButton* BtActive = nullptr;
    QPushButton* BtLives = nullptr;
    QPushButton* BtText = nullptr;

private:
    void choose(Kind kind);

    Kind m_choice = Kind::None;
};

} // namespace kestrava::editor
