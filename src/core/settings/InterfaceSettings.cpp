#include "settings/InterfaceSettings.h"

#include "io/Cp1251.h"
#include "io/Error.h"
#include "io/TextFile.h"

#include <QDir>
#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::settings {
namespace {

const QHash<QString, quint32>& colourNames()
{
    // Names in lower case; the system colours as a desktop of the usual scheme shows them.
    static const QHash<QString, quint32> names = {
        {u"clblack"_s, 0x000000}, {u"clmaroon"_s, 0x000080}, {u"clgreen"_s, 0x008000},
        {u"clolive"_s, 0x008080}, {u"clnavy"_s, 0x800000}, {u"clpurple"_s, 0x800080},
        {u"clteal"_s, 0x808000}, {u"clgray"_s, 0x808080}, {u"clsilver"_s, 0xC0C0C0},
        {u"clred"_s, 0x0000FF}, {u"cllime"_s, 0x00FF00}, {u"clyellow"_s, 0x00FFFF},
        {u"clblue"_s, 0xFF0000}, {u"clfuchsia"_s, 0xFF00FF}, {u"claqua"_s, 0xFFFF00},
        {u"clwhite"_s, 0xFFFFFF}, {u"clmoneygreen"_s, 0xC0DCC0}, {u"clskyblue"_s, 0xF0CAA6},
        {u"clcream"_s, 0xF0FBFF}, {u"clmedgray"_s, 0xA4A0A0},
        {u"clbtnface"_s, 0xF0F0F0}, {u"clwindow"_s, 0xFFFFFF}, {u"clwindowtext"_s, 0x000000},
        {u"clbtntext"_s, 0x000000}, {u"clbtnshadow"_s, 0xA0A0A0}, {u"clhighlight"_s, 0xD77800},
        {u"clhighlighttext"_s, 0xFFFFFF}, {u"clgraytext"_s, 0x6D6D6D}, {u"clinfobk"_s, 0xE1FFFF},
        {u"clnone"_s, 0xFFFFFF}, {u"cldefault"_s, 0x000000},
    };
    return names;
}

class IniFile {
public:
    IniFile(const QString& path) : m_path(path)
    {
        const QString text = io::Cp1251::decode(io::readWholeFile(path, io::kMaxObjectFileBytes));
        QString section;
        for (QString line : text.split(u'\n')) {
            line = line.trimmed();
            if (line.isEmpty() || line.startsWith(u';'))
                continue;
            if (line.startsWith(u'[') && line.endsWith(u']')) {
                section = line.mid(1, line.size() - 2).trimmed().toLower();
                continue;
            }
            const qsizetype eq = line.indexOf(u'=');
            if (eq > 0)
                m_values.insert(section + u'/' + line.left(eq).trimmed().toLower(), line.mid(eq + 1).trimmed());
        }
    }

    void number(const QString& section, const QString& key, int* value) const
    {
        const auto found = m_values.constFind(section.toLower() + u'/' + key.toLower());
        if (found == m_values.constEnd())
            return;
        if (!io::parseInteger(*found, value))
            throw bad(section, key, *found, u"не целое число"_s);
    }

    void flag(const QString& section, const QString& key, bool* value) const
    {
        int n = *value ? 1 : 0;
        number(section, key, &n);
        *value = n != 0;
    }

    void colour(const QString& section, const QString& key, quint32* value) const
    {
        const auto found = m_values.constFind(section.toLower() + u'/' + key.toLower());
        if (found == m_values.constEnd())
            return;
        const std::optional<quint32> c = parseColourText(*found);
        if (!c)
            throw bad(section, key, *found, u"не цвет (ожидалось имя вроде clRed или $00BBGGRR)"_s);
        *value = *c;
    }

private:
    io::Error bad(const QString& section, const QString& key, const QString& text, const QString& why) const
    {
        return io::Error::inFile(m_path, u"раздел [%1], ключ %2: «%3» — %4"_s.arg(section, key, io::excerpt(text), why));
    }

    QString m_path;
    QHash<QString, QString> m_values;
};

void readBar(const IniFile& ini, const QString& section, BarIndicator* bar)
{
    ini.number(section, u"Pos.x"_s, &bar->x);
    ini.number(section, u"Pos.y"_s, &bar->y);
    ini.number(section, u"Height"_s, &bar->height);
    ini.number(section, u"Width"_s, &bar->width);
    ini.colour(section, u"Bgr"_s, &bar->bgr);
    ini.colour(section, u"Fg"_s, &bar->fg);
    ini.colour(section, u"Frame"_s, &bar->frame);
}

} // namespace

std::optional<quint32> parseColourText(const QString& text)
{
    const QString t = text.trimmed();
    if (t.startsWith(u'$')) {
        bool ok = false;
        const quint32 v = t.mid(1).toUInt(&ok, 16);
        if (ok && t.size() > 1 && t.size() <= 9)
            return v & 0xFFFFFFu;
        return std::nullopt;
    }
    const auto named = colourNames().constFind(t.toLower());
    if (named != colourNames().constEnd())
        return *named;
    int n = 0;
    if (io::parseInteger(t, &n) && n >= 0)
        return quint32(n) & 0xFFFFFFu;
    return std::nullopt;
}

InterfaceSettings readInterfaceSettings(const QString& path)
{
    const IniFile ini(path);
    InterfaceSettings s;
    readBar(ini, u"Lifebar"_s, &s.lifebar);
    readBar(ini, u"Ammobar"_s, &s.ammobar);
    ini.number(u"Timer"_s, u"Pos.x"_s, &s.timerX);
    ini.number(u"Timer"_s, u"Pos.y"_s, &s.timerY);
    ini.colour(u"Timer"_s, u"bgr"_s, &s.timerBgr);
    ini.number(u"Font"_s, u"Type"_s, &s.fontType);
    ini.number(u"Font"_s, u"Size"_s, &s.fontSize);
    ini.flag(u"Font"_s, u"Bold"_s, &s.bold);
    ini.flag(u"Font"_s, u"Italic"_s, &s.italic);
    ini.flag(u"Font"_s, u"Underline"_s, &s.underline);
    ini.colour(u"Font"_s, u"Color"_s, &s.fontColour);
    ini.number(u"Weapon"_s, u"Pos.x"_s, &s.weaponX);
    ini.number(u"Weapon"_s, u"Pos.y"_s, &s.weaponY);
    ini.number(u"Weapon"_s, u"Frame.x"_s, &s.weaponWidth);
    ini.number(u"Weapon"_s, u"Frame.y"_s, &s.weaponHeight);
    ini.number(u"Weapon"_s, u"Frame.count"_s, &s.weaponFrames);
    ini.colour(u"Weapon"_s, u"Bgr"_s, &s.weaponBgr);
    ini.colour(u"Weapon"_s, u"TranspColor"_s, &s.transparentColour);
    ini.flag(u"Weapon"_s, u"Transparent"_s, &s.transparent);
    return s;
}

QString interfaceSettingsFile(const QString& projectDir)
{
    const QStringList found = QDir(projectDir).entryList({u"*.ini"_s}, QDir::Files, QDir::Name);
    if (found.isEmpty())
        return QString();
    if (found.size() > 1)
        throw io::Error(u"В папке проекта «%1» несколько файлов настроек интерфейса игры (%2): оставьте один, "
                        u"игра может показать только одну раскладку индикаторов."_s
                            .arg(QDir::toNativeSeparators(projectDir), found.join(u", "_s)));
    return projectDir + u'/' + found.first();
}

} // namespace kestrava::settings
