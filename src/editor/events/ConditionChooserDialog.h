#pragma once

#include "catalogue/Item.h"
#include "events/Choosers.h"
#include "events/Sheet.h"

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <optional>

class QMenu;
class QToolButton;

namespace kestrava::document { class ProjectDocument; }

namespace kestrava::editor {

class ChooserIconBox;

// "Новое событие": the condition chooser. Each icon opens a menu of the
// condition catalogue; the object icons 8..12 share one menu about the object
// of their group. An item asks for its parameters, builds its condition and
// closes the chooser with it in chosen(); a parameter dialog closed without
// "Да", or a condition that cannot be built, leaves the chooser open and
// chosen() empty.
class ConditionChooserDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kIconCount = events::kChooserIconCount;

    // groupPicture(g): the picture of active group g of the current stage,
    // null when it has none. mode: "dob", "izm" or empty.
    ConditionChooserDialog(document::ProjectDocument& document, std::function<QImage(int group)> groupPicture,
                const QString& mode, QWidget* parent = nullptr);

    const std::optional<events::Condition>& chosen() const { return m_chosen; }
    QString ChooserMode;
    // The object of the object icon last opened.
    int ChosenObject = 0;

    ChooserIconBox* GroupBox1 = nullptr;
    // Image[1..12]; index 0 unused.
    std::array<QToolButton*, kIconCount + 1> Image{};
    // The menu of the icon last opened (rebuilt at each opening).
    QMenu* PopupMenu = nullptr;

    // Asks for the item's parameters and fills them into values; false when
    // a dialog was closed without "Да". The real modal dialogs unless
    // replaced. Items without parameters never ask.
    using ParameterDialogs = std::function<bool(const catalogue::Item& item, catalogue::Values& values)>;
    void setParameterDialogs(ParameterDialogs dialogs) { m_askParameters = std::move(dialogs); }

private:
    void openMenu(int icon, QPoint boxPosition, QPoint globalPosition);
    void itemClick(const catalogue::Item& item);

    document::ProjectDocument& m_document;
    std::function<QImage(int)> m_groupPicture;
    ParameterDialogs m_askParameters;
    std::optional<events::Condition> m_chosen;
};

} // namespace kestrava::editor
