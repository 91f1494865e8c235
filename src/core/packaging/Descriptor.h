#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QString>

namespace kestrava::packaging {

// What a phone reads about a MIDlet suite before it installs it.
struct MidletSuite {
    QString name;                      // the project's name
    QString vendor = QStringLiteral("Kestrava");
    QString version = QStringLiteral("1.0");
    QString description;               // the name when empty
    QString icon;                      // the icon's path in the jar ("/icon.png"); none when empty
    QString midletClass = QStringLiteral("dorv");
    // The screen the game was made for, which the game and the player read.
    model::ScreenSize screen = model::kDefaultGameScreen;
    // The game draws its on-screen buttons on a touch screen: the player opens it in touch mode.
    bool touchButtons = false;
};

// The attributes (jad and manifest) naming the screen the game was made for.
inline constexpr const char* kScreenWidthAttribute = "Kestrava-Screen-Width";
inline constexpr const char* kScreenHeightAttribute = "Kestrava-Screen-Height";
// Only in a game with on-screen buttons: "1".
inline constexpr const char* kTouchButtonsAttribute = "Kestrava-Touch-Buttons";

// The suite of a project's game: its name, screen, and the vendor, version and
// description of "Настройки игры" or their defaults.
MidletSuite suiteOf(const model::Project& project, const QString& name);

// META-INF/MANIFEST.MF: UTF-8, lines of at most 72 bytes (longer values go
// on continuation lines), CR LF. It and the .jad carry every attribute MIDP
// 2.0 asks of a suite (MIDlet-Name, -Vendor, -Version, MIDlet-1,
// MicroEdition-Profile and -Configuration), MIDlet-Description, MIDlet-Icon
// when there is an icon, and the screen the game was made for.
QByteArray manifest(const MidletSuite& suite);

// The .jad beside the jar: the manifest's attributes, the jar's URL (its file
// name, percent-encoded) and its size in bytes. UTF-8, CR LF.
QByteArray descriptor(const MidletSuite& suite, const QString& jarFileName, qint64 jarSize);

} // namespace kestrava::packaging
