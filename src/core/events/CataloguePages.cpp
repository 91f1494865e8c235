#include "events/CataloguePages.h"

#include "events/ActionCatalogue.h"
#include "events/ConditionCatalogue.h"

#include <QHash>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::events {

namespace {

QString conditionKey(const ConditionItem& item)
{
    return u"c%1/"_s.arg(item.menu) + item.path.join(u'/');
}

QString actionKey(const ActionItem& item)
{
    return u"a%1/"_s.arg(int(item.menu)) + item.path.join(u'/');
}

// What each item does in the game, by its key. Items of the active group
// menus act on the objects of the group the column or icon stands for.
const QHash<QString, QString>& explanations()
{
    static const QHash<QString, QString> texts{
        {u"c1/Всегда"_s, u"Выполняется при каждом проходе листа событий (пять раз за такт игры)."_s},
        {u"c1/Сравнение двух значений"_s,
         u"Сравнивает два значения, собранные в окне выбора значений (числа, жизни, скорость, координаты "
         u"объектов, время), знаком =, <>, <, >, <= или >=."_s},
        {u"c3/Начало уровня"_s, u"Верно в первые 10 мс этапа: строка задаёт начальные значения."_s},
        {u"c3/Конец уровня"_s,
         u"Верно один раз, когда строка сменила этап: лист проходит ещё раз со старым номером этапа."_s},
        {u"c3/Конец игры"_s, u"Верно, когда игра закончена."_s},
        {u"c4/Сравнение общего число объектов со значением..."_s,
         u"Сравнивает число живых активных объектов этапа с числом."_s},
        {u"c5/Нажатие на клавишу..."_s,
         u"Верно в тот проход листа, когда игрок нажал выбранную клавишу телефона; удержание считается одним нажатием."_s},
        {u"c5/Двойное нажатие на клавишу..."_s,
         u"Верно, когда клавишу нажали дважды подряд не дольше чем за полсекунды."_s},
        {u"c5/Нажатие на любую клавишу"_s, u"Верно, когда нажата любая клавиша, которую знает игра."_s},
        {u"c6/Сравнение скорости игрока со значением..."_s, u"Сравнивает скорость героя (точек за такт) с числом."_s},
        {u"c6/Сравнение числа жизней игрока со значением.."_s, u"Сравнивает число жизней героя с числом."_s},
        {u"c6/Когда число жизней игрока равно нулю"_s,
         u"Верно, когда жизней не осталось. Лист проходит раньше, чем игра решает, что она проиграна: строка может "
         u"вернуть жизни или сменить этап; если и после прохода жизней нет, игра проиграна."_s},
        {u"c7/Каждую..."_s, u"Верно раз в заданное время: каждые 3 секунды, каждые полсекунды."_s},
        {u"c7/Таймер равен значению..."_s, u"Верно ровно в заданное время от начала этапа."_s},
        {u"c7/Таймер больше значения..."_s, u"Верно всё время после заданного."_s},
        {u"c7/Таймер меньше значения..."_s, u"Верно всё время до заданного."_s},
        {u"c8/обнаружение объекта"_s,
         u"Верно, когда другой объект ближе наибольшего и дальше наименьшего расстояния (по каждой оси) "
         u"от живого объекта группы."_s},
        {u"c8/столкновение/с активным объектом"_s,
         u"Верно один раз на касание: в тот проход листа, когда видимые объекты двух групп начали перекрываться. "
         u"Снова верно, только когда они разошлись и коснулись опять, так что долгое касание с «жизни −1» "
         u"отнимает одну жизнь."_s},
        {u"c8/режим/спокойствие"_s, u"Верно, пока объект стоит на месте."_s},
        {u"c8/режим/перемещение"_s, u"Верно, пока объект движется (идёт по пути или преследует)."_s},
        {u"c8/режим/атака"_s, u"Верно, пока объект атакует."_s},
        {u"c8/режим/смерть"_s, u"Верно, когда объект уничтожен."_s},
        {u"c8/координаты/сравнение Х-координаты объекта со значением"_s,
         u"Сравнивает X левого края объекта на карте уровня с числом."_s},
        {u"c8/координаты/сравнение Y-координаты объекта со значением"_s,
         u"Сравнивает Y верхнего края объекта на карте уровня с числом."_s},
        {u"c8/видимость/если объект видимый"_s, u"Верно, пока объект виден."_s},
        {u"c8/видимость/если объект невидимый"_s, u"Верно, когда объект скрыт (например, действием «невидимый»)."_s},
        {u"c8/анимация/сравнение текущего кадра со значением..."_s,
         u"Сравнивает номер показанного кадра анимации (с нуля) с числом."_s},

        {u"a1/установка края экрана/верхняя сторона"_s,
         u"Сдвигает экран по карте уровня: верхний край экрана встаёт на заданную строку точек и стоит там, "
         u"пока строка выполняется (с «Всегда» — всё время). За героем этот край следует снова с первого такта, "
         u"в котором действие не выполнялось. Экран не выходит за края уровня."_s},
        {u"a1/установка края экрана/левая сторона"_s,
         u"Левый край экрана встаёт на заданный столбец точек карты и стоит там, пока строка выполняется "
         u"(с «Всегда» — всё время). За героем этот край следует снова с первого такта, в котором действие "
         u"не выполнялось. Экран не выходит за края уровня."_s},
        {u"a3/следующий уровень"_s, u"Переход на следующий этап; после последнего игра выиграна («Победа!»)."_s},
        {u"a3/предыдущий уровень"_s, u"Возврат на предыдущий этап."_s},
        {u"a3/переход на уровень"_s, u"Переход на этап с заданным номером."_s},
        {u"a3/перезапуск текущего уровня"_s,
         u"Этап начинается заново: объекты на своих местах, таймер с нуля; жизни и скорость остаются."_s},
        {u"a3/перезапуск игры"_s, u"Игра начинается заново с этапа 1: жизни, скорость и таймер как в начале."_s},
        {u"a3/конец игры"_s,
         u"Игра окончена: лист проходит ещё раз с условием «Конец игры», затем экран «Игра окончена»."_s},
        {u"a5/управление игроком/игнорировать"_s, u"Клавиши больше не двигают героя (например, в заставке)."_s},
        {u"a5/управление игроком/вернуть"_s, u"Клавиши снова двигают героя."_s},
        {u"a6/число жизней/установить"_s, u"Задаёт число жизней героя; полоса жизней показывает его."_s},
        {u"a6/число жизней/добавить"_s, u"Прибавляет к числу жизней (отрицательное число — отнимает)."_s},
        {u"a6/скорость/установить"_s, u"Задаёт скорость героя в точках за такт."_s},
        {u"a6/скорость/добавить"_s, u"Прибавляет к скорости героя."_s},
        {u"a7/позиция/задать Х"_s, u"Ставит объект группы на заданный X карты."_s},
        {u"a7/позиция/задать Y"_s, u"Ставит объект группы на заданный Y карты."_s},
        {u"a7/анимация/изменить/номер кадра/следующий"_s, u"Показывает следующий кадр анимации объекта."_s},
        {u"a7/анимация/изменить/номер кадра/предыдущий"_s, u"Показывает предыдущий кадр анимации объекта."_s},
        {u"a7/видимость/видимый"_s, u"Делает объект видимым."_s},
        {u"a7/видимость/невидимый"_s, u"Скрывает объект: его не видно, и он ни с чем не сталкивается."_s},
        {u"a7/видимость/изменить"_s, u"Видимый объект скрывает, скрытый показывает."_s},
        {u"a7/режим/спокойствие"_s, u"Объект останавливается."_s},
        {u"a7/режим/преследование"_s, u"Объект идёт к выбранному объекту."_s},
        {u"a7/режим/избегание"_s, u"Объект уходит от выбранного объекта."_s},
        {u"a7/режим/атака"_s,
         u"Объект идёт к выбранному объекту и, догнав героя, отнимает жизнь (не чаще раза в секунду)."_s},
        {u"a7/режим/смерть"_s, u"Объект уничтожается: проигрывает анимацию уничтожения и исчезает."_s},
    };
    return texts;
}

QString conditionAsks(ConditionDialog dialog)
{
    switch (dialog) {
    case ConditionDialog::None: return u"—"_s;
    case ConditionDialog::CompareTwo: return u"два значения и знак сравнения"_s;
    case ConditionDialog::CompareOne: return u"знак сравнения и значение"_s;
    case ConditionDialog::Key: return u"клавишу телефона"_s;
    case ConditionDialog::Timer: return u"время: минуты, секунды, сотые"_s;
    case ConditionDialog::Detection: return u"наименьшее и наибольшее расстояние и обнаруживаемый объект"_s;
    case ConditionDialog::OtherObject: return u"второй объект"_s;
    }
    return QString();
}

QString actionAsks(ActionDialog dialog)
{
    switch (dialog) {
    case ActionDialog::None: return u"—"_s;
    case ActionDialog::Value: return u"значение"_s;
    case ActionDialog::Target: return u"номер объекта-цели"_s;
    }
    return QString();
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

QString actionMenuTitle(ColumnMenu menu)
{
    switch (menu) {
    case ColumnMenu::Special: return u"Столбец 1: экран"_s;
    case ColumnMenu::Sound: return u"Столбцы 2 и 7: звук"_s;
    case ColumnMenu::Stage: return u"Столбец 3: этапы"_s;
    case ColumnMenu::Objects: return u"Столбец 4: объекты"_s;
    case ColumnMenu::Control: return u"Столбец 5: управление"_s;
    case ColumnMenu::Player: return u"Столбец 6: игрок"_s;
    case ColumnMenu::ObjectActions: return u"Столбцы 8–16: активные группы 1–9"_s;
    case ColumnMenu::AddCondition:
    case ColumnMenu::None: break;
    }
    return QString();
}

const QString kTableHead = u"| Пункт меню | Спрашивает | На листе | Что делает |\n|---|---|---|---|\n"_s;

} // namespace

QString conditionIconName(int icon)
{
    switch (icon) {
    case 1: return u"Особые условия"_s;
    case 2: return u"Звук"_s;
    case 3: return u"Уровень"_s;
    case 4: return u"Объекты"_s;
    case 5: return u"Клавиши"_s;
    case 6: return u"Игрок"_s;
    case 7: return u"Таймер"_s;
    default: return u"Объект %1"_s.arg(icon - kFirstObjectIcon + 1);
    }
}

QString columnTitle(int column)
{
    static const QString titles[] = {u""_s,        u"экран"_s,      u"звук"_s,  u"этапы"_s,
                                     u"объекты"_s, u"управление"_s, u"игрок"_s, u"звук"_s};
    if (column <= 7)
        return titles[column];
    return u"активная группа %1"_s.arg(headerGroup(column));
}

QString conditionCataloguePage()
{
    QString page = u"# Условия\n\n"_s
                   u"Страница составлена программой из её собственного списка условий, поэтому в ней ровно "
                   u"те пункты, что в меню окна «Новое событие». Условие выбирают щелчком по левой части "
                   u"строки листа событий или по пустой строке под последней; см. [Редактор событий](events.md). "
                   u"Значки 8–12 (объекты активных групп 1–5) открывают одно и то же меню. "
                   u"Недоступные пункты (серые в меню) помечены словом «недоступно».\n"_s;
    int menu = 0;
    for (const ConditionItem& item : conditionCatalogue()) {
        if (item.menu != menu) {
            menu = item.menu;
            page += menu == kFirstObjectIcon ? u"\n## Значки 8–12: объект активной группы\n\n"_s
                                             : u"\n## Значок %1: %2\n\n"_s.arg(menu).arg(conditionIconName(menu));
            page += kTableHead;
        }
        const QString path = cell(item.path.join(u" → "_s));
        if (!item.enabled) {
            page += u"| %1 | | | недоступно |\n"_s.arg(path);
            continue;
        }
        page += u"| %1 | %2 | %3 | %4 |\n"_s.arg(path, conditionAsks(item.dialog), cell(readable(item.caption)),
                                                 cell(explanations().value(conditionKey(item))));
    }
    return page;
}

QString actionCataloguePage()
{
    QString page = u"# Действия\n\n"_s
                   u"Страница составлена программой из её собственного списка действий, поэтому в ней ровно "
                   u"те пункты, что в меню столбцов листа событий. Действие ставят щелчком по клетке строки "
                   u"в нужном столбце; см. [Редактор событий](events.md). Действия столбцов 8–16 относятся к "
                   u"объектам активной группы столбца. Недоступные пункты помечены словом «недоступно».\n"_s;
    bool first = true;
    ColumnMenu menu = ColumnMenu::None;
    for (const ActionItem& item : actionCatalogue()) {
        if (first || item.menu != menu) {
            first = false;
            menu = item.menu;
            page += u"\n## %1\n\n"_s.arg(actionMenuTitle(menu)) + kTableHead;
        }
        const QString path = cell(item.path.join(u" → "_s));
        if (!item.enabled) {
            page += u"| %1 | | | недоступно |\n"_s.arg(path);
            continue;
        }
        page += u"| %1 | %2 | %3 | %4 |\n"_s.arg(path, actionAsks(item.dialog), cell(readable(item.caption)),
                                                 cell(explanations().value(actionKey(item))));
    }
    return page;
}

QStringList itemsWithoutExplanation()
{
    QStringList missing;
    QSet<QString> used;
    for (const ConditionItem& item : conditionCatalogue())
        if (item.enabled) {
            used.insert(conditionKey(item));
            if (!explanations().contains(conditionKey(item)))
                missing << conditionKey(item);
        }
    for (const ActionItem& item : actionCatalogue())
        if (item.enabled) {
            used.insert(actionKey(item));
            if (!explanations().contains(actionKey(item)))
                missing << actionKey(item);
        }
    // An explanation of an item the menus no longer offer is as wrong as a missing one.
    for (auto it = explanations().cbegin(); it != explanations().cend(); ++it)
        if (!used.contains(it.key()))
            missing << it.key();
    return missing;
}

} // namespace kestrava::events
