#pragma once

#include <QString>

#include <optional>

namespace kestrava::interface {

// Colours of the settings file: 0x00BBGGRR, red in the low byte.
struct BarIndicator {
    int x = 0;
    int y = 0;
    int height = 5;
    int width = 60;
    quint32 bgr = 0;
    quint32 fg = 0;
    quint32 frame = 0;
};

// The game's on-screen indicators as the interface settings file (.ini) lays
// them out; a key the file lacks keeps the interface editor's default.
struct InterfaceSettings {
    BarIndicator lifebar{10, 10, 5, 60, 0x000080, 0x0000FF, 0x000000};
    BarIndicator ammobar{90, 10, 5, 60, 0x0000FF, 0x00FF00, 0x000000};
    int timerX = 5;
    int timerY = 188;
    quint32 timerBgr = 0x000000;
    int fontType = 0;  // 0 system, 1 monospaced, 2 proportional
    int fontSize = -1; // 0 small, 1 medium, 2 large, -1 none chosen
    bool bold = false;
    bool italic = false;
    bool underline = false;
    quint32 fontColour = 0x00FF00;
    int weaponX = 146;
    int weaponY = 188;
    int weaponWidth = 25;
    int weaponHeight = 15;
    int weaponFrames = 0;
    quint32 weaponBgr = 0x000000;
    quint32 transparentColour = 0x000000;
    bool transparent = false;
};

// A colour as the settings file writes it: a name of the colour table
// ("clRed"), a system colour name ("clBtnFace"), or "$" and eight hex digits
// 00BBGGRR; also a plain decimal number. Empty when it is none of these.
std::optional<quint32> parseColourText(const QString& text);

// Reads a settings file (windows-1251, sections and key=value lines, keys
// without regard to case). A value that is not a number or not a colour is an
// io::Error naming the file, the section and the key.
InterfaceSettings readInterfaceSettings(const QString& path);

// The project's interface settings file: the one ".ini" file in the project
// folder; empty when there is none. Several are an io::Error naming them,
// since the game can show only one layout.
QString interfaceSettingsFile(const QString& projectDir);

// The weapon picture the interface editor saves beside the settings file.
inline constexpr const char* kWeaponPicture = "Weapon.png";

} // namespace kestrava::interface
