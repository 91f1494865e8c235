#include "io/AppFolder.h"
#include "io/Paths.h"

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(Paths, BaseNamingChangesOnlyTheLastExtension)
{
    EXPECT_EQ(io::changeExtension(u"a.b.obf"_s, u".png"_s), u"a.b.png"_s);
    EXPECT_EQ(io::changeExtension(u"forest.obf"_s, u".bmp"_s), u"forest.bmp"_s);
    EXPECT_EQ(io::changeExtension(u"noext"_s, u".png"_s), u"noext.png"_s);
    EXPECT_EQ(io::changeExtension(u"dir.x/noext"_s, u".png"_s), u"dir.x/noext.png"_s);
}

TEST(Paths, PlainFileNamesOnly)
{
    EXPECT_TRUE(io::isPlainFileName(u"лес.obf"_s));
    EXPECT_TRUE(io::isPlainFileName(u"a..b.obf"_s));
    EXPECT_FALSE(io::isPlainFileName(u"../x.obf"_s));
    EXPECT_FALSE(io::isPlainFileName(u".."_s));
    EXPECT_FALSE(io::isPlainFileName(u"sub/x.obf"_s));
    EXPECT_FALSE(io::isPlainFileName(u"sub\\x.obf"_s));
    EXPECT_FALSE(io::isPlainFileName(u"c:x.obf"_s));
    EXPECT_FALSE(io::isPlainFileName(QString()));
}

TEST(AppFolder, CommandLineWinsOverEnvironmentOverExecutable)
{
    qputenv(io::AppFolder::kEnvironmentVariable, "/from/env");
    EXPECT_EQ(io::AppFolder::locate(u"/from/cli"_s, u"/exe"_s), u"/from/cli"_s);
    EXPECT_EQ(io::AppFolder::locate(QString(), u"/exe"_s), u"/from/env"_s);
    qunsetenv(io::AppFolder::kEnvironmentVariable);
    EXPECT_EQ(io::AppFolder::locate(QString(), u"/exe"_s), u"/exe"_s);
    const io::AppFolder app(u"/opt/k"_s);
    EXPECT_EQ(app.project(), u"/opt/k/проект"_s);
    EXPECT_EQ(app.objectFile(u"a.obf"_s), u"/opt/k/objects/a.obf"_s);
}
