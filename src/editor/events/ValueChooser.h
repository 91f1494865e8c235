#pragma once

#include "editor/events/ChooserIconBox.h"
#include "model/GameValues.h"
#include "model/Sound.h"

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <vector>

class QMenu;
class QToolButton;

namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

// What the value chooser shows on its icons: the fixed pictures of the
// application folder (none when app is null) and the pictures of the stage's
// active groups 1 and 2 (null when the stage has no such group).
struct ValueChooserSetup {
    const io::AppFolder* app = nullptr;
    QImage group1;
    QImage group2;
    // The score and the project's variables: the translator reads them, the
    // chooser offers them.
    QList<model::GameVariableData> variables = {};
    // The project's sounds, which the sound items choose from.
    std::vector<model::SoundData> sounds = {};
    // The stage's names of its active groups, for the dialogs that ask a group by its number.
    std::function<QString(int group)> groupName = {};
};

// "Выбор значения": the value chooser. Each icon opens a menu of words; choosing an
// enabled one appends it to KeypadText and accepts. The object icons 8, 9, 10
// name objects 1, 2, 3 in their words; icon 11 keeps the number last used.
class ValueChooser : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIconCount = 11;

    ValueChooser(const ValueChooserSetup& setup, const QString& keypadText, QWidget* parent = nullptr);

    QString KeypadText;
    int ObjectNumber = 0;

    ChooserIconBox* GroupBox1 = nullptr;
    // Image[1..11]; index 0 unused.
    std::array<QToolButton*, kIconCount + 1> Image{};
    // The menu of the icon last opened (rebuilt at each opening).
    QMenu* PopupMenu = nullptr;

private:
    void openMenu(int icon, QPoint boxPosition, QPoint globalPosition);
    void choose(const QString& word);
    QStringList m_variables;
};

} // namespace kestrava::editor
