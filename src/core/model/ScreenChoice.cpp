#include "model/ScreenChoice.h"

#include "io/Error.h"
#include "model/Numbers.h"

#include <QLocale>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {

const std::array<ScreenSize, 5>& handsetScreens()
{
    static const std::array<ScreenSize, 5> screens{{{128, 128}, {128, 160}, {176, 208}, {176, 220}, {240, 320}}};
    return screens;
}

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

namespace {

int screenSide(const QString& text, const QString& boxName)
{
    const int side = parseSizeBox(text, boxName);
    if (side < model::kMinScreenSide || side > model::kMaxScreenSide)
        throw io::Error(u"%1: %2 — таких экранов у телефонов не бывает; допускается от %3 до %4 точек"_s.arg(boxName)
                            .arg(side)
                            .arg(model::kMinScreenSide)
                            .arg(model::kMaxScreenSide));
    return side;
}

} // namespace

ScreenSize applySizeChoice(ScreenSize current, std::optional<ScreenSize> handset, bool own,
                           const QString& widthText, const QString& heightText)
{
    if (handset)
        return *handset;
    if (!own)
        return current;
    const int height = screenSide(heightText, u"Высота экрана"_s);
    const int width = screenSide(widthText, u"Ширина экрана"_s);
    return {width, height};
}

namespace {

int kilobytes(const QString& text, const QString& boxName)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok)
        throw io::Error(u"%1: «%2» — не целое число. Введите размер в килобайтах, например 300"_s.arg(boxName, text));
    return value;
}

} // namespace

GameBudgetData parseBudgetBoxes(const QString& jarText, const QString& heapText)
{
    const GameBudgetData budget{kilobytes(jarText, u"Размер jar"_s), kilobytes(heapText, u"Память игры"_s)};
    if (const QString problem = gameBudgetProblem(budget); !problem.isEmpty())
        throw io::Error(problem);
    return budget;
}

QString budgetText(const GameBudgetData& budget)
{
    return u"jar до %1 КБ, память игры %2 КБ"_s.arg(budget.JarKB).arg(budget.HeapKB);
}

QString sizeText(ScreenSize size)
{
    return QString::number(size.width) + u" x "_s + QString::number(size.height);
}

QString sizeButtonCaption(ScreenSize size)
{
    return u"размер: "_s + sizeText(size);
}

} // namespace kestrava::model
