#pragma once

#include "catalogue/Variables.h"

#include <QString>

#include <array>
#include <optional>

namespace kestrava::catalogue {

// Turns the readable text of a value ("1 + часы", " Х[объект2] * 2") into the
// Java expression the game evaluates ("1+obtime_hour", "obj[2].getX()*2").
// Digits, signs and brackets are copied, spaces dropped, the words and object
// forms of the value chooser replaced. Text outside that vocabulary throws
// io::Error naming the value and the part that could not be read.
// Names (the score, the author's variables) are read as whole words, before
// the chooser's words.
QString translateValue(const QString& source);
QString translateValue(const QString& source, const QList<NamedValue>& names);

// One comparison of the relation radio buttons: caption and Java operator.
struct ComparisonOperator {
    QString caption;
    QString code;
};

// The six comparisons in the order of the radio buttons.
const std::array<ComparisonOperator, 6>& comparisonOperators();

// A real number as an author types it: surrounding spaces ignored, "," or "."
// as the decimal separator. nullopt when the text is not a finite number.
std::optional<double> readReal(const QString& text);

} // namespace kestrava::catalogue
