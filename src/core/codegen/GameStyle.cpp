#include "codegen/GameStyle.h"

#include "io/ColourNames.h"

namespace kestrava::codegen {

int gameColour(int bgr)
{
    return int(io::colourOf(bgr).rgb() & 0xFFFFFFu);
}

int gameFontFace(int face)
{
    constexpr int faces[] = {0, 32, 64}; // system, monospace, proportional
    return faces[face >= 0 && face <= 2 ? face : 0];
}

int gameFontSize(int size)
{
    constexpr int sizes[] = {8, 0, 16}; // small, medium, large
    return sizes[size >= 0 && size <= 2 ? size : 1];
}

int gameFontStyle(bool bold, bool italic, bool underline)
{
    return (bold ? 1 : 0) | (italic ? 2 : 0) | (underline ? 4 : 0);
}

} // namespace kestrava::codegen
