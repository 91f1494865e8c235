#include "io/Error.h"
#include "io/TextFile.h"
#include "persist/Examples.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

void put(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// An installed example is read-only and may hold a link out of its folder:
// each copy is a new, writable folder with only the example's own files.
TEST(Examples, OpeningCopiesIntoAFreshFolderAndLeavesTheExample)
{
    QTemporaryDir tmp;
    const QString example = tmp.filePath(u"installed/maze"_s);
    put(example + u"/project.prg"_s, "fdgdf\r\n");
    put(example + u"/objects/key.png"_s, "PNG");
    put(tmp.filePath(u"secret.txt"_s), "not the example's");
    ASSERT_TRUE(QFile::link(tmp.filePath(u"secret.txt"_s), example + u"/objects/link.txt"_s));
    ASSERT_TRUE(QFile::link(tmp.path(), example + u"/outside"_s));
    QFile::setPermissions(example + u"/project.prg"_s, QFileDevice::ReadOwner);
    QFile::setPermissions(example + u"/objects"_s, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString projects = tmp.filePath(u"projects"_s);
    put(projects + u"/maze 2/project.prg"_s, "the author's own"); // a name taken already is never written over

    const QString first = persist::copyExample(example, projects);
    const QString second = persist::copyExample(example, projects);
    EXPECT_EQ(first, projects + u"/maze/project.prg"_s);
    EXPECT_EQ(second, projects + u"/maze 3/project.prg"_s);
    EXPECT_EQ(io::readWholeFile(projects + u"/maze 2/project.prg"_s), QByteArray("the author's own"));
    for (const QString& copy : {projects + u"/maze"_s, projects + u"/maze 3"_s}) {
        EXPECT_EQ(io::readWholeFile(copy + u"/objects/key.png"_s), QByteArray("PNG"));
        EXPECT_TRUE(QFileInfo(copy + u"/project.prg"_s).isWritable());
        EXPECT_FALSE(QFileInfo::exists(copy + u"/objects/link.txt"_s));
        EXPECT_FALSE(QFileInfo::exists(copy + u"/outside"_s));
    }
    EXPECT_EQ(QDir(example + u"/objects"_s).entryList(QDir::Files | QDir::System).size(), 2);

    // A folder without a project is no example; nothing is made for it.
    EXPECT_THROW(persist::copyExample(tmp.filePath(u"installed"_s), projects), io::Error);
    EXPECT_FALSE(QFileInfo::exists(projects + u"/installed"_s));
    QFile::setPermissions(example + u"/objects"_s, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}
