#pragma once

#include "interface/InterfaceRecords.h"

#include <QImage>
#include <QString>

#include <optional>
#include <utility>

namespace kestrava::interface {

// What the interface editor shows, painted from its records only: nothing
// here reads a file, so the preview can be painted on every pointer move.

inline constexpr int kMarkLength = 5;
inline constexpr int kTimerPixels = 12; // a 9 point font on the usual 96 dpi screen
inline const QString kTimerText = QStringLiteral("0:50");

// The weapon picture's first frame, transparent where asked; made again only
// when the picture or the weapon's frame settings changed.
class WeaponFrame {
public:
    const QImage& of(const QImage& picture, const WeaponRecord& weapon);

private:
    QImage m_frame;
    std::optional<std::pair<qint64, WeaponRecord>> m_madeOf; // picture key and weapon
};

// Paints the screen colour, the lives bar, the ammunition bar, the timer and
// the weapon, in this order, into screen; `marked` gets the blue corner mark.
// Without a weapon picture (!weaponLoaded) the weapon is a green outline,
// else weaponFrame over its background box.
void paintInterface(QImage& screen, const InterfaceRecords& records, Indicator marked, bool weaponLoaded,
                    const QImage& weaponFrame);

} // namespace kestrava::interface
