#pragma once

#include <QDialog>

class QLabel;

namespace kestrava::model { class Project; }
namespace kestrava::io { class AppFolder; }

namespace kestrava::editor {

// "Запуск" → "Конвертировать": the window that reports a finished conversion.
// A click on the window or on its label closes it.
class ConversionReport : public QDialog {
    Q_OBJECT
public:
    // Converts the project, then shows the window modally. A failed conversion
    // shows its error in the error box instead, and no window. True on success.
    static bool run(QWidget* parent, const model::Project& project, const io::AppFolder& app);

    explicit ConversionReport(QWidget* parent = nullptr);

    QLabel* label() const { return m_label; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_label;
};

} // namespace kestrava::editor
