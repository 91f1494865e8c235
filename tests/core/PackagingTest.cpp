#include "codegen/StageClass.h"
#include "io/Error.h"
#include "model/Project.h"
#include "packaging/CompilerReport.h"
#include "packaging/Descriptor.h"
#include "packaging/JarArchive.h"
#include "packaging/JavaTools.h"
#include "packaging/Packager.h"
#include "packaging/PlayerCommand.h"
#include "support/ErrorOf.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <zlib.h>

#include <map>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

quint32 le(const QByteArray& b, qsizetype at, int bytes)
{
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | uchar(b[at + i]);
    return v;
}

struct ReadEntry {
    QByteArray bytes;
    int method = -1;
};

// The entries of a zip archive as its central directory lists them, each
// read at its local header, inflated and checked against its CRC.
std::vector<std::pair<QString, ReadEntry>> readZip(const QByteArray& zip)
{
    std::vector<std::pair<QString, ReadEntry>> entries;
    const qsizetype end = zip.size() - 22;
    EXPECT_EQ(le(zip, end, 4), 0x06054b50u);
    const quint32 count = le(zip, end + 10, 2);
    qsizetype at = le(zip, end + 16, 4);
    for (quint32 k = 0; k < count; ++k) {
        EXPECT_EQ(le(zip, at, 4), 0x02014b50u);
        const quint32 crc = le(zip, at + 16, 4);
        const quint32 size = le(zip, at + 24, 4);
        const quint32 nameLength = le(zip, at + 28, 2);
        const quint32 local = le(zip, at + 42, 4);
        const QString name = QString::fromUtf8(zip.mid(at + 46, nameLength));
        at += 46 + nameLength;

        EXPECT_EQ(le(zip, local, 4), 0x04034b50u);
        ReadEntry e;
        e.method = int(le(zip, local + 8, 2));
        const quint32 packed = le(zip, local + 18, 4);
        const QByteArray data = zip.mid(local + 30 + le(zip, local + 26, 2), packed);
        if (e.method == 0) {
            e.bytes = data;
        } else {
            e.bytes.resize(size);
            z_stream z{};
            inflateInit2(&z, -15);
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
            z.avail_in = uInt(data.size());
            z.next_out = reinterpret_cast<Bytef*>(e.bytes.data());
            z.avail_out = uInt(size);
            EXPECT_EQ(inflate(&z, Z_FINISH), Z_STREAM_END);
            inflateEnd(&z);
        }
        EXPECT_EQ(quint32(crc32(0, reinterpret_cast<const Bytef*>(e.bytes.constData()), uInt(e.bytes.size()))), crc)
            << name.toStdString();
        entries.push_back({name, e});
    }
    return entries;
}

// Sets an environment variable for one test and puts it back afterwards.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : m_name(name), m_had(qEnvironmentVariableIsSet(name))
    {
        m_old = qgetenv(name);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

TEST(Packaging, JarHoldsEveryEntryInOrderDeflatedWhenThatIsSmaller)
{
    QByteArray text;
    for (int i = 0; i < 200; ++i)
        text += "int[]pole={1,1,1,1,1,1,1,1,};\r\n";
    const QByteArray noise("\x01\x9f\x33\xc4", 4);
    const QByteArray jar = packaging::jarArchive(
        {{u"META-INF/MANIFEST.MF"_s, "Manifest-Version: 1.0\r\n\r\n"}, {u"Etap0.class"_s, text},
         {u"рисунок.png"_s, noise}});
    const auto entries = readZip(jar);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].first, u"META-INF/MANIFEST.MF"_s);
    EXPECT_EQ(entries[1].second.bytes, text);
    EXPECT_EQ(entries[1].second.method, 8);
    EXPECT_EQ(entries[2].first, u"рисунок.png"_s);
    EXPECT_EQ(entries[2].second.bytes, noise);
    EXPECT_EQ(entries[2].second.method, 0); // four bytes do not shrink
    EXPECT_LT(jar.size(), text.size() / 4);
    // The same entries give the same bytes.
    EXPECT_EQ(packaging::jarArchive({{u"a"_s, text}}), packaging::jarArchive({{u"a"_s, text}}));
}

TEST(Packaging, JarRefusesMoreEntriesOrALongerNameThanItsFieldsHold)
{
    // 65535 entries fit the 16-bit counts, and one name of 65535 bytes its length field.
    std::vector<packaging::JarEntry> entries(packaging::kMaxJarEntries);
    for (size_t k = 0; k < entries.size(); ++k)
        entries[k].name = QString::number(k);
    entries.back().name = QString(packaging::kMaxJarNameBytes, u'я').left(packaging::kMaxJarNameBytes / 2) + u'a';
    const QByteArray jar = packaging::jarArchive(entries);
    const auto read = readZip(jar);
    ASSERT_EQ(read.size(), packaging::kMaxJarEntries);
    EXPECT_EQ(read.back().first.toUtf8().size(), packaging::kMaxJarNameBytes);

    entries.back().name += u'a';
    EXPECT_TRUE(test::errorOf([&] { packaging::jarArchive(entries); }).contains(u"слишком длинное"_s));
    entries.back().name.chop(1);
    entries.push_back({u"one more"_s, {}});
    EXPECT_EQ(test::errorOf([&] { packaging::jarArchive(entries); }),
              u"Слишком много файлов для архива игры: 65536, самое большее 65535."_s);
}

TEST(Packaging, ManifestLinesStayWithin72BytesAndTheDescriptorCarriesTheJarSize)
{
    packaging::MidletSuite suite;
    suite.name = u"Очень длинное название игры, в котором есть запятая и много слов"_s;
    const QByteArray manifest = packaging::manifest(suite);
    QString joined;
    for (const QByteArray& line : manifest.split('\n')) {
        EXPECT_LE(line.size(), 73) << line.toStdString(); // 72 and the CR
        const QString text = QString::fromUtf8(line).remove(u'\r');
        if (text.startsWith(u' '))
            joined += text.mid(1);
        else
            joined += u'\n' + text;
    }
    EXPECT_TRUE(joined.contains(u"\nMIDlet-Name: "_s + suite.name + u'\n'));
    EXPECT_TRUE(joined.contains(u"\nMicroEdition-Profile: MIDP-2.0\n"_s));
    EXPECT_TRUE(joined.contains(u"\nMicroEdition-Configuration: CLDC-1.1\n"_s));
    // The comma of the name must not split MIDlet-1 into more than name, icon and class.
    const qsizetype first = joined.indexOf(u"MIDlet-1: "_s);
    ASSERT_GE(first, 0);
    EXPECT_EQ(joined.mid(first, joined.indexOf(u'\n', first) - first).count(u','), 2);

    const QString jad = QString::fromUtf8(packaging::descriptor(suite, u"Моя игра.jar"_s, 28030));
    EXPECT_TRUE(jad.contains(u"MIDlet-Jar-Size: 28030\r\n"_s));
    EXPECT_TRUE(jad.contains(u"MIDlet-Jar-URL: %D0%9C%D0%BE%D1%8F%20%D0%B8%D0%B3%D1%80%D0%B0.jar\r\n"_s));
    EXPECT_TRUE(jad.contains(u"MIDlet-Vendor: Kestrava\r\n"_s));
    // Without a description of its own, the game's name describes it; no icon, none named.
    EXPECT_TRUE(jad.contains(u"MIDlet-Description: "_s + suite.name + u"\r\n"_s));
    EXPECT_FALSE(jad.contains(u"MIDlet-Icon"_s));
}

TEST(Packaging, TheSuiteCarriesTheProjectsVendorVersionDescriptionScreenAndIcon)
{
    model::Project p;
    // Defaults where the author gave nothing.
    packaging::MidletSuite plain = packaging::suiteOf(p, u"лес"_s);
    EXPECT_EQ(plain.vendor, u"Kestrava"_s);
    EXPECT_EQ(plain.version, u"1.0"_s);

    p.GameScreen = {240, 320};
    p.GameSuite = {u"Студия «Ёж»"_s, u"2.1.3"_s, u"Прогулка по лесу"_s};
    packaging::MidletSuite suite = packaging::suiteOf(p, u"лес"_s);
    suite.icon = u"/kestrava-icon.png"_s;
    for (const QByteArray& bytes : {packaging::manifest(suite), packaging::descriptor(suite, u"лес.jar"_s, 100)}) {
        const QStringList lines = QString::fromUtf8(bytes).split(u"\r\n"_s);
        // Every attribute MIDP 2.0 asks of a suite, in the manifest and the descriptor alike.
        for (const QString& line : {u"MIDlet-Name: лес"_s, u"MIDlet-Vendor: Студия «Ёж»"_s, u"MIDlet-Version: 2.1.3"_s,
                                    u"MIDlet-Description: Прогулка по лесу"_s, u"MIDlet-Icon: /kestrava-icon.png"_s,
                                    u"MIDlet-1: лес, /kestrava-icon.png, dorv"_s, u"MicroEdition-Profile: MIDP-2.0"_s,
                                    u"MicroEdition-Configuration: CLDC-1.1"_s, u"Kestrava-Screen-Width: 240"_s,
                                    u"Kestrava-Screen-Height: 320"_s})
            EXPECT_TRUE(lines.contains(line)) << line.toStdString();
        EXPECT_FALSE(bytes.contains("Kestrava-Touch-Buttons")) << "only a game with on-screen buttons says so";
    }
    p.TouchButtons = true;
    EXPECT_TRUE(packaging::manifest(packaging::suiteOf(p, u"лес"_s)).contains("Kestrava-Touch-Buttons: 1\r\n"));
}

TEST(Packaging, CompilerErrorsNameTheStageRowAndActionOfTheirFragment)
{
    model::Project p;
    p.LevelCount = 2;
    model::StageData& s = p.stage(2);
    for (int r = 1; r <= 2; ++r) {
        model::EventRowData& row = s.EventRow[size_t(r)];
        row.Kind = u"event"_s;
        row.CondText = u"Всегда"_s;
        row.CondCode = u"(obtime>0)"_s;
        row.ActionText[2] = u"жизни = 3"_s;
        row.ActionCode[2] = u"{life=3;}"_s;
    }
    s.EventRow[2].ActionText[6] = u"жизни = сокровища"_s;
    s.EventRow[2].ActionCode[6] = u"{life=treasure;}"_s;
    s.EventCurRow = s.EventCount = 2;
    ASSERT_EQ(codegen::eventLineOrigins(s).size(), 3u); // rows 1/2, 2/2, 2/6
    const int templateLines = 40;
    const QString output = u"/p/лес/src/Etap1.java:43: error: treasure cannot be resolved to a variable\n"
                           u"\tif((obtime>0)){{life=treasure;}};\n"
                           u"\t                     ^^^^^^^^\n"
                           u"/p/лес/src/MyGameCanvas.java:12: error: Syntax error on token \"}\", delete this token\n"
                           u"2 problems (2 errors)\n"_s;
    const QStringList report = packaging::compilerReport(output, p, templateLines);
    ASSERT_EQ(report.size(), 2);
    EXPECT_EQ(report[0], u"Этап 2, строка событий 2 («Всегда»), действие 6 («жизни = сокровища»): treasure cannot "
                         u"be resolved to a variable"_s);
    EXPECT_EQ(report[1], u"Файл «MyGameCanvas.java», строка 12: Syntax error on token \"}\", delete this token"_s);
    // A line of the template itself is not blamed on a row.
    EXPECT_TRUE(packaging::compilerReport(u"/p/src/Etap1.java:7: error: x\n"_s, p, templateLines)[0].startsWith(
        u"Этап 2, шаблон класса этапа"_s));
}

TEST(Packaging, WithoutTheToolsOrTheApiClassesNothingIsWrittenAndTheMessageSaysWhatToInstall)
{
    test::TempAppFolder tmp;
    const QString empty = tmp.makeDir(u"empty-path"_s);
    {
        const ScopedEnv path("PATH", empty.toLocal8Bit());
        const ScopedEnv home("JAVA_HOME", QByteArray());
        const QString message = test::errorOf([] { packaging::findGameCompiler(); });
        EXPECT_TRUE(message.contains(u"apt-get install ecj"_s)) << message.toStdString();
        EXPECT_TRUE(test::errorOf([] { packaging::findShrinker(); }).contains(u"apt-get install proguard-cli"_s));
        EXPECT_TRUE(test::errorOf([] { packaging::findJavaTool(u"java"_s); }).contains(u"default-jre"_s));

        // JAVA_HOME is asked first.
        const QString jre = tmp.makeDir(u"jre/bin"_s);
        QFile java(jre + u"/java"_s);
        ASSERT_TRUE(java.open(QIODevice::WriteOnly));
        java.close();
        java.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        const ScopedEnv withHome("JAVA_HOME", QFileInfo(jre).path().toLocal8Bit());
        EXPECT_EQ(packaging::findJavaTool(u"java"_s), QFileInfo(jre + u"/java"_s).absoluteFilePath());
    }

    model::Project p;
    p.ProjectDir = tmp.makeDir(u"game"_s);
    packaging::Packager packager(tmp.app()); // an application folder without java/midp-api.jar
    int steps = 0;
    packager.onStep([&](packaging::Packager::Step) { ++steps; });
    EXPECT_TRUE(test::errorOf([&] { packager.run(p); }).contains(u"midp-api.jar"_s));
    EXPECT_EQ(steps, 0);
    EXPECT_FALSE(QFileInfo::exists(*p.ProjectDir + u"/src"_s));
    EXPECT_FALSE(QFileInfo::exists(*p.ProjectDir + u"/bin"_s));
}

// bin is checked before the conversion: a refusal there leaves src and res untouched.
TEST(Packaging, AnUnusableBinIsRefusedBeforeAnythingIsWritten)
{
    test::TempAppFolder tmp;
    QDir().mkpath(tmp.app().java());
    QFile api(tmp.app().midpApi());
    ASSERT_TRUE(api.open(QIODevice::WriteOnly));
    api.close();
    model::Project p;
    p.ProjectDir = tmp.makeDir(u"game"_s);
    QFile bin(*p.ProjectDir + u"/bin"_s);
    ASSERT_TRUE(bin.open(QIODevice::WriteOnly));
    bin.close();
    packaging::Packager packager(tmp.app());
    const QString message = test::errorOf([&] { packager.run(p); });
    EXPECT_TRUE(message.contains(u"bin"_s) && message.contains(u"ничего не записано"_s)) << message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(*p.ProjectDir + u"/src"_s));
    EXPECT_FALSE(QFileInfo::exists(*p.ProjectDir + u"/res"_s));
}

TEST(Packaging, ThePlayerOpensTheGameAtTheScreenItsJadNames)
{
    const io::AppFolder app(u"/opt/kestrava"_s);
    // The jad says the screen; its size only sets how much larger the window shows it.
    EXPECT_EQ(packaging::playerArguments(app, u"/p/bin/p.jad"_s, u"Игра"_s, {240, 320}),
              (QStringList{u"-Xmx64m"_s, u"-jar"_s, u"/opt/kestrava/java/kestrava-player.jar"_s, u"--title"_s,
                           u"Игра"_s, u"--scale"_s, u"2"_s, u"/p/bin/p.jad"_s}));
    EXPECT_EQ(packaging::playerArguments(app, u"g.jad"_s, u"g"_s, {128, 128}).at(6), u"3"_s);
    // A size no phone has is played at the usual screen, 176 x 208: three times.
    EXPECT_EQ(packaging::playerArguments(app, u"g.jad"_s, u"g"_s, {2000, 2000}).at(6), u"3"_s);
}

TEST(Packaging, WhatEarlierConversionsLeftInSrcIsLeftOut)
{
    test::TempAppFolder tmp;
    const QString src = tmp.makeDir(u"src"_s);
    for (const char* name : {"Etap0.java", "Etap0data.java", "Etap1extra.java", "Etap2.java", "Etap2data.java",
                             "Etap2extra.java", "Etap10.java", "Etap99999999999.java", "MyGameCanvas.java", "Coins.java",
                             "notes.txt"}) {
        QFile f(src + u'/' + QString::fromLatin1(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    // Two stages now: what a three-stage project left in src would make its "уровень+1" lead to a ghost stage,
    // and the classes earlier versions wrote the tables into would only make the jar larger.
    EXPECT_EQ(packaging::Packager::gameSources(src, 2),
              (QStringList{u"Coins.java"_s, u"Etap0.java"_s, u"MyGameCanvas.java"_s}));
}
