#include "interface/InterfacePicture.h"

#include "io/ColourNames.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace kestrava::interface {
namespace {

void drawMark(QPainter& p, int x, int y)
{
    p.setPen(io::colourOf(kBlue));
    p.drawLine(x, y, x - (kMarkLength - 1), y);
    p.drawLine(x, y, x, y - (kMarkLength - 1));
}

void drawBar(QPainter& p, const BarRecord& bar, bool marked)
{
    p.fillRect(QRect(bar.X, bar.Y, bar.Width, bar.Height), io::colourOf(bar.Bgr));
    // Shown half full.
    p.fillRect(QRect(bar.X, bar.Y, bar.Width / 2, bar.Height), io::colourOf(bar.Fg));
    p.setPen(io::colourOf(bar.Frame));
    p.setBrush(Qt::NoBrush);
    p.drawRect(bar.X, bar.Y, bar.Width - 1, bar.Height - 1);
    if (marked)
        drawMark(p, bar.X, bar.Y);
}

} // namespace

const QImage& WeaponFrame::of(const QImage& picture, const WeaponRecord& weapon)
{
    WeaponRecord w = weapon;
    w.X = w.Y = 0; // moving the weapon changes nothing of its picture
    const std::pair<qint64, WeaponRecord> madeOf{picture.cacheKey(), w};
    if (m_madeOf == madeOf)
        return m_frame;
    m_madeOf = madeOf;
    m_frame = QImage();
    if (picture.isNull())
        return m_frame;
    QImage& frame = m_frame;
    frame = picture.copy(0, 0, w.FrameWidth, w.FrameHeight).convertToFormat(QImage::Format_ARGB32);
    if (w.Transparent) {
        const QRgb key = io::colourOf(w.TranspColor).rgb() & RGB_MASK;
        for (int y = 0; y < frame.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < frame.width(); ++x)
                if ((line[x] & RGB_MASK) == key)
                    line[x] = 0;
        }
    }
    return m_frame;
}

void paintInterface(QImage& screen, const InterfaceRecords& records, Indicator marked, bool weaponLoaded,
                    const QImage& weaponFrame)
{
    screen.fill(io::colourOf(records.ScreenColour));
    QPainter p(&screen);
    drawBar(p, records.Lifebar, marked == Indicator::Lifebar);
    drawBar(p, records.Ammobar, marked == Indicator::Ammobar);

    const TimerRecord& t = records.Timer;
    QFont font;
    font.setPixelSize(kTimerPixels);
    p.setFont(font);
    const QFontMetrics metrics(font);
    p.fillRect(QRect(t.X, t.Y, metrics.horizontalAdvance(kTimerText), metrics.height()), io::colourOf(t.Bgr));
    p.setPen(io::colourOf(t.Font.Colour));
    p.drawText(t.X, t.Y + metrics.ascent(), kTimerText);
    if (marked == Indicator::Timer)
        drawMark(p, t.X, t.Y);

    const WeaponRecord& w = records.Weapon;
    if (weaponLoaded) {
        if (!records.WeaponClearBackground) {
            p.fillRect(QRect(w.X, w.Y, w.FrameWidth, w.FrameHeight), io::colourOf(records.WeaponBgr));
            p.setPen(io::colourOf(records.ScreenColour));
            p.setBrush(Qt::NoBrush);
            p.drawRect(w.X, w.Y, w.FrameWidth - 1, w.FrameHeight - 1);
        }
        p.drawImage(w.X, w.Y, weaponFrame);
    } else {
        p.setPen(io::colourOf(kLime));
        p.setBrush(Qt::NoBrush);
        p.drawRect(w.X, w.Y, w.FrameWidth - 1, w.FrameHeight - 1);
    }
    if (marked == Indicator::Weapon)
        drawMark(p, w.X, w.Y);
}

} // namespace kestrava::interface
