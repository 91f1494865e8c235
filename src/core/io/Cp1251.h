#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kestrava::io {

// The Windows Cyrillic code page of every text file the system reads and
// writes. Conversions go through iconv; byte 0x98, which the code page leaves
// unassigned, travels as U+0098 so that any byte survives a round trip.
class Cp1251 {
public:
    static QString decode(const QByteArray& bytes);
    // nullopt when some character has no byte in the code page.
    static std::optional<QByteArray> encode(const QString& text);
    // Index of the first character that has no byte, or -1.
    static qsizetype firstUnencodable(const QString& text);
    // That character itself (a surrogate pair whole), for messages; "" when none.
    static QString firstUnencodableCharacter(const QString& text);
};

} // namespace kestrava::io
