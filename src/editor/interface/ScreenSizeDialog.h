#pragma once

#include "model/ScreenChoice.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kestrava::editor {

// The size dialog ("fmDisplay"): the common handset screens or a size of
// one's own, and the handset's budget: a handset screen's shown, one's own
// screen's given in the boxes.
class ScreenSizeDialog : public QDialog {
    Q_OBJECT
public:
    // choice: the size chosen so far, shown chosen when the dialog opens and changed by "Да";
    // ownBudget: the author's budget for a size of one's own so far.
    explicit ScreenSizeDialog(model::ScreenSize choice, std::optional<model::GameBudgetData> ownBudget = std::nullopt,
                              QWidget* parent = nullptr);

    model::ScreenSize choice() const { return m_choice; }
    // The budget "Да" took for a size of one's own; none for a handset screen.
    std::optional<model::GameBudgetData> ownBudget() const { return m_ownBudget; }

    // One a handset screen, in the order of model::handsetScreens().
    std::vector<QRadioButton*> RadioHandset;
    QRadioButton* RadioOwn = nullptr;
    QLineEdit* EditWidth = nullptr;
    QLineEdit* EditHeight = nullptr;
    QLineEdit* EditJar = nullptr;  // "Размер jar, КБ"
    QLineEdit* EditHeap = nullptr; // "Память игры, КБ"
    QPushButton* ButtonYes = nullptr;

private:
    void yes();
    // The budget boxes show the chosen handset's budget, or take the author's own.
    void showBudget();

    model::ScreenSize m_choice;
    std::optional<model::GameBudgetData> m_ownBudget;
};

} // namespace kestrava::editor
