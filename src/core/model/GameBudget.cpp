#include "model/GameBudget.h"

#include "model/ScreenChoice.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::model {
namespace {

// In the order of handsetScreens(): what phones of those screens took and gave.
constexpr std::array<GameBudgetData, 5> kHandsetBudgets{{{64, 512}, {128, 1024}, {300, 2048}, {300, 2048}, {1024, 4096}}};

} // namespace

std::optional<GameBudgetData> handsetBudget(ScreenSize screen)
{
    for (size_t k = 0; k < handsetScreens().size(); ++k)
        if (handsetScreens()[k] == screen)
            return kHandsetBudgets[k];
    return std::nullopt;
}

GameBudgetData defaultBudget(ScreenSize screen)
{
    GameBudgetData budget = kHandsetBudgets[0];
    for (size_t k = 0; k < handsetScreens().size(); ++k)
        if (handsetScreens()[k].width <= screen.width && handsetScreens()[k].height <= screen.height)
            budget = kHandsetBudgets[k];
    return budget;
}

GameBudgetData gameBudget(ScreenSize screen, const std::optional<GameBudgetData>& own)
{
    if (const std::optional<GameBudgetData> handset = handsetBudget(screen))
        return *handset;
    return own ? *own : defaultBudget(screen);
}

QString gameBudgetProblem(const GameBudgetData& budget)
{
    const auto problem = [](int kb, const QString& what) {
        if (kb >= kMinBudgetKB && kb <= kMaxBudgetKB)
            return QString();
        return u"%1: %2 КБ — такого у телефонов не бывает; допускается от %3 до %4 КБ"_s.arg(what)
            .arg(kb)
            .arg(kMinBudgetKB)
            .arg(kMaxBudgetKB);
    };
    if (QString p = problem(budget.JarKB, u"Размер jar"_s); !p.isEmpty())
        return p;
    return problem(budget.HeapKB, u"Память игры"_s);
}

} // namespace kestrava::model
