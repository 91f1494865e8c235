#include "catalogue/Item.h"

#include "catalogue/Translator.h"
#include "catalogue/Menus.h"
#include "io/Error.h"

#include <QHash>
#include <QRegularExpression>

#include <array>
#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::catalogue {

namespace {

struct Token {
    QString name;
    bool number = false;
};

// The tokens of each side's templates, longer ones first where one is the
// prefix of another. KD is made from K, so a record keeps K for it.
const std::vector<Token>& tokens(Side side)
{
    static const std::vector<Token> condition{
        {u"SND"_s, true}, {u"MIN"_s, true}, {u"MAX"_s, true}, {u"AC"_s}, {u"KC"_s}, {u"KD"_s}, {u"A"_s},
        {u"K"_s},         {u"N"_s, true},   {u"O"_s, true}, {u"B"_s, true}, {u"T"_s, true}, {u"L"_s, true},
        {u"WN"_s},        {u"W"_s, true},
    };
    static const std::vector<Token> action{{u"SND"_s, true}, {u"VOL"_s, true}, {u"NOTE"_s, true}, {u"MS"_s, true},
                                           {u"R"_s, true},   {u"VC"_s},        {u"V"_s},          {u"G"_s, true},
                                           {u"T"_s, true},
                                           {u"C"_s, true}, {u"O"_s, true}, {u"X"_s, true}, {u"Y"_s, true},
                                           {u"D"_s, true}, {u"S"_s, true}, {u"A"_s},
                                           {u"WN"_s},      {u"W"_s, true}};
    return side == Side::Condition ? condition : action;
}

bool isNumberToken(Side side, const QString& name)
{
    for (const Token& token : tokens(side))
        if (token.name == name)
            return token.number;
    return false;
}

// The value a token fills in: a number as the game reads it, 0 when absent.
QString tokenValue(Side side, const Token& token, const Values& values)
{
    if (token.name == u"KD"_s)
        return doubleKeyName(values.value(u"K"_s));
    if (token.number)
        return QString::number(number(values, token.name));
    return values.value(token.name);
}

// One pass over the template, so a value holding "%" is never filled again.
QString fill(const QString& text, Side side, const Values& values)
{
    QString result;
    result.reserve(text.size() + 32);
    qsizetype pos = 0;
    while (pos < text.size()) {
        bool matched = false;
        if (text.at(pos) == u'%') {
            const QStringView rest = QStringView(text).sliced(pos + 1);
            for (const Token& token : tokens(side)) {
                if (rest.startsWith(token.name)) {
                    result += tokenValue(side, token, values);
                    pos += 1 + token.name.size();
                    matched = true;
                    break;
                }
            }
        }
        if (!matched)
            result += text.at(pos++);
    }
    return result;
}

// The tokens the templates use, as a record names them.
QStringList usedTokens(const Item& item)
{
    QStringList used;
    for (const QString& text : QStringList{item.caption, item.code} + item.objects) {
        for (qsizetype pos = text.indexOf(u'%'); pos >= 0; pos = text.indexOf(u'%', pos + 1)) {
            const QStringView rest = QStringView(text).sliced(pos + 1);
            for (const Token& token : tokens(item.side)) {
                if (!rest.startsWith(token.name))
                    continue;
                const QString kept = token.name == u"KD"_s ? u"K"_s : token.name;
                if (!used.contains(kept))
                    used << kept;
                break;
            }
        }
    }
    return used;
}

bool countsARowStep(Parameter parameter)
{
    return parameter == Parameter::Comparison || parameter == Parameter::Detection;
}

// One field of the timer dialog, in its unit.
double timerField(const QString& name, const QString& text)
{
    if (text.trimmed().isEmpty())
        throw io::Error(u"Поле «%1»: введите число."_s.arg(name));
    const std::optional<double> value = readReal(text);
    if (!value)
        throw io::Error(u"Поле «%1»: «%2» — не число."_s.arg(name, io::excerpt(text.trimmed())));
    if (*value < 0)
        throw io::Error(u"Поле «%1»: время не может быть отрицательным."_s.arg(name));
    return *value;
}

} // namespace

const std::vector<Item>& items(Side side)
{
    return side == Side::Condition ? conditionItems() : actionItems();
}

QString itemKey(const Item& item)
{
    return QString::number(item.menu) + u':' + item.path.join(u'/');
}

const Item* findItem(Side side, const QString& key)
{
    static const auto index = [](Side s) {
        QHash<QString, const Item*> byKey;
        for (const Item& item : items(s)) {
            if (!item.enabled)
                continue;
            byKey.insert(itemKey(item), &item);
            for (const QString& former : item.formerPaths)
                byKey.insert(QString::number(item.menu) + u':' + former, &item);
        }
        return byKey;
    };
    static const QHash<QString, const Item*> conditions = index(Side::Condition);
    static const QHash<QString, const Item*> actions = index(Side::Action);
    return (side == Side::Condition ? conditions : actions).value(key);
}

const Item* conditionAt(int icon, const QString& path)
{
    return findItem(Side::Condition, QString::number(conditionMenu(icon)) + u':' + path);
}

const Item* actionAt(int column, const QString& path)
{
    return findItem(Side::Action, QString::number(int(columnMenu(column))) + u':' + path);
}

Built buildCondition(int icon, const QString& path, const Values& values)
{
    const Item* item = conditionAt(icon, path);
    if (!item)
        throw io::Error(u"В каталоге нет условия «%1»"_s.arg(path));
    return build(*item, values);
}

Built buildAction(int column, const QString& path, const QString& value, int target)
{
    const Item* item = actionAt(column, path);
    if (!item)
        throw io::Error(u"В каталоге нет действия «%1»"_s.arg(path));
    return build(*item, {{u"G"_s, QString::number(actionGroup(column))},
                         {u"V"_s, value},
                         {u"VC"_s, value},
                         {u"T"_s, QString::number(target)}});
}

Built build(const Item& item, const Values& values)
{
    for (const Parameter parameter : item.parameters)
        if (parameter == Parameter::Period && number(values, u"T"_s) == 0)
            throw io::Error(
                u"Условие «%1» с временем 0 не проверить: игра делила бы на ноль. Введите время больше нуля."_s.arg(
                    item.path.last()));
    Built built;
    built.caption = fill(item.caption, item.side, values);
    built.code = fill(item.code, item.side, values);
    for (const QString& object : item.objects)
        built.objects << fill(object, item.side, values);
    built.extraCount = int(std::count_if(item.parameters.begin(), item.parameters.end(), countsARowStep));
    built.record.item = itemKey(item);
    for (const QString& used : usedTokens(item)) {
        const QString value = isNumberToken(item.side, used) ? QString::number(number(values, used)) : values.value(used);
        built.record.values.insert(used, value);
    }
    return built;
}

std::optional<Built> rebuild(Side side, const model::CatalogueRecord& record)
{
    const Item* item = findItem(side, record.item);
    if (!item)
        return std::nullopt;
    for (auto it = record.values.cbegin(); it != record.values.cend(); ++it) {
        bool ok = true;
        if (isNumberToken(side, it.key()))
            it->toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    try {
        return build(*item, record.values);
    } catch (const io::Error&) {
        return std::nullopt; // a time of 0 where the game divides by it
    }
}

int number(const Values& values, const QString& token)
{
    return values.value(token).toInt();
}

bool isToken(const QString& token)
{
    for (const Side side : {Side::Condition, Side::Action})
        for (const Token& t : tokens(side))
            if (t.name == token && t.name != u"KD"_s)
                return true;
    return false;
}

std::set<int> soundsNamed(const model::EventRowData& row)
{
    // One per thread: the converter resolves the stages on several at once. The calls are the sound items' templates.
    thread_local const QRegularExpression call(u"Sounds\\.(?:play|stop|playing|ended)\\((\\d+)"_s);
    std::set<int> numbers;
    const auto scan = [&](const QString& code) {
        for (auto it = call.globalMatch(code); it.hasNext();)
            numbers.insert(it.next().captured(1).toInt());
    };
    scan(row.CondCode);
    for (int m = 1; m <= model::kMaxActions; ++m)
        scan(row.ActionCode[size_t(m)]);
    return numbers;
}

bool callsSounds(const model::EventRowData& row)
{
    if (row.CondCode.contains(u"Sounds."_s))
        return true;
    for (int m = 1; m <= model::kMaxActions; ++m)
        if (row.ActionCode[size_t(m)].contains(u"Sounds."_s))
            return true;
    return false;
}

QString asks(Parameter parameter)
{
    switch (parameter) {
    case Parameter::Comparison: return u"два значения и знак сравнения"_s;
    case Parameter::Relation: return u"знак сравнения и значение"_s;
    case Parameter::Key: return u"клавишу телефона"_s;
    case Parameter::Time:
    case Parameter::Period: return u"время: минуты, секунды, сотые"_s;
    case Parameter::Detection: return u"наименьшее и наибольшее расстояние и обнаруживаемый объект"_s;
    case Parameter::OtherObject: return u"второй объект"_s;
    case Parameter::Value: return u"значение"_s;
    case Parameter::Target: return u"номер объекта-цели"_s;
    case Parameter::MadeNearObject:
        return u"группу создаваемого объекта, объект, у которого он появится, и сдвиг от него, направление и "
               u"скорость"_s;
    case Parameter::MadeAtPoint: return u"группу создаваемого объекта, точку карты, направление и скорость"_s;
    case Parameter::Variable: return u"переменную"_s;
    case Parameter::Sound: return u"звук проекта"_s;
    case Parameter::PlayedSound: return u"звук проекта и повторять ли его"_s;
    case Parameter::Volume: return u"громкость от 0 до 100"_s;
    case Parameter::Tone: return u"ноту и длительность в миллисекундах"_s;
    }
    return QString();
}

QString doubleKeyName(const QString& keyName)
{
    if (keyName == u"*"_s)
        return u"star"_s;
    if (keyName == u"#"_s)
        return u"pound"_s;
    return keyName;
}

TimerSetting timerSetting(const QString& minutes, const QString& seconds, const QString& hundredths)
{
    const double total = timerField(u"минут"_s, minutes) * 60000 + timerField(u"секунд"_s, seconds) * 1000
                         + timerField(u"сотых"_s, hundredths) * 10;
    const double rounded = std::round(total);
    // The game's timer is a Java int of ms: a larger literal would not compile.
    constexpr int kLongest = std::numeric_limits<int>::max();
    if (rounded > kLongest)
        throw io::Error(u"Время слишком велико: таймер игры отсчитывает не больше %1 мс."_s.arg(kLongest));
    return {minutes + u'/' + seconds + u'/' + hundredths, int(rounded)};
}

} // namespace kestrava::catalogue
