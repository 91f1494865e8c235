#include "codegen/IndicatorsClass.h"

#include "codegen/GameStyle.h"

namespace kestrava::codegen {
namespace {

void field(JavaText& out, std::string_view name, int value)
{
    out.ascii("int ").ascii(name).ascii("=").number(value).ascii(";");
}

void bar(JavaText& out, std::string_view prefix, const interface::BarIndicator& b)
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

void writeIndicatorsClass(JavaText& out, const std::optional<interface::InterfaceSettings>& settings,
                          bool weaponPicture)
{
    const interface::InterfaceSettings s = settings.value_or(interface::InterfaceSettings{});
    out.ascii("public class Indicators{").endLine();
    out.ascii("boolean present=").ascii(settings ? "true" : "false").ascii(";").endLine();
    bar(out, "life", s.lifebar);
    bar(out, "ammo", s.ammobar);
    field(out, "timerX", s.timerX);
    field(out, "timerY", s.timerY);
    field(out, "timerBgr", gameColour(int(s.timerBgr)));
    out.endLine();
    field(out, "fontFace", gameFontFace(s.fontType));
    field(out, "fontSize", gameFontSize(s.fontSize));
    field(out, "fontStyle", gameFontStyle(s.bold, s.italic, s.underline));
    field(out, "fontColor", gameColour(int(s.fontColour)));
    out.endLine();
    field(out, "weaponX", s.weaponX);
    field(out, "weaponY", s.weaponY);
    field(out, "weaponW", s.weaponWidth);
    field(out, "weaponH", s.weaponHeight);
    field(out, "weaponBgr", gameColour(int(s.weaponBgr)));
    out.ascii("String weaponPicture=");
    if (weaponPicture)
        out.ascii("\"/").ascii(interface::kWeaponPicture).ascii("\";");
    else
        out.ascii("null;");
    out.endLine();
    out.ascii("}").endLine();
}

} // namespace kestrava::codegen
