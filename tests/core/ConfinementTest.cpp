// A project folder from a stranger: no link in it carries a write or a read
// out of it.
#include "codegen/Converter.h"
#include "io/Error.h"
#include "io/FileAccess.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "objects/FontRecord.h"
#include "persist/ProjectFile.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

struct StrangersProject {
    test::SampleProjectFolder game;
    QString outside;
    model::Project project;

    StrangersProject()
    {
        outside = game.tmp.makeDir(u"outside"_s);
        io::writeFileAtomically(outside + u"/victim.txt"_s, "keep");
        project = game.savedWith({u"forest.obf"_s});
    }

    QByteArray victim() const { return io::readWholeFile(outside + u"/victim.txt"_s); }
    QStringList outsideFiles() const { return QDir(outside).entryList(QDir::Files | QDir::Hidden | QDir::System); }
    QString in(const QString& relative) const { return game.dir + u'/' + relative; }
    void link(const QString& target, const QString& relative) const
    {
        QFile::remove(in(relative));
        QDir(in(relative)).removeRecursively();
        ASSERT_TRUE(QFile::link(target, in(relative)));
    }
};

} // namespace

TEST(Confinement, NoWriteFollowsALinkOutOfTheProject)
{
    StrangersProject p;
    const QString bin = p.in(u"bin"_s);
    ASSERT_TRUE(QDir().mkpath(bin));
    const QByteArray prg = io::readWholeFile(p.game.file);

    // The jad a link to a file elsewhere, or the jar a link to nothing: the pair is refused, nothing written.
    p.link(p.outside + u"/victim.txt"_s, u"bin/game.jad"_s);
    QString m = test::errorOf([&] { io::writeFilesTogether({{bin + u"/game.jar"_s, "jar"}, {bin + u"/game.jad"_s, "jad"}}); });
    EXPECT_TRUE(m.contains(u"game.jad"_s) && m.contains(u"символическая ссылка"_s)) << m.toStdString();
    EXPECT_EQ(p.victim(), QByteArray("keep"));
    EXPECT_FALSE(QFileInfo::exists(bin + u"/game.jar"_s));
    p.link(p.outside + u"/new.jar"_s, u"bin/game.jar"_s);
    QFile::remove(bin + u"/game.jad"_s);
    m = test::errorOf([&] { io::writeFilesTogether({{bin + u"/game.jar"_s, "jar"}, {bin + u"/game.jad"_s, "jad"}}); });
    EXPECT_TRUE(m.contains(u"game.jar"_s)) << m.toStdString();
    EXPECT_EQ(p.outsideFiles(), QStringList{u"victim.txt"_s});
    EXPECT_FALSE(QFileInfo::exists(bin + u"/game.jad"_s));

    // The extras file a dangling link: the save is refused and the project file stays.
    p.link(p.outside + u"/extras.json"_s, u"project.kestrava.json"_s);
    m = test::errorOf([&] { persist::save(p.project, p.game.file); });
    EXPECT_TRUE(m.contains(u"project.kestrava.json"_s)) << m.toStdString();
    EXPECT_EQ(p.outsideFiles(), QStringList{u"victim.txt"_s});
    EXPECT_EQ(io::readWholeFile(p.game.file), prg);

    // A settings file linked to one elsewhere is neither read nor rewritten.
    p.link(p.outside + u"/victim.txt"_s, u"game.ini"_s);
    m = test::errorOf([&] { objects::WriteFontToINI(p.in(u"game.ini"_s), objects::FontRecord{}); });
    EXPECT_TRUE(m.contains(u"game.ini"_s)) << m.toStdString();
    EXPECT_EQ(p.victim(), QByteArray("keep"));
    QFile::remove(p.in(u"game.ini"_s));

    // bin or objects leading elsewhere: the jar is refused, and opening the
    // project copies no library file there.
    p.link(p.outside, u"bin"_s);
    m = test::errorOf([&] { io::writeFileAtomically(bin + u"/game.jar"_s, "jar"); });
    EXPECT_TRUE(m.contains(u"за пределы папки"_s)) << m.toStdString();
    p.link(p.outside, u"objects"_s);
    model::Project opened;
    EXPECT_NO_THROW(persist::load(opened, p.game.tmp.app(), p.game.file));
    EXPECT_EQ(p.outsideFiles(), QStringList{u"victim.txt"_s});
    EXPECT_EQ(p.victim(), QByteArray("keep"));

    // The other side: a folder link that stays inside the project is a folder of it.
    QFile::remove(p.in(u"bin"_s));
    ASSERT_TRUE(QDir().mkpath(p.in(u"build/bin"_s)));
    p.link(p.in(u"build/bin"_s), u"bin"_s);
    io::writeFileAtomically(bin + u"/game.jar"_s, "jar");
    EXPECT_EQ(io::readWholeFile(p.in(u"build/bin/game.jar"_s)), QByteArray("jar"));
}
