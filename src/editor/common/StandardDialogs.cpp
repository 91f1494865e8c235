#include "editor/common/StandardDialogs.h"

#include <QDateTime>
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

SaveChangesAnswer StandardDialogs::askSaveMap(QWidget* parent)
{
    return askSave(parent, QStringLiteral("Сохранить карту?"),
                   QStringLiteral("Карта изменена после последнего сохранения; без сохранения она пропадёт."));
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
