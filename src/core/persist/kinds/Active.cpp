// An active object imported into a stage: a group holding its frame strip
// and animation table.
#include "persist/ImportKind.h"

#include <QImage>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {
namespace {

using model::ActiveGroupData;
using objects::ActiveObjectFile;

void fill(ActiveGroupData& g, const QString& name, const ActiveObjectFile& f)
{
    fillNames(g, name);
    g.PictureName = f.PictureName;
    g.FrameCount = f.FrameCount;
    g.TileWidth = f.TileWidth;
    g.TileHeight = f.TileHeight;
    std::copy(&f.Anim[0][0][0], &f.Anim[0][0][0] + sizeof f.Anim / sizeof(int), &g.Anim[0][0][0]);
    g.Loaded = true;
}

int groups(const model::StageData& s)
{
    return std::min(s.ActiveGroupCount, model::kMaxActiveGroups);
}

class Active final : public ImportKind {
public:
    int import(model::Project& project, int level, const QString& name, const QString& path,
               objects::ObjectFile&& file) const override
    {
        const int g = addEntry(project, level, path, &model::Project::addActiveGroup);
        fill(project.stage(level).ActiveGroup[size_t(g)], name, std::get<ActiveObjectFile>(file));
        return g;
    }
    bool copiedIntoProject() const override { return true; }
    QStringList pictures(const QString& name) const override
    {
        return {objects::pngNameOf(name), objects::bmpNameOf(name)};
    }

    int entries(const model::StageData& s) const override { return s.ActiveGroupCount; }
    void setEntries(model::StageData& s, int count) const override { s.ActiveGroupCount = count; }
    ImportedRecord record(const model::StageData& s, int g) const override { return s.ActiveGroup[size_t(g)]; }
    void putRecord(model::StageData& s, int g, const ImportedRecord& record) const override
    {
        s.ActiveGroup[size_t(g)] = std::get<ActiveGroupData>(record);
    }

    bool holds(const model::StageData& s, const QString& name) const override
    {
        return holdsFile(s.ActiveGroup, groups(s), name);
    }
    void update(model::StageData& s, const UpdateSource& source) const override
    {
        const std::vector<int> updated = refillGroups(
            s.ActiveGroup, groups(s), source.name,
            [&](ActiveGroupData& g) {
                if (objects::kindOf(source.file) != model::ObjectKind::Active)
                    throw source.wrongKind(model::ObjectKind::Active);
                fill(g, source.name, std::get<ActiveObjectFile>(source.file));
            },
            [](ActiveGroupData& g, const ActiveGroupData& kept) { g.Caption = kept.Caption; });
        if (updated.empty())
            return;
        // Placed objects take the size of the new picture, as opening the project would measure it.
        const QImage icon = QImage::fromData(source.bmpBytes);
        if (icon.isNull())
            throw source.refuse(u"рисунок «%1» не читается."_s.arg(objects::bmpNameOf(source.name)));
        for (int i = 1; i <= std::min(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
            model::ActiveObjectData& o = s.ActiveObject[size_t(i)];
            if (std::find(updated.begin(), updated.end(), o.GroupValue) != updated.end()
                && o.FileName == s.ActiveGroup[size_t(o.GroupValue)].BmpName) {
                o.Width = icon.width();
                o.Height = icon.height();
            }
        }
    }
};

} // namespace

template <>
const ImportKind& importKind<model::ObjectKind::Active>() { static const Active kind; return kind; }

} // namespace kestrava::persist
