#include "editor/workspace/FileDialogs.h"

#include <QFileDialog>

namespace kestrava::editor {

QString FileDialogs::saveFileName(QWidget* parent, const QString& startDir, const QString& filter,
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

QString FileDialogs::openFileName(QWidget* parent, const QString& startDir, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), startDir, filter);
}

} // namespace kestrava::editor
