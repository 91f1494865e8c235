#include "codegen/StageTables.h"
#include "document/ProjectDocument.h"
#include "io/Error.h"
#include "io/Png.h"
#include "level/LevelView.h"
#include "objects/ActiveEditor.h"
#include "objects/FontRecord.h"
#include "objects/LivesEditor.h"
#include "persist/ObjectImport.h"
#include "io/ColourNames.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"
#include "support/StageTablesDump.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using objects::ActiveEditor;
using objects::FontRecord;
using objects::LivesEditor;

namespace {

constexpr QRgb kWhite = 0xffffffff;

// A strip whose column x has red x, so a picture tells which columns it
// shows; column 0 is transparent.
QString writeStrip(const test::TempAppFolder& tmp, const QString& name, int width, int height)
{
    QImage strip(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            strip.setPixel(x, y, x == 0 ? qRgba(0, 0, 0, 0) : qRgb(x % 256, 100, 50));
    const QString path = tmp.makeDir(u"images"_s) + u'/' + name;
    io::writePng(strip, path);
    return path;
}

QStringList fileLines(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    QStringList lines = QString::fromLatin1(f.readAll()).split(u"\r\n"_s);
    EXPECT_EQ(lines.takeLast(), QString());
    return lines;
}

} // namespace

TEST(ActiveEditor, FramesOfAStripTheirBoxesAndRefusedNumbers)
{
    test::TempAppFolder tmp;
    ActiveEditor e(tmp.app());
    EXPECT_FALSE(test::errorOf([&] { e.setFrame(1, 1); }).isEmpty()); // no strip yet
    e.loadPicture(writeStrip(tmp, u"s.png"_s, 160, 10));
    EXPECT_EQ(e.frameWidth(), 10);
    EXPECT_EQ(e.frameRect(3), QRect(20, 0, 10, 10));

    e.setFrame(2, 3);
    const QImage box = e.frameBox(2);
    QSet<int> columns;
    for (int y = 1; y < ActiveEditor::kFrameBox - 1; ++y)
        for (int x = 1; x < ActiveEditor::kFrameBox - 1; ++x)
            if (box.pixel(x, y) != kWhite)
                columns.insert(qRed(box.pixel(x, y)));
    EXPECT_EQ(columns, QSet<int>({20, 21, 22, 23, 24, 25, 26, 27, 28, 29}));

    // Frame numbers 0..N only; a refused one keeps the entry.
    EXPECT_TRUE(test::errorOf([&] { e.setFrame(2, 16); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { e.setFrame(2, 17); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { e.setFrame(2, -1); }).isEmpty());
    EXPECT_EQ(e.entry(2, 1, 1), u"16"_s);
    e.setFrame(2, 0);
    EXPECT_EQ(e.frameBox(2), e.frameBox(1));

    // The count: at least 1, and no frame under one pixel (160 / 320 rounds to 0).
    EXPECT_FALSE(test::errorOf([&] { e.setFrameCount(0); }).isEmpty());
    EXPECT_TRUE(test::errorOf([&] { e.setFrameCount(319); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { e.setFrameCount(320); }).isEmpty());
    EXPECT_EQ(e.frameCount(), 319);
    // No more frames than a strip's reader takes.
    ActiveEditor fresh(tmp.app());
    EXPECT_TRUE(test::errorOf([&] { fresh.setFrameCount(1000); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { fresh.setFrameCount(1001); }).isEmpty());
    // A narrower strip that cannot hold the count (and is no row of squares) is not taken.
    EXPECT_FALSE(test::errorOf([&] { e.loadPicture(writeStrip(tmp, u"n.png"_s, 101, 10)); }).isEmpty());
    EXPECT_EQ(e.picture().width(), 160);
}

TEST(ActiveEditor, ASequenceCopiedToAllDirectionsOfItsStateInOneStep)
{
    test::TempAppFolder tmp;
    ActiveEditor e(tmp.app());
    e.loadPicture(writeStrip(tmp, u"s.png"_s, 160, 10));
    e.setState(2);
    e.setDirection(3);
    for (int k : {5, 6})
        e.addFrame(k);
    const int steps = e.undoStack().count();
    EXPECT_TRUE(e.copyToAllDirections());
    EXPECT_EQ(e.undoStack().count(), steps + 1);
    for (int d = 1; d <= 4; ++d) {
        EXPECT_EQ(e.entry(1, d, 2), u"5"_s) << d;
        EXPECT_EQ(e.entry(2, d, 2), u"6"_s) << d;
        EXPECT_EQ(e.entry(1, d, 1), u"0"_s) << "another state keeps its own";
    }
    EXPECT_FALSE(e.copyToAllDirections()); // nothing left to give
    e.undoStack().undo();
    EXPECT_EQ(e.entry(1, 1, 2), u"0"_s);
    EXPECT_EQ(e.entry(1, 3, 2), u"5"_s);
}

TEST(ActiveEditor, AStripTakesItsSquaresAsFramesAndAPlainBackgroundBecomesTransparent)
{
    test::TempAppFolder tmp;
    const QString dir = tmp.makeDir(u"pictures"_s);
    // Two 32 x 32 frames on magenta, a green figure in each; one figure pixel in a corner when asked.
    const auto write = [&](const QString& name, int width, bool figureInACorner) {
        QImage strip(width, 32, QImage::Format_RGB32);
        strip.fill(qRgb(255, 0, 255));
        for (int x = 8; x < 24; ++x)
            strip.setPixel(x, 16, qRgb(0, 200, 0));
        if (figureInACorner)
            strip.setPixel(width - 1, 31, qRgb(0, 200, 0));
        io::writePng(strip, dir + u'/' + name);
        return dir + u'/' + name;
    };
    ActiveEditor e(tmp.app());
    const std::optional<QRgb> keyed = e.loadPicture(write(u"two.png"_s, 64, false));
    EXPECT_EQ(e.frameCount(), 2);
    ASSERT_TRUE(keyed);
    EXPECT_EQ(*keyed, qRgb(255, 0, 255));
    EXPECT_EQ(qAlpha(e.picture().pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(e.picture().pixel(40, 5)), 0);
    EXPECT_EQ(e.picture().pixel(10, 16), qRgb(0, 200, 0));
    // One step: undone, the editor is as before the picture.
    e.undoStack().undo();
    EXPECT_FALSE(e.pictureLoaded());
    EXPECT_EQ(e.frameCount(), ActiveEditor::kDefaultFrameCount);

    // Corners that differ: no background to take, nothing made transparent.
    EXPECT_FALSE(e.loadPicture(write(u"corner.png"_s, 96, true)));
    EXPECT_EQ(e.frameCount(), 3);
    EXPECT_EQ(qAlpha(e.picture().pixel(0, 0)), 255);
    // A picture with transparency of its own keeps it as it is, and a strip
    // that is no row of squares keeps the count.
    EXPECT_FALSE(e.loadPicture(writeStrip(tmp, u"alpha.png"_s, 100, 30)));
    EXPECT_EQ(e.frameCount(), 3);
    EXPECT_EQ(qAlpha(e.picture().pixel(50, 0)), 255);
}

TEST(ActiveEditor, FramesAddedByClicksAndEveryChangeAStepOfItsHistory)
{
    test::TempAppFolder tmp;
    ActiveEditor e(tmp.app());
    EXPECT_FALSE(e.isModified());
    e.loadPicture(writeStrip(tmp, u"s.png"_s, 160, 10));
    e.setFrameCount(8);
    EXPECT_TRUE(e.isModified());
    // Into the first empty position; frames 1..N only.
    for (int k : {4, 2, 4})
        e.addFrame(k);
    e.setFrame(2, 0);
    e.addFrame(8);
    EXPECT_EQ(e.sequence(), (std::vector<int>{4, 8, 4}));
    EXPECT_FALSE(test::errorOf([&] { e.addFrame(9); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { e.addFrame(0); }).isEmpty());
    // Taken out from its last position; the later ones move up, the order played stays.
    e.setFrame(5, 1);
    e.removeFrame(4);
    EXPECT_EQ(e.entry(3, 1, 1), u"0"_s);
    EXPECT_EQ(e.entry(4, 1, 1), u"1"_s);
    EXPECT_EQ(e.sequence(), (std::vector<int>{4, 8, 1}));
    // Full: a seventh frame is refused and changes nothing.
    for (int k : {2, 3, 5})
        e.addFrame(k);
    const int steps = e.undoStack().count();
    EXPECT_FALSE(test::errorOf([&] { e.addFrame(6); }).isEmpty());
    e.removeFrame(7); // not in it
    EXPECT_EQ(e.undoStack().count(), steps);

    // Undone back to the start, strip and count included; redone whole.
    const std::vector<int> full = e.sequence();
    while (e.undoStack().canUndo())
        e.undoStack().undo();
    EXPECT_FALSE(e.pictureLoaded());
    EXPECT_EQ(e.frameCount(), ActiveEditor::kDefaultFrameCount);
    EXPECT_FALSE(e.isModified());
    while (e.undoStack().canRedo())
        e.undoStack().redo();
    EXPECT_EQ(e.sequence(), full);
    EXPECT_EQ(e.frameCount(), 8);

    // Saved is unmodified; "Новый" is an empty editor with no history.
    e.save(tmp.app().objectFile(u"h.oba"_s));
    EXPECT_FALSE(e.isModified());
    e.startNew();
    EXPECT_FALSE(e.pictureLoaded());
    EXPECT_FALSE(e.undoStack().canUndo());
    EXPECT_EQ(e.entry(1, 1, 1), u"0"_s);
}

TEST(ActiveEditor, DirectionFromAReleaseAndStatesKeepTheirFrames)
{
    const QSize size = ActiveEditor::kDirectionSize; // centre (68, 64)
    EXPECT_EQ(ActiveEditor::directionFrom({78, 54}, size, 4), 4);
    EXPECT_EQ(ActiveEditor::directionFrom({79, 54}, size, 4), 1);
    EXPECT_EQ(ActiveEditor::directionFrom({78, 53}, size, 4), 2);
    EXPECT_EQ(ActiveEditor::directionFrom({57, 64}, size, 4), 3);
    EXPECT_EQ(ActiveEditor::directionFrom({68, 65}, size, 1), 4);
    EXPECT_EQ(ActiveEditor::directionFrom({68, 64}, size, 3), 3);

    test::TempAppFolder tmp;
    ActiveEditor e(tmp.app());
    QImage right = e.directionPicture();
    EXPECT_EQ(right.pixel(68, 64), qRgb(0, 0, 0));
    EXPECT_EQ(right.pixel(116, 64), qRgb(0, 0, 0));
    EXPECT_EQ(right.pixel(118, 64), kWhite);
    EXPECT_EQ(right.pixel(68, 63), kWhite);
    e.releasedAt({68, 10});
    EXPECT_EQ(e.direction(), 2);
    EXPECT_EQ(e.directionPicture().pixel(68, 21), qRgb(0, 0, 0));
    EXPECT_EQ(e.directionPicture().pixel(68, 19), kWhite);

    e.loadPicture(writeStrip(tmp, u"s.png"_s, 160, 10));
    e.setState(3);
    e.setFrame(1, 5);
    e.setFrame(3, 2);
    e.setState(1);
    EXPECT_EQ(e.frameAt(1), 0);
    EXPECT_TRUE(e.sequence().empty());
    e.setDirection(1);
    e.setState(3);
    EXPECT_EQ(e.frameAt(1), 0); // chosen for "up", not "right"
    e.setDirection(2);
    EXPECT_EQ(e.sequence(), (std::vector<int>{5, 2}));
    // The preview steps through the sequence: frame 5 (red 40..49), then 2, then 5 again.
    EXPECT_EQ(qRed(e.previewPicture(0).pixel(68, 64)) / 10, 4);
    EXPECT_EQ(qRed(e.previewPicture(1).pixel(68, 64)) / 10, 1);
    EXPECT_EQ(e.previewPicture(2), e.previewPicture(0));
}

TEST(ActiveEditor, SavesAllThreeFilesTogetherAndReopensThem)
{
    test::TempAppFolder tmp;
    const QString oba = tmp.app().objectFile(u"hero.oba"_s);
    ActiveEditor e(tmp.app());
    const QString before = test::folderSnapshot(tmp.root());
    EXPECT_FALSE(test::errorOf([&] { e.save(oba); }).isEmpty());
    EXPECT_EQ(test::folderSnapshot(tmp.root()), before);

    // 100 pixels in 6 frames: frames of 17, the strip padded to 102.
    e.loadPicture(writeStrip(tmp, u"s.png"_s, 100, 12));
    e.setFrameCount(6);
    e.save(oba);
    QStringList lines = fileLines(oba);
    ASSERT_EQ(lines.size(), 101);
    EXPECT_EQ(lines.mid(0, 5), QStringList({u"active"_s, u"hero.png"_s, u"6"_s, u"17"_s, u"12"_s}));
    EXPECT_EQ(lines.mid(5), QStringList(96, u"0"_s));
    const QImage png = io::readPng(tmp.app().objectFile(u"hero.png"_s));
    EXPECT_EQ(png.size(), QSize(102, 12));
    EXPECT_EQ(qAlpha(png.pixel(101, 0)), 0);
    EXPECT_EQ(png.pixel(99, 0), qRgb(99, 100, 50));
    const QImage bmp = io::readBmp(tmp.app().objectFile(u"hero.bmp"_s));
    EXPECT_EQ(bmp.size(), QSize(17, 12));
    EXPECT_EQ(bmp.pixel(16, 11), qRgb(16, 100, 50));
    EXPECT_EQ(bmp.pixel(0, 11), kWhite);

    // Two states, then reopened in another editor: the same table and strip.
    e.setState(2);
    e.setFrame(1, 6);
    e.setDirection(4);
    e.setState(4);
    e.setFrame(6, 2);
    e.save(oba);
    lines = fileLines(oba);
    EXPECT_EQ(lines[5 + 1], u"6"_s);                         // (1, 1, 2)
    EXPECT_EQ(lines[5 + 16 * 5 + 4 * 3 + 3], u"2"_s);         // (6, 4, 4)
    ActiveEditor again(tmp.app());
    again.open(oba);
    EXPECT_EQ(again.objectFile(oba), e.objectFile(oba));
    EXPECT_EQ(again.stripAsCut(), again.picture());

    // A number beyond a lowered count is refused at saving, naming where it is.
    e.setFrameCount(5);
    QDir().mkpath(tmp.app().objectFile(u"other.bmp"_s));
    const QString saved = test::folderSnapshot(tmp.root());
    EXPECT_TRUE(test::errorOf([&] { e.save(oba); }).contains(u"«Перемещение»"_s));
    // A picture that cannot be written leaves the object file unwritten.
    e.setFrameCount(6);
    EXPECT_FALSE(test::errorOf([&] { e.save(tmp.app().objectFile(u"other.oba"_s)); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { e.save(tmp.app().objectFile(u"hero.png"_s)); }).isEmpty());
    EXPECT_EQ(test::folderSnapshot(tmp.root()), saved);

    // A damaged file opens nothing: entry (1, 1, 1) above the count.
    lines[5] = u"7"_s;
    QFile f(oba);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(lines.join(u"\r\n"_s).toLatin1() + "\r\n");
    f.close();
    ActiveEditor third(tmp.app());
    EXPECT_TRUE(test::errorOf([&] { third.open(oba); }).contains(u"номер кадра = 7, а допускается от 0 до 6"_s));
    EXPECT_FALSE(third.pictureLoaded());
    EXPECT_EQ(third.frameCount(), ActiveEditor::kDefaultFrameCount);
}

TEST(LivesEditor, SavesDirectionAndPictureAndReopensThem)
{
    test::TempAppFolder tmp;
    LivesEditor e(tmp.app());
    const QString obl = tmp.app().objectFile(u"bar.obl"_s);
    const QString before = test::folderSnapshot(tmp.root());
    EXPECT_FALSE(test::errorOf([&] { e.save(obl); }).isEmpty());
    e.reloadPicture(); // nothing chosen yet: nothing to read again
    EXPECT_EQ(test::folderSnapshot(tmp.root()), before);

    QImage bar(30, 6, QImage::Format_RGB32);
    bar.fill(qRgb(250, 0, 0));
    const QString source = tmp.makeDir(u"images"_s) + u"/bar.bmp"_s;
    io::writeBmp(bar, source);
    e.loadPicture(source);
    e.save(obl);
    EXPECT_EQ(fileLines(obl), QStringList({u"lives"_s, u"30"_s, u"6"_s, u"gor"_s}));
    EXPECT_EQ(io::readBmp(tmp.app().objectFile(u"bar.bmp"_s)).pixel(29, 5), qRgb(250, 0, 0));
    e.setDirection(LivesEditor::Direction::Vertical);
    e.save(obl);
    EXPECT_EQ(fileLines(obl).last(), u"vert"_s);

    // A cancelled dialog reads the remembered file again.
    bar.fill(qRgb(0, 0, 250));
    io::writeBmp(bar, source);
    e.reloadPicture();
    EXPECT_EQ(e.picture().pixel(0, 0), qRgb(0, 0, 250));

    LivesEditor again(tmp.app());
    again.open(obl);
    EXPECT_EQ(again.direction(), LivesEditor::Direction::Vertical);
    EXPECT_EQ(again.picture().pixel(0, 0), qRgb(250, 0, 0));
}

TEST(FontRecord, TextObjectLinesColoursAndTheSettingsFile)
{
    EXPECT_TRUE(objects::textLines(QString()).isEmpty());
    EXPECT_EQ(objects::textLines(u"a=b\n"_s), QStringList({u"a=b"_s}));
    EXPECT_EQ(objects::textLines(u"a\r\n\n"_s), QStringList({u"a"_s, QString()}));

    test::TempAppFolder tmp;
    const QString obt = tmp.app().objectFile(u"title.obt"_s);
    FontRecord font;
    font.Colour = io::colourValue(Qt::red);
    objects::saveTextObject(obt, font, u"Жизни = 3\nВперёд"_s);
    EXPECT_EQ(fileLines(obt).mid(0, 8),
              QStringList({u"text"_s, u"0"_s, u"-1"_s, u"0"_s, u"0"_s, u"0"_s, u"255"_s, u"2"_s}));
    EXPECT_EQ(objects::TextObjectFile::read(obt).lines, QStringList({u"Жизни = 3"_s, u"Вперёд"_s}));
    // A line windows-1251 cannot hold: refused, the saved file kept.
    const QString before = test::folderSnapshot(tmp.root());
    EXPECT_FALSE(test::errorOf([&] { objects::saveTextObject(obt, font, u"ok\n漢"_s); }).isEmpty());
    EXPECT_EQ(test::folderSnapshot(tmp.root()), before);

    EXPECT_EQ(io::colourText(255), u"clRed"_s);
    EXPECT_EQ(io::colourValue(QColor(1, 2, 3)), 197121);
    EXPECT_EQ(io::colourText(197121), u"$00030201"_s);
    EXPECT_EQ(io::colourText(io::colourValue(QColor(255, 128, 0))), u"$000080FF"_s);

    // Into a new file in order; into an existing one in place, the rest kept.
    const QString ini = tmp.root() + u"/game.ini"_s;
    font.FontFace = 2;
    font.Bold = 1;
    objects::WriteFontToINI(ini, font);
    EXPECT_EQ(fileLines(ini), QStringList({u"[Font]"_s, u"Type=2"_s, u"Size=-1"_s, u"Bold=1"_s, u"Italic=0"_s,
                                           u"Underline=0"_s, u"Color=clRed"_s}));
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Timer]\r\nbgr=clBlack\r\n[font]\r\ncolor=clLime\r\n\r\n[Weapon]\r\nPos.x=130\r\n");
    f.close();
    font.Colour = 197121;
    objects::WriteFontToINI(ini, font);
    EXPECT_EQ(fileLines(ini),
              QStringList({u"[Timer]"_s, u"bgr=clBlack"_s, u"[font]"_s, u"Color=$00030201"_s, u"Type=2"_s,
                           u"Size=-1"_s, u"Bold=1"_s, u"Italic=0"_s, u"Underline=0"_s, QString(), u"[Weapon]"_s,
                           u"Pos.x=130"_s}));
}

TEST(ObjectEditors, MadeObjectsImportShowOnTheMapAndReachTheGame)
{
    test::TempAppFolder tmp;
    ActiveEditor active(tmp.app());
    active.loadPicture(writeStrip(tmp, u"s.png"_s, 160, 10));
    active.setFrame(1, 2);
    active.setFrame(2, 3);
    active.save(tmp.app().objectFile(u"hero.oba"_s));
    LivesEditor bar(tmp.app());
    QImage picture(30, 6, QImage::Format_RGB32);
    picture.fill(qRgb(250, 0, 0));
    io::writeBmp(picture, tmp.root() + u"/bar.bmp"_s);
    bar.loadPicture(tmp.root() + u"/bar.bmp"_s);
    bar.save(tmp.app().objectFile(u"life.obl"_s));
    objects::saveTextObject(tmp.app().objectFile(u"title.obt"_s), FontRecord{}, u"Этап 1"_s);

    document::ProjectDocument doc(tmp.app());
    model::Project& p = doc.edit();
    p.ProjectDir = tmp.makeDir(u"proj"_s);
    QDir().mkpath(p.projectPath(u"objects"_s));
    for (const QString& name : {u"hero.oba"_s, u"life.obl"_s, u"title.obt"_s})
        persist::Load_object(p, tmp.app(), name);
    EXPECT_EQ(p.current().TextObject[1].Lines[1], u"Этап 1"_s);
    EXPECT_TRUE(p.current().LivesBar.Present);

    level::LevelView view(doc);
    view.start();
    view.listPointerMoved(20, 20); // the hero's icon
    view.listReleased();
    view.pointerMoved(400, 300);
    view.pressed(400, 300);
    view.released(true);
    view.pointerMoved(401, 300);
    ASSERT_EQ(p.current().ActiveObjCount, 1);
    view.tool().dropPicked();
    view.redrawMap();
    EXPECT_EQ(view.map().pixel(409, 309), qRgb(9, 100, 50)); // the first frame
    EXPECT_EQ(view.map().pixel(29, 5), qRgb(250, 0, 0));     // the bar

    const QStringList tables =
        test::dumpStageTables(codegen::stageTables(p.stage(1), codegen::emittedObjects(p, 1), {}, {})).split(u'\n');
    EXPECT_TRUE(tables.filter(u"object 0: group 1, picture 0, frame w h, x y, slot: 10 "_s).size() == 1)
        << tables.join(u'\n').toStdString();
    EXPECT_TRUE(tables.filter(u"frames of rest: {1,2} |"_s).size() == 1) << tables.join(u'\n').toStdString();
}
