#include "editor/common/ErrorBox.h"

#include <QMessageBox>

#include <exception>

namespace kestrava::editor {

namespace {
std::function<void(const QString&)>& errorSink()
{
    static std::function<void(const QString&)> sink;
    return sink;
}

void show(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& message)
{
    if (const auto& sink = errorSink()) {
        sink(message);
        return;
    }
    QMessageBox box(icon, title, message, QMessageBox::Ok, parent);
    box.exec();
}
} // namespace

void setErrorSink(std::function<void(const QString&)> sink)
{
    errorSink() = std::move(sink);
}

void showError(QWidget* parent, const QString& message)
{
    show(parent, QMessageBox::Critical, QStringLiteral("Ошибка"), message);
}

void showWarning(QWidget* parent, const QString& message)
{
    show(parent, QMessageBox::Warning, QStringLiteral("Предупреждение"), message);
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
