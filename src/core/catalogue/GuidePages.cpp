#include "catalogue/GuidePages.h"

#include "catalogue/Item.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

namespace {

QString asksAll(const Item& item)
{
    QStringList asked;
    for (const Parameter parameter : item.parameters)
        asked << asks(parameter);
    return asked.isEmpty() ? u"—"_s : asked.join(u"; "_s);
}

// A caption template as the author reads it: the parts filled in later named.
QString readable(QString caption)
{
    return caption.replace(u"%VC"_s, u"‹значение›"_s)
        .replace(u"%V"_s, u"‹значение›"_s)
        .replace(u"%AC"_s, u"‹условие›"_s)
        .replace(u"%A"_s, u"‹условие›"_s)
        .replace(u"%KC"_s, u"‹клавиша›"_s)
        .replace(u"%K"_s, u"‹клавиша›"_s)
        .replace(u"%N"_s, u"‹N›"_s)
        .replace(u"%O"_s, u"‹второй›"_s);
}

QString cell(const QString& text)
{
    QString escaped = text;
    return escaped.replace(u'|', u"\\|"_s);
}

QString menuTitle(Side side, int menu)
{
    if (side == Side::Condition)
        return menu == kFirstObjectIcon ? u"Значки 8–12: объект активной группы"_s
                                        : u"Значок %1: %2"_s.arg(menu).arg(conditionIconName(menu));
    switch (ColumnMenu(menu)) {
    case ColumnMenu::Special: return u"Столбец 1: экран"_s;
    case ColumnMenu::Sound: return u"Столбцы 2 и 7: звук"_s;
    case ColumnMenu::Stage: return u"Столбец 3: этапы"_s;
    case ColumnMenu::Objects: return u"Столбец 4: объекты"_s;
    case ColumnMenu::Control: return u"Столбец 5: управление"_s;
    case ColumnMenu::Player: return u"Столбец 6: игрок"_s;
    case ColumnMenu::ObjectActions: return u"Столбцы 8–20: активные группы 1–13"_s;
    case ColumnMenu::AddCondition:
    case ColumnMenu::None: break;
    }
    return QString();
}

// The page's tables, one a menu, one row an item.
QString tables(Side side)
{
    QString page;
    int menu = -1;
    for (const Item& item : items(side)) {
        if (item.menu != menu) {
            menu = item.menu;
            page += u"\n## %1\n\n| Пункт меню | Спрашивает | На листе | Что делает |\n|---|---|---|---|\n"_s.arg(
                menuTitle(side, menu));
        }
        const QString path = cell(item.path.join(u" → "_s));
        if (!item.enabled) {
            page += u"| %1 | | | недоступно |\n"_s.arg(path);
            continue;
        }
        page += u"| %1 | %2 | %3 | %4 |\n"_s.arg(path, asksAll(item), cell(readable(item.caption)),
                                                 cell(item.explanation));
    }
    return page;
}

} // namespace

QString conditionCataloguePage()
{
    return u"# Условия\n\n"_s
           u"Страница составлена программой из её собственного списка условий, поэтому в ней ровно "
           u"те пункты, что в меню окна «Новое событие». Условие выбирают щелчком по левой части "
           u"строки листа событий или по пустой строке под последней; см. [Редактор событий](events.md). "
           u"Значки 8–12 (объекты активных групп 1–5) открывают одно и то же меню. "
           u"Недоступные пункты (серые в меню) помечены словом «недоступно».\n"_s
           + tables(Side::Condition);
}

QString actionCataloguePage()
{
    return u"# Действия\n\n"_s
           u"Страница составлена программой из её собственного списка действий, поэтому в ней ровно "
           u"те пункты, что в меню столбцов листа событий. Действие ставят щелчком по клетке строки "
           u"в нужном столбце; см. [Редактор событий](events.md). Действия столбцов 8–20 относятся к "
           u"объектам активной группы столбца (столбец 8 — группа 1, столбец 20 — группа 13). Недоступные пункты помечены словом «недоступно».\n"_s
           + tables(Side::Action);
}

QStringList itemsWithoutExplanation()
{
    QStringList missing;
    for (const Side side : {Side::Condition, Side::Action})
        for (const Item& item : items(side))
            if (item.enabled && item.explanation.trimmed().isEmpty())
                missing << itemKey(item);
    return missing;
}

} // namespace kestrava::catalogue
