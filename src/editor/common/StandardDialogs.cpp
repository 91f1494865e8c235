#include "editor/common/StandardDialogs.h"

#include "editor/common/NewProjectDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QDateTime>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QMessageBox>
#include <QPushButton>

namespace kestrava::editor {

QString StandardDialogs::saveFileName(QWidget* parent, const QString& startDir, const QString& filter,
                                      const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QString(), startDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString StandardDialogs::openFileName(QWidget* parent, const QString& startDir, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), startDir, filter);
}

namespace {

// A question with three buttons, the first the default; closing the box is the third. Returns 0, 1 or 2.
int askThree(QWidget* parent, const QString& question, const QString& details, const QString (&buttons)[3],
             QMessageBox::ButtonRole second)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrava"), question, QMessageBox::NoButton, parent);
    if (!details.isEmpty())
        box.setInformativeText(details);
    const QMessageBox::ButtonRole roles[3] = {QMessageBox::AcceptRole, second, QMessageBox::RejectRole};
    QPushButton* made[3] = {};
    for (int i = 0; i < 3; ++i)
        made[i] = box.addButton(buttons[i], roles[i]);
    box.setDefaultButton(made[0]);
    box.setEscapeButton(made[2]);
    box.exec();
    for (int i = 0; i < 2; ++i)
        if (box.clickedButton() == made[i])
            return i;
    return 2;
}

// The question with "Сохранить", "Не сохранять" and "Отмена".
SaveChangesAnswer askSave(QWidget* parent, const QString& question, const QString& details)
{
    static const SaveChangesAnswer answers[] = {SaveChangesAnswer::Save, SaveChangesAnswer::Discard,
                                                SaveChangesAnswer::Cancel};
    const QString buttons[3] = {QStringLiteral("Сохранить"), QStringLiteral("Не сохранять"), QStringLiteral("Отмена")};
    return answers[askThree(parent, question, details, buttons, QMessageBox::DestructiveRole)];
}

} // namespace

SaveChangesAnswer StandardDialogs::askSaveChanges(QWidget* parent, const QString& projectName)
{
    return askSave(parent, QStringLiteral("Сохранить изменения в проекте?"),
                   projectName.isEmpty()
                       ? QString()
                       : QStringLiteral("Проект «%1» изменён после последнего сохранения.").arg(projectName));
}

SaveChangesAnswer StandardDialogs::askSaveObject(QWidget* parent)
{
    return askSave(parent, QStringLiteral("Сохранить объект?"),
                   QStringLiteral("Объект изменён после последнего сохранения; без сохранения изменения пропадут."));
}

std::optional<NewProjectAnswer> StandardDialogs::askNewProject(QWidget* parent, const QString& projectsFolder)
{
    NewProjectDialog dialog(projectsFolder, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return NewProjectAnswer{dialog.folder(), dialog.name()};
}

UpdateObjectAnswer StandardDialogs::askUpdateObject(QWidget* parent, const QString& name)
{
    static const UpdateObjectAnswer answers[] = {UpdateObjectAnswer::Update, UpdateObjectAnswer::LoadAnother,
                                                 UpdateObjectAnswer::Cancel};
    const QString buttons[3] = {QStringLiteral("Да"), QStringLiteral("Нет"), QStringLiteral("Отмена")};
    return answers[askThree(parent, QStringLiteral("Объект «%1» уже есть в проекте. Обновить его?").arg(name),
                            QStringLiteral("«Да» — заменить копию проекта и рисунки новыми, сохранив расставленные "
                                           "объекты и их настройки; «Нет» — загрузить ещё одну группу из этого файла."),
                            buttons, QMessageBox::NoRole)];
}

std::optional<int> StandardDialogs::chooseExample(QWidget* parent, const QStringList& examples)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ExampleDialog"));
    dialog.setWindowTitle(QStringLiteral("Открыть пример"));
    auto* label = new QLabel(QStringLiteral("Пример откроется копией в папке проектов: его можно менять."), &dialog);
    auto* list = new QListWidget(&dialog);
    list->setObjectName(QStringLiteral("lbExamples"));
    list->setAccessibleName(QStringLiteral("Примеры"));
    list->addItems(examples);
    list->setCurrentRow(0);
    list->setMinimumWidth(480);
    label->setBuddy(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return list->currentRow();
}

bool mayGoOn(SaveChangesAnswer answer, const std::function<bool()>& save)
{
    switch (answer) {
    case SaveChangesAnswer::Save:
        // A save refused or cancelled keeps the work where it is.
        return save();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        return false;
    }
    return false;
}

bool mayDropObject(StandardDialogs& dialogs, QWidget* parent, bool modified, const std::function<bool()>& save)
{
    return !modified || mayGoOn(dialogs.askSaveObject(parent), save);
}

bool StandardDialogs::askRestoreRecovery(QWidget* parent, const QDateTime& written)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrava"),
                    QStringLiteral("Восстановить несохранённые изменения от %1?")
                        .arg(written.toLocalTime().toString(QStringLiteral("HH:mm"))),
                    QMessageBox::NoButton, parent);
    box.setInformativeText(QStringLiteral("Программа завершилась, не сохранив изменения проекта; их копия осталась."));
    QPushButton* restore = box.addButton(QStringLiteral("Восстановить"), QMessageBox::AcceptRole);
    QPushButton* drop = box.addButton(QStringLiteral("Не восстанавливать"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(drop);
    box.exec();
    return box.clickedButton() == restore;
}

} // namespace kestrava::editor
