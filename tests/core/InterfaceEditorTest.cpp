#include "io/Cp1251.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "io/ColourNames.h"
#include "interface/InterfaceEditor.h"
#include "interface/InterfaceSettings.h"
#include "support/ErrorOf.h"
#include "support/GuiApplication.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using interface::Indicator;
using interface::InterfaceEditor;

namespace {

// The preview draws the timer's text.
class InterfaceEditorTest : public test::WithGuiApplication {
protected:
    QStringList lines(const QString& path)
    {
        QStringList all = io::Cp1251::decode(io::readWholeFile(path)).split(u"\r\n"_s);
        EXPECT_EQ(all.takeLast(), QString()) << "the last line ends with CR LF";
        return all;
    }
    void writeText(const QString& path, const QString& text)
    {
        io::writeFileAtomically(path, *io::Cp1251::encode(QString(text).replace(u"\n"_s, u"\r\n"_s)));
    }
    QString strip(int width, int height, QRgb corner)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(qRgb(0, 0, 200));
        image.setPixel(0, 0, corner);
        image.setPixel(1, 1, corner);
        const QString path = tmp.root() + u"/strip%1.png"_s.arg(width);
        io::writePng(image, path);
        return path;
    }

    test::TempAppFolder tmp;
};

const QStringList kDefaultLifebar = {u"Pos.x=10"_s, u"Pos.y=10"_s, u"Height=5"_s, u"Width=60"_s,
                                     u"Bgr=clMaroon"_s, u"Fg=clRed"_s, u"Frame=clBlack"_s};

} // namespace

TEST_F(InterfaceEditorTest, SavedRightAfterStartEveryKeyInTheOrderOfTheGame)
{
    InterfaceEditor e(tmp.app());
    const QString ini = tmp.root() + u"/game.ini"_s;
    e.save(ini);
    EXPECT_EQ(lines(ini), QStringList({u"[Lifebar]"_s}) + kDefaultLifebar +
                              QStringList({u"[Ammobar]"_s, u"Pos.x=90"_s, u"Pos.y=10"_s, u"Height=5"_s, u"Width=60"_s,
                                           u"Bgr=clRed"_s, u"Fg=clLime"_s, u"Frame=clBlack"_s,
                                           u"[Timer]"_s, u"Pos.x=5"_s, u"Pos.y=188"_s, u"bgr=clBlack"_s,
                                           u"[Font]"_s, u"Type=0"_s, u"Size=-1"_s, u"Bold=0"_s, u"Italic=0"_s,
                                           u"Underline=0"_s, u"Color=clLime"_s,
                                           u"[Weapon]"_s, u"Pos.x=146"_s, u"Pos.y=188"_s, u"Frame.x=25"_s,
                                           u"Frame.y=15"_s, u"Frame.count=0"_s, u"Bgr=clBlack"_s,
                                           u"TranspColor=clBlack"_s, u"Transparent=0"_s}));
    // No weapon picture was loaded: none is written.
    EXPECT_FALSE(QFile::exists(tmp.root() + u"/Weapon.png"_s));
}

TEST_F(InterfaceEditorTest, ASecondSaveKeepsWhatWasWrittenByHandWhereItWas)
{
    const QString ini = tmp.root() + u"/game.ini"_s;
    writeText(ini, u"; раскладка для телефона\n[Lifebar]\nPos.x=1\npos.y = 2\n\n; патроны\n[Ammobar]\nWidth=7\n"
                   u"[Игра]\nPos.x=500\n[Timer]\nbgr=clRed\nPos.x=3\n[Weapon]\nPos.x=4\nPos.x=999\n"_s);
    InterfaceEditor e(tmp.app());
    e.pressed({12, 12});
    e.moved({32, 14});
    e.released();
    interface::BarRecord ammo = e.records().Ammobar;
    ammo.Fg = io::colourValue(QColor(255, 128, 0));
    e.setBar(Indicator::Ammobar, ammo);
    e.save(ini);

    EXPECT_EQ(lines(ini),
              QStringList({u"; раскладка для телефона"_s, u"[Lifebar]"_s, u"Pos.x=30"_s, u"Pos.y=12"_s,
                           u"Height=5"_s, u"Width=60"_s, u"Bgr=clMaroon"_s, u"Fg=clRed"_s, u"Frame=clBlack"_s,
                           QString(), u"; патроны"_s, u"[Ammobar]"_s, u"Width=60"_s, u"Pos.x=90"_s, u"Pos.y=10"_s,
                           u"Height=5"_s, u"Bgr=clRed"_s, u"Fg=$000080FF"_s, u"Frame=clBlack"_s, u"[Игра]"_s,
                           u"Pos.x=500"_s, u"[Timer]"_s, u"bgr=clBlack"_s, u"Pos.x=5"_s, u"Pos.y=188"_s,
                           u"[Weapon]"_s, u"Pos.x=146"_s, u"Pos.x=999"_s, u"Pos.y=188"_s, u"Frame.x=25"_s,
                           u"Frame.y=15"_s, u"Frame.count=0"_s, u"Bgr=clBlack"_s, u"TranspColor=clBlack"_s,
                           u"Transparent=0"_s, u"[Font]"_s, u"Type=0"_s, u"Size=-1"_s, u"Bold=0"_s,
                           u"Italic=0"_s, u"Underline=0"_s, u"Color=clLime"_s}));
    // The game reads what the editor wrote, not the key written twice by hand.
    const interface::InterfaceSettings game = interface::readInterfaceSettings(ini);
    EXPECT_EQ(game.lifebar.x, 30);
    EXPECT_EQ(game.ammobar.fg, 0x0080FFu);
    EXPECT_EQ(game.weaponX, 146);
    EXPECT_EQ(game.fontColour, quint32(interface::kLime));

    // A file that cannot be read is refused and left as it was.
    const QString folder = tmp.makeDir(u"taken.ini"_s);
    EXPECT_FALSE(test::errorOf([&] { e.save(folder); }).isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(InterfaceEditorTest, OpenedAgainItShowsTheFileAndSavedUnchangedRewritesItByteForByte)
{
    const QString dir = tmp.makeDir(u"game"_s);
    const QString ini = dir + u"/interface.ini"_s;
    InterfaceEditor e(tmp.app());
    interface::BarRecord life = e.records().Lifebar;
    life.X = 33;
    life.Width = 41;
    life.Fg = io::colourValue(QColor(1, 2, 3));
    e.setBar(Indicator::Lifebar, life);
    interface::TimerRecord timer = e.records().Timer;
    timer.Y = 190;
    timer.Font.FontSize = 2;
    timer.Font.Bold = 1;
    e.setTimer(timer);
    e.loadWeaponPicture(strip(100, 15, qRgb(255, 0, 255)));
    interface::WeaponRecord weapon = e.records().Weapon;
    weapon.Transparent = 1;
    e.setWeapon(weapon, interface::kRed, false);
    ASSERT_EQ(e.records().Weapon.FrameCount, 4);
    e.save(ini);
    EXPECT_FALSE(e.isModified());
    const QByteArray written = io::readWholeFile(ini);
    const QByteArray picture = io::readWholeFile(dir + u"/Weapon.png"_s);

    InterfaceEditor again(tmp.app());
    again.open(ini);
    const interface::InterfaceRecords& r = again.records();
    EXPECT_EQ(r.Lifebar, e.records().Lifebar);
    EXPECT_EQ(r.Ammobar, e.records().Ammobar);
    EXPECT_EQ(r.Timer, e.records().Timer);
    EXPECT_EQ(r.Weapon, e.records().Weapon);
    EXPECT_EQ(r.WeaponBgr, interface::kRed);
    EXPECT_TRUE(again.weaponLoaded()) << "the picture beside the file is shown";
    EXPECT_FALSE(again.isModified());
    again.save(ini);
    EXPECT_EQ(io::readWholeFile(ini), written);
    EXPECT_EQ(io::readWholeFile(dir + u"/Weapon.png"_s), picture);
    // The weapon dialog's "OK" counts frames of that picture, not of none.
    again.setWeapon(r.Weapon, r.WeaponBgr, false);
    EXPECT_EQ(again.records().Weapon.FrameCount, 4);

    // A value the dialogs refuse, or no number, refuses the file and changes nothing; 1 is taken.
    const QString hand = dir + u"/hand.ini"_s;
    const interface::InterfaceRecords before = again.records();
    for (const QString& width : {u"0"_s, u"abc"_s}) {
        writeText(hand, u"[Lifebar]\nWidth="_s + width + u"\n"_s);
        const QString why = test::errorOf([&] { again.open(hand); });
        EXPECT_TRUE(why.contains(u"hand.ini"_s)) << why.toStdString();
        EXPECT_EQ(again.records(), before);
    }
    writeText(hand, u"[Lifebar]\nWidth = 1\n"_s);
    again.open(hand);
    EXPECT_EQ(again.records().Lifebar.Width, 1);
    // Written back unchanged, a line spaced by hand keeps its spacing.
    again.save(hand);
    EXPECT_TRUE(lines(hand).contains(u"Width = 1"_s));
    // A damaged picture beside the file refuses it too, naming the picture.
    io::writeFileAtomically(dir + u"/Weapon.png"_s, "not a picture");
    const QString why = test::errorOf([&] { again.open(ini); });
    EXPECT_TRUE(why.contains(u"Weapon.png"_s)) << why.toStdString();
    EXPECT_EQ(again.records().Lifebar.Width, 1);
}

TEST_F(InterfaceEditorTest, BarsAreHitUpToTheirRightEdgeAndADragIsOneStep)
{
    InterfaceEditor e(tmp.app());
    EXPECT_EQ(e.current(), Indicator::None);
    e.pressed({70, 15}); // X + Width, Y + Height of the lives bar
    EXPECT_EQ(e.current(), Indicator::Lifebar);
    e.moved({80, 20});
    e.moved({90, 30});
    e.released();
    EXPECT_EQ(QPoint(e.records().Lifebar.X, e.records().Lifebar.Y), QPoint(30, 25));
    EXPECT_EQ(e.undoStack().count(), 1);
    e.undoStack().undo();
    EXPECT_EQ(QPoint(e.records().Lifebar.X, e.records().Lifebar.Y), QPoint(10, 10));
    e.undoStack().redo();

    // One past the right edge (30 + 60) misses it.
    e.pressed({91, 27});
    e.moved({120, 100});
    e.released();
    EXPECT_EQ(e.records().Lifebar.X, 30);
    EXPECT_EQ(e.undoStack().count(), 1);
    // Where both bars lie a press takes both, and the ammunition bar, hit later, is the current one.
    interface::BarRecord life = e.records().Lifebar;
    life.X = 90;
    life.Y = 10;
    e.setBar(Indicator::Lifebar, life);
    e.pressed({100, 12});
    EXPECT_EQ(e.current(), Indicator::Ammobar);
    e.moved({101, 12});
    EXPECT_EQ(e.records().Lifebar.X, 91);
    EXPECT_EQ(e.records().Ammobar.X, 91);
}

TEST_F(InterfaceEditorTest, AChosenTimerFollowsThePointerWithNoButtonHeld)
{
    InterfaceEditor e(tmp.app());
    e.choose(Indicator::Timer);
    EXPECT_EQ(e.current(), Indicator::Timer);
    e.moved({50, 60});
    e.moved({52, 61});
    EXPECT_EQ(QPoint(e.records().Timer.X, e.records().Timer.Y), QPoint(52, 61));
    // A click puts it down; a press picks it up again where it was grabbed, to its release.
    e.pressed({52, 61});
    e.released();
    e.moved({100, 100});
    EXPECT_EQ(QPoint(e.records().Timer.X, e.records().Timer.Y), QPoint(52, 61));
    e.pressed({55, 65});
    e.moved({100, 100});
    e.released();
    e.moved({120, 120});
    EXPECT_EQ(QPoint(e.records().Timer.X, e.records().Timer.Y), QPoint(97, 96));
    EXPECT_EQ(e.records().Weapon.X, 146);
    EXPECT_EQ(e.undoStack().count(), 2);
    e.undoStack().undo();
    e.undoStack().undo();
    EXPECT_EQ(QPoint(e.records().Timer.X, e.records().Timer.Y), QPoint(5, 188));
}

TEST_F(InterfaceEditorTest, TheWeaponCountsWholeFramesAndItsPictureIsSavedBesideTheFile)
{
    InterfaceEditor e(tmp.app());
    interface::WeaponRecord w = e.records().Weapon;
    for (int width : {100, 110}) {
        e.loadWeaponPicture(strip(width, 15, qRgb(1, 2, 3)));
        e.setWeapon(w, interface::kBlack, false);
        EXPECT_EQ(e.records().Weapon.FrameCount, 4) << width;
    }
    EXPECT_EQ(e.weaponCornerColour(), 0x030201);

    // A width below 1 would divide by zero: refused, nothing changed.
    const interface::InterfaceRecords before = e.records();
    w.FrameWidth = 0;
    EXPECT_TRUE(test::errorOf([&] { e.setWeapon(w, interface::kBlack, false); }).contains(u"Ширина кадра"_s));
    EXPECT_EQ(e.records(), before);

    // A broken picture is refused; the picture loaded before stays, in the temp folder too.
    const QString temp = tmp.app().temp() + u"/Weapon.png"_s;
    const QByteArray loaded = io::readWholeFile(temp);
    const QString broken = tmp.root() + u"/broken.png"_s;
    io::writeFileAtomically(broken, loaded.left(40));
    EXPECT_FALSE(test::errorOf([&] { e.loadWeaponPicture(broken); }).isEmpty());
    EXPECT_EQ(e.weaponSprite().width(), 110);
    EXPECT_EQ(io::readWholeFile(temp), loaded);

    const QString dir = tmp.makeDir(u"game"_s);
    e.save(dir + u"/game.ini"_s);
    EXPECT_EQ(io::readWholeFile(dir + u"/Weapon.png"_s), loaded);
    EXPECT_TRUE(lines(dir + u"/game.ini"_s).contains(u"Frame.count=4"_s));

    // Without a picture of this run, the one already beside the file stays.
    InterfaceEditor later(tmp.app());
    io::writeFileAtomically(dir + u"/Weapon.png"_s, "mine");
    later.save(dir + u"/game.ini"_s);
    EXPECT_EQ(io::readWholeFile(dir + u"/Weapon.png"_s), QByteArray("mine"));
}

TEST_F(InterfaceEditorTest, ThePreviewPaintsBarsTimerWeaponAndTheChosenMark)
{
    InterfaceEditor e(tmp.app());
    const QImage& s = e.iscreen();
    // The usual game screen, and the default layout inside it.
    EXPECT_EQ(s.size(), QSize(176, 208));
    const interface::InterfaceRecords& r = e.records();
    EXPECT_TRUE(QRect(QPoint(), s.size()).contains(QRect(r.Weapon.X, r.Weapon.Y, r.Weapon.FrameWidth,
                                                         r.Weapon.FrameHeight)));
    EXPECT_TRUE(QRect(QPoint(), s.size()).contains(QRect(r.Timer.X, r.Timer.Y, 30, 20)));
    const auto at = [&](int x, int y) { return io::colourValue(s.pixelColor(x, y)); };
    // The lives bar: frame, half in the main colour, half in the background; nothing past its edge.
    EXPECT_EQ(at(10, 10), interface::kBlack);
    EXPECT_EQ(at(39, 12), interface::kRed);
    EXPECT_EQ(at(40, 12), interface::kMaroon);
    EXPECT_EQ(at(69, 14), interface::kBlack);
    EXPECT_EQ(at(70, 12), interface::kWhite);
    EXPECT_EQ(at(5, 188), interface::kBlack); // the timer's background
    EXPECT_EQ(at(146, 188), interface::kLime); // the outline of a weapon without a picture
    EXPECT_EQ(at(147, 189), interface::kWhite);

    e.choose(Indicator::Lifebar);
    EXPECT_EQ(at(6, 10), interface::kBlue);
    EXPECT_EQ(at(10, 6), interface::kBlue);
    EXPECT_EQ(at(5, 10), interface::kWhite);

    // Where the picture has its transparent colour the background shows, or with "Прозрачный фон" the screen.
    e.loadWeaponPicture(strip(50, 15, qRgb(9, 9, 9)));
    interface::WeaponRecord w = e.records().Weapon;
    w.Transparent = 1;
    w.TranspColor = 0x090909;
    e.setWeapon(w, interface::kMaroon, false);
    EXPECT_EQ(at(147, 189), interface::kMaroon);
    EXPECT_EQ(at(148, 189), 0xC80000);
    e.setWeapon(w, interface::kMaroon, true);
    EXPECT_EQ(at(147, 189), interface::kWhite);

    // Another picture with the same settings is a step of its own: undoing it shows the earlier picture.
    e.setWeapon(w, interface::kMaroon, false);
    e.loadWeaponPicture(strip(50, 15, qRgb(0, 255, 0)));
    e.setWeapon(w, interface::kMaroon, false);
    EXPECT_EQ(at(147, 189), 0x00FF00);
    e.undoStack().undo();
    EXPECT_EQ(at(147, 189), interface::kMaroon);
    e.undoStack().redo();
    EXPECT_EQ(at(147, 189), 0x00FF00);

    EXPECT_FALSE(test::errorOf([&] { e.setScreenSize(0, 100); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { e.setScreenSize(100, InterfaceEditor::kMaxScreenSide + 1); }).isEmpty());
    e.setScreenSize(128, InterfaceEditor::kMaxScreenSide);
    EXPECT_EQ(s.size(), QSize(128, InterfaceEditor::kMaxScreenSide));
}

TEST(InterfaceColours, SystemColoursByTheirNamesAndNumberBoxes)
{
    const int btnFace = io::kSystemColour << 24 | 15;
    EXPECT_EQ(io::colourText(btnFace), u"clBtnFace"_s);
    EXPECT_EQ(io::namedColourValue(u"CLBTNFACE"_s), 0xF0F0F0);
    EXPECT_EQ(io::colourOf(btnFace), QColor(240, 240, 240));
    EXPECT_EQ(interface::parseColourText(u"clMenuBar"_s), 0xF0F0F0u);
    // No colour of the scheme has index 25, and other high bytes are plain numbers.
    EXPECT_EQ(io::colourText(io::kSystemColour << 24 | 25), u"$FF000019"_s);
    EXPECT_EQ(io::colourText(0x01000000), u"$01000000"_s);

    EXPECT_EQ(interface::parseNumberBox(u" 12 "_s, u"X"_s, 1, 12), 12);
    for (const QString& wrong : {u"13"_s, u"0"_s, u"abc"_s, u""_s, u"1.5"_s})
        EXPECT_TRUE(test::errorOf([&] { interface::parseNumberBox(wrong, u"Длина"_s, 1, 12); }).startsWith(u"Длина"_s))
            << wrong.toStdString();
}
