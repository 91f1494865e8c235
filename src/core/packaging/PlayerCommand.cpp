#include "packaging/PlayerCommand.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {

QString gameHeapOption()
{
    return u"-Xmx%1m"_s.arg(kGameHeapMegabytes);
}

int playerScale(model::ScreenSize size)
{
    // The player plays a screen no phone has at the usual one.
    const model::ScreenSize s = model::isGameScreen(size) ? size : model::kDefaultGameScreen;
    return std::clamp(700 / std::max(s.width, s.height), 1, 3);
}

QStringList playerArguments(const io::AppFolder& app, const QString& jad, const QString& title,
                            model::ScreenSize size)
{
    return {gameHeapOption(), u"-jar"_s, app.player(), u"--title"_s, title, u"--scale"_s,
            QString::number(playerScale(size)), jad};
}

} // namespace kestrava::packaging
