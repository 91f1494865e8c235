#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "model/ObjectKind.h"
#include "objects/ObjectFile.h"
#include "support/ErrorOf.h"
#include "support/TempAppFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace kestrava::objects;
using test::errorOf;
using namespace Qt::Literals::StringLiterals;

namespace {

// The lines of a file, each of which must end with CR LF.
QList<QByteArray> linesOf(const QString& path)
{
    QByteArray data = io::readWholeFile(path);
    EXPECT_TRUE(data.endsWith("\r\n"));
    data.chop(1);
    QList<QByteArray> lines = data.split('\n');
    for (QByteArray& line : lines) {
        EXPECT_TRUE(line.endsWith('\r'));
        line.chop(1);
    }
    return lines;
}

void appendJunk(const QString& path)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write("junk\r\n12\r\n");
}

} // namespace

TEST(ObjectFiles, BackgroundFileIsLineForLineAndReadsBack)
{
    test::TempAppFolder tmp;
    const QString path = tmp.root() + u"/a.b.obf"_s;
    BackgroundObjectFile f;
    f.PictureName = pngNameOf(path);
    f.TileWidth = 33;
    f.TileHeight = 30;
    f.setMapSize(3, 2);
    f.setCell(1, 2, 7);
    f.setCell(2, 1, 5);
    f.setCell(2, 3, 500);
    f.write(path);

    EXPECT_EQ(io::readWholeFile(path), QByteArray("fon\r\na.b.png\r\n33\r\n30\r\n3\r\n2\r\n0\r\n7\r\n0\r\n5\r\n0\r\n500\r\n"));
    EXPECT_EQ(linesOf(path).size(), 12);
    EXPECT_EQ(BackgroundObjectFile::read(path), f);

    appendJunk(path); // a damaged file is not read as a shorter one
    EXPECT_THROW(BackgroundObjectFile::read(path), io::Error);

    // A map of 0 rows has no cells at all.
    BackgroundObjectFile none;
    none.TileWidth = none.TileHeight = 8;
    none.setMapSize(4, 0);
    none.write(path);
    EXPECT_EQ(linesOf(path).size(), 6);
    EXPECT_EQ(BackgroundObjectFile::read(path), none);
}

TEST(ObjectFiles, ActiveFileAlwaysHas101LinesInTableOrder)
{
    test::TempAppFolder tmp;
    const QString path = tmp.root() + u"/hero.oba"_s;
    ActiveObjectFile blank;
    blank.PictureName = u"hero.png"_s;
    blank.FrameCount = blank.TileWidth = blank.TileHeight = 1;
    blank.write(path);
    const auto blankLines = linesOf(path);
    ASSERT_EQ(blankLines.size(), 101);
    EXPECT_EQ(blankLines.mid(5), QList<QByteArray>(96, "0"));

    ActiveObjectFile f = blank;
    f.FrameCount = 4;
    f.TileWidth = 24;
    f.TileHeight = 32;
    f.Anim[1][1][1] = 1;
    f.Anim[2][3][4] = 4;
    f.Anim[6][4][4] = 3;
    f.write(path);
    const auto lines = linesOf(path);
    ASSERT_EQ(lines.size(), 101);
    EXPECT_EQ(lines[0], "active");
    EXPECT_EQ(lines[2], "4");
    EXPECT_EQ(lines[3], "24");
    EXPECT_EQ(lines[4], "32");
    // Line 6 + 16(s-1) + 4(d-1) + (b-1) holds entry (s, d, b).
    EXPECT_EQ(lines[6 + 16 * 1 + 4 * 2 + 3 - 1], "4");
    EXPECT_EQ(lines[100], "3");
    EXPECT_EQ(ActiveObjectFile::read(path), f);
    appendJunk(path);
    EXPECT_THROW(ActiveObjectFile::read(path), io::Error);
}

TEST(ObjectFiles, BarAndTextFilesReadBack)
{
    test::TempAppFolder tmp;
    const QString bar = tmp.root() + u"/lives.obl"_s;
    BarObjectFile b;
    EXPECT_EQ(b.Direction, u"gor"_s);
    b.Width = 30;
    b.Height = 8;
    b.write(bar);
    EXPECT_EQ(io::readWholeFile(bar), QByteArray("lives\r\n30\r\n8\r\ngor\r\n"));
    b.Direction = BarObjectFile::vertical();
    b.write(bar);
    EXPECT_EQ(BarObjectFile::read(bar), b);
    appendJunk(bar);
    EXPECT_THROW(BarObjectFile::read(bar), io::Error);

    const QString text = tmp.root() + u"/title.obt"_s;
    TextObjectFile t;
    t.write(text);
    // An empty box ends after the count.
    EXPECT_EQ(io::readWholeFile(text), QByteArray("text\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"));
    t.FontFace = 1;
    t.Italic = 1;
    t.Colour = 0xFF0080;
    t.lines = {u"Счёт = 10"_s, QString(), u"  конец  "_s};
    t.write(text);
    EXPECT_EQ(linesOf(text).size(), 11);
    EXPECT_TRUE(io::readWholeFile(text).contains("\xD1\xF7\xB8\xF2 = 10\r\n\r\n  \xEA\xEE\xED\xE5\xF6  \r\n"));
    EXPECT_EQ(TextObjectFile::read(text), t);
}

TEST(ObjectFiles, AnyKindByItsFirstLineAndPicturesByBaseName)
{
    test::TempAppFolder tmp;
    const QString elsewhere = tmp.makeDir(u"elsewhere"_s);
    BarObjectFile bar;
    bar.Width = 5;
    bar.Height = 3;
    bar.write(elsewhere + u"/a.b.obl"_s);
    TextObjectFile text;
    text.lines = {u"x"_s};
    text.write(elsewhere + u"/t.obt"_s);
    EXPECT_EQ(std::get<BarObjectFile>(readObjectFile(elsewhere + u"/a.b.obl"_s)), bar);
    EXPECT_EQ(std::get<TextObjectFile>(readObjectFile(elsewhere + u"/t.obt"_s)), text);

    EXPECT_EQ(pngNameOf(elsewhere + u"/a.b.obf"_s), u"a.b.png"_s);
    EXPECT_EQ(bmpNameOf(u"a.b.obf"_s), u"a.b.bmp"_s);
    QImage red(4, 3, QImage::Format_ARGB32);
    red.fill(qRgb(255, 0, 0));
    writeObjectPng(tmp.app(), elsewhere + u"/a.b.obf"_s, red);
    writeObjectBmp(tmp.app(), elsewhere + u"/a.b.obf"_s, red);
    EXPECT_EQ(io::readPng(tmp.app().objectFile(u"a.b.png"_s)).pixel(3, 2), qRgb(255, 0, 0));
    EXPECT_EQ(io::readBmp(tmp.app().objectFile(u"a.b.bmp"_s)).size(), QSize(4, 3));
    EXPECT_FALSE(QFileInfo::exists(elsewhere + u"/a.b.png"_s));
}

TEST(ObjectFiles, EachKindReadsAsItselfAndAStrangerHearsEveryKeyword)
{
    test::TempAppFolder tmp;
    const auto path = [&](model::ObjectKind kind) { return tmp.root() + u"/k."_s + model::describe(kind).extension; };
    BackgroundObjectFile fon;
    fon.TileWidth = fon.TileHeight = 8;
    fon.setMapSize(1, 1);
    fon.write(path(model::ObjectKind::Background));
    ActiveObjectFile sprite;
    sprite.FrameCount = sprite.TileWidth = sprite.TileHeight = 1;
    sprite.write(path(model::ObjectKind::Active));
    BarObjectFile bar;
    bar.Width = bar.Height = 8;
    bar.write(path(model::ObjectKind::LivesBar));
    TextObjectFile().write(path(model::ObjectKind::Text));
    for (model::ObjectKind kind : model::kObjectKinds) {
        const ObjectFile file = readObjectFile(path(kind));
        EXPECT_EQ(kindOf(file), kind) << path(kind).toStdString();
    }
    EXPECT_EQ(std::get<ActiveObjectFile>(readObjectFile(path(model::ObjectKind::Active))), sprite);

    // The first line is matched whole; anything else hears every kind's keyword.
    const QString stranger = tmp.root() + u"/x.obf"_s;
    io::writeFileAtomically(stranger, "fonx\r\n");
    EXPECT_TRUE(errorOf([&] { readObjectFile(stranger); })
                    .contains(u"первая строка «fonx», а должна быть «fon», «active», «lives» или «text»"_s));
    // The dialog of "Загрузить" offers every kind by its extension.
    EXPECT_EQ(model::objectFileFilter(), u"файл фонового объекта (*.obf);;файл активного объекта (*.oba);;"
                                         u"файл  объекта полосы (*.obl);;файл  текстового объекта (*.obt)"_s);
}

TEST(ObjectFiles, BadFilesAreRefusedNamingFileAndLine)
{
    struct Case {
        QString file;
        QString fragment;
    };
    const Case cases[] = {
        {u"bad_number.obf"_s, u"строка 8: «x» не является целым числом"_s},
        {u"wrong_keyword.obf"_s, u"строка 1: это не файл объекта: первая строка «Fon»"_s},
        {u"truncated.oba"_s, u"строка 16: файл обрывается"_s},
        {u"map_too_wide.obf"_s, u"строка 5: число столбцов карты = 101, а допускается не более 100"_s},
        {u"negative_rows.obf"_s, u"строка 6: число строк карты = -1: отрицательное значение недопустимо"_s},
        {u"too_many_lines.obt"_s, u"строка 8: число строк текста = 11, а допускается не более 10"_s},
        {u"negative_lines.obt"_s, u"строка 8: число строк текста = -1"_s},
        {u"bad_direction.obl"_s, u"строка 4: направление полосы «diag», а должно быть «vert» или «gor»"_s},
        {u"not_an_object.obf"_s, u"строка 1: это не файл объекта: первая строка «привет»"_s},
    };
    for (const Case& c : cases) {
        const QString path = test::testData(u"objects/"_s + c.file);
        const QString message = errorOf([&] { readObjectFile(path); });
        EXPECT_TRUE(message.contains(c.file)) << message.toStdString();
        EXPECT_TRUE(message.contains(c.fragment)) << message.toStdString();
    }
    // A reader of one kind refuses the others.
    test::TempAppFolder tmp;
    const QString bar = tmp.root() + u"/lives.obl"_s;
    BarObjectFile lives;
    lives.Width = lives.Height = 8;
    lives.write(bar);
    EXPECT_TRUE(errorOf([&] { BackgroundObjectFile::read(bar); })
                    .contains(u"это не файл фонового объекта: первая строка «lives», а должна быть «fon»"_s));
    EXPECT_TRUE(errorOf([&] { TextObjectFile::read(tmp.root() + u"/none.obt"_s); }).contains(u"файл не найден"_s));
}

TEST(ObjectFiles, WritersRefuseWhatNoReaderTakesAndKeepTheOldFile)
{
    test::TempAppFolder tmp;
    const QString path = tmp.root() + u"/keep.obt"_s;
    TextObjectFile old;
    old.lines = {u"старый"_s};
    old.write(path);
    const QByteArray before = io::readWholeFile(path);

    TextObjectFile tooLong;
    for (int i = 0; i < 11; ++i)
        tooLong.lines.append(u"строка"_s);
    EXPECT_TRUE(errorOf([&] { tooLong.write(path); }).contains(u"число строк текста = 11"_s));
    TextObjectFile smiley;
    smiley.lines = {u"улыбка ☺"_s};
    EXPECT_TRUE(errorOf([&] { smiley.write(path); }).contains(u"windows-1251"_s));
    EXPECT_EQ(io::readWholeFile(path), before);

    BarObjectFile bar;
    bar.Direction = u"diag"_s;
    EXPECT_FALSE(errorOf([&] { bar.write(tmp.root() + u"/x.obl"_s); }).isEmpty());
    BackgroundObjectFile map;
    map.TileWidth = map.TileHeight = 16;
    map.Columns = 101; // bypassing setMapSize, as a careless editor might
    EXPECT_TRUE(errorOf([&] { map.write(tmp.root() + u"/x.obf"_s); }).contains(u"101"_s));
    EXPECT_FALSE(QFileInfo::exists(tmp.root() + u"/x.obl"_s));
    EXPECT_FALSE(QFileInfo::exists(tmp.root() + u"/x.obf"_s));
}
