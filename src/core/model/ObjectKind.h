#pragma once

#include <QString>

#include <array>

namespace kestrava::model {

// What an object file makes in a stage. Every switch over it names each
// kind (the core builds with -Werror=switch), so a new kind is refused by
// the compiler wherever it is not handled yet.
enum class ObjectKind { Background, Active, LivesBar, Text };

inline constexpr std::array kObjectKinds{ObjectKind::Background, ObjectKind::Active, ObjectKind::LivesBar,
                                         ObjectKind::Text};

// What the code says of a kind as data.
struct ObjectKindInfo {
    QString extension; // of its object file, without the dot: "obf"
    QString keyword;   // the object file's first line: "fon"
    QString asWhat;    // in "файл не является фоновым объектом"
    // The icon every object of the kind shows on the object list (in the
    // program's images); empty: its own picture, or no icon when !listed.
    QString listIcon;
    bool listed = true; // takes a slot of the object list
};

const ObjectKindInfo& describe(ObjectKind kind);

} // namespace kestrava::model
