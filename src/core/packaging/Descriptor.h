#pragma once

#include "model/ScreenSize.h"

#include <QByteArray>
#include <QString>

namespace kestrava::packaging {

// What a phone reads about a MIDlet suite before it installs it.
struct MidletSuite {
    QString name;                      // the project's name
    QString vendor = QStringLiteral("Kestrava");
    QString version = QStringLiteral("1.0");
    QString midletClass = QStringLiteral("dorv");
    // The screen the game was made for, which the game and the player read.
    model::ScreenSize screen = model::kDefaultGameScreen;
};

// The attributes (jad and manifest) naming the screen the game was made for.
inline constexpr const char* kScreenWidthAttribute = "Kestrava-Screen-Width";
inline constexpr const char* kScreenHeightAttribute = "Kestrava-Screen-Height";

// META-INF/MANIFEST.MF: UTF-8, lines of at most 72 bytes (longer values go
// on continuation lines), CR LF.
QByteArray manifest(const MidletSuite& suite);

// The .jad beside the jar: the manifest's attributes, the jar's URL (its file
// name, percent-encoded) and its size in bytes. UTF-8, CR LF.
QByteArray descriptor(const MidletSuite& suite, const QString& jarFileName, qint64 jarSize);

} // namespace kestrava::packaging
