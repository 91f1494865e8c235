#include "catalogue/Records.h"

#include "catalogue/Item.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

void remakeConditionTexts(model::EventRowData& row)
{
    if (row.Kind == u"event"_s && !row.CondRecord.isEmpty()) {
        QStringList captions;
        QStringList codes;
        QStringList keys;
        for (const model::CatalogueRecord& part : std::as_const(row.CondRecord)) {
            const std::optional<Built> condition = rebuild(Side::Condition, part);
            if (!condition)
                break;
            captions << condition->caption;
            codes << condition->code;
            keys << condition->record.item;
        }
        if (captions.size() == row.CondRecord.size()) {
            row.CondText = captions.join(u" и "_s);
            row.CondCode = codes.join(u'&');
            // A record of a renamed item takes today's name.
            for (qsizetype k = 0; k < keys.size(); ++k)
                if (row.CondRecord[k].item != keys[k])
                    row.CondRecord[k].item = keys[k];
        }
    }
}

void remakeActionTexts(model::EventRowData& row, int column)
{
    const size_t c = size_t(column);
    if (row.ActionRecord[c].isEmpty() || (row.ActionText[c].isEmpty() && row.ActionCode[c].isEmpty()))
        return;
    if (const std::optional<Built> action = rebuild(Side::Action, row.ActionRecord[c])) {
        row.ActionText[c] = action->caption;
        row.ActionCode[c] = action->code;
        row.ActionRecord[c].item = action->record.item;
    }
}

void remakeRowTexts(model::EventRowData& row)
{
    remakeConditionTexts(row);
    for (int c = 1; c <= model::kMaxActions; ++c)
        remakeActionTexts(row, c);
}

void remakeRecordedTexts(model::StageData& stage)
{
    for (size_t r = 1; r <= size_t(model::kMaxEventRows); ++r) {
        const model::EventRowData& row = std::as_const(stage.EventRow)[r];
        bool recorded = !row.CondRecord.isEmpty();
        for (size_t c = 1; c <= size_t(model::kMaxActions) && !recorded; ++c)
            recorded = !row.ActionRecord[c].isEmpty();
        // Rows never written stay unallocated.
        if (recorded)
            remakeRowTexts(stage.EventRow[r]);
    }
}

void remakeRecordedTexts(model::Project& project)
{
    for (int level = 1; level <= project.LevelCount; ++level)
        remakeRecordedTexts(project.stage(level));
}

Comparison splitComparison(const QString& text)
{
    const auto isRelation = [](QChar c) { return c == u'=' || c == u'!' || c == u'<' || c == u'>'; };
    qsizetype start = 0;
    while (start < text.size() && !isRelation(text.at(start)))
        ++start;
    qsizetype end = start;
    while (end < text.size() && isRelation(text.at(end)))
        ++end;
    return {text.left(start), text.mid(start, end - start), text.mid(end)};
}

} // namespace kestrava::catalogue
