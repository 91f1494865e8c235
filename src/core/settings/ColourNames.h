#pragma once

#include <QColor>
#include <QString>

namespace kestrava::settings {

// A colour value of the system: 0x00BBGGRR, red in the low byte.
int colourValue(const QColor& colour);
QColor colourOf(int value);

// How a settings file writes a colour: the name of a standard colour
// ("clRed") when it is one, otherwise "$" and eight upper-case hexadecimal
// digits of the value ("$00030201" for red 1, green 2, blue 3).
QString colourText(int value);

} // namespace kestrava::settings
