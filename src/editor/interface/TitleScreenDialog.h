#pragma once

#include "model/GameValues.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrava::editor {

class StandardDialogs;

// "Заставка": whether the game starts on a title screen, its name and its
// picture. The picture is asked through the standard dialogs; one chosen
// outside the project is named by PictureSource until the main window copies
// it in.
class TitleScreenDialog : public QDialog {
    Q_OBJECT
public:
    // current: the project's title, none for a game without one; projectDir
    // shows the picture it names; defaultName fills an empty name.
    TitleScreenDialog(const std::optional<model::TitleScreenData>& current, const QString& projectDir,
                      const QString& defaultName, StandardDialogs& dialogs, QWidget* parent = nullptr);

    // What the dialog holds: none when the title is off. Its picture is the
    // project's file name, or PictureSource's once copied in.
    std::optional<model::TitleScreenData> chosen() const;
    // A picture chosen in this opening, to be copied into the project; empty for none.
    QString PictureSource;

    QCheckBox* CheckShow = nullptr;
    QLineEdit* EditName = nullptr;
    QLabel* Preview = nullptr;
    QPushButton* ButtonPicture = nullptr;
    QPushButton* ButtonNoPicture = nullptr;
    QPushButton* ButtonYes = nullptr;

private:
    void showPicture(const QString& path);

    QString m_picture; // the project's file name
};

} // namespace kestrava::editor
