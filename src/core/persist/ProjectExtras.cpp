#include "persist/ProjectExtras.h"

#include "io/Error.h"
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
const QString kStageKey = u"stage"_s;
const QString kTypesKey = u"movementTypes"_s;
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

QJsonArray slotsJson(const ObjectSlots& list)
{
    QJsonArray out;
    for (int k = 1; k <= model::kMaxObjectRefs; ++k)
        if (!list[size_t(k)].isEmpty())
            out.append(list[size_t(k)]);
    return out;
}

// What the reader refuses in a lives bar; empty when it is fine.
QString barProblem(const model::LivesBarData& bar)
{
    if (bar.Width < 0)
        return u"ширина = %1, а допускается не менее 0"_s.arg(bar.Width);
    if (bar.Height < 0)
        return u"высота = %1, а допускается не менее 0"_s.arg(bar.Height);
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

QByteArray stageEntry(const model::StageData& s, int level, const QString& extrasFile)
{
    QJsonArray types;
    for (int g = 1; g <= bounded(s.ActiveGroupCount, model::kMaxActiveGroups); ++g)
        types.append(static_cast<int>(s.ActiveType[size_t(g)]));

    QByteArray out = "    {\n      \"stage\": " + QByteArray::number(level) + ",\n      \"movementTypes\": " + compact(types);

    if (s.LivesBar.Present) {
        const model::LivesBarData& bar = s.LivesBar;
        if (const QString problem = barProblem(bar); !problem.isEmpty())
            throw io::Error::inFile(extrasFile, barPlace(level) + u": "_s + problem + u"; файлы проекта не записаны"_s);
        const QJsonObject o{{kXKey, bar.X},           {kYKey, bar.Y},
                            {kPictureKey, bar.BmpName}, {kWidthKey, bar.Width},
                            {kHeightKey, bar.Height},   {kDirectionKey, bar.Direction}};
        out += ",\n      \"livesBar\": " + compact(o);
    }

    QList<QByteArray> paths;
    for (int i = 1; i <= bounded(s.ActiveObjCount, model::kMaxActiveObjects); ++i) {
        const model::ActiveObjectData& o = s.ActiveObject[size_t(i)];
        const int count = bounded(o.PathCount, model::kMaxPathPoints);
        if (count == 0)
            continue;
        QJsonArray points;
        for (int k = 1; k <= count; ++k)
            points.append(QJsonArray{o.Path[size_t(k)].X, o.Path[size_t(k)].Y});
        paths.append("        " + compact(QJsonObject{{kObjectKey, i}, {kPointsKey, points}}));
    }
    if (!paths.isEmpty())
        out += ",\n      \"paths\": [\n" + paths.join(",\n") + "\n      ]";

    // The rows on the sheet and the object lists of conditions and actions:
    // the generated game opens a loop per listed object.
    QList<QByteArray> lists;
    for (int r = 1; r <= model::kMaxEventRows; ++r) {
        const model::EventRowData& row = s.EventRow[size_t(r)];
        for (int c = 0; c <= model::kMaxActions; ++c) {
            const QJsonArray objects = slotsJson(c == 0 ? row.CondObjects : row.ActionObjects[size_t(c)]);
            if (!objects.isEmpty())
                lists.append("          " + compact(QJsonObject{{kRowKey, r}, {kColumnKey, c}, {kListsKey, objects}}));
        }
    }
    // Opening shows every row the project file holds unless told otherwise.
    const int rows = bounded(s.EventCurRow, model::kMaxEventRows);
    const bool fewerRows = rows != bounded(s.EventCount, model::kMaxEventRows);
    if (fewerRows || !lists.isEmpty()) {
        QList<QByteArray> fields;
        if (fewerRows)
            fields.append("\"rows\": " + QByteArray::number(rows));
        if (!lists.isEmpty())
            fields.append("\"objects\": [\n" + lists.join(",\n") + "\n        ]");
        out += ",\n      \"events\": {" + fields.join(", ") + "}";
    }
    return out + "\n    }";
}

// ---- reading ----

struct StageExtras {
    int level = 0;
    std::vector<model::MovementType> types; // groups 1..n
    std::optional<model::LivesBarData> bar;
    std::vector<std::pair<int, std::vector<model::PathPoint>>> paths; // object, points
    std::optional<int> eventRows;
    struct List {
        int row = 0;
        int column = 0; // 0: the condition
        ObjectSlots objects;
    };
    std::vector<List> lists;
};

// A value as it stands in the file, for messages.
QString shown(const QJsonValue& v)
{
    const QByteArray text = compact(QJsonArray{v});
    return io::excerpt(QString::fromUtf8(text.mid(1, text.size() - 2)));
}

bool asInt32(const QJsonValue& v, int* out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!std::isfinite(d) || d != std::trunc(d) || d < double(std::numeric_limits<int>::min())
        || d > double(std::numeric_limits<int>::max()))
        return false;
    *out = static_cast<int>(d);
    return true;
}

// Checks the whole document against the project just read, before anything
// of it is applied.
class ExtrasReader {
public:
    ExtrasReader(const model::Project& project, QString path) : m_project(project), m_path(std::move(path)) {}

    // The document's header; false when it was written with other project bytes.
    bool matches(const QJsonObject& root, const QByteArray& projectBytes)
    {
        const QJsonValue format = root.value(kFormatKey);
        if (format.toString() != kFormat)
            fail(QString(), u"это не файл дополнений проекта: поле «format» должно быть «%1», а записано %2"_s.arg(
                                kFormat, format.isUndefined() ? u"ничего"_s : shown(format)));
        const int version = integer(root, kVersionKey, QString());
        if (version != kVersion)
            fail(QString(), u"версия файла %1 не поддерживается; эта программа читает версию %2"_s.arg(version).arg(
                                kVersion));
        onlyFields(root, {kFormatKey, kVersionKey, kHashKey, kStagesKey}, QString());
        const QString hash = string(root, kHashKey, QString());
        const bool hex = hash.size() == 64 && std::all_of(hash.begin(), hash.end(), [](QChar c) {
                             return (c >= u'0' && c <= u'9') || (c.toLower() >= u'a' && c.toLower() <= u'f');
                         });
        if (!hex)
            fail(QString(), u"поле «%1» должно содержать 64 шестнадцатеричные цифры, а записано «%2»"_s.arg(kHashKey,
                                                                                                            io::excerpt(hash)));
        return hash.toLower().toLatin1() == sha256Hex(projectBytes);
    }

    std::vector<StageExtras> stages(const QJsonObject& root)
    {
        std::vector<StageExtras> result;
        std::vector<bool> seen(size_t(m_project.LevelCount) + 1, false);
        const QJsonArray entries = array(root, kStagesKey, QString());
        for (qsizetype n = 0; n < entries.size(); ++n) {
            const QString where = u"поле «stages», запись %1"_s.arg(n + 1);
            if (!entries.at(n).isObject())
                fail(where, u"ожидался объект, а записано %1"_s.arg(shown(entries.at(n))));
            const QJsonObject entry = entries.at(n).toObject();
            const int level = integer(entry, kStageKey, where);
            if (level < 1 || level > m_project.LevelCount)
                fail(stagePlace(level), u"такого этапа в проекте нет (этапов %1)"_s.arg(m_project.LevelCount));
            if (seen[size_t(level)])
                fail(stagePlace(level), u"этап записан дважды"_s);
            seen[size_t(level)] = true;
            result.push_back(stage(entry, level));
        }
        return result;
    }

private:
    StageExtras stage(const QJsonObject& entry, int level)
    {
        const QString where = stagePlace(level);
        const model::StageData& s = m_project.stage(level);
        onlyFields(entry, {kStageKey, kTypesKey, kBarKey, kPathsKey, kEventsKey}, where);
        StageExtras result;
        result.level = level;

        const QJsonArray types = array(entry, kTypesKey, where);
        if (types.size() != s.ActiveGroupCount)
            fail(where, u"типов движения %1, а активных групп в проекте %2"_s.arg(types.size()).arg(s.ActiveGroupCount));
        for (qsizetype g = 0; g < types.size(); ++g)
            result.types.push_back(
                model::MovementType(integer(types.at(g), where, u"тип движения группы %1"_s.arg(g + 1))));

        if (entry.contains(kBarKey))
            result.bar = bar(entry, level);

        if (entry.contains(kPathsKey)) {
            std::vector<bool> seen(size_t(s.ActiveObjCount) + 1, false);
            const QJsonArray paths = array(entry, kPathsKey, where);
            for (qsizetype n = 0; n < paths.size(); ++n) {
                const QString pathWhere = where + u", путь %1"_s.arg(n + 1);
                if (!paths.at(n).isObject())
                    fail(pathWhere, u"ожидался объект, а записано %1"_s.arg(shown(paths.at(n))));
                const QJsonObject path = paths.at(n).toObject();
                const int object = integer(path, kObjectKey, pathWhere);
                const QString objectWhere = objectPlace(level, object);
                if (object < 1 || object > s.ActiveObjCount)
                    fail(objectWhere, u"такого объекта в проекте нет"_s);
                if (seen[size_t(object)])
                    fail(objectWhere, u"путь объекта записан дважды"_s);
                seen[size_t(object)] = true;
                onlyFields(path, {kObjectKey, kPointsKey}, objectWhere);
                result.paths.emplace_back(object, points(array(path, kPointsKey, objectWhere), objectWhere));
            }
        }
        if (entry.contains(kEventsKey))
            events(entry, level, result);
        return result;
    }

    void events(const QJsonObject& entry, int level, StageExtras& result)
    {
        const QString where = stagePlace(level) + u", лист событий"_s;
        const QJsonValue value = entry.value(kEventsKey);
        if (!value.isObject())
            fail(where, u"ожидался объект, а записано %1"_s.arg(shown(value)));
        const QJsonObject o = value.toObject();
        onlyFields(o, {kRowsKey, kListsKey}, where);
        if (o.contains(kRowsKey)) {
            const int events = m_project.stage(level).EventCount;
            const int rows = integer(o, kRowsKey, where);
            if (rows < 0 || rows > events)
                fail(where, u"строк на листе %1, а в файле проекта их %2"_s.arg(rows).arg(events));
            result.eventRows = rows;
        }
        if (!o.contains(kListsKey))
            return;
        const QJsonArray lists = array(o, kListsKey, where);
        std::vector<bool> seen(size_t(model::kMaxEventRows + 1) * (model::kMaxActions + 1), false);
        for (qsizetype n = 0; n < lists.size(); ++n) {
            const QString listWhere = where + u", список объектов %1"_s.arg(n + 1);
            if (!lists.at(n).isObject())
                fail(listWhere, u"ожидался объект, а записано %1"_s.arg(shown(lists.at(n))));
            const QJsonObject list = lists.at(n).toObject();
            onlyFields(list, {kRowKey, kColumnKey, kListsKey}, listWhere);
            StageExtras::List entryList;
            entryList.row = integer(list, kRowKey, listWhere);
            entryList.column = integer(list, kColumnKey, listWhere);
            if (entryList.row < 1 || entryList.row > model::kMaxEventRows)
                fail(listWhere, u"строки %1 не бывает (строки 1..%2)"_s.arg(entryList.row).arg(model::kMaxEventRows));
            if (entryList.column < 0 || entryList.column > model::kMaxActions)
                fail(listWhere, u"столбца %1 не бывает (0 — условие, действия 1..%2)"_s.arg(entryList.column).arg(
                                    model::kMaxActions));
            const QString place = listPlace(level, entryList.row, entryList.column);
            const size_t key = size_t(entryList.row) * (model::kMaxActions + 1) + size_t(entryList.column);
            if (seen[key])
                fail(place, u"список объектов записан дважды"_s);
            seen[key] = true;
            const QJsonArray objects = array(list, kListsKey, place);
            if (objects.size() > model::kMaxObjectRefs)
                fail(place, u"объектов %1, а допускается не более %2"_s.arg(objects.size()).arg(model::kMaxObjectRefs));
            for (qsizetype k = 0; k < objects.size(); ++k) {
                const QString number = objects.at(k).toString();
                if (!objects.at(k).isString() || !isObjectNumber(number))
                    fail(place, u"номер объекта должен быть строкой из цифр, а записано %1"_s.arg(shown(objects.at(k))));
                entryList.objects[size_t(k + 1)] = number;
            }
            result.lists.push_back(entryList);
        }
    }

    model::LivesBarData bar(const QJsonObject& entry, int level)
    {
        const QString where = barPlace(level);
        const QJsonValue value = entry.value(kBarKey);
        if (!value.isObject())
            fail(where, u"ожидался объект, а записано %1"_s.arg(shown(value)));
        const QJsonObject o = value.toObject();
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

    std::vector<model::PathPoint> points(const QJsonArray& list, const QString& where)
    {
        if (list.size() > model::kMaxPathPoints)
            fail(where, u"точек пути %1, а допускается не более %2"_s.arg(list.size()).arg(model::kMaxPathPoints));
        std::vector<model::PathPoint> result;
        for (qsizetype k = 0; k < list.size(); ++k) {
            const QJsonValue point = list.at(k);
            const QJsonArray xy = point.toArray();
            model::PathPoint p;
            if (!point.isArray() || xy.size() != 2 || !asInt32(xy.at(0), &p.X) || !asInt32(xy.at(1), &p.Y))
                fail(where + u", точка %1"_s.arg(k + 1),
                     u"ожидалась пара целых чисел [x, y] в пределах 32 бит, а записано %1"_s.arg(shown(point)));
            result.push_back(p);
        }
        return result;
    }

    [[noreturn]] void fail(const QString& where, const QString& what) const
    {
        throw io::Error::inFile(m_path, where.isEmpty() ? what : where + u": "_s + what);
    }

    QJsonValue field(const QJsonObject& o, const QString& key, const QString& where) const
    {
        if (!o.contains(key))
            fail(where, u"нет поля «%1»"_s.arg(key));
        return o.value(key);
    }

    int integer(const QJsonValue& v, const QString& where, const QString& what) const
    {
        int value = 0;
        if (!asInt32(v, &value))
            fail(where, u"%1 должно быть целым числом в пределах 32 бит, а записано %2"_s.arg(what, shown(v)));
        return value;
    }

    int integer(const QJsonObject& o, const QString& key, const QString& where) const
    {
        return integer(field(o, key, where), where, u"поле «%1»"_s.arg(key));
    }

    QString string(const QJsonObject& o, const QString& key, const QString& where) const
    {
        const QJsonValue v = field(o, key, where);
        if (!v.isString())
            fail(where, u"поле «%1» должно быть строкой, а записано %2"_s.arg(key, shown(v)));
        return v.toString();
    }

    QJsonArray array(const QJsonObject& o, const QString& key, const QString& where) const
    {
        const QJsonValue v = field(o, key, where);
        if (!v.isArray())
            fail(where, u"поле «%1» должно быть списком, а записано %2"_s.arg(key, shown(v)));
        return v.toArray();
    }

    // A misspelt field would otherwise drop its content without a word.
    void onlyFields(const QJsonObject& o, std::initializer_list<QString> known, const QString& where) const
    {
        for (auto it = o.begin(); it != o.end(); ++it)
            if (std::find(known.begin(), known.end(), it.key()) == known.end())
                fail(where, u"неизвестное поле «%1»"_s.arg(io::excerpt(it.key())));
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
    return "{\n  \"format\": \"" + kFormat.toLatin1() + "\",\n  \"version\": " + QByteArray::number(kVersion)
           + ",\n  \"projectSha256\": \"" + sha256Hex(projectBytes) + "\",\n  \"stages\": [\n" + stages.join(",\n")
           + "\n  ]\n}\n";
}

QStringList applyExtras(model::Project& project, const QString& projectFile, const QByteArray& projectBytes,
                        const QString& extrasFile)
{
    if (!QFileInfo::exists(extrasFile))
        return {};
    const QByteArray bytes = io::readWholeFile(extrasFile);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        throw io::Error::inFile(extrasFile, u"файл повреждён: это не документ JSON (ошибка около байта %1)"_s.arg(
                                                error.offset));
    if (!document.isObject())
        throw io::Error::inFile(extrasFile, u"это не файл дополнений проекта: документ JSON не является объектом"_s);

    ExtrasReader reader(project, extrasFile);
    if (!reader.matches(document.object(), projectBytes))
        return {u"Файл «%1»: записан для другой версии %2; полосы жизней, пути, типы движения и списки объектов событий из него не загружены"_s
                    .arg(QDir::toNativeSeparators(extrasFile), io::fileNamePart(projectFile))};
    applyStages(project, reader.stages(document.object()));
    return {};
}

} // namespace kestrava::persist
