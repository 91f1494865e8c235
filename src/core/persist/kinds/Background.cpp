// A background object imported into a stage: a group holding its tile map.
#include "persist/ImportKind.h"

#include "objects/SolidTiles.h"

#include <algorithm>

namespace kestrava::persist {
namespace {

using model::FonGroupData;
using objects::BackgroundObjectFile;

void fill(FonGroupData& g, const QString& name, BackgroundObjectFile&& f, std::vector<int> solid)
{
    g.SolidTiles = std::move(solid);
    fillNames(g, name);
    g.PictureName = f.PictureName;
    g.TileWidth = f.TileWidth;
    g.TileHeight = f.TileHeight;
    g.Columns = f.Columns;
    g.Rows = f.Rows;
    g.Cells = std::move(f.cells);
    g.Loaded = true;
}

int groups(const model::StageData& s)
{
    return std::min(s.FonGroupCount, model::kMaxFonGroups);
}

class Background final : public ImportKind {
public:
    int import(model::Project& project, int level, const QString& name, const QString& path,
               objects::ObjectFile&& file) const override
    {
        // Read before the stage changes: a damaged list refuses the import whole.
        std::vector<int> solid = objects::solidTilesBeside(path);
        const int g = addEntry(project, level, path, &model::Project::addFonGroup);
        fill(project.stage(level).FonGroup[size_t(g)], name, std::move(std::get<BackgroundObjectFile>(file)),
             std::move(solid));
        return g;
    }
    bool copiedIntoProject() const override { return true; }
    QStringList pictures(const QString& name) const override
    {
        return {objects::pngNameOf(name), objects::bmpNameOf(name)};
    }

    int entries(const model::StageData& s) const override { return s.FonGroupCount; }
    void setEntries(model::StageData& s, int count) const override { s.FonGroupCount = count; }
    ImportedRecord record(const model::StageData& s, int g) const override { return s.FonGroup[size_t(g)]; }
    void putRecord(model::StageData& s, int g, const ImportedRecord& record) const override
    {
        s.FonGroup[size_t(g)] = std::get<FonGroupData>(record);
    }

    bool holds(const model::StageData& s, const QString& name) const override
    {
        return holdsFile(s.FonGroup, groups(s), name);
    }
    void update(model::StageData& s, const UpdateSource& source) const override
    {
        const std::vector<int> updated = refillGroups(
            s.FonGroup, groups(s), source.name,
            [&](FonGroupData& g) {
                if (objects::kindOf(source.file) != model::ObjectKind::Background)
                    throw source.wrongKind(model::ObjectKind::Background);
                fill(g, source.name, BackgroundObjectFile(std::get<BackgroundObjectFile>(source.file)),
                     source.solidTiles);
            },
            [](FonGroupData& g, const FonGroupData& kept) { g.Obstacle = kept.Obstacle; });
        // Placed objects take the new tile size, as opening the project would measure it.
        for (int i = 1; i <= std::min(s.FonObjCount, model::kMaxFonObjects); ++i) {
            model::FonObjectData& o = s.FonObject[size_t(i)];
            if (std::find(updated.begin(), updated.end(), o.Group) != updated.end()) {
                o.Width = s.FonGroup[size_t(o.Group)].TileWidth;
                o.Height = s.FonGroup[size_t(o.Group)].TileHeight;
            }
        }
    }
};

} // namespace

template <>
const ImportKind& importKind<model::ObjectKind::Background>() { static const Background kind; return kind; }

} // namespace kestrava::persist
