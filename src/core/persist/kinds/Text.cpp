// A text object imported into a stage: its style and lines; it keeps no
// file name and is never updated.
#include "persist/ImportKind.h"

namespace kestrava::persist {
namespace {

class Text final : public ImportKind {
public:
    int import(model::Project& project, int level, const QString&, const QString& path,
               objects::ObjectFile&& file) const override
    {
        const int t = addEntry(project, level, path, &model::Project::addTextObject);
        const auto& f = std::get<objects::TextObjectFile>(file);
        model::TextObjectData& text = project.stage(level).TextObject[size_t(t)];
        objects::copyTextStyle(text, f);
        text.LineCount = int(f.lines.size());
        for (int i = 1; i <= text.LineCount; ++i)
            text.Lines[size_t(i)] = f.lines.at(i - 1);
        return t;
    }
    bool copiedIntoProject() const override { return false; }
    QStringList pictures(const QString&) const override { return {}; }

    int entries(const model::StageData& s) const override { return s.TextCount; }
    void setEntries(model::StageData& s, int count) const override { s.TextCount = count; }
    ImportedRecord record(const model::StageData& s, int t) const override { return s.TextObject[size_t(t)]; }
    void putRecord(model::StageData& s, int t, const ImportedRecord& record) const override
    {
        s.TextObject[size_t(t)] = std::get<model::TextObjectData>(record);
    }

    bool holds(const model::StageData&, const QString&) const override { return false; }
    void update(model::StageData&, const UpdateSource&) const override {}
};

} // namespace

template <>
const ImportKind& importKind<model::ObjectKind::Text>() { static const Text kind; return kind; }

} // namespace kestrava::persist
