#pragma once

namespace kestrava::codegen {

// The colour of the object files (0x00BBGGRR, or a system colour) as the game draws it (0xRRGGBB).
int gameColour(int bgr);
// A text's face (0..2) and size (0..2; one never chosen reads as the middle
// one) as the game's Font class numbers them, and its style bits.
int gameFontFace(int face);
int gameFontSize(int size);
int gameFontStyle(bool bold, bool italic, bool underline);

} // namespace kestrava::codegen
