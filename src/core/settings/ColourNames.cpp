#include "settings/ColourNames.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::settings {
namespace {

struct NamedColour {
    int value;
    const char16_t* name;
};

// The standard colours a game interface file names; values are 0x00BBGGRR.
constexpr std::array<NamedColour, 20> kNamedColours{{
    {0x000000, u"clBlack"},      {0x000080, u"clMaroon"}, {0x008000, u"clGreen"},
    {0x008080, u"clOlive"},      {0x800000, u"clNavy"},   {0x800080, u"clPurple"},
    {0x808000, u"clTeal"},       {0x808080, u"clGray"},   {0xC0C0C0, u"clSilver"},
    {0x0000FF, u"clRed"},        {0x00FF00, u"clLime"},   {0x00FFFF, u"clYellow"},
    {0xFF0000, u"clBlue"},       {0xFF00FF, u"clFuchsia"}, {0xFFFF00, u"clAqua"},
    {0xFFFFFF, u"clWhite"},      {0xC0DCC0, u"clMoneyGreen"}, {0xF0CAA6, u"clSkyBlue"},
    {0xA4A0A0, u"clMedGray"},    {0xF0FBFF, u"clCream"},
}};

} // namespace

int colourValue(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QColor colourOf(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QString colourText(int value)
{
    for (const NamedColour& c : kNamedColours)
        if (c.value == value)
            return QString::fromUtf16(c.name);
    return u"$%1"_s.arg(quint32(value), 8, 16, QChar(u'0')).toUpper();
}

} // namespace kestrava::settings
