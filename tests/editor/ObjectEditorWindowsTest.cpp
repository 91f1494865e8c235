#include "ErrorCapture.h"
#include "FakeColour.h"
#include "FakeDialogs.h"

#include "editor/common/ColourDialog.h"
#include "editor/objects/PictureBox.h"
#include "editor/objects/ActiveObjectEditorWindow.h"
#include "editor/objects/LivesBarEditorWindow.h"
#include "editor/objects/FontDialogWindow.h"
#include "io/Png.h"
#include "objects/ActiveEditor.h"
#include "objects/LivesEditor.h"
#include "objects/TextObjectFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Windows {
    test::TempAppFolder tmp;
    std::shared_ptr<test::FakeDialogs::Log> log = std::make_shared<test::FakeDialogs::Log>();
    test::FakeDialogs dialogs{log};
    test::ErrorCapture errors;

    QString strip(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int x = 0; x < width; ++x)
            for (int y = 0; y < height; ++y)
                image.setPixel(x, y, qRgb(x % 256, 100, 50));
        const QString path = tmp.makeDir(u"images"_s) + u"/strip.png"_s;
        io::writePng(image, path);
        return path;
    }
};

using test::FakeColour;

// Every control an author works with is named for a screen reader, and every button says what it does.
void expectNamed(const QWidget& window)
{
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window))
            continue;
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            EXPECT_FALSE(button->text().isEmpty()) << w->metaObject()->className();
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QPlainTextEdit*>(w)
            || qobject_cast<QListWidget*>(w) || dynamic_cast<editor::PictureBox*>(w))
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
    }
}

} // namespace

// A click on frame k of the active editor's strip, with the given button.
void clickFrame(editor::ActiveObjectEditorWindow& window, int k, Qt::MouseButton button = Qt::LeftButton)
{
    QListWidgetItem* item = window.lwFrames->item(k - 1);
    ASSERT_TRUE(item) << k;
    window.lwFrames->scrollToItem(item);
    QTest::mouseClick(window.lwFrames->viewport(), button, {}, window.lwFrames->visualItemRect(item).center());
}

TEST(ActiveObjectWindow, FramesByClicksInTheStripUndoPreviewSaveAndReopen)
{
    Windows f;
    editor::ActiveObjectEditorWindow window(f.tmp.app(), f.dialogs);
    expectNamed(window);
    window.show();
    objects::ActiveEditor& e = window.editor();
    EXPECT_FALSE(window.frameBoxes[1]->isEnabled());
    EXPECT_FALSE(window.bPlay->isEnabled());
    EXPECT_EQ(window.lwFrames->count(), 0);

    // A count changed before any strip is nothing to save: closing asks nothing.
    {
        editor::ActiveObjectEditorWindow bare(f.tmp.app(), f.dialogs);
        bare.show();
        bare.seFrameCount->setValue(4);
        ASSERT_TRUE(bare.editor().isModified());
        bare.close();
        EXPECT_FALSE(bare.isVisible());
        EXPECT_EQ(f.log->questions, 0);
    }

    // A click on the empty picture asks for the strip as "Загрузить изображение" does; on a loaded one, nothing.
    f.log->answers << f.strip(160, 10);
    QTest::mouseClick(window.imStrip, Qt::LeftButton);
    EXPECT_EQ(f.log->startDirs.last(), f.tmp.app().images());
    ASSERT_TRUE(e.pictureLoaded());
    ASSERT_EQ(window.lwFrames->count(), 16);
    const qsizetype asked = f.log->startDirs.size();
    QTest::mouseClick(window.imStrip, Qt::LeftButton);
    EXPECT_EQ(f.log->startDirs.size(), asked);
    EXPECT_EQ(window.lwFrames->item(15)->data(Qt::AccessibleTextRole).toString(), u"Кадр 16"_s);

    // Clicks add frames in order, no question asked; the right button takes the last one of a frame out.
    for (int k : {3, 5, 3})
        clickFrame(window, k);
    EXPECT_EQ(e.sequence(), (std::vector<int>{3, 5, 3}));
    EXPECT_TRUE(window.lwFrames->item(2)->text().contains(u"✓"_s));
    const int steps = e.undoStack().count();
    clickFrame(window, 9, Qt::RightButton); // not in the sequence: nothing, no step
    EXPECT_EQ(e.undoStack().count(), steps);
    clickFrame(window, 3, Qt::RightButton);
    EXPECT_EQ(e.sequence(), (std::vector<int>{3, 5}));
    // A frame box empties its position; the next click fills that gap.
    QTest::mouseClick(window.frameBoxes[1], Qt::LeftButton);
    EXPECT_EQ(e.entry(1, 1, 1), u"0"_s);
    clickFrame(window, 7);
    EXPECT_EQ(e.sequence(), (std::vector<int>{7, 5}));
    // Six positions: the seventh frame is refused with a message.
    for (int k : {1, 2, 4, 6})
        clickFrame(window, k);
    EXPECT_TRUE(f.errors.messages.isEmpty()) << f.errors.messages.join(u'\n').toStdString();
    clickFrame(window, 8);
    EXPECT_EQ(e.sequence(), (std::vector<int>{7, 5, 1, 2, 4, 6}));
    ASSERT_EQ(f.errors.messages.size(), 1);
    EXPECT_TRUE(f.errors.messages.takeFirst().contains(u"заняты"_s));
    // A right click on a position frees it too; "Во все направления" gives the rest to every direction.
    window.frameBoxes[6]->customContextMenuRequested(QPoint(5, 5));
    EXPECT_EQ(e.entry(6, 1, 1), u"0"_s);
    QTest::mouseClick(window.bCopyToAll, Qt::LeftButton);
    EXPECT_EQ(e.entry(2, 4, 1), u"5"_s);
    e.undoStack().undo();
    EXPECT_EQ(e.entry(2, 4, 1), u"0"_s);
    clickFrame(window, 6);

    // A typed count of 0 is refused and the box shows the count again.
    window.seFrameCount->selectAll();
    QTest::keyClicks(window.seFrameCount, u"0"_s);
    QTest::keyClick(window.seFrameCount, Qt::Key_Return);
    EXPECT_EQ(f.errors.messages.size(), 1);
    EXPECT_EQ(window.seFrameCount->value(), 16);
    EXPECT_EQ(e.frameCount(), 16);
    f.errors.messages.clear();

    // "Атака" facing up has a sequence of its own; Ctrl+Z there, from another
    // state, shows where the step was undone.
    window.cbState->setCurrentIndex(2);
    QTest::mouseRelease(window.imDirection, Qt::LeftButton, {}, QPoint(68, 10));
    EXPECT_EQ(e.direction(), 2);
    EXPECT_EQ(e.frameAt(1), 0);
    clickFrame(window, 5);
    clickFrame(window, 6);
    EXPECT_EQ(e.sequence(), (std::vector<int>{5, 6}));
    window.cbState->setCurrentIndex(0);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.cbState->currentIndex(), 2);
    EXPECT_EQ(e.direction(), 2);
    EXPECT_EQ(e.sequence(), (std::vector<int>{5}));
    QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(e.sequence(), (std::vector<int>{5, 6}));

    // The preview runs in the direction picture until the window closes.
    ASSERT_TRUE(window.bPlay->isEnabled());
    const QImage still = window.imDirection->image();
    window.bPlay->click();
    EXPECT_TRUE(window.playing());
    EXPECT_NE(window.imDirection->image(), still);
    const QImage first = window.imDirection->image();
    QTRY_VERIFY_WITH_TIMEOUT(window.imDirection->image() != first, 1000);
    // Closing over unsaved frames asks: "Отмена" keeps the window and its work.
    f.log->saveAnswers << editor::SaveChangesAnswer::Cancel;
    window.close();
    EXPECT_EQ(f.log->questions, 1);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(e.sequence(), (std::vector<int>{5, 6}));
    window.hide();
    EXPECT_FALSE(window.playing());
    window.show();

    // A cancelled save writes nothing; an answered one writes the object, which opens again.
    const QString before = test::folderSnapshot(f.tmp.root());
    EXPECT_FALSE(window.N_SaveClick());
    EXPECT_EQ(test::folderSnapshot(f.tmp.root()), before);
    EXPECT_EQ(f.log->startDirs.last(), f.tmp.app().objects());
    const QString oba = f.tmp.app().objectFile(u"hero.oba"_s);
    f.log->answers << oba;
    EXPECT_TRUE(window.N_SaveClick());
    window.close(); // saved: nothing to ask
    EXPECT_EQ(f.log->questions, 1);
    EXPECT_FALSE(window.isVisible());

    editor::ActiveObjectEditorWindow again(f.tmp.app(), f.dialogs);
    again.show();
    f.log->answers << oba;
    again.N_Open->trigger();
    EXPECT_EQ(again.editor().objectFile(oba), e.objectFile(oba));
    EXPECT_TRUE(again.frameBoxes[1]->isEnabled());
    EXPECT_EQ(again.editor().undoStack().count(), 0);

    // "Новый" over unsaved work asks; "Не сохранять" starts from an empty table and no strip.
    clickFrame(again, 5, Qt::RightButton);
    f.log->saveAnswers << editor::SaveChangesAnswer::Cancel << editor::SaveChangesAnswer::Discard;
    again.N_New->trigger();
    EXPECT_EQ(again.editor().sequence(), (std::vector<int>{7, 1, 2, 4, 6}));
    EXPECT_TRUE(again.editor().pictureLoaded()) << "«Отмена» keeps the object";
    again.N_New->trigger();
    EXPECT_EQ(f.log->questions, 3);
    EXPECT_FALSE(again.editor().pictureLoaded());
    EXPECT_EQ(again.lwFrames->count(), 0);
    for (int d = 1; d <= 4; ++d)
        for (int b = 1; b <= 4; ++b)
            EXPECT_EQ(again.editor().entry(1, d, b), u"0"_s) << d << b;
    EXPECT_FALSE(again.editor().isModified());
}

TEST(BarWindow, SaveNeedsAPictureAndClosesTheWindowOnlyWhenWritten)
{
    Windows f;
    editor::LivesBarEditorWindow window(f.tmp.app(), f.dialogs);
    expectNamed(window);
    window.show();
    window.N_Save->trigger();
    EXPECT_EQ(f.errors.messages.size(), 1);
    EXPECT_TRUE(f.log->filters.isEmpty()); // said before any dialog

    QImage bar(30, 6, QImage::Format_RGB32);
    bar.fill(qRgb(250, 0, 0));
    const QString source = f.tmp.makeDir(u"images"_s) + u"/bar.bmp"_s;
    io::writeBmp(bar, source);
    f.log->answers << source;
    window.N_LoadPicture->trigger();
    EXPECT_EQ(window.imBar->image(), window.editor().view());
    EXPECT_EQ(window.imBar->image().pixel(16, 16), qRgb(250, 0, 0));

    const QString before = test::folderSnapshot(f.tmp.root());
    window.N_Save->trigger();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(test::folderSnapshot(f.tmp.root()), before);

    window.rbVertical->click();
    const QString obl = f.tmp.app().objectFile(u"life.obl"_s);
    f.log->answers << obl;
    window.N_Save->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(objects::BarObjectFile::read(obl).Direction, u"vert"_s);

    editor::LivesBarEditorWindow again(f.tmp.app(), f.dialogs);
    EXPECT_EQ(again.windowTitle(), u"Индикатор жизней"_s);
    f.log->answers << obl;
    again.N_Open->trigger();
    EXPECT_TRUE(again.rbVertical->isChecked());
    EXPECT_EQ(f.errors.messages.size(), 1);
    again.show();
    again.close(); // just opened: nothing to ask
    EXPECT_EQ(f.log->questions, 0);

    // A PNG is taken too, laid on white, and saved as the BMP of the object's name.
    again.show();
    QImage png(8, 4, QImage::Format_ARGB32);
    png.fill(Qt::transparent);
    png.setPixel(0, 0, qRgba(0, 0, 255, 255));
    const QString pngFile = f.tmp.makeDir(u"images"_s) + u"/heart.png"_s;
    io::writePng(png, pngFile);
    f.log->answers << pngFile;
    again.N_LoadPicture->trigger();
    EXPECT_EQ(f.errors.messages.size(), 1);
    EXPECT_EQ(again.editor().picture().size(), QSize(8, 4));
    EXPECT_EQ(again.editor().picture().pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(again.editor().picture().pixel(5, 2), qRgb(255, 255, 255));
    // Closing over it asks; "Отмена" keeps it, "Сохранить" writes it and closes.
    f.log->saveAnswers << editor::SaveChangesAnswer::Cancel;
    again.close();
    EXPECT_TRUE(again.isVisible());
    const QString heart = f.tmp.app().objectFile(u"heart.obl"_s);
    f.log->saveAnswers << editor::SaveChangesAnswer::Save;
    f.log->answers << heart;
    again.close();
    EXPECT_EQ(f.log->questions, 2);
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(io::readBmp(f.tmp.app().objectFile(u"heart.bmp"_s)).pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(objects::BarObjectFile::read(heart).Width, 8);
}

TEST(FontWindow, FontRecordInAndOutColourAndTextObject)
{
    Windows f;
    editor::FontDialogWindow window(f.tmp.app(), f.dialogs);
    expectNamed(window);
    window.show();
    EXPECT_EQ(window.GetFont(), objects::FontRecord{});

    // A size chosen, then a record without one: none is chosen again.
    window.rbSize[2]->click();
    window.cbItalic->click();
    EXPECT_EQ(window.GetFont().FontSize, 2);
    objects::FontRecord font;
    font.FontFace = 2;
    font.Underline = 1;
    font.Colour = 197121;
    window.SetFont(font);
    EXPECT_EQ(window.GetFont(), font);

    window.setColourDialog(std::make_unique<FakeColour>(std::nullopt));
    window.bColour->click();
    EXPECT_EQ(window.GetFont().Colour, 197121);
    window.setColourDialog(std::make_unique<FakeColour>(QColor(Qt::red)));
    window.bColour->click();
    EXPECT_EQ(window.GetFont().Colour, 255);

    // A line windows-1251 lacks is refused and the window stays; then the text is saved and it closes.
    const QString obt = f.tmp.app().objectFile(u"title.obt"_s);
    window.Memo->insertPlainText(u"Очки: 0\n漢"_s);
    f.log->answers << obt;
    window.N_Save->trigger();
    EXPECT_EQ(f.errors.messages.size(), 1);
    EXPECT_FALSE(QFile::exists(obt));
    EXPECT_TRUE(window.isVisible());
    QTest::keyClick(window.Memo, Qt::Key_Backspace);
    f.log->answers << obt;
    window.N_Save->trigger();
    EXPECT_FALSE(window.isVisible());
    const objects::TextObjectFile saved = objects::TextObjectFile::read(obt);
    EXPECT_EQ(saved.lines, QStringList({u"Очки: 0"_s}));
    EXPECT_EQ(saved.Colour, 255);
    EXPECT_EQ(saved.FontFace, 2);
    EXPECT_EQ(f.log->questions, 0);

    // A text may show the project's values in braces; one naming none is refused before a file is asked.
    editor::FontDialogWindow values(f.tmp.app(), f.dialogs);
    values.setTextObjectEditor(true);
    values.setTextValues({u"очки"_s, u"монеты"_s});
    values.show();
    EXPECT_TRUE(values.bValue->isVisible());
    values.bValue->menu()->actions().at(1)->trigger();
    values.Memo->insertPlainText(u" {монетки}"_s);
    const qsizetype asked = f.log->startDirs.size();
    values.N_Save->trigger();
    EXPECT_EQ(f.errors.messages.size(), 2);
    EXPECT_TRUE(f.errors.messages.last().contains(u"«монетки»"_s));
    EXPECT_EQ(f.log->startDirs.size(), asked) << "no file asked for a text that cannot be saved";
    values.Memo->setPlainText(values.Memo->toPlainText().remove(u" {монетки}"_s));
    f.log->answers << obt;
    values.N_Save->trigger();
    EXPECT_FALSE(values.isVisible());
    EXPECT_EQ(objects::TextObjectFile::read(obt).lines, QStringList({u"{монеты}"_s}));

    // The text object editor asks before a typed text is lost; the shared font dialog never does.
    editor::FontDialogWindow text(f.tmp.app(), f.dialogs);
    text.setTextObjectEditor(true);
    text.show();
    text.close();
    EXPECT_EQ(f.log->questions, 0);
    // Typed and taken back, a choice made and taken back: nothing to lose.
    text.show();
    text.Memo->insertPlainText(u"x"_s);
    text.cbBold->click();
    text.cbBold->click();
    QTest::keyClick(text.Memo, Qt::Key_Backspace);
    text.close();
    EXPECT_FALSE(text.isVisible());
    EXPECT_EQ(f.log->questions, 0);
    text.show();
    text.Memo->insertPlainText(u"Жизни"_s);
    f.log->saveAnswers << editor::SaveChangesAnswer::Cancel << editor::SaveChangesAnswer::Discard;
    text.close();
    EXPECT_TRUE(text.isVisible());
    text.close();
    EXPECT_FALSE(text.isVisible());
    EXPECT_EQ(f.log->questions, 2);
    editor::FontDialogWindow shared(f.tmp.app(), f.dialogs);
    shared.show();
    shared.Memo->insertPlainText(u"Жизни"_s);
    shared.rbSize[1]->click();
    shared.close();
    EXPECT_FALSE(shared.isVisible());
    EXPECT_EQ(f.log->questions, 2);
}
