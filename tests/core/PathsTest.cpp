#include "io/AppFolder.h"
#include "io/Paths.h"

#include <QTemporaryDir>
#include <QFile>
#include <QFileInfo>
#include <QDir>
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
    EXPECT_EQ(io::AppFolder::locate(u"/from/cli"_s, u"/exe"_s).root(), u"/from/cli"_s);
    EXPECT_EQ(io::AppFolder::locate(QString(), u"/exe"_s).root(), u"/from/env"_s);
    qunsetenv(io::AppFolder::kEnvironmentVariable);
    EXPECT_EQ(io::AppFolder::locate(QString(), u"/exe"_s).root(), u"/exe"_s);
    const io::AppFolder app(u"/opt/k"_s);
    EXPECT_EQ(app.project(), u"/opt/k/проект"_s);
    EXPECT_EQ(app.objectFile(u"a.obf"_s), u"/opt/k/objects/a.obf"_s);
}

TEST(AppFolder, AnInstalledProgramWorksInTheAuthorsFolderSeededOnce)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    // The installed tree: bin/kestrava and share/kestrava, nothing beside the executable.
    for (const char* sub : {"usr/bin", "usr/share/kestrava/draft", "usr/share/kestrava/images",
                            "usr/share/kestrava/objects/sub"})
        QDir().mkpath(root + u'/' + QString::fromLatin1(sub));
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write(root + u"/usr/share/kestrava/objects/hero.oba"_s, "installed");
    write(root + u"/usr/share/kestrava/objects/sub/x.png"_s, "x");
    qputenv("XDG_DATA_HOME", (root + u"/home/data"_s).toUtf8());

    const io::AppFolder first = io::AppFolder::locate(QString(), root + u"/usr/bin"_s);
    EXPECT_EQ(first.root(), root + u"/home/data/kestrava"_s);
    EXPECT_EQ(first.draft(), root + u"/usr/share/kestrava/draft"_s);
    // Editors save into the author's library, not the installed one.
    EXPECT_TRUE(first.objectFile(u"new.obf"_s).startsWith(first.root()));
    EXPECT_TRUE(QFileInfo::exists(first.objectFile(u"sub/x.png"_s)));

    // What the author changed or deleted stays so; a file a newer installation brings arrives.
    write(first.objectFile(u"hero.oba"_s), "changed");
    ASSERT_TRUE(QFile::remove(first.objectFile(u"sub/x.png"_s)));
    write(root + u"/usr/share/kestrava/objects/ghost.oba"_s, "new");
    io::AppFolder::locate(QString(), root + u"/usr/bin"_s);
    QFile hero(first.objectFile(u"hero.oba"_s));
    ASSERT_TRUE(hero.open(QIODevice::ReadOnly));
    EXPECT_EQ(hero.readAll(), "changed");
    EXPECT_FALSE(QFileInfo::exists(first.objectFile(u"sub/x.png"_s)));
    EXPECT_TRUE(QFileInfo::exists(first.objectFile(u"ghost.oba"_s)));

    // A build folder (templates beside the executable) is used as it is.
    QDir().mkpath(root + u"/build/bin/draft"_s);
    EXPECT_EQ(io::AppFolder::locate(QString(), root + u"/build/bin"_s).root(), root + u"/build/bin"_s);
    qunsetenv("XDG_DATA_HOME");
}
