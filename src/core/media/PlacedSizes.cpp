#include "media/PlacedSizes.h"

#include "io/Error.h"
#include "io/Paths.h"
#include "media/PictureCache.h"
#include "model/ObjectKind.h"
#include "model/Project.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::media {

namespace {

// The picture a placed object names, in the project's objects folder; empty
// for a name that would lead elsewhere.
QString picturePath(const QString& projectObjects, const QString& name)
{
    return projectObjects.isEmpty() || !io::isPlainFileName(name) ? QString() : projectObjects + u'/' + name;
}

} // namespace

QSize pictureSize(const QString& projectObjects, const QString& name, PictureCache& pictures)
{
    const QString path = picturePath(projectObjects, name);
    if (path.isEmpty())
        return QSize();
    try {
        return pictures.load(path).image.size();
    } catch (const io::Error&) {
        return QSize();
    }
}

void measurePlacedObjects(model::StageData& s, const QString& projectObjects, PictureCache& pictures)
{
    for (model::ObjectKind kind : model::kObjectKinds) {
        switch (kind) {
        case model::ObjectKind::Background: {
            const int groups = std::min(s.FonGroupCount, model::kMaxFonGroups);
            for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i) {
                model::FonObjectData& o = s.FonObject[size_t(i)];
                // Only what the map draws: an object of a missing group or layer keeps what it had.
                if (!o.Exists || o.Group < 1 || o.Group > groups || o.Layer < 1 || o.Layer > s.ListSlotCount)
                    continue;
                o.Width = s.FonGroup[size_t(o.Group)].TileWidth;
                o.Height = s.FonGroup[size_t(o.Group)].TileHeight;
            }
            break;
        }
        case model::ObjectKind::Active:
            for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
                model::ActiveObjectData& o = s.ActiveObject[size_t(i)];
                if (!o.Exists)
                    continue;
                const QSize size = pictureSize(projectObjects, o.FileName, pictures);
                if (size.isValid()) {
                    o.Width = size.width();
                    o.Height = size.height();
                }
            }
            break;
        case model::ObjectKind::LivesBar: // its size is its object file's
        case model::ObjectKind::Text:     // drawn with a marker of fixed size
            break;
        }
    }
}

void measurePlacedObjects(model::Project& project, PictureCache& pictures)
{
    if (!project.hasProjectDir())
        return;
    pictures.beginPass();
    const QString objects = project.projectPath(u"objects"_s);
    QStringList paths;
    for (int level = 1; level <= std::clamp(project.LevelCount, 1, model::kMaxLevels); ++level) {
        const model::StageData& s = project.stage(level);
        for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i)
            if (const QString path = picturePath(objects, s.ActiveObject[size_t(i)].FileName);
                s.ActiveObject[size_t(i)].Exists && !path.isEmpty())
                paths << path;
    }
    pictures.loadAll(paths);
    for (int level = 1; level <= std::clamp(project.LevelCount, 1, model::kMaxLevels); ++level)
        measurePlacedObjects(project.stage(level), objects, pictures);
}

} // namespace kestrava::media
