#include "editor/help/GuideWindow.h"

#include "editor/help/GuidePages.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::editor {

GuideWindow::GuideWindow(const QString& guideFolder, QWidget* parent) : QWidget(parent, Qt::Window), m_folder(guideFolder)
{
    setObjectName(u"fmGuide"_s);
    setWindowTitle(u"Руководство"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    // Wide enough for the tutorial's screenshots without scrolling, where the screen allows.
    QSize size(1080, 820);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 9 / 10);
    resize(size);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(u"tbGuide"_s);
    m_browser->setAccessibleName(u"Страница руководства"_s);
    m_browser->setSearchPaths({guideFolder});
    m_browser->setOpenExternalLinks(true);

    const auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(text);
        return b;
    };
    QPushButton* back = button(u"Назад"_s, "bBack");
    QPushButton* forward = button(u"Вперёд"_s, "bForward");
    QPushButton* contents = button(u"Содержание"_s, "bContents");
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, [this] { showPage(QString::fromLatin1(kGuideContents)); });

    auto* bar = new QHBoxLayout;
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(contents);
    bar->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
}

void GuideWindow::showPage(const QString& page)
{
    const QString file = QDir(m_folder).filePath(page);
    if (!QFileInfo(file).isFile()) {
        m_browser->setMarkdown(u"# Руководство не найдено\n\nНет страницы «%1» в папке «%2». "
                               u"Руководство ставится вместе с программой; соберите программу заново "
                               u"или переустановите её."_s.arg(page, QDir::toNativeSeparators(m_folder)));
        return;
    }
    m_browser->setSource(QUrl::fromLocalFile(file), QTextDocument::MarkdownResource);
}

void GuideWindow::keyPressEvent(QKeyEvent* event)
{
    // A window of help closes with Esc, as dialogs do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

QString GuideWindow::page() const
{
    return QFileInfo(m_browser->source().toLocalFile()).fileName();
}

} // namespace kestrava::editor
