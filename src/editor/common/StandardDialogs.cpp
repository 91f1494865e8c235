#include "editor/common/StandardDialogs.h"

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

SaveChangesAnswer StandardDialogs::askSaveChanges(QWidget* parent, const QString& projectName)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrava"),
                    QStringLiteral("Сохранить изменения в проекте?"), QMessageBox::NoButton, parent);
    if (!projectName.isEmpty())
        box.setInformativeText(QStringLiteral("Проект «%1» изменён после последнего сохранения.").arg(projectName));
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

} // namespace kestrava::editor
