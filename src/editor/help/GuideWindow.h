#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace kestrava::editor {

// "Руководство": the guide's Markdown pages in a text browser, with the
// browser's own history. Pages and pictures are read from one folder.
class GuideWindow : public QWidget {
    Q_OBJECT
public:
    GuideWindow(const QString& guideFolder, QWidget* parent = nullptr);

    // Shows page (a file name of the guide folder).
    void showPage(const QString& page);
    // The file name of the page shown.
    QString page() const;
    QTextBrowser* browser() const { return m_browser; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_folder;
    QTextBrowser* m_browser = nullptr;
};

} // namespace kestrava::editor
