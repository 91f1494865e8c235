#pragma once

#include "catalogue/Item.h"
#include "catalogue/PhoneKeys.h"

#include <algorithm>
#include <stdexcept>

namespace kestrava::test {

// The enabled item of a catalogue whose path ends in `last` (the first of them).
inline const catalogue::Item& itemNamed(catalogue::Side side, const QString& last)
{
    // A name several items end with is refused: the test must say which, by the end of its path ("режим/атака").
    const catalogue::Item* found = nullptr;
    for (const catalogue::Item& item : catalogue::items(side)) {
        const QString path = item.path.join(u'/');
        if (item.enabled && (path == last || path.endsWith(u'/' + last))) {
            if (found)
                throw std::runtime_error("several catalogue items end with " + last.toStdString());
            found = &item;
        }
    }
    if (!found)
        throw std::runtime_error("no such catalogue item: " + last.toStdString());
    return *found;
}

// The values of an action of a column's group g with value "value" (its Java
// the same) aimed at object `target`.
inline catalogue::Values actionValues(int group, const QString& value = {}, int target = 0)
{
    using namespace Qt::Literals::StringLiterals;
    // And for an object made: one of group 1 beside an object of group 1, flying right.
    return {{u"G"_s, QString::number(group)}, {u"V"_s, value}, {u"VC"_s, value}, {u"T"_s, QString::number(target)},
            {u"C"_s, u"1"_s},                 {u"O"_s, u"1"_s}, {u"D"_s, u"1"_s},  {u"S"_s, u"2"_s}};
}

// The condition an enabled catalogue item gives with ordinary parameters:
// object n, a second object beside it, key `key`, a time of 1.5 s and a
// value of each comparison kind.
inline catalogue::Built catalogueCondition(const catalogue::Item& item, int level, int n,
                                           const catalogue::PhoneKey& key)
{
    using namespace Qt::Literals::StringLiterals;
    using P = catalogue::Parameter;
    const auto asks = [&](P p) { return std::find(item.parameters.begin(), item.parameters.end(), p) != item.parameters.end(); };
    const catalogue::TimerSetting time = catalogue::timerSetting(u"0"_s, u"1,5"_s, u"0"_s);
    catalogue::Values in{{u"L"_s, QString::number(level)},
                         {u"N"_s, QString::number(n)},
                         {u"O"_s, QString::number(n % 3 + 1)},
                         {u"B"_s, u"2"_s},
                         {u"MIN"_s, u"10"_s},
                         {u"MAX"_s, u"50"_s},
                         {u"K"_s, key.KeyName},
                         {u"KC"_s, key.KeyCode},
                         {u"T"_s, QString::number(time.time)}};
    if (asks(P::Time) || asks(P::Period))
        in[u"A"_s] = time.arg;
    else if (asks(P::Comparison))
        in[u"A"_s] = u"часы + 1>Х[объект2]"_s;
    else
        in[u"A"_s] = u">=100"_s;
    in[u"AC"_s] = asks(P::Comparison) ? u"obtime_hour+1>obj[2].getX()"_s : u">=100"_s;
    return catalogue::build(item, in);
}

} // namespace kestrava::test
