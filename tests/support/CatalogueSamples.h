#pragma once

#include "events/ConditionCatalogue.h"
#include "events/PhoneKeys.h"

namespace kestrava::test {

// The condition an enabled catalogue item gives with ordinary parameters:
// object n, a second object beside it, key `key`, a time of 1.5 s and a
// value of each comparison kind.
inline events::Condition catalogueCondition(const events::ConditionItem& item, int level, int n,
                                            const events::PhoneKey& key)
{
    using namespace Qt::Literals::StringLiterals;
    using D = events::ConditionDialog;
    events::ConditionInput in;
    in.level = level;
    in.object = n;
    in.other = n % 3 + 1;
    in.detected = 2;
    in.minRadius = 10;
    in.maxRadius = 50;
    in.keyName = key.KeyName;
    in.keyCode = key.KeyCode;
    const events::TimerSetting time = events::timerSetting(u"0"_s, u"1,5"_s, u"0"_s);
    in.time = time.time;
    if (item.dialog == D::Timer)
        in.arg = time.arg;
    else if (item.dialog == D::CompareTwo)
        in.arg = u"часы + 1>Х[объект2]"_s;
    else
        in.arg = u">=100"_s;
    in.argCode = item.dialog == D::CompareTwo ? u"obtime_hour+1>obj[2].getX()"_s : u">=100"_s;
    return events::buildCondition(item, in);
}

} // namespace kestrava::test
