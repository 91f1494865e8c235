#pragma once

#include <QString>

namespace kestrava::model {

// What the game's jad and manifest say of it besides its name and screen
// ("Настройки игры"); an empty field means the default packaging writes.
struct GameSuiteData {
    QString Vendor;      // MIDlet-Vendor, "Kestrava" when empty
    QString Version;     // MIDlet-Version, "1.0" when empty
    QString Description; // MIDlet-Description, the game's name when empty
    bool operator==(const GameSuiteData&) const = default;
};

inline constexpr int kMaxSuiteText = 200;

// What is wrong with the fields, in Russian, naming the field; empty when
// nothing is. A version is what phones compare: "1.0" or "1.2.3", each
// number 0..99. No field holds a line break or is longer than kMaxSuiteText.
QString gameSuiteProblem(const GameSuiteData& suite);

} // namespace kestrava::model
