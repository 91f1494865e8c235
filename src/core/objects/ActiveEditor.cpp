#include "objects/ActiveEditor.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Png.h"
#include "model/Numbers.h"
#include "objects/ObjectFile.h"
#include "objects/ObjectSave.h"
#include "undo/Step.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {
namespace {

// Frame width of a strip cut into count frames; 0 when a frame would be narrower than a pixel.
int widthOfFrame(int stripWidth, int count)
{
    return count < 1 ? 0 : model::nearest(double(stripWidth) / count);
}

void refuseNarrow(const QString& path, int stripWidth, int count)
{
    const QString what = u"в рисунке шириной %1 точек не уместить %2 кадров: кадр вышел бы уже одной точки"_s
                             .arg(stripWidth)
                             .arg(count);
    throw path.isEmpty() ? io::Error(what.left(1).toUpper() + what.mid(1)) : io::Error::inFile(path, what);
}

// image scaled to fit area, keeping its proportions, centred; pixel art
// stays sharp, so no smoothing.
void drawFitted(QPainter& p, const QImage& image, const QRect& area, bool enlarge)
{
    if (image.isNull() || area.isEmpty())
        return;
    double f = std::min(double(area.width()) / image.width(), double(area.height()) / image.height());
    if (f >= 1.0 && !enlarge)
        f = 1.0;
    else if (f >= 1.0)
        f = std::floor(f); // whole pixels, so every pixel of the frame shows alike
    const int w = std::max(1, model::nearest(image.width() * f));
    const int h = std::max(1, model::nearest(image.height() * f));
    const QRect target(area.left() + (area.width() - w) / 2, area.top() + (area.height() - h) / 2, w, h);
    p.drawImage(target, image);
}

QImage whiteWithOutline(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return image;
}

} // namespace

QString directionName(int d)
{
    static const QString names[] = {QString(), u"вправо"_s, u"вверх"_s, u"влево"_s, u"вниз"_s};
    return d >= 1 && d <= 4 ? names[d] : QString();
}

QString stateName(int b)
{
    static const QString names[] = {QString(), u"Спокойствие"_s, u"Перемещение"_s, u"Атака"_s, u"Уничтожение"_s};
    return b >= 1 && b <= 4 ? names[b] : QString();
}

ActiveEditor::ActiveEditor(const io::AppFolder& app) : m_app(app)
{
    emptyTable(m_content);
}

void ActiveEditor::emptyTable(Content& content)
{
    for (int s = 1; s <= P; ++s)
        for (int d = 1; d <= D; ++d)
            for (int b = 1; b <= B; ++b)
                content.table[s][d][b] = u"0"_s;
}

void ActiveEditor::step(Content after, const QString& text)
{
    // Kept whole before and after, with the direction and state it was made
    // in, so undoing it shows where it was.
    m_history.push(new undo::SnapshotStep<Content>(
        text, m_content, std::move(after),
        [this, direction = m_direction, state = m_state](const Content& shown) { apply(shown, direction, state); }));
}

void ActiveEditor::apply(const Content& content, int direction, int state)
{
    m_content = content;
    setDirection(direction);
    setState(state);
}

namespace {

// The colour of the four corners of a picture without any transparency; none
// when it has some, or when its corners differ (no plain background).
std::optional<QRgb> plainBackground(const QImage& picture)
{
    if (picture.isNull() || picture.hasAlphaChannel() && [&] {
            for (int y = 0; y < picture.height(); ++y)
                for (int x = 0; x < picture.width(); ++x)
                    if (qAlpha(picture.pixel(x, y)) < 255)
                        return true;
            return false;
        }())
        return std::nullopt;
    const QRgb corner = picture.pixel(0, 0);
    const int right = picture.width() - 1;
    const int bottom = picture.height() - 1;
    if (picture.pixel(right, 0) != corner || picture.pixel(0, bottom) != corner || picture.pixel(right, bottom) != corner)
        return std::nullopt;
    return corner;
}

} // namespace

std::optional<QRgb> ActiveEditor::loadPicture(const QString& path)
{
    QImage picture = io::readPng(path);
    Content after = m_content;
    // Square frames side by side: as many frames as squares.
    if (picture.height() > 0 && picture.width() % picture.height() == 0
        && picture.width() / picture.height() <= model::kMaxFrames)
        after.frameCount = picture.width() / picture.height();
    if (widthOfFrame(picture.width(), after.frameCount) < 1)
        refuseNarrow(path, picture.width(), after.frameCount);
    const std::optional<QRgb> background = plainBackground(picture);
    if (background) {
        picture = picture.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < picture.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
            for (int x = 0; x < picture.width(); ++x)
                if (line[x] == *background)
                    line[x] = qRgba(0, 0, 0, 0);
        }
    }
    after.picture = std::move(picture);
    step(std::move(after), u"изображение"_s);
    return background;
}

void ActiveEditor::setFrameCount(int count)
{
    if (count < 1 || count > model::kMaxFrames)
        throw io::Error(u"Количество кадров должно быть от 1 до %1, а указано %2."_s.arg(model::kMaxFrames).arg(count));
    if (pictureLoaded() && widthOfFrame(m_picture.width(), count) < 1)
        refuseNarrow(QString(), m_picture.width(), count);
    if (count == m_frameCount)
        return;
    Content after = m_content;
    after.frameCount = count;
    step(std::move(after), u"количество кадров"_s);
}

int ActiveEditor::frameWidth() const
{
    return pictureLoaded() ? widthOfFrame(m_picture.width(), m_frameCount) : 0;
}

QRect ActiveEditor::frameRect(int k) const
{
    return QRect(frameWidth() * (k - 1), 0, frameWidth(), frameHeight());
}

void ActiveEditor::setDirection(int d)
{
    if (d >= 1 && d <= D)
        m_direction = d;
}

void ActiveEditor::setState(int b)
{
    if (b >= 1 && b <= B)
        m_state = b;
}

int ActiveEditor::directionFrom(QPoint p, QSize size, int current)
{
    const int dx = p.x() - model::nearest(size.width() / 2.0);
    const int dy = p.y() - model::nearest(size.height() / 2.0);
    if (std::abs(dx) > std::abs(dy))
        return dx > 0 ? 1 : 3;
    if (std::abs(dy) > std::abs(dx))
        return dy < 0 ? 2 : 4;
    return current;
}

int ActiveEditor::number(int s, int d, int b) const
{
    int k = 0;
    if (!io::parseInteger(m_table[s][d][b], &k))
        throw io::Error(u"В таблице анимации не число: «%1»."_s.arg(io::excerpt(m_table[s][d][b])));
    return k;
}

int ActiveEditor::frameAt(int s) const
{
    return number(s, m_direction, m_state);
}

void ActiveEditor::setFrame(int s, int k)
{
    if (!pictureLoaded())
        throw io::Error(u"Сначала загрузите изображение с кадрами."_s);
    if (s < 1 || s > P)
        return;
    if (k < 0 || k > m_frameCount)
        throw io::Error(u"Номер кадра %1 не подходит: в полосе %2 кадров, номер должен быть от 1 до %2 "
                        u"(0 — пустая позиция)."_s.arg(k).arg(m_frameCount));
    const QString text = QString::number(k);
    if (m_table[s][m_direction][m_state] == text)
        return;
    Content after = m_content;
    after.table[s][m_direction][m_state] = text;
    step(std::move(after), k == 0 ? u"пустая позиция"_s : u"кадр %1"_s.arg(k));
}

bool ActiveEditor::copyToAllDirections()
{
    Content after = m_content;
    bool changed = false;
    for (int d = 1; d <= D; ++d)
        for (int s = 1; s <= P; ++s)
            if (after.table[s][d][m_state] != m_table[s][m_direction][m_state]) {
                after.table[s][d][m_state] = m_table[s][m_direction][m_state];
                changed = true;
            }
    if (changed)
        step(std::move(after), u"во все направления"_s);
    return changed;
}

void ActiveEditor::addFrame(int k)
{
    if (!pictureLoaded())
        throw io::Error(u"Сначала загрузите изображение с кадрами."_s);
    if (k < 1 || k > m_frameCount)
        throw io::Error(u"Кадра %1 в полосе нет: в ней %2 кадров."_s.arg(k).arg(m_frameCount));
    for (int s = 1; s <= P; ++s)
        if (frameAt(s) == 0) {
            setFrame(s, k);
            return;
        }
    throw io::Error(u"Все %1 позиций последовательности (направление «%2», состояние «%3») заняты: уберите кадр "
                    u"правой кнопкой мыши или щелчком по позиции."_s.arg(P).arg(directionName(m_direction),
                                                                               stateName(m_state)));
}

void ActiveEditor::removeFrame(int k)
{
    int at = 0;
    for (int s = 1; s <= P; ++s)
        if (k != 0 && frameAt(s) == k)
            at = s;
    if (at == 0)
        return;
    Content after = m_content;
    for (int s = at; s < P; ++s)
        after.table[s][m_direction][m_state] = m_table[s + 1][m_direction][m_state];
    after.table[P][m_direction][m_state] = u"0"_s;
    step(std::move(after), u"кадр %1 убран"_s.arg(k));
}

int ActiveEditor::uses(int k) const
{
    int n = 0;
    for (int s = 1; s <= P; ++s)
        if (frameAt(s) == k)
            ++n;
    return n;
}

std::vector<int> ActiveEditor::sequence() const
{
    std::vector<int> frames;
    for (int s = 1; s <= P; ++s) {
        const int k = frameAt(s);
        if (k >= 1 && k <= m_frameCount)
            frames.push_back(k);
    }
    return frames;
}

QImage ActiveEditor::frameImage(int k) const
{
    return m_picture.copy(frameRect(k));
}

QImage ActiveEditor::directionPicture() const
{
    const int w = kDirectionSize.width();
    const int h = kDirectionSize.height();
    QImage image = whiteWithOutline(kDirectionSize);
    QPainter p(&image);
    p.setPen(Qt::black);
    const QPoint centre(model::nearest(w / 2.0), model::nearest(h / 2.0));
    const QPoint ends[] = {{}, {w - 20, centre.y()}, {centre.x(), 20}, {20, centre.y()}, {centre.x(), h - 20}};
    p.drawLine(centre, ends[m_direction]);
    return image;
}

QImage ActiveEditor::frameBox(int s) const
{
    QImage image = whiteWithOutline(QSize(kFrameBox, kFrameBox));
    if (!pictureLoaded())
        return image;
    const int k = frameAt(s);
    QPainter p(&image);
    if (k >= 1 && k <= m_frameCount) {
        drawFitted(p, frameImage(k), image.rect().adjusted(1, 1, -1, -1), true);
    } else if (k > m_frameCount) {
        p.setPen(Qt::red);
        p.drawText(image.rect(), Qt::AlignCenter, QString::number(k));
    }
    return image;
}

QImage ActiveEditor::stripView() const
{
    QImage image(kStripViewSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    drawFitted(p, m_picture, image.rect(), true);
    return image;
}

QImage ActiveEditor::frameThumbnail(int k) const
{
    QImage image(kFrameThumbnail, kFrameThumbnail, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (pictureLoaded() && k >= 1 && k <= m_frameCount) {
        QPainter p(&image);
        drawFitted(p, frameImage(k), image.rect(), true);
    }
    return image;
}

QImage ActiveEditor::previewPicture(int step) const
{
    const std::vector<int> frames = sequence();
    if (!pictureLoaded() || frames.empty())
        return directionPicture();
    QImage image = whiteWithOutline(kDirectionSize);
    QPainter p(&image);
    const int k = frames[size_t(step) % frames.size()];
    drawFitted(p, frameImage(k), image.rect().adjusted(4, 4, -4, -4), true);
    return image;
}

QString ActiveEditor::entryProblem(int s, int d, int b) const
{
    int k = 0;
    if (!io::parseInteger(m_table[s][d][b], &k))
        return u"в позиции %1 (направление «%2», состояние «%3») не номер кадра: «%4»"_s.arg(s).arg(
            directionName(d), stateName(b), io::excerpt(m_table[s][d][b]));
    const QString place = u"в позиции %1 (направление «%2», состояние «%3»)"_s.arg(s).arg(directionName(d), stateName(b));
    if (k < 0)
        return u"номер кадра %1 %2 меньше 0"_s.arg(k).arg(place);
    if (k > m_frameCount)
        return u"кадр %1 %2 больше числа кадров %3"_s.arg(k).arg(place).arg(m_frameCount);
    return QString();
}

void ActiveEditor::checkSavable() const
{
    if (!pictureLoaded())
        throw io::Error(u"Сначала загрузите изображение: без него активный объект не сохранить."_s);
    for (int s = 1; s <= P; ++s)
        for (int d = 1; d <= D; ++d)
            for (int b = 1; b <= B; ++b)
                if (const QString problem = entryProblem(s, d, b); !problem.isEmpty())
                    throw io::Error(u"Объект не сохранён: %1. Исправьте номер кадра или количество кадров."_s.arg(
                        problem));
}

ActiveObjectFile ActiveEditor::objectFile(const QString& path) const
{
    ActiveObjectFile f;
    f.PictureName = pngNameOf(path);
    f.FrameCount = m_frameCount;
    f.TileWidth = frameWidth();
    f.TileHeight = frameHeight();
    for (int s = 1; s <= P; ++s)
        for (int d = 1; d <= D; ++d)
            for (int b = 1; b <= B; ++b)
                f.Anim[s][d][b] = number(s, d, b);
    return f;
}

QImage ActiveEditor::stripAsCut() const
{
    const int width = m_frameCount * frameWidth();
    if (width == m_picture.width())
        return m_picture;
    // Pixels past the last frame are dropped; a short last frame is padded transparent.
    QImage strip(width, m_picture.height(), QImage::Format_ARGB32);
    strip.fill(Qt::transparent);
    QPainter p(&strip);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, m_picture);
    return strip;
}

void ActiveEditor::save(const QString& path)
{
    checkSavable();
    io::LineWriter writer(path);
    objectFile(path).writeTo(writer);
    const QString png = m_app.objectFile(pngNameOf(path));
    const QString bmp = m_app.objectFile(bmpNameOf(path));
    // The first frame is the object's icon and its picture on the level map:
    // on white, as the map and the game show it, where a BMP would turn
    // transparent pixels black.
    QImage first(frameWidth(), frameHeight(), QImage::Format_RGB32);
    first.fill(Qt::white);
    QPainter(&first).drawImage(0, 0, frameImage(1));
    saveObjectFiles({path, writer.bytes()},
                    {{png, io::encodePng(stripAsCut(), png)}, {bmp, io::encodeBmp(first, bmp)}});
    m_history.setClean();
}

void ActiveEditor::open(const QString& path)
{
    const ActiveObjectFile f = ActiveObjectFile::read(path);
    if (f.FrameCount < 1)
        throw io::Error::inFile(path, u"число кадров %1, а должно быть не меньше 1"_s.arg(f.FrameCount));
    const QString png = m_app.objectFile(pngNameOf(path));
    QImage picture = io::readPng(png);
    if (widthOfFrame(picture.width(), f.FrameCount) < 1)
        refuseNarrow(png, picture.width(), f.FrameCount);

    ActiveEditor read(m_app);
    read.m_picture = picture;
    read.m_frameCount = f.FrameCount;
    for (int s = 1; s <= P; ++s)
        for (int d = 1; d <= D; ++d)
            for (int b = 1; b <= B; ++b) {
                read.m_table[s][d][b] = QString::number(f.Anim[s][d][b]);
                if (const QString problem = read.entryProblem(s, d, b); !problem.isEmpty())
                    throw io::Error::inFile(path, problem);
            }

    m_history.clear();
    m_picture = std::move(picture);
    m_frameCount = f.FrameCount;
    for (int s = 1; s <= P; ++s)
        for (int d = 1; d <= D; ++d)
            for (int b = 1; b <= B; ++b)
                m_table[s][d][b] = read.m_table[s][d][b];
}

void ActiveEditor::startNew()
{
    m_history.clear();
    m_content = Content();
    emptyTable(m_content);
    m_direction = 1;
    m_state = 1;
}

} // namespace kestrava::objects
