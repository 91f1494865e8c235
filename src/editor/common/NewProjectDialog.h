#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrava::editor {

// "Новый проект": the project's name and the folder it is made in (the
// projects folder unless the author picks another). "Создать" closes it only
// for a name the folder can take; otherwise the reason shows in the dialog.
class NewProjectDialog : public QDialog {
    Q_OBJECT
public:
    static inline const QString kCaption = QStringLiteral("Новый проект");

    NewProjectDialog(const QString& projectsFolder, QWidget* parent = nullptr);

    // The name as typed, blanks at both ends removed.
    QString name() const;
    QString folder() const;

    QLineEdit* edName = nullptr;
    QLineEdit* edFolder = nullptr;
    QPushButton* bFolder = nullptr; // "Выбрать…"
    QPushButton* bCreate = nullptr; // "Создать"
    QPushButton* bCancel = nullptr; // "Отмена"
    QLabel* lbProblem = nullptr;    // why the name is refused

private:
    void CreateClick();
    void FolderClick();
};

} // namespace kestrava::editor
