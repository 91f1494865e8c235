#pragma once

#include "objects/FontRecord.h"

namespace kestrava::interface {

// Colours below are 0x00BBGGRR (io/ColourNames.h).
inline constexpr int kBlack = 0x000000;
inline constexpr int kMaroon = 0x000080;
inline constexpr int kRed = 0x0000FF;
inline constexpr int kLime = 0x00FF00;
inline constexpr int kBlue = 0xFF0000;
inline constexpr int kWhite = 0xFFFFFF;

// A bar of the game screen: the lives bar or the ammunition bar.
struct BarRecord {
    int X = 0;
    int Y = 0;
    int Height = 5;
    int Width = 60;
    int Fg = kBlack;    // main colour
    int Bgr = kBlack;   // background colour
    int Frame = kBlack; // frame colour
    bool operator==(const BarRecord&) const = default;
};

// The countdown timer.
// The default layout fits the usual game screen (model::kDefaultGameScreen).
struct TimerRecord {
    int X = 5;
    int Y = 188;
    int Bgr = kBlack;
    objects::FontRecord Font{.Colour = kLime};
    bool operator==(const TimerRecord&) const = default;
};

// The weapon indicator: one frame of a strip of weapon pictures.
struct WeaponRecord {
    int X = 146;
    int Y = 188;
    int FrameWidth = 25;
    int FrameHeight = 15;
    int FrameCount = 0;
    int TranspColor = kBlack;
    int Transparent = 0;
    bool operator==(const WeaponRecord&) const = default;
};

// Everything the interface editor keeps of the author's layout; a step of
// its history keeps this whole.
struct InterfaceRecords {
    BarRecord Lifebar{10, 10, 5, 60, kRed, kMaroon, kBlack};
    BarRecord Ammobar{90, 10, 5, 60, kLime, kRed, kBlack};
    TimerRecord Timer;
    WeaponRecord Weapon;
    int WeaponBgr = kBlack;
    bool WeaponClearBackground = false; // "Прозрачный фон": no background box in the preview
    int ScreenColour = kWhite;
    bool operator==(const InterfaceRecords&) const = default;
};

// The indicators by the codes of "Свойства объекта".
enum class Indicator { None = 0, Lifebar = 1, Ammobar = 2, Weapon = 3, Timer = 5 };

} // namespace kestrava::interface
