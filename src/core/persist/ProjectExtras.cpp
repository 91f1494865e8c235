#include "persist/ProjectExtras.h"

#include "catalogue/Item.h"
#include "catalogue/Records.h"
#include "catalogue/Variables.h"
#include "io/Error.h"
#include "io/JsonTape.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "objects/BarObjectFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <algorithm>
#include <array>
#include <cmath>
#include <type_traits>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {
namespace {

const QString kFormat = u"kestrava-project-extras"_s;
constexpr int kVersion = 1;

// Field names, shared by the writer and the reader.
const QString kFormatKey = u"format"_s;
const QString kVersionKey = u"version"_s;
const QString kHashKey = u"projectSha256"_s;
const QString kStagesKey = u"stages"_s;
const QString kScreenKey = u"screen"_s;
const QString kSuiteKey = u"suite"_s;
const QString kVendorKey = u"vendor"_s;
const QString kSuiteVersionKey = u"version"_s;
const QString kDescriptionKey = u"description"_s;
const QString kBudgetKey = u"budget"_s;
const QString kJarKey = u"jarKB"_s;
const QString kHeapKey = u"heapKB"_s;
const QString kGridKey = u"levelGrid"_s;
const QString kGridShownKey = u"shown"_s;
const QString kGridSnapKey = u"snap"_s;
const QString kVariablesKey = u"variables"_s;
const QString kNextKey = u"next"_s;
const QString kListKey = u"list"_s;
const QString kIdKey = u"id"_s;
const QString kNameKey = u"name"_s;
const QString kStartKey = u"start"_s;
const QString kPerStageKey = u"perStage"_s;
const QString kTitleKey = u"title"_s;
const QString kSoundsKey = u"sounds"_s;
const QString kNumberKey = u"number"_s;
const QString kKindKey = u"kind"_s;
const QString kFileKey = u"file"_s;
const QString kNotesKey = u"notes"_s;
const QString kTempoKey = u"tempo"_s;
const QString kStageKey = u"stage"_s;
const QString kTypesKey = u"movementTypes"_s;
const QString kMadeKey = u"madeObjects"_s;
const QString kMotionKey = u"motion"_s;
const QString kTouchKey = u"touchButtons"_s;
// The fields of a group's motion, as the model holds them.
struct MotionField {
    QString key;
    int model::MotionData::*value;
    int least;
};
const MotionField kMotionFields[] = {{u"speed"_s, &model::MotionData::Speed, 0},
                                     {u"accel"_s, &model::MotionData::Accel, 0},
                                     {u"brake"_s, &model::MotionData::Brake, 0},
                                     {u"gravity"_s, &model::MotionData::Gravity, 0},
                                     {u"maxFall"_s, &model::MotionData::MaxFall, 1},
                                     {u"jump"_s, &model::MotionData::Jump, 0}};
const QString kBarKey = u"livesBar"_s;
const QString kPathsKey = u"paths"_s;
const QString kObjectKey = u"object"_s;
const QString kPointsKey = u"points"_s;
const QString kXKey = u"x"_s;
const QString kYKey = u"y"_s;
const QString kPictureKey = u"picture"_s;
const QString kWidthKey = u"width"_s;
const QString kHeightKey = u"height"_s;
const QString kDirectionKey = u"direction"_s;
const QString kEventsKey = u"events"_s;
const QString kRowsKey = u"rows"_s;
const QString kListsKey = u"objects"_s;
const QString kRowKey = u"row"_s;
const QString kColumnKey = u"column"_s;
const QString kRecordsKey = u"records"_s;
const QString kItemsKey = u"items"_s;
const QString kItemKey = u"item"_s;
const QString kValuesKey = u"values"_s;
// What a record may hold: the tokens of the catalogue templates.
// Longer than anything the dialogs make, short of a hostile file's worth.
constexpr qsizetype kMaxRecordText = 4000;
constexpr qsizetype kMaxConditionParts = 64;

int bounded(int count, int max) { return std::clamp(count, 0, max); }

QByteArray sha256Hex(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QString stagePlace(int level) { return u"этап %1"_s.arg(level); }
QString barPlace(int level) { return stagePlace(level) + u", полоса жизней"_s; }
QString objectPlace(int level, int object) { return stagePlace(level) + u", активный объект %1"_s.arg(object); }
QString listPlace(int level, int row, int column)
{
    return stagePlace(level)
           + (column == 0 ? u", строка событий %1, условие"_s.arg(row)
                          : u", строка событий %1, действие %2"_s.arg(row).arg(column));
}

// Object numbers become loop variables of the generated game ("kr" + N), so
// only plain decimal numbers are taken.
bool isObjectNumber(const QString& text)
{
    return !text.isEmpty() && text.size() <= 9
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

using ObjectSlots = std::array<QString, model::kMaxObjectRefs + 1>;

// What the reader refuses in a lives bar; empty when it is fine.
QString barProblem(const model::LivesBarData& bar)
{
    for (const auto& [value, what] : {std::pair{bar.Width, u"ширина"_s}, std::pair{bar.Height, u"высота"_s}})
        if (value < 1 || value > model::kMaxPictureSide)
            return u"%1 = %2, а допускается от 1 до %3"_s.arg(what).arg(value).arg(model::kMaxPictureSide);
    if (const QString problem = objects::BarObjectFile::directionProblem(bar.Direction); !problem.isEmpty())
        return problem;
    // The picture is looked up in the objects folders; a name with a folder
    // in it would reach outside them.
    if (!bar.BmpName.isEmpty() && !io::isPlainFileName(bar.BmpName))
        return u"имя рисунка «%1» недопустимо"_s.arg(io::excerpt(bar.BmpName));
    return QString();
}

// ---- writing ----

// One line of the document: Qt escapes the values, the layout around them is ours.
QByteArray compact(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }
QByteArray compact(const QJsonArray& a) { return QJsonDocument(a).toJson(QJsonDocument::Compact); }

// The many small values of a large project (paths, object lists) are written
// here directly, exactly as Qt's compact form has them: a document per value
// made saving the largest project cost many times more than the rest.
void appendNumber(QByteArray& out, int value)
{
    out += QByteArray::number(value);
}

void appendString(QByteArray& out, const QString& text)
{
    const bool plain = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7F && c != u'"' && c != u'\\';
    });
    if (plain) {
        out += '"';
        out += text.toLatin1();
        out += '"';
        return;
    }
    const QByteArray quoted = compact(QJsonArray{text}); // ["..."]: Qt's own escaping
    out += quoted.mid(1, quoted.size() - 2);
}

// ["1","2"]: the filled slots of an object list.
void appendSlots(QByteArray& out, const ObjectSlots& list)
{
    out += '[';
    bool first = true;
    for (int k = 1; k <= model::kMaxObjectRefs; ++k) {
        if (list[size_t(k)].isEmpty())
            continue;
        if (!first)
            out += ',';
        first = false;
        appendString(out, list[size_t(k)]);
    }
    out += ']';
}

bool hasSlots(const ObjectSlots& list)
{
    return std::any_of(list.begin() + 1, list.end(), [](const QString& s) { return !s.isEmpty(); });
}

QByteArray stageEntry(const model::StageData& s, int level, const QString& extrasFile)
{
    QByteArray out = "    {\n      \"stage\": " + QByteArray::number(level) + ",\n      \"movementTypes\": [";
    for (int g = 1; g <= bounded(s.ActiveGroupCount, model::kMaxActiveGroups); ++g) {
        if (g > 1)
            out += ',';
        appendNumber(out, static_cast<int>(s.ActiveType[size_t(g)]));
    }
    out += ']';
    // Only where the author set one: files of projects that never did stay as they were.
    const int groups = bounded(s.ActiveGroupCount, model::kMaxActiveGroups);
    if (std::any_of(s.MadeObjects.begin() + 1, s.MadeObjects.begin() + 1 + groups, [](int n) { return n != 0; })) {
        out += ",\n      \"madeObjects\": [";
        for (int g = 1; g <= groups; ++g) {
            if (g > 1)
                out += ',';
            appendNumber(out, s.MadeObjects[size_t(g)]);
        }
        out += ']';
    }
    if (std::any_of(s.Motion.begin() + 1, s.Motion.begin() + 1 + groups,
                    [](const model::MotionData& m) { return m != model::MotionData{}; })) {
        out += ",\n      \"motion\": [";
        for (int g = 1; g <= groups; ++g) {
            if (g > 1)
                out += ',';
            QJsonObject o;
            for (const MotionField& f : kMotionFields)
                o.insert(f.key, s.Motion[size_t(g)].*f.value);
            out += compact(o);
        }
        out += ']';
    }

    if (s.LivesBar.Present) {
        const model::LivesBarData& bar = s.LivesBar;
        if (const QString problem = barProblem(bar); !problem.isEmpty())
            throw io::Error::inFile(extrasFile, barPlace(level) + u": "_s + problem + u"; файлы проекта не записаны"_s);
        const QJsonObject o{{kXKey, bar.X},           {kYKey, bar.Y},
                            {kPictureKey, bar.BmpName}, {kWidthKey, bar.Width},
                            {kHeightKey, bar.Height},   {kDirectionKey, bar.Direction}};
        out += ",\n      \"livesBar\": " + compact(o);
    }

    bool anyPath = false;
    for (int i = 1; i <= bounded(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
        const model::ActiveObjectData& o = s.ActiveObject[size_t(i)];
        const int count = bounded(o.PathCount, model::kMaxPathPoints);
        if (count == 0)
            continue;
        out += anyPath ? ",\n        {\"object\":" : ",\n      \"paths\": [\n        {\"object\":";
        anyPath = true;
        appendNumber(out, i);
        out += ",\"points\":[";
        for (int k = 1; k <= count; ++k) {
            out += k > 1 ? ",[" : "[";
            appendNumber(out, o.Path[size_t(k)].X);
            out += ',';
            appendNumber(out, o.Path[size_t(k)].Y);
            out += ']';
        }
        out += "]}";
    }
    if (anyPath)
        out += "\n      ]";

    // The rows on the sheet and the object lists of conditions and actions:
    // the generated game opens a loop per listed object.
    QByteArray lists;
    for (int r = 1; r <= model::kMaxEventRows; ++r) {
        const model::EventRowData& row = s.EventRow[size_t(r)];
        for (int c = 0; c <= model::kMaxActions; ++c) {
            const ObjectSlots& objects = c == 0 ? row.CondObjects : row.ActionObjects[size_t(c)];
            if (!hasSlots(objects))
                continue;
            lists += lists.isEmpty() ? "          {\"column\":" : ",\n          {\"column\":";
            appendNumber(lists, c);
            lists += ",\"objects\":";
            appendSlots(lists, objects);
            lists += ",\"row\":";
            appendNumber(lists, r);
            lists += '}';
        }
    }
    // The catalogue items conditions and actions were made from.
    QByteArray records;
    for (int r = 1; r <= model::kMaxEventRows; ++r) {
        const model::EventRowData& row = s.EventRow[size_t(r)];
        for (int c = 0; c <= model::kMaxActions; ++c) {
            const QList<model::CatalogueRecord> items =
                c == 0 ? row.CondRecord
                       : (row.ActionRecord[size_t(c)].isEmpty() ? QList<model::CatalogueRecord>{}
                                                                : QList<model::CatalogueRecord>{row.ActionRecord[size_t(c)]});
            if (items.isEmpty())
                continue;
            QJsonArray entries;
            for (const model::CatalogueRecord& item : items) {
                QJsonObject values;
                for (auto it = item.values.cbegin(); it != item.values.cend(); ++it)
                    values.insert(it.key(), it.value());
                entries.append(QJsonObject{{kItemKey, item.item}, {kValuesKey, values}});
            }
            records += records.isEmpty() ? "          " : ",\n          ";
            records += compact(QJsonObject{{kRowKey, r}, {kColumnKey, c}, {kItemsKey, entries}});
        }
    }
    // Opening shows every row the project file holds unless told otherwise.
    const int rows = bounded(s.EventCurRow, model::kMaxEventRows);
    const bool fewerRows = rows != bounded(s.EventCount, model::kMaxEventRows);
    if (fewerRows || !lists.isEmpty() || !records.isEmpty()) {
        QList<QByteArray> fields;
        if (fewerRows)
            fields.append("\"rows\": " + QByteArray::number(rows));
        if (!lists.isEmpty())
            fields.append("\"objects\": [\n" + lists + "\n        ]");
        if (!records.isEmpty())
            fields.append("\"records\": [\n" + records + "\n        ]");
        out += ",\n      \"events\": {" + fields.join(", ") + "}";
    }
    return out + "\n    }";
}

// ---- reading ----

struct StageExtras {
    int level = 0;
    std::vector<model::MovementType> types; // groups 1..n
    std::vector<int> made;                  // groups 1..n, or none
    std::vector<model::MotionData> motion;  // groups 1..n, or none
    std::optional<model::LivesBarData> bar;
    std::vector<std::pair<int, std::vector<model::PathPoint>>> paths; // object, points
    std::optional<int> eventRows;
    struct List {
        int row = 0;
        int column = 0; // 0: the condition
        ObjectSlots objects;
    };
    std::vector<List> lists;
    struct Records {
        int row = 0;
        int column = 0;
        QList<model::CatalogueRecord> items;
    };
    std::vector<Records> records;
};

using Json = io::JsonTape::Value;

// A value as it stands in the file, for messages.
QString shown(const Json& v)
{
    return io::excerpt(QString::fromUtf8(v.raw()));
}

bool asInt32(const Json& v, int* out)
{
    if (!v.isNumber())
        return false;
    const double d = v.number();
    if (!std::isfinite(d) || d != std::trunc(d) || d < double(std::numeric_limits<int>::min())
        || d > double(std::numeric_limits<int>::max()))
        return false;
    *out = static_cast<int>(d);
    return true;
}

// Where in the file a value sits, worded only when something is wrong there:
// the largest project holds tens of thousands of places.
// Only ever a parameter: it refers to what it was made from.
class Where {
public:
    Where(const QString& text) : m_text(&text) {}
    template <class Make>
        requires std::is_invocable_r_v<QString, Make>
    Where(const Make& make)
        : m_make(&make), m_call([](const void* f) { return (*static_cast<const Make*>(f))(); })
    {
    }
    QString text() const { return m_text ? *m_text : m_call(m_make); }

private:
    const QString* m_text = nullptr;
    const void* m_make = nullptr;
    QString (*m_call)(const void*) = nullptr;
};

// Checks the whole document against the project just read, before anything
// of it is applied.
class ExtrasReader {
public:
    ExtrasReader(const model::Project& project, QString path) : m_project(project), m_path(std::move(path)) {}

    // The document's header; false when it was written with other project bytes.
    bool matches(const Json& root, const QByteArray& projectHash)
    {
        const std::optional<Json> format = root.member(kFormatKey);
        if (!format || !format->isString(kFormat))
            fail(QString(), u"это не файл дополнений проекта: поле «format» должно быть «%1», а записано %2"_s.arg(
                                kFormat, format ? shown(*format) : u"ничего"_s));
        const int version = integer(root, kVersionKey, QString());
        if (version != kVersion)
            fail(QString(), u"версия файла %1 не поддерживается; эта программа читает версию %2"_s.arg(version).arg(
                                kVersion));
        onlyFields(root,
                   {kFormatKey, kVersionKey, kHashKey, kScreenKey, kSuiteKey, kBudgetKey, kGridKey, kVariablesKey,
                    kTitleKey, kSoundsKey, kTouchKey, kStagesKey},
                   QString());
        const QString hash = string(root, kHashKey, QString());
        const bool hex = hash.size() == 64 && std::all_of(hash.begin(), hash.end(), [](QChar c) {
                             return (c >= u'0' && c <= u'9') || (c.toLower() >= u'a' && c.toLower() <= u'f');
                         });
        if (!hex)
            fail(QString(), u"поле «%1» должно содержать 64 шестнадцатеричные цифры, а записано «%2»"_s.arg(kHashKey,
                                                                                                            io::excerpt(hash)));
        return hash.toLower().toLatin1() == projectHash;
    }

    // The game's screen; none for a file written before it was kept.
    std::optional<model::ScreenSize> screen(const Json& root)
    {
        const QString where = u"настройки игры"_s;
        const std::optional<Json> o = optionalObject(root, kScreenKey, where, {kWidthKey, kHeightKey});
        if (!o)
            return std::nullopt;
        const model::ScreenSize size{integer(*o, kWidthKey, where), integer(*o, kHeightKey, where)};
        if (const QString problem = model::gameScreenProblem(size); !problem.isEmpty())
            fail(where, problem);
        return size;
    }

    // What the jad says of the game; none for a file without it.
    std::optional<model::GameSuiteData> suite(const Json& root)
    {
        const QString where = u"свойства игры"_s;
        const std::optional<Json> o =
            optionalObject(root, kSuiteKey, where, {kVendorKey, kSuiteVersionKey, kDescriptionKey});
        if (!o)
            return std::nullopt;
        model::GameSuiteData suite;
        const auto text = [&](const QString& key) { return o->member(key) ? string(*o, key, where) : QString(); };
        suite.Vendor = text(kVendorKey);
        suite.Version = text(kSuiteVersionKey);
        suite.Description = text(kDescriptionKey);
        if (const QString problem = model::gameSuiteProblem(suite); !problem.isEmpty())
            fail(where, problem);
        return suite;
    }

    // The author's own handset budget; none for a file without it.
    std::optional<model::GameBudgetData> budget(const Json& root)
    {
        const QString where = u"настройки игры"_s;
        const std::optional<Json> o = optionalObject(root, kBudgetKey, where, {kJarKey, kHeapKey});
        if (!o)
            return std::nullopt;
        const model::GameBudgetData budget{integer(*o, kJarKey, where), integer(*o, kHeapKey, where)};
        if (const QString problem = model::gameBudgetProblem(budget); !problem.isEmpty())
            fail(where, problem);
        return budget;
    }

    // The level map's grid; none for a file without it.
    std::optional<model::LevelGridData> grid(const Json& root)
    {
        const QString where = u"сетка карты"_s;
        const std::optional<Json> o = optionalObject(root, kGridKey, where, {kGridShownKey, kGridSnapKey});
        if (!o)
            return std::nullopt;
        const auto flag = [&](const QString& key) {
            const int value = integer(*o, key, where);
            if (value != 0 && value != 1)
                fail(where, u"поле «%1» должно быть 0 или 1, а записано %2"_s.arg(key).arg(value));
            return value == 1;
        };
        return model::LevelGridData{flag(kGridShownKey), flag(kGridSnapKey)};
    }

    // The author's variables and the next id to give; none for a file without them.
    std::optional<std::pair<QList<model::GameVariableData>, int>> variables(const Json& root)
    {
        const QString where = u"переменные"_s;
        const std::optional<Json> o = optionalObject(root, kVariablesKey, where, {kNextKey, kListKey});
        if (!o)
            return std::nullopt;
        QList<model::GameVariableData> list;
        int n = 0;
        array(*o, kListKey, where).elements([&](const Json& entry) {
            const QString place = u"переменные, запись %1"_s.arg(++n);
            if (!entry.isObject())
                fail(place, u"ожидался объект, а записано %1"_s.arg(shown(entry)));
            onlyFields(entry, {kIdKey, kNameKey, kStartKey, kPerStageKey}, place);
            model::GameVariableData v;
            v.Id = integer(entry, kIdKey, place);
            v.Name = string(entry, kNameKey, place);
            v.Start = integer(entry, kStartKey, place);
            const int perStage = integer(entry, kPerStageKey, place);
            if (perStage != 0 && perStage != 1)
                fail(place, u"поле «%1» должно быть 0 или 1, а записано %2"_s.arg(kPerStageKey).arg(perStage));
            v.PerStage = perStage == 1;
            list.append(v);
        });
        if (const QString problem = catalogue::variablesProblem(list); !problem.isEmpty())
            fail(where, problem);
        const int next = integer(*o, kNextKey, where);
        for (const model::GameVariableData& v : list)
            if (v.Id >= next)
                fail(where, u"поле «%1» = %2, а у переменной «%3» номер %4"_s.arg(kNextKey).arg(next).arg(v.Name).arg(v.Id));
        return std::pair{list, next};
    }

    // The title screen; none for a file without it.
    std::optional<model::TitleScreenData> title(const Json& root)
    {
        const QString where = u"заставка"_s;
        const std::optional<Json> o = optionalObject(root, kTitleKey, where, {kNameKey, kPictureKey});
        if (!o)
            return std::nullopt;
        model::TitleScreenData title;
        title.Name = string(*o, kNameKey, where);
        if (o->member(kPictureKey))
            title.Picture = string(*o, kPictureKey, where);
        if (const QString problem = model::titleScreenProblem(title); !problem.isEmpty())
            fail(where, problem);
        return title;
    }

    // The project's sounds; none for a file without them.
    std::vector<model::SoundData> sounds(const Json& root)
    {
        std::vector<model::SoundData> result;
        if (!root.member(kSoundsKey))
            return result;
        const Json list = array(root, kSoundsKey, QString());
        if (list.size() > model::kMaxSounds)
            fail(u"звуки проекта"_s, u"звуков %1, а допускается не более %2"_s.arg(list.size()).arg(model::kMaxSounds));
        qsizetype n = 0;
        list.elements([&](const Json& entry) {
            const QString where = u"поле «sounds», запись %1"_s.arg(++n);
            if (!entry.isObject())
                fail(where, u"ожидался объект, а записано %1"_s.arg(shown(entry)));
            onlyFields(entry, {kNumberKey, kNameKey, kKindKey, kFileKey, kNotesKey, kTempoKey}, where);
            model::SoundData sound;
            sound.Number = integer(entry, kNumberKey, where);
            sound.Name = string(entry, kNameKey, where);
            const QString kind = string(entry, kKindKey, where);
            if (kind == u"wav"_s)
                sound.Kind = model::SoundKind::Wave;
            else if (kind == u"midi"_s)
                sound.Kind = model::SoundKind::Midi;
            else if (kind == u"melody"_s)
                sound.Kind = model::SoundKind::Melody;
            else
                fail(where, u"поле «kind» должно быть wav, midi или melody, а записано «%1»"_s.arg(io::excerpt(kind)));
            if (sound.Kind == model::SoundKind::Melody) {
                sound.Notes = string(entry, kNotesKey, where);
                sound.Tempo = integer(entry, kTempoKey, where);
            } else {
                sound.File = string(entry, kFileKey, where);
            }
            if (const QString problem = model::soundProblem(sound); !problem.isEmpty())
                fail(where, problem);
            if (model::findSound(result, sound.Number))
                fail(where, u"звук %1 записан дважды"_s.arg(sound.Number));
            result.push_back(std::move(sound));
        });
        return result;
    }

    // "Экранные кнопки для сенсорных телефонов"; off for a file without it.
    bool touchButtons(const Json& root)
    {
        if (!root.member(kTouchKey))
            return false;
        const int value = integer(root, kTouchKey, QString());
        if (value != 0 && value != 1)
            fail(QString(), u"поле «%1» должно быть 0 или 1, а записано %2"_s.arg(kTouchKey).arg(value));
        return value == 1;
    }

    std::vector<StageExtras> stages(const Json& root)
    {
        std::vector<StageExtras> result;
        std::vector<bool> seen(size_t(m_project.LevelCount) + 1, false);
        qsizetype n = 0;
        array(root, kStagesKey, QString()).elements([&](const Json& entry) {
            const auto where = [n] { return u"поле «stages», запись %1"_s.arg(n + 1); };
            ++n;
            if (!entry.isObject())
                fail(where(), u"ожидался объект, а записано %1"_s.arg(shown(entry)));
            const int level = integer(entry, kStageKey, where);
            if (level < 1 || level > m_project.LevelCount)
                fail(stagePlace(level), u"такого этапа в проекте нет (этапов %1)"_s.arg(m_project.LevelCount));
            if (seen[size_t(level)])
                fail(stagePlace(level), u"этап записан дважды"_s);
            seen[size_t(level)] = true;
            result.push_back(stage(entry, level));
        });
        return result;
    }

private:
    StageExtras stage(const Json& entry, int level)
    {
        const QString where = stagePlace(level);
        const model::StageData& s = m_project.stage(level);
        onlyFields(entry, {kStageKey, kTypesKey, kMadeKey, kMotionKey, kBarKey, kPathsKey, kEventsKey}, where);
        StageExtras result;
        result.level = level;

        const Json types = array(entry, kTypesKey, where);
        if (types.size() != s.ActiveGroupCount)
            fail(where, u"типов движения %1, а активных групп в проекте %2"_s.arg(types.size()).arg(s.ActiveGroupCount));
        types.elements([&](const Json& type) {
            const size_t g = result.types.size();
            const int value = asInteger(type, where, [g] { return u"тип движения группы %1"_s.arg(g + 1); });
            if (value < 0 || value > model::kMaxMovementType)
                fail(where, u"тип движения группы %1 = %2, а допускается от 0 до %3"_s.arg(g + 1).arg(value).arg(
                                model::kMaxMovementType));
            result.types.push_back(model::MovementType(value));
        });

        if (entry.member(kMadeKey)) {
            const Json made = array(entry, kMadeKey, where);
            if (made.size() != s.ActiveGroupCount)
                fail(where, u"наибольших чисел объектов %1, а активных групп в проекте %2"_s.arg(made.size()).arg(
                                s.ActiveGroupCount));
            made.elements([&](const Json& n) {
                const size_t g = result.made.size();
                const auto what = [g] { return u"наибольшее число объектов группы %1"_s.arg(g + 1); };
                const int value = asInteger(n, where, what);
                if (value < 0 || value > model::kMaxMadeObjects)
                    fail(where, u"%1 = %2, а допускается от 1 до %3 (0 — по умолчанию)"_s.arg(what()).arg(value).arg(
                                    model::kMaxMadeObjects));
                result.made.push_back(value);
            });
        }

        if (entry.member(kMotionKey)) {
            const Json motion = array(entry, kMotionKey, where);
            if (motion.size() != s.ActiveGroupCount)
                fail(where, u"настроек движения %1, а активных групп в проекте %2"_s.arg(motion.size()).arg(
                                s.ActiveGroupCount));
            motion.elements([&](const Json& o) {
                const QString place = where + u", движение группы %1"_s.arg(result.motion.size() + 1);
                if (!o.isObject())
                    fail(place, u"ожидался объект, а записано %1"_s.arg(shown(o)));
                onlyFields(o, {kMotionFields[0].key, kMotionFields[1].key, kMotionFields[2].key, kMotionFields[3].key,
                               kMotionFields[4].key, kMotionFields[5].key},
                           place);
                model::MotionData m;
                for (const MotionField& f : kMotionFields) {
                    const int value = integer(o, f.key, place);
                    if (value < f.least || value > model::kMaxMotion)
                        fail(place, u"поле «%1» = %2, а допускается от %3 до %4"_s.arg(f.key).arg(value).arg(f.least).arg(
                                        model::kMaxMotion));
                    m.*f.value = value;
                }
                result.motion.push_back(m);
            });
        }

        if (entry.member(kBarKey))
            result.bar = bar(entry, level);

        if (entry.member(kPathsKey)) {
            std::vector<bool> seen(size_t(s.ActiveObjCount) + 1, false);
            qsizetype n = 0;
            array(entry, kPathsKey, where).elements([&](const Json& path) {
                const auto pathWhere = [&, n] { return where + u", путь %1"_s.arg(n + 1); };
                ++n;
                if (!path.isObject())
                    fail(pathWhere(), u"ожидался объект, а записано %1"_s.arg(shown(path)));
                const int object = integer(path, kObjectKey, pathWhere);
                const auto objectWhere = [&] { return objectPlace(level, object); };
                if (object < 1 || object > s.ActiveObjCount)
                    fail(objectWhere(), u"такого объекта в проекте нет"_s);
                if (seen[size_t(object)])
                    fail(objectWhere(), u"путь объекта записан дважды"_s);
                seen[size_t(object)] = true;
                onlyFields(path, {kObjectKey, kPointsKey}, objectWhere);
                result.paths.emplace_back(object, points(array(path, kPointsKey, objectWhere), objectWhere));
            });
        }
        if (entry.member(kEventsKey))
            events(entry, level, result);
        return result;
    }

    void events(const Json& entry, int level, StageExtras& result)
    {
        const QString where = stagePlace(level) + u", лист событий"_s;
        const Json o = *entry.member(kEventsKey);
        if (!o.isObject())
            fail(where, u"ожидался объект, а записано %1"_s.arg(shown(o)));
        onlyFields(o, {kRowsKey, kListsKey, kRecordsKey}, where);
        if (o.member(kRecordsKey))
            records(o, level, where, result);
        if (o.member(kRowsKey)) {
            const int events = m_project.stage(level).EventCount;
            const int rows = integer(o, kRowsKey, where);
            if (rows < 0 || rows > events)
                fail(where, u"строк на листе %1, а в файле проекта их %2"_s.arg(rows).arg(events));
            result.eventRows = rows;
        }
        if (!o.member(kListsKey))
            return;
        std::vector<bool> seen(size_t(model::kMaxEventRows + 1) * (model::kMaxActions + 1), false);
        qsizetype n = 0;
        array(o, kListsKey, where).elements([&](const Json& list) {
            const auto listWhere = [&, n] { return where + u", список объектов %1"_s.arg(n + 1); };
            ++n;
            if (!list.isObject())
                fail(listWhere(), u"ожидался объект, а записано %1"_s.arg(shown(list)));
            onlyFields(list, {kRowKey, kColumnKey, kListsKey}, listWhere);
            StageExtras::List entryList;
            entryList.row = integer(list, kRowKey, listWhere);
            entryList.column = integer(list, kColumnKey, listWhere);
            if (entryList.row < 1 || entryList.row > model::kMaxEventRows)
                fail(listWhere(), u"строки %1 не бывает (строки 1..%2)"_s.arg(entryList.row).arg(model::kMaxEventRows));
            if (entryList.column < 0 || entryList.column > model::kMaxActions)
                fail(listWhere(), u"столбца %1 не бывает (0 — условие, действия 1..%2)"_s.arg(entryList.column).arg(
                                      model::kMaxActions));
            const auto place = [&] { return listPlace(level, entryList.row, entryList.column); };
            const size_t key = size_t(entryList.row) * (model::kMaxActions + 1) + size_t(entryList.column);
            if (seen[key])
                fail(place(), u"список объектов записан дважды"_s);
            seen[key] = true;
            const Json objects = array(list, kListsKey, place);
            if (objects.size() > model::kMaxObjectRefs)
                fail(place(), u"объектов %1, а допускается не более %2"_s.arg(objects.size()).arg(model::kMaxObjectRefs));
            size_t k = 0;
            objects.elements([&](const Json& object) {
                const QString number = object.string();
                if (!object.isString() || !isObjectNumber(number))
                    fail(place(), u"номер объекта должен быть строкой из цифр, а записано %1"_s.arg(shown(object)));
                entryList.objects[++k] = number;
            });
            result.lists.push_back(entryList);
        });
    }

    // The catalogue records of conditions and actions: each for a cell that
    // holds something, at most once.
    void records(const Json& o, int level, const QString& where, StageExtras& result)
    {
        const model::StageData& s = m_project.stage(level);
        std::vector<bool> seen(size_t(model::kMaxEventRows + 1) * (model::kMaxActions + 1), false);
        qsizetype n = 0;
        array(o, kRecordsKey, where).elements([&](const Json& entry) {
            const auto entryWhere = [&, n] { return where + u", запись каталога %1"_s.arg(n + 1); };
            ++n;
            if (!entry.isObject())
                fail(entryWhere(), u"ожидался объект, а записано %1"_s.arg(shown(entry)));
            onlyFields(entry, {kRowKey, kColumnKey, kItemsKey}, entryWhere);
            StageExtras::Records records;
            records.row = integer(entry, kRowKey, entryWhere);
            records.column = integer(entry, kColumnKey, entryWhere);
            if (records.row < 1 || records.row > model::kMaxEventRows || records.column < 0
                || records.column > model::kMaxActions)
                fail(entryWhere(), u"клетки (строка %1, столбец %2) на листе не бывает"_s.arg(records.row).arg(
                                       records.column));
            const auto place = [&] { return listPlace(level, records.row, records.column); };
            const model::EventRowData& row = s.EventRow[size_t(records.row)];
            const bool filled = records.column == 0 ? row.Kind == u"event"_s
                                                    : !row.ActionText[size_t(records.column)].isEmpty()
                                                          || !row.ActionCode[size_t(records.column)].isEmpty();
            if (!filled)
                fail(place(), u"запись каталога для пустой клетки"_s);
            const size_t key = size_t(records.row) * (model::kMaxActions + 1) + size_t(records.column);
            if (seen[key])
                fail(place(), u"запись каталога записана дважды"_s);
            seen[key] = true;
            const Json items = array(entry, kItemsKey, place);
            const qsizetype most = records.column == 0 ? kMaxConditionParts : 1;
            if (items.size() < 1 || items.size() > most)
                fail(place(), u"элементов каталога %1, а допускается от 1 до %2"_s.arg(items.size()).arg(most));
            items.elements([&](const Json& item) { records.items.append(record(item, place)); });
            result.records.push_back(std::move(records));
        });
    }

    model::CatalogueRecord record(const Json& item, const Where& where)
    {
        if (!item.isObject())
            fail(where.text(), u"ожидался объект, а записано %1"_s.arg(shown(item)));
        onlyFields(item, {kItemKey, kValuesKey}, where);
        model::CatalogueRecord record;
        record.item = string(item, kItemKey, where);
        if (record.item.isEmpty() || record.item.size() > kMaxRecordText)
            fail(where.text(), u"элемент каталога не назван"_s);
        const Json values = field(item, kValuesKey, where);
        if (!values.isObject())
            fail(where.text(), u"поле «%1» должно быть объектом, а записано %2"_s.arg(kValuesKey, shown(values)));
        values.members([&](const Json& name, const Json& value) {
            const QString token = name.string();
            if (!catalogue::isToken(token))
                fail(where.text(), u"неизвестное значение «%1»"_s.arg(io::excerpt(token)));
            if (!value.isString() || value.string().size() > kMaxRecordText)
                fail(where.text(), u"значение «%1» должно быть строкой, а записано %2"_s.arg(token, shown(value)));
            if (record.values.contains(token))
                fail(where.text(), u"значение «%1» записано дважды"_s.arg(token));
            record.values.insert(token, value.string());
        });
        return record;
    }

    model::LivesBarData bar(const Json& entry, int level)
    {
        const QString where = barPlace(level);
        const Json o = *entry.member(kBarKey);
        if (!o.isObject())
            fail(where, u"ожидался объект, а записано %1"_s.arg(shown(o)));
        onlyFields(o, {kXKey, kYKey, kPictureKey, kWidthKey, kHeightKey, kDirectionKey}, where);
        model::LivesBarData bar;
        bar.X = integer(o, kXKey, where);
        bar.Y = integer(o, kYKey, where);
        bar.BmpName = string(o, kPictureKey, where);
        bar.Width = integer(o, kWidthKey, where);
        bar.Height = integer(o, kHeightKey, where);
        bar.Direction = string(o, kDirectionKey, where);
        bar.Present = true;
        if (const QString problem = barProblem(bar); !problem.isEmpty())
            fail(where, problem);
        return bar;
    }

    std::vector<model::PathPoint> points(const Json& list, const Where& where)
    {
        const qsizetype count = list.size();
        if (count > model::kMaxPathPoints)
            fail(where.text(), u"точек пути %1, а допускается не более %2"_s.arg(count).arg(model::kMaxPathPoints));
        std::vector<model::PathPoint> result;
        result.reserve(size_t(count));
        list.elements([&](const Json& point) {
            model::PathPoint p;
            int coordinates = 0;
            bool ok = point.isArray();
            if (ok)
                point.elements([&](const Json& c) {
                    ++coordinates;
                    ok = ok && coordinates <= 2 && asInt32(c, coordinates == 1 ? &p.X : &p.Y);
                });
            if (!ok || coordinates != 2)
                fail(where.text() + u", точка %1"_s.arg(result.size() + 1),
                     u"ожидалась пара целых чисел [x, y] в пределах 32 бит, а записано %1"_s.arg(shown(point)));
            result.push_back(p);
        });
        return result;
    }

    [[noreturn]] void fail(const QString& where, const QString& what) const
    {
        throw io::Error::inFile(m_path, where.isEmpty() ? what : where + u": "_s + what);
    }

    Json field(const Json& o, const QString& key, const Where& where) const
    {
        const std::optional<Json> value = o.member(key);
        if (!value)
            fail(where.text(), u"нет поля «%1»"_s.arg(key));
        return *value;
    }

    int asInteger(const Json& v, const Where& where, const Where& what) const
    {
        int value = 0;
        if (!asInt32(v, &value))
            fail(where.text(),
                 u"%1 должно быть целым числом в пределах 32 бит, а записано %2"_s.arg(what.text(), shown(v)));
        return value;
    }

    int integer(const Json& o, const QString& key, const Where& where) const
    {
        return asInteger(field(o, key, where), where, [&] { return u"поле «%1»"_s.arg(key); });
    }

    QString string(const Json& o, const QString& key, const Where& where) const
    {
        const Json v = field(o, key, where);
        if (!v.isString())
            fail(where.text(), u"поле «%1» должно быть строкой, а записано %2"_s.arg(key, shown(v)));
        return v.string();
    }

    Json array(const Json& o, const QString& key, const Where& where) const
    {
        const Json v = field(o, key, where);
        if (!v.isArray())
            fail(where.text(), u"поле «%1» должно быть списком, а записано %2"_s.arg(key, shown(v)));
        return v;
    }

    // An object field that may be left out, holding only the fields `known`.
    std::optional<Json> optionalObject(const Json& o, const QString& key, const QString& where,
                                       std::initializer_list<QString> known) const
    {
        const std::optional<Json> value = o.member(key);
        if (!value)
            return std::nullopt;
        if (!value->isObject())
            fail(where, u"ожидался объект, а записано %1"_s.arg(shown(*value)));
        onlyFields(*value, known, where);
        return value;
    }

    // A misspelt field would otherwise drop its content without a word.
    void onlyFields(const Json& o, std::initializer_list<QString> known, const Where& where) const
    {
        o.members([&](const Json& name, const Json&) {
            if (std::none_of(known.begin(), known.end(), [&](const QString& k) { return name.isString(k); }))
                fail(where.text(), u"неизвестное поле «%1»"_s.arg(io::excerpt(name.string())));
        });
    }

    const model::Project& m_project;
    QString m_path;
};

void applyStages(model::Project& project, const std::vector<StageExtras>& stages)
{
    for (const StageExtras& e : stages) {
        model::StageData& s = project.stage(e.level);
        for (size_t g = 0; g < e.types.size(); ++g)
            s.ActiveType[g + 1] = e.types[g];
        std::fill(s.MadeObjects.begin(), s.MadeObjects.end(), 0);
        for (size_t g = 0; g < e.made.size(); ++g)
            s.MadeObjects[g + 1] = e.made[g];
        std::fill(s.Motion.begin(), s.Motion.end(), model::MotionData{});
        for (size_t g = 0; g < e.motion.size(); ++g)
            s.Motion[g + 1] = e.motion[g];
        if (e.bar)
            s.LivesBar = *e.bar;
        for (const auto& [object, points] : e.paths) {
            model::ActiveObjectData& o = s.ActiveObject[size_t(object)];
            o.PathCount = int(points.size());
            std::copy(points.begin(), points.end(), o.Path.begin() + 1);
        }
        if (e.eventRows)
            s.EventCurRow = *e.eventRows;
        for (const StageExtras::List& list : e.lists) {
            model::EventRowData& row = s.EventRow[size_t(list.row)];
            (list.column == 0 ? row.CondObjects : row.ActionObjects[size_t(list.column)]) = list.objects;
        }
        for (const StageExtras::Records& records : e.records) {
            model::EventRowData& row = s.EventRow[size_t(records.row)];
            // What the file stored was made by the templates of its day; the row shows and runs today's.
            if (records.column == 0) {
                row.CondRecord = records.items;
                catalogue::remakeConditionTexts(row);
            } else {
                row.ActionRecord[size_t(records.column)] = records.items.first();
                catalogue::remakeActionTexts(row, records.column);
            }
        }
    }
}

} // namespace

QString extrasFileFor(const QString& projectFile)
{
    return io::changeExtension(projectFile, u".kestrava.json"_s);
}

QByteArray extrasBytes(const model::Project& project, const QByteArray& projectBytes, const QString& extrasFile)
{
    QList<QByteArray> stages;
    for (int level = 1; level <= std::clamp(project.LevelCount, 1, model::kMaxLevels); ++level)
        stages.append(stageEntry(project.stage(level), level, extrasFile));
    // A project at the usual screen writes the file as it was before the screen was kept.
    QByteArray screen;
    if (project.GameScreen != model::kDefaultGameScreen)
        screen = "  \"screen\": " + compact(QJsonObject{{kWidthKey, project.GameScreen.width},
                                                       {kHeightKey, project.GameScreen.height}}) + ",\n";
    if (project.GameSuite != model::GameSuiteData{}) {
        if (const QString problem = model::gameSuiteProblem(project.GameSuite); !problem.isEmpty())
            throw io::Error::inFile(extrasFile, u"свойства игры: "_s + problem + u"; файлы проекта не записаны"_s);
        QJsonObject suite;
        const auto put = [&](const QString& key, const QString& value) {
            if (!value.isEmpty())
                suite.insert(key, value);
        };
        put(kVendorKey, project.GameSuite.Vendor);
        put(kSuiteVersionKey, project.GameSuite.Version);
        put(kDescriptionKey, project.GameSuite.Description);
        screen += "  \"suite\": " + compact(suite) + ",\n";
    }
    // A handset screen has its budget; only a screen of one's own keeps the author's.
    if (project.OwnBudget && !model::handsetBudget(project.GameScreen)) {
        if (const QString problem = model::gameBudgetProblem(*project.OwnBudget); !problem.isEmpty())
            throw io::Error::inFile(extrasFile, u"настройки игры: "_s + problem + u"; файлы проекта не записаны"_s);
        screen += "  \"budget\": " + compact(QJsonObject{{kJarKey, project.OwnBudget->JarKB},
                                                          {kHeapKey, project.OwnBudget->HeapKB}}) + ",\n";
    }
    // Without a grid the file stays as it was before the grid was kept.
    if (project.LevelGrid != model::LevelGridData{})
        screen += "  \"levelGrid\": " + compact(QJsonObject{{kGridShownKey, int(project.LevelGrid.Shown)},
                                                             {kGridSnapKey, int(project.LevelGrid.Snap)}}) + ",\n";
    // Without variables or a title the file stays as it was before they were kept.
    if (!project.Variables.isEmpty() || project.NextVariableId > 1) {
        if (const QString problem = catalogue::variablesProblem(project.Variables); !problem.isEmpty())
            throw io::Error::inFile(extrasFile, u"переменные: "_s + problem + u"; файлы проекта не записаны"_s);
        QJsonArray list;
        for (const model::GameVariableData& v : project.Variables)
            list.append(QJsonObject{{kIdKey, v.Id}, {kNameKey, v.Name}, {kStartKey, v.Start}, {kPerStageKey, int(v.PerStage)}});
        screen += "  \"variables\": " + compact(QJsonObject{{kNextKey, project.NextVariableId}, {kListKey, list}}) + ",\n";
    }
    if (project.TitleScreen) {
        if (const QString problem = model::titleScreenProblem(*project.TitleScreen); !problem.isEmpty())
            throw io::Error::inFile(extrasFile, u"заставка: "_s + problem + u"; файлы проекта не записаны"_s);
        QJsonObject title{{kNameKey, project.TitleScreen->Name}};
        if (!project.TitleScreen->Picture.isEmpty())
            title.insert(kPictureKey, project.TitleScreen->Picture);
        screen += "  \"title\": " + compact(title) + ",\n";
    }
    // Without sounds the file stays as it was before they were kept.
    if (!project.Sounds.empty()) {
        QList<QByteArray> sounds;
        for (const model::SoundData& sound : project.Sounds) {
            if (const QString problem = model::soundProblem(sound); !problem.isEmpty())
                throw io::Error::inFile(extrasFile, u"звуки проекта: "_s + problem + u"; файлы проекта не записаны"_s);
            QJsonObject o{{kNumberKey, sound.Number}, {kNameKey, sound.Name}};
            switch (sound.Kind) {
            case model::SoundKind::Wave: o.insert(kKindKey, u"wav"_s); break;
            case model::SoundKind::Midi: o.insert(kKindKey, u"midi"_s); break;
            case model::SoundKind::Melody: o.insert(kKindKey, u"melody"_s); break;
            }
            if (sound.Kind == model::SoundKind::Melody) {
                o.insert(kNotesKey, sound.Notes);
                o.insert(kTempoKey, sound.Tempo);
            } else {
                o.insert(kFileKey, sound.File);
            }
            sounds.append("    " + compact(o));
        }
        screen += "  \"sounds\": [\n" + sounds.join(",\n") + "\n  ],\n";
    }
    if (project.TouchButtons)
        screen += "  \"touchButtons\": 1,\n";
    return "{\n  \"format\": \"" + kFormat.toLatin1() + "\",\n  \"version\": " + QByteArray::number(kVersion)
           + ",\n  \"projectSha256\": \"" + sha256Hex(projectBytes) + "\",\n" + screen + "  \"stages\": [\n"
           + stages.join(",\n") + "\n  ]\n}\n";
}

ExtrasDocument readExtras(const QString& extrasFile, const QByteArray& projectBytes)
{
    if (!QFileInfo::exists(extrasFile))
        return {extrasFile, std::nullopt, {}};
    return extrasFromBytes(extrasFile, io::readWholeFile(extrasFile, kMaxExtrasBytes), projectBytes);
}

ExtrasDocument extrasFromBytes(const QString& extrasFile, const QByteArray& bytes, const QByteArray& projectBytes)
{
    if (bytes.size() > kMaxExtrasBytes)
        throw io::Error::inFile(extrasFile, u"файл слишком велик: %1 байт, а допускается не более %2"_s.arg(bytes.size())
                                                .arg(kMaxExtrasBytes));
    qsizetype errorAt = 0;
    std::optional<io::JsonTape> document = io::JsonTape::parse(bytes, &errorAt);
    if (!document)
        throw io::Error::inFile(extrasFile,
                                u"файл повреждён: это не документ JSON (ошибка около байта %1)"_s.arg(errorAt));
    if (!document->root().isObject())
        throw io::Error::inFile(extrasFile, u"это не файл дополнений проекта: документ JSON не является объектом"_s);
    return {extrasFile, std::move(document), sha256Hex(projectBytes)};
}

QStringList applyExtras(model::Project& project, const QString& projectFile, const ExtrasDocument& extras)
{
    if (!extras.root)
        return {};
    ExtrasReader reader(project, extras.path);
    if (!reader.matches(extras.root->root(), extras.projectHash))
        return {u"Файл «%1»: записан для другой версии %2; полосы жизней, пути, типы движения и списки объектов событий из него не загружены"_s
                    .arg(QDir::toNativeSeparators(extras.path), io::fileNamePart(projectFile))};
    const std::optional<model::ScreenSize> screen = reader.screen(extras.root->root());
    const std::optional<model::GameSuiteData> suite = reader.suite(extras.root->root());
    const std::optional<model::GameBudgetData> budget = reader.budget(extras.root->root());
    const std::optional<model::LevelGridData> grid = reader.grid(extras.root->root());
    const auto variables = reader.variables(extras.root->root());
    const std::optional<model::TitleScreenData> title = reader.title(extras.root->root());
    std::vector<model::SoundData> sounds = reader.sounds(extras.root->root());
    const bool touch = reader.touchButtons(extras.root->root());
    applyStages(project, reader.stages(extras.root->root()));
    if (screen)
        project.GameScreen = *screen;
    if (suite)
        project.GameSuite = *suite;
    if (budget)
        project.OwnBudget = *budget;
    if (grid)
        project.LevelGrid = *grid;
    if (variables) {
        project.Variables = variables->first;
        project.NextVariableId = variables->second;
    }
    if (title)
        project.TitleScreen = *title;
    project.Sounds = std::move(sounds);
    project.TouchButtons = touch;
    return {};
}

} // namespace kestrava::persist
