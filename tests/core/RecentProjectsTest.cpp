#include "persist/RecentProjects.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

// Newest first, each once, at most eight; a list another hand damaged keeps
// only absolute paths, and one that cannot be written costs nothing.
TEST(RecentProjects, NewestFirstEachOnceAtMostEight)
{
    test::TempAppFolder tmp;
    const QString list = tmp.root() + u"/recent-projects.txt"_s;
    persist::RecentProjects recent(list);
    EXPECT_TRUE(recent.files().isEmpty());
    EXPECT_EQ(recent.startFolder(u"/fallback"_s), u"/fallback"_s);

    for (int k = 1; k <= persist::RecentProjects::kMost + 1; ++k)
        recent.add(tmp.makeDir(u"p%1"_s.arg(k)) + u"/project.prg"_s);
    QStringList files = recent.files();
    ASSERT_EQ(files.size(), persist::RecentProjects::kMost);
    EXPECT_TRUE(files.first().endsWith(u"/p9/project.prg"_s));
    EXPECT_TRUE(files.last().endsWith(u"/p2/project.prg"_s)) << "the ninth pushed the first out";
    recent.add(files[3]);
    EXPECT_EQ(recent.files().first(), files[3]);
    EXPECT_EQ(recent.files().size(), persist::RecentProjects::kMost);

    // The open dialog starts at the newest project that is still there.
    QFile(tmp.root() + u"/p5/project.prg"_s).open(QIODevice::WriteOnly);
    QFile(tmp.root() + u"/p4/project.prg"_s).open(QIODevice::WriteOnly);
    EXPECT_EQ(recent.startFolder(u"/fallback"_s), tmp.root() + u"/p5"_s) << recent.files().join(u' ').toStdString();

    QFile damaged(list);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("relative/project.prg\n\n/a/project.prg\n/a/project.prg\n/b//project.prg\n");
    damaged.close();
    EXPECT_EQ(recent.files(), (QStringList{u"/a/project.prg"_s, u"/b/project.prg"_s}));

    persist::RecentProjects nowhere(tmp.root() + u"/no/such/folder/list.txt"_s);
    EXPECT_NO_THROW(nowhere.add(u"/a/project.prg"_s));
    EXPECT_TRUE(nowhere.files().isEmpty());
}
