// Makes the purpose-built projects the game tests package and play: each is
// saved as an author's project would be (project.prg, the extras file, the
// object files), and its event rows are built by the condition and action
// catalogues exactly as the event sheet builds them.
//
//   kestrava_game_projects WORK_DIR
//
// WORK_DIR/<name>/project.prg for every project below. The sprites are solid
// colours, so a test can tell the frames apart by a pixel:
//   box frames: 1 red C03030, 2 green 30C030, 3 blue 3030C0, 4 yellow E0E040
//   box table: rest 1; moving right 2 3, up 3, left 3 2, down 2; destroyed 4 3
//   floor: 40 x 12 tiles of 16 (640 x 192), grass 50A050, row 6 sand C8B478
//   wall: the floor's size, only column 11 (x 160..175) filled, grey 808080
//   ledge: the floor's size, a floor one tile thick in row 10 (y 144..159,
//     x 0..479) and a ceiling in row 5 (y 64..79, x 0..95), grey 808080
//   big: a full 100 x 100 map of floor tiles, sand where (row + column) % 3 == 0
//   huge0 .. huge11: 10 x 10 tiles of 100 on a 1000 x 1000 sheet, each sheet of another grey
#include "catalogue/Item.h"
#include "catalogue/PhoneKeys.h"
#include "catalogue/Translator.h"
#include "events/Sheet.h"
#include "io/AppFolder.h"
#include "io/Paths.h"
#include "io/Error.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "objects/ObjectFile.h"
#include "objects/SolidTiles.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectFile.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>

#include <cstdio>
#include <vector>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTile = 16;
constexpr int kHugeSheets = 12;
constexpr QRgb kFrames[] = {0xFFC03030, 0xFF30C030, 0xFF3030C0, 0xFFE0E040};

QImage solid(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

// The object library the projects import from.
class Library {
public:
    Library() : m_app(m_dir.path())
    {
        if (!m_dir.isValid())
            throw io::Error(u"no temporary folder"_s);
        m_app.ensureFolders();
        const auto at = [&](const char* name) { return m_app.objectFile(QString::fromLatin1(name)); };

        QImage sheet = solid(2 * kTile, kTile, 0xFF50A050);
        for (int y = 0; y < kTile; ++y)
            for (int x = kTile; x < 2 * kTile; ++x)
                sheet.setPixel(x, y, 0xFFC8B478);
        objects::BackgroundObjectFile floor;
        floor.PictureName = u"floor.png"_s;
        floor.TileWidth = floor.TileHeight = kTile;
        floor.setMapSize(40, 12);
        for (int r = 1; r <= 12; ++r)
            for (int c = 1; c <= 40; ++c)
                floor.setCell(r, c, r == 6 ? 2 : 1);
        floor.write(at("floor.obf"));
        io::writePng(sheet, at("floor.png"));
        io::writeBmp(solid(137, 129, 0xFF50A050), at("floor.bmp"));

        objects::BackgroundObjectFile big = floor;
        big.PictureName = u"big.png"_s;
        big.setMapSize(model::kMaxMapColumns, model::kMaxMapRows);
        for (int r = 1; r <= model::kMaxMapRows; ++r)
            for (int c = 1; c <= model::kMaxMapColumns; ++c)
                big.setCell(r, c, (r + c) % 3 == 0 ? 2 : 1);
        big.write(at("big.obf"));
        io::writePng(sheet, at("big.png"));
        io::writeBmp(solid(137, 129, 0xFF50A050), at("big.bmp"));

        // Sheets that take 4 MB each once decoded.
        for (int k = 0; k < kHugeSheets; ++k) {
            objects::BackgroundObjectFile huge;
            const QString name = u"huge%1"_s.arg(k);
            huge.PictureName = name + u".png"_s;
            huge.TileWidth = huge.TileHeight = 100;
            huge.setMapSize(10, 10);
            for (int r = 1; r <= 10; ++r)
                for (int c = 1; c <= 10; ++c)
                    huge.setCell(r, c, 1);
            huge.write(m_app.objectFile(name + u".obf"_s));
            const int grey = 40 + 10 * k;
            io::writePng(solid(1000, 1000, qRgb(grey, grey, grey)), m_app.objectFile(name + u".png"_s));
            io::writeBmp(solid(137, 129, qRgb(grey, grey, grey)), m_app.objectFile(name + u".bmp"_s));
        }

        objects::BackgroundObjectFile wall;
        wall.PictureName = u"wall.png"_s;
        wall.TileWidth = wall.TileHeight = kTile;
        wall.setMapSize(40, 12);
        for (int r = 1; r <= 12; ++r)
            wall.setCell(r, 11, 1);
        wall.write(at("wall.obf"));
        io::writePng(solid(kTile, kTile, 0xFF808080), at("wall.png"));
        io::writeBmp(solid(137, 129, 0xFF808080), at("wall.bmp"));

        objects::BackgroundObjectFile ledge = wall;
        ledge.PictureName = u"ledge.png"_s;
        ledge.setMapSize(40, 12);
        for (int c = 1; c <= 30; ++c)
            ledge.setCell(10, c, 1);
        for (int c = 1; c <= 6; ++c)
            ledge.setCell(5, c, 1);
        ledge.write(at("ledge.obf"));
        io::writePng(solid(kTile, kTile, 0xFF808080), at("ledge.png"));
        io::writeBmp(solid(137, 129, 0xFF808080), at("ledge.bmp"));

        // A map of floor tiles with a column of its second tile, marked solid in the map editor.
        objects::BackgroundObjectFile mixed = floor;
        mixed.PictureName = u"mixed.png"_s;
        for (int r = 1; r <= 12; ++r)
            for (int c = 1; c <= 40; ++c)
                mixed.setCell(r, c, c == 11 ? 2 : 1);
        mixed.write(at("mixed.obf"));
        io::writePng(sheet, at("mixed.png"));
        io::writeBmp(solid(137, 129, 0xFF50A050), at("mixed.bmp"));
        io::writeFileAtomically(at("mixed.solid.json"), objects::solidTilesBytes({2}));

        QImage strip(4 * kTile, kTile, QImage::Format_ARGB32);
        for (int f = 0; f < 4; ++f)
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x)
                    strip.setPixel(f * kTile + x, y, kFrames[f]);
        objects::ActiveObjectFile box;
        box.PictureName = u"box.png"_s;
        box.FrameCount = 4;
        box.TileWidth = box.TileHeight = kTile;
        for (int d = 1; d <= 4; ++d) {
            box.Anim[1][d][1] = 1;
            box.Anim[1][d][4] = 4;
            box.Anim[2][d][4] = 3;
        }
        box.Anim[1][1][2] = 2;
        box.Anim[2][1][2] = 3;
        box.Anim[1][2][2] = 3;
        box.Anim[1][3][2] = 3;
        box.Anim[2][3][2] = 2;
        box.Anim[1][4][2] = 2;
        box.write(at("box.oba"));
        io::writePng(strip, at("box.png"));
        io::writeBmp(solid(kTile, kTile, kFrames[0]), at("box.bmp"));
        // The same strip with an empty table: it shows its first frame until an action turns it.
        objects::ActiveObjectFile still = box;
        still.PictureName = u"still.png"_s;
        std::fill(&still.Anim[0][0][0], &still.Anim[0][0][0] + sizeof still.Anim / sizeof(int), 0);
        still.write(at("still.oba"));
        io::writePng(strip, at("still.png"));
        io::writeBmp(solid(kTile, kTile, kFrames[0]), at("still.bmp"));

        objects::TextObjectFile title;
        title.FontFace = 2;
        title.FontSize = 2;
        title.Bold = 1;
        title.Colour = 0xC00000; // 0x00BBGGRR: blue
        title.lines = {u"ТЕСТ"_s, u"две строки"_s};
        title.write(at("title.obt"));

        objects::TextObjectFile shows = title;
        shows.lines = {u"Очки: {очки}"_s, u"{монеты} {шаги} {жизни}"_s};
        shows.write(at("shows.obt"));

        objects::BarObjectFile bar;
        bar.Width = 30;
        bar.Height = 6;
        bar.Direction = objects::BarObjectFile::horizontal();
        bar.write(at("bar.obl"));
        io::writeBmp(solid(30, 6, 0xFFE02020), at("bar.bmp"));
    }

    const io::AppFolder& app() const { return m_app; }

private:
    QTemporaryDir m_dir;
    io::AppFolder m_app;
};

events::Condition condition(int icon, const QString& path, const catalogue::Values& values = {})
{
    return catalogue::buildCondition(icon, path, values);
}

events::Condition plain(int icon, const QString& path, int object = 0)
{
    return condition(icon, path, {{u"N"_s, QString::number(object)}});
}

events::Condition compared(int icon, const QString& path, const QString& relation, int object = 0)
{
    return condition(icon, path, {{u"N"_s, QString::number(object)}, {u"A"_s, relation}, {u"AC"_s, relation}});
}

events::Condition key(const QString& path, const QString& keyName, int level = 1)
{
    for (const catalogue::PhoneKey& k : catalogue::phoneKeys())
        if (k.KeyName == keyName)
            return condition(5, path, {{u"K"_s, k.KeyName}, {u"KC"_s, k.KeyCode}, {u"L"_s, QString::number(level)}});
    throw io::Error(u"no key "_s + keyName);
}

events::Condition pressed(const QString& keyName, int level = 1)
{
    return key(u"Нажатие на клавишу..."_s, keyName, level);
}

events::Condition timer(const QString& path, const QString& minutes, const QString& seconds, const QString& hundredths)
{
    const catalogue::TimerSetting t = catalogue::timerSetting(minutes, seconds, hundredths);
    return condition(7, path, {{u"A"_s, t.arg}, {u"T"_s, QString::number(t.time)}});
}

events::Action action(int column, const QString& path, const QString& value = QString(), int target = 0)
{
    return catalogue::buildAction(column, path, value, target);
}

using MT = model::MovementType;
const QString kFloor = u"floor.obf"_s;

// One project being made.
class Maker {
public:
    Maker(const Library& lib, const QString& dir, int stages) : m_lib(lib), m_file(dir + u"/project.prg"_s)
    {
        QDir(dir).removeRecursively();
        io::makeFolder(dir);
        persist::save_project(m_p, m_file);
        m_p.LevelCount = stages;
        // The scripts count pixels on the screen of the older phones, which the
        // project keeps as its own: the jad says it, and the player opens it.
        m_p.GameScreen = {128, 176};
    }

    model::StageData& stage(int level) { return m_p.stage(level); }
    void screen(model::ScreenSize size) { m_p.GameScreen = size; }

    // A new group of the object file; its index.
    int group(int level, const QString& file)
    {
        m_p.CurLevel = level;
        return persist::Load_object(m_p, m_lib.app(), file).index;
    }

    void fon(int level, const QString& file, int x, int y, bool obstacle = false)
    {
        const int g = group(level, file);
        model::StageData& s = stage(level);
        model::FonGroupData& grp = s.FonGroup[size_t(g)];
        grp.Obstacle = obstacle ? 1 : 0;
        s.FonObject[size_t(++s.FonObjCount)] = {QString::number(g), x, y, grp.ListSlot, g, grp.BmpName,
                                                  grp.TileWidth, grp.TileHeight, true};
    }

    // A new group of boxes moving as `type`, with one placed at each point;
    // returns the group. Placed objects are numbered in placing order from 0 in the game.
    int boxes(int level, model::MovementType type, const std::vector<QPoint>& at, const QString& file = u"box.oba"_s)
    {
        const int g = group(level, file);
        model::StageData& s = stage(level);
        s.ActiveType[size_t(g)] = type;
        const model::ActiveGroupData& grp = s.ActiveGroup[size_t(g)];
        for (const QPoint& p : at) {
            model::ActiveObjectData& o = s.ActiveObject[size_t(++s.ActiveObjCount)];
            o.Ref = QString::number(g);
            o.X = p.x();
            o.Y = p.y();
            o.Layer = grp.ListSlot;
            o.GroupValue = g;
            o.FileName = grp.BmpName;
            o.Width = o.Height = kTile;
            o.Exists = true;
        }
        return g;
    }

    // Every stage the floor and a keyboard hero (object 0) at (x, y).
    void heroOnEveryStage(int x, int y)
    {
        for (int level = 1; level <= m_p.LevelCount; ++level) {
            fon(level, kFloor, 0, 0);
            boxes(level, MT::EightWay, {{x, y}});
        }
    }

    void path(int level, int object, const std::vector<QPoint>& points)
    {
        model::ActiveObjectData& o = stage(level).ActiveObject[size_t(object)];
        for (const QPoint& p : points)
            o.Path[size_t(++o.PathCount)] = {p.x(), p.y()};
    }

    void text(int level, int x, int y)
    {
        const int t = group(level, u"title.obt"_s);
        stage(level).TextObject[size_t(t)].X = x;
        stage(level).TextObject[size_t(t)].Y = y;
    }

    void text(int level, const QString& file, int x, int y)
    {
        const int t = group(level, file);
        stage(level).TextObject[size_t(t)].X = x;
        stage(level).TextObject[size_t(t)].Y = y;
    }

    model::Project& project() { return m_p; }

    void livesBar(int level, int x, int y)
    {
        group(level, u"bar.obl"_s);
        stage(level).LivesBar.X = x;
        stage(level).LivesBar.Y = y;
    }

    // A row of the sheet with its condition, then its actions by column.
    void row(int level, const events::Condition& c, const std::vector<std::pair<int, events::Action>>& actions)
    {
        model::StageData& s = stage(level);
        events::newRow(s, c);
        for (const auto& [column, a] : actions)
            events::placeAction(s, {s.EventCurRow, column}, a);
    }

    // A row whose code the author typed in by hand, as an older sheet may hold.
    void handRow(int level, const QString& cond, int column, const QString& caption, const QString& code,
                 const QStringList& objects)
    {
        row(level, {u"условие"_s, cond, {}, 0}, {{column, {caption, code, objects}}});
    }

    // A sound of the project; a file's bytes go into its sounds folder.
    void sound(model::SoundData sound, const QByteArray& bytes = {})
    {
        if (!bytes.isEmpty()) {
            io::makeFolder(io::folderPart(m_file) + u"/sounds"_s);
            io::writeFileAtomically(io::folderPart(m_file) + u"/sounds/"_s + sound.File, bytes);
        }
        m_p.Sounds.push_back(std::move(sound));
    }

    void touchButtons() { m_p.TouchButtons = true; }

    void save()
    {
        m_p.CurLevel = 1;
        persist::save(m_p, m_file);
    }

private:
    const Library& m_lib;
    QString m_file;
    model::Project m_p;
};

// Movement: keys at speed per tick, diagonals, number keys, an obstacle, the view, a path, a static object.
void walk(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.fon(1, u"wall.obf"_s, 0, 0, true);
    m.boxes(1, MT::EightWay, {{32, 80}});
    m.boxes(1, MT::Planned, {{32, 16}});
    m.path(1, 2, {{96, 16}, {96, 48}});
    m.boxes(1, MT::Static, {{120, 120}});
    m.save();
}

// The stage conditions and actions: three stages and the end of the game.
void stages(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 3);
    m.heroOnEveryStage(32, 80);
    m.row(1, pressed(u"5"_s, 1), {{3, action(3, u"следующий уровень"_s)}});
    m.row(1, plain(3, u"Конец уровня"_s), {{6, action(6, u"число жизней/установить"_s, u"7"_s)}});
    m.row(2, plain(3, u"Начало уровня"_s), {{6, action(6, u"скорость/установить"_s, u"4"_s)}});
    m.row(2, pressed(u"5"_s, 2), {{3, action(3, u"предыдущий уровень"_s)}});
    m.row(2, pressed(u"9"_s, 2), {{3, action(3, u"переход на уровень"_s, u"3"_s)}});
    m.row(3, pressed(u"5"_s, 3), {{3, action(3, u"следующий уровень"_s)}});
    m.row(3, plain(3, u"Конец игры"_s), {{6, action(6, u"число жизней/установить"_s, u"9"_s)}});
    m.save();
}

// The timer conditions.
void timers(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    m.row(1, timer(u"Каждую..."_s, u"0"_s, u"0"_s, u"50"_s), {{6, action(6, u"число жизней/добавить"_s, u"1"_s)}});
    m.row(1, timer(u"Таймер равен значению..."_s, u"0"_s, u"1"_s, u"23"_s),
          {{6, action(6, u"скорость/установить"_s, u"7"_s)}});
    m.row(1, timer(u"Таймер меньше значения..."_s, u"0"_s, u"0"_s, u"20"_s), {{8, action(8, u"видимость/невидимый"_s)}});
    m.row(1, timer(u"Таймер больше значения..."_s, u"0"_s, u"0"_s, u"30"_s), {{8, action(8, u"видимость/видимый"_s)}});
    m.row(1, timer(u"Таймер больше значения..."_s, u"0"_s, u"2"_s, u"0"_s),
          {{5, action(5, u"управление игроком/игнорировать"_s)}});
    m.save();
}

// The key conditions.
void keys(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    m.row(1, pressed(u"5"_s), {{6, action(6, u"число жизней/добавить"_s, u"1"_s)}});
    m.row(1, pressed(u"venter"_s), {{6, action(6, u"скорость/добавить"_s, u"1"_s)}});
    m.row(1, pressed(u"vu"_s), {{6, action(6, u"скорость/установить"_s, u"1"_s)}});
    m.row(1, pressed(u"rs"_s), {{6, action(6, u"скорость/установить"_s, u"6"_s)}});
    m.row(1, pressed(u"ls"_s), {{6, action(6, u"скорость/установить"_s, u"4"_s)}});
    m.row(1, key(u"Двойное нажатие на клавишу..."_s, u"3"_s), {{6, action(6, u"число жизней/установить"_s, u"9"_s)}});
    m.row(1, key(u"Двойное нажатие на клавишу..."_s, u"#"_s), {{6, action(6, u"число жизней/установить"_s, u"11"_s)}});
    m.row(1, plain(5, u"Нажатие на любую клавишу"_s), {{8, action(8, u"видимость/изменить"_s)}});
    m.save();
}

// The player's conditions and actions, and a game that is lost.
void player(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    m.row(1, pressed(u"1"_s), {{6, action(6, u"число жизней/установить"_s, u"0"_s)}});
    m.row(1, plain(6, u"Когда число жизней игрока равно нулю"_s), {{6, action(6, u"число жизней/установить"_s, u"5"_s)}});
    m.row(1, compared(6, u"Сравнение числа жизней игрока со значением..."_s, u">4"_s),
          {{6, action(6, u"скорость/установить"_s, u"6"_s)}});
    m.row(1, compared(6, u"Сравнение скорости игрока со значением..."_s, u">=6"_s),
          {{8, action(8, u"видимость/невидимый"_s)}});
    // Without the rescue above, a life of 0 ends the game.
    m.row(1, pressed(u"7"_s), {{6, action(6, u"число жизней/установить"_s, u"-1"_s)}});
    m.save();
}

// "Всегда", a comparison of two values, the number of objects.
void special(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    m.boxes(1, MT::Static, {{80, 80}, {100, 80}});
    m.row(1, plain(1, u"Всегда"_s), {{6, action(6, u"скорость/установить"_s, u"5"_s)}});
    m.row(1, compared(1, u"Сравнение двух значений"_s, u"obtime_hour+1>0"_s),
          {{6, action(6, u"число жизней/установить"_s, u"6"_s)}});
    m.row(1, compared(1, u"Сравнение двух значений"_s, u"1>2"_s), {{6, action(6, u"число жизней/установить"_s, u"1"_s)}});
    m.row(1, pressed(u"1"_s), {{9, action(9, u"режим/смерть"_s)}});
    m.row(1, compared(4, u"Сравнение общего числа объектов со значением..."_s, u"<=1"_s),
          {{5, action(5, u"управление игроком/игнорировать"_s)}});
    // "Xn[объект7]" names an object the stage does not have.
    m.row(1, pressed(u"3"_s), {{6, action(6, u"число жизней/установить"_s, u"raspxobd[7]"_s)}});
    m.save();
}

// The object conditions of touch and sight: collision, death, visibility, frame, count.
void touch(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{20, 80}});
    const int coin = m.boxes(1, MT::Static, {{60, 80}});
    const int marker = m.boxes(1, MT::Static, {{100, 20}});
    const catalogue::Values hit{{u"N"_s, u"1"_s}, {u"O"_s, QString::number(coin)}};
    m.row(1, condition(8, u"столкновение/с активным объектом"_s, hit), {{9, action(9, u"режим/смерть"_s)}});
    m.row(1, plain(8, u"режим/смерть"_s, coin), {{6, action(6, u"число жизней/установить"_s, u"5"_s)}});
    m.row(1, plain(8, u"видимость/если объект невидимый"_s, coin), {{10, action(10, u"позиция/задать Х"_s, u"150"_s)}});
    m.row(1, plain(8, u"видимость/если объект видимый"_s, marker),
          {{1, action(1, u"установка края экрана/верхняя сторона"_s, u"2"_s)}});
    m.row(1, compared(8, u"анимация/сравнение текущего кадра со значением..."_s, u"==2"_s, 1),
          {{6, action(6, u"скорость/установить"_s, u"4"_s)}});
    m.row(1, compared(4, u"Сравнение общего числа объектов со значением..."_s, u"<=2"_s),
          {{10, action(10, u"видимость/невидимый"_s)}});
    m.save();
}

// A compared value as the value dialog makes it: readable, and its Java by the translator.
events::Condition comparedValues(const QString& first, const QString& relation)
{
    return condition(1, u"Сравнение двух значений"_s,
                     {{u"A"_s, first + relation}, {u"AC"_s, catalogue::translateValue(first) + relation}});
}

// Speed, acceleration and braking of a keyboard mover; its speed as a value.
void motion(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    const int hero = m.boxes(1, MT::EightWay, {{32, 80}});
    m.stage(1).Motion[size_t(hero)] = {400, 100, 200, 50, 800, 600};
    m.row(1, comparedValues(u" скорость[объект0] "_s, u"==4"_s), {{6, action(6, u"число жизней/установить"_s, u"9"_s)}});
    m.row(1, comparedValues(u" разгон[объект0] + торможение[объект0] "_s, u"==300"_s),
          {{1, action(1, u"установка края экрана/верхняя сторона"_s, u"3"_s)}});
    m.save();
}

// Platform movement: gravity, landing from any fall speed, jumps only from the ground, a ceiling.
// Objects: 0 the jumper under the ceiling; 1..3 fallers dropped from three heights onto the thin floor.
void platform(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, u"ledge.obf"_s, 0, 0, true);
    const int jumper = m.boxes(1, MT::Platform, {{32, 100}});
    m.stage(1).Motion[size_t(jumper)] = {0, 0, 0, 100, 800, 1500};
    const int fallers = m.boxes(1, MT::Platform, {{200, 0}, {240, 20}, {280, 50}});
    // 40 pixels a tick at most: more than the floor and a box together, so a fall in steps would pass through.
    m.stage(1).Motion[size_t(fallers)] = {0, 0, 0, 1000, 4000, 0};
    m.row(1, plain(8, u"движение/на земле"_s, jumper), {{6, action(6, u"число жизней/установить"_s, u"1"_s)}});
    m.row(1, plain(8, u"движение/в прыжке"_s, jumper), {{6, action(6, u"число жизней/установить"_s, u"2"_s)}});
    m.row(1, plain(8, u"движение/падает"_s, jumper), {{6, action(6, u"число жизней/установить"_s, u"4"_s)}});
    m.row(1, pressed(u"9"_s), {{8, action(8, u"движение/прыжок"_s)}});
    m.save();
}

// A touch screen: touches and releases, a touched object, where the touch was, the on-screen buttons.
// Objects: 0 the hero (keyboard, at 32,80), 1 a coin (80,80).
void tapping(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    const int coin = m.boxes(1, MT::Static, {{80, 80}});
    m.row(1, plain(5, u"Касание экрана"_s), {{6, action(6, u"число жизней/добавить"_s, u"1"_s)}});
    m.row(1, plain(5, u"Отпускание"_s), {{6, action(6, u"число жизней/добавить"_s, u"10"_s)}});
    m.row(1, condition(5, u"Касание объекта…"_s, {{u"O"_s, QString::number(coin)}}),
          {{6, action(6, u"число жизней/добавить"_s, u"100"_s)}});
    m.row(1, comparedValues(u"Y касания"_s, u"==87"_s), {{1, action(1, u"установка края экрана/верхняя сторона"_s, u"5"_s)}});
    m.row(1, pressed(u"venter"_s), {{6, action(6, u"число жизней/добавить"_s, u"1000"_s)}});
    m.touchButtons();
    m.save();
}

// Sight and pursuit: detection, the mode conditions, chase, attack, avoid, rest; lives lost to an attack.
void chase(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{20, 80}});
    const int ghost = m.boxes(1, MT::Static, {{120, 80}});
    const catalogue::Values sight{{u"N"_s, QString::number(ghost)},
                                  {u"B"_s, u"1"_s},
                                  {u"MAX"_s, u"40"_s},
                                  {u"A"_s, u"обнаружение от 0 до 40"_s}};
    m.row(1, compared(8, u"координаты/сравнение Х-координаты объекта со значением"_s, u">=60"_s, 1),
          {{9, action(9, u"режим/преследование"_s, QString(), 1)}});
    m.row(1, condition(8, u"обнаружение объекта"_s, sight), {{9, action(9, u"режим/атака"_s, QString(), 1)}});
    m.row(1, plain(8, u"режим/спокойствие"_s, ghost), {{1, action(1, u"установка края экрана/верхняя сторона"_s, u"3"_s)}});
    m.row(1, plain(8, u"режим/перемещение"_s, ghost), {{1, action(1, u"установка края экрана/верхняя сторона"_s, u"5"_s)}});
    m.row(1, plain(8, u"режим/атака"_s, ghost), {{1, action(1, u"установка края экрана/верхняя сторона"_s, u"7"_s)}});
    m.row(1, compared(8, u"координаты/сравнение Y-координаты объекта со значением"_s, u">=150"_s, 1),
          {{9, action(9, u"режим/избегание"_s, QString(), 1)}});
    m.save();
}

// The object actions, the player's control and the screen edges, each on a key.
void actions(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    m.boxes(1, MT::Static, {{60, 40}}, u"still.oba"_s);
    m.boxes(1, MT::Static, {{100, 40}});
    m.row(1, pressed(u"1"_s), {{9, action(9, u"позиция/задать Х"_s, u"30"_s)}, {10, action(10, u"позиция/задать Y"_s, u"100"_s)}});
    m.row(1, pressed(u"3"_s), {{9, action(9, u"анимация/изменить/номер кадра/следующий"_s)}});
    m.row(1, pressed(u"7"_s), {{9, action(9, u"анимация/изменить/номер кадра/предыдущий"_s)}});
    m.row(1, pressed(u"9"_s), {{9, action(9, u"видимость/невидимый"_s)}, {10, action(10, u"видимость/изменить"_s)}});
    m.row(1, pressed(u"0"_s), {{9, action(9, u"видимость/видимый"_s)}});
    m.row(1, pressed(u"*"_s), {{5, action(5, u"управление игроком/игнорировать"_s)}});
    m.row(1, pressed(u"#"_s), {{5, action(5, u"управление игроком/вернуть"_s)}});
    m.row(1, pressed(u"ls"_s), {{1, action(1, u"установка края экрана/левая сторона"_s, u"300"_s)}});
    m.row(1, pressed(u"rs"_s), {{1, action(1, u"установка края экрана/верхняя сторона"_s, u"9"_s)}});
    m.row(1, pressed(u"5"_s), {{10, action(10, u"режим/преследование"_s, QString(), 1)}});
    m.row(1, pressed(u"venter"_s), {{10, action(10, u"режим/спокойствие"_s)}});
    m.save();
}

// The animation as the sheet steers it: states, speed, frames set and stepped, stop and start, the
// conditions on the state and the frame shown.
void animation(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    m.boxes(1, MT::Static, {{100, 40}});
    const auto on = [&](const QString& key, const QString& path, const QString& value = QString()) {
        m.row(1, pressed(key), {{9, action(9, u"анимация/"_s + path, value)}});
    };
    on(u"1"_s, u"изменить/тип анимации/перемещение"_s);
    on(u"2"_s, u"изменить/скорость анимации"_s, u"1"_s);
    on(u"3"_s, u"изменить/номер кадра/установить"_s, u"3"_s);
    on(u"4"_s, u"изменить/номер кадра/следующий"_s);
    on(u"5"_s, u"изменить/скорость анимации"_s, u"50"_s);
    on(u"6"_s, u"начать"_s);
    on(u"7"_s, u"остановить"_s);
    on(u"8"_s, u"изменить/тип анимации/по движению"_s);
    on(u"9"_s, u"изменить/тип анимации/уничтожение"_s);
    on(u"0"_s, u"изменить/номер кадра/предыдущий"_s);
    on(u"*"_s, u"изменить/тип анимации/атака"_s);
    m.row(1, plain(9, u"анимация/какая анимация проигрывается?/перемещение"_s, 2),
          {{9, action(9, u"позиция/задать Y"_s, u"120"_s)}});
    m.row(1, plain(9, u"анимация/какая анимация проигрывается?/спокойствие"_s, 2),
          {{9, action(9, u"позиция/задать Y"_s, u"40"_s)}});
    m.row(1, compared(9, u"анимация/сравнение текущего кадра со значением..."_s, u"==3"_s, 2),
          {{9, action(9, u"позиция/задать Х"_s, u"77"_s)}});
    m.save();
}

// A touch costs one life however long it lasts; the screen edges held by the sheet.
void contact(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    // Two floors one above the other: the view has room to stand at any height up to 208.
    m.fon(1, kFloor, 0, 0);
    m.fon(1, kFloor, 0, 192);
    m.boxes(1, MT::EightWay, {{40, 150}});
    const int enemy = m.boxes(1, MT::Static, {{60, 150}});
    const catalogue::Values hit{{u"N"_s, u"1"_s}, {u"O"_s, QString::number(enemy)}};
    m.row(1, condition(8, u"столкновение/с активным объектом"_s, hit),
          {{6, action(6, u"число жизней/добавить"_s, u"-1"_s)}});
    m.row(1, plain(1, u"Всегда"_s), {{1, action(1, u"установка края экрана/левая сторона"_s, u"100"_s)}});
    m.row(1, pressed(u"1"_s), {{1, action(1, u"установка края экрана/верхняя сторона"_s, u"50"_s)}});
    m.save();
}

// Walls: the hero against the column of an obstacle counts one contact however long it pushes.
void walls(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.fon(1, u"wall.obf"_s, 0, 0, true);
    m.boxes(1, MT::EightWay, {{100, 80}});
    m.row(1, plain(8, u"столкновение/с любым фоновым объектом"_s, 1), {{6, action(6, u"число жизней/добавить"_s, u"1"_s)}});
    m.save();
}

// "уничтожить": gone at once, touching nothing after, never shown again; the group's "all hidden" counts it.
void destroy(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{20, 80}});
    const int enemies = m.boxes(1, MT::Static, {{60, 80}, {120, 80}});
    m.row(1, condition(8, u"столкновение/с активным объектом"_s, {{u"N"_s, u"1"_s}, {u"O"_s, QString::number(enemies)}}),
          {{9, action(9, u"уничтожить"_s)}});
    m.row(1, condition(9, u"столкновение/с активным объектом"_s, {{u"N"_s, u"2"_s}, {u"O"_s, u"1"_s}}),
          {{6, action(6, u"число жизней/добавить"_s, u"-1"_s)}});
    m.row(1, pressed(u"1"_s), {{9, action(9, u"видимость/видимый"_s)}});
    m.row(1, plain(9, u"видимость/если все объекты невидимые"_s, enemies),
          {{6, action(6, u"число жизней/установить"_s, u"7"_s)}});
    m.save();
}

// Solid tiles: one obstacle map of floor everywhere, and only its column of tile 2 blocks.
void solidTiles(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, u"mixed.obf"_s, 0, 0, true);
    m.boxes(1, MT::EightWay, {{100, 80}});
    m.row(1, plain(8, u"столкновение/с любым фоновым объектом"_s, 1), {{6, action(6, u"число жизней/добавить"_s, u"1"_s)}});
    m.save();
}

// "создать объект": a hero that fires on key 5, shots that destroy an enemy and themselves, fifty made at once
// into a group that holds ten, and an enemy made that chases the hero as the placed one does.
void shots(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{20, 80}});
    const int enemy = m.boxes(1, MT::Static, {{200, 80}});
    const int shot = m.group(1, u"still.oba"_s);
    const auto make = [](const QString& where, catalogue::Values v) {
        return catalogue::build(*catalogue::actionAt(4, u"создать объект/"_s + where), v);
    };
    m.row(1, pressed(u"5"_s), {{4, make(u"у объекта…"_s, {{u"C"_s, QString::number(shot)}, {u"O"_s, u"1"_s},
                                                          {u"X"_s, u"16"_s}, {u"Y"_s, u"4"_s}, {u"D"_s, u"1"_s},
                                                          {u"S"_s, u"4"_s}})}});
    m.row(1, condition(10, u"столкновение/с активным объектом"_s, {{u"N"_s, QString::number(shot)}, {u"O"_s, QString::number(enemy)}}),
          {{9, action(9, u"уничтожить"_s)}, {10, action(10, u"уничтожить"_s)}});
    m.row(1, pressed(u"7"_s), {{4, make(u"в точке карты…"_s, {{u"C"_s, QString::number(shot)}, {u"X"_s, u"0"_s},
                                                             {u"Y"_s, u"150"_s}})}});
    m.row(1, pressed(u"9"_s), {{4, make(u"в точке карты…"_s, {{u"C"_s, QString::number(enemy)}, {u"X"_s, u"300"_s},
                                                             {u"Y"_s, u"20"_s}})}});
    m.row(1, pressed(u"1"_s), {{9, action(9, u"режим/преследование"_s, QString(), 1)}});
    m.save();
}

// The score and two variables: "монеты" (from 5, kept) and "шаги" (from 0 on each stage); a coin adds 10
// points and a coin; key 3 a step; key 9 the next stage; a text shows them; the game starts on a title.
void score(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 2);
    m.project().Variables = {{1, u"монеты"_s, 5, false}, {2, u"шаги"_s, 0, true}};
    m.project().NextVariableId = 3;
    m.project().TitleScreen = model::TitleScreenData{u"Счёт"_s, {}};
    const auto variable = [](int column, const QString& path, int id, const QString& name, const QString& value) {
        return catalogue::build(*catalogue::actionAt(column, path),
                                {{u"W"_s, QString::number(id)}, {u"WN"_s, name}, {u"V"_s, value}, {u"VC"_s, value}});
    };
    for (int level = 1; level <= 2; ++level) {
        m.fon(level, kFloor, 0, 0);
        m.boxes(level, MT::EightWay, {{20, 80}});
        m.text(level, u"shows.obt"_s, 4, 4);
        m.row(level, pressed(u"3"_s, level), {{1, variable(1, u"переменная/добавить…"_s, 2, u"шаги"_s, u"1"_s)}});
        m.row(level, pressed(u"9"_s, level), {{3, action(3, u"следующий уровень"_s)}});
    }
    const int coins = m.boxes(1, MT::Static, {{60, 80}});
    m.row(1, condition(8, u"столкновение/с активным объектом"_s, {{u"N"_s, u"1"_s}, {u"O"_s, QString::number(coins)}}),
          {{6, action(6, u"очки/добавить…"_s, u"10"_s)},
           {1, variable(1, u"переменная/добавить…"_s, 1, u"монеты"_s, u"1"_s)},
           {9, action(9, u"уничтожить"_s)}});
    // A comparison with a variable: ten points or more light the lives to 7.
    m.row(1, condition(1, u"Переменные/сравнение переменной со значением…"_s,
                       {{u"W"_s, u"0"_s}, {u"WN"_s, u"очки"_s}, {u"A"_s, u">=10"_s}, {u"AC"_s, u">=10"_s}}),
          {{6, action(6, u"число жизней/установить"_s, u"7"_s)}});
    m.save();
}

// A row of the stage: key 9 takes all lives.
// A mono 8-bit WAV of `ms` at 8 kHz: a square wave, which deflate cannot shrink much when noisy.
QByteArray wave(int ms, bool noisy = false)
{
    QByteArray samples;
    quint32 seed = 1;
    for (int k = 0; k < ms * 8; ++k) {
        seed = seed * 1103515245u + 12345u;
        samples.append(char(noisy ? (seed >> 16) & 0xFF : (k / 10 % 2 ? 0xC0 : 0x40)));
    }
    QByteArray b = "RIFF";
    const auto le = [&b](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.append(char(v >> (8 * i) & 0xFF));
    };
    le(quint32(36 + samples.size()), 4);
    b += "WAVEfmt ";
    le(16, 4);
    le(1, 2);
    le(1, 2);
    le(8000, 4);
    le(8000, 4);
    le(1, 2);
    le(8, 2);
    b += "data";
    le(quint32(samples.size()), 4);
    return b + samples;
}

events::Action soundAction(const QString& path, const catalogue::Values& values)
{
    return catalogue::build(*catalogue::actionAt(2, path), values);
}

// Sound: 5 plays sound 1 (500 ms), 7 repeats the melody 2, every 2 s a tone, 9 the next stage;
// sound 1 ended gives a life; sound 3 is never played, so it stays out of the jar.
void sound(const Library& lib, const QString& dir, bool withUnused)
{
    Maker m(lib, dir, 2);
    m.heroOnEveryStage(32, 80);
    m.sound({1, u"прыжок"_s, model::SoundKind::Wave, u"sound1.wav"_s, {}, 120}, wave(500));
    m.sound({2, u"мелодия"_s, model::SoundKind::Melody, {}, u"C5 8, E5 8, G5 4"_s, 120});
    if (withUnused)
        m.sound({3, u"лишний"_s, model::SoundKind::Wave, u"sound3.wav"_s, {}, 120}, wave(4000, true));
    m.row(1, pressed(u"5"_s), {{2, soundAction(u"звук/играть…"_s, {{u"SND"_s, u"1"_s}})}});
    m.row(1, pressed(u"7"_s), {{7, soundAction(u"звук/играть…"_s, {{u"SND"_s, u"2"_s}, {u"R"_s, u"1"_s},
                                                                 {u"A"_s, u", повторять"_s}})}});
    m.row(1, timer(u"Каждую..."_s, u"0"_s, u"2"_s, u"0"_s),
          {{2, soundAction(u"мелодия/сигнал…"_s, {{u"NOTE"_s, u"72"_s}, {u"MS"_s, u"200"_s}, {u"A"_s, u"C5, 200 мс"_s}})}});
    m.row(1, condition(2, u"Звук закончился…"_s, {{u"SND"_s, u"1"_s}}),
          {{6, action(6, u"число жизней/добавить"_s, u"1"_s)}});
    m.row(1, condition(2, u"Звук играет…"_s, {{u"SND"_s, u"2"_s}}), {{6, action(6, u"скорость/установить"_s, u"5"_s)}});
    m.row(1, pressed(u"0"_s), {{2, soundAction(u"звук/остановить все звуки"_s, {})}});
    m.row(1, pressed(u"9"_s), {{3, action(3, u"следующий уровень"_s)}});
    m.row(2, pressed(u"5"_s), {{2, soundAction(u"звук/играть…"_s, {{u"SND"_s, u"1"_s}})}});
    m.save();
}

// The sound switch: a title with its sound item, 5 plays sound 1, "Звуки выключены" sets the lives to 7 and
// 1 sets them to 3; "#" is the switch in play.
void soundSwitch(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.project().TitleScreen = model::TitleScreenData{u"Тихо"_s, {}};
    m.heroOnEveryStage(32, 80);
    m.sound({1, u"прыжок"_s, model::SoundKind::Wave, u"sound1.wav"_s, {}, 120}, wave(500));
    m.row(1, pressed(u"5"_s), {{2, soundAction(u"звук/играть…"_s, {{u"SND"_s, u"1"_s}})}});
    m.row(1, condition(2, u"Звуки выключены"_s), {{6, action(6, u"число жизней/установить"_s, u"7"_s)}});
    m.row(1, pressed(u"1"_s), {{6, action(6, u"число жизней/установить"_s, u"3"_s)}});
    m.save();
}

void livesTakenByKey9(Maker& m, int level)
{
    m.row(level, pressed(u"9"_s, level), {{6, action(6, u"число жизней/установить"_s, u"0"_s)}});
}

// Stage 1 rows: no lives: the next stage; key 9 takes the lives. The first
// row is above the one that takes the lives, so it acts in the next run.
void livesGoneMovesOn(Maker& m)
{
    m.row(1, plain(6, u"Когда число жизней игрока равно нулю"_s), {{3, action(3, u"следующий уровень"_s)}});
    livesTakenByKey9(m, 1);
}

// The game ended and started again from the sheet, and a stage change when the lives are gone.
void ending(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 2);
    m.heroOnEveryStage(32, 80);
    livesGoneMovesOn(m);
    m.row(1, pressed(u"1"_s, 1), {{3, action(3, u"конец игры"_s)}});
    m.row(1, plain(3, u"Конец игры"_s), {{6, action(6, u"число жизней/установить"_s, u"9"_s)}});
    m.row(2, pressed(u"9"_s, 2), {{6, action(6, u"число жизней/установить"_s, u"2"_s)}});
    m.row(2, pressed(u"5"_s, 2), {{6, action(6, u"скорость/установить"_s, u"4"_s)}});
    m.row(2, pressed(u"7"_s, 2), {{3, action(3, u"перезапуск текущего уровня"_s)}});
    m.row(2, pressed(u"3"_s, 2), {{3, action(3, u"перезапуск игры"_s)}});
    m.save();
}

// Coins of one group: the rows on one object of it run for each, those on all of them once.
void groups(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 3);
    m.heroOnEveryStage(20, 80);
    const auto column = [](int group) { return 7 + group; };
    const auto touched = [](int coin) {
        return condition(8, u"столкновение/с активным объектом"_s, {{u"N"_s, u"1"_s}, {u"O"_s, QString::number(coin)}});
    };
    // Stage 1: one coin, then two on one spot; all hidden moves on.
    const int coins = m.boxes(1, MT::Static, {{50, 80}, {90, 80}, {90, 80}});
    m.row(1, touched(coins), {{column(coins), action(column(coins), u"видимость/невидимый"_s)}});
    m.row(1, plain(8, u"видимость/если все объекты невидимые"_s, coins), {{3, action(3, u"следующий уровень"_s)}});
    m.row(1, plain(8, u"видимость/если объект невидимый"_s, coins),
          {{6, action(6, u"число жизней/установить"_s, u"5"_s)}});
    // Stage 2: two coins on one spot, and a row on any one of them hidden.
    const int pair = m.boxes(2, MT::Static, {{50, 80}, {50, 80}});
    m.row(2, touched(pair), {{column(pair), action(column(pair), u"видимость/невидимый"_s)}});
    m.row(2, plain(8, u"видимость/если объект невидимый"_s, pair), {{3, action(3, u"следующий уровень"_s)}});
    // Stage 3: a group of one visible object, and a group with none placed.
    const int one = m.boxes(3, MT::Static, {{100, 20}});
    const int none = m.group(3, u"box.oba"_s);
    m.row(3, plain(8, u"видимость/если все объекты видимые"_s, one), {{6, action(6, u"скорость/установить"_s, u"5"_s)}});
    m.row(3, plain(8, u"видимость/если все объекты видимые"_s, none),
          {{6, action(6, u"число жизней/установить"_s, u"1"_s)}});
    m.row(3, plain(8, u"видимость/если все объекты невидимые"_s, none),
          {{6, action(6, u"число жизней/установить"_s, u"1"_s)}});
    m.save();
}

// No lives left and a row that moves on: the game goes on at the next stage, which has no rescue of its own.
void rescue(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 2);
    m.heroOnEveryStage(32, 80);
    livesGoneMovesOn(m);
    livesTakenByKey9(m, 2);
    m.save();
}

// A game lost while a key is held: the end screen takes only a key pressed after its pause.
void restart(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.heroOnEveryStage(32, 80);
    livesTakenByKey9(m, 1);
    m.save();
}

// What is drawn besides the map: a text object, the lives bar, the indicators of a settings file.
void hud(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 100}});
    m.text(1, 8, 20);
    m.livesBar(1, 4, 150);
    m.row(1, pressed(u"1"_s), {{6, action(6, u"число жизней/установить"_s, u"1"_s)}});
    m.save();
    io::writeFileAtomically(dir + u"/hud.ini"_s,
                            "[Lifebar]\r\nPos.x=60\r\nPos.y=4\r\nHeight=6\r\nWidth=60\r\nBgr=clMaroon\r\nFg=clLime\r\n"
                            "Frame=clBlack\r\n[Ammobar]\r\nPos.x=60\r\nPos.y=14\r\n[Timer]\r\nPos.x=4\r\nPos.y=160\r\n"
                            "bgr=clBlack\r\n[Font]\r\nType=0\r\nSize=1\r\nColor=clYellow\r\n");
}

// A stage as full as a project holds: its maps and frame lists are more than a
// class file's constructor takes, its event sheet more than one method.
void large(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    for (int k = 0; k < 20; ++k)
        m.fon(1, u"big.obf"_s, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    std::vector<QPoint> far;
    for (int k = 0; k < model::kMaxActiveObjects - 1; ++k)
        far.push_back({600 + 3 * k, 600});
    m.boxes(1, MT::Static, far);
    for (int r = 0; r < model::kMaxEventRows; ++r) {
        std::vector<std::pair<int, events::Action>> adds;
        // The player's action in every column of the row.
        for (int column = 1; column <= model::kMaxActions; ++column)
            adds.push_back({column, action(6, u"число жизней/добавить"_s, u"1"_s)});
        m.row(1, pressed(u"5"_s), adds);
    }
    m.save();
}

// Over the budget of the smallest handset (64 KB, 512 KB): two stages of six
// sheets of 4 MB each. A heap that holds one stage but not both plays the
// second only if the first let go of its pictures before it loaded.
void heavy(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 2);
    m.screen({128, 128});
    for (int k = 0; k < kHugeSheets; ++k)
        m.fon(1 + k / (kHugeSheets / 2), u"huge%1.obf"_s.arg(k), 0, 0);
    m.row(1, pressed(u"5"_s, 1), {{3, action(3, u"следующий уровень"_s)}});
    m.save();
}

// A fragment that does not compile: packaging names where it came from.
void broken(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 2);
    m.fon(1, kFloor, 0, 0);
    m.fon(2, kFloor, 0, 0);
    m.row(2, plain(1, u"Всегда"_s), {{6, action(6, u"число жизней/установить"_s, u"3"_s)}});
    m.handRow(2, u"(obtime>0)"_s, 6, u"жизни = сокровища"_s, u"{life=treasure;}"_s, {});
    m.save();
}

} // namespace

// A project from a stranger (tests/game/Hostile.cmake puts classes beside it):
// a row that reaches for a class of its folder and for one of the desktop by
// name, which the game must not get; another project that names a class of
// its folder in its code, which must not compile.
void hostile(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.boxes(1, MT::EightWay, {{32, 80}});
    m.handRow(1, u"(obtime==0)"_s, 6, u"чужие классы"_s,
              u"{try{Class.forName(\"Evil\").newInstance();life=1;}catch(Exception e){}"
              u"try{Class.forName(\"java.io.File\");life=9;}catch(Exception e){life=7;}}"_s,
              {});
    m.save();
}

void reaching(const Library& lib, const QString& dir)
{
    Maker m(lib, dir, 1);
    m.fon(1, kFloor, 0, 0);
    m.handRow(1, u"(obtime==0)"_s, 6, u"чужой класс"_s, u"{Evil.run();}"_s, {});
    m.save();
}

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrava_game_projects WORK_DIR\n");
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[1]);
    try {
        const Library lib;
        walk(lib, work + u"/walk"_s);
        stages(lib, work + u"/stages"_s);
        timers(lib, work + u"/timer"_s);
        keys(lib, work + u"/keys"_s);
        motion(lib, work + u"/motion"_s);
        platform(lib, work + u"/platform"_s);
        tapping(lib, work + u"/tapping"_s);
        player(lib, work + u"/player"_s);
        special(lib, work + u"/special"_s);
        touch(lib, work + u"/touch"_s);
        chase(lib, work + u"/chase"_s);
        actions(lib, work + u"/actions"_s);
        animation(lib, work + u"/animation"_s);
        hud(lib, work + u"/hud"_s);
        contact(lib, work + u"/contact"_s);
        walls(lib, work + u"/walls"_s);
        destroy(lib, work + u"/destroy"_s);
        solidTiles(lib, work + u"/solid"_s);
        shots(lib, work + u"/shots"_s);
        score(lib, work + u"/score"_s);
        ending(lib, work + u"/ending"_s);
        rescue(lib, work + u"/rescue"_s);
        groups(lib, work + u"/groups"_s);
        restart(lib, work + u"/restart"_s);
        broken(lib, work + u"/broken"_s);
        large(lib, work + u"/large"_s);
        heavy(lib, work + u"/heavy"_s);
        hostile(lib, work + u"/hostile"_s);
        reaching(lib, work + u"/reaching"_s);
        sound(lib, work + u"/sound"_s, true);
        sound(lib, work + u"/soundless3"_s, false);
        soundSwitch(lib, work + u"/soundswitch"_s);
    } catch (const io::Error& e) {
        std::fprintf(stderr, "kestrava_game_projects: %s\n", e.what());
        return 1;
    }
    return 0;
}
