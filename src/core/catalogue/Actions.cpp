#include "catalogue/Item.h"

#include <QRegularExpression>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

namespace {

using M = ColumnMenu;
using P = Parameter;

Item item(M menu, QStringList path, std::vector<Parameter> parameters, QString caption, QString code,
          QStringList objects, QString explanation)
{
    return {Side::Action,          int(menu),          std::move(path),    true,
            std::move(parameters), std::move(caption), std::move(code),    std::move(objects),
            std::move(explanation)};
}

// An object's statement: gr_obj[G][krG] is the object of group G the
// generated loop visits.
QString onObject(const QString& format)
{
    QString code = format;
    return code.replace(u"OBJ"_s, u"gr_obj[%G][kr%G]"_s);
}

// "тип анимации": the frames of one of the four states show whatever the object does.
Item animationState(const QString& state, int number)
{
    return item(M::ObjectActions, {u"анимация"_s, u"изменить"_s, u"тип анимации"_s, state}, {},
                u"тип анимации: "_s + state, onObject(u"{obj[OBJ].chooseState(%1);}"_s.arg(number)), {u"%G"_s},
                u"Объект показывает кадры состояния «%1», что бы он ни делал, пока лист не выберет другое (или «по "
                u"движению»). Уничтожен он только режимом «смерть»."_s.arg(state));
}

QString made(const QString& where)
{
    return u"Создаёт объект выбранной активной группы этапа %1. Он ведёт себя как расставленный: движется по "
           u"типу движения группы, показывает её анимацию, сталкивается, его видят условия о группе (со следующего "
           u"прохода листа), на него действуют действия столбца группы. С направлением он летит прямо с заданной "
           u"скоростью и исчезает, выйдя за край уровня или упёршись в препятствие. Объектов, созданных так, у "
           u"группы одновременно не больше, чем «Наибольшее число объектов на экране» в её свойствах (по умолчанию "
           u"10): когда их столько, новый не создаётся, и игра идёт дальше без ошибки. Место уничтоженного "
           u"(«уничтожить») или исчезнувшего объекта занимает следующий созданный."_s.arg(where);
}

QString frameStep(const QString& which)
{
    return u"Показывает %1 кадр полосы (после последнего — первый, перед первым — последний) и останавливает "
           u"на нём анимацию до действия «начать»: так кадры можно листать по клавише."_s.arg(which);
}

std::vector<Item> build()
{
    const QString edges = u"установка края экрана"_s;
    const QString sound = u"звук"_s;
    const QString lives = u"число жизней"_s;
    const QString speed = u"скорость"_s;
    const QString position = u"позиция"_s;
    const QString animation = u"анимация"_s;
    const QString change = u"изменить"_s;
    const QString frame = u"номер кадра"_s;
    const QString visibility = u"видимость"_s;
    const QString mode = u"режим"_s;
    const QStringList g{u"%G"_s};
    const QStringList gt{u"%G"_s, u"%T"_s};
    return {
        item(M::Special, {edges, u"верхняя сторона"_s}, {P::Value}, u"верхний край экрана = %V"_s,
             u"{delraspy=%VC;}"_s, {},
             u"Сдвигает экран по карте уровня: верхний край экрана встаёт на заданную строку точек и стоит там, "
             u"пока строка выполняется (с «Всегда» — всё время). За героем этот край следует снова с первого "
             u"такта, в котором действие не выполнялось. Экран не выходит за края уровня."_s),
        item(M::Special, {edges, u"левая сторона"_s}, {P::Value}, u"левый край экрана = %V"_s, u"{delraspx=%VC;}"_s,
             {},
             u"Левый край экрана встаёт на заданный столбец точек карты и стоит там, пока строка выполняется "
             u"(с «Всегда» — всё время). За героем этот край следует снова с первого такта, в котором действие "
             u"не выполнялось. Экран не выходит за края уровня."_s),
        item(M::Special, {u"переменная"_s, u"установить…"_s}, {P::Variable, P::Value}, u"%WN = %V"_s,
             u"{GameValues.v%W=%VC;}"_s, {},
             u"Задаёт значение переменной игры (целое число). Переменные задаются в «Настройки игры» → "
             u"«Переменные»; текст может показать её: «{имя}»."_s),
        item(M::Special, {u"переменная"_s, u"добавить…"_s}, {P::Variable, P::Value}, u"%WN + %V"_s,
             u"{GameValues.v%W=GameValues.v%W+%VC;}"_s, {},
             u"Прибавляет к переменной игры (отрицательное число — отнимает)."_s),
        item(M::Sound, {sound, u"играть…"_s}, {P::PlayedSound}, u"играть звук %SND%A"_s, u"{Sounds.play(%SND,%R);}"_s,
             {},
             u"Играет звук проекта с начала («повторять» — по кругу, пока его не остановят). Играющий без повтора "
             u"звук начинается заново, но не чаще раза за такт; повторяющийся продолжает играть. Телефон играет "
             u"один звук за раз: новый останавливает прежний (сигналы звучат поверх). Смена этапа и конец игры "
             u"останавливают все звуки, пауза игры (звонок, сворачивание) прерывает их, а возврат продолжает. "
             u"Звук, который телефон не может сыграть, пропускается, игра идёт дальше. При выключенном звуке "
             u"ничего не слышно."_s),
        item(M::Sound, {sound, u"остановить…"_s}, {P::Sound}, u"остановить звук %SND"_s, u"{Sounds.stop(%SND);}"_s, {},
             u"Останавливает звук проекта, если он играет."_s),
        item(M::Sound, {sound, u"остановить все звуки"_s}, {}, u"остановить все звуки"_s, u"{Sounds.stopAll();}"_s, {},
             u"Останавливает все звуки этапа."_s),
        item(M::Sound, {sound, u"громкость…"_s}, {P::Volume}, u"громкость %VOL"_s, u"{Sounds.volume(%VOL);}"_s, {},
             u"Громкость всех звуков и сигналов игры, от 0 (тихо) до 100 (как записано)."_s),
        item(M::Sound, {u"мелодия"_s, u"сигнал…"_s}, {P::Tone}, u"сигнал %A"_s, u"{Sounds.tone(%NOTE,%MS);}"_s, {},
             u"Один звуковой сигнал заданной ноты и длительности (тон телефона); звучит поверх звуков."_s),
        item(M::Stage, {u"следующий уровень"_s}, {}, u"уровень+1"_s, u"{nextStage();}"_s, {},
             u"Переход на следующий этап; после последнего игра выиграна («Победа!»). Считается от этапа, на "
             u"котором начался проход листа: строка, выполненная за проход несколько раз (для нескольких "
             u"объектов группы), переводит на один этап."_s),
        item(M::Stage, {u"предыдущий уровень"_s}, {}, u"уровень-1"_s, u"{previousStage();}"_s, {},
             u"Возврат на предыдущий этап (с первого — начало первого заново); как и «следующий уровень», "
             u"на один этап за проход листа."_s),
        item(M::Stage, {u"переход на уровень"_s}, {P::Value}, u"уровень = %V"_s, u"{etap=%VC-1;}"_s, {},
             u"Переход на этап с заданным номером."_s),
        item(M::Stage, {u"перезапуск текущего уровня"_s}, {}, u"перезапуск уровня"_s, u"{restartStage();}"_s, {},
             u"Этап начинается заново: объекты на своих местах, таймер с нуля; жизни и скорость остаются (если "
             u"жизней не осталось, их столько, сколько в начале игры)."_s),
        item(M::Stage, {u"перезапуск игры"_s}, {}, u"перезапуск игры"_s, u"{restartGame();}"_s, {},
             u"Игра начинается заново с этапа 1: жизни, скорость и таймер как в начале."_s),
        item(M::Stage, {u"конец игры"_s}, {}, u"конец игры"_s, u"{endGame();}"_s, {},
             u"Игра окончена: лист проходит ещё раз с условием «Конец игры», затем экран «Игра окончена»."_s),
        item(M::Objects, {u"создать объект"_s, u"у объекта…"_s}, {P::MadeNearObject},
             u"создать объект %C у объекта %O (%X, %Y)%A"_s, u"{make(%C,gr_obj[%O][kr%O],%X,%Y,%D,%S);}"_s,
             {u"%O"_s}, made(u"у каждого объекта выбранной группы, для которого строка верна, со сдвигом X, Y от "
                             u"его левого верхнего угла"_s)),
        item(M::Objects, {u"создать объект"_s, u"в точке карты…"_s}, {P::MadeAtPoint},
             u"создать объект %C в точке (%X, %Y)%A"_s, u"{make(%C,-1,%X,%Y,%D,%S);}"_s, {},
             made(u"в заданной точке карты уровня (его левый верхний угол)"_s)),
        item(M::Control, {u"управление игроком"_s, u"игнорировать"_s}, {}, u"управление: игнорировать"_s,
             u"{control=false;}"_s, {}, u"Клавиши больше не двигают героя (например, в заставке)."_s),
        item(M::Control, {u"управление игроком"_s, u"вернуть"_s}, {}, u"управление: возобновить"_s,
             u"{control=true;}"_s, {}, u"Клавиши снова двигают героя."_s),
        item(M::Player, {lives, u"установить"_s}, {P::Value}, u"жизни = %V"_s, u"{life=%VC;}"_s, {},
             u"Задаёт число жизней героя; полоса жизней показывает его."_s),
        item(M::Player, {lives, u"добавить"_s}, {P::Value}, u"изменение жизней на %V"_s, u"{life=life+%VC;}"_s, {},
             u"Прибавляет к числу жизней (отрицательное число — отнимает)."_s),
        item(M::Player, {u"очки"_s, u"установить…"_s}, {P::Value}, u"очки = %V"_s, u"{GameValues.v0=%VC;}"_s, {},
             u"Задаёт очки игрока. Очки начинаются с 0 в каждой новой игре и переходят с этапа на этап; лучший "
             u"результат телефон помнит, и экраны «Победа!» и «Игра окончена» показывают «Очки» и «Рекорд»."_s),
        item(M::Player, {u"очки"_s, u"добавить…"_s}, {P::Value}, u"очки + %V"_s,
             u"{GameValues.v0=GameValues.v0+%VC;}"_s, {},
             u"Прибавляет к очкам (отрицательное число — отнимает); текст «Очки: {очки}» показывает их."_s),
        item(M::Player, {speed, u"установить"_s}, {P::Value}, u"скорость = %V"_s, u"{score=%VC;}"_s, {},
             u"Задаёт скорость героя в точках за такт."_s),
        item(M::Player, {speed, u"добавить"_s}, {P::Value}, u"изменение скорости на %V"_s,
             u"{score=score+%VC;}"_s, {}, u"Прибавляет к скорости героя."_s),
        item(M::ObjectActions, {u"уничтожить"_s}, {}, u"уничтожить"_s,
             onObject(u"{obj[OBJ].destroy();vis_obj[OBJ]=false;}"_s), g,
             u"Объект исчезает сразу, без анимации уничтожения (в отличие от «режим: смерть»): его не видно, он "
             u"ни с чем не сталкивается, не движется и не нападает, и никакое действие его не вернёт. Для условий "
             u"«видимость» он невидимый: «все объекты N невидимые» верно, когда уничтожены или скрыты все."_s),
        item(M::ObjectActions, {position, u"задать Х"_s}, {P::Value}, u"Х=%VC"_s,
             onObject(u"{raspxobd[OBJ]=%VC;}"_s), g, u"Ставит объект группы на заданный X карты."_s),
        item(M::ObjectActions, {position, u"задать Y"_s}, {P::Value}, u"Y=%VC"_s,
             onObject(u"{raspyobd[OBJ]=%VC;}"_s), g, u"Ставит объект группы на заданный Y карты."_s),
        item(M::ObjectActions, {u"движение"_s, u"прыжок"_s}, {}, u"прыжок"_s, onObject(u"{obj[OBJ].jump();}"_s), g,
             u"Объект группы с типом движения «Платформер» прыгает с «Силой прыжка» своей группы, если стоит на "
             u"препятствии или на нижнем краю уровня; в воздухе действие ничего не делает."_s),
        animationState(u"спокойствие"_s, 1),
        animationState(u"перемещение"_s, 2),
        animationState(u"атака"_s, 3),
        animationState(u"уничтожение"_s, 4),
        item(M::ObjectActions, {animation, change, u"тип анимации"_s, u"по движению"_s}, {},
             u"тип анимации: по движению"_s, onObject(u"{obj[OBJ].chooseState(0);}"_s), g,
             u"Объект снова показывает кадры того, что он делает: стоит, движется, уничтожается."_s),
        item(M::ObjectActions, {animation, change, u"скорость анимации"_s}, {P::Value}, u"скорость анимации = %V"_s,
             onObject(u"{obj[OBJ].frameSpeed(%VC);}"_s), g,
             u"Сколько тактов длится каждый кадр анимации объекта (1 — быстрее всего; обычно 3, в такте "
             u"50 мс). Число меньше 1 считается за 1."_s),
        item(M::ObjectActions, {animation, change, frame, u"следующий"_s}, {}, u"кадр анимации: следующий"_s,
             onObject(u"{obj[OBJ].stepFrame(1);}"_s), g, frameStep(u"следующий"_s)),
        item(M::ObjectActions, {animation, change, frame, u"предыдущий"_s}, {}, u"кадр анимации: предыдущий"_s,
             onObject(u"{obj[OBJ].stepFrame(-1);}"_s), g, frameStep(u"предыдущий"_s)),
        item(M::ObjectActions, {animation, change, frame, u"установить"_s}, {P::Value}, u"кадр анимации = %V"_s,
             onObject(u"{obj[OBJ].showFrame(%VC);}"_s), g,
             u"Показывает кадр полосы с заданным номером (с нуля; номер за последним кадром идёт по кругу) и "
             u"останавливает на нём анимацию до действия «начать»."_s),
        item(M::ObjectActions, {animation, u"остановить"_s}, {}, u"анимация: стоп"_s, onObject(u"{obj[OBJ].hold();}"_s),
             g, u"Анимация объекта замирает на показанном кадре; объект при этом движется как прежде."_s),
        item(M::ObjectActions, {animation, u"начать"_s}, {}, u"анимация: пуск"_s, onObject(u"{obj[OBJ].resume();}"_s),
             g,
             u"Остановленная анимация идёт дальше; после кадра, заданного листом, снова играет "
             u"последовательность состояния с начала."_s),
        item(M::ObjectActions, {visibility, u"видимый"_s}, {}, u"видимый"_s, onObject(u"{vis_obj[OBJ]=true;}"_s), g,
             u"Делает объект видимым."_s),
        item(M::ObjectActions, {visibility, u"невидимый"_s}, {}, u"невидимый"_s,
             onObject(u"{vis_obj[OBJ]=false;}"_s), g, u"Скрывает объект: его не видно, и он ни с чем не сталкивается."_s),
        item(M::ObjectActions, {visibility, u"изменить"_s}, {}, u"изменение видимости"_s,
             onObject(u"{if(vis_obj[OBJ]==false){vis_obj[OBJ]=true;}else{vis_obj[OBJ]=false;}}"_s), g,
             u"Видимый объект скрывает, скрытый показывает."_s),
        item(M::ObjectActions, {mode, u"спокойствие"_s}, {}, u"режим: спокойствие"_s,
             onObject(u"{objtip[OBJ]=1;}"_s), g, u"Объект останавливается."_s),
        item(M::ObjectActions, {mode, u"преследование"_s}, {P::Target}, u"режим: преследование"_s,
             onObject(u"{objtip[OBJ]=2;kd=kr%T;}"_s), gt, u"Объект идёт к выбранному объекту."_s),
        item(M::ObjectActions, {mode, u"избегание"_s}, {P::Target}, u"режим: избегание"_s,
             onObject(u"{objtip[OBJ]=4;kd=kr%T;}"_s), gt, u"Объект уходит от выбранного объекта."_s),
        item(M::ObjectActions, {mode, u"атака"_s}, {P::Target}, u"режим: атака"_s,
             onObject(u"{objtip[OBJ]=3;kd=kr%T;}"_s), gt,
             u"Объект идёт к выбранному объекту и, догнав героя, отнимает жизнь (не чаще раза в секунду)."_s),
        item(M::ObjectActions, {mode, u"смерть"_s}, {}, u"режим: смерть"_s, onObject(u"{objtip[OBJ]=5;}"_s), g,
             u"Объект уничтожается: проигрывает анимацию уничтожения и исчезает."_s),
    };
}

} // namespace

std::vector<int> madeGroups(const model::EventRowData& row)
{
    // One per thread: the converter resolves the stages on several at once. The code is the items' template above.
    thread_local const QRegularExpression make(u"\\{make\\((\\d+),"_s);
    std::vector<int> groups;
    for (int m = 1; m <= model::kMaxActions; ++m)
        for (auto it = make.globalMatch(row.ActionCode[size_t(m)]); it.hasNext();)
            groups.push_back(it.next().captured(1).toInt());
    return groups;
}

const std::vector<Item>& actionItems()
{
    static const std::vector<Item> all = build();
    return all;
}

} // namespace kestrava::catalogue
