#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ProjectFile.h"
#include "persist/RecoveryCopy.h"
#include "support/ObjectLibrary.h"

#include <QDateTime>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

// The copy holds what a save would write, without copying the maps; it reads
// back whole or not at all, and one equal to the saved files is not offered.
TEST(RecoveryCopy, HoldsWhatASaveWritesAndReadsBackWholeOrNotAtAll)
{
    test::SampleProjectFolder game;
    model::Project project = game.savedWith({u"forest.obf"_s, u"hero.oba"_s});

    const std::vector<int> map = project.stage(1).FonGroup[1].Cells;
    ASSERT_FALSE(map.empty());
    const model::Project copy = persist::copyForSaving(project);
    EXPECT_EQ(project.stage(1).FonGroup[1].Cells, map); // the model keeps its maps
    EXPECT_TRUE(copy.stage(1).FonGroup[1].Cells.empty());
    EXPECT_EQ(persist::projectBytes(copy, game.file), io::readWholeFile(game.file));

    const QDateTime when = QDateTime::fromString(u"2024-05-06T07:08:09.010Z"_s, Qt::ISODateWithMs);
    const QByteArray bytes = persist::recoveryBytes(copy, when);
    const std::optional<persist::RecoveryCopy> read = persist::parseRecoveryCopy(bytes);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->written, when);
    EXPECT_EQ(read->projectFile, io::readWholeFile(game.file));
    EXPECT_EQ(read->extrasFile, io::readWholeFile(game.extras));
    for (qsizetype cut = 0; cut < bytes.size(); cut += 7)
        EXPECT_FALSE(persist::parseRecoveryCopy(bytes.left(cut))) << cut;
    QByteArray flipped = bytes;
    flipped[bytes.size() / 2] = char(flipped[bytes.size() / 2] ^ 1);
    EXPECT_FALSE(persist::parseRecoveryCopy(flipped));

    // Equal to the saved files: nothing to offer, and removed. Another stage: offered.
    const QString file = persist::recoveryFileIn(game.dir);
    io::writeFileAtomically(file, bytes);
    EXPECT_FALSE(persist::unsavedRecoveryCopy(game.dir));
    EXPECT_FALSE(QFileInfo::exists(file));
    project.LevelCount = 2;
    persist::writeRecoveryCopy(persist::copyForSaving(project), when);
    const std::optional<persist::RecoveryCopy> offered = persist::unsavedRecoveryCopy(game.dir);
    ASSERT_TRUE(offered);
    model::Project restored;
    persist::loadFromBytes(restored, game.tmp.app(), game.file, offered->projectFile, offered->extrasFile);
    EXPECT_EQ(restored.LevelCount, 2);
    EXPECT_EQ(restored.stage(1).FonGroup[1].Cells, map); // read from the object file again
    // A damaged copy is no copy.
    io::writeFileAtomically(file, flipped);
    EXPECT_FALSE(persist::unsavedRecoveryCopy(game.dir));
}
