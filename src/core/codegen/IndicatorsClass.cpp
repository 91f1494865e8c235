#include "codegen/IndicatorsClass.h"

#include "codegen/ExtraClass.h"

namespace kestrava::codegen {
namespace {

void field(JavaText& out, std::string_view name, int value)
{
    out.ascii("int ").ascii(name).ascii("=").number(value).ascii(";");
}

void bar(JavaText& out, std::string_view prefix, const settings::BarIndicator& b)
{
    const std::string p(prefix);
    field(out, p + "X", b.x);
    field(out, p + "Y", b.y);
    field(out, p + "W", b.width);
    field(out, p + "H", b.height);
    field(out, p + "Bgr", gameColour(int(b.bgr)));
    field(out, p + "Fg", gameColour(int(b.fg)));
    field(out, p + "Frame", gameColour(int(b.frame)));
    out.endLine();
}

} // namespace

void writeIndicatorsClass(JavaText& out, const std::optional<settings::InterfaceSettings>& settings,
                          bool weaponPicture)
{
    const settings::InterfaceSettings s = settings.value_or(settings::InterfaceSettings{});
    out.ascii("public class Indicators{").endLine();
    out.ascii("boolean present=").ascii(settings ? "true" : "false").ascii(";").endLine();
    bar(out, "life", s.lifebar);
    bar(out, "ammo", s.ammobar);
    field(out, "timerX", s.timerX);
    field(out, "timerY", s.timerY);
    field(out, "timerBgr", gameColour(int(s.timerBgr)));
    out.endLine();
    // The game's Font faces and sizes; a size never chosen reads as the middle one.
    constexpr int faces[] = {0, 32, 64};
    constexpr int sizes[] = {8, 0, 16};
    field(out, "fontFace", faces[s.fontType >= 0 && s.fontType <= 2 ? s.fontType : 0]);
    field(out, "fontSize", sizes[s.fontSize >= 0 && s.fontSize <= 2 ? s.fontSize : 1]);
    field(out, "fontStyle", (s.bold ? 1 : 0) | (s.italic ? 2 : 0) | (s.underline ? 4 : 0));
    field(out, "fontColor", gameColour(int(s.fontColour)));
    out.endLine();
    field(out, "weaponX", s.weaponX);
    field(out, "weaponY", s.weaponY);
    field(out, "weaponW", s.weaponWidth);
    field(out, "weaponH", s.weaponHeight);
    field(out, "weaponBgr", gameColour(int(s.weaponBgr)));
    out.ascii("String weaponPicture=").ascii(weaponPicture ? "\"/Weapon.png\";" : "null;").endLine();
    out.ascii("}").endLine();
}

} // namespace kestrava::codegen
