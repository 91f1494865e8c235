// A lives bar imported into a stage: the stage's one bar, from its object
// file; it takes no slot, keeps no file name and is never updated.
#include "persist/ImportKind.h"

namespace kestrava::persist {
namespace {

class LivesBar final : public ImportKind {
public:
    int import(model::Project& project, int level, const QString& name, const QString&,
               objects::ObjectFile&& file) const override
    {
        const auto& bar = std::get<objects::BarObjectFile>(file);
        model::LivesBarData& to = project.stage(level).LivesBar;
        to.BmpName = objects::bmpNameOf(name);
        to.Width = bar.Width;
        to.Height = bar.Height;
        to.Direction = bar.Direction;
        to.Present = true;
        return 0;
    }
    bool copiedIntoProject() const override { return false; }
    QStringList pictures(const QString& name) const override { return {objects::bmpNameOf(name)}; }

    int entries(const model::StageData&) const override { return 0; }
    void setEntries(model::StageData&, int) const override {}
    ImportedRecord record(const model::StageData& s, int) const override { return s.LivesBar; }
    void putRecord(model::StageData& s, int, const ImportedRecord& record) const override
    {
        s.LivesBar = std::get<model::LivesBarData>(record);
    }

    bool holds(const model::StageData&, const QString&) const override { return false; }
    void update(model::StageData&, const UpdateSource&) const override {}
};

} // namespace

template <>
const ImportKind& importKind<model::ObjectKind::LivesBar>() { static const LivesBar kind; return kind; }

} // namespace kestrava::persist
