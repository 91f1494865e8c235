#pragma once

#include <QString>

#include <array>

namespace kestrava::catalogue {

// One button of the key chooser: its caption and place on the drawn phone,
// the key's name and code in the generated game, and what a screen reader
// says for it ("|" and "--" do not explain themselves).
struct PhoneKey {
    QString caption;
    int left;
    int top;
    QString KeyName;
    QString KeyCode;
    QString description;
};

constexpr int kPhoneKeyWidth = 25;
constexpr int kPhoneKeyHeight = 25;

// The 19 keys: the joystick, the two soft keys, then the keypad row by row.
const std::array<PhoneKey, 19>& phoneKeys();

} // namespace kestrava::catalogue
