#pragma once

#include <QSize>
#include <QString>

namespace kestrava::model { class Project; struct StageData; }

namespace kestrava::media {

class PictureCache;

// The size a placed object takes on the map, as its group or picture says:
// a background object has its group's tile size (the map extent is that
// times columns and rows), an active object its picture's size. Hit tests
// and the project file use these stored sizes.
void measurePlacedObjects(model::StageData& stage, const QString& projectObjects, PictureCache& pictures);
void measurePlacedObjects(model::Project& project, PictureCache& pictures);

// The size of a picture in the project's objects folder; empty when it
// cannot be read (such an object is not drawn either).
QSize pictureSize(const QString& projectObjects, const QString& name, PictureCache& pictures);

} // namespace kestrava::media
