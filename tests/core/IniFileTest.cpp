#include "io/TextFile.h"
#include "io/IniFile.h"
#include "support/TempAppFolder.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(IniFile, ReplacesAKeyWhereItStandsAndKeepsTheRestOfTheFile)
{
    test::TempAppFolder tmp;
    const QString path = tmp.root() + u"/layout.ini"_s;
    EXPECT_TRUE(io::IniFile::read(path).lines().isEmpty()); // no file yet

    io::writeFileAtomically(path, "; made by hand\r\n[Timer]\r\nx = 5 \r\nX=9\r\n; the next section\r\n\r\n"
                                  "[Own]\r\nmine=1\r\n");
    io::IniFile ini = io::IniFile::read(path);
    // Case does not matter, the first of a key written twice counts, blanks around a value do not.
    EXPECT_EQ(ini.value(u"timer"_s, u"X"_s), u"5"_s);
    EXPECT_FALSE(ini.value(u"Timer"_s, u"mine"_s).has_value());

    ini.setValue(u"Timer"_s, u"x"_s, u"5"_s); // the same value keeps the author's spacing
    ini.setValue(u"TIMER"_s, u"y"_s, u"7"_s); // after the section's last key, before its comment
    ini.setValue(u"Own"_s, u"MINE"_s, u"2"_s);
    ini.setValue(u"Weapon"_s, u"w"_s, u"3"_s);
    EXPECT_EQ(ini.lines(), (QStringList{u"; made by hand"_s, u"[Timer]"_s, u"x = 5 "_s, u"X=9"_s, u"y=7"_s,
                                        u"; the next section"_s, u""_s, u"[Own]"_s, u"MINE=2"_s, u"[Weapon]"_s,
                                        u"w=3"_s}));
    ini.write(path);
    EXPECT_EQ(io::IniFile::read(path).lines(), ini.lines());
}
