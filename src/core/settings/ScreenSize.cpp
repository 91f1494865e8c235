#include "settings/ScreenSize.h"

#include "io/Error.h"
#include "model/Numbers.h"

#include <QLocale>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::settings {

int parseSizeBox(const QString& text, const QString& boxName)
{
    QString number = text.trimmed();
    // The Russian separator is ","; "." is what many authors type anyway.
    number.replace(u',', u'.');
    bool ok = false;
    const double value = number.isEmpty() ? 0.0 : QLocale::c().toDouble(number, &ok);
    if (!ok || !std::isfinite(value))
        throw io::Error(u"%1: «%2» — не число. Введите размер в точках, например 120 или 120,5"_s.arg(boxName, text));
    if (std::abs(value) > double(std::numeric_limits<int>::max()) - 1)
        throw io::Error(u"%1: число «%2» слишком велико для размера экрана"_s.arg(boxName, text.trimmed()));
    return model::nearest(value);
}

ScreenSize applySizeChoice(ScreenSize current, ScreenSizeOption option, const QString& widthText,
                           const QString& heightText)
{
    switch (option) {
    case ScreenSizeOption::None:
        return current;
    case ScreenSizeOption::Size128x128:
        return {128, 128};
    case ScreenSizeOption::Size128x176:
        return {128, 176};
    case ScreenSizeOption::Own: {
        const int height = parseSizeBox(heightText, u"Высота экрана"_s);
        const int width = parseSizeBox(widthText, u"Ширина экрана"_s);
        return {width, height};
    }
    }
    return current;
}

QString sizeButtonCaption(ScreenSize size)
{
    return u"размер: "_s + QString::number(size.width) + u" x "_s + QString::number(size.height);
}

} // namespace kestrava::settings
