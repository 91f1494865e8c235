#include "interface/InterfaceEditor.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "io/ColourNames.h"
#include "io/IniFile.h"
#include "interface/InterfaceSettings.h"
#include "undo/Step.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::interface {
namespace {

// What a step of the history keeps, whole, before and after: the layout and
// the weapon picture shown with it. The moves of one drag (one gesture)
// merge into one step.
struct Shown {
    InterfaceRecords records;
    QImage picture;
    bool operator==(const Shown& other) const
    {
        return records == other.records && picture.cacheKey() == other.picture.cacheKey();
    }
};

bool hits(QPoint pos, int x, int y, int width, int height)
{
    // Both edges count: a press exactly on the right or bottom edge is on it.
    return qint64(x) <= pos.x() && pos.x() <= qint64(x) + width && qint64(y) <= pos.y() &&
           pos.y() <= qint64(y) + height;
}

int clampCoordinate(qint64 value)
{
    return int(std::clamp<qint64>(value, -InterfaceEditor::kMaxCoordinate, InterfaceEditor::kMaxCoordinate));
}

void checkRange(int value, const QString& what, int min, int max)
{
    if (value < min || value > max)
        throw io::Error(u"%1: %2 — нужно целое число от %3 до %4."_s.arg(what, QString::number(value),
                                                                         QString::number(min), QString::number(max)));
}

void checkPosition(int x, int y)
{
    checkRange(x, u"X"_s, -InterfaceEditor::kMaxCoordinate, InterfaceEditor::kMaxCoordinate);
    checkRange(y, u"Y"_s, -InterfaceEditor::kMaxCoordinate, InterfaceEditor::kMaxCoordinate);
}

size_t barIndex(Indicator which)
{
    if (which != Indicator::Lifebar && which != Indicator::Ammobar)
        throw io::Error(u"Полоса не выбрана: ни лайфбар, ни патроны."_s);
    return which == Indicator::Lifebar ? 0 : 1;
}

void writeBar(io::IniFile& file, const QString& section, const BarRecord& bar)
{
    file.setValue(section, u"Pos.x"_s, QString::number(bar.X));
    file.setValue(section, u"Pos.y"_s, QString::number(bar.Y));
    file.setValue(section, u"Height"_s, QString::number(bar.Height));
    file.setValue(section, u"Width"_s, QString::number(bar.Width));
    file.setValue(section, u"Bgr"_s, io::colourText(bar.Bgr));
    file.setValue(section, u"Fg"_s, io::colourText(bar.Fg));
    file.setValue(section, u"Frame"_s, io::colourText(bar.Frame));
}

} // namespace

int parseNumberBox(const QString& text, const QString& what, int min, int max)
{
    int value = 0;
    if (!io::parseInteger(text, &value) || value < min || value > max)
        throw io::Error(u"%1: «%2» — нужно целое число от %3 до %4."_s.arg(
            what, io::excerpt(text.trimmed()), QString::number(min), QString::number(max)));
    return value;
}

InterfaceEditor::InterfaceEditor(const io::AppFolder& app, QObject* parent)
    : QObject(parent), m_app(app), m_screen(kStartScreen, QImage::Format_RGB32)
{
    DrawAll();
}

InterfaceEditor::~InterfaceEditor() = default;

const BarRecord& InterfaceEditor::bar(Indicator which) const
{
    return barIndex(which) == 0 ? m_records.Lifebar : m_records.Ammobar;
}

// --- the preview ---

void InterfaceEditor::DrawAll()
{
    paintInterface(m_screen, m_records, m_shown, weaponLoaded(),
                   weaponLoaded() ? m_weaponFrame.of(m_shownSprite, m_records.Weapon) : QImage());
    emit previewChanged();
}

void InterfaceEditor::setScreenSize(int width, int height)
{
    checkRange(width, u"Ширина экрана"_s, 1, kMaxScreenSide);
    checkRange(height, u"Высота экрана"_s, 1, kMaxScreenSide);
    m_screen = QImage(width, height, QImage::Format_RGB32);
    DrawAll();
}

void InterfaceEditor::setScreenColour(int colour)
{
    InterfaceRecords after = m_records;
    after.ScreenColour = colour;
    step(after, u"цвет экрана"_s);
}

// --- choosing ---

void InterfaceEditor::choose(Indicator indicator)
{
    m_shown = indicator;
    m_current = indicator;
    // The chosen timer or weapon is picked up by its corner.
    m_followOffset = QPoint();
    m_following = indicator == Indicator::Timer || indicator == Indicator::Weapon;
    ++m_gesture;
    DrawAll();
}

// --- the pointer ---

void InterfaceEditor::pressed(QPoint pos)
{
    const BarRecord* bars[] = {&m_records.Lifebar, &m_records.Ammobar};
    for (size_t i = 0; i < 2; ++i) {
        const BarRecord& b = *bars[i];
        m_drag[i] = hits(pos, b.X, b.Y, b.Width, b.Height);
        if (m_drag[i]) {
            m_barOffset[i] = pos - QPoint(b.X, b.Y);
            m_current = i == 0 ? Indicator::Lifebar : Indicator::Ammobar;
        }
    }
    const TimerRecord& t = m_records.Timer;
    const WeaponRecord& w = m_records.Weapon;
    if (m_shown == Indicator::Timer) {
        m_followOffset = pos - QPoint(t.X, t.Y);
        m_following = true;
    } else if (m_shown == Indicator::Weapon && hits(pos, w.X, w.Y, w.FrameWidth, w.FrameHeight)) {
        m_followOffset = pos - QPoint(w.X, w.Y);
        m_following = true;
    }
}

void InterfaceEditor::moved(QPoint pos)
{
    InterfaceRecords after = m_records;
    BarRecord* bars[] = {&after.Lifebar, &after.Ammobar};
    for (size_t i = 0; i < 2; ++i)
        if (m_drag[i]) {
            bars[i]->X = clampCoordinate(qint64(pos.x()) - m_barOffset[i].x());
            bars[i]->Y = clampCoordinate(qint64(pos.y()) - m_barOffset[i].y());
        }
    const int x = clampCoordinate(qint64(pos.x()) - m_followOffset.x());
    const int y = clampCoordinate(qint64(pos.y()) - m_followOffset.y());
    if (m_following && m_shown == Indicator::Timer) {
        after.Timer.X = x;
        after.Timer.Y = y;
    } else if (m_following && m_shown == Indicator::Weapon) {
        after.Weapon.X = x;
        after.Weapon.Y = y;
    }
    if (after == m_records)
        return;
    step(after, u"перемещение индикатора"_s, m_gesture);
}

void InterfaceEditor::released()
{
    m_drag = {};
    // The release puts a following timer or weapon down where it is; a press picks it up again.
    m_following = false;
    ++m_gesture;
}

// --- the dialogs ---

void InterfaceEditor::setBar(Indicator which, const BarRecord& bar)
{
    const size_t index = barIndex(which);
    checkPosition(bar.X, bar.Y);
    checkRange(bar.Width, u"Длина полосы"_s, 1, kMaxCoordinate);
    checkRange(bar.Height, u"Высота полосы"_s, 1, kMaxCoordinate);
    InterfaceRecords after = m_records;
    (index == 0 ? after.Lifebar : after.Ammobar) = bar;
    step(after, index == 0 ? u"лайфбар"_s : u"патроны"_s);
}

void InterfaceEditor::setTimer(const TimerRecord& timer)
{
    checkPosition(timer.X, timer.Y);
    InterfaceRecords after = m_records;
    after.Timer = timer;
    step(after, u"таймер"_s);
}

void InterfaceEditor::setWeapon(const WeaponRecord& weapon, int background, bool clearBackground)
{
    checkPosition(weapon.X, weapon.Y);
    // The picture's width is divided by it.
    checkRange(weapon.FrameWidth, u"Ширина кадра"_s, 1, kMaxCoordinate);
    checkRange(weapon.FrameHeight, u"Высота кадра"_s, 1, kMaxCoordinate);
    InterfaceRecords after = m_records;
    after.Weapon = weapon;
    after.Weapon.FrameCount = m_sprite.width() / weapon.FrameWidth;
    after.Weapon.Transparent = weapon.Transparent ? 1 : 0;
    after.WeaponBgr = background;
    after.WeaponClearBackground = clearBackground;
    step(after, u"оружие"_s, 0, m_sprite);
}

// --- the weapon picture ---

void InterfaceEditor::loadWeaponPicture(const QString& path)
{
    const QByteArray file = io::readWholeFile(path, io::kMaxPictureFileBytes);
    const QImage picture = io::decodePng(file, path);
    io::makeFolder(m_app.temp());
    io::writeFileAtomically(m_app.temp() + u'/' + QString::fromLatin1(kWeaponPicture), file);
    m_sprite = picture;
    m_spriteFile = file;
    DrawAll();
}

int InterfaceEditor::weaponCornerColour() const
{
    if (!weaponLoaded())
        throw io::Error(u"Изображение оружия не загружено: сначала нажмите «Загрузить»."_s);
    return io::colourValue(m_sprite.pixelColor(0, 0));
}

// --- the settings file ---

void InterfaceEditor::writeKeys(io::IniFile& file) const
{
    writeBar(file, u"Lifebar"_s, m_records.Lifebar);
    writeBar(file, u"Ammobar"_s, m_records.Ammobar);
    const TimerRecord& t = m_records.Timer;
    file.setValue(u"Timer"_s, u"Pos.x"_s, QString::number(t.X));
    file.setValue(u"Timer"_s, u"Pos.y"_s, QString::number(t.Y));
    file.setValue(u"Timer"_s, u"bgr"_s, io::colourText(t.Bgr));
    // The timer's own font: the one its dialog confirmed and the preview shows.
    objects::writeFontKeys(file, t.Font);
    const WeaponRecord& w = m_records.Weapon;
    const QString weapon = u"Weapon"_s;
    file.setValue(weapon, u"Pos.x"_s, QString::number(w.X));
    file.setValue(weapon, u"Pos.y"_s, QString::number(w.Y));
    file.setValue(weapon, u"Frame.x"_s, QString::number(w.FrameWidth));
    file.setValue(weapon, u"Frame.y"_s, QString::number(w.FrameHeight));
    file.setValue(weapon, u"Frame.count"_s, QString::number(w.FrameCount));
    file.setValue(weapon, u"Bgr"_s, io::colourText(m_records.WeaponBgr));
    file.setValue(weapon, u"TranspColor"_s, io::colourText(w.TranspColor));
    file.setValue(weapon, u"Transparent"_s, QString::number(w.Transparent ? 1 : 0));
}

void InterfaceEditor::save(const QString& path)
{
    const QString picture = io::folderPart(path) + u'/' + QString::fromLatin1(kWeaponPicture);
    if (weaponLoaded() && QFileInfo(path).absoluteFilePath().compare(QFileInfo(picture).absoluteFilePath(),
                                                                      Qt::CaseInsensitive) == 0)
        throw io::Error::inFile(path, u"это имя картинки оружия; сохраните настройки под другим именем"_s);
    io::IniFile file = io::IniFile::read(path);
    writeKeys(file);
    std::vector<io::FileBytes> files{{path, file.bytes(path)}};
    // Only a picture loaded in this run: the working copy of an earlier run may belong to another game.
    if (weaponLoaded())
        files.push_back({picture, m_spriteFile});
    io::writeFilesTogether(files);
    m_history.setClean();
}

namespace {

BarRecord barOf(const BarIndicator& bar)
{
    return {bar.x, bar.y, bar.height, bar.width, int(bar.fg), int(bar.bgr), int(bar.frame)};
}

} // namespace

void InterfaceEditor::open(const QString& path)
{
    const InterfaceSettings read = readInterfaceSettings(path);
    InterfaceRecords records;
    records.ScreenColour = m_records.ScreenColour; // the preview's own, not the game's
    records.Lifebar = barOf(read.lifebar);
    records.Ammobar = barOf(read.ammobar);
    records.Timer.X = read.timerX;
    records.Timer.Y = read.timerY;
    records.Timer.Bgr = int(read.timerBgr);
    records.Timer.Font = {read.fontSize, read.fontType, read.bold ? 1 : 0, read.italic ? 1 : 0,
                          read.underline ? 1 : 0, int(read.fontColour)};
    records.Weapon = {read.weaponX, read.weaponY, read.weaponWidth, read.weaponHeight, read.weaponFrames,
                      int(read.transparentColour), read.transparent ? 1 : 0};
    records.WeaponBgr = int(read.weaponBgr);
    // What the dialogs refuse would be drawn wrong and saved again as it is.
    try {
        for (const BarRecord* bar : {&records.Lifebar, &records.Ammobar}) {
            checkPosition(bar->X, bar->Y);
            checkRange(bar->Width, u"Длина полосы"_s, 1, kMaxCoordinate);
            checkRange(bar->Height, u"Высота полосы"_s, 1, kMaxCoordinate);
        }
        checkPosition(records.Timer.X, records.Timer.Y);
        checkPosition(records.Weapon.X, records.Weapon.Y);
        checkRange(records.Weapon.FrameWidth, u"Ширина кадра оружия"_s, 1, kMaxCoordinate);
        checkRange(records.Weapon.FrameHeight, u"Высота кадра оружия"_s, 1, kMaxCoordinate);
    } catch (const io::Error& e) {
        throw io::Error::inFile(path, e.message());
    }
    const QString picturePath = io::folderPart(path) + u'/' + QString::fromLatin1(kWeaponPicture);
    QImage sprite;
    QByteArray spriteFile;
    if (QFileInfo::exists(picturePath)) {
        spriteFile = io::readWholeFile(picturePath, io::kMaxPictureFileBytes);
        sprite = io::decodePng(spriteFile, picturePath);
    }

    m_history.clear();
    m_records = records;
    m_sprite = sprite;
    m_spriteFile = spriteFile;
    m_shownSprite = sprite;
    m_shown = m_current = Indicator::None;
    m_drag = {};
    m_following = false;
    ++m_gesture;
    DrawAll();
}

void InterfaceEditor::startNew()
{
    m_history.clear();
    const int screen = m_records.ScreenColour;
    m_records = InterfaceRecords();
    m_records.ScreenColour = screen;
    m_sprite = m_shownSprite = QImage();
    m_spriteFile.clear();
    m_shown = m_current = Indicator::None;
    m_drag = {};
    m_following = false;
    ++m_gesture;
    DrawAll();
}

// --- history ---

void InterfaceEditor::step(const InterfaceRecords& after, const QString& text, int gesture,
                           std::optional<QImage> weaponPicture)
{
    const Shown before{m_records, m_shownSprite};
    const Shown next{after, weaponPicture.value_or(m_shownSprite)};
    if (next == before)
        return;
    m_history.push(new undo::SnapshotStep<Shown>(
        text, before, next, [this](const Shown& shown) { applyRecords(shown.records, shown.picture); }, gesture));
}

void InterfaceEditor::applyRecords(const InterfaceRecords& records, const QImage& weaponPicture)
{
    m_records = records;
    m_shownSprite = weaponPicture;
    DrawAll();
}

} // namespace kestrava::interface
