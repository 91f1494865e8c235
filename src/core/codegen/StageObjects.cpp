#include "codegen/StageObjects.h"

#include "codegen/GameRows.h"
#include "catalogue/Item.h"
#include "io/Cp1251.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "model/Numbers.h"
#include "model/ObjectKind.h"

#include <algorithm>
#include <array>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::codegen {
namespace {

QString objectLabel(int level, const QString& kind, int number, const QString& fileName)
{
    QString label = u"Этап %1, %2 %3"_s.arg(level).arg(kind).arg(number);
    if (!fileName.isEmpty())
        label += u" (файл «%1»)"_s.arg(fileName);
    return label;
}

// The group a Ref names, checked against the stage's groups of that kind.
// label() makes the start of a message, only when there is one to give.
template <class Label>
int resolveGroup(const Label& label, const QString& ref, int groupCount, const QString& kindOfGroups)
{
    int group = 0;
    if (!groupOfRef(ref, &group))
        throw io::Error(u"%1: номер группы «%2» не является числом"_s.arg(label(), ref));
    if (group < 1 || group > groupCount)
        throw io::Error(u"%1: группы %2 в этапе нет (%3 в этапе: %4)"_s.arg(label(), QString::number(group),
                                                                          kindOfGroups, QString::number(groupCount)));
    return group;
}

template <class Label>
QString checkedPicture(const Label& label, const QString& pngName, int group)
{
    const QString name = pictureName(pngName);
    if (name.isEmpty() || name == u".png"_s)
        throw io::Error(u"%1: у группы %2 нет файла рисунка"_s.arg(label(), QString::number(group)));
    if (io::Cp1251::firstUnencodable(name) >= 0)
        throw io::Error(u"%1: имя рисунка «%2» содержит символы вне кодировки windows-1251"_s.arg(label(), name));
    return name;
}

void requireCount(int level, int count, int capacity, const QString& what)
{
    if (count < 0 || count > capacity)
        throw io::Error(u"Этап %1: число %2 (%3) вне допустимых 0..%4"_s.arg(level).arg(what).arg(count).arg(capacity));
}

} // namespace

bool groupOfRef(const QString& ref, int* group)
{
    const QString t = ref.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    // The author's locale writes decimals with a comma.
    const double value = QString(t).replace(u',', u'.').toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return false;
    *group = model::nearest(value);
    return true;
}

QString pictureName(const QString& pngName)
{
    const QString name = io::fileNamePart(pngName);
    if (name.isEmpty())
        return QString();
    return io::changeExtension(name, u".png"_s);
}

QString fonObjectLabel(int level, int number, const QString& fileName)
{
    return objectLabel(level, u"фоновый объект"_s, number, fileName);
}

QString activeObjectLabel(int level, int number, const QString& fileName)
{
    return objectLabel(level, u"активный объект"_s, number, fileName);
}

namespace {

// The kinds in the order their placed objects are checked (and a fault reported).
constexpr std::array kResolveOrder{model::ObjectKind::Active, model::ObjectKind::Background,
                                   model::ObjectKind::LivesBar, model::ObjectKind::Text};
static_assert(model::namesEveryKindOnce(kResolveOrder));

} // namespace

StageObjects emittedObjects(const model::Project& project, int level)
{
    const model::StageData& stage = project.stage(level);
    requireCount(level, stage.FonObjCount, model::kMaxFonObjects, u"фоновых объектов"_s);
    requireCount(level, stage.FonGroupCount, model::kMaxFonGroups, u"фоновых групп"_s);
    requireCount(level, stage.ActiveObjCount, model::kMaxActiveObjects, u"активных объектов"_s);
    requireCount(level, stage.ActiveGroupCount, model::kMaxActiveGroups, u"активных групп"_s);

    StageObjects result;
    result.level = level;
    result.fon.reserve(size_t(stage.FonObjCount));
    result.active.reserve(size_t(stage.ActiveObjCount));

    // The placed objects of one kind that exist, each with the group its Ref names.
    const auto resolve = [&](auto& into, const auto& objects, int count, const auto& groups, int groupCount,
                             auto labelOf, const QString& groupsWhat) {
        for (int i = 1; i <= count; ++i) {
            const auto& object = objects[size_t(i)];
            if (!object.Exists)
                continue;
            const auto label = [&] { return labelOf(level, i, object.FileName); };
            const int g = resolveGroup(label, object.Ref, groupCount, groupsWhat);
            const auto& group = groups[size_t(g)];
            into.push_back({i, &object, &group, checkedPicture(label, group.PngName, g)});
        }
    };
    for (model::ObjectKind kind : kResolveOrder) {
        switch (kind) {
        case model::ObjectKind::Active:
            resolve(result.active, stage.ActiveObject, stage.ActiveObjCount, stage.ActiveGroup, stage.ActiveGroupCount,
                    activeObjectLabel, u"активных групп"_s);
            break;
        case model::ObjectKind::Background:
            resolve(result.fon, stage.FonObject, stage.FonObjCount, stage.FonGroup, stage.FonGroupCount, fonObjectLabel,
                    u"фоновых групп"_s);
            break;
        case model::ObjectKind::LivesBar: // the stage's tables (StageTables.h) and its picture (Converter.cpp)
        case model::ObjectKind::Text:     // the stage's tables
            break;
        }
    }
    // The places of the objects the sheet makes: as many as the group's "Наибольшее число объектов на экране".
    for (const int g : madeGroups(stage)) {
        // A group the stage lacks makes nothing in the game; the conversion's notes say so (unmetRowNotes).
        if (g < 1 || g > std::min(stage.ActiveGroupCount, model::kMaxActiveGroups))
            continue;
        const model::ActiveGroupData& group = stage.ActiveGroup[size_t(g)];
        const auto label = [&] { return u"Этап %1, активная группа %2 (файл «%3»)"_s.arg(level).arg(g).arg(group.FileName); };
        const QString picture = checkedPicture(label, group.PngName, g);
        const int made = stage.MadeObjects[size_t(g)] > 0 ? std::min(stage.MadeObjects[size_t(g)], model::kMaxMadeObjects)
                                                           : model::kDefaultMadeObjects;
        for (int n = 0; n < made; ++n) {
            model::ActiveObjectData& o = result.spareObjects->emplace_back();
            o.Ref = QString::number(g);
            o.GroupValue = g;
            o.Layer = group.ListSlot;
            o.FileName = group.BmpName;
            o.Exists = true;
            result.active.push_back({0, &o, &group, picture, true});
        }
    }
    return result;
}

std::vector<int> madeGroups(const model::StageData& stage)
{
    std::vector<int> groups;
    forEachGameRow(stage, [&](int, const model::EventRowData& row) {
        for (const int g : catalogue::madeGroups(row))
            groups.push_back(g);
    });
    std::sort(groups.begin(), groups.end());
    groups.erase(std::unique(groups.begin(), groups.end()), groups.end());
    return groups;
}

} // namespace kestrava::codegen
