#include "io/ColourNames.h"

#include <array>
#include <span>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {
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

// The desktop's system colours by their index, with the 0x00BBGGRR the usual
// scheme gives them; index 25 has no colour.
constexpr std::array<NamedColour, 31> kSystemColours{{
    {0xC8C8C8, u"clScrollBar"},     {0x000000, u"clBackground"},      {0xD1B499, u"clActiveCaption"},
    {0xDBCDBF, u"clInactiveCaption"}, {0xF0F0F0, u"clMenu"},          {0xFFFFFF, u"clWindow"},
    {0x646464, u"clWindowFrame"},   {0x000000, u"clMenuText"},        {0x000000, u"clWindowText"},
    {0x000000, u"clCaptionText"},   {0xB4B4B4, u"clActiveBorder"},    {0xFCF7F4, u"clInactiveBorder"},
    {0xABABAB, u"clAppWorkSpace"},  {0xD77800, u"clHighlight"},       {0xFFFFFF, u"clHighlightText"},
    {0xF0F0F0, u"clBtnFace"},       {0xA0A0A0, u"clBtnShadow"},       {0x6D6D6D, u"clGrayText"},
    {0x000000, u"clBtnText"},       {0x000000, u"clInactiveCaptionText"}, {0xFFFFFF, u"clBtnHighlight"},
    {0x696969, u"cl3DDkShadow"},    {0xE3E3E3, u"cl3DLight"},         {0x000000, u"clInfoText"},
    {0xE1FFFF, u"clInfoBk"},        {-1, nullptr},                    {0xCC6600, u"clHotLight"},
    {0xEAD1B9, u"clGradientActiveCaption"}, {0xF2E4D7, u"clGradientInactiveCaption"},
    {0xD77800, u"clMenuHighlight"}, {0xF0F0F0, u"clMenuBar"},
}};

// The system colour a value stands for; nullptr for any other value.
const NamedColour* systemColour(int value)
{
    const quint32 v = quint32(value);
    if ((v >> 24) != quint32(kSystemColour) || (v & 0xFFFF00u) != 0)
        return nullptr;
    const size_t index = v & 0xFFu;
    if (index >= kSystemColours.size() || kSystemColours[index].name == nullptr)
        return nullptr;
    return &kSystemColours[index];
}

} // namespace

int colourValue(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

QColor colourOf(int value)
{
    if (const NamedColour* system = systemColour(value))
        value = system->value;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QString colourText(int value)
{
    for (const NamedColour& c : kNamedColours)
        if (c.value == value)
            return QString::fromUtf16(c.name);
    if (const NamedColour* system = systemColour(value))
        return QString::fromUtf16(system->name);
    return u"$%1"_s.arg(quint32(value), 8, 16, QChar(u'0')).toUpper();
}

std::optional<int> namedColourValue(const QString& name)
{
    const QString wanted = name.trimmed();
    for (std::span<const NamedColour> table : {std::span<const NamedColour>(kNamedColours),
                                               std::span<const NamedColour>(kSystemColours)})
        for (const NamedColour& c : table)
            if (c.name && wanted.compare(QString::fromUtf16(c.name), Qt::CaseInsensitive) == 0)
                return c.value;
    return std::nullopt;
}

} // namespace kestrava::io
