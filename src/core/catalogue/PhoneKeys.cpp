#include "catalogue/PhoneKeys.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

const std::array<PhoneKey, 19>& phoneKeys()
{
    // Soft keys have no standard MIDP code; -6 and -7 are what most phones
    // send, so a key-press condition on them fires.
    static const std::array<PhoneKey, 19> keys{{
        {u"|"_s, 56, 24, u"vu"_s, u"-1"_s, u"вверх"_s},
        {u"--"_s, 24, 56, u"vl"_s, u"-3"_s, u"влево"_s},
        {u"E"_s, 56, 56, u"venter"_s, u"-5"_s, u"центр"_s},
        {u"--"_s, 88, 56, u"vr"_s, u"-4"_s, u"вправо"_s},
        {u"|"_s, 56, 88, u"vd"_s, u"-2"_s, u"вниз"_s},
        {u"L"_s, 8, 8, u"ls"_s, u"-6"_s, u"левая софт-клавиша"_s},
        {u"R"_s, 104, 8, u"rs"_s, u"-7"_s, u"правая софт-клавиша"_s},
        {u"1"_s, 24, 128, u"1"_s, u"49"_s, u"клавиша 1"_s},
        {u"2"_s, 56, 128, u"2"_s, u"50"_s, u"клавиша 2"_s},
        {u"3"_s, 88, 128, u"3"_s, u"51"_s, u"клавиша 3"_s},
        {u"4"_s, 24, 160, u"4"_s, u"52"_s, u"клавиша 4"_s},
        {u"5"_s, 56, 160, u"5"_s, u"53"_s, u"клавиша 5"_s},
        {u"6"_s, 88, 160, u"6"_s, u"54"_s, u"клавиша 6"_s},
        {u"7"_s, 24, 192, u"7"_s, u"55"_s, u"клавиша 7"_s},
        {u"8"_s, 56, 192, u"8"_s, u"56"_s, u"клавиша 8"_s},
        {u"9"_s, 88, 192, u"9"_s, u"57"_s, u"клавиша 9"_s},
        {u"*"_s, 24, 224, u"*"_s, u"42"_s, u"клавиша звёздочка"_s},
        {u"0"_s, 56, 224, u"0"_s, u"48"_s, u"клавиша 0"_s},
        {u"#"_s, 88, 224, u"#"_s, u"35"_s, u"клавиша решётка"_s},
    }};
    return keys;
}

} // namespace kestrava::catalogue
