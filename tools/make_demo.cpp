// Paints the pictures of the examples and writes the demo object library
// (examples/library), the demo project (examples/demo) and the two other
// examples (examples/maze, examples/garden) through the same writers the
// editor uses.
//
//   make_demo [SOURCE_DIR]

#include "catalogue/Item.h"
#include "events/Sheet.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/Png.h"
#include "model/Numbers.h"
#include "model/Project.h"
#include "objects/ObjectFile.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectFile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kTile = 16;

// ---- pictures ----

QImage transparent(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Tiles 1..8 of the forest sheet, 4 across, 2 down.
enum Tile { Grass = 1, Path, Water, Stone, Tree, Bush, Flower, Bridge };

void paintTile(QPainter& p, int k)
{
    const int x = kTile * ((k - 1) % 4);
    const int y = kTile * ((k - 1) / 4);
    const QRect r(x, y, kTile, kTile);
    const QColor grass(86, 170, 70);
    p.fillRect(r, grass);
    p.setPen(Qt::NoPen);
    switch (k) {
    case Grass:
        p.setBrush(QColor(60, 140, 50));
        for (const QPoint d : {QPoint(3, 4), QPoint(11, 2), QPoint(7, 10), QPoint(13, 12), QPoint(2, 13)})
            p.drawRect(x + d.x(), y + d.y(), 1, 2);
        break;
    case Path:
        p.fillRect(r, QColor(196, 160, 104));
        p.setBrush(QColor(170, 134, 84));
        for (const QPoint d : {QPoint(4, 3), QPoint(10, 8), QPoint(5, 12)})
            p.drawEllipse(QPoint(x + d.x(), y + d.y()), 1, 1);
        break;
    case Water:
        p.fillRect(r, QColor(52, 110, 200));
        p.setPen(QPen(QColor(150, 200, 255), 1));
        p.drawLine(x + 2, y + 5, x + 7, y + 5);
        p.drawLine(x + 8, y + 11, x + 13, y + 11);
        break;
    case Stone:
        p.fillRect(r, QColor(128, 128, 132));
        p.setPen(QPen(QColor(90, 90, 96), 1));
        p.drawLine(x, y + 7, x + 15, y + 7);
        p.drawLine(x + 7, y, x + 7, y + 7);
        p.drawLine(x + 3, y + 8, x + 3, y + 15);
        p.drawLine(x + 11, y + 8, x + 11, y + 15);
        break;
    case Tree:
        p.setBrush(QColor(110, 70, 30));
        p.drawRect(x + 6, y + 10, 4, 6);
        p.setBrush(QColor(30, 100, 40));
        p.drawEllipse(QRect(x + 1, y + 1, 14, 11));
        break;
    case Bush:
        p.setBrush(QColor(40, 120, 45));
        p.drawEllipse(QRect(x + 2, y + 6, 12, 9));
        p.setBrush(QColor(200, 40, 60));
        p.drawEllipse(QPoint(x + 6, y + 10), 1, 1);
        p.drawEllipse(QPoint(x + 10, y + 9), 1, 1);
        break;
    case Flower:
        p.setBrush(QColor(250, 230, 60));
        p.drawEllipse(QPoint(x + 5, y + 5), 2, 2);
        p.setBrush(QColor(250, 250, 250));
        p.drawEllipse(QPoint(x + 11, y + 10), 2, 2);
        break;
    case Bridge:
        p.fillRect(r, QColor(52, 110, 200));
        p.setBrush(QColor(150, 100, 50));
        p.drawRect(x, y + 2, kTile, 12);
        p.setPen(QPen(QColor(100, 64, 30), 1));
        for (int i = 3; i < kTile; i += 4)
            p.drawLine(x + i, y + 2, x + i, y + 13);
        break;
    }
    p.setPen(Qt::NoPen);
}

QImage forestSheet()
{
    QImage sheet = transparent(4 * kTile, 2 * kTile);
    QPainter p(&sheet);
    for (int k = Grass; k <= Bridge; ++k)
        paintTile(p, k);
    return sheet;
}

objects::BackgroundObjectFile forestMap()
{
    objects::BackgroundObjectFile map;
    map.PictureName = u"forest.png"_s;
    map.TileWidth = kTile;
    map.TileHeight = kTile;
    map.setMapSize(20, 12);
    for (int row = 1; row <= map.Rows; ++row)
        for (int column = 1; column <= map.Columns; ++column) {
            int tile = Grass;
            if (row == 1 || row == map.Rows || column == 1 || column == map.Columns)
                tile = Tree;
            else if (row == 6)
                tile = Path;
            else if (column >= 13 && column <= 17 && row >= 8 && row <= 10)
                tile = Water;
            else if (column == 15 && row == 7)
                tile = Bridge;
            else if ((row * 7 + column * 3) % 11 == 0)
                tile = Flower;
            else if ((row * 5 + column) % 13 == 0)
                tile = Bush;
            else if (row == 3 && column >= 4 && column <= 7)
                tile = Stone;
            map.setCell(row, column, tile);
        }
    // A gap in the hedge where the path leaves the stage.
    map.setCell(6, 1, Path);
    map.setCell(6, 20, Path);
    return map;
}

// The map composed on the editor's canvas colour, scaled into the top left
// of a white 137 x 129 preview, its longer side filling the preview.
QImage mapPreview(const objects::BackgroundObjectFile& map, const QImage& sheet)
{
    const int a = map.Columns * map.TileWidth;
    const int b = map.Rows * map.TileHeight;
    QImage canvas(a, b, QImage::Format_RGB32);
    canvas.fill(QColor(255, 245, 255));
    {
        QPainter p(&canvas);
        const int across = sheet.width() / map.TileWidth;
        for (int row = 1; row <= map.Rows; ++row)
            for (int column = 1; column <= map.Columns; ++column) {
                const int k = map.cell(row, column);
                if (k == 0)
                    continue;
                const QRect from(map.TileWidth * ((k - 1) % across), map.TileHeight * ((k - 1) / across),
                                 map.TileWidth, map.TileHeight);
                p.drawImage(QPoint(map.TileWidth * (column - 1), map.TileHeight * (row - 1)), sheet, from);
            }
    }
    QImage preview(137, 129, QImage::Format_RGB32);
    preview.fill(Qt::white);
    const double f = a >= b ? double(a) / preview.width() : double(b) / preview.height();
    QPainter p(&preview);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, model::nearest(a / f), model::nearest(b / f)), canvas);
    return preview;
}

// The hero: four 24 x 24 frames (standing, two steps, a swing of the sword).
QImage heroStrip()
{
    constexpr int s = 24;
    QImage strip = transparent(4 * s, s);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int f = 0; f < 4; ++f) {
        const int x = f * s;
        const int step = f == 1 ? -2 : f == 2 ? 1 : 0;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 60, 160)); // legs
        p.drawRect(x + 8 + step, 16, 3, 7);
        p.drawRect(x + 13 - step, 16, 3, 7);
        p.setBrush(QColor(220, 60, 50)); // tunic
        p.drawRoundedRect(QRectF(x + 6, 8, 12, 10), 3, 3);
        p.setBrush(QColor(250, 210, 170)); // head
        p.drawEllipse(QRectF(x + 7, 1, 10, 9));
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QPointF(x + 14, 5), 1, 1);
        if (f == 3) { // sword
            p.setPen(QPen(QColor(200, 200, 210), 2));
            p.drawLine(QPointF(x + 17, 12), QPointF(x + 23, 4));
        }
    }
    return strip;
}

// The ghost: three 16 x 16 frames of a floating sheet.
QImage ghostStrip()
{
    QImage strip = transparent(3 * kTile, kTile);
    QPainter p(&strip);
    p.setRenderHint(QPainter::Antialiasing);
    for (int f = 0; f < 3; ++f) {
        const double x = f * kTile;
        const double lift = f == 1 ? 1 : 0;
        QPainterPath body;
        body.moveTo(x + 2, 15 - lift);
        body.lineTo(x + 2, 7 - lift);
        body.arcTo(QRectF(x + 2, 1 - lift, 12, 12), 180, -180);
        body.lineTo(x + 14, 15 - lift);
        for (int i = 0; i < 3; ++i) { // a ragged hem that flutters from frame to frame
            const double right = x + 14 - 4 * i;
            body.lineTo(right - 2, (i + f) % 2 ? 12 - lift : 13 - lift);
            body.lineTo(right - 4, 15 - lift);
        }
        body.closeSubpath();
        p.setPen(QPen(QColor(120, 120, 160), 1));
        p.setBrush(QColor(235, 235, 250, f == 2 ? 160 : 230));
        p.drawPath(body);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 30, 60));
        p.drawEllipse(QPointF(x + 6, 7 - lift), 1.5, 2);
        p.drawEllipse(QPointF(x + 10, 7 - lift), 1.5, 2);
    }
    return strip;
}

QImage livesBar()
{
    QImage bar(40, 8, QImage::Format_RGB32);
    bar.fill(QColor(60, 20, 20));
    QPainter p(&bar);
    p.fillRect(1, 1, 38, 6, QColor(220, 30, 40));
    p.fillRect(1, 1, 38, 2, QColor(250, 120, 120));
    return bar;
}

// A BMP keeps no transparency: the first frame is laid on white.
QImage firstFrame(const QImage& strip, int w, int h)
{
    QImage frame(w, h, QImage::Format_RGB32);
    frame.fill(Qt::white);
    QPainter p(&frame);
    p.drawImage(QPoint(0, 0), strip, QRect(0, 0, w, h));
    return frame;
}

// ---- object files ----

void writeLibrary(const QString& library)
{
    const auto at = [&](const QString& name) { return library + u'/' + name; };

    const QImage sheet = forestSheet();
    const objects::BackgroundObjectFile forest = forestMap();
    forest.write(at(u"forest.obf"_s));
    io::writePng(sheet, at(u"forest.png"_s));
    io::writeBmp(mapPreview(forest, sheet), at(u"forest.bmp"_s));

    // hero: 1 stand, 2 and 3 steps, 4 sword.
    const QImage hero = heroStrip();
    objects::ActiveObjectFile h;
    h.PictureName = u"hero.png"_s;
    h.FrameCount = 4;
    h.TileWidth = model::nearest(double(hero.width()) / h.FrameCount);
    h.TileHeight = hero.height();
    for (int d = 1; d <= model::kAnimDirections; ++d) {
        h.Anim[1][d][1] = 1;             // rest
        h.Anim[1][d][2] = 2;             // moving: step, stand, step, stand
        h.Anim[2][d][2] = 1;
        h.Anim[3][d][2] = 3;
        h.Anim[4][d][2] = 1;
        h.Anim[1][d][3] = 1;             // attack: raise and swing
        h.Anim[2][d][3] = 4;
        h.Anim[3][d][3] = 4;
        h.Anim[1][d][4] = 4;             // destroyed
        h.Anim[2][d][4] = 1;
    }
    h.write(at(u"hero.oba"_s));
    io::writePng(hero, at(u"hero.png"_s));
    io::writeBmp(firstFrame(hero, h.TileWidth, h.TileHeight), at(u"hero.bmp"_s));

    const QImage ghost = ghostStrip();
    objects::ActiveObjectFile g;
    g.PictureName = u"ghost.png"_s;
    g.FrameCount = 3;
    g.TileWidth = model::nearest(double(ghost.width()) / g.FrameCount);
    g.TileHeight = ghost.height();
    for (int d = 1; d <= model::kAnimDirections; ++d) {
        g.Anim[1][d][1] = 1;             // rest: hover
        g.Anim[2][d][1] = 2;
        g.Anim[1][d][2] = 1;             // moving
        g.Anim[2][d][2] = 2;
        g.Anim[3][d][2] = 1;
        g.Anim[1][d][3] = 2;             // attack
        g.Anim[1][d][4] = 3;             // destroyed: fades
    }
    g.write(at(u"ghost.oba"_s));
    io::writePng(ghost, at(u"ghost.png"_s));
    io::writeBmp(firstFrame(ghost, g.TileWidth, g.TileHeight), at(u"ghost.bmp"_s));

    const QImage bar = livesBar();
    objects::BarObjectFile lives;
    lives.Width = bar.width();
    lives.Height = bar.height();
    lives.Direction = objects::BarObjectFile::horizontal();
    lives.write(at(u"lives.obl"_s));
    io::writeBmp(bar, at(u"lives.bmp"_s));

    objects::TextObjectFile title;
    title.FontFace = 2;
    title.FontSize = 0;
    title.Bold = 1;
    title.Colour = 0x803000; // dark blue: 0x00BBGGRR
    title.lines = {u"Лесная прогулка"_s, u"Дойди до края леса!"_s};
    title.write(at(u"title.obt"_s));
}

// ---- the project ----

void import(model::Project& p, const io::AppFolder& app, int level, const QString& name)
{
    p.CurLevel = level;
    persist::Load_object(p, app, name);
}

void placeFon(model::StageData& s, int group, int x, int y)
{
    const model::FonGroupData& g = s.FonGroup[size_t(group)];
    model::FonObjectData& o = s.FonObject[size_t(++s.FonObjCount)];
    o.Ref = QString::number(group);
    o.X = x;
    o.Y = y;
    o.Layer = g.ListSlot;
    o.Group = g.Index;
    o.FileName = g.BmpName;
    o.Width = g.TileWidth;
    o.Height = g.TileHeight;
    o.Exists = true;
}

void placeActive(model::StageData& s, int group, int x, int y)
{
    const model::ActiveGroupData& g = s.ActiveGroup[size_t(group)];
    model::ActiveObjectData& o = s.ActiveObject[size_t(++s.ActiveObjCount)];
    o.Ref = QString::number(group);
    o.X = x;
    o.Y = y;
    o.Layer = g.ListSlot;
    o.GroupValue = g.Index;
    o.FileName = g.BmpName;
    o.Width = g.TileWidth;
    o.Height = g.TileHeight;
    o.Exists = true;
}

// A row built as the event sheet builds it: the condition chosen, then each
// action placed in its column.
void eventRow(model::StageData& s, const events::Condition& condition,
              const std::vector<std::pair<int, events::Action>>& actions)
{
    events::newRow(s, condition);
    for (const auto& [column, action] : actions)
        events::placeAction(s, {s.EventCurRow, column}, action);
}

events::Condition condition(int icon, const QString& path, const catalogue::Values& values = {})
{
    return catalogue::buildCondition(icon, path, values);
}

events::Action action(int column, const QString& path, const QString& value = QString(), int target = 0)
{
    return catalogue::buildAction(column, path, value, target);
}

// The values of a time condition.
catalogue::Values time(const catalogue::TimerSetting& t)
{
    return {{u"A"_s, t.arg}, {u"T"_s, QString::number(t.time)}};
}

// The hero is further right than x: it has reached the end of the path.
events::Condition heroBeyond(int x)
{
    const QString relation = u">="_s + QString::number(x);
    return condition(8, u"координаты/сравнение Х-координаты объекта со значением"_s,
                     {{u"N"_s, u"1"_s}, {u"A"_s, relation}, {u"AC"_s, relation}});
}

// The columns of the actions: sound, the stage, the player, active group 2.
constexpr int kSoundColumn = 2;
constexpr int kStageColumn = 3;
constexpr int kPlayerColumn = 6;
constexpr int kGhostColumn = 9;

void writeProject(const QString& demo, const QString& library)
{
    // Import from a scratch application folder whose library is ours.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        throw io::Error(u"не удаётся создать временную папку"_s);
    const io::AppFolder app(scratch.path());
    app.ensureFolders();
    for (const QString& name : QDir(library).entryList(QDir::Files))
        QFile::copy(library + u'/' + name, app.objectFile(name));

    // The copies are made afresh, so they match the library.
    QDir(demo + u"/objects"_s).removeRecursively();
    QFile::remove(demo + u"/project.prg"_s);

    model::Project p;
    persist::save_project(p, demo + u"/project.prg"_s);
    p.LevelCount = 2;

    // Stage 1: the forest, the hero, two ghosts, the title and the lives bar
    // (kept in the extras file beside project.prg, which has no place for it).
    import(p, app, 1, u"forest.obf"_s);
    import(p, app, 1, u"hero.oba"_s);
    import(p, app, 1, u"ghost.oba"_s);
    import(p, app, 1, u"title.obt"_s);
    import(p, app, 1, u"lives.obl"_s);
    model::StageData& s1 = p.stage(1);
    s1.LivesBar.X = 8;
    s1.LivesBar.Y = 160;
    placeFon(s1, 1, 0, 0);
    placeActive(s1, 1, 24, 84);
    placeActive(s1, 2, 150, 40);
    placeActive(s1, 2, 250, 120);
    s1.ActiveGroup[1].Caption = u"1"_s;
    s1.ActiveGroup[2].Caption = u"2"_s;
    s1.ActiveType[1] = model::MovementType::EightWay;
    // The ghosts patrol: one along the top, one across the path.
    s1.ActiveType[2] = model::MovementType::Planned;
    s1.ActiveObject[2].Path[1] = {230, 40};
    s1.ActiveObject[2].PathCount = 1;
    s1.ActiveObject[3].Path[1] = {250, 40};
    s1.ActiveObject[3].PathCount = 1;
    s1.TextObject[1].X = 8;
    s1.TextObject[1].Y = 24;
    const catalogue::Values tenSeconds = time(catalogue::timerSetting(u"0"_s, u"10"_s, u"0"_s));
    const catalogue::Values sight{
        {u"N"_s, u"2"_s}, {u"B"_s, u"1"_s}, {u"MAX"_s, u"40"_s}, {u"A"_s, u"обнаружение от 0 до 40"_s}};
    // A walking tune at the start and a tone as the path is left: a sound that costs the jar a few bytes.
    p.Sounds.push_back({1, u"прогулка"_s, model::SoundKind::Melody, {}, u"E5 8, G5 8, A5 4, G5 8, E5 8, C5 4"_s, 160});
    const auto sound = [](const QString& path, const catalogue::Values& values) {
        return catalogue::build(*catalogue::actionAt(kSoundColumn, path), values);
    };
    eventRow(s1, condition(3, u"Начало уровня"_s),
             {{kPlayerColumn, action(kPlayerColumn, u"число жизней/установить"_s, u"3"_s)},
              {kSoundColumn, sound(u"звук/играть…"_s, {{u"SND"_s, u"1"_s}})}});
    eventRow(s1, condition(7, u"Таймер равен значению..."_s, tenSeconds),
             {{kPlayerColumn, action(kPlayerColumn, u"число жизней/добавить"_s, u"1"_s)}});
    eventRow(s1, heroBeyond(296),
             {{kStageColumn, action(kStageColumn, u"следующий уровень"_s)},
              {kSoundColumn, sound(u"мелодия/сигнал…"_s,
                                   {{u"NOTE"_s, u"84"_s}, {u"MS"_s, u"150"_s}, {u"A"_s, u"C6, 150 мс"_s}})}});
    eventRow(s1, condition(8, u"обнаружение объекта"_s, sight),
             {{kGhostColumn, action(kGhostColumn, u"режим/атака"_s, QString(), 1)}});

    // Stage 2: the same forest further along, the hero alone; its end wins the game.
    import(p, app, 2, u"forest.obf"_s);
    import(p, app, 2, u"hero.oba"_s);
    model::StageData& s2 = p.stage(2);
    placeFon(s2, 1, 0, 0);
    placeFon(s2, 1, 320, 0);
    placeActive(s2, 1, 40, 84);
    s2.ActiveGroup[1].Caption = u"1"_s;
    s2.ActiveType[1] = model::MovementType::EightWay;
    eventRow(s2, heroBeyond(616), {{kStageColumn, action(kStageColumn, u"следующий уровень"_s)}});

    p.GameSuite.Description = u"Лесная прогулка: герой идёт по лесной тропе мимо призраков"_s;
    p.CurLevel = 1;
    persist::save(p, demo + u"/project.prg"_s);
}

// ---- the other examples ----

// A scratch application folder whose object library holds the demo's
// library and the objects one example adds; the example imports from it.
class ExampleLibrary {
public:
    explicit ExampleLibrary(const QString& library) : m_app(m_dir.path())
    {
        if (!m_dir.isValid())
            throw io::Error(u"не удаётся создать временную папку"_s);
        m_app.ensureFolders();
        for (const QString& name : QDir(library).entryList(QDir::Files))
            QFile::copy(library + u'/' + name, m_app.objectFile(name));
    }
    const io::AppFolder& app() const { return m_app; }
    QString at(const QString& name) const { return m_app.objectFile(name); }

private:
    QTemporaryDir m_dir;
    io::AppFolder m_app;
};

// A fresh project folder and its empty project; the caller fills and saves it.
model::Project startProject(const QString& dir)
{
    QDir(dir).removeRecursively();
    io::makeFolder(dir);
    model::Project p;
    persist::save_project(p, dir + u"/project.prg"_s);
    p.LevelCount = 1;
    return p;
}

// A sprite of still frames, each painted by paint(painter, frame rectangle).
template <typename Paint>
void writeSprite(const ExampleLibrary& lib, const QString& name, int w, int h, int frames, Paint paint)
{
    QImage strip = transparent(w * frames, h);
    {
        QPainter p(&strip);
        p.setRenderHint(QPainter::Antialiasing);
        for (int f = 0; f < frames; ++f)
            paint(p, QRect(f * w, 0, w, h), f);
    }
    objects::ActiveObjectFile o;
    o.PictureName = name + u".png"_s;
    o.FrameCount = frames;
    o.TileWidth = w;
    o.TileHeight = h;
    for (int d = 1; d <= model::kAnimDirections; ++d)
        for (int state = 1; state <= 2; ++state)
            for (int f = 1; f <= frames; ++f)
                o.Anim[f][d][state] = f;
    o.write(lib.at(name + u".oba"_s));
    io::writePng(strip, lib.at(name + u".png"_s));
    io::writeBmp(firstFrame(strip, w, h), lib.at(name + u".bmp"_s));
}

// A tile map of the sheet, cells given as rows of characters mapped to tiles.
void writeMap(const ExampleLibrary& lib, const QString& name, const QImage& sheet, const QStringList& rows,
              int (*tileOf)(QChar))
{
    objects::BackgroundObjectFile map;
    map.PictureName = name + u".png"_s;
    map.TileWidth = kTile;
    map.TileHeight = kTile;
    map.setMapSize(int(rows.first().size()), int(rows.size()));
    for (int r = 1; r <= map.Rows; ++r)
        for (int c = 1; c <= map.Columns; ++c)
            map.setCell(r, c, tileOf(rows[r - 1][c - 1]));
    map.write(lib.at(name + u".obf"_s));
    io::writePng(sheet, lib.at(name + u".png"_s));
    io::writeBmp(mapPreview(map, sheet), lib.at(name + u".bmp"_s));
}

// The maze of "Лабиринт": W a wall, anything else floor. 11 x 13 cells of 16
// pixels fill the default screen (176 x 208); passages are two cells wide
// so the 24-pixel hero fits through.
const QStringList kMaze{
    u"WWWWWWWWWWW"_s,
    u"W....W....W"_s,
    u"W....W....W"_s,
    u"W....W....W"_s,
    u"W.........W"_s,
    u"W.........W"_s,
    u"WWWWWWW..WW"_s,
    u"W.........W"_s,
    u"W.........W"_s,
    u"W..WWWWWWWW"_s,
    u"W.........W"_s,
    u"W.........W"_s,
    u"WWWWWWWWWWW"_s,
};

void writeMaze(const QString& dir, const QString& library)
{
    const ExampleLibrary lib(library);
    QImage floorSheet = transparent(kTile, kTile);
    {
        QPainter p(&floorSheet);
        p.fillRect(0, 0, kTile, kTile, QColor(214, 196, 150));
        p.setPen(QColor(190, 170, 120));
        p.drawLine(0, 15, 15, 15);
        p.drawLine(15, 0, 15, 15);
    }
    writeMap(lib, u"floor"_s, floorSheet, kMaze, [](QChar) { return 1; });
    QImage wallSheet = transparent(kTile, kTile);
    {
        QPainter p(&wallSheet);
        p.fillRect(0, 0, kTile, kTile, QColor(120, 60, 40));
        p.setPen(QColor(80, 40, 30));
        p.drawLine(0, 7, 15, 7);
        p.drawLine(0, 15, 15, 15);
        p.drawLine(7, 0, 7, 7);
        p.drawLine(3, 8, 3, 15);
        p.drawLine(11, 8, 11, 15);
    }
    writeMap(lib, u"walls"_s, wallSheet, kMaze, [](QChar c) { return c == u'W' ? 1 : 0; });
    // A golden key that glints, a barred door across the passage, a trapdoor out.
    writeSprite(lib, u"key"_s, kTile, kTile, 2, [](QPainter& p, QRect r, int f) {
        p.setPen(QPen(QColor(150, 110, 0), 1));
        p.setBrush(f == 0 ? QColor(240, 200, 40) : QColor(255, 235, 120));
        p.drawEllipse(QRect(r.x() + 1, r.y() + 4, 7, 7));
        p.drawRect(QRect(r.x() + 8, r.y() + 7, 7, 2));
        p.drawRect(QRect(r.x() + 12, r.y() + 9, 2, 3));
    });
    writeSprite(lib, u"door"_s, 2 * kTile, kTile, 1, [](QPainter& p, QRect r, int) {
        p.fillRect(r, QColor(110, 70, 30));
        p.setPen(QPen(QColor(60, 60, 70), 2));
        for (int x = r.x() + 4; x < r.right(); x += 6)
            p.drawLine(x, r.y(), x, r.bottom());
    });
    writeSprite(lib, u"exit"_s, kTile, kTile, 1, [](QPainter& p, QRect r, int) {
        p.fillRect(r, QColor(30, 30, 30));
        p.setPen(QPen(QColor(90, 200, 90), 2));
        for (int y = r.y() + 3; y < r.bottom(); y += 4)
            p.drawLine(r.x() + 3, y, r.right() - 3, y);
    });
    objects::TextObjectFile hint;
    hint.FontFace = 2;
    hint.FontSize = 0;
    hint.Bold = 1;
    hint.Colour = 0xFFFFFF;
    hint.lines = {u"Найди ключ!"_s};
    hint.write(lib.at(u"hint.obt"_s));

    model::Project p = startProject(dir);
    for (const char* name : {"floor.obf", "walls.obf", "hero.oba", "key.oba", "door.oba", "exit.oba", "hint.obt"})
        import(p, lib.app(), 1, QString::fromLatin1(name));
    model::StageData& s = p.stage(1);
    placeFon(s, 1, 0, 0);
    placeFon(s, 2, 0, 0);
    s.FonGroup[2].Obstacle = 1;
    placeActive(s, 1, 20, 20);   // object 0: the hero
    placeActive(s, 2, 136, 40);  // 1: the key, behind the wall of the first room
    placeActive(s, 3, 112, 96);  // 2: the door across the passage down
    placeActive(s, 4, 144, 176); // 3: the trapdoor out, at the end of the lower corridor
    for (int g = 1; g <= 4; ++g)
        s.ActiveGroup[size_t(g)].Caption = QString::number(g);
    s.ActiveType[1] = model::MovementType::EightWay;
    for (int g = 2; g <= 4; ++g)
        s.ActiveType[size_t(g)] = model::MovementType::Static;
    s.TextObject[1].X = 100;
    s.TextObject[1].Y = 18;

    const auto touches = [](int other) {
        return condition(8, u"столкновение/с активным объектом"_s,
                         {{u"N"_s, u"1"_s}, {u"O"_s, QString::number(other)}});
    };
    const auto keyTaken = [] {
        return condition(8, u"видимость/если объект невидимый"_s, {{u"N"_s, u"2"_s}});
    };
    constexpr int kHeroColumn = 8, kKeyColumn = 9, kDoorColumn = 10;
    // The key is picked up; with it gone the door opens; while it stands the door pushes the hero back.
    eventRow(s, touches(2), {{kKeyColumn, action(kKeyColumn, u"видимость/невидимый"_s)}});
    eventRow(s, keyTaken(), {{kDoorColumn, action(kDoorColumn, u"видимость/невидимый"_s)}});
    eventRow(s, touches(3), {{kHeroColumn, action(kHeroColumn, u"позиция/задать Y"_s, u"70"_s)}});
    // The key glints every half second.
    eventRow(s, condition(7, u"Каждую..."_s, time(catalogue::timerSetting(u"0"_s, u"0"_s, u"50"_s))),
             {{kKeyColumn, action(kKeyColumn, u"анимация/изменить/номер кадра/следующий"_s)}});
    eventRow(s, touches(4), {{kStageColumn, action(kStageColumn, u"следующий уровень"_s)}});

    p.GameSuite.Description = u"Лабиринт: найди ключ, открой дверь и выберись наружу"_s;
    p.CurLevel = 1;
    persist::save(p, dir + u"/project.prg"_s);
}

// "Ночной сад": the hero must last 20 seconds in the forest. A ghost chases
// the hero it sees and bites it; fireflies flee, and one caught is a life.
void writeGarden(const QString& dir, const QString& library)
{
    const ExampleLibrary lib(library);
    writeSprite(lib, u"firefly"_s, 8, 8, 2, [](QPainter& p, QRect r, int f) {
        p.setPen(Qt::NoPen);
        p.setBrush(f == 0 ? QColor(255, 250, 120) : QColor(200, 255, 80));
        p.drawEllipse(r.adjusted(1, 1, -1, -1));
    });

    objects::TextObjectFile score;
    score.FontFace = 2;
    score.FontSize = 0;
    score.Bold = 1;
    score.Colour = 0x80FFFF; // 0x00BBGGRR: pale yellow
    score.lines = {u"Очки: {очки}"_s, u"Светлячки: {светлячки}"_s};
    score.write(lib.at(u"score.obt"_s));

    model::Project p = startProject(dir);
    for (const char* name : {"forest.obf", "hero.oba", "ghost.oba", "firefly.oba", "lives.obl", "score.obt"})
        import(p, lib.app(), 1, QString::fromLatin1(name));
    // Fireflies caught, kept from stage to stage; the game starts on its title.
    p.Variables = {{1, u"светлячки"_s, 0, false}};
    p.NextVariableId = 2;
    QImage moon(96, 64, QImage::Format_ARGB32);
    moon.fill(QColor(10, 20, 50));
    {
        QPainter paint(&moon);
        paint.setRenderHint(QPainter::Antialiasing);
        paint.setPen(Qt::NoPen);
        paint.setBrush(QColor(250, 240, 170));
        paint.drawEllipse(QRect(30, 8, 36, 36));
        paint.setBrush(QColor(200, 255, 80));
        for (const QPoint at : {QPoint(14, 50), QPoint(78, 40), QPoint(52, 56)})
            paint.drawEllipse(at, 2, 2);
    }
    io::writePng(moon, dir + u"/title.png"_s);
    p.TitleScreen = model::TitleScreenData{u"Ночной сад"_s, u"title.png"_s};
    model::StageData& s = p.stage(1);
    placeFon(s, 1, 0, 0);
    placeActive(s, 1, 24, 84);   // object 0: the hero on the path
    placeActive(s, 2, 260, 40);  // 1: the ghost, far in the north-east
    placeActive(s, 3, 100, 150); // 2 and 3: fireflies
    placeActive(s, 3, 200, 60);
    for (int g = 1; g <= 3; ++g)
        s.ActiveGroup[size_t(g)].Caption = QString::number(g);
    s.ActiveType[1] = model::MovementType::EightWay;
    s.ActiveType[2] = model::MovementType::Static;
    s.ActiveType[3] = model::MovementType::Static;
    s.LivesBar.X = 8;
    s.LivesBar.Y = 8;
    s.TextObject[1].X = 96;
    s.TextObject[1].Y = 4;

    const auto sees = [](int who, int radius) {
        return condition(8, u"обнаружение объекта"_s,
                         {{u"N"_s, QString::number(who)},
                          {u"B"_s, u"1"_s},
                          {u"MAX"_s, QString::number(radius)},
                          {u"A"_s, u"обнаружение от 0 до %1"_s.arg(radius)}});
    };
    const auto timer = [](const QString& path, const QString& seconds) {
        return condition(7, path, time(catalogue::timerSetting(u"0"_s, seconds, u"0"_s)));
    };
    const catalogue::Values caught{{u"N"_s, u"1"_s}, {u"O"_s, u"3"_s}};
    constexpr int kGhostColumn = 9, kFireflyColumn = 10;
    eventRow(s, condition(3, u"Начало уровня"_s),
             {{kPlayerColumn, action(kPlayerColumn, u"число жизней/установить"_s, u"3"_s)}});
    eventRow(s, sees(2, 64), {{kGhostColumn, action(kGhostColumn, u"режим/преследование"_s, QString(), 1)}});
    eventRow(s, sees(2, 20), {{kGhostColumn, action(kGhostColumn, u"режим/атака"_s, QString(), 1)}});
    // Every three seconds the ghost loses interest, unless it still sees the hero.
    eventRow(s, timer(u"Каждую..."_s, u"3"_s), {{kGhostColumn, action(kGhostColumn, u"режим/спокойствие"_s)}});
    eventRow(s, sees(3, 40), {{kFireflyColumn, action(kFireflyColumn, u"режим/избегание"_s, QString(), 1)}});
    const catalogue::Built oneMore = catalogue::build(
        *catalogue::actionAt(1, u"переменная/добавить…"_s),
        {{u"W"_s, u"1"_s}, {u"WN"_s, u"светлячки"_s}, {u"V"_s, u"1"_s}, {u"VC"_s, u"1"_s}});
    eventRow(s, condition(8, u"столкновение/с активным объектом"_s, caught),
             {{kFireflyColumn, action(kFireflyColumn, u"видимость/невидимый"_s)},
              {kPlayerColumn, action(kPlayerColumn, u"очки/добавить…"_s, u"10"_s)},
              {1, oneMore}});
    eventRow(s, timer(u"Таймер равен значению..."_s, u"20"_s),
             {{kStageColumn, action(kStageColumn, u"следующий уровень"_s)}});

    p.GameSuite.Description = u"Ночной сад: продержись 20 секунд, пока за тобой гонится призрак"_s;
    p.CurLevel = 1;
    persist::save(p, dir + u"/project.prg"_s);
}

// The level of "Прыжки": # a block of stone, anything else air. 40 x 13
// cells of 16 pixels: three screens of ground broken by three pits, with
// ledges to jump onto, one over the ghost's walk.
const QStringList kLedges{
    u"........................................"_s,
    u"........................................"_s,
    u"........................................"_s,
    u"........................................"_s,
    u"........................................"_s,
    u"..............................###......."_s,
    u"........................................"_s,
    u"........................................"_s,
    u"....###...........###......###.........."_s,
    u"........................................"_s,
    u"........................................"_s,
    u"###########...#######....########..#####"_s,
    u"###########...#######....########..#####"_s,
};

// "Прыжки": a platform game. The hero runs and jumps over pits and onto
// ledges, a ghost walks the middle ground, a flag at the far end wins; a
// fall or the ghost costs a life. On a touch screen it draws its buttons.
void writeLedges(const QString& dir, const QString& library)
{
    const ExampleLibrary lib(library);
    QImage skySheet = transparent(kTile, kTile);
    skySheet.fill(QColor(170, 215, 245));
    QStringList sky;
    for (const QString& row : kLedges)
        sky.append(QString(row.size(), u'.'));
    writeMap(lib, u"sky"_s, skySheet, sky, [](QChar) { return 1; });
    QImage stoneSheet = transparent(kTile, kTile);
    {
        QPainter p(&stoneSheet);
        p.fillRect(0, 0, kTile, kTile, QColor(130, 110, 90));
        p.fillRect(0, 0, kTile, 3, QColor(90, 170, 60));
        p.setPen(QColor(95, 80, 65));
        p.drawLine(0, 9, 15, 9);
        p.drawLine(7, 3, 7, 9);
        p.drawLine(3, 9, 3, 15);
        p.drawLine(12, 9, 12, 15);
    }
    writeMap(lib, u"ledges"_s, stoneSheet, kLedges, [](QChar c) { return c == u'#' ? 1 : 0; });
    writeSprite(lib, u"flag"_s, kTile, kTile, 2, [](QPainter& p, QRect r, int f) {
        p.setPen(QPen(QColor(80, 60, 40), 2));
        p.drawLine(r.x() + 3, r.y() + 1, r.x() + 3, r.bottom());
        p.setPen(Qt::NoPen);
        p.setBrush(f == 0 ? QColor(230, 40, 40) : QColor(250, 120, 60));
        p.drawRect(QRect(r.x() + 4, r.y() + 2 + f, 10, 6));
    });

    model::Project p = startProject(dir);
    for (const char* name : {"sky.obf", "ledges.obf", "hero.oba", "ghost.oba", "flag.oba", "lives.obl"})
        import(p, lib.app(), 1, QString::fromLatin1(name));
    model::StageData& s = p.stage(1);
    placeFon(s, 1, 0, 0);
    placeFon(s, 2, 0, 0);
    s.FonGroup[2].Obstacle = 1;
    constexpr int kGround = 11 * kTile;
    placeActive(s, 1, 16, kGround - 24);          // object 0: the hero
    placeActive(s, 2, 15 * kTile, kGround - kTile); // 1: the ghost between the first two pits
    placeActive(s, 3, 38 * kTile, kGround - kTile); // 2: the flag at the far end
    model::ActiveObjectData& ghost = s.ActiveObject[2];
    ghost.Path[1] = {19 * kTile, kGround - kTile};
    ghost.PathCount = 1;
    for (int g = 1; g <= 3; ++g)
        s.ActiveGroup[size_t(g)].Caption = QString::number(g);
    s.ActiveType[1] = model::MovementType::Platform;
    s.ActiveType[2] = model::MovementType::Planned;
    s.ActiveType[3] = model::MovementType::Static;
    // Runs at 3 pixels a tick, up to speed in 6 ticks, and jumps some 60 pixels high: onto a ledge (48
    // above the ground or the ledge below) or some 90 pixels far.
    s.Motion[1] = {300, 50, 75, 60, 800, 850};
    s.LivesBar.X = 8;
    s.LivesBar.Y = 8;

    const auto touches = [](int other) {
        return condition(8, u"столкновение/с активным объектом"_s,
                         {{u"N"_s, u"1"_s}, {u"O"_s, QString::number(other)}});
    };
    const QString fell = u">"_s + QString::number(kGround);
    // A life less, and the stage from its start (the lives stay; a game starts with 3).
    const auto backToStart = [] {
        return std::vector<std::pair<int, events::Action>>{
            {kPlayerColumn, action(kPlayerColumn, u"число жизней/добавить"_s, u"-1"_s)},
            {kStageColumn, action(kStageColumn, u"перезапуск текущего уровня"_s)}};
    };
    eventRow(s, touches(2), backToStart());
    eventRow(s,
             condition(8, u"координаты/сравнение Y-координаты объекта со значением"_s,
                       {{u"N"_s, u"1"_s}, {u"A"_s, fell}, {u"AC"_s, fell}}),
             backToStart());
    eventRow(s, condition(7, u"Каждую..."_s, time(catalogue::timerSetting(u"0"_s, u"0"_s, u"50"_s))),
             {{10, action(10, u"анимация/изменить/номер кадра/следующий"_s)}});
    eventRow(s, touches(3), {{kStageColumn, action(kStageColumn, u"следующий уровень"_s)}});

    p.TouchButtons = true;
    p.GameSuite.Description = u"Прыжки: добеги до флага, перепрыгивая ямы и призрака"_s;
    p.CurLevel = 1;
    persist::save(p, dir + u"/project.prg"_s);
}

} // namespace

int main(int argc, char* argv[])
{
    const QString source = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(KESTRAVA_SOURCE_DIR);
    const QString library = source + u"/examples/library"_s;
    const QString demo = source + u"/examples/demo"_s;
    try {
        io::makeFolder(library);
        io::makeFolder(demo);
        writeLibrary(library);
        writeProject(demo, library);
        writeMaze(source + u"/examples/maze"_s, library);
        writeGarden(source + u"/examples/garden"_s, library);
        writeLedges(source + u"/examples/ledges"_s, library);
    } catch (const io::Error& e) {
        std::fprintf(stderr, "make_demo: %s\n", e.what());
        return 1;
    }
    std::printf("make_demo: wrote %s and %s\n", qPrintable(library), qPrintable(demo));
    return 0;
}
