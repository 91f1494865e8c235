#include "packaging/PlayerCommand.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {

model::ScreenSize playSize(model::ScreenSize chosen)
{
    return model::isGameScreen(chosen) ? chosen : model::kDefaultGameScreen;
}

int playerScale(model::ScreenSize size)
{
    const model::ScreenSize s = playSize(size);
    return std::clamp(700 / std::max(s.width, s.height), 1, 3);
}

QStringList playerArguments(const io::AppFolder& app, const QString& jad, const QString& title,
                            model::ScreenSize size)
{
    const model::ScreenSize s = playSize(size);
    return {u"-jar"_s, app.player(), u"--title"_s, title, u"--size"_s,
            u"%1x%2"_s.arg(s.width).arg(s.height), u"--scale"_s, QString::number(playerScale(size)), jad};
}

} // namespace kestrava::packaging
