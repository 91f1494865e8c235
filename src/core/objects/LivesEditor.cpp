#include "objects/LivesEditor.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "model/Numbers.h"
#include "objects/ObjectFile.h"
#include "objects/ObjectSave.h"
#include "undo/Step.h"

#include <QPainter>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::objects {

LivesEditor::LivesEditor(const io::AppFolder& app) : m_app(app) {}

namespace {

QImage readBarPicture(const QString& path)
{
    const QByteArray bytes = io::readWholeFile(path, io::kMaxPictureFileBytes);
    if (bytes.startsWith("BM"))
        return io::readBmp(path);
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n"))
        throw io::Error::inFile(path, u"это не рисунок BMP и не PNG"_s);
    const QImage png = io::decodePng(bytes, path);
    QImage onWhite(png.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawImage(0, 0, png);
    return onWhite;
}

} // namespace

void LivesEditor::change(Bar after, const QString& text)
{
    const Bar before{m_picture, m_direction};
    if (after == before)
        return;
    m_history.push(new undo::SnapshotStep<Bar>(text, before, std::move(after), [this](const Bar& shown) {
        m_picture = shown.picture;
        m_direction = shown.direction;
    }));
}

void LivesEditor::loadPicture(const QString& path)
{
    change({readBarPicture(path), m_direction}, u"изображение"_s);
    m_path = path;
}

void LivesEditor::setDirection(Direction direction)
{
    change({m_picture, direction}, u"направление"_s);
}

void LivesEditor::reloadPicture()
{
    if (!m_path.isEmpty())
        loadPicture(m_path);
}

QImage LivesEditor::view() const
{
    QImage image(kViewSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    if (!pictureLoaded())
        return image;
    const double f = std::min(double(kViewSize.width()) / m_picture.width(),
                              double(kViewSize.height()) / m_picture.height());
    const int w = std::max(1, model::nearest(m_picture.width() * f));
    const int h = std::max(1, model::nearest(m_picture.height() * f));
    QPainter p(&image);
    p.drawImage(QRect((kViewSize.width() - w) / 2, (kViewSize.height() - h) / 2, w, h), m_picture);
    return image;
}

BarObjectFile LivesEditor::objectFile() const
{
    BarObjectFile f;
    f.Width = m_picture.width();
    f.Height = m_picture.height();
    f.Direction = m_direction == Direction::Vertical ? BarObjectFile::vertical() : BarObjectFile::horizontal();
    return f;
}

void LivesEditor::checkSavable() const
{
    if (!pictureLoaded())
        throw io::Error(u"Сначала загрузите изображение полосы: без него индикатор не сохранить."_s);
}

void LivesEditor::save(const QString& path)
{
    checkSavable();
    io::LineWriter writer(path);
    objectFile().writeTo(writer);
    const QString bmp = m_app.objectFile(bmpNameOf(path));
    saveObjectFiles({path, writer.bytes()}, {{bmp, io::encodeBmp(m_picture, bmp)}});
    m_history.setClean();
}

void LivesEditor::open(const QString& path)
{
    const BarObjectFile f = BarObjectFile::read(path);
    const QString bmp = m_app.objectFile(bmpNameOf(path));
    QImage picture = io::readBmp(bmp);
    m_picture = std::move(picture);
    m_path = bmp;
    m_direction = f.Direction == BarObjectFile::vertical() ? Direction::Vertical : Direction::Horizontal;
    m_history.clear();
}

} // namespace kestrava::objects
