#pragma once

#include "objects/TextObjectFile.h"

#include <QString>
#include <QStringList>

namespace kestrava::io { class IniFile; }

namespace kestrava::objects {

// What the font dialog (FontDialogWindow) gives to and takes from its callers: the
// text object editor and the game interface settings. Field names are those
// of the text object, so readTextStyle / writeTextStyle / copyTextStyle move
// it to and from a file or the model.
struct FontRecord {
    static constexpr int kNoSize = -1;
    static constexpr int kFaces = 3; // 0 system, 1 monospaced, 2 proportional
    static constexpr int kSizes = 3; // 0 small, 1 medium, 2 large

    int FontSize = kNoSize;
    int FontFace = 0;
    int Bold = 0;
    int Italic = 0;
    int Underline = 0;
    int Colour = 0; // 0x00BBGGRR

    bool operator==(const FontRecord&) const = default;
};

// The lines of a multi-line text box as a text object stores them: an empty
// box has none, and a line break at the very end starts no further line.
QStringList textLines(const QString& boxText);

// The text object of a font and a text box.
TextObjectFile textObject(const FontRecord& font, const QString& boxText);

// "Сохранить" of the text object editor: the .obt is written whole or not at
// all; a text that windows-1251 cannot hold, or more lines than a text
// object takes, is refused before anything is written.
void saveTextObject(const QString& path, const FontRecord& font, const QString& boxText);

// Section "Font" of a settings file: Type, Size, Bold, Italic, Underline,
// Color, in this order.
void writeFontKeys(io::IniFile& file, const FontRecord& font);
// Writes them into the settings file at path, keeping the rest of it.
void WriteFontToINI(const QString& path, const FontRecord& font);

} // namespace kestrava::objects
