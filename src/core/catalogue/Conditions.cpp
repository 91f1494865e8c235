#include "catalogue/Item.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

namespace {

using P = Parameter;

Item item(int menu, QStringList path, std::vector<Parameter> parameters, QString caption, QString code,
          QStringList objects, QString explanation)
{
    return {Side::Condition,   menu,           std::move(path),    true,
            std::move(parameters), std::move(caption), std::move(code), std::move(objects),
            std::move(explanation)};
}

Item disabled(int menu, QStringList path)
{
    Item item;
    item.menu = menu;
    item.path = std::move(path);
    item.enabled = false;
    return item;
}

// An item whose path was spelt otherwise before: records of then still find it.
Item renamed(Item item, const QString& formerPath)
{
    item.formerPaths << formerPath;
    return item;
}

// The object of group `token` the generated loop visits.
QString object(const QString& token)
{
    return u"gr_obj["_s + token + u"][kr"_s + token + u"]"_s;
}

// Within MAX of N on both axes, beyond MIN on one of them, N not dead, neither destroyed.
QString detectionCode()
{
    const QString a = object(u"%N"_s);
    const QString b = object(u"%B"_s);
    const QString dx = u"obj["_s + a + u"].getX()-obj["_s + b + u"].getX()"_s;
    const QString dy = u"obj["_s + a + u"].getY()-obj["_s + b + u"].getY()"_s;
    return u"(("_s + dx + u"<%MAX)&("_s + dx + u">-%MAX)&("_s + dy + u"<%MAX)&("_s + dy + u">-%MAX)&(("_s + dx
           + u">%MIN)|("_s + dx + u"<-%MIN)|("_s + dy + u">%MIN)|("_s + dy + u"<-%MIN)))&(objtip["_s + a
           + u"]!=5)&(!obj["_s + a + u"].gone)&(!obj["_s + b + u"].gone)"_s;
}

// A condition on one object of a group is tested for each of them: how its row runs.
QString eachObject(const QString& what)
{
    return what
           + u" Проверяется для каждого объекта группы: строка выполняется, если это верно хотя бы для одного, "
             u"и её действия — для каждого такого объекта (действия над этой группой — над ним самим, прочие — "
             u"столько раз, сколько таких объектов)."_s;
}

// A condition on the whole group, tested once: how its row runs.
QString wholeGroup(const QString& what)
{
    return what
           + u" Проверяется один раз за проход листа, а не для каждого объекта: действия строки выполняются "
             u"один раз, действия над этой группой — над всеми её объектами. Если объектов группы на этапе нет, "
             u"условие не выполняется."_s;
}

// "какая анимация проигрывается?": the state whose frames an object shows.
Item playing(const QString& state, int number)
{
    return item(kFirstObjectIcon, {u"анимация"_s, u"какая анимация проигрывается?"_s, state}, {},
                u"анимация хотя бы одного объекта %N: "_s + state,
                u"(obj["_s + object(u"%N"_s) + u"].state==%1)"_s.arg(number), {u"%N"_s},
                eachObject(u"Верно, пока объект показывает кадры состояния «%1»: выбранного листом («тип "
                           u"анимации») или того, что объект делает."_s.arg(state)));
}

std::vector<Item> build()
{
    constexpr int O = kFirstObjectIcon;
    const QString n = object(u"%N"_s);
    const QString collision = u"столкновение"_s;
    const QString mode = u"режим"_s;
    const QString coordinates = u"координаты"_s;
    const QString visibility = u"видимость"_s;
    const QString animation = u"анимация"_s;
    const QString motion = u"движение"_s;
    const QStringList justN{u"%N"_s};
    return {
        item(1, {u"Всегда"_s}, {}, u"Всегда"_s, u"(obtime>0)"_s, {},
             u"Выполняется при каждом проходе листа событий (пять раз за такт игры)."_s),
        item(1, {u"Сравнение двух значений"_s}, {P::Comparison}, u"%A"_s, u"(%AC)"_s, {},
             u"Сравнивает два значения, собранные в окне выбора значений (числа, жизни, скорость, координаты "
             u"объектов, время), знаком =, <>, <, >, <= или >=."_s),
        disabled(2, {u"---------"_s}),
        item(3, {u"Начало уровня"_s}, {}, u"Начало уровня"_s, u"((obtime>=0)&(obtime<10))"_s, {},
             u"Верно в первые 10 мс этапа: строка задаёт начальные значения."_s),
        item(3, {u"Конец уровня"_s}, {}, u"Конец уровня"_s, u"(etap_level==\"end\")"_s, {},
             u"Верно один раз, когда строка сменила этап: лист проходит ещё раз со старым номером этапа."_s),
        item(3, {u"Конец игры"_s}, {}, u"Конец игры"_s, u"(etap_game==\"end\")"_s, {}, u"Верно, когда игра закончена."_s),
        renamed(item(4, {u"Сравнение общего числа объектов со значением..."_s}, {P::Relation},
                     u"кол-во объектов %A"_s, u"(nobject%AC)"_s, {},
                     u"Сравнивает число живых активных объектов этапа с числом."_s),
                u"Сравнение общего число объектов со значением..."_s),
        item(5, {u"Нажатие на клавишу..."_s}, {P::Key}, u"нажатие клавиши %K"_s, u"(etap%Ldata.keyCode1==%KC)"_s, {},
             u"Верно в тот проход листа, когда игрок нажал выбранную клавишу телефона; удержание считается одним "
             u"нажатием."_s),
        item(5, {u"Двойное нажатие на клавишу..."_s}, {P::Key}, u"дв. нажатие клавиши %K"_s, u"(dbkey==%KD)"_s, {},
             u"Верно, когда клавишу нажали дважды подряд не дольше чем за полсекунды."_s),
        item(5, {u"Нажатие на любую клавишу"_s}, {}, u"Любая клавиша"_s, u"(anykey==true)"_s, {},
             u"Верно, когда нажата любая клавиша, которую знает игра."_s),
        item(5, {u"Касание экрана"_s}, {}, u"Касание экрана"_s, u"(touch.pressed)"_s, {},
             u"Верно один раз на касание: в тот проход листа, когда игрок коснулся сенсорного экрана (в "
             u"проигрывателе — нажал кнопку мыши). Где — скажут значения «Х касания» и «Y касания» (точки карты "
             u"уровня). Касание экранных кнопок — это нажатие клавиш, а не касание экрана."_s),
        item(5, {u"Касание объекта…"_s}, {P::OtherObject}, u"касание объекта %O"_s,
             u"(obj["_s + object(u"%O"_s) + u"].tapped())"_s, {u"%O"_s},
             u"Верно один раз на касание: в тот проход листа, когда игрок коснулся видимого объекта выбранной "
             u"группы там, где он нарисован. Проверяется для каждого объекта группы: действия над ней выполняются "
             u"над тем, которого коснулись."_s),
        item(5, {u"Отпускание"_s}, {}, u"Отпускание"_s, u"(touch.released)"_s, {},
             u"Верно один раз: в тот проход листа, когда игрок убрал палец с экрана (отпустил кнопку мыши)."_s),
        item(6, {u"Сравнение скорости игрока со значением..."_s}, {P::Relation}, u"скорость %A"_s, u"(speed%AC)"_s,
             {}, u"Сравнивает скорость героя (точек за такт) с числом."_s),
        renamed(item(6, {u"Сравнение числа жизней игрока со значением..."_s}, {P::Relation}, u"жизни %A"_s,
                     u"(life%AC)"_s, {}, u"Сравнивает число жизней героя с числом."_s),
                u"Сравнение числа жизней игрока со значением.."_s),
        item(6, {u"Когда число жизней игрока равно нулю"_s}, {}, u"Число жизней равно 0"_s, u"(life==0)"_s, {},
             u"Верно, когда жизней не осталось. Лист проходит раньше, чем игра решает, что она проиграна: строка "
             u"может вернуть жизни или сменить этап (новый этап начнётся с жизнями новой игры, их 3); если и "
             u"после прохода жизней нет и этап тот же, игра проиграна."_s),
        item(7, {u"Каждую..."_s}, {P::Period}, u"каждые %A"_s, u"(obtime-(obtime/%T)*%T==0)"_s, {},
             u"Верно раз в заданное время: каждые 3 секунды, каждые полсекунды."_s),
        item(7, {u"Таймер равен значению..."_s}, {P::Time}, u"Таймер равен %A"_s, u"((obtime>=%T)&(obtime<%T+10))"_s,
             {}, u"Верно ровно в заданное время от начала этапа."_s),
        item(7, {u"Таймер больше значения..."_s}, {P::Time}, u"Таймер больше %A"_s, u"(obtime>%T)"_s, {},
             u"Верно всё время после заданного."_s),
        item(7, {u"Таймер меньше значения..."_s}, {P::Time}, u"Таймер меньше %A"_s, u"(obtime<%T)"_s, {},
             u"Верно всё время до заданного."_s),
        item(O, {u"обнаружение объекта"_s}, {P::Detection}, u"%A"_s, detectionCode(), {u"%N"_s, u"%B"_s},
             u"Верно, когда другой объект ближе наибольшего и дальше наименьшего расстояния (по каждой оси) "
             u"от живого объекта группы. Проверяется для каждой пары объектов двух групп: действия над одной из "
             u"них выполняются над её объектом из этой пары."_s),
        item(O, {collision, u"с любым фоновым объектом"_s}, {}, u"столкновение %N со стеной"_s,
             u"(obj["_s + n + u"].hitsWall())"_s, justN,
             eachObject(u"Верно один раз на касание: в тот проход листа, когда объект группы упёрся в клетку "
                        u"фонового объекта-препятствия или оказался на ней. Препятствие — фоновый объект, в "
                        u"свойствах которого выбрано «является препятствием»; если в редакторе карт отмечены "
                        u"«Непроходимые плитки», не пропускают только они, иначе — любая непустая клетка. Снова "
                        u"верно, когда объект отошёл от стен и коснулся опять."_s)),
        item(O, {collision, u"с активным объектом"_s}, {P::OtherObject}, u"столкновение %N с %O"_s,
             u"(obj["_s + n + u"].collidesWith(obj["_s + object(u"%O"_s) + u"],false))"_s, {u"%N"_s, u"%O"_s},
             u"Верно один раз на касание: в тот проход листа, когда видимые объекты двух групп начали "
             u"перекрываться. Снова верно, только когда они разошлись и коснулись опять, так что долгое касание с "
             u"«жизни −1» отнимает одну жизнь. Проверяется для каждой пары объектов двух групп: действия над "
             u"одной из них выполняются над её объектом из этой пары."_s),
        item(O, {mode, u"спокойствие"_s}, {}, u"спокойствие хотя бы одного объекта %N"_s,
             u"(objtip["_s + n + u"]==1)"_s, justN, eachObject(u"Верно, пока объект стоит на месте."_s)),
        item(O, {mode, u"перемещение"_s}, {}, u"перемещение хотя бы одного объекта %N"_s,
             u"(objtip["_s + n + u"]==2)"_s, justN,
             eachObject(u"Верно, пока объект движется (идёт по пути или преследует)."_s)),
        item(O, {mode, u"атака"_s}, {}, u"атака хотя бы одного объекта %N"_s, u"(objtip["_s + n + u"]==3)"_s, justN,
             eachObject(u"Верно, пока объект атакует."_s)),
        item(O, {mode, u"смерть"_s}, {}, u"смерть хотя бы одного объекта %N"_s, u"(objtip["_s + n + u"]==5)"_s, justN,
             eachObject(u"Верно, когда объект уничтожен."_s)),
        item(O, {coordinates, u"сравнение Х-координаты объекта со значением"_s}, {P::Relation},
             u"Х-координата хотя бы одного объекта%N %A"_s, u"(obj["_s + n + u"].getX()%AC)"_s, justN,
             eachObject(u"Сравнивает X левого края объекта на карте уровня с числом."_s)),
        item(O, {coordinates, u"сравнение Y-координаты объекта со значением"_s}, {P::Relation},
             u"Y-координата хотя бы одного объекта%N %A"_s, u"(obj["_s + n + u"].getY()%AC)"_s, justN,
             eachObject(u"Сравнивает Y верхнего края объекта на карте уровня с числом."_s)),
        item(O, {motion, u"на земле"_s}, {}, u"хотя бы один объект %N на земле"_s, u"(obj["_s + n + u"].onGround())"_s,
             justN,
             eachObject(u"Верно, пока объект с типом движения «Платформер» стоит на препятствии или на нижнем "
                        u"краю уровня."_s)),
        item(O, {motion, u"в прыжке"_s}, {}, u"хотя бы один объект %N в прыжке"_s, u"(obj["_s + n + u"].jumping())"_s,
             justN, eachObject(u"Верно, пока объект-платформер летит вверх после прыжка."_s)),
        item(O, {motion, u"падает"_s}, {}, u"хотя бы один объект %N падает"_s, u"(obj["_s + n + u"].falling())"_s,
             justN,
             eachObject(u"Верно, пока объект-платформер падает: после вершины прыжка или сойдя с края "
                        u"платформы."_s)),
        item(O, {visibility, u"если объект видимый"_s}, {}, u"хотя бы один объект %N видимый"_s,
             u"(vis_obj["_s + n + u"]==true)"_s, justN,
             eachObject(u"Верно, пока объект виден; все сразу — «если все объекты видимые»."_s)),
        item(O, {visibility, u"если объект невидимый"_s}, {}, u"хотя бы один объект %N невидимый"_s,
             u"(vis_obj["_s + n + u"]==false)"_s, justN,
             eachObject(u"Верно, когда объект скрыт (например, действием «невидимый»); все сразу — «если все "
                        u"объекты невидимые»."_s)),
        item(O, {visibility, u"если все объекты видимые"_s}, {}, u"все объекты %N видимые"_s, u"(allVisible(%N))"_s,
             {}, wholeGroup(u"Верно, когда видны все объекты группы."_s)),
        item(O, {visibility, u"если все объекты невидимые"_s}, {}, u"все объекты %N невидимые"_s,
             u"(allHidden(%N))"_s, {},
             wholeGroup(u"Верно, когда скрыты все объекты группы: например, собраны все монеты."_s)),
        playing(u"спокойствие"_s, 1),
        playing(u"перемещение"_s, 2),
        playing(u"атака"_s, 3),
        playing(u"уничтожение"_s, 4),
        item(O, {animation, u"сравнение текущего кадра со значением..."_s}, {P::Relation},
             u"номер кадра хотя бы одного объекта%N %A"_s, u"(obj["_s + n + u"].shownFrame()%AC)"_s, justN,
             eachObject(u"Сравнивает номер показанного кадра полосы (с нуля) с числом."_s)),
    };
}

} // namespace

const std::vector<Item>& conditionItems()
{
    static const std::vector<Item> all = build();
    return all;
}

} // namespace kestrava::catalogue
