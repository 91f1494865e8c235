#include "io/Error.h"
#include "model/Project.h"
#include "persist/SaveTarget.h"
#include "support/TempAppFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

int levelCountIn(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return f.readAll().split('\n').value(2).trimmed().toInt();
}

} // namespace

TEST(SaveTarget, SaveAndSaveAsWriteWhereTheMenusSay)
{
    test::TempAppFolder tmp;
    const QString dir = tmp.makeDir(u"game"_s);
    const QString own = dir + u"/project.prg"_s;
    const QString copy = tmp.app().src() + u"/копия.prg"_s;
    model::Project p;
    persist::SaveTarget target;

    // Before any save a cancelled "Сохранить как ..." has nowhere to write,
    // and with no project folder nothing is written at all.
    EXPECT_EQ(target.saveAs(p, QString()), QString());
    EXPECT_THROW(target.saveProject(p), io::Error);
    EXPECT_THROW(target.saveAs(p, copy), io::Error);
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_EQ(target.target(), QString());

    target.newProject(p, dir + u"/new.prg"_s);
    EXPECT_EQ(target.target(), own);
    EXPECT_EQ(levelCountIn(own), 1);

    p.LevelCount = 2;
    EXPECT_EQ(target.saveAs(p, copy), copy);
    EXPECT_EQ(levelCountIn(copy), 2);
    EXPECT_EQ(levelCountIn(own), 1);
    EXPECT_EQ(p.ProjectDir, dir);

    // Cancelled: the file of the last save is written again.
    p.LevelCount = 3;
    EXPECT_EQ(target.saveAs(p, QString()), copy);
    EXPECT_EQ(levelCountIn(copy), 3);

    // "Сохранить" after "Сохранить как ..." writes the project's own file.
    p.LevelCount = 4;
    target.saveProject(p);
    EXPECT_EQ(levelCountIn(own), 4);
    EXPECT_EQ(levelCountIn(copy), 3);
    EXPECT_EQ(target.target(), own);
}

TEST(SaveTarget, OpeningAnotherProjectMovesTheTarget)
{
    test::TempAppFolder tmp;
    const QString a = tmp.makeDir(u"a"_s);
    const QString b = tmp.makeDir(u"b"_s);
    persist::SaveTarget target;
    model::Project p;
    target.newProject(p, a + u"/project.prg"_s);
    p.reset();
    target.newProject(p, b + u"/project.prg"_s);
    p.reset();
    target.openProject(p, tmp.app(), a + u"/project.prg"_s);
    target.saveProject(p);
    // Project b is opened; a cancelled "Сохранить как ..." must not write it over a.
    p.reset();
    target.openProject(p, tmp.app(), b + u"/project.prg"_s);
    p.LevelCount = 5;
    EXPECT_EQ(target.saveAs(p, QString()), b + u"/project.prg"_s);
    EXPECT_EQ(levelCountIn(a + u"/project.prg"_s), 1);
    EXPECT_EQ(levelCountIn(b + u"/project.prg"_s), 5);
}
