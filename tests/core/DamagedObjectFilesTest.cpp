#include "io/Error.h"
#include "io/TextFile.h"
#include "objects/ObjectFile.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <set>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

struct Kind {
    const char* name;
    // Lines (0-based) of counts and sizes that must lie in 0..a bound.
    std::set<int> bounded;
    // Lines holding a picture name or another word of their own.
    std::set<int> named;
};

// Each kind as the writer makes it, damaged in every way a file sent to an
// author may be: every variant is refused at the damaged line, never read as
// another object.
class DamagedObjectFiles : public ::testing::Test {
protected:
    void SetUp() override { test::writeSampleLibrary(tmp.app()); }

    QList<QByteArray> linesOf(const QString& name)
    {
        QByteArray bytes = io::readWholeFile(tmp.app().objectFile(name));
        bytes.chop(2);
        return bytes.split('\n');
    }

    // The message of reading `bytes` as an object file; empty when it was accepted.
    QString refusal(const QByteArray& bytes)
    {
        const QString path = tmp.root() + u"/damaged.obj"_s;
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        f.close();
        try {
            objects::readObjectFile(path);
        } catch (const io::Error& e) {
            EXPECT_TRUE(e.message().contains(u"damaged.obj"_s)) << e.message().toStdString();
            return e.message();
        }
        return QString();
    }

    static QByteArray join(const QList<QByteArray>& lines, const char* end = "\n")
    {
        QByteArray out;
        for (QByteArray line : lines)
            out += line.replace('\r', "") + end;
        return out;
    }

    test::TempAppFolder tmp;
};

bool atLine(const QString& message, int line)
{
    return message.contains(u"строка %1:"_s.arg(line));
}

} // namespace

TEST_F(DamagedObjectFiles, EveryDamageIsRefusedAtItsLine)
{
    const std::pair<QString, Kind> kinds[] = {
        {u"forest.obf"_s, {"fon", {2, 3, 4, 5}, {1}}},
        {u"hero.oba"_s, {"active", {2, 3, 4}, {1}}},
        {u"lives.obl"_s, {"lives", {1, 2}, {3}}},
        {u"title.obt"_s, {"text", {7}, {}}},
    };
    for (const auto& [file, kind] : kinds) {
        SCOPED_TRACE(file.toStdString());
        const QList<QByteArray> lines = linesOf(file);
        const QByteArray good = join(lines, "\r\n");
        ASSERT_TRUE(refusal(good).isEmpty()) << refusal(good).toStdString();

        // Cut at every line: the line after the cut is missing.
        for (int k = 0; k < lines.size(); ++k)
            EXPECT_TRUE(atLine(refusal(join(lines.mid(0, k), "\r\n")), k + 1)) << "cut after " << k;

        for (int i = 1; i < lines.size(); ++i) {
            QList<QByteArray> damaged = lines;
            bool isNumber = false;
            QByteArray(lines[i]).replace('\r', "").toInt(&isNumber);
            if (isNumber) {
                damaged[i] = "1x";
                EXPECT_TRUE(atLine(refusal(join(damaged)), i + 1)) << "letter in line " << i + 1;
            }
            if (kind.bounded.count(i)) {
                for (const char* value : {"-1", "99999999999"}) {
                    damaged[i] = value;
                    EXPECT_TRUE(atLine(refusal(join(damaged)), i + 1)) << value << " in line " << i + 1;
                }
            }
            if (kind.named.count(i)) {
                for (const char* value : {"../forest.png", "sub/forest.png", "diag"}) {
                    damaged[i] = value;
                    // "diag" is a fine picture name, and a wrong direction.
                    const bool refused = !refusal(join(damaged)).isEmpty();
                    EXPECT_EQ(refused, QByteArray(value) != "diag" || QByteArray(kind.name) == "lives") << value;
                }
            }
        }

        QList<QByteArray> keyword = lines;
        keyword[0] = "fone";
        EXPECT_TRUE(atLine(refusal(join(keyword)), 1));

        // Blank lines may follow the end; anything else may not, however long.
        EXPECT_TRUE(refusal(good + "\r\n\r\n").isEmpty());
        EXPECT_TRUE(atLine(refusal(good + "1\r\n"), lines.size() + 1));
        EXPECT_TRUE(atLine(refusal(good + QByteArray(1 << 20, '7')), lines.size() + 1));

        // Lone CR or LF line ends read like CR LF.
        EXPECT_TRUE(refusal(join(lines, "\n")).isEmpty());
        EXPECT_TRUE(refusal(join(lines, "\r")).isEmpty());
    }
}

// Sizes, counts, frame and tile numbers and text styles outside what the
// model and the game can hold are refused at their line; the bounds themselves read.
TEST_F(DamagedObjectFiles, NumbersOutsideTheirRangeAreRefusedAndTheBoundsRead)
{
    struct Probe {
        int line; // 0-based
        std::vector<std::pair<const char*, bool>> values; // value, accepted
    };
    const std::vector<std::pair<QString, std::vector<Probe>>> kinds = {
        {u"forest.obf"_s,
         {{2, {{"0", false}, {"1", true}, {"1000", true}, {"1001", false}, {"2147483647", false}}},
          {3, {{"0", false}, {"1000", true}, {"1001", false}}},
          {6, {{"-1", false}, {"0", true}, {"500", true}, {"501", false}}},
          {11, {{"501", false}}}}},
        {u"hero.oba"_s,
         {{2, {{"0", false}, {"2", false}, {"3", true}, {"1000", true}, {"1001", false}, {"1000000", false}}},
          {3, {{"0", false}, {"1", true}, {"1000", true}, {"1001", false}, {"2147483647", false}}},
          {4, {{"0", false}, {"1000", true}, {"1001", false}}},
          {5, {{"-1", false}, {"0", true}, {"3", true}, {"4", false}, {"101", false}}}}},
        {u"lives.obl"_s, {{1, {{"0", false}, {"1", true}, {"1000", true}, {"1001", false}}}, {2, {{"0", false}}}}},
        {u"title.obt"_s,
         {{1, {{"-1", false}, {"0", true}, {"2", true}, {"3", false}}},
          {2, {{"-2", false}, {"-1", true}, {"2", true}, {"3", false}}},
          {3, {{"0", true}, {"1", true}, {"2", false}}},
          {6, {{"-1", false}, {"16777215", true}, {"16777216", false}}}}},
    };
    for (const auto& [file, probes] : kinds) {
        const QList<QByteArray> lines = linesOf(file);
        for (const Probe& probe : probes)
            for (const auto& [value, accepted] : probe.values) {
                QList<QByteArray> changed = lines;
                changed[probe.line] = value;
                const QString message = refusal(join(changed));
                if (accepted)
                    EXPECT_TRUE(message.isEmpty()) << file.toStdString() << " line " << probe.line + 1 << " = " << value
                                                   << ": " << message.toStdString();
                else
                    // Fewer frames than the table names: refused at the first frame beyond them.
                    EXPECT_TRUE(atLine(message, probe.line + 1) || (probe.line == 2 && message.contains(u"номер кадра"_s)))
                        << file.toStdString() << " line " << probe.line + 1 << " = " << value << ": "
                        << message.toStdString();
            }
    }
}
