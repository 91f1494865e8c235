#include "ErrorCapture.h"
#include "FakeColour.h"
#include "FakeDialogs.h"

#include "editor/common/ColourDialog.h"
#include "editor/objects/PictureBox.h"
#include "editor/objects/TfmCreateActive.h"
#include "editor/objects/TfmLives.h"
#include "editor/objects/TfrmFont.h"
#include "io/Png.h"
#include "objects/ActiveEditor.h"
#include "objects/LivesEditor.h"
#include "objects/TextObjectFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
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
            || dynamic_cast<editor::PictureBox*>(w))
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->metaObject()->className();
    }
}

} // namespace

TEST(ActiveObjectWindow, FramesDirectionStatePreviewSaveAndReopen)
{
    Windows f;
    editor::TfmCreateActive window(f.tmp.app(), f.dialogs);
    expectNamed(window);
    QList<std::optional<int>> answers;
    window.setFrameNumberQuestion([&](QWidget*) -> std::optional<int> {
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    });
    window.show();
    objects::ActiveEditor& e = window.editor();
    EXPECT_FALSE(window.frameBoxes[1]->isEnabled());
    EXPECT_FALSE(window.bPlay->isEnabled());

    f.log->answers << f.strip(160, 10);
    window.N_LoadPicture->trigger();
    EXPECT_EQ(f.log->startDirs.last(), f.tmp.app().images());
    ASSERT_TRUE(e.pictureLoaded());

    // Box 2 gets frame 3; a question closed without "Да" and a number past the strip change nothing.
    answers << 3 << std::nullopt << 17;
    QTest::mouseClick(window.frameBoxes[2], Qt::LeftButton);
    QTest::mouseClick(window.frameBoxes[2], Qt::LeftButton);
    QTest::mouseClick(window.frameBoxes[2], Qt::LeftButton);
    EXPECT_EQ(e.entry(2, 1, 1), u"3"_s);
    ASSERT_EQ(f.errors.messages.size(), 1);
    EXPECT_TRUE(f.errors.messages[0].contains(u"17"_s));

    // A typed count of 0 is refused and the box shows the count again.
    window.seFrameCount->selectAll();
    QTest::keyClicks(window.seFrameCount, u"0"_s);
    QTest::keyClick(window.seFrameCount, Qt::Key_Return);
    EXPECT_EQ(f.errors.messages.size(), 2);
    EXPECT_EQ(window.seFrameCount->value(), 16);
    EXPECT_EQ(e.frameCount(), 16);

    // "Атака" facing up has a sequence of its own.
    window.cbState->setCurrentIndex(2);
    QTest::mouseRelease(window.imDirection, Qt::LeftButton, {}, QPoint(68, 10));
    EXPECT_EQ(e.direction(), 2);
    EXPECT_EQ(e.frameAt(2), 0);
    answers << 5 << 6;
    QTest::mouseClick(window.frameBoxes[1], Qt::LeftButton);
    QTest::mouseClick(window.frameBoxes[3], Qt::LeftButton);
    EXPECT_EQ(e.sequence(), (std::vector<int>{5, 6}));

    // The preview runs in the direction picture until the window closes.
    ASSERT_TRUE(window.bPlay->isEnabled());
    const QImage still = window.imDirection->image();
    window.bPlay->click();
    EXPECT_TRUE(window.playing());
    EXPECT_NE(window.imDirection->image(), still);
    const QImage first = window.imDirection->image();
    QTRY_VERIFY_WITH_TIMEOUT(window.imDirection->image() != first, 1000);
    window.close();
    EXPECT_FALSE(window.playing());

    // A cancelled save writes nothing; an answered one writes the object, which opens again.
    const QString before = test::folderSnapshot(f.tmp.root());
    EXPECT_FALSE(window.N_SaveClick());
    EXPECT_EQ(test::folderSnapshot(f.tmp.root()), before);
    EXPECT_EQ(f.log->startDirs.last(), f.tmp.app().objects());
    const QString oba = f.tmp.app().objectFile(u"hero.oba"_s);
    f.log->answers << oba;
    EXPECT_TRUE(window.N_SaveClick());

    editor::TfmCreateActive again(f.tmp.app(), f.dialogs);
    f.log->answers << oba;
    again.N_Open->trigger();
    EXPECT_EQ(again.editor().objectFile(oba), e.objectFile(oba));
    EXPECT_TRUE(again.frameBoxes[1]->isEnabled());
}

TEST(BarWindow, SaveNeedsAPictureAndClosesTheWindowOnlyWhenWritten)
{
    Windows f;
    editor::TfmLives window(f.tmp.app(), f.dialogs);
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

    editor::TfmLives again(f.tmp.app(), f.dialogs);
    f.log->answers << obl;
    again.N_Open->trigger();
    EXPECT_TRUE(again.rbVertical->isChecked());
    EXPECT_EQ(f.errors.messages.size(), 1);
}

TEST(FontWindow, FontRecordInAndOutColourAndTextObject)
{
    Windows f;
    editor::TfrmFont window(f.tmp.app(), f.dialogs);
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
}
