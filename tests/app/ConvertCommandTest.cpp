#include "app/ConvertCommand.h"
#include "codegen/Converter.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ProjectFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <iterator>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(ConvertCommand, PrintsEveryFileWrittenOrTheErrorWithAnExitCode)
{
    test::TempAppFolder tmp;
    model::Project project;
    project.ProjectDir = tmp.makeDir(u"game"_s);
    project.LevelCount = 2;
    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    EXPECT_EQ(app::runConvertCommand(project, tmp.app(), out, err), 0);
    const QStringList lines = outText.split(u'\n', Qt::SkipEmptyParts);
    // Two stages of a class and its tables, Indicators.java, GameValues.java, Sounds.java and the runtime.
    EXPECT_EQ(lines.size(), qsizetype(2 * 2 + 3 + std::size(codegen::kFixedSources))) << outText.toStdString();
    for (const QString& line : lines)
        EXPECT_TRUE(QFileInfo(QDir::fromNativeSeparators(line)).isFile()) << line.toStdString();
    EXPECT_TRUE(errText.isEmpty());

    model::Project none;
    outText.clear();
    EXPECT_NE(app::runConvertCommand(none, tmp.app(), out, err), 0);
    EXPECT_TRUE(outText.isEmpty());
    EXPECT_TRUE(errText.contains(u"Папка проекта не выбрана"_s)) << errText.toStdString();
}

// An extras file written for other project bytes: --convert says so and goes
// on, --package refuses before anything is built (the game would lack the
// object loops its events name).
TEST(ConvertCommand, AnExtrasFileLeftUnappliedIsSaidAndStopsPackaging)
{
    test::SampleProjectFolder game;
    game.savedWith({u"hero.oba"_s});
    io::writeFileAtomically(game.file, io::readWholeFile(game.file) + "\r\n"); // other bytes, same project

    QString outText;
    QString errText;
    QTextStream out(&outText);
    QTextStream err(&errText);
    EXPECT_EQ(app::runConvertFile(game.file, game.tmp.app(), out, err), 0);
    EXPECT_TRUE(errText.contains(u"Предупреждение"_s) && errText.contains(u"project.kestrava.json"_s))
        << errText.toStdString();
    EXPECT_FALSE(outText.isEmpty());

    errText.clear();
    outText.clear();
    EXPECT_EQ(app::runPackageFile(game.file, game.tmp.app(), out, err), 1);
    EXPECT_TRUE(errText.contains(u"project.kestrava.json"_s) && errText.contains(u"Игра не собрана"_s))
        << errText.toStdString();
    EXPECT_TRUE(outText.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(game.dir + u"/bin"_s));

    // The other side: saved again, the extras match and nothing is said.
    model::Project reopened;
    persist::load(reopened, game.tmp.app(), game.file);
    persist::save(reopened, game.file);
    errText.clear();
    EXPECT_EQ(app::runConvertFile(game.file, game.tmp.app(), out, err), 0);
    EXPECT_TRUE(errText.isEmpty()) << errText.toStdString();
}
