#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace kestrava::editor {

class GuideWindow;

// Opens the guide at the page of the window in front: from the main
// window's "Руководство" (F1), and from F1 pressed in any other window of
// the program, modal dialogs included (the guide then opens over them).
class GuideLauncher : public QObject {
    Q_OBJECT
public:
    GuideLauncher(QString guideFolder, QWidget* mainWindow);
    ~GuideLauncher() override;

    // The guide at the page of the window `focus` belongs to.
    void showFor(const QWidget* focus);
    // The guide window while it is open.
    GuideWindow* window() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_folder;
    QWidget* m_mainWindow;
    QPointer<GuideWindow> m_window;
};

} // namespace kestrava::editor
