#pragma once

#include <QString>

namespace kestrava::settings {

// The game screen size the author chooses under "Настройки игры".
struct ScreenSize {
    int width = 0;
    int height = 0;
    bool operator==(const ScreenSize&) const = default;
};

// The choices of the size dialog.
enum class ScreenSizeOption { None, Size128x128, Size128x176, Own };

// A size box: blanks at both ends ignored, a decimal number with either
// "," or "." before its fraction, rounded to the nearest integer (halves to
// even). Anything else is an io::Error naming the box and its text.
int parseSizeBox(const QString& text, const QString& boxName);

// The size after "Да" in the size dialog: `current` when nothing is chosen.
// For an own size both boxes are read before anything changes, so a bad box
// leaves the whole choice as it was.
ScreenSize applySizeChoice(ScreenSize current, ScreenSizeOption option, const QString& widthText,
                           const QString& heightText);

// The size button's caption: "размер: 128 x 176".
QString sizeButtonCaption(ScreenSize size);

} // namespace kestrava::settings
