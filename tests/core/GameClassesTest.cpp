#include "codegen/Converter.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "packaging/ClassCache.h"
#include "packaging/IncrementalCompile.h"
#include "packaging/Packager.h"
#include "packaging/StandbyJava.h"
#include "persist/ProjectFile.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <iterator>
#include <mutex>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

void writeSource(const QString& dir, const QString& name, const QByteArray& text)
{
    io::writeFileAtomically(dir + u'/' + name, text);
}

const packaging::SourceGroup& groupOf(const packaging::IncrementalCompile& compile, int level)
{
    for (const packaging::SourceGroup& group : compile.groups()) {
        if (group.level == level)
            return group;
    }
    throw std::runtime_error("no such group");
}

// A copy of the demo beside an application folder with the build's Java classes.
QString demoWithJava(const test::TempAppFolder& tmp)
{
    tmp.addJava();
    return tmp.copyDemo(u"demo"_s);
}

} // namespace

TEST(GameClasses, AStageTakesTheKeyOfAnotherOnlyWhenItsCodeNamesThatStagesClasses)
{
    // As the compiler reads them: no comments, no literals, escapes decoded.
    const QSet<QString> names = packaging::javaIdentifiers(
        "class Etap1 { // Etap2data\n /* Etap3data */ String s = \"Etap4data \\\" Etap5\"; char c = '\"';\n"
        " int a = \\u0045tap6data.x; String t = \"\\\\u0045tap7\"; long n = 0x1FL; }");
    EXPECT_TRUE(names.contains(u"Etap6data"_s));
    EXPECT_TRUE(names.contains(u"Etap1"_s));
    for (const QString& hidden : {u"Etap2data"_s, u"Etap3data"_s, u"Etap4data"_s, u"Etap5"_s, u"Etap7"_s, u"x1FL"_s})
        EXPECT_FALSE(names.contains(hidden)) << hidden.toStdString();

    test::TempAppFolder tmp;
    const QString src = tmp.makeDir(u"src"_s);
    const QString api = tmp.root() + u"/api.jar"_s;
    writeSource(tmp.root(), u"api.jar"_s, "classes");
    writeSource(src, u"MyGameCanvas.java"_s, "class MyGameCanvas { /* Etap0, Etap1 */ }");
    writeSource(src, u"Etap0.java"_s, "class Etap0 { static int x = 1; /* Etap1 */ }");
    writeSource(src, u"Etap1.java"_s, "class Etap1 { int y = Etap0.x; }");
    const QStringList files = QDir(src).entryList(QDir::Files, QDir::Name);
    const auto keys = [&] {
        const packaging::IncrementalCompile compile(src, files, api, "ecj 1");
        return std::make_tuple(groupOf(compile, 0).key, groupOf(compile, 1).key, groupOf(compile, 2).key,
                               groupOf(compile, 2).reaches, groupOf(compile, 1).reaches);
    };
    const auto [runtime, first, second, secondReaches, firstReaches] = keys();
    EXPECT_EQ(firstReaches, QSet<int>{0}); // a comment names nothing
    EXPECT_EQ(secondReaches, (QSet<int>{0, 1}));
    EXPECT_EQ(std::get<0>(keys()), runtime); // the same sources, the same keys

    // Stage 1's class changes: stage 2, which reads it, is compiled again; the runtime is not.
    writeSource(src, u"Etap0.java"_s, "class Etap0 { static int x = 2; /* Etap1 */ }");
    const auto [runtime2, first2, second2, r2, f2] = keys();
    EXPECT_EQ(runtime2, runtime);
    EXPECT_NE(first2, first);
    EXPECT_NE(second2, second);
    // The runtime changes: every stage with it.
    writeSource(src, u"MyGameCanvas.java"_s, "class MyGameCanvas { int z; }");
    const auto [runtime3, first3, second3, r3, f3] = keys();
    EXPECT_NE(runtime3, runtime2);
    EXPECT_NE(first3, first2);
    EXPECT_NE(second3, second2);
    // As does another compiler.
    EXPECT_NE(groupOf(packaging::IncrementalCompile(src, files, api, "ecj 2"), 0).key, runtime3);
}

TEST(GameClasses, AKeptEntryIsReadBackWholeOrNotAtAll)
{
    test::TempAppFolder tmp;
    const packaging::ClassCache cache(tmp.root() + u"/classes"_s);
    const QByteArray key("\x01\x02", 2);
    const packaging::ClassFiles classes{{u"Etap0.class"_s, QByteArray("\xca\xfe\n\xba\xbe", 5)},
                                        {u"MyGameCanvas$Stage.class"_s, "end\n"},
                                        {u"empty.class"_s, QByteArray()}};
    EXPECT_FALSE(cache.find(key));
    cache.store(key, classes);
    ASSERT_TRUE(cache.find(key));
    EXPECT_EQ(*cache.find(key), classes);
    EXPECT_FALSE(cache.find("other"));

    // Any byte changed, or the entry cut short, and it is not used.
    const QByteArray whole = io::readWholeFile(cache.entryFile(key));
    for (const qsizetype at : {qsizetype(0), qsizetype(25), whole.size() - 1}) {
        QByteArray damaged = whole;
        damaged[at] = char(damaged[at] ^ 1);
        io::writeFileAtomically(cache.entryFile(key), damaged);
        EXPECT_FALSE(cache.find(key)) << at;
    }
    io::writeFileAtomically(cache.entryFile(key), whole.left(whole.size() - 1));
    EXPECT_FALSE(cache.find(key));

    // A class path that could lead out of a folder of ours is never kept.
    for (const QString& path : {u"../Etap0.class"_s, u"/tmp/Etap0.class"_s, u"a//b.class"_s, u"Etap0.java"_s})
        EXPECT_FALSE(packaging::isClassPath(path)) << path.toStdString();
    EXPECT_TRUE(packaging::isClassPath(u"game/Etap0$1.class"_s));
    cache.store("bad", {{u"../x.class"_s, "x"}});
    EXPECT_FALSE(cache.find("bad"));
}

namespace {

// The demo's stage 2 row 1 compares a position with 616: it becomes 600.
void changeConditionValue(model::EventRowData& row)
{
    ASSERT_EQ(row.CondRecord.size(), 1);
    QString& code = row.CondRecord[0].values[u"AC"_s];
    ASSERT_TRUE(code.contains(u">=616"_s)) << code.toStdString();
    code.replace(u">=616"_s, u">=600"_s);
}

} // namespace

TEST(GameClasses, OnlyTheEditedStageIsCompiledAgainAndTheJarIsTheOneAWholeBuildGives)
{
    if (QStandardPaths::findExecutable(u"ecj"_s).isEmpty())
        GTEST_SKIP() << "no ecj";
    test::TempAppFolder tmp;
    const QString demo = demoWithJava(tmp);
    model::Project p;
    persist::load(p, tmp.app(), demo + u"/project.prg"_s);
    packaging::Packager packager(tmp.app());
    const auto jar = [&] { return io::readWholeFile(packager.run(p).jar, qint64(64) << 20); };

    const QByteArray first = jar();
    // Two stage classes, Indicators.java, GameValues.java, Sounds.java and the runtime.
    const qsizetype all = 2 + 3 + qsizetype(std::size(codegen::kFixedSources));
    EXPECT_EQ(packager.compiledSources().size(), all);
    EXPECT_EQ(jar(), first);
    EXPECT_TRUE(packager.compiledSources().isEmpty()) << "nothing changed, nothing compiled";

    // One condition of stage 2's sheet changes, as "изменить…" changes its value.
    changeConditionValue(p.stage(2).EventRow[1]);
    const QByteArray edited = jar();
    EXPECT_EQ(packager.compiledSources(), QStringList{u"Etap1.java"_s});
    EXPECT_NE(edited, first);

    // Packaged from nothing, with no class kept, the same project gives the same bytes.
    ASSERT_TRUE(QDir(tmp.app().compiledClasses()).removeRecursively());
    EXPECT_EQ(jar(), edited);
    EXPECT_EQ(packager.compiledSources().size(), all);
    const QByteArray jad = io::readWholeFile(demo + u"/bin/demo.jad"_s);
    EXPECT_TRUE(jad.contains("MIDlet-Jar-Size: " + QByteArray::number(edited.size()) + "\r\n"));
}

TEST(GameClasses, TheStandbyCompilesAsTheCompilerAloneAndItsDeathLosesNothing)
{
    if (QStandardPaths::findExecutable(u"ecj"_s).isEmpty() || QStandardPaths::findExecutable(u"java"_s).isEmpty())
        GTEST_SKIP() << "no ecj or java";
    test::TempAppFolder tmp;
    const QString demo = demoWithJava(tmp);
    model::Project p;
    persist::load(p, tmp.app(), demo + u"/project.prg"_s);
    packaging::StandbyJava standby(tmp.app());
    const auto package = [&](packaging::StandbyJava* through) {
        packaging::Packager packager(tmp.app());
        packager.useStandby(through);
        return io::readWholeFile(packager.run(p).jar, qint64(64) << 20);
    };
    const auto wholeBuild = [&](packaging::StandbyJava* through) {
        EXPECT_TRUE(QDir(tmp.app().compiledClasses()).removeRecursively());
        return package(through);
    };

    const QByteArray warm = package(&standby);
    const qint64 pid = standby.pid();
    ASSERT_GT(pid, 0) << "the standby compiled it";
    EXPECT_EQ(warm, wholeBuild(nullptr)) << "the same classes as the compiler alone gives";

    // Killed between two packagings: the next one still gives the bytes of a whole build.
    changeConditionValue(p.stage(2).EventRow[1]);
    ASSERT_EQ(::kill(pid_t(pid), SIGKILL), 0);
    const QByteArray afterKill = package(&standby);
    EXPECT_NE(afterKill, warm);
    EXPECT_EQ(afterKill, wholeBuild(&standby));
    // The killed one is reaped, not left behind.
    for (int k = 0; k < 100 && ::kill(pid_t(pid), 0) == 0; ++k)
        QThread::msleep(20);
    EXPECT_NE(::kill(pid_t(pid), 0), 0);

    // A compile error reads the same whether the standby or the compiler alone found it.
    p.stage(2).EventRow[1].CondRecord[0].values[u"AC"_s].replace(u">=600"_s, u">=nosuchvalue"_s);
    const auto failure = [&](packaging::StandbyJava* through) {
        try {
            package(through);
        } catch (const io::Error& e) {
            return e.message();
        }
        return QString();
    };
    const QString warmMessage = failure(&standby);
    EXPECT_TRUE(warmMessage.contains(u"nosuchvalue"_s)) << warmMessage.toStdString();
    EXPECT_EQ(warmMessage, failure(nullptr));
    EXPECT_TRUE(standby.running());

    // Playing, it checks a game as the player alone does: a descriptor sending it out of its folder is refused.
    std::mutex mutex;
    QStringList answers;
    QObject::connect(&standby, &packaging::StandbyJava::refused, [&](const QString& m) {
        std::lock_guard lock(mutex);
        answers << m;
    });
    QObject::connect(&standby, &packaging::StandbyJava::unavailable, [&] {
        std::lock_guard lock(mutex);
        answers << u"unavailable"_s;
    });
    const auto answer = [&] {
        for (int k = 0; k < 1000; ++k) {
            {
                std::lock_guard lock(mutex);
                if (!answers.isEmpty())
                    return answers.takeFirst();
            }
            QThread::msleep(20);
        }
        return QString();
    };
    const QString away = tmp.makeDir(u"away"_s) + u"/demo.jad"_s;
    io::writeFileAtomically(away, io::readWholeFile(demo + u"/bin/demo.jad"_s)
                                      .replace("MIDlet-Jar-URL: demo.jar", "MIDlet-Jar-URL: ../demo/bin/demo.jar"));
    ASSERT_TRUE(standby.play(away, u"demo"_s, 1));
    EXPECT_TRUE(answer().contains(u"MIDlet-Jar-URL должен называть архив рядом"_s));
    // A size that is no number, or not the archive's, is named in Russian.
    const QByteArray jad = io::readWholeFile(demo + u"/bin/demo.jad"_s);
    const QByteArray size = QByteArray::number(QFileInfo(demo + u"/bin/demo.jar"_s).size());
    const QString beside = demo + u"/bin/edited.jad"_s;
    for (const auto& [written, said] : {std::pair{QByteArray("много"), u"MIDlet-Jar-Size «много» не число"_s},
                                        std::pair{size + '1', u"MIDlet-Jar-Size равен "_s + QString::fromLatin1(size)
                                                                  + u"1, а в архиве "_s + QString::fromLatin1(size)
                                                                  + u" байт"_s}}) {
        io::writeFileAtomically(beside, QByteArray(jad).replace("MIDlet-Jar-Size: " + size, "MIDlet-Jar-Size: " + written));
        ASSERT_TRUE(standby.play(beside, u"demo"_s, 1));
        const QString heard = answer();
        EXPECT_TRUE(heard.contains(said)) << heard.toStdString();
    }
    QFile::remove(beside);
    // A sound game without a display: the caller is told to play it another way.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        ASSERT_TRUE(standby.play(demo + u"/bin/demo.jad"_s, u"demo"_s, 1));
        EXPECT_EQ(answer(), u"unavailable"_s);
    }
}
