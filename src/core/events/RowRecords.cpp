#include "events/RowRecords.h"

#include "io/Error.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::events {

namespace {

// The tokens of the templates, longer ones first where one is the prefix of another.
const QStringList& conditionTokens()
{
    static const QStringList tokens{u"MIN"_s, u"MAX"_s, u"AC"_s, u"KC"_s, u"KD"_s, u"A"_s,
                                    u"K"_s,   u"N"_s,   u"O"_s,  u"B"_s,  u"T"_s,  u"L"_s};
    return tokens;
}

const QStringList& actionTokens()
{
    static const QStringList tokens{u"VC"_s, u"V"_s, u"G"_s, u"T"_s};
    return tokens;
}

// The tokens the templates use, as their record names them.
QStringList usedTokens(const QStringList& templates, const QStringList& tokens)
{
    QStringList used;
    for (const QString& text : templates) {
        for (qsizetype pos = text.indexOf(u'%'); pos >= 0; pos = text.indexOf(u'%', pos + 1)) {
            const QStringView rest = QStringView(text).sliced(pos + 1);
            for (const QString& token : tokens) {
                if (!rest.startsWith(token))
                    continue;
                // A double press is compared with a name made from the key's.
                const QString kept = token == u"KD"_s ? u"K"_s : token;
                if (!used.contains(kept))
                    used << kept;
                break;
            }
        }
    }
    return used;
}

model::CatalogueRecord recordFrom(const QString& key, const QStringList& used,
                                  const std::vector<std::pair<QString, QString>>& values)
{
    model::CatalogueRecord record;
    record.item = key;
    for (const auto& [token, value] : values)
        if (used.contains(token))
            record.values.insert(token, value);
    return record;
}

// A number of a record, absent as 0; false when present but no number.
bool readNumber(const model::CatalogueRecord& record, const QString& token, int& number)
{
    const auto it = record.values.constFind(token);
    if (it == record.values.constEnd())
        return true;
    bool ok = false;
    number = it->toInt(&ok);
    return ok;
}

} // namespace

QString itemKey(const ConditionItem& item)
{
    return QString::number(item.menu) + u':' + item.path.join(u'/');
}

QString itemKey(const ActionItem& item)
{
    return QString::number(int(item.menu)) + u':' + item.path.join(u'/');
}

const ConditionItem* conditionItem(const QString& key)
{
    for (const ConditionItem& item : conditionCatalogue())
        if (item.enabled && itemKey(item) == key)
            return &item;
    return nullptr;
}

const ActionItem* actionItem(const QString& key)
{
    for (const ActionItem& item : actionCatalogue())
        if (item.enabled && itemKey(item) == key)
            return &item;
    return nullptr;
}

model::CatalogueRecord recordOf(const ConditionItem& item, const ConditionInput& input)
{
    const QStringList used = usedTokens(QStringList{item.caption, item.code} + item.objects, conditionTokens());
    const auto n = [](int v) { return QString::number(v); };
    return recordFrom(itemKey(item), used,
                      {{u"A"_s, input.arg},
                       {u"AC"_s, input.argCode},
                       {u"N"_s, n(input.object)},
                       {u"O"_s, n(input.other)},
                       {u"B"_s, n(input.detected)},
                       {u"MIN"_s, n(input.minRadius)},
                       {u"MAX"_s, n(input.maxRadius)},
                       {u"T"_s, n(input.time)},
                       {u"K"_s, input.keyName},
                       {u"KC"_s, input.keyCode},
                       {u"L"_s, n(input.level)}});
}

model::CatalogueRecord recordOf(const ActionItem& item, const ActionInput& input)
{
    const QStringList used = usedTokens(QStringList{item.caption, item.code} + item.objects, actionTokens());
    return recordFrom(itemKey(item), used,
                      {{u"V"_s, input.value},
                       {u"VC"_s, input.valueCode},
                       {u"G"_s, QString::number(input.group)},
                       {u"T"_s, QString::number(input.target)}});
}

std::optional<ConditionInput> conditionInput(const model::CatalogueRecord& record)
{
    ConditionInput input;
    input.arg = record.values.value(u"A"_s);
    input.argCode = record.values.value(u"AC"_s);
    input.keyName = record.values.value(u"K"_s);
    input.keyCode = record.values.value(u"KC"_s);
    const std::array<std::pair<QString, int*>, 7> numbers{{{u"N"_s, &input.object},
                                                           {u"O"_s, &input.other},
                                                           {u"B"_s, &input.detected},
                                                           {u"MIN"_s, &input.minRadius},
                                                           {u"MAX"_s, &input.maxRadius},
                                                           {u"T"_s, &input.time},
                                                           {u"L"_s, &input.level}}};
    for (const auto& [token, number] : numbers)
        if (!readNumber(record, token, *number))
            return std::nullopt;
    return input;
}

std::optional<ActionInput> actionInput(const model::CatalogueRecord& record)
{
    ActionInput input;
    input.value = record.values.value(u"V"_s);
    input.valueCode = record.values.value(u"VC"_s);
    if (!readNumber(record, u"G"_s, input.group) || !readNumber(record, u"T"_s, input.target))
        return std::nullopt;
    return input;
}

std::optional<Condition> remakeCondition(const model::CatalogueRecord& record)
{
    const ConditionItem* item = conditionItem(record.item);
    const std::optional<ConditionInput> input = conditionInput(record);
    if (!item || !input)
        return std::nullopt;
    try {
        return buildCondition(*item, *input);
    } catch (const io::Error&) {
        return std::nullopt; // a time of 0 where the game divides by it
    }
}

std::optional<Action> remakeAction(const model::CatalogueRecord& record)
{
    const ActionItem* item = actionItem(record.item);
    const std::optional<ActionInput> input = actionInput(record);
    if (!item || !input)
        return std::nullopt;
    return buildAction(*item, *input);
}

void remakeRecordedTexts(model::StageData& stage)
{
    for (size_t r = 1; r <= size_t(model::kMaxEventRows); ++r) {
        const model::EventRowData& row = std::as_const(stage.EventRow)[r];
        bool recorded = !row.CondRecord.isEmpty();
        for (size_t c = 1; c <= size_t(kColumns); ++c)
            recorded = recorded || !row.ActionRecord[c].isEmpty();
        if (!recorded)
            continue;
        model::EventRowData& edited = stage.EventRow[r];
        if (edited.Kind == kEventKind && !edited.CondRecord.isEmpty()) {
            QStringList captions;
            QStringList codes;
            for (const model::CatalogueRecord& part : std::as_const(edited.CondRecord)) {
                const std::optional<Condition> condition = remakeCondition(part);
                if (!condition)
                    break;
                captions << condition->caption;
                codes << condition->code;
            }
            if (captions.size() == edited.CondRecord.size()) {
                edited.CondText = captions.join(u" и "_s);
                edited.CondCode = codes.join(u'&');
            }
        }
        for (size_t c = 1; c <= size_t(kColumns); ++c) {
            if (edited.ActionRecord[c].isEmpty() || (edited.ActionText[c].isEmpty() && edited.ActionCode[c].isEmpty()))
                continue;
            if (const std::optional<Action> action = remakeAction(edited.ActionRecord[c])) {
                edited.ActionText[c] = action->caption;
                edited.ActionCode[c] = action->code;
            }
        }
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

} // namespace kestrava::events
