#include "events/ActionCatalogue.h"

#include "events/RowRecords.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::events {

namespace {

ActionItem disabled(ColumnMenu menu, QStringList path)
{
    return {menu, std::move(path), false, ActionDialog::None, {}, {}, {}};
}

ActionItem item(ColumnMenu menu, QStringList path, ActionDialog dialog, QString caption, QString code,
                QStringList objects = {})
{
    return {menu, std::move(path), true, dialog, std::move(caption), std::move(code), std::move(objects)};
}

// An object's statement: gr_obj[G][krG] is the object of group G the
// generated loop visits.
QString onObject(const QString& format)
{
    QString code = format;
    return code.replace(u"OBJ"_s, u"gr_obj[%G][kr%G]"_s);
}

std::vector<ActionItem> build()
{
    using M = ColumnMenu;
    using D = ActionDialog;
    const QString edges = u"установка края экрана"_s;
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
        item(M::Special, {edges, u"верхняя сторона"_s}, D::Value, u"верхний край экрана = %V"_s,
             u"{delraspy=%VC;}"_s),
        item(M::Special, {edges, u"левая сторона"_s}, D::Value, u"левый край экрана = %V"_s, u"{delraspx=%VC;}"_s),
        disabled(M::Sound, {u"-----"_s}),
        item(M::Stage, {u"следующий уровень"_s}, D::None, u"уровень+1"_s, u"{etap=etap+1;}"_s),
        item(M::Stage, {u"предыдущий уровень"_s}, D::None, u"уровень-1"_s, u"{etap=etap-1;}"_s),
        item(M::Stage, {u"переход на уровень"_s}, D::Value, u"уровень = %V"_s, u"{etap=%VC-1;}"_s),
        item(M::Stage, {u"перезапуск текущего уровня"_s}, D::None, u"перезапуск уровня"_s, u"{restartStage();}"_s),
        item(M::Stage, {u"перезапуск игры"_s}, D::None, u"перезапуск игры"_s, u"{restartGame();}"_s),
        item(M::Stage, {u"конец игры"_s}, D::None, u"конец игры"_s, u"{endGame();}"_s),
        disabled(M::Objects, {u"создать объект"_s}),
        item(M::Control, {u"управление игроком"_s, u"игнорировать"_s}, D::None, u"управление: игнорировать"_s,
             u"{control=false;}"_s),
        item(M::Control, {u"управление игроком"_s, u"вернуть"_s}, D::None, u"управление: возобновить"_s,
             u"{control=true;}"_s),
        item(M::Player, {lives, u"установить"_s}, D::Value, u"жизни = %V"_s, u"{life=%VC;}"_s),
        item(M::Player, {lives, u"добавить"_s}, D::Value, u"увеличение жизней = %V"_s, u"{life=life+%VC;}"_s),
        item(M::Player, {speed, u"установить"_s}, D::Value, u"скорость = %V"_s, u"{score=%VC;}"_s),
        item(M::Player, {speed, u"добавить"_s}, D::Value, u"увеличение скорости = %VC"_s, u"{score=score+%VC;}"_s),
        disabled(M::ObjectActions, {u"уничтожить"_s}),
        item(M::ObjectActions, {position, u"задать Х"_s}, D::Value, u"Х=%VC"_s,
             onObject(u"{raspxobd[OBJ]=%VC;}"_s), g),
        item(M::ObjectActions, {position, u"задать Y"_s}, D::Value, u"Y=%VC"_s,
             onObject(u"{raspyobd[OBJ]=%VC;}"_s), g),
        disabled(M::ObjectActions, {animation, change, u"тип анимации"_s}),
        disabled(M::ObjectActions, {animation, change, u"скорость анимации"_s}),
        item(M::ObjectActions, {animation, change, frame, u"следующий"_s}, D::None, u"кадр анимации: следующий"_s,
             onObject(u"{obj[OBJ].nextFrame();}"_s), g),
        item(M::ObjectActions, {animation, change, frame, u"предыдущий"_s}, D::None,
             u"кадр анимации: предыдущий"_s, onObject(u"{obj[OBJ].prevFrame();}"_s), g),
        disabled(M::ObjectActions, {animation, change, frame, u"установить"_s}),
        disabled(M::ObjectActions, {animation, u"остановить"_s}),
        disabled(M::ObjectActions, {animation, u"начать"_s}),
        item(M::ObjectActions, {visibility, u"видимый"_s}, D::None, u"видимый"_s,
             onObject(u"{vis_obj[OBJ]=true;}"_s), g),
        item(M::ObjectActions, {visibility, u"невидимый"_s}, D::None, u"невидимый"_s,
             onObject(u"{vis_obj[OBJ]=false;}"_s), g),
        item(M::ObjectActions, {visibility, u"изменить"_s}, D::None, u"изменение видимости"_s,
             onObject(u"{if(vis_obj[OBJ]==false){vis_obj[OBJ]=true;}else{vis_obj[OBJ]=false;}}"_s), g),
        item(M::ObjectActions, {mode, u"спокойствие"_s}, D::None, u"режим: спокойствие"_s,
             onObject(u"{objtip[OBJ]=1;}"_s), g),
        item(M::ObjectActions, {mode, u"преследование"_s}, D::Target, u"режим: преследование"_s,
             onObject(u"{objtip[OBJ]=2;kd=kr%T;}"_s), gt),
        item(M::ObjectActions, {mode, u"избегание"_s}, D::Target, u"режим: избегание"_s,
             onObject(u"{objtip[OBJ]=4;kd=kr%T;}"_s), gt),
        item(M::ObjectActions, {mode, u"атака"_s}, D::Target, u"режим: атака"_s,
             onObject(u"{objtip[OBJ]=3;kd=kr%T;}"_s), gt),
        item(M::ObjectActions, {mode, u"смерть"_s}, D::None, u"режим: смерть"_s, onObject(u"{objtip[OBJ]=5;}"_s), g),
    };
}

QString fill(QString text, const ActionInput& input)
{
    // %VC first: %V is its prefix.
    return text.replace(u"%VC"_s, input.valueCode)
        .replace(u"%V"_s, input.value)
        .replace(u"%G"_s, QString::number(input.group))
        .replace(u"%T"_s, QString::number(input.target));
}

} // namespace

const std::vector<ActionItem>& actionCatalogue()
{
    static const std::vector<ActionItem> items = build();
    return items;
}

Action buildAction(const ActionItem& item, const ActionInput& input)
{
    Action action{fill(item.caption, input), fill(item.code, input), {}, recordOf(item, input)};
    for (const QString& object : item.objects)
        action.objects << fill(object, input);
    return action;
}

} // namespace kestrava::events
