#include "editor/common/StandardDialogs.h"

#include "editor/common/NewProjectDialog.h"

#include <QFileDialog>
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

// The question with "Сохранить", "Не сохранять" and "Отмена"; closing the box is "Отмена".
SaveChangesAnswer askSave(QWidget* parent, const QString& question, const QString& details)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrava"), question, QMessageBox::NoButton, parent);
    if (!details.isEmpty())
        box.setInformativeText(details);
    QPushButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChangesAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveChangesAnswer::Discard;
    return SaveChangesAnswer::Cancel;
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
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrava"),
                    QStringLiteral("Объект «%1» уже есть в проекте. Обновить его?").arg(name), QMessageBox::NoButton,
                    parent);
    box.setInformativeText(QStringLiteral("«Да» — заменить копию проекта и рисунки новыми, сохранив расставленные "
                                          "объекты и их настройки; «Нет» — загрузить ещё одну группу из этого файла."));
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return UpdateObjectAnswer::Update;
    if (box.clickedButton() == no)
        return UpdateObjectAnswer::LoadAnother;
    return UpdateObjectAnswer::Cancel;
}

bool mayDropObject(StandardDialogs& dialogs, QWidget* parent, bool modified, const std::function<bool()>& save)
{
    if (!modified)
        return true;
    switch (dialogs.askSaveObject(parent)) {
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

} // namespace kestrava::editor
