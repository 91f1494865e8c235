#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

class QPainter;

namespace kestrava::media {

// The scale a map is shown at, in percent of its game pixels; the level
// map and the background editor's map field share it.
namespace zoom {

inline constexpr int kMin = 25;
inline constexpr int kMax = 800;
inline constexpr int kSteps[] = {25, 33, 50, 67, 100, 150, 200, 300, 400, 600, 800};

int clamp(int percent);
// The next step above or below `percent` (which need not be a step).
int in(int percent);
int out(int percent);
// A typed "150", "150 %" or "150%": the percent, or 0 when it is none.
int parse(const QString& text);

// The game pixel a view pixel shows (rounded down, also left of the origin).
int toGame(int view, int percent);
// The view pixel where a game pixel starts.
qint64 toView(qint64 game, int percent);
// The scroll position after a zoom about the pointer: the game pixel that
// was under it stays under it. `pointer` is in the viewport.
int scrollAbout(int scroll, int pointer, int oldPercent, int newPercent);

} // namespace zoom

// Paints the part `exposed` (view pixels) of a map shown at `percent`,
// pixels as squares, and over it a grid of `cell` game pixels when that is valid.
void paintZoomed(QPainter& painter, const QImage& map, int percent, const QRect& exposed, QSize cell = {},
                 QRgb gridColour = 0x60808080);

} // namespace kestrava::media
