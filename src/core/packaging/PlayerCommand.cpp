#include "packaging/PlayerCommand.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {

settings::ScreenSize playSize(settings::ScreenSize chosen)
{
    return model::isGameScreen(chosen) ? chosen : model::kDefaultGameScreen;
}

QStringList playerArguments(const io::AppFolder& app, const QString& jad, const QString& title,
                            settings::ScreenSize size)
{
    const settings::ScreenSize s = playSize(size);
    // A phone screen is small: three times larger at most, and no taller than about 700 pixels.
    const int scale = std::clamp(700 / std::max(s.width, s.height), 1, 3);
    return {u"-jar"_s, app.player(), u"--title"_s, title, u"--size"_s,
            u"%1x%2"_s.arg(s.width).arg(s.height), u"--scale"_s, QString::number(scale), jad};
}

} // namespace kestrava::packaging
