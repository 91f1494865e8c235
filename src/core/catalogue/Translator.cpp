#include "catalogue/Translator.h"

#include "catalogue/Words.h"
#include "io/Error.h"

#include <cmath>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

namespace {

// Checked in this order on every pass; the text keeps shrinking in between,
// so "12" is eaten in one pass and "21" in two, the order kept.
constexpr char16_t kSigns[] = u"1234567890/*-+()";

// What the author sees as the unreadable part: the rest up to the next space.
QString stuckPart(const QString& rest)
{
    const qsizetype space = rest.indexOf(u' ');
    return space < 0 ? rest : rest.left(space);
}

// A letter or digit would make the name part of a longer one.
bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

} // namespace

QString translateValue(const QString& source)
{
    return translateValue(source, {});
}

QString translateValue(const QString& source, const QList<NamedValue>& names)
{
    QString rest = source;
    QString result;
    // Two values side by side ("71 шаги", "часы 5") would run together into another Java name.
    const auto joins = [&](bool digit) {
        if (result.isEmpty())
            return;
        const QChar last = result.back();
        const bool operandEnds = last.isLetter() || last == u')' || last == u']' || last == u'_';
        if (operandEnds || (!digit && last.isDigit()))
            throw io::Error(u"Значение «%1»: перед «%2» нужен знак (+, -, * или /)."_s.arg(io::excerpt(source),
                                                                                      io::excerpt(stuckPart(rest))));
    };
    while (!rest.isEmpty()) {
        const qsizetype before = rest.size();
        if (rest.startsWith(u' '))
            rest.remove(0, 1);
        for (const char16_t sign : kSigns) {
            if (sign != 0 && rest.startsWith(QChar(sign))) {
                if (QChar(sign).isDigit())
                    joins(true);
                result += QChar(sign);
                rest.remove(0, 1);
            }
        }
        // Before the words: "скорость[объект1]" is an object's speed, not the game's followed by a bracket.
        for (const ObjectWord& form : objectWords()) {
            const qsizetype n = form.prefix.size();
            if (n == 0)
                continue;
            // Only one digit and its closing bracket: the chooser never writes more.
            if (rest.startsWith(form.prefix) && rest.size() >= n + 2 && rest.at(n).unicode() >= u'0'
                && rest.at(n).unicode() <= u'9' && rest.at(n + 1) == u']') {
                joins(false);
                result += form.before + rest.at(n) + form.after;
                rest.remove(0, n + 2);
            }
        }
        for (const NamedValue& name : names) {
            const qsizetype n = name.name.size();
            if (n > 0 && rest.startsWith(name.name) && (rest.size() == n || !isNamePart(rest.at(n)))) {
                joins(false);
                result += name.java;
                rest.remove(0, n);
            }
        }
        for (const ValueWord& word : valueWords()) {
            if (!word.word.isEmpty() && rest.startsWith(word.word)) {
                joins(false);
                result += word.java;
                rest.remove(0, word.word.size());
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

} // namespace kestrava::catalogue
