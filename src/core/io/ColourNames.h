#pragma once

#include <QColor>
#include <QString>

#include <optional>

namespace kestrava::io {

// A colour value of the system: 0x00BBGGRR, red in the low byte. A value
// whose high byte is kSystemColour stands for a colour of the desktop's
// scheme, its index in the low byte (kSystemColour << 24 | 15 is the face of
// a button).
inline constexpr int kSystemColour = 0xFF;

int colourValue(const QColor& colour);
// The colour to paint; a system colour as the usual desktop scheme shows it.
QColor colourOf(int value);

// How a settings file writes a colour: the name of a standard colour
// ("clRed") or of a system colour ("clBtnFace") when it is one, otherwise "$"
// and eight upper-case hexadecimal digits of the value ("$00030201" for red
// 1, green 2, blue 3).
QString colourText(int value);

// The 0x00BBGGRR value of a standard or system colour name, without regard
// to case ("clred", "clBtnFace"); nothing for any other text.
std::optional<int> namedColourValue(const QString& name);

} // namespace kestrava::io
