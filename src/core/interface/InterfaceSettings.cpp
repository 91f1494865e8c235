#include "interface/InterfaceSettings.h"

#include "io/Error.h"
#include "io/TextFile.h"
#include "io/ColourNames.h"
#include "io/IniFile.h"
#include "interface/InterfaceEditor.h"

#include <QDir>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::interface {
namespace {

// The settings file as the editor's save sees it (io::IniFile), so the
// game reads exactly the values the editor wrote.
class SettingsReader {
public:
    explicit SettingsReader(const QString& path) : m_path(path), m_file(io::IniFile::read(path)) {}

    // A number outside min..max is refused: the game would draw with it.
    void number(const QString& section, const QString& key, int* value, int min, int max) const
    {
        const std::optional<QString> found = m_file.value(section, key);
        if (!found)
            return;
        int read = 0;
        if (!io::parseInteger(*found, &read))
            throw bad(section, key, *found, u"не целое число"_s);
        if (read < min || read > max)
            throw bad(section, key, *found, u"допускается от %1 до %2"_s.arg(min).arg(max));
        *value = read;
    }

    void flag(const QString& section, const QString& key, bool* value) const
    {
        int n = *value ? 1 : 0;
        number(section, key, &n, 0, 1);
        *value = n != 0;
    }

    void colour(const QString& section, const QString& key, quint32* value) const
    {
        const std::optional<QString> found = m_file.value(section, key);
        if (!found)
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
    io::IniFile m_file;
};

// What the interface editor lets the author set.
constexpr int kMaxCoordinate = InterfaceEditor::kMaxCoordinate;

void position(const SettingsReader& ini, const QString& section, const QString& key, int* value)
{
    ini.number(section, key, value, -kMaxCoordinate, kMaxCoordinate);
}

void size(const SettingsReader& ini, const QString& section, const QString& key, int* value)
{
    ini.number(section, key, value, 1, kMaxCoordinate);
}

void readBar(const SettingsReader& ini, const QString& section, BarIndicator* bar)
{
    position(ini, section, u"Pos.x"_s, &bar->x);
    position(ini, section, u"Pos.y"_s, &bar->y);
    size(ini, section, u"Height"_s, &bar->height);
    size(ini, section, u"Width"_s, &bar->width);
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
    if (const std::optional<int> named = io::namedColourValue(t))
        return quint32(*named);
    // "No colour" reads as white, "the default one" as black.
    if (t.compare(u"clNone"_s, Qt::CaseInsensitive) == 0)
        return 0xFFFFFFu;
    if (t.compare(u"clDefault"_s, Qt::CaseInsensitive) == 0)
        return 0x000000u;
    int n = 0;
    if (io::parseInteger(t, &n) && n >= 0)
        return quint32(n) & 0xFFFFFFu;
    return std::nullopt;
}

InterfaceSettings readInterfaceSettings(const QString& path)
{
    const SettingsReader ini(path);
    InterfaceSettings s;
    readBar(ini, u"Lifebar"_s, &s.lifebar);
    readBar(ini, u"Ammobar"_s, &s.ammobar);
    position(ini, u"Timer"_s, u"Pos.x"_s, &s.timerX);
    position(ini, u"Timer"_s, u"Pos.y"_s, &s.timerY);
    ini.colour(u"Timer"_s, u"bgr"_s, &s.timerBgr);
    ini.number(u"Font"_s, u"Type"_s, &s.fontType, 0, 2);
    ini.number(u"Font"_s, u"Size"_s, &s.fontSize, -1, 2);
    ini.flag(u"Font"_s, u"Bold"_s, &s.bold);
    ini.flag(u"Font"_s, u"Italic"_s, &s.italic);
    ini.flag(u"Font"_s, u"Underline"_s, &s.underline);
    ini.colour(u"Font"_s, u"Color"_s, &s.fontColour);
    position(ini, u"Weapon"_s, u"Pos.x"_s, &s.weaponX);
    position(ini, u"Weapon"_s, u"Pos.y"_s, &s.weaponY);
    size(ini, u"Weapon"_s, u"Frame.x"_s, &s.weaponWidth);
    size(ini, u"Weapon"_s, u"Frame.y"_s, &s.weaponHeight);
    // 0 before a picture was loaded; a picture wider than kMaxCoordinate frames is none of the editor's.
    ini.number(u"Weapon"_s, u"Frame.count"_s, &s.weaponFrames, 0, kMaxCoordinate);
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

} // namespace kestrava::interface
