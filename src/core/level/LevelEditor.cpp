#include "level/LevelEditor.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "level/TileMap.h"
#include "model/Capacities.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::level {

namespace {

// Rendered maps larger than this are drawn tile by tile instead of kept.
constexpr qint64 kMaxRenderPixels = qint64(model::kMapSize) * model::kMapSize;

const QString kTextIcon = u"text.bmp"_s;
const QString kTextMarker = u"text1.bmp"_s;

// Pixel helpers on the RGB32 map. Rectangles exclude their right and bottom
// edges, as the frames and squares of the map always have.
void fillPixels(QImage& image, qint64 left, qint64 top, qint64 right, qint64 bottom, QRgb colour)
{
    left = std::max<qint64>(left, 0);
    top = std::max<qint64>(top, 0);
    right = std::min<qint64>(right, image.width());
    bottom = std::min<qint64>(bottom, image.height());
    for (qint64 y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        std::fill(line + left, line + std::max(left, right), colour);
    }
}

void framePixels(QImage& image, qint64 left, qint64 top, qint64 right, qint64 bottom, QRgb colour)
{
    if (right <= left || bottom <= top)
        return;
    fillPixels(image, left, top, right, top + 1, colour);
    fillPixels(image, left, bottom - 1, right, bottom, colour);
    fillPixels(image, left, top, left + 1, bottom, colour);
    fillPixels(image, right - 1, top, right, bottom, colour);
}

void putPixel(QImage& image, qint64 x, qint64 y, QRgb colour)
{
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb*>(image.scanLine(int(y)))[x] = colour;
}

// A one-pixel line from (x0, y0) towards (x1, y1), the end point left out.
void linePixels(QImage& image, qint64 x0, qint64 y0, qint64 x1, qint64 y1, QRgb colour)
{
    const qint64 dx = std::llabs(x1 - x0);
    const qint64 dy = -std::llabs(y1 - y0);
    const qint64 sx = x0 < x1 ? 1 : -1;
    const qint64 sy = y0 < y1 ? 1 : -1;
    qint64 err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        putPixel(image, x0, y0, colour);
        const qint64 e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

int clampToInt(qint64 v)
{
    return int(std::clamp<qint64>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Strictly inside (low, low + extent).
bool within(int value, qint64 low, qint64 extent)
{
    return low < value && value < low + extent;
}

} // namespace

void BlinkColour::advance()
{
    if (up) {
        red += 10;
        blue += 10;
        green -= 10;
    } else {
        red -= 10;
        blue -= 10;
        green += 10;
    }
    if (red > 254)
        up = false;
    if (red < 1)
        up = true;
}

QRgb BlinkColour::rgb() const
{
    return qRgb(red & 0xff, green & 0xff, blue & 0xff);
}

struct LevelEditor::TileSheet {
    std::uint64_t serial = 0;
    QImage image;
    std::vector<QRect> rects;
};

struct LevelEditor::GroupRender {
    std::uint64_t sheetSerial = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int columns = 0;
    int rows = 0;
    std::vector<int> cells;
    std::shared_ptr<const TileSheet> sheet;
    QImage image;       // null: too large to keep, drawn tile by tile
};

LevelEditor::LevelEditor(model::Project& project, const io::AppFolder& app)
    : m_project(project), m_app(app), m_map(model::kMapSize, model::kMapSize, QImage::Format_RGB32)
{
    m_map.fill(Qt::white);
    blankIcons(kBlankIcons);
}

QString LevelEditor::projectObject(const QString& name) const
{
    return m_project.projectPath(u"objects/"_s + name);
}

void LevelEditor::report(const QString& key, const QString& message)
{
    auto it = m_reported.find(key);
    if (it != m_reported.end() && *it == message)
        return;
    m_reported.insert(key, message);
    m_messages << message;
}

QStringList LevelEditor::takeMessages()
{
    QStringList out;
    out.swap(m_messages);
    return out;
}

bool LevelEditor::loadReported(const QString& key, const QString& path, CachedPicture* out)
{
    try {
        *out = m_pictures.load(path);
        forget(key);
        return true;
    } catch (const io::Error& e) {
        report(key, e.message());
        return false;
    }
}

bool LevelEditor::loadSilently(const QString& path, CachedPicture* out)
{
    try {
        *out = m_pictures.load(path);
        return true;
    } catch (const io::Error&) {
        return false;
    }
}

bool LevelEditor::loadLibraryOrOwn(const QString& key, const QString& name, QString* path, CachedPicture* out,
                                   bool doReport)
{
    const QString library = m_app.objectFile(name);
    try {
        *out = m_pictures.load(library);
        *path = library;
        forget(key);
        return true;
    } catch (const io::Error& first) {
        // A project opened on another machine brings its own copy.
        try {
            const QString own = projectObject(name);
            *out = m_pictures.load(own);
            *path = own;
            forget(key);
            return true;
        } catch (const io::Error&) {
            if (doReport)
                report(key, first.message() + u" (нет его и в папке объектов проекта)"_s);
            return false;
        }
    }
}

bool LevelEditor::loadSheet(const model::FonGroupData& group, QString* path, CachedPicture* out, bool doReport)
{
    const QString key = u"sheet:"_s + group.PictureName;
    if (!io::isPlainFileName(group.PictureName)) {
        if (doReport)
            report(key, u"Фоновая группа «%1»: имя рисунка плиток «%2» недопустимо"_s.arg(group.FileName,
                                                                                       group.PictureName));
        return false;
    }
    return loadLibraryOrOwn(key, group.PictureName, path, out, doReport);
}

std::shared_ptr<const LevelEditor::TileSheet> LevelEditor::tileSheet(const model::FonGroupData& group, bool doReport)
{
    QString path;
    CachedPicture picture;
    if (!loadSheet(group, &path, &picture, doReport))
        return nullptr;
    const QString key = path + u'|' + QString::number(group.TileWidth) + u'x' + QString::number(group.TileHeight);
    std::shared_ptr<TileSheet>& sheet = m_sheets[key];
    if (sheet && sheet->serial == picture.serial)
        return sheet;
    const QString reportKey = u"tiles:"_s + key;
    try {
        auto fresh = std::make_shared<TileSheet>();
        fresh->rects = tileRects(picture.image, group.TileWidth, group.TileHeight, path);
        fresh->serial = picture.serial;
        fresh->image = picture.image;
        sheet = fresh;
        forget(reportKey);
        return fresh;
    } catch (const io::Error& e) {
        m_sheets.remove(key);
        if (doReport)
            report(reportKey, e.message());
        return nullptr;
    }
}

const LevelEditor::GroupRender* LevelEditor::groupRender(int g)
{
    const model::FonGroupData& group = stage().FonGroup[size_t(g)];
    const std::shared_ptr<const TileSheet> sheet = tileSheet(group, true);
    if (!sheet)
        return nullptr;
    if (m_renderLevel != m_project.CurLevel) {
        m_renders.clear();
        m_renderLevel = m_project.CurLevel;
    }
    std::shared_ptr<GroupRender>& render = m_renders[g];
    if (render && render->sheetSerial == sheet->serial && render->tileWidth == group.TileWidth
        && render->tileHeight == group.TileHeight && render->columns == group.Columns && render->rows == group.Rows
        && render->cells == group.Cells)
        return render.get();
    auto fresh = std::make_shared<GroupRender>();
    fresh->sheetSerial = sheet->serial;
    fresh->tileWidth = group.TileWidth;
    fresh->tileHeight = group.TileHeight;
    fresh->columns = group.Columns;
    fresh->rows = group.Rows;
    fresh->cells = group.Cells;
    fresh->sheet = sheet;
    const qint64 width = qint64(group.TileWidth) * group.Columns;
    const qint64 height = qint64(group.TileHeight) * group.Rows;
    if (width <= 4 * model::kMapSize && height <= 4 * model::kMapSize && width * height <= kMaxRenderPixels)
        fresh->image = renderTileMap(sheet->image, sheet->rects, group);
    render = fresh;
    return render.get();
}

void LevelEditor::setPictureCaching(bool on)
{
    m_pictures.setEnabled(on);
    m_sheets.clear();
    m_renders.clear();
}

// ---------------------------------------------------------------- lifecycle

void LevelEditor::blankIcons(int count)
{
    m_icons.assign(size_t(count) + 1, ListIcon());
    for (int p = 1; p <= count; ++p)
        m_icons[size_t(p)].geometry = QRect(kIconLeft, kIconStep * (p - 1), kIconWidth, kIconHeight);
}

void LevelEditor::clear()
{
    blankIcons(kBlankIcons);
    for (int level = 1; level <= model::kMaxLevels; ++level) {
        m_project.stage(level).ListSlotCount = 0;
        m_project.stage(level).FonGroupCount = 0;
    }
    // Nothing of the previous project may stay picked, selected or in path drawing.
    DragRef.clear();
    DragLayer = 0;
    DragGroupIndex = 0;
    SelRect = SelectionRect();
    ResetDrag = false;
    CurObject = 0;
    MenuObject = 0;
    PathEditMode = 0;
    m_status.clear();
    m_reported.clear();
    m_renders.clear();
}

void LevelEditor::start()
{
    stage().FonDragFlag = false;
    stage().ActiveDragFlag = false;
    Blink = BlinkColour();
    start1();
    pereris();
}

void LevelEditor::start1()
{
    model::StageData& s = stage();
    m_pictures.beginPass();
    int count = s.ListSlotCount;
    m_status.clear();
    if (count > model::kMaxListSlots) {
        refuse(u"В списке объектов этапа %1 слотов, а показать можно не больше %2 — показаны первые %2"_s
                   .arg(count).arg(model::kMaxListSlots));
        count = model::kMaxListSlots;
    }
    blankIcons(std::max(kBlankIcons, count));
    for (int p = 1; p <= count; ++p) {
        for (int g = 1; g <= std::min(s.FonGroupCount, model::kMaxFonGroups); ++g)
            if (s.FonGroup[size_t(g)].ListSlot == p)
                obnov(p, SlotKind::Fon, g, projectObject(s.FonGroup[size_t(g)].BmpName));
        for (int g = 1; g <= std::min(s.ActiveGroupCount, model::kMaxActiveGroups); ++g)
            if (s.ActiveGroup[size_t(g)].ListSlot == p)
                obnov(p, SlotKind::Active, g, projectObject(s.ActiveGroup[size_t(g)].BmpName));
        for (int t = 1; t <= std::min(s.TextCount, model::kMaxTextObjects); ++t)
            if (s.TextObject[size_t(t)].ListSlot == p)
                obnov(p, SlotKind::Text, t, m_app.imageFile(kTextIcon));
    }
}

void LevelEditor::obnov(int slot, SlotKind kind, int tag, const QString& picturePath)
{
    if (slot < 1 || slot > model::kMaxListSlots)
        return;
    if (size_t(slot) >= m_icons.size())
        m_icons.resize(size_t(slot) + 1);
    ListIcon& icon = m_icons[size_t(slot)];
    icon = ListIcon();
    icon.kind = kind;
    icon.tag = tag;
    icon.geometry = QRect(kIconLeft, kIconStep * (slot - 1), kIconWidth, kIconHeight);
    icon.image = QImage(kIconWidth, kIconHeight, QImage::Format_RGB32);
    icon.image.fill(kIconFaceColour);
    CachedPicture picture;
    const QString name = io::fileNamePart(picturePath);
    if (!io::isPlainFileName(name)) {
        report(u"icon:"_s + picturePath, u"Значок объекта: имя рисунка «%1» недопустимо"_s.arg(picturePath));
        return;
    }
    if (!loadReported(u"icon:"_s + picturePath, picturePath, &picture) || picture.image.isNull())
        return;
    QPainter painter(&icon.image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage scaled = picture.image.scaled(kIconWidth, kIconHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(QPoint(0, 0), scaled);
}

// ---------------------------------------------------------------- object list

void LevelEditor::pnObjectsListMouseMove(int x, int y)
{
    ListX = x;
    ListY = y;
}

void LevelEditor::pnObjectsListMouseUp()
{
    model::StageData& s = stage();
    const int slotCount = std::min<int>(s.ListSlotCount, int(m_icons.size()) - 1);
    // One pass per kind, slots in order; a later match overwrites an earlier one.
    auto pass = [&](SlotKind kind, int kindCount, const auto& pick) {
        if (kindCount <= 0 || s.ListSlotCount <= 0)
            return;
        for (int p = 1; p <= slotCount; ++p) {
            const ListIcon& icon = m_icons[size_t(p)];
            const QRect& r = icon.geometry;
            if (icon.kind == kind && r.left() - kPickMargin < ListX && ListX < r.left() + r.width() + kPickMargin
                && r.top() - kPickMargin < ListY && ListY < r.top() + r.height() + kPickMargin)
                pick(icon.tag);
        }
    };
    pass(SlotKind::Fon, s.FonGroupCount, [&](int g) {
        const model::FonGroupData& group = s.FonGroup[size_t(g)];
        s.FonDragFlag = true;
        s.FonDragPicture = group.BmpName;
        DragRef = QString::number(g);
        DragLayer = group.ListSlot;
        DragGroupIndex = group.Index;
    });
    pass(SlotKind::Active, s.ActiveGroupCount, [&](int g) {
        const model::ActiveGroupData& group = s.ActiveGroup[size_t(g)];
        s.ActiveDragFlag = true;
        s.DragGroup = group.Index;
        DragRef = QString::number(g);
        s.ActiveDragPicture = group.BmpName;
        DragLayer = group.ListSlot;
    });
    pass(SlotKind::Text, s.TextCount, [&](int t) {
        s.TextDragFlag = true;
        s.CurText = t;
        DragRef = QString::number(t);
        DragLayer = s.TextObject[size_t(t)].ListSlot;
    });
}

// ---------------------------------------------------------------- map

bool LevelEditor::fonValid(int i) const
{
    const model::StageData& s = m_project.current();
    if (i < 1 || i > std::min(s.FonObjCount, model::kMaxFonObjects))
        return false;
    const int g = s.FonObject[size_t(i)].Group;
    return g >= 1 && g <= std::min(s.FonGroupCount, model::kMaxFonGroups);
}

bool LevelEditor::activeValid(int i) const
{
    const model::StageData& s = m_project.current();
    return i >= 1 && i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects);
}

bool LevelEditor::hitsFon(int i, int x, int y, int shrink) const
{
    const model::StageData& s = m_project.current();
    const model::FonObjectData& o = s.FonObject[size_t(i)];
    const model::FonGroupData& g = s.FonGroup[size_t(o.Group)];
    return within(x, o.X, qint64(o.Width - shrink) * g.Columns) && within(y, o.Y, qint64(o.Height - shrink) * g.Rows);
}

bool LevelEditor::hitsActive(int i, int x, int y) const
{
    const model::ActiveObjectData& o = m_project.current().ActiveObject[size_t(i)];
    return within(x, o.X, o.Width) && within(y, o.Y, o.Height);
}

void LevelEditor::ImPositionObjectsMouseMove(int x, int y)
{
    model::StageData& s = stage();
    m_pointerText = QString::number(x) + u'x' + QString::number(y);
    if (ResetDrag) {
        s.ActiveMoveIndex = 0;
        s.ActiveDragFlag = false;
        s.FonMoveIndex = 0;
        s.FonDragFlag = false;
        ResetDrag = false;
    }
    if (s.FonMoveIndex > 0 && fonValid(s.FonMoveIndex)) {
        model::FonObjectData& o = s.FonObject[size_t(s.FonMoveIndex)];
        o.X += x - s.FonLastX;
        o.Y += y - s.FonLastY;
    }
    s.FonLastX = x;
    s.FonLastY = y;
    if (s.ActiveMoveIndex > 0 && activeValid(s.ActiveMoveIndex)) {
        model::ActiveObjectData& o = s.ActiveObject[size_t(s.ActiveMoveIndex)];
        o.X += x - s.ActiveLastX;
        o.Y += y - s.ActiveLastY;
    }
    s.ActiveLastX = x;
    s.ActiveLastY = y;
    pereris();
    if (s.FonDragFlag)
        drawPicture(u"drag:"_s + s.FonDragPicture, projectObject(s.FonDragPicture), x, y);
    if (s.ActiveDragFlag)
        drawPicture(u"drag:"_s + s.ActiveDragPicture, projectObject(s.ActiveDragPicture), x, y);
    if (s.TextDragFlag) {
        s.TextLastX = x;
        s.TextLastY = y;
        drawPicture(u"drag:"_s + kTextMarker, m_app.imageFile(kTextMarker), x, y);
    }
}

void LevelEditor::drawPicture(const QString& key, const QString& path, int x, int y)
{
    if (!io::isPlainFileName(io::fileNamePart(path))) {
        report(key, u"Рисунок «%1»: имя недопустимо"_s.arg(path));
        return;
    }
    CachedPicture picture;
    if (!loadReported(key, path, &picture))
        return;
    QPainter painter(&m_map);
    painter.drawImage(QPoint(x, y), picture.image);
}

void LevelEditor::ImPositionObjectsClick()
{
    model::StageData& s = stage();
    m_status.clear();
    if (s.FonDragFlag) {
        const int g = DragGroupIndex;
        if (s.FonObjCount >= model::kMaxFonObjects) {
            refuse(u"На этапе %1 уже %2 фоновых объектов — больше поставить нельзя"_s.arg(m_project.CurLevel)
                       .arg(model::kMaxFonObjects));
        } else if (g < 1 || g > std::min(s.FonGroupCount, model::kMaxFonGroups)) {
            refuse(u"Фоновой группы %1 на этапе нет — объект не поставлен"_s.arg(g));
        } else {
            // A sheet the map cannot cut (a bad tile size, too many tiles) is refused here;
            // a sheet that is only missing is reported by the redraw.
            QString why;
            QString path;
            CachedPicture picture;
            const model::FonGroupData& group = s.FonGroup[size_t(g)];
            if (loadSheet(group, &path, &picture, false)) {
                try {
                    tileRects(picture.image, group.TileWidth, group.TileHeight, path);
                } catch (const io::Error& e) {
                    why = e.message();
                }
            }
            if (!why.isEmpty()) {
                refuse(why + u" — объект не поставлен"_s);
            } else {
                const int n = ++s.FonObjCount;
                model::FonObjectData& o = s.FonObject[size_t(n)];
                o = model::FonObjectData();
                o.X = s.FonLastX;
                o.Y = s.FonLastY;
                o.Ref = DragRef;
                o.Layer = DragLayer;
                o.Group = DragGroupIndex;
                o.FileName = s.FonDragPicture;
                o.Exists = true;
                pereris();
                s.FonDragFlag = false;
            }
        }
    }
    if (s.ActiveDragFlag) {
        if (s.ActiveObjCount >= model::kMaxActiveObjects) {
            refuse(u"На этапе %1 уже %2 активных объектов — больше поставить нельзя"_s.arg(m_project.CurLevel)
                       .arg(model::kMaxActiveObjects));
        } else {
            const int n = ++s.ActiveObjCount;
            model::ActiveObjectData& o = s.ActiveObject[size_t(n)];
            o = model::ActiveObjectData();
            o.X = s.ActiveLastX;
            o.Y = s.ActiveLastY;
            o.Ref = DragRef;
            o.Layer = DragLayer;
            o.FileName = s.ActiveDragPicture;
            o.GroupValue = s.DragGroup;
            o.Exists = true;
            pereris();
            s.ActiveDragFlag = false;
        }
    }
    if (s.TextDragFlag) {
        if (s.CurText >= 1 && s.CurText <= std::min(s.TextCount, model::kMaxTextObjects)) {
            s.TextObject[size_t(s.CurText)].X = s.TextLastX;
            s.TextObject[size_t(s.CurText)].Y = s.TextLastY;
            pereris();
        }
        s.TextDragFlag = false;
    }
}

void LevelEditor::ImPositionObjectsMouseDown(int x, int y)
{
    model::StageData& s = stage();
    if (PathEditMode == 0) {
        SelRect = SelectionRect();
        DownX = x;
        DownY = y;
        for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i)
            if (fonValid(i) && s.FonObject[size_t(i)].Exists && hitsFon(i, x, y, 0))
                s.FonMoveIndex = i;
        for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
            if (s.ActiveObject[size_t(i)].Exists && hitsActive(i, x, y)) {
                s.ActiveMoveIndex = i;
                s.FonMoveIndex = 0;
            }
        }
        // The lives bar always sits at the origin.
        const model::LivesBarData& bar = s.LivesBar;
        if (!bar.BmpName.isEmpty() && within(x, 0, bar.Width) && within(y, 0, bar.Height)) {
            s.FonMoveIndex = 0;
            s.ActiveMoveIndex = 0;
        }
    }
    if (PathEditMode == 1) {
        m_status.clear();
        if (!activeValid(CurObject)) {
            refuse(u"Путь рисуется для активного объекта, а объекта %1 на этапе нет"_s.arg(CurObject));
            return;
        }
        model::ActiveObjectData& o = s.ActiveObject[size_t(CurObject)];
        if (o.PathCount >= model::kMaxPathPoints) {
            refuse(u"В пути объекта %1 уже %2 точек — больше добавить нельзя"_s.arg(CurObject)
                       .arg(model::kMaxPathPoints));
            return;
        }
        o.PathCount = std::max(o.PathCount, 0) + 1;
        o.Path[size_t(o.PathCount)] = model::PathPoint{x, y};
    }
}

void LevelEditor::ImPositionObjectsMouseUp()
{
    model::StageData& s = stage();
    s.FonMoveIndex = 0;
    s.ActiveMoveIndex = 0;
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i) {
        if (!fonValid(i) || !s.FonObject[size_t(i)].Exists || !hitsFon(i, DownX, DownY, 4))
            continue;
        const model::FonObjectData& o = s.FonObject[size_t(i)];
        const model::FonGroupData& g = s.FonGroup[size_t(o.Group)];
        MenuObject = i + 1000;
        SelRect = SelectionRect{o.X, clampToInt(o.X + qint64(o.Width) * g.Columns), o.Y,
                                clampToInt(o.Y + qint64(o.Height) * g.Rows)};
    }
    for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
        const model::ActiveObjectData& o = s.ActiveObject[size_t(i)];
        if (!o.Exists || !hitsActive(i, DownX, DownY))
            continue;
        MenuObject = i;
        if (o.GroupValue >= 1 && o.GroupValue <= model::kMaxActiveGroups)
            s.ActiveType[size_t(o.GroupValue)] = s.ChosenType();
        SelRect = SelectionRect{o.X, clampToInt(qint64(o.X) + o.Width), o.Y, clampToInt(qint64(o.Y) + o.Height)};
    }
    // No group's Caption changes here: only the movement dialog sets it.
    ResetDrag = true;
    pereris();
}

ContextMenu LevelEditor::frPos_Obj1ImPositionObjectsContextPopup(int x, int y)
{
    model::StageData& s = stage();
    ContextMenu menu = ContextMenu::None;
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i) {
        if (fonValid(i) && s.FonObject[size_t(i)].Exists && hitsFon(i, x, y, 0)) {
            menu = ContextMenu::PopupMenu2;
            MenuObject = i;
        }
    }
    for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
        if (s.ActiveObject[size_t(i)].Exists && hitsActive(i, x, y)) {
            menu = ContextMenu::PopupMenu3;
            MenuObject = i;
        }
    }
    return menu;
}

// The selection frame goes with the object it framed.
void LevelEditor::N4Click()
{
    if (MenuObject >= 1 && MenuObject <= std::min(stage().FonObjCount, model::kMaxFonObjects)) {
        stage().FonObject[size_t(MenuObject)].Exists = false;
        SelRect = SelectionRect();
    }
}

void LevelEditor::N7Click()
{
    if (activeValid(MenuObject)) {
        stage().ActiveObject[size_t(MenuObject)].Exists = false;
        SelRect = SelectionRect();
    }
}

void LevelEditor::N2Click(const std::function<void(int)>& openFonSettings)
{
    model::StageData& s = stage();
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i) {
        // A deleted object is not there to be asked about.
        if (fonValid(i) && s.FonObject[size_t(i)].Exists && hitsFon(i, DownX, DownY, 4)) {
            CurObject = i;
            openFonSettings(i);
        }
        ResetDrag = true;
    }
}

void LevelEditor::N5Click(const std::function<void(int)>& openMovementType)
{
    model::StageData& s = stage();
    for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
        if (s.ActiveObject[size_t(i)].Exists && hitsActive(i, DownX, DownY)) {
            CurObject = i;
            openMovementType(i);
            movementDialogClosed(i);
        }
    }
}

// ---------------------------------------------------------------- behaviour dialogs

void LevelEditor::chooseMovementType(model::MovementType type)
{
    stage().ChosenType() = type;
}

void LevelEditor::movementDialogClosed(int object)
{
    model::StageData& s = stage();
    if (!activeValid(object))
        return;
    const int g = s.ActiveObject[size_t(object)].GroupValue;
    if (g < 1 || g > model::kMaxActiveGroups)
        return;
    s.ActiveType[size_t(g)] = s.ChosenType();
    s.ActiveGroup[size_t(g)].Caption = s.MoveModeText;
}

void LevelEditor::pathStraight()
{
    PathEditMode = 1;
}

void LevelEditor::pathDeleteLast()
{
    if (activeValid(CurObject)) {
        model::ActiveObjectData& o = stage().ActiveObject[size_t(CurObject)];
        if (o.PathCount > 0)
            --o.PathCount;
    }
    pereris();
}

void LevelEditor::pathConfirm()
{
    PathEditMode = 0;
    stage().MoveModeText = u"2"_s;
}

void LevelEditor::setObstacle(int object, int obstacle)
{
    if (!fonValid(object))
        return;
    model::StageData& s = stage();
    s.FonGroup[size_t(s.FonObject[size_t(object)].Group)].Obstacle = obstacle;
}

void LevelEditor::setScreenSize(int width, int height)
{
    ScreenWidth = width;
    ScreenHeight = height;
}

// ---------------------------------------------------------------- redraw

void LevelEditor::pereris()
{
    m_pictures.beginPass();
    {
        QPainter painter(&m_map);
        painter.fillRect(m_map.rect(), Qt::white);
        drawBackground(painter);
        drawActive(painter);
    }

    Blink.advance();
    const QRgb blink = Blink.rgb();
    framePixels(m_map, SelRect.left, SelRect.top, SelRect.right, SelRect.bottom, blink);
    framePixels(m_map, qint64(SelRect.left) + 2, qint64(SelRect.top) + 2, qint64(SelRect.right) - 2,
                qint64(SelRect.bottom) - 2, blink);
    framePixels(m_map, 0, 0, ScreenWidth, ScreenHeight, kScreenFrameColour);

    model::StageData& s = stage();
    {
        QPainter painter(&m_map);
        if (!s.LivesBar.BmpName.isEmpty()) {
            // The bar's picture stays in the library; a project may carry its own copy.
            const QString key = u"lives:"_s + s.LivesBar.BmpName;
            CachedPicture picture;
            QString path;
            if (!io::isPlainFileName(s.LivesBar.BmpName))
                report(key, u"Полоса жизней: имя рисунка «%1» недопустимо"_s.arg(s.LivesBar.BmpName));
            else if (loadLibraryOrOwn(key, s.LivesBar.BmpName, &path, &picture, true))
                painter.drawImage(QPoint(0, 0), picture.image);
        }
        CachedPicture marker;
        bool haveMarker = false;
        bool triedMarker = false;
        for (int t = 1; t <= std::min(s.TextCount, model::kMaxTextObjects); ++t) {
            const model::TextObjectData& text = s.TextObject[size_t(t)];
            if (text.X == 0 || text.Y == 0)
                continue;
            if (!triedMarker) {
                haveMarker = loadSilently(m_app.imageFile(kTextMarker), &marker);
                triedMarker = true;
            }
            if (haveMarker)
                painter.drawImage(QPoint(text.X, text.Y), marker.image);
        }
    }
    drawPath();
}

void LevelEditor::drawBackground(QPainter& painter)
{
    model::StageData& s = stage();
    const int layers = s.ListSlotCount;
    // Layer by layer in list slot order, within a layer in placing order.
    std::vector<int> order;
    order.reserve(size_t(model::kMaxFonObjects));
    for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i) {
        const model::FonObjectData& o = s.FonObject[size_t(i)];
        if (o.Exists && o.Layer >= 1 && o.Layer <= layers && fonValid(i))
            order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return s.FonObject[size_t(a)].Layer < s.FonObject[size_t(b)].Layer; });

    const bool cached = m_pictures.enabled();
    for (int i : order) {
        model::FonObjectData& o = s.FonObject[size_t(i)];
        const model::FonGroupData& group = s.FonGroup[size_t(o.Group)];
        o.Width = group.TileWidth;
        o.Height = group.TileHeight;
        if (cached) {
            const GroupRender* render = groupRender(o.Group);
            if (!render)
                continue;
            if (!render->image.isNull())
                painter.drawImage(QPoint(o.X, o.Y), render->image);
            else
                drawTileMap(painter, o.X, o.Y, render->sheet->image, render->sheet->rects, group, m_map.rect());
        } else {
            // Read and cut the sheet for every object, tile by tile.
            m_sheets.clear();
            const std::shared_ptr<const TileSheet> sheet = tileSheet(group, true);
            if (sheet)
                drawTileMap(painter, o.X, o.Y, sheet->image, sheet->rects, group, m_map.rect());
        }
    }
}

void LevelEditor::drawActive(QPainter& painter)
{
    model::StageData& s = stage();
    for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
        model::ActiveObjectData& o = s.ActiveObject[size_t(i)];
        if (!o.Exists || !io::isPlainFileName(o.FileName))
            continue;
        CachedPicture picture;
        if (!loadSilently(projectObject(o.FileName), &picture))
            continue;
        o.Width = picture.image.width();
        o.Height = picture.image.height();
        painter.drawImage(QPoint(o.X, o.Y), picture.image);
    }
}

void LevelEditor::drawPath()
{
    if (PathEditMode != 1 || !activeValid(CurObject))
        return;
    const model::ActiveObjectData& o = stage().ActiveObject[size_t(CurObject)];
    const int count = std::min(o.PathCount, model::kMaxPathPoints);
    if (count < 1)
        return;
    // The pen keeps the screen frame's colour; the squares are filled blue.
    qint64 penX = o.Path[1].X;
    qint64 penY = o.Path[1].Y;
    for (int k = 1; k <= count; ++k) {
        const qint64 x = o.Path[size_t(k)].X;
        const qint64 y = o.Path[size_t(k)].Y;
        fillPixels(m_map, x - 3, y - 3, x + 3, y + 3, kPathPointColour);
        framePixels(m_map, x - 3, y - 3, x + 3, y + 3, kScreenFrameColour);
        linePixels(m_map, penX, penY, x, y, kScreenFrameColour);
        penX = x;
        penY = y;
    }
}

} // namespace kestrava::level
