#pragma once

#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <utility>

namespace kestrava::model {

// What an object file makes in a stage. Every switch over it names each
// kind (the code builds with -Werror=switch), so a new kind is refused by
// the compiler wherever it is not handled yet; ARCHITECTURE.md lists where.
enum class ObjectKind { Background, Active, LivesBar, Text };

inline constexpr std::array kObjectKinds{ObjectKind::Background, ObjectKind::Active, ObjectKind::LivesBar,
                                         ObjectKind::Text};

// What the code says of a kind as data.
struct ObjectKindInfo {
    QString extension; // of its object file, without the dot: "obf"
    QString keyword;   // the object file's first line: "fon"
    QString asWhat;    // in "файл не является фоновым объектом"
    QString fileType;  // in the file dialog's filter: "файл фонового объекта"
    // The icon every object of the kind shows on the object list (in the
    // program's images); empty: its own picture, or no icon when !listed.
    QString listIcon;
    bool listed = true; // takes a slot of the object list
};

const ObjectKindInfo& describe(ObjectKind kind);

// The file dialog's filter of object files, one entry per kind:
// "файл фонового объекта (*.obf);;...".
QString objectFileFilter();

// True when `order` names every kind exactly once. A walk over the kinds in
// an order of its own (the project file's sections, what is drawn on top)
// static_asserts it, so a new kind cannot be left out of the walk unseen.
template <std::size_t N>
constexpr bool namesEveryKindOnce(const std::array<ObjectKind, N>& order)
{
    return N == kObjectKinds.size() && std::all_of(kObjectKinds.begin(), kObjectKinds.end(), [&](ObjectKind kind) {
               return std::count(order.begin(), order.end(), kind) == 1;
           });
}

// Type-level tables: Table<K> is a layer's entry for kind K, specialised per
// kind. EveryKind<Table, Use> is Use<Table<K>...> over kObjectKinds in
// order, so a kind without its specialisation stops the build there.
template <template <ObjectKind> class Table, template <class...> class Use>
struct EveryKindOf {
    template <std::size_t... I>
    static Use<Table<kObjectKinds[I]>...> make(std::index_sequence<I...>);
    using type = decltype(make(std::make_index_sequence<kObjectKinds.size()>{}));
};
template <template <ObjectKind> class Table, template <class...> class Use>
using EveryKind = typename EveryKindOf<Table, Use>::type;

// The value-level twin: an array of make.template operator()<K>() over
// kObjectKinds in order, indexed by positionOf. A layer's table of per-kind
// entries is made this way, so a kind without its entry stops the build.
template <class Make>
constexpr auto byKind(Make make)
{
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return std::array{make.template operator()<kObjectKinds[I]>()...};
    }(std::make_index_sequence<kObjectKinds.size()>{});
}

// Where a kind stands in kObjectKinds.
constexpr std::size_t positionOf(ObjectKind kind)
{
    return std::size_t(std::find(kObjectKinds.begin(), kObjectKinds.end(), kind) - kObjectKinds.begin());
}

} // namespace kestrava::model
