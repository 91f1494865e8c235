#include "editor/workspace/ConversionReport.h"
#include "io/Error.h"
#include "model/Project.h"
#include "support/TempAppFolder.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// What was on the screen while ConversionReport::run waited: the modal windows it
// showed, each closed the way the author would close it.
struct Seen {
    bool window = false;
    bool labelShown = false;
    QString caption;
    QString labelText;
    bool errorBox = false;
    QString error;
};

// Closes every modal window that comes up while it lives, noting what it saw.
struct Watcher {
    QTimer timer;
    explicit Watcher(Seen& seen)
    {
        QObject::connect(&timer, &QTimer::timeout, [&seen] { closeModal(seen); });
        timer.start(5);
    }
    static void closeModal(Seen& seen);
};

void Watcher::closeModal(Seen& seen)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* window = qobject_cast<editor::ConversionReport*>(modal)) {
        seen.window = true;
        seen.caption = window->windowTitle();
        seen.labelShown = window->label()->isVisible();
        seen.labelText = window->label()->text();
        QTest::mouseClick(window->label(), Qt::LeftButton);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        seen.errorBox = true;
        seen.error = box->text();
        box->accept();
    }
}

} // namespace

TEST(ConversionReport, SuccessShowsTheLabelAndAClickCloses)
{
    test::TempAppFolder tmp;
    model::Project project;
    project.ProjectDir = tmp.makeDir(u"game"_s);
    Seen seen;
    Watcher watcher(seen);
    EXPECT_TRUE(editor::ConversionReport::run(nullptr, project, tmp.app()));
    EXPECT_TRUE(seen.window);
    EXPECT_FALSE(seen.errorBox);
    EXPECT_EQ(seen.caption, u"Конвертирование проекта"_s);
    EXPECT_TRUE(seen.labelShown);
    EXPECT_EQ(seen.labelText, u"Конвертирование успешно завершено"_s);
    EXPECT_TRUE(QFileInfo::exists(project.projectPath(u"src/Etap0.java"_s)));
}

TEST(ConversionReport, FailureShowsTheErrorAndNoSuccessLabel)
{
    test::TempAppFolder tmp;
    model::Project project; // no project folder chosen
    Seen seen;
    Watcher watcher(seen);
    EXPECT_FALSE(editor::ConversionReport::run(nullptr, project, tmp.app()));
    EXPECT_FALSE(seen.window);
    EXPECT_TRUE(seen.errorBox);
    EXPECT_TRUE(seen.error.contains(u"Папка проекта не выбрана"_s)) << seen.error.toStdString();
}

TEST(ConversionReport, AClickOnTheWindowClosesIt)
{
    editor::ConversionReport window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}
