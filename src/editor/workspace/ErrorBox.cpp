#include "editor/workspace/ErrorBox.h"

#include <QMessageBox>

#include <exception>

namespace kestrava::editor {

void showError(QWidget* parent, const QString& message)
{
    QMessageBox::critical(parent, QStringLiteral("Ошибка"), message);
}

bool guarded(QWidget* parent, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (const io::Error& e) {
        showError(parent, e.message());
    } catch (const std::exception& e) {
        showError(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace kestrava::editor
