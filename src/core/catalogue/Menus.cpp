#include "catalogue/Menus.h"

#include "model/Capacities.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

ColumnMenu columnMenu(int column)
{
    switch (column) {
    case 1: return ColumnMenu::Special;
    case 2:
    case 7: return ColumnMenu::Sound;
    case 3: return ColumnMenu::Stage;
    case 4: return ColumnMenu::Objects;
    case 5: return ColumnMenu::Control;
    case 6: return ColumnMenu::Player;
    default: break;
    }
    if (column >= 8 && column <= model::kMaxActions)
        return ColumnMenu::ObjectActions;
    return ColumnMenu::AddCondition;
}

int actionGroup(int column)
{
    return column >= 8 && column <= model::kMaxActions ? column - 7 : 0;
}

int headerGroup(int column)
{
    return column >= 8 && column <= model::kMaxActions ? column - 7 : 0;
}

QString columnTitle(int column)
{
    static const QString titles[] = {u""_s,        u"экран"_s,      u"звук"_s,  u"этапы"_s,
                                     u"объекты"_s, u"управление"_s, u"игрок"_s, u"звук"_s};
    if (column <= 7)
        return titles[column];
    return u"активная группа %1"_s.arg(headerGroup(column));
}

int conditionMenu(int icon)
{
    if (icon >= 1 && icon < kFirstObjectIcon)
        return icon;
    if (icon >= kFirstObjectIcon && icon < kFirstObjectIcon + kObjectIconCount)
        return kFirstObjectIcon;
    return 0;
}

QString conditionIconName(int icon)
{
    static const QString names[] = {{},          u"Особые условия"_s, u"Звук"_s,    u"Уровень"_s,
                                    u"Объекты"_s, u"Клавиши"_s,        u"Игрок"_s,   u"Таймер"_s};
    if (icon >= 1 && icon < kFirstObjectIcon)
        return names[icon];
    return u"Объект %1"_s.arg(icon - kFirstObjectIcon + 1);
}

} // namespace kestrava::catalogue
