#pragma once

#include <QString>

namespace kestrava::model {

// A phone screen in pixels.
struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize&) const = default;
};

// The screen a project's game is made for until its author chooses another:
// the most common handset screen of MIDP 2.0 phones.
inline constexpr ScreenSize kDefaultGameScreen{176, 208};
// A game screen's sides: no phone's is smaller, and none is larger than a level map.
inline constexpr int kMinScreenSide = 16;
inline constexpr int kMaxScreenSide = 1000;

inline bool isGameScreen(ScreenSize s)
{
    return s.width >= kMinScreenSide && s.height >= kMinScreenSide && s.width <= kMaxScreenSide
           && s.height <= kMaxScreenSide;
}

// What is wrong with a game screen, in Russian; empty for a good one.
QString gameScreenProblem(ScreenSize s);

} // namespace kestrava::model
