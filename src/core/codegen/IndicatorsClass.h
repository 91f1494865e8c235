#pragma once

#include "codegen/JavaText.h"
#include "interface/InterfaceSettings.h"

#include <optional>

namespace kestrava::codegen {

// Indicators.java: the lives bar, ammunition bar, timer and weapon of the
// project's interface settings file, where the game draws them. Written for
// every project; without a settings file `present` is false and the game
// draws none of them. weaponPicture: "/Weapon.png" is in res.
void writeIndicatorsClass(JavaText& out, const std::optional<interface::InterfaceSettings>& settings,
                          bool weaponPicture);

inline constexpr const char* kIndicatorsSource = "Indicators.java";

} // namespace kestrava::codegen
