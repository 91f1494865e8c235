#include "io/Cp1251.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <vector>

#include <sys/stat.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

TEST(Cp1251, EveryByteSurvivesARoundTrip)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = io::Cp1251::decode(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text.at(0xC0), QChar(u'А'));
    EXPECT_EQ(text.at(0xFF), QChar(u'я'));
    EXPECT_EQ(text.at(0xA8), QChar(u'Ё'));
    EXPECT_EQ(text.at(0xB9), QChar(u'№'));
    const auto back = io::Cp1251::encode(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Cp1251, RefusesCharactersOutsideTheCodePage)
{
    EXPECT_FALSE(io::Cp1251::encode(u"Этап ☺"_s).has_value());
    EXPECT_EQ(io::Cp1251::firstUnencodable(u"Этап ☺"_s), 5);
    EXPECT_FALSE(io::Cp1251::encode(u"日本"_s).has_value());
    EXPECT_EQ(io::Cp1251::firstUnencodable(u"Этап"_s), -1);
    EXPECT_EQ(io::Cp1251::firstUnencodableCharacter(u"лес 😀 ☺"_s), u"😀"_s);
    EXPECT_EQ(io::Cp1251::firstUnencodableCharacter(u"лес"_s), QString());
}

TEST(LineWriter, WritesCrLfLinesInWindows1251)
{
    test::TempAppFolder tmp;
    const QString path = tmp.root() + u"/out.txt"_s;
    io::LineWriter w(path);
    w.text(u"proekt"_s);
    w.integer(-12);
    w.text(QString());
    w.text(u"Этап №"_s);
    w.commit();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("proekt\r\n-12\r\n\r\n\xDD\xF2\xE0\xEF \xB9\r\n"));
}

TEST(LineWriter, RefusesUnencodableTextAndLineBreaksBeforeWriting)
{
    test::TempAppFolder tmp;
    const QString path = tmp.root() + u"/keep.txt"_s;
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old\r\n");
    }
    io::LineWriter w(path);
    w.text(u"good"_s);
    try {
        w.text(u"снег ❄"_s);
        FAIL() << "accepted a character outside windows-1251";
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().contains(u"снег ❄"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"keep.txt"_s));
    }
    EXPECT_THROW(w.text(u"two\nlines"_s), io::Error);
    // A control character would come back as damage; a tab is text.
    EXPECT_THROW(w.text(QStringLiteral("(life==0)") + QChar(0)), io::Error);
    EXPECT_THROW(w.text(u"a\x01b"_s), io::Error);
    w.text(u"a\tb"_s);
    // The longest line a reader takes is written; one more byte is refused.
    w.text(QString(io::kMaxLineBytes, u'x'));
    EXPECT_THROW(w.text(QString(io::kMaxLineBytes + 1, u'x')), io::Error);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old\r\n"));
}

TEST(LineReader, ReadsLinesAndIntegers)
{
    io::LineReader r(u"x.prg"_s, QByteArray("fon\r\n-5\r\n\r\n\xDD\xF2\xE0\xEF\r\n 42 \nlast"));
    EXPECT_EQ(r.text(), u"fon"_s);
    EXPECT_EQ(r.integer(), -5);
    EXPECT_EQ(r.text(), QString());
    EXPECT_EQ(r.text(), u"Этап"_s);
    EXPECT_EQ(r.integer(), 42);
    EXPECT_EQ(r.lineNumber(), 5);
    EXPECT_FALSE(r.atEnd());
    EXPECT_EQ(r.text(), u"last"_s);
    EXPECT_TRUE(r.atEnd());
}

TEST(LineReader, ABadIntegerNamesTheFileAndTheLine)
{
    io::LineReader r(u"/tmp/proj/project.prg"_s, QByteArray("1\r\n2\r\n1x\r\n"));
    r.integer();
    r.integer();
    try {
        r.integer();
        FAIL();
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().contains(u"project.prg"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"строка 3"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"1x"_s));
    }
    // Past the end is an error too, not an empty value.
    EXPECT_THROW(r.text(), io::Error);
}

TEST(LineReader, AControlCharacterIsDamageAtItsLine)
{
    io::LineReader r(u"project.prg"_s, QByteArray("a\tb\r\n(life==0)\0;\r\n", 19));
    EXPECT_EQ(r.text(), u"a\tb"_s);
    try {
        r.text();
        FAIL() << "a NUL byte was read as text";
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().contains(u"строка 2"_s)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(u"\\x00"_s)) << e.message().toStdString();
    }
}

TEST(LineReader, IntegerRange)
{
    int v = 0;
    EXPECT_TRUE(io::parseInteger(u"2147483647"_s, &v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(io::parseInteger(u"-2147483648"_s, &v));
    EXPECT_EQ(v, -2147483647 - 1);
    EXPECT_FALSE(io::parseInteger(u"2147483648"_s, &v));
    EXPECT_FALSE(io::parseInteger(u"-"_s, &v));
    EXPECT_FALSE(io::parseInteger(u"1.5"_s, &v));
    EXPECT_FALSE(io::parseInteger(u"0x10"_s, &v));
}

// integer() reads plain decimals straight from the bytes; whatever the line,
// it must agree with text() and parseInteger, and stay on the same line.
TEST(LineReader, IntegersReadAsTheirTextParses)
{
    const char* lines[] = {"7", "+7", " -7\t", "007", "2147483647", "-2147483648", "2147483648", "00000000012",
                           "1 2", "\xA0" "5", "-", "", "12abc", "99999999999"};
    // Near the end of the file and far from it: integers() reads the latter a word at a time.
    for (const char* tail : {"end", "end, and the rest of a long file"})
        for (const char* ends : {"\r\n", "\n", "\r", ""}) {
            for (const char* line : lines) {
                const QByteArray file = QByteArray(line) + ends + tail;
                int expected = 0;
                io::LineReader slow(u"x"_s, file);
                const bool parses = io::parseInteger(slow.text(), &expected);
                for (const bool bulk : {false, true}) {
                    io::LineReader fast(u"x"_s, file);
                    try {
                        int value = 0;
                        if (bulk)
                            fast.integers(std::span(&value, 1));
                        else
                            value = fast.integer();
                        EXPECT_EQ(value, expected) << line;
                        EXPECT_TRUE(parses) << line;
                    } catch (const io::Error&) {
                        EXPECT_FALSE(parses) << line;
                        continue;
                    }
                    EXPECT_EQ(fast.lineNumber(), slow.lineNumber());
                    if (*ends)
                        EXPECT_EQ(fast.text(), QString::fromLatin1(tail)) << line;
                }
                io::LineReader skipping(u"x"_s, file);
                skipping.skip();
                EXPECT_EQ(skipping.lineNumber(), 1);
                if (*ends)
                    EXPECT_EQ(skipping.text(), QString::fromLatin1(tail)) << line;
                else
                    EXPECT_TRUE(skipping.atEnd());
            }
        }

    // A map's worth of numbers of every length, read in one go.
    std::vector<int> written;
    QByteArray file;
    for (int k = 0; k < 3000; ++k) {
        int value = int((std::uint64_t(k) * 2654435761u) % 100000000u);
        for (int cut = k % 9; cut > 0; --cut)
            value /= 10;
        written.push_back(value);
        file += QByteArray::number(value) + "\r\n";
    }
    std::vector<int> read(written.size());
    io::LineReader bulk(u"x"_s, file);
    bulk.integers(read);
    EXPECT_EQ(read, written);
    EXPECT_TRUE(bulk.atEnd());
    EXPECT_EQ(bulk.lineNumber(), 3000);
}

TEST(LineReader, MissingFileIsAClearError)
{
    try {
        io::LineReader::open(u"/nonexistent/dir/forest.obf"_s, io::kMaxObjectFileBytes);
        FAIL();
    } catch (const io::Error& e) {
        EXPECT_TRUE(e.message().contains(u"forest.obf"_s));
        EXPECT_TRUE(e.message().contains(u"не найден"_s));
    }
}

// Only regular files are read, within their cap, and nothing waits for a writer.
TEST(ReadWholeFile, RefusesFoldersFifosDevicesAndFilesOverTheCap)
{
    test::TempAppFolder tmp;
    const QString dir = tmp.makeDir(u"hostile"_s);
    auto refusal = [](const QString& path, qint64 cap = io::kMaxTextFileBytes) {
        try {
            io::readWholeFile(path, cap);
        } catch (const io::Error& e) {
            return e.message();
        }
        return QString();
    };
    const QString fifo = dir + u"/project.prg"_s;
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_TRUE(refusal(fifo).contains(u"не обычный файл"_s)) << refusal(fifo).toStdString();
    EXPECT_TRUE(refusal(dir).contains(u"папка"_s));
    const QString zero = dir + u"/forest.obf"_s;
    ASSERT_TRUE(QFile::link(u"/dev/zero"_s, zero));
    EXPECT_TRUE(refusal(zero).contains(u"символическая ссылка"_s)) << refusal(zero).toStdString();

    // The cap, from both sides; a link, even to a regular file beside it, is refused.
    const QString file = dir + u"/ten.txt"_s;
    io::writeFileAtomically(file, "0123456789");
    ASSERT_TRUE(QFile::link(file, dir + u"/link.txt"_s));
    EXPECT_EQ(io::readWholeFile(file, 10), QByteArray("0123456789"));
    EXPECT_TRUE(refusal(dir + u"/link.txt"_s).contains(u"символическая ссылка"_s));
    EXPECT_TRUE(refusal(file, 9).contains(u"слишком велик"_s)) << refusal(file, 9).toStdString();
}

TEST(Error, ExcerptsAreShortAndShowControlCharacters)
{
    const QString sixty(60, u'я');
    EXPECT_EQ(io::excerpt(sixty), sixty);
    EXPECT_EQ(io::excerpt(sixty + u'я'), sixty + u'…');
    EXPECT_EQ(io::excerpt(QString(50'000'000, u'7')).size(), 61);
    EXPECT_EQ(io::excerpt(u"a\0b\tc"_s.replace(u"\\0"_s, QString(QChar(0))).replace(u"\\t"_s, u"\t"_s)),
              u"a\\x00b\\x09c"_s);

    // A reader quotes through it.
    QByteArray zeros(10'000, '\0');
    io::LineReader r(u"x.obf"_s, zeros);
    try {
        r.integer();
        FAIL();
    } catch (const io::Error& e) {
        EXPECT_LT(e.message().size(), 400);
        EXPECT_FALSE(e.message().contains(QChar(0)));
        EXPECT_TRUE(e.message().contains(u"\\x00"_s));
    }
}

TEST(WriteFileAtomically, WithoutAFlushItStillReplacesWholeAndLeavesNoTemporaryFile)
{
    test::TempAppFolder tmp;
    const QString dir = tmp.makeDir(u"out"_s);
    const QString path = dir + u"/картинка.png"_s;
    io::writeFileAtomically(path, "first", io::FileSync::LeaveToSystem);
    EXPECT_EQ(io::readWholeFile(path), QByteArray("first"));
    io::writeFileAtomically(path, "second, longer", io::FileSync::LeaveToSystem);
    EXPECT_EQ(io::readWholeFile(path), QByteArray("second, longer"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{u"картинка.png"_s});

    // A folder that is not there: an error naming the file, nothing created.
    EXPECT_THROW(io::writeFileAtomically(dir + u"/missing/x.png"_s, "x", io::FileSync::LeaveToSystem), io::Error);
    EXPECT_FALSE(QFileInfo::exists(dir + u"/missing"_s));
}

TEST(WriteFileAtomically, APercentSignInTheFolderNameIsNoPlaceholder)
{
    test::TempAppFolder tmp;
    for (const QString& name : {u"100%1 game"_s, u"a%0b"_s}) {
        const QString dir = tmp.makeDir(name);
        const QString path = dir + u"/Etap0.java"_s;
        io::writeFileAtomically(path, "class", io::FileSync::LeaveToSystem);
        EXPECT_EQ(io::readWholeFile(path), QByteArray("class")) << name.toStdString();
        EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{u"Etap0.java"_s});
    }
}

TEST(Error, MessagesKeepPercentSignsOfPathsAndTexts)
{
    const QString path = u"/home/a/Игра%2 %1/project.prg"_s;
    EXPECT_EQ(io::Error::atLine(path, 7, u"«50%3» не является целым числом"_s).message(),
              u"Файл «/home/a/Игра%2 %1/project.prg», строка 7: «50%3» не является целым числом"_s);
    EXPECT_EQ(io::Error::inFile(path, u"%1"_s).message(), u"Файл «/home/a/Игра%2 %1/project.prg»: %1"_s);
}
