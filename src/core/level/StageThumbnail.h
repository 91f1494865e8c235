#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kestrava::io { class AppFolder; }

namespace kestrava::level {

// The picture of a stage's level map in the scenario editor:
// objects/etap<N>.bmp of the application folder, replaced each time.
QString stageThumbnailPath(const io::AppFolder& app, int level);

// Writes the map as the stage's thumbnail and returns it as read back; an
// io::Error naming the file when it cannot be written.
QImage storeStageThumbnail(const io::AppFolder& app, int level, const QImage& map);

// What the scenario editor shows of a stage's map (RGB32, white where
// nothing is): the part that holds something, with a small margin, widened
// to the shape of `cell` and to at least its size, scaled to fill it.
QImage stageThumbnail(const QImage& map, QSize cell);

} // namespace kestrava::level
