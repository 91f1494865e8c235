#include "catalogue/Variables.h"

#include "catalogue/Words.h"

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

namespace {

bool isNameLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'а' && u <= u'я')
           || (u >= u'А' && u <= u'Я') || u == u'ё' || u == u'Ё';
}

// Words the translator reads or a text shows, which no variable may hide.
bool isReservedWord(const QString& name)
{
    const QString lower = name.toLower();
    for (const ValueWord& w : valueWords())
        if (!w.word.isEmpty() && w.word.toLower() == lower)
            return true;
    for (const ObjectWord& w : objectWords()) {
        // "Х[объект2]": a variable "Х" would be read before the object form.
        const QString stem = w.prefix.left(w.prefix.indexOf(u'['));
        if (!stem.isEmpty() && stem.toLower() == lower)
            return true;
    }
    if (lower == u"объект"_s || lower == u"abs"_s)
        return true;
    for (const QString& b : builtInTextNames())
        if (b == lower)
            return true;
    return false;
}

} // namespace

const QStringList& builtInTextNames()
{
    static const QStringList names{u"жизни"_s, u"таймер"_s, u"уровень"_s};
    return names;
}

QString variableJava(int id)
{
    return u"GameValues.v"_s + QString::number(id);
}

QList<NamedValue> variableNames(const QList<model::GameVariableData>& variables)
{
    QList<NamedValue> names{
        {model::scoreVariableName(), variableJava(model::kScoreVariableId), model::kScoreVariableId}};
    for (const model::GameVariableData& v : variables)
        names.append({v.Name, variableJava(v.Id), v.Id});
    return names;
}

QString variableNameProblem(const QString& name, const QList<model::GameVariableData>& variables, int exceptId)
{
    if (name.isEmpty())
        return u"у переменной нет имени"_s;
    if (name.size() > model::kMaxVariableNameLength)
        return u"имя «%1» длиннее %2 знаков"_s.arg(name).arg(model::kMaxVariableNameLength);
    if (!isNameLetter(name.at(0)))
        return u"имя «%1» должно начинаться с буквы"_s.arg(name);
    for (const QChar c : name)
        if (!isNameLetter(c) && (c.unicode() < u'0' || c.unicode() > u'9'))
            return u"в имени «%1» есть «%2»: можно только русские и латинские буквы и цифры 0–9"_s.arg(name, c);
    if (name.compare(model::scoreVariableName(), Qt::CaseInsensitive) == 0)
        return u"переменная «%1» уже есть в каждой игре"_s.arg(model::scoreVariableName());
    if (isReservedWord(name))
        return u"«%1» — слово, которое значения уже понимают; выберите другое имя"_s.arg(name);
    for (const model::GameVariableData& v : variables)
        if (v.Id != exceptId && v.Name.compare(name, Qt::CaseInsensitive) == 0)
            return u"переменная «%1» уже есть"_s.arg(v.Name);
    return QString();
}

QString variablesProblem(const QList<model::GameVariableData>& variables)
{
    if (variables.size() > model::kMaxGameVariables)
        return u"переменных %1, а можно не больше %2"_s.arg(variables.size()).arg(model::kMaxGameVariables);
    for (const model::GameVariableData& v : variables) {
        if (v.Id <= 0)
            return u"у переменной «%1» номер %2, а нужен больше 0"_s.arg(v.Name).arg(v.Id);
        for (const model::GameVariableData& w : variables)
            if (&w != &v && w.Id == v.Id)
                return u"номер %1 у двух переменных"_s.arg(v.Id);
        if (const QString problem = variableNameProblem(v.Name, variables, v.Id); !problem.isEmpty())
            return problem;
    }
    return QString();
}

QStringList textValueNames(const QList<model::GameVariableData>& variables)
{
    QStringList names;
    for (const NamedValue& v : variableNames(variables))
        names << v.name;
    return names + builtInTextNames();
}

QString textValuesProblem(const QStringList& lines, const QStringList& known)
{
    for (const QString& line : lines) {
        for (qsizetype open = line.indexOf(u'{'); open >= 0; open = line.indexOf(u'{', open + 1)) {
            const qsizetype close = line.indexOf(u'}', open + 1);
            if (close < 0)
                break;
            const QString name = line.mid(open + 1, close - open - 1);
            if (!known.contains(name))
                return u"в тексте «{%1}», а переменной «%1» в проекте нет (есть: %2)"_s.arg(name, known.join(u", "_s));
        }
    }
    return QString();
}

} // namespace kestrava::catalogue
