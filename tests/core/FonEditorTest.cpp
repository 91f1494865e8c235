#include "codegen/Converter.h"
#include "document/ProjectDocument.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "level/LevelView.h"
#include "objects/FonEditor.h"
#include "objects/FonPictures.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"
#include "support/StageTablesDump.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;
using objects::FonEditor;

namespace {

QRgb tileColour(int n)
{
    return qRgb(n * 37 % 256, 20 + n * 11 % 200, 255 - n);
}

// A sheet of across x down tiles, tile n filled with tileColour(n), and
// `extra` pixels of black beyond the last tile on the right.
QString writeSheet(const QString& path, int across, int down, int tw, int th, int extra = 0)
{
    QImage sheet(across * tw + extra, down * th, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    for (int j = 0; j < down; ++j)
        for (int i = 0; i < across; ++i)
            for (int y = 0; y < th; ++y)
                for (int x = 0; x < tw; ++x)
                    sheet.setPixel(i * tw + x, j * th + y, tileColour(j * across + i + 1));
    io::writePng(sheet, path);
    return path;
}

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Selects tile k from the palette as a click on its cell does.
void select(FonEditor& e, int k)
{
    const int cell = FonEditor::kPaletteCell;
    e.paletteClicked(QPoint((k - 1) / FonEditor::kPaletteRows * cell + 7, (k - 1) % FonEditor::kPaletteRows * cell + 7));
    ASSERT_EQ(e.selectedTile(), k);
}

// The centre of a cell in grid pixels.
QPoint at(const FonEditor& e, int column, int row)
{
    return QPoint(column * e.tileWidth() + e.tileWidth() / 2, row * e.tileHeight() + e.tileHeight() / 2);
}

void click(FonEditor& e, int column, int row)
{
    e.pressed(at(e, column, row));
    e.released(at(e, column, row));
}

struct Fixture {
    test::TempAppFolder tmp;
    FonEditor editor{tmp.app()};
    QString sheet(const QString& name, int across, int down, int tw, int th, int extra = 0)
    {
        return writeSheet(tmp.app().imageFile(name), across, down, tw, th, extra);
    }
};

} // namespace

TEST(FonEditor, CutTileTableAndPalette)
{
    Fixture f;
    FonEditor& e = f.editor;
    // Before any cut the palette holds nothing: a click selects no tile, and an empty cell stays empty.
    e.paletteClicked(QPoint(3, 3));
    EXPECT_EQ(e.selectedTile(), 0);
    click(e, 0, 0);
    EXPECT_EQ(e.cell(0, 0), 0);
    EXPECT_EQ(e.undoStack().count(), 0);

    // 100 x 60 cut 3 x 2: nearest(100 / 3) = 33.
    QImage odd(100, 60, QImage::Format_RGB32);
    odd.fill(Qt::gray);
    io::writePng(odd, f.tmp.app().imageFile(u"odd.png"_s));
    e.loadPicture(f.tmp.app().imageFile(u"odd.png"_s));
    e.setTiles(3, 2);
    EXPECT_EQ(e.tileWidth(), 33);
    EXPECT_EQ(e.tileHeight(), 30);
    EXPECT_EQ(e.tileRect(4), QRect(QPoint(0, 30), QPoint(32, 59)));
    EXPECT_EQ(e.tileCount(), 6);
    EXPECT_TRUE(e.tileRect(7).isEmpty());
    EXPECT_TRUE(e.tileRect(0).isEmpty());

    // Column by column, 15 to a column.
    e.setTiles(5, 5);
    EXPECT_EQ(e.paletteTile(0, 0), 1);
    EXPECT_EQ(e.paletteTile(1, 0), 16);
    EXPECT_EQ(e.paletteTile(1, 9), 25);
    EXPECT_EQ(e.paletteTile(1, 10), 0);

    // A tile under one pixel is refused and the cut stays; a picture too
    // small for the counts lowers them instead.
    QImage tiny(3, 40, QImage::Format_RGB32);
    tiny.fill(Qt::red);
    io::writePng(tiny, f.tmp.app().imageFile(u"tiny.png"_s));
    e.loadPicture(f.tmp.app().imageFile(u"tiny.png"_s));
    EXPECT_EQ(e.tilesAcross(), 3);
    EXPECT_EQ(e.tileWidth(), 1);
    // nearest(3 / 6) = 0, nearest(3 / 5) = 1.
    const QString refused = test::errorOf([&] { e.setTiles(6, 20); });
    EXPECT_TRUE(refused.contains(u"в ширину (6)"_s)) << refused.toStdString();
    EXPECT_EQ(e.tilesAcross(), 3);
    EXPECT_TRUE(test::errorOf([&] { e.setTiles(5, 20); }).isEmpty());
    EXPECT_EQ(e.tileHeight(), 2);

    // A sheet of 400 tiles: the palette scrolls, and the last one can be picked.
    e.loadPicture(f.sheet(u"big.png"_s, 20, 20, 4, 4));
    e.setTiles(20, 20);
    EXPECT_EQ(e.paletteColumns(), 27);
    select(e, 400);
}

TEST(FonEditor, ClicksToggleStrokesPaintAndEveryEditUndoes)
{
    Fixture f;
    FonEditor& e = f.editor;
    e.loadPicture(f.sheet(u"s.png"_s, 5, 5, 8, 8));
    e.setMapSize(10, 4);
    select(e, 3);
    click(e, 2, 1);
    EXPECT_EQ(e.cell(2, 1), 3);
    // Another tile replaces a filled cell in one click; the same tile clears it.
    select(e, 7);
    click(e, 2, 1);
    EXPECT_EQ(e.cell(2, 1), 7);
    click(e, 2, 1);
    EXPECT_EQ(e.cell(2, 1), 0);
    click(e, 2, 1);
    EXPECT_EQ(e.cell(2, 1), 7);
    e.undoStack().undo();
    e.undoStack().undo();
    EXPECT_EQ(e.cell(2, 1), 7) << "the replacement is a step of its own";
    e.undoStack().undo();
    EXPECT_EQ(e.cell(2, 1), 3);
    e.undoStack().redo();
    e.undoStack().redo();
    e.undoStack().redo();
    EXPECT_EQ(e.cell(2, 1), 7);

    // A quick stroke from (0, 0) to (6, 0) paints every cell between, each once.
    select(e, 5);
    const int steps = e.undoStack().count();
    e.pressed(at(e, 0, 0));
    e.pointerMoved(at(e, 6, 0));
    e.pointerMoved(at(e, 1, 0)); // back over painted cells: no toggling
    e.pointerMoved(QPoint(-5, 3)); // off the grid and back elsewhere: the gap stays unpainted
    e.pointerMoved(at(e, 0, 3));
    e.released(at(e, 0, 3));
    for (int c = 0; c <= 6; ++c)
        EXPECT_EQ(e.cell(c, 0), 5) << c;
    EXPECT_EQ(e.cell(7, 0), 0);
    EXPECT_EQ(e.cell(0, 1), 0);
    EXPECT_EQ(e.cell(0, 3), 5);
    EXPECT_EQ(e.cell(2, 1), 7);
    ASSERT_EQ(e.undoStack().count(), steps + 1) << "one stroke, one step";

    e.undoStack().undo();
    for (int c = 0; c <= 6; ++c)
        EXPECT_EQ(e.cell(c, 0), 0) << c;
    EXPECT_EQ(e.cell(0, 3), 0);
    e.undoStack().redo();
    EXPECT_EQ(e.cell(6, 0), 5);

    // "очистить поле" empties the grid in one step; cells outside it are kept.
    e.setMapSize(3, 4);
    e.clear();
    EXPECT_EQ(e.cell(0, 0), 0);
    EXPECT_EQ(e.cell(2, 1), 0);
    EXPECT_EQ(e.cell(6, 0), 5);
    e.undoStack().undo();
    EXPECT_EQ(e.cell(2, 1), 7);
    // The grid grows back over the kept cells; a press off the grid does nothing.
    e.setMapSize(10, 4);
    EXPECT_EQ(e.cell(6, 0), 5);
    const int before = e.undoStack().count();
    e.pressed(QPoint(10 * 8 + 1, 0));
    e.pointerMoved(at(e, 9, 0));
    e.released(at(e, 9, 0));
    EXPECT_EQ(e.undoStack().count(), before);
    EXPECT_FALSE(test::errorOf([&] { e.setMapSize(101, 1); }).isEmpty());
    EXPECT_EQ(e.mapColumns(), 10);
}

TEST(FonEditor, SaveWritesTheMapTheSheetAsCutAndThePreview)
{
    Fixture f;
    FonEditor& e = f.editor;
    const QString obf = f.tmp.makeDir(u"elsewhere"_s) + u"/a.b.obf"_s;
    // Nothing to save before a picture: said, and nothing written.
    EXPECT_FALSE(test::errorOf([&] { e.save(obf); }).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(obf));

    // Three tiles of 33 on a 100-pixel sheet: the saved sheet is 99 wide, as
    // the level map and the game cut it (a game refuses a sheet that is not
    // a whole number of tiles).
    e.loadPicture(f.sheet(u"s.png"_s, 3, 2, 33, 30, 1));
    e.setTiles(3, 2);
    e.setMapSize(2, 3);
    select(e, 5);
    click(e, 0, 2);
    EXPECT_TRUE(e.isModified());
    e.save(obf);
    EXPECT_FALSE(e.isModified());
    EXPECT_EQ(bytesOf(obf), QByteArray("fon\r\na.b.png\r\n33\r\n30\r\n2\r\n3\r\n0\r\n0\r\n0\r\n0\r\n5\r\n0\r\n"));
    const QImage png = io::readPng(f.tmp.app().objectFile(u"a.b.png"_s));
    EXPECT_EQ(png.size(), QSize(99, 60));
    EXPECT_EQ(png.pixel(98, 59), tileColour(6));
    const QImage bmp = io::readBmp(f.tmp.app().objectFile(u"a.b.bmp"_s));
    EXPECT_EQ(bmp.size(), QSize(objects::kPreviewWidth, objects::kPreviewHeight));

    // A sheet short of its last tile (103 / 2 gives tiles of 52) is padded, not cut into.
    QImage short_(103, 10, QImage::Format_RGB32);
    short_.fill(Qt::red);
    io::writePng(short_, f.tmp.app().imageFile(u"short.png"_s));
    e.loadPicture(f.tmp.app().imageFile(u"short.png"_s));
    e.setTiles(2, 1);
    e.save(f.tmp.app().objectFile(u"short.obf"_s));
    const QImage padded = io::readPng(f.tmp.app().objectFile(u"short.png"_s));
    EXPECT_EQ(padded.size(), QSize(104, 10));
    EXPECT_EQ(padded.pixel(102, 5), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(padded.pixel(103, 5)), 0);
}

TEST(FonEditor, PreviewFitsTheWholeMap)
{
    Fixture f;
    FonEditor& e = f.editor;
    // 40 x 21 cells of 16 px = 640 x 336, scaled by 640 / 137 into 137 x 72.
    e.loadPicture(f.sheet(u"s.png"_s, 1, 1, 16, 16));
    e.setTiles(1, 1);
    e.setMapSize(40, 21);
    select(e, 1);
    for (int r = 0; r < 21; ++r)
        for (int c = 0; c < 40; ++c)
            e.toggle(c, r);
    QImage p = objects::previewImage(e);
    EXPECT_EQ(p.pixel(0, 0), tileColour(1));
    EXPECT_EQ(p.pixel(136, 71), tileColour(1));
    EXPECT_EQ(p.pixel(0, 72), qRgb(255, 255, 255));
    // An empty cell shows the canvas colour.
    e.toggle(39, 20);
    p = objects::previewImage(e);
    EXPECT_EQ(p.pixel(135, 70), objects::kPreviewCanvas);

    // A square map fits the lower side too, and a map far larger than any
    // canvas (100 x 100 cells of 50 px) is previewed whole.
    e.loadPicture(f.sheet(u"big.png"_s, 20, 20, 50, 50));
    e.setTiles(20, 20);
    e.setMapSize(100, 100);
    select(e, 400);
    e.pressed(at(e, 99, 99));
    e.released(at(e, 99, 99));
    p = objects::previewImage(e);
    EXPECT_EQ(p.pixel(128, 128), tileColour(400));
    EXPECT_EQ(p.pixel(120, 120), objects::kPreviewCanvas);
    EXPECT_EQ(p.pixel(130, 10), qRgb(255, 255, 255));
}

TEST(FonEditor, OpenReadsBackWhatWasSavedAndRefusesWhatItCannotShow)
{
    Fixture f;
    FonEditor& e = f.editor;
    e.loadPicture(f.sheet(u"s.png"_s, 4, 3, 10, 12));
    e.setTiles(4, 3);
    e.setMapSize(5, 2);
    select(e, 12);
    click(e, 4, 1);
    const QString obf = f.tmp.app().objectFile(u"map.obf"_s);
    e.save(obf);

    FonEditor other(f.tmp.app());
    other.loadPicture(f.tmp.app().imageFile(u"s.png"_s));
    other.setMapSize(30, 30);
    select(other, 1);
    other.pressed(at(other, 29, 29)); // a cell of the old map beyond the new one
    other.released(at(other, 29, 29));
    other.open(obf);
    EXPECT_EQ(other.tilesAcross(), 4);
    EXPECT_EQ(other.tilesDown(), 3);
    EXPECT_EQ(other.tileWidth(), 10);
    EXPECT_EQ(other.mapColumns(), 5);
    EXPECT_EQ(other.mapRows(), 2);
    EXPECT_EQ(other.cell(4, 1), 12);
    EXPECT_EQ(other.cell(29, 29), 0);
    EXPECT_EQ(other.undoStack().count(), 0);
    EXPECT_FALSE(other.isModified());
    EXPECT_EQ(objects::mapImage(other).pixel(45, 18), tileColour(12));

    // Each refusal names what is wrong and leaves the editor as it was.
    const QImage shown = objects::mapImage(other);
    const auto refused = [&](const QByteArray& content, const QString& expected) {
        const QString path = f.tmp.app().objectFile(u"bad.obf"_s);
        io::writeFileAtomically(path, content);
        const QString message = test::errorOf([&] { other.open(path); });
        EXPECT_TRUE(message.contains(expected)) << message.toStdString();
        EXPECT_EQ(objects::mapImage(other), shown);
        EXPECT_EQ(other.cell(4, 1), 12);
    };
    refused("active\r\n", u"bad.obf"_s);
    refused("fon\r\nnone.png\r\n10\r\n12\r\n1\r\n1\r\n0\r\n", u"none.png"_s);
    refused("fon\r\nmap.png\r\n10\r\n12\r\n1\r\n1\r\nx\r\n", u"строка 7"_s);
    // 40 / 15 cuts into 3 tiles of 13: tiles of 15 are not what the editor can cut.
    refused("fon\r\nmap.png\r\n15\r\n12\r\n1\r\n1\r\n0\r\n", u"не разрезается"_s);
    refused("fon\r\nmap.png\r\n1\r\n12\r\n1\r\n1\r\n0\r\n", u"не разрезается"_s);
}

// A map painted in the editor, imported into a stage, placed on the level
// map and converted: the same tiles everywhere.
TEST(FonEditor, SavedMapReachesTheLevelMapAndTheGame)
{
    test::TempAppFolder tmp;
    FonEditor e(tmp.app());
    e.loadPicture(writeSheet(tmp.app().imageFile(u"s.png"_s), 3, 2, 33, 30, 1));
    e.setTiles(3, 2);
    e.setMapSize(3, 2);
    select(e, 2);
    e.pressed(at(e, 0, 0));
    e.pointerMoved(at(e, 2, 0));
    e.released(at(e, 2, 0));
    select(e, 6);
    click(e, 1, 1);
    e.save(tmp.app().objectFile(u"road.obf"_s));

    document::ProjectDocument doc(tmp.app());
    doc.edit().ProjectDir = tmp.makeDir(u"game"_s);
    level::LevelView view(doc);
    view.start();
    doc.importObject(u"road.obf"_s);
    view.start1();
    view.listPointerMoved(20, 20);
    view.listReleased();
    view.pointerMoved(100, 200);
    view.pressed(100, 200);
    view.released(true);
    ASSERT_EQ(doc.project().current().FonObjCount, 1);
    view.tool().dropPicked(); // the icon over the map no more
    view.redrawMap();
    EXPECT_EQ(view.map().pixel(100 + 5, 200 + 5), tileColour(2));
    EXPECT_EQ(view.map().pixel(100 + 33 * 2 + 32, 200 + 29), tileColour(2));
    EXPECT_EQ(view.map().pixel(100 + 33 + 5, 200 + 30 + 5), tileColour(6));

    codegen::convertProject(doc.project(), tmp.app());
    const QStringList tables =
        test::dumpStageTables(bytesOf(doc.project().projectPath(u"res/Etap0.dat"_s))).split(u'\n');
    EXPECT_TRUE(tables.contains(u"map 0: 2 2 2 0 6 0"_s)) << tables.join(u'\n').toStdString();
    EXPECT_TRUE(tables.filter(u"background 0: picture 0, tile w h, columns rows, x y: 33 30 3 2 "_s).size() == 1)
        << tables.join(u'\n').toStdString();
    EXPECT_EQ(io::readPng(doc.project().projectPath(u"res/road.png"_s)).size(), QSize(99, 60));
}

// Cells of a map written as rows of digits ('.' for 0), top row first.
void paint(FonEditor& e, std::initializer_list<const char*> rows)
{
    int row = 0;
    for (const char* line : rows) {
        for (int column = 0; line[column] != 0; ++column) {
            const int tile = line[column] == '.' ? 0 : line[column] - '0';
            if (e.cell(column, row) != tile) {
                select(e, tile == 0 ? e.cell(column, row) : tile); // its own tile clears a cell
                click(e, column, row);
            }
        }
        ++row;
    }
}

std::string rowsOf(const FonEditor& e)
{
    std::string text;
    for (int row = 0; row < e.mapRows(); ++row) {
        for (int column = 0; column < e.mapColumns(); ++column)
            text += e.cell(column, row) == 0 ? '.' : char('0' + e.cell(column, row));
        text += '\n';
    }
    return text;
}

TEST(FonEditor, FloodFillKeepsToConnectedCellsInsideTheGridAndUndoesAsOneStep)
{
    Fixture f;
    FonEditor& e = f.editor;
    e.loadPicture(f.sheet(u"s.png"_s, 3, 3, 8, 8));
    // A wall of 1 around a hole; the hole's 0 cells do not touch the outer 0 cells.
    e.setMapSize(6, 5);
    paint(e, {"111...", "1.1...", "111...", "......", ".....2"});
    const int steps = e.undoStack().count();
    select(e, 3);
    e.setBrush(FonEditor::Brush::Fill);
    click(e, 5, 0); // at the right edge
    EXPECT_EQ(rowsOf(e), "111333\n1.1333\n111333\n333333\n333332\n");
    EXPECT_EQ(e.cell(6, 0), 0) << "the fill stopped at the grid's edge";
    EXPECT_EQ(e.undoStack().count(), steps + 1);
    // The hole alone; a cell already holding the tile changes nothing.
    click(e, 1, 1);
    EXPECT_EQ(e.cell(1, 1), 3);
    EXPECT_EQ(e.cell(0, 0), 1);
    click(e, 1, 1);
    EXPECT_EQ(e.undoStack().count(), steps + 2);
    // The wall, diagonal neighbours not joined: the corner cell (5, 4) keeps its 2.
    select(e, 2);
    click(e, 0, 0);
    EXPECT_EQ(rowsOf(e), "222333\n232333\n222333\n333333\n333332\n");
    e.undoStack().undo();
    e.undoStack().undo();
    e.undoStack().undo();
    EXPECT_EQ(rowsOf(e), "111...\n1.1...\n111...\n......\n.....2\n");
    // A press that leaves its cell is no click and fills nothing.
    e.pressed(at(e, 3, 3));
    e.pointerMoved(at(e, 4, 3));
    e.released(at(e, 3, 3));
    EXPECT_EQ(e.cell(3, 3), 0);
}

TEST(FonEditor, RectangleTakesCornersEitherWayAndEraserAndPickWork)
{
    Fixture f;
    FonEditor& e = f.editor;
    e.loadPicture(f.sheet(u"s.png"_s, 3, 3, 8, 8));
    e.setMapSize(5, 4);
    select(e, 4);
    e.setBrush(FonEditor::Brush::Rectangle);
    // From the lower right corner to the upper left: the same cells.
    e.pressed(at(e, 3, 2));
    e.pointerMoved(at(e, 2, 2));
    e.pointerMoved(at(e, 1, 1));
    EXPECT_EQ(e.pendingRectangle(), QRect(QPoint(1, 1), QPoint(3, 2)));
    EXPECT_EQ(e.cell(1, 1), 0) << "nothing is painted before the release";
    e.released(at(e, 1, 1));
    EXPECT_FALSE(e.pendingRectangle());
    EXPECT_EQ(rowsOf(e), ".....\n.444.\n.444.\n.....\n");
    const int steps = e.undoStack().count();
    // Released off the grid: the last corner on it counts.
    e.pressed(at(e, 4, 0));
    e.pointerMoved(at(e, 3, 3));
    e.released(QPoint(-5, 1000));
    EXPECT_EQ(rowsOf(e), "...44\n.4444\n.4444\n...44\n");
    EXPECT_EQ(e.undoStack().count(), steps + 1);
    e.undoStack().undo();
    EXPECT_EQ(rowsOf(e), ".....\n.444.\n.444.\n.....\n");

    // The eraser: a click and a stroke empty cells, a stroke one step.
    e.setBrush(FonEditor::Brush::Eraser);
    click(e, 1, 1);
    EXPECT_EQ(e.cell(1, 1), 0);
    e.pressed(at(e, 1, 2));
    e.pointerMoved(at(e, 2, 2));
    e.pointerMoved(at(e, 3, 2));
    e.released(at(e, 3, 2));
    EXPECT_EQ(rowsOf(e), ".....\n..44.\n.....\n.....\n");
    e.undoStack().undo();
    EXPECT_EQ(rowsOf(e), ".....\n..44.\n.444.\n.....\n");

    // Picking: the tile under the pointer; an empty cell picks "no tile"; off the grid nothing.
    select(e, 9);
    e.pickAt(at(e, 2, 1));
    EXPECT_EQ(e.selectedTile(), 4);
    e.pickAt(QPoint(500, 500));
    EXPECT_EQ(e.selectedTile(), 4);
    e.pickAt(at(e, 0, 0));
    EXPECT_EQ(e.selectedTile(), 0);
}

// The default counts would cut a strip of four 16-pixel tiles into slivers:
// a new sheet is cut into its square tiles until the author sets the counts.
TEST(FonEditor, AFreshSheetIsCutIntoItsSquareTilesUnlessTheCountsWereSet)
{
    {
        Fixture f;
        f.editor.loadPicture(f.sheet(u"strip.png"_s, 4, 1, 16, 16));
        EXPECT_EQ(f.editor.tilesAcross(), 4);
        EXPECT_EQ(f.editor.tilesDown(), 1);
        EXPECT_EQ(f.editor.tileWidth(), 16);
        // 16 comes first (96 x 32 is 6 x 2 of them); 40 x 40 divides by 8 only.
        f.editor.loadPicture(f.sheet(u"square.png"_s, 3, 1, 32, 32));
        EXPECT_EQ(f.editor.tilesAcross(), 6);
        EXPECT_EQ(f.editor.tilesDown(), 2);
        f.editor.loadPicture(f.sheet(u"eights.png"_s, 5, 5, 8, 8));
        EXPECT_EQ(f.editor.tilesAcross(), 5);
        // 21 x 16 tiles of 16 would be more than the table holds: the counts stay.
        f.editor.loadPicture(f.sheet(u"wide.png"_s, 21, 1, 16, 16));
        EXPECT_EQ(f.editor.tilesAcross(), 5);
    }
    {
        Fixture f;
        f.editor.setTiles(2, 1);
        f.editor.loadPicture(f.sheet(u"strip.png"_s, 4, 1, 16, 16));
        EXPECT_EQ(f.editor.tilesAcross(), 2) << "the author's counts are kept";
        EXPECT_EQ(f.editor.tileWidth(), 32);
    }
}

// Solid tiles travel beside the object file: marked in the palette with
// undo, saved, read back; a damaged or foreign list is refused on opening
// and the editor keeps what it showed.
TEST(FonEditor, SolidTilesAreMarkedSavedAndReadBack)
{
    Fixture f;
    FonEditor& e = f.editor;
    e.loadPicture(f.sheet(u"s.png"_s, 4, 1, 16, 16));
    e.setSolidMarking(true);
    const auto paletteCell = [](int tile) {
        return QPoint(FonEditor::kPaletteCell / 2, (tile - 1) * FonEditor::kPaletteCell + FonEditor::kPaletteCell / 2);
    };
    for (int tile : {3, 1, 3, 4})
        e.paletteClicked(paletteCell(tile));
    EXPECT_EQ(e.solidTiles(), (std::vector<int>{1, 4}));
    EXPECT_EQ(e.selectedTile(), 0) << "marking selects nothing";
    e.undoStack().undo();
    EXPECT_EQ(e.solidTiles(), (std::vector<int>{1}));
    e.undoStack().redo();
    e.paletteClicked(QPoint(2, 4 * FonEditor::kPaletteCell + 2)); // past the last tile: nothing
    EXPECT_EQ(e.solidTiles(), (std::vector<int>{1, 4}));
    e.setSolidMarking(false);
    e.paletteClicked(paletteCell(2));
    EXPECT_EQ(e.selectedTile(), 2);

    const QString obf = f.tmp.app().objectFile(u"walls.obf"_s);
    e.save(obf);
    const QString sidecar = f.tmp.app().objectFile(u"walls.solid.json"_s);
    EXPECT_EQ(io::readWholeFile(sidecar), QByteArray("{\"solidTiles\":[1,4]}\n"));
    FonEditor other(f.tmp.app());
    other.open(obf);
    EXPECT_EQ(other.solidTiles(), (std::vector<int>{1, 4}));
    EXPECT_TRUE(other.isSolid(4));
    EXPECT_FALSE(other.isSolid(2));

    for (const QByteArray& bad : {QByteArray("{\"solidTiles\":[5]}"), QByteArray("{\"solidTiles\":[0]}"),
                                  QByteArray("{\"solidTiles\":[1.5]}"), QByteArray("[1,2]"), QByteArray("{\"solid")}) {
        io::writeFileAtomically(sidecar, bad);
        const QString message = test::errorOf([&] { other.open(obf); });
        EXPECT_TRUE(message.contains(u"walls.solid.json"_s)) << bad.toStdString() << ": " << message.toStdString();
        EXPECT_EQ(other.solidTiles(), (std::vector<int>{1, 4})) << bad.toStdString();
    }
    QFile::remove(sidecar);
    other.open(obf);
    EXPECT_TRUE(other.solidTiles().empty()) << "no list: no tile marked";
}
