#include "ErrorCapture.h"
#include "FakeDialogs.h"

#include "editor/objects/ObjectKindChooser.h"
#include "editor/objects/BackgroundEditorWindow.h"
#include "editor/workspace/MainWindow.h"
#include "io/Png.h"
#include "objects/FonEditor.h"
#include "support/TempAppFolder.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using editor::BackgroundEditorWindow;

namespace {

QWidget* named(QWidget* window, const QString& accessibleName)
{
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->accessibleName() == accessibleName)
            return w;
    return nullptr;
}

void send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, at, w->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

class BackgroundEditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A 4 x 2 sheet of 10-pixel tiles, tile k grey k * 20.
        QImage sheet(40, 20, QImage::Format_RGB32);
        for (int k = 1; k <= 8; ++k)
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x)
                    sheet.setPixel((k - 1) % 4 * 10 + x, (k - 1) / 4 * 10 + y, qRgb(k * 20, k * 20, k * 20));
        io::writePng(sheet, folder.app().imageFile(u"sheet.png"_s));
        window = std::make_unique<BackgroundEditorWindow>(folder.app(), dialogs);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        grid = named(window.get(), u"Поле карты"_s);
        palette = named(window.get(), u"Палитра"_s);
        ASSERT_TRUE(grid && palette);
        ASSERT_TRUE(named(window.get(), u"Исходное изображение"_s) && named(window.get(), u"Предпросмотр"_s));
    }

    QSpinBox* box(const QString& name) { return static_cast<QSpinBox*>(named(window.get(), name)); }

    void loadSheet()
    {
        log->answers << folder.app().imageFile(u"sheet.png"_s);
        window->N_LoadPicture->trigger();
        box(u"Кадров в ширину"_s)->setValue(4);
        box(u"Кадров в высоту"_s)->setValue(2);
    }

    test::TempAppFolder folder;
    std::shared_ptr<test::FakeDialogs::Log> log = std::make_shared<test::FakeDialogs::Log>();
    test::FakeDialogs dialogs{log};
    test::ErrorCapture errors;
    std::unique_ptr<BackgroundEditorWindow> window;
    QWidget* grid = nullptr;
    QWidget* palette = nullptr;
};

} // namespace

TEST_F(BackgroundEditorTest, LoadCutPaintByDraggingUndoAndSave)
{
    objects::FonEditor& e = window->editor();
    EXPECT_FALSE(window->N_Cut->isEnabled());
    loadSheet();
    EXPECT_EQ(log->startDirs.value(0), folder.app().images());
    EXPECT_TRUE(window->N_Cut->isEnabled());
    EXPECT_EQ(e.tileWidth(), 10);
    box(u"Ячеек в ширину"_s)->stepBy(5);
    box(u"Ячеек в высоту"_s)->stepBy(2);
    EXPECT_EQ(grid->size(), QSize(60, 30));

    // Tile 6 is in the first palette column, row 5.
    QTest::mouseClick(palette, Qt::LeftButton, {}, QPoint(7, 5 * 15 + 7));
    EXPECT_EQ(e.selectedTile(), 6);
    // A drag over the top row, and back.
    send(grid, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    send(grid, QEvent::MouseMove, QPoint(55, 8), Qt::LeftButton);
    send(grid, QEvent::MouseMove, QPoint(15, 8), Qt::LeftButton);
    send(grid, QEvent::MouseButtonRelease, QPoint(15, 8), Qt::NoButton);
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(e.cell(c, 0), 6) << c;
    EXPECT_EQ(grid->grab().toImage().pixel(55, 5), qRgb(120, 120, 120));
    // A click toggles.
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(e.cell(2, 2), 6);
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(25, 25));
    EXPECT_EQ(e.cell(2, 2), 0);

    // Ctrl+Z undoes the click, then the whole drag; Ctrl+Y brings it back.
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.cell(2, 2), 6);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(e.cell(3, 0), 0);
    EXPECT_EQ(grid->grab().toImage().pixel(55, 5), qRgb(255, 255, 255));
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e.cell(3, 0), 6);

    // A typed cell count is taken on Enter or when the box is left; one out
    // of range is refused with a message and the box goes back.
    QSpinBox* columns = box(u"Ячеек в ширину"_s);
    QSpinBox* rows = box(u"Ячеек в высоту"_s);
    const auto type = [&](QSpinBox* b, const QString& text, bool enter) {
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, text);
        if (enter)
            QTest::keyClick(b, Qt::Key_Return);
        else
            b->clearFocus();
    };
    type(columns, u"15"_s, true);
    type(rows, u"10"_s, false);
    EXPECT_EQ(e.mapColumns(), 15);
    EXPECT_EQ(e.mapRows(), 10);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    type(columns, u"100"_s, true);
    EXPECT_EQ(e.mapColumns(), 100);
    for (const QString& wrong : {u"101"_s, u"0"_s}) {
        type(columns, wrong, true);
        EXPECT_EQ(e.mapColumns(), 100) << wrong.toStdString();
        EXPECT_EQ(columns->value(), 100);
        ASSERT_EQ(errors.messages.size(), 1);
        EXPECT_TRUE(errors.messages.takeFirst().contains(u"от 1 до 100"_s));
    }
    type(rows, u"1"_s, true);
    EXPECT_EQ(e.mapRows(), 1);
    // The arrows stop at the range's ends without a word.
    rows->stepBy(-1);
    EXPECT_EQ(rows->value(), 1);
    type(columns, u"6"_s, true);
    type(rows, u"3"_s, true);
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    EXPECT_EQ(e.cell(3, 0), 6) << "cells outside a smaller grid are kept";

    const QString obf = folder.app().objectFile(u"road.obf"_s);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->windowTitle(), BackgroundEditorWindow::kCaption + u" — новая карта[*]"_s);
    log->answers << obf;
    window->N_Save->trigger();
    ASSERT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
    // Saved: the title names the file and the unsaved sign is gone.
    EXPECT_EQ(window->windowTitle(), BackgroundEditorWindow::kCaption + u" — road.obf[*]"_s);
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_EQ(log->startDirs.last(), folder.app().objects());
    EXPECT_EQ(log->filters.last(), BackgroundEditorWindow::kObjectFilter);
    EXPECT_TRUE(QFileInfo::exists(folder.app().objectFile(u"road.png"_s)));
    EXPECT_TRUE(QFileInfo::exists(folder.app().objectFile(u"road.bmp"_s)));

    // Opened again in a fresh window, the map is there.
    BackgroundEditorWindow again(folder.app(), dialogs);
    log->answers << obf;
    again.N_Open->trigger();
    EXPECT_EQ(again.editor().cell(5, 0), 6);
    EXPECT_TRUE(again.windowTitle().contains(u"road.obf"_s));
    EXPECT_FALSE(again.isWindowModified());
    EXPECT_EQ(static_cast<QSpinBox*>(named(&again, u"Ячеек в ширину"_s))->value(), 6);
    EXPECT_EQ(static_cast<QSpinBox*>(named(&again, u"Ячеек в высоту"_s))->value(), 3);
}

TEST_F(BackgroundEditorTest, NothingIsSavedOrLostUnasked)
{
    // "Сохранить" before a picture: said, and no file dialog.
    window->N_Save->trigger();
    ASSERT_EQ(errors.messages.size(), 1);
    EXPECT_TRUE(errors.messages.first().contains(u"изображение не загружено"_s));
    EXPECT_TRUE(log->startDirs.isEmpty());
    // A count that gives tiles under a pixel is refused and the box goes back.
    QImage thin(3, 3, QImage::Format_RGB32);
    thin.fill(Qt::blue);
    io::writePng(thin, folder.app().imageFile(u"thin.png"_s));
    log->answers << folder.app().imageFile(u"thin.png"_s);
    window->N_LoadPicture->trigger();
    box(u"Кадров в ширину"_s)->setValue(7);
    EXPECT_EQ(box(u"Кадров в ширину"_s)->value(), 3);
    EXPECT_EQ(errors.messages.size(), 2);

    // "Открыть" over unsaved work asks first; "Отмена" opens no file dialog.
    const qsizetype fileDialogs = log->startDirs.size();
    window->N_Open->trigger();
    EXPECT_EQ(log->startDirs.size(), fileDialogs);
    EXPECT_EQ(log->questions, 1);

    // Closing over unsaved work asks; "Отмена" keeps the window, a cancelled
    // save too; "Не сохранять" closes.
    window->close();
    EXPECT_TRUE(window->isVisible());
    log->saveAnswers << editor::SaveChangesAnswer::Save;
    window->close();
    EXPECT_TRUE(window->isVisible());
    log->saveAnswers << editor::SaveChangesAnswer::Discard;
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(log->questions, 4);
}

TEST(ObjectChooserTest, CreateOpensTheChooserAndTheEditorOfEachKind)
{
    test::TempAppFolder folder;
    test::ErrorCapture errors;
    auto log = std::make_shared<test::FakeDialogs::Log>();
    editor::MainWindow window(folder.app());
    window.setDialogs(std::make_unique<test::FakeDialogs>(log));
    window.show();
    QAction* create = window.findChild<QAction*>(u"N_CreateObject"_s);
    ASSERT_NE(create, nullptr);

    // Presses a button of the chooser once it shows, then runs `next` once the chooser is gone.
    const auto pressInChooser = [](const char* button, std::function<void()> next = {}) {
        QTimer::singleShot(0, [button, next] {
            auto* chooser = qobject_cast<editor::ObjectKindChooser*>(QApplication::activeModalWidget());
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->windowTitle(), editor::ObjectKindChooser::kCaption);
            if (next)
                QTimer::singleShot(0, next);
            chooser->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        });
    };
    // Each button opens the editor of its kind once the chooser is gone.
    const std::pair<const char*, const char*> kinds[] = {{"BtFon", "kestrava::editor::BackgroundEditorWindow"},
                                                         {"BtActive", "kestrava::editor::ActiveObjectEditorWindow"},
                                                         {"BtLives", "kestrava::editor::LivesBarEditorWindow"},
                                                         {"BtText", "kestrava::editor::FontDialogWindow"}};
    for (const auto& [button, editorClass] : kinds) {
        QString opened;
        pressInChooser(button, [&opened] {
            QWidget* editor = QApplication::activeModalWidget();
            ASSERT_NE(editor, nullptr);
            opened = QString::fromLatin1(editor->metaObject()->className());
            editor->close();
        });
        create->trigger();
        EXPECT_EQ(opened, QString::fromLatin1(editorClass));
    }
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}

// A new map: the empty picture says how to start, and a click on it asks for the tiles' picture.
TEST_F(BackgroundEditorTest, AClickOnTheEmptyPictureAsksForTheTilesAndOnlyThen)
{
    auto* source = named(window.get(), u"Исходное изображение"_s);
    EXPECT_TRUE(source->toolTip().contains(u"загрузить"_s));
    QTest::mouseClick(source, Qt::LeftButton, {}, QPoint(20, 20)); // cancelled
    ASSERT_EQ(log->startDirs.size(), 1);
    EXPECT_FALSE(window->N_Cut->isEnabled());

    log->answers << folder.app().imageFile(u"sheet.png"_s);
    QTest::mouseClick(source, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(log->startDirs.size(), 2);
    EXPECT_TRUE(window->N_Cut->isEnabled());
    EXPECT_TRUE(source->toolTip().isEmpty());
    QTest::mouseClick(source, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(log->startDirs.size(), 2) << "a loaded picture is not asked for again";
    EXPECT_TRUE(errors.messages.isEmpty()) << errors.messages.join(u'\n').toStdString();
}
