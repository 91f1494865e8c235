#include "model/ScreenSize.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {

QString gameScreenProblem(ScreenSize s)
{
    if (isGameScreen(s))
        return QString();
    return u"экран %1 x %2 точек: таких у телефонов не бывает, допускается от %3 до %4 точек по каждой стороне"_s
        .arg(s.width)
        .arg(s.height)
        .arg(kMinScreenSide)
        .arg(kMaxScreenSide);
}

} // namespace kestrava::model
