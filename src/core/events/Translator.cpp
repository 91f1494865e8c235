#include "events/Translator.h"

#include "io/Error.h"

#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::events {

namespace {

// Checked in this order on every pass; the text keeps shrinking in between,
// so "12" is eaten in one pass and "21" in two, the order kept.
constexpr char16_t kSigns[] = u"1234567890/*-+()";

const std::pair<QString, QString> kWords[] = {
    {u"часы"_s, u"obtime_hour"_s},       {u"минуты"_s, u"obtime_minute"_s},
    {u"секунды"_s, u"obtime_second"_s},  {u"сотые"_s, u"obtime_hundred"_s},
    {u"скорость"_s, u"speed"_s},         {u"жизни"_s, u"life"_s},
    {u"высота"_s, u"height"_s},          {u"ширина"_s, u"width"_s},
    {u"сум_объекты"_s, u"nobject"_s},    {u"уровень"_s, u"level"_s},
    {u"число"_s, u"number"_s},
};

struct ObjectForm {
    QString prefix;
    QString before;
    QString after;
};

// The first is a Cyrillic "Х", the others Latin letters, as the chooser writes them.
const ObjectForm kObjectForms[] = {
    {u"Х[объект"_s, u"obj["_s, u"].getX()"_s},
    {u"Y[объект"_s, u"obj["_s, u"].getY()"_s},
    {u"Xn[объект"_s, u"raspxobd["_s, u"]"_s},
    {u"Yn[объект"_s, u"raspyobd["_s, u"]"_s},
};

// What the author sees as the unreadable part: the rest up to the next space.
QString stuckPart(const QString& rest)
{
    const qsizetype space = rest.indexOf(u' ');
    return space < 0 ? rest : rest.left(space);
}

} // namespace

QString translateValue(const QString& source)
{
    QString rest = source;
    QString result;
    while (!rest.isEmpty()) {
        const qsizetype before = rest.size();
        if (rest.startsWith(u' '))
            rest.remove(0, 1);
        for (const char16_t sign : kSigns) {
            if (sign != 0 && rest.startsWith(QChar(sign))) {
                result += QChar(sign);
                rest.remove(0, 1);
            }
        }
        for (const auto& [word, java] : kWords) {
            if (rest.startsWith(word)) {
                result += java;
                rest.remove(0, word.size());
            }
        }
        for (const ObjectForm& form : kObjectForms) {
            const qsizetype n = form.prefix.size();
            // Only one digit and its closing bracket: the chooser never writes more.
            if (rest.startsWith(form.prefix) && rest.size() >= n + 2 && rest.at(n).unicode() >= u'0'
                && rest.at(n).unicode() <= u'9' && rest.at(n + 1) == u']') {
                result += form.before + rest.at(n) + form.after;
                rest.remove(0, n + 2);
            }
        }
        // A pass that ate nothing would repeat forever.
        if (rest.size() == before)
            throw io::Error(u"Значение «%1»: не удалось прочитать «%2»."_s.arg(io::excerpt(source),
                                                                            io::excerpt(stuckPart(rest))));
    }
    return result;
}

const std::array<ComparisonOperator, 6>& comparisonOperators()
{
    static const std::array<ComparisonOperator, 6> operators{{
        {u"равно"_s, u"=="_s},
        {u"не равно"_s, u"!="_s},
        {u"больше"_s, u">"_s},
        {u"больше или равно"_s, u">="_s},
        {u"меньше"_s, u"<"_s},
        {u"меньше или равно"_s, u"<="_s},
    }};
    return operators;
}

std::optional<double> readReal(const QString& text)
{
    QString plain = text.trimmed();
    plain.replace(u',', u'.');
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace kestrava::events
