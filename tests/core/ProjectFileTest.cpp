#include "codegen/StageClass.h"
#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectFile.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>

using namespace kestrava;
using test::errorOf;
using namespace Qt::Literals::StringLiterals;

namespace {

using test::importInto;

// What a save and a load give back of a project: the fields the file does
// not hold are those a fresh read sets.
model::Project asReadBack(model::Project p, const model::Project& loaded)
{
    p.SelLevel = 1;
    p.CurLevel = 1;
    return p;
}

// Places objects, texts and event rows in stage level (groups already imported).
void fillStage(model::StageData& s, int placed, int rows, int seed)
{
    s.FonObjCount = placed;
    s.ActiveObjCount = placed;
    for (int i = 1; i <= placed; ++i) {
        model::FonObjectData& f = s.FonObject[size_t(i)];
        f.Group = 1 + i % std::max(1, s.FonGroupCount);
        f.Ref = QString::number(f.Group);
        f.X = i * 7 + seed;
        f.Y = -i;
        f.Layer = s.FonGroup[size_t(f.Group)].ListSlot;
        f.FileName = s.FonGroup[size_t(f.Group)].FileName;
        f.Width = 16;
        f.Height = 16;
        f.Exists = i % 3 != 0;
        model::ActiveObjectData& a = s.ActiveObject[size_t(i)];
        a.GroupValue = 1 + i % std::max(1, s.ActiveGroupCount);
        a.Ref = QString::number(a.GroupValue);
        a.X = 1000 - i;
        a.Y = i * 9 + seed;
        a.Layer = s.ActiveGroup[size_t(a.GroupValue)].ListSlot;
        a.FileName = s.ActiveGroup[size_t(a.GroupValue)].BmpName;
        a.Width = 16;
        a.Height = 24;
        a.Exists = i % 4 != 1;
        s.ActiveType[size_t(i)] = model::MovementType(i % 4);
    }
    for (int t = 1; t <= s.TextCount; ++t) {
        s.TextObject[size_t(t)].X = 10 * t;
        s.TextObject[size_t(t)].Y = 20 * t + seed;
    }
    s.EventCount = rows;
    s.EventCurRow = rows;
    s.ActionCount = rows;
    for (int r = 1; r <= rows; ++r) {
        model::EventRowData& e = s.EventRow[size_t(r)];
        e.Kind = r % 5 == 0 ? u"comment"_s : u"event"_s;
        e.CondText = r % 2 ? u"Таймер больше %1"_s.arg(r) : QString();
        e.CondCode = u"(obtime>%1)"_s.arg(r + seed);
        for (int m = 1; m <= model::kMaxActions; m += 1 + r % 3) {
            e.ActionText[size_t(m)] = u"жизни + %1"_s.arg(m);
            e.ActionCode[size_t(m)] = u"{life=life+%1;}"_s.arg(m);
        }
    }
}

using Folders = test::SampleProjectFolder;

} // namespace

TEST(ProjectFile, NewProjectInAFreshRunWritesThe21Lines)
{
    Folders f;
    model::Project p;
    persist::save_project(p, f.dir + u"/мой.prg"_s);
    EXPECT_EQ(p.ProjectDir, f.dir);
    EXPECT_EQ(io::readWholeFile(f.file), QByteArray("proekt\r\nnumb_level\r\n1\r\n0\r\nfon\r\n0\r\n0\r\nfon_gr\r\nfon_ob\r\n"
                                          "active\r\n0\r\n0\r\nactive_gr\r\nactive_ob\r\ntext\r\n0\r\ntext_gr\r\n"
                                          "events\r\n0\r\naction\r\n0\r\n"));
    for (const char16_t* sub : {u"/objects", u"/res", u"/src"})
        EXPECT_TRUE(QFileInfo(f.dir + QString::fromUtf16(sub)).isDir());
    EXPECT_FALSE(QFileInfo::exists(f.dir + u"/мой.prg"_s));

    // Another "Новый" into that folder would silently replace its project.
    p.reset();
    EXPECT_TRUE(errorOf([&] { persist::save_project(p, f.dir + u"/другой.prg"_s); }).contains(u"уже есть проект"_s));
    EXPECT_FALSE(p.hasProjectDir());
    // Choosing project.prg itself was confirmed in the dialog.
    persist::save_project(p, f.file);
    EXPECT_EQ(p.ProjectDir, f.dir);
}

TEST(ProjectFile, FullStageRoundTrip)
{
    Folders f;
    model::Project p;
    p.ProjectDir = f.dir;
    // 100 list slots: groups and texts interleaved.
    for (int i = 0; i < 20; ++i) {
        importInto(p, f.tmp.app(), 1, i % 2 ? u"forest.obf"_s : u"empty.obf"_s);
        importInto(p, f.tmp.app(), 1, u"forest.obf"_s);
        importInto(p, f.tmp.app(), 1, i % 3 ? u"hero.oba"_s : u"ghost.oba"_s);
        importInto(p, f.tmp.app(), 1, u"title.obt"_s);
        importInto(p, f.tmp.app(), 1, i % 2 ? u"forest.obf"_s : u"ghost.oba"_s);
    }
    model::StageData& s = p.stage(1);
    ASSERT_EQ(s.ListSlotCount, model::kMaxListSlots);
    ASSERT_EQ(s.TextCount, model::kMaxTextObjects);
    for (int g = 1; g <= s.FonGroupCount; g += 3)
        s.FonGroup[size_t(g)].Obstacle = 1;
    for (int g = 1; g <= s.ActiveGroupCount; g += 2)
        s.ActiveGroup[size_t(g)].Caption = g % 4 == 1 ? u"1"_s : u"2"_s;
    fillStage(s, model::kMaxFonObjects, model::kMaxEventRows, 0);

    persist::save(p, f.file);
    model::Project loaded;
    loaded.stage(5).EventCount = 3; // whatever was open is replaced
    persist::load(loaded, f.tmp.app(), f.file);
    EXPECT_TRUE(loaded == asReadBack(p, loaded));
    EXPECT_EQ(loaded.stage(1).FonGroup[7], p.stage(1).FonGroup[7]);
    EXPECT_EQ(loaded.stage(1).EventRow[50], p.stage(1).EventRow[50]);
    // Saving what was read gives the same file.
    const QByteArray first = io::readWholeFile(f.file);
    persist::save(loaded, f.file);
    EXPECT_EQ(io::readWholeFile(f.file), first);
}

TEST(ProjectFile, SeveralStagesRoundTrip)
{
    Folders f;
    model::Project p;
    p.ProjectDir = f.dir;
    p.LevelCount = 3;
    importInto(p, f.tmp.app(), 1, u"hero.oba"_s);
    importInto(p, f.tmp.app(), 1, u"forest.obf"_s);
    importInto(p, f.tmp.app(), 1, u"title.obt"_s);
    importInto(p, f.tmp.app(), 1, u"ghost.oba"_s);
    importInto(p, f.tmp.app(), 1, u"hero.oba"_s);
    fillStage(p.stage(1), 2, 4, 1);
    // A movement type of a group beyond the placed objects is kept (by the extras file).
    p.stage(1).ActiveType[3] = model::MovementType::Planned;
    // One action placed in row 3 while ActionCount says 1.
    p.stage(1).ActionCount = 1;
    p.stage(1).EventRow[2].ActionText = {};
    p.stage(1).EventRow[2].ActionCode = {};
    p.stage(1).EventRow[4].ActionText = {};
    p.stage(1).EventRow[4].ActionCode = {};
    p.stage(1).EventRow[3] = model::EventRowData();
    p.stage(1).EventRow[3].Kind = u"event"_s;
    p.stage(1).EventRow[3].ActionText[20] = u"Счёт = 5"_s;
    p.stage(1).EventRow[3].ActionCode[20] = u"{score=5;}"_s;
    // Stage 2 stays empty; stage 3 has groups but nothing placed.
    importInto(p, f.tmp.app(), 3, u"ghost.oba"_s);
    importInto(p, f.tmp.app(), 3, u"empty.obf"_s);
    importInto(p, f.tmp.app(), 3, u"blank.obt"_s);
    p.stage(3).ActionCount = 70; // counts placements; more than the sheet has rows
    p.stage(3).EventCount = 1;
    p.stage(3).EventRow[1].CondCode = u"(anykey==1)"_s;
    persist::save(p, f.file);

    const QByteArray bytes = io::readWholeFile(f.file);
    EXPECT_TRUE(bytes.contains("active\r\n2\r\n3\r\n1\r\n2\r\nactive_gr\r\n")) << bytes.left(400).constData();
    EXPECT_TRUE(bytes.contains("active\r\n0\r\n1\r\nactive_gr\r\nghost.oba\r\n\r\n1\r\nactive_ob\r\n"));

    model::Project loaded;
    persist::load(loaded, f.tmp.app(), f.file);
    model::Project expected = asReadBack(p, loaded);
    EXPECT_EQ(loaded.stage(1).ActiveType[3], model::MovementType::Planned);
    expected.stage(1).ActionCount = 3;
    expected.stage(3).ActionCount = 50;
    EXPECT_TRUE(loaded == expected);
    EXPECT_EQ(loaded.stage(1).EventRow[3].ActionText[20], u"Счёт = 5"_s);
    EXPECT_EQ(loaded.stage(1).EventRow[2].CondText, QString());
    EXPECT_EQ(loaded.stage(1).EventCurRow, 4);
    EXPECT_EQ(loaded.stage(3).FonGroup[1].ListSlot, 2);
    EXPECT_EQ(loaded.LevelCount, 3);
}

TEST(ProjectFile, GroupsComeBackInTheirSavedSlots)
{
    Folders f;
    const QString dir = f.tmp.makeDir(u"slots"_s);
    QFile::copy(test::testData(u"projects/slot3.prg"_s), dir + u"/project.prg"_s);
    model::Project p;
    persist::load(p, f.tmp.app(), dir + u"/project.prg"_s);
    const model::StageData& s = p.stage(1);
    EXPECT_EQ(p.ProjectDir, dir);
    EXPECT_EQ(s.ListSlotCount, 3);
    EXPECT_EQ(s.FonGroup[1].ListSlot, 3);
    EXPECT_EQ(s.FonGroup[1].Index, 1);
    EXPECT_EQ(s.FonGroup[1].Obstacle, 1);
    EXPECT_EQ(s.FonGroup[1].cell(2, 3), 4);
    EXPECT_EQ(s.ActiveGroup[1].ListSlot, 1);
    EXPECT_EQ(s.ActiveGroup[1].Caption, u"1"_s);
    EXPECT_EQ(s.TextObject[1].ListSlot, 2);
    EXPECT_EQ(s.TextObject[1].Colour, 255);
    EXPECT_EQ(s.TextObject[1].Lines[1], u"Привет"_s);
    EXPECT_EQ(s.TextObject[1].Lines[2], u"Мир = 1"_s);
    EXPECT_EQ(s.TextObject[1].Y, 20);
    // The groups' files came into the project.
    EXPECT_TRUE(QFileInfo::exists(dir + u"/objects/forest.png"_s));
    EXPECT_TRUE(QFileInfo::exists(dir + u"/objects/hero.oba"_s));
}

TEST(ProjectFile, BadFilesLeaveTheOpenProjectAndTheDisk)
{
    Folders f;
    model::Project open;
    open.ProjectDir = f.dir;
    importInto(open, f.tmp.app(), 1, u"forest.obf"_s);
    importInto(open, f.tmp.app(), 1, u"hero.oba"_s);
    fillStage(open.stage(1), 3, 2, 5);
    persist::save(open, f.file);
    persist::load(open, f.tmp.app(), f.file);
    const model::Project before = open;
    QFile::copy(test::testData(u"objects/map_too_wide.obf"_s), f.tmp.app().objectFile(u"map_too_wide.obf"_s));

    struct Case {
        const char16_t* file;
        const char16_t* fragment;
    };
    const Case cases[] = {
        {u"non_number.prg", u"строка 14: «12a» не является целым числом"},
        {u"wrong_keyword.prg", u"строка 5: ожидалось «fon», а в строке «fom»"},
        // Even before an empty section: the file is not what the writer makes.
        {u"misspelt_section.prg", u"строка 8: ожидалось «fon_gr», а в строке «fon_grr»"},
        {u"truncated.prg", u"строка 37: файл обрывается"},
        {u"too_many_levels.prg", u"строка 3: число этапов = 21, а допускается от 1 до 20"},
        {u"too_many_groups.prg", u"строка 6: число фоновых групп = 101, а допускается не более 100"},
        {u"too_many_lines.prg", u"строка 25: число строк текста = 11"},
        {u"too_many_events.prg", u"строка 19: число строк событий = 51"},
        {u"too_many_actions.prg", u"строка 21: число строк с действиями = 51"},
        {u"slot_over.prg", u"строка 11: номер значка группы в списке объектов = 101"},
        {u"missing_object.prg", u"строка 9: объект «nowhere.obf» не загружен"},
        {u"dotdot.prg", u"строка 9: объект «../secret.obf» не загружен. Имя файла объекта «../secret.obf» недопустимо"},
        {u"wrong_kind.prg", u"hero.oba»: файл не является фоновым объектом"},
        {u"bad_object.prg", u"map_too_wide.obf», строка 5: число столбцов карты = 101"},
        {u"second_stage_bad.prg", u"строка 41: число размещённых активных объектов = -3"},
    };
    QFile::copy(f.tmp.app().objectFile(u"forest.obf"_s), f.tmp.root() + u"/secret.obf"_s);
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.file);
        const QString bad = f.tmp.makeDir(u"bad/"_s + name) + u'/' + name;
        ASSERT_TRUE(QFile::copy(test::testData(u"projects/"_s + name), bad));
        const QString files = test::folderSnapshot(f.tmp.root());
        const QString message = errorOf([&] { persist::load(open, f.tmp.app(), bad); });
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(bad))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf16(c.fragment))) << message.toStdString();
        EXPECT_TRUE(open == before) << name.toStdString();
        EXPECT_EQ(test::folderSnapshot(f.tmp.root()), files) << name.toStdString();
    }
    EXPECT_TRUE(errorOf([&] { persist::load(open, f.tmp.app(), f.dir + u"/none.prg"_s); }).contains(u"файл не найден"_s));
    EXPECT_TRUE(open == before);
}

TEST(ProjectFile, SavesThatMustNotWrite)
{
    Folders f;
    model::Project p;
    persist::save_project(p, f.file);
    const QByteArray saved = io::readWholeFile(f.file);
    const QByteArray savedExtras = io::readWholeFile(f.dir + u"/project.kestrava.json"_s);

    // Text outside windows-1251: refused before the file is touched; the
    // message says where the text is.
    p.LevelCount = 2;
    p.stage(2).EventCount = 3;
    p.stage(2).EventRow[3].CondText = u"Улыбка ☺"_s;
    const QString smiley = errorOf([&] { persist::save(p, f.file); });
    EXPECT_TRUE(smiley.contains(u"этап 2, строка событий 3: текст «Улыбка ☺» содержит символ «☺»"_s)) << smiley.toStdString();
    EXPECT_TRUE(smiley.contains(u"windows-1251"_s));
    p.stage(2).EventRow[3].CondText.clear();
    p.stage(2).TextCount = 1;
    p.stage(2).TextObject[1].LineCount = 1;
    p.stage(2).TextObject[1].Lines[1] = u"две\nстроки"_s;
    EXPECT_TRUE(errorOf([&] { persist::save(p, f.file); }).contains(u"этап 2, текстовый объект 1: текст «две строки» содержит перевод строки"_s));
    p.LevelCount = 1;
    p.stage(1).EventCount = 1;
    p.stage(1).EventRow[1].ActionText[4] = u"☺"_s;
    EXPECT_TRUE(errorOf([&] { persist::save(p, f.file); }).contains(u"этап 1, строка событий 1: текст «☺»"_s));
    EXPECT_EQ(io::readWholeFile(f.file), saved);
    EXPECT_EQ(io::readWholeFile(f.dir + u"/project.kestrava.json"_s), savedExtras);
    EXPECT_EQ(QDir(f.dir).entryList(QDir::Files), (QStringList{u"project.kestrava.json"_s, u"project.prg"_s}));

    // No project folder chosen: nothing is written anywhere.
    model::Project none;
    const QString target = u"/project.prg"_s;
    EXPECT_TRUE(errorOf([&] { persist::save(none, target); }).contains(u"Проект ещё не создан"_s));
    EXPECT_FALSE(QFileInfo::exists(target));
    EXPECT_FALSE(errorOf([&] { persist::save(none, f.dir + u"/x.prg"_s); }).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(f.dir + u"/x.prg"_s));
}

TEST(ProjectFile, AProjectFolderOpensWithoutTheLibrary)
{
    Folders f;
    model::Project p;
    persist::save_project(p, f.file);
    importInto(p, f.tmp.app(), 1, u"forest.obf"_s);
    importInto(p, f.tmp.app(), 1, u"hero.oba"_s);
    persist::save(p, f.file);

    // Another machine: an application folder without these objects.
    test::TempAppFolder other;
    model::Project there;
    persist::load(there, other.app(), f.file);
    EXPECT_EQ(there.stage(1).FonGroup[1], p.stage(1).FonGroup[1]);
    EXPECT_EQ(there.stage(1).ActiveGroup[1].Anim[6][4][4], 3);
    EXPECT_TRUE(QDir(other.app().objects()).isEmpty());
}

TEST(ProjectFile, TheDemoProjectOpens)
{
    test::TempAppFolder tmp; // no library: the demo folder carries its objects
    model::Project p;
    persist::load(p, tmp.app(), test::sourceFile(u"examples/demo/project.prg"_s));
    EXPECT_EQ(p.LevelCount, 2);
    const model::StageData& s = p.stage(1);
    EXPECT_EQ(s.FonGroup[1].Columns, 20);
    EXPECT_EQ(s.FonGroup[1].Rows, 12);
    EXPECT_EQ(s.ActiveGroupCount, 2);
    EXPECT_EQ(s.ActiveObjCount, 3);
    EXPECT_EQ(s.TextObject[1].Lines[1], u"Лесная прогулка"_s);
    EXPECT_EQ(s.EventRow[2].ActionCode[6], u"{life=life+1;}"_s); // the player's column
    EXPECT_EQ(p.stage(2).FonObjCount, 2);
    EXPECT_TRUE(QDir(tmp.app().objects()).isEmpty());

    // Stage 2 with no background group: once read out of step as a stage
    // without its background, its active object and its event.
    const QString dir = tmp.makeDir(u"demo"_s);
    test::copyFolderFiles(test::sourceFile(u"examples/demo/objects"_s), dir + u"/objects"_s);
    QByteArray damaged = io::readWholeFile(test::sourceFile(u"examples/demo/project.prg"_s));
    ASSERT_EQ(damaged.count("fon\r\n1\r\n2\r\nfon_gr"), 1);
    damaged.replace("fon\r\n1\r\n2\r\nfon_gr", "fon\r\n0\r\n2\r\nfon_gr");
    io::writeFileAtomically(dir + u"/project.prg"_s, damaged);
    const model::Project before = p;
    EXPECT_TRUE(errorOf([&] { persist::load(p, tmp.app(), dir + u"/project.prg"_s); })
                    .endsWith(u"строка 342: ожидалось «fon_ob», а в строке «forest.obf»"_s));
    EXPECT_TRUE(p == before);
}

TEST(ProjectFile, ObjectListsOfEventRowsAreKeptBesideTheFileSoLoopsSurviveOpening)
{
    Folders f;
    model::Project p;
    persist::save_project(p, f.file);
    model::StageData& s = p.stage(1);
    s.EventCount = 1;
    s.ActionCount = 1;
    model::EventRowData& row = s.EventRow[1];
    row.Kind = u"event"_s;
    row.CondCode = u"(a>0)"_s;
    row.CondObjects[1] = u"3"_s;
    row.ActionText[1] = u"b = 1"_s;
    row.ActionCode[1] = u"{b=1;}"_s;
    row.ActionObjects[1][1] = u"5"_s;
    ASSERT_TRUE(codegen::eventLine(row, 1).startsWith(u"for(int kr3=0;"_s));
    persist::save(p, f.file);

    model::Project loaded;
    persist::load(loaded, f.tmp.app(), f.file);
    const model::EventRowData& back = loaded.stage(1).EventRow[1];
    EXPECT_EQ(back.CondObjects, row.CondObjects);
    EXPECT_EQ(back.ActionObjects[1], row.ActionObjects[1]);
    EXPECT_EQ(codegen::eventLine(back, 1), codegen::eventLine(row, 1));
}

namespace {

// A valid two-stage file made by the writer (groups of each kind, placed
// objects, texts, event rows of every kind, an action row below the last
// event row), its lines, and an open project every refusal must leave as it was.
class ProjectFileDamage : public ::testing::Test {
protected:
    void SetUp() override
    {
        model::Project p;
        p.ProjectDir = f.dir;
        p.LevelCount = 2;
        for (const QString& name : {u"forest.obf"_s, u"hero.oba"_s, u"title.obt"_s, u"ghost.oba"_s})
            importInto(p, f.tmp.app(), 1, name);
        // Refs and group numbers at both ends of their ranges: 1 fon group, 2 active.
        fillStage(p.stage(1), 3, 4, 1);
        const QString kinds[] = {u"event"_s, u"group"_s, u"comment"_s, QString()};
        for (int r = 1; r <= 4; ++r)
            p.stage(1).EventRow[size_t(r)].Kind = kinds[r - 1];
        for (const QString& name : {u"ghost.oba"_s, u"forest.obf"_s, u"empty.obf"_s, u"blank.obt"_s})
            importInto(p, f.tmp.app(), 2, name);
        fillStage(p.stage(2), 2, 1, 7);
        p.stage(2).EventRow[2].ActionCode[1] = u"{a=1;}"_s;
        persist::save(p, f.file);
        QFile::remove(f.extras);
        valid = io::readWholeFile(f.file);
        for (QByteArray line : valid.split('\n')) {
            line.chop(1); // "\r"
            lines.append(line);
        }
        lines.removeLast(); // after the last line end
        persist::load(open, f.tmp.app(), f.file);
        ASSERT_EQ(open.stage(2).ActionCount, 2);
        original = open;
    }

    void TearDown() override { EXPECT_TRUE(open == original); }

    static QByteArray joined(const QList<QByteArray>& l, const QByteArray& end = "\r\n")
    {
        QByteArray out;
        for (const QByteArray& line : l)
            out += line + end;
        return out;
    }
    // The valid file with line n (1-based) replaced.
    QByteArray with(int n, const QByteArray& text) const
    {
        QList<QByteArray> l = lines;
        l[n - 1] = text;
        return joined(l);
    }
    // The number of the first line from line `from` on that reads text.
    int lineOf(const QByteArray& text, int from = 1) const { return int(lines.indexOf(text, from - 1)) + 1; }
    int secondLineOf(const QByteArray& text) const { return lineOf(text, lineOf(text) + 1); }

    QString loadInto(model::Project& p, const QByteArray& bytes)
    {
        QFile file(f.file); // no flush to disk: hundreds of variants
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return u"not written"_s;
        file.close();
        return errorOf([&] { persist::load(p, f.tmp.app(), f.file); });
    }
    // Refused at that line, in a message short enough to read and free of
    // the file's control characters.
    void expectRefused(const QByteArray& bytes, int line, const QString& fragment)
    {
        const QString message = loadInto(open, bytes);
        const QString at = u"Файл «%1», строка %2: "_s.arg(QDir::toNativeSeparators(f.file), QString::number(line));
        EXPECT_TRUE(message.startsWith(at) && message.contains(fragment))
            << "line " << line << ", expected " << fragment.toStdString() << "\n got " << message.toStdString();
        EXPECT_LT(message.size(), 400) << message.left(400).toStdString();
        EXPECT_FALSE(std::any_of(message.begin(), message.end(), [](QChar c) { return c.unicode() < 0x20; }))
            << message.toStdString();
    }
    void expectReadAsTheOriginal(const QByteArray& bytes)
    {
        model::Project read;
        EXPECT_EQ(loadInto(read, bytes), QString());
        EXPECT_TRUE(read == original);
    }

    Folders f;
    QByteArray valid;
    QList<QByteArray> lines;
    model::Project open;
    model::Project original;
};

} // namespace

TEST_F(ProjectFileDamage, EveryCutIsRefusedAsEndedEarly)
{
    ASSERT_GT(lines.size(), 300);
    for (int kept = 0; kept < lines.size(); ++kept)
        expectRefused(joined(lines.mid(0, kept)), kept + 1, u"файл обрывается"_s);
}

TEST_F(ProjectFileDamage, AWrongWordIsRefusedAtItsLine)
{
    expectReadAsTheOriginal(with(1, "proekt"));
    for (const QByteArray header : {"fdgdf ", "Fdgdf", "", "1"})
        expectRefused(with(1, header), 1, u"ожидалось «proekt» или «fdgdf»"_s);

    // Every keyword of both stages, each near miss in turn.
    const QByteArray misses[] = {" ", "_", QByteArray(1, '\0'), "x"};
    int miss = 0;
    for (const char* keyword : {"numb_level", "fon", "fon_gr", "fon_ob", "active", "active_gr", "active_ob", "text",
                                "text_gr", "events", "action"}) {
        int seen = 0;
        for (int n = lineOf(keyword); n > 0; n = lineOf(keyword, n + 1), ++seen) {
            const QByteArray& near = misses[miss++ % 4];
            // A NUL byte is damage whatever the line should hold.
            expectRefused(with(n, keyword + near), n,
                          near == QByteArray(1, '\0') ? u"управляющий символ"_s
                                                      : u"ожидалось «%1»"_s.arg(QString::fromLatin1(keyword)));
        }
        EXPECT_EQ(seen, QByteArray(keyword) == "numb_level" ? 1 : 2) << keyword;
    }

    // Flags: the valid file holds both.
    int flags = 0;
    for (int n = 1; n <= lines.size(); ++n)
        if (lines[n - 1] == "TRUE" || lines[n - 1] == "FALSE") {
            expectRefused(with(n, lines[n - 1].toLower()), n, u"ожидалось TRUE или FALSE"_s);
            ++flags;
        }
    EXPECT_EQ(flags, 10);
    for (const QByteArray flag : {"", "1", "TRUE ", "FALSE0"})
        expectRefused(with(lineOf("TRUE"), flag), lineOf("TRUE"), u"ожидалось TRUE или FALSE"_s);

    // Row kinds: event, group, comment and the empty kind of an unfilled row are read.
    const int rows1 = lineOf("events") + 1, rows2 = secondLineOf("events") + 1;
    for (int n : {rows1 + 3, rows1 + 6, rows1 + 9, rows1 + 12, rows2 + 3})
        for (const QByteArray kind : {"Event", "events", " ", "comment."})
            expectRefused(with(n, kind), n,
                          u"вид строки событий: ожидалось «event», «group», «comment» или пустая строка"_s);
}

TEST_F(ProjectFileDamage, AGroupReferenceMustNameAGroupOfTheStage)
{
    // Stage 1 has one background group, stage 2 one active group; the valid
    // file already holds references at both ends of every range.
    const int fon = lineOf("fon_ob") + 1, active = secondLineOf("active_ob") + 1;
    for (const QByteArray ref : {"один", "", "1.0", "1,0", "0x1", "9999999999"})
        expectRefused(with(fon, ref), fon, u"ссылка на фоновую группу: ожидался номер группы"_s);
    const auto noGroup = [](const char16_t* what, const char* number) {
        return u"%1 %2: такой группы в этапе нет"_s.arg(QString::fromUtf16(what), QString::fromLatin1(number));
    };
    for (const char* ref : {"0", "2", "-1"})
        expectRefused(with(fon, ref), fon, noGroup(u"ссылка на фоновую группу", ref) + u" (фоновых групп в этапе: 1)"_s);
    for (const char* group : {"0", "2"})
        expectRefused(with(fon + 4, group), fon + 4, noGroup(u"номер фоновой группы", group));
    expectRefused(with(active, "2"), active, noGroup(u"ссылка на активную группу", "2") + u" (активных групп в этапе: 1)"_s);
    expectRefused(with(active + 4, "0"), active + 4, noGroup(u"номер активной группы", "0"));
    expectRefused(with(active + 9 + 4, "2"), active + 9 + 4, noGroup(u"номер активной группы", "2"));
}

TEST_F(ProjectFileDamage, ACountOrNumberOutOfStepIsRefused)
{
    const int levels = lineOf("numb_level") + 1;
    expectRefused(with(levels, "0"), levels, u"число этапов = 0, а допускается от 1 до 20"_s);
    expectRefused(with(levels, "21"), levels, u"число этапов = 21"_s);
    expectRefused(with(levels, "2x"), levels, u"«2x» не является целым числом"_s);
    expectRefused(with(levels, "3"), lines.size() + 1, u"файл обрывается"_s);
    // One stage less: the second stage is what follows the file's end.
    const int stage2 = lineOf("action") + 1 + 4 * 40 + 1;
    expectRefused(with(levels, "1"), stage2, u"ожидался конец файла, а в строке «4»"_s);

    const int fonGroups = lineOf("fon") + 1;
    expectRefused(with(fonGroups, "-1"), fonGroups, u"число фоновых групп = -1: отрицательное значение"_s);
    expectRefused(with(fonGroups, "101"), fonGroups, u"число фоновых групп = 101, а допускается не более 100"_s);
    expectRefused(with(fonGroups, "99999999999"), fonGroups, u"не является целым числом"_s);
    // Stage 2 holds two background groups: one less or one more puts the file out of step.
    const int fonGroups2 = secondLineOf("fon") + 1, groups2 = secondLineOf("fon_gr");
    expectRefused(with(fonGroups2, "1"), groups2 + 4, u"ожидалось «fon_ob», а в строке «empty.obf»"_s);
    // A third group: its name is "fon_ob", its obstacle flag the first placed object's group reference.
    expectRefused(with(fonGroups2, "3"), groups2 + 8, u"признак препятствия = 2, а допускается от 0 до 1"_s);
    const int placed = lineOf("active") + 1; // 3 objects: their 3 movement types follow the group count
    expectRefused(with(placed, "2"), placed + 4, u"ожидалось «active_gr», а в строке «3»"_s);
    expectRefused(with(placed, "4"), placed + 5, u"«active_gr» не является целым числом"_s);
    const int texts = lineOf("text") + 1;
    expectRefused(with(texts, "0"), texts + 2, u"ожидалось «events»"_s);
    const int events = lineOf("events") + 1;
    expectRefused(with(events, "3"), events + 10, u"ожидалось «action»"_s);
    // An action row less at the end of the file leaves its lines behind.
    const int actions2 = secondLineOf("action") + 1;
    expectRefused(with(actions2, "1"), actions2 + 41, u"ожидался конец файла, а в строке «{a=1;}»"_s);
    expectRefused(with(actions2, "3"), lines.size() + 1, u"файл обрывается"_s);

    // Letters where numbers stand; names the importer must refuse.
    const int object = lineOf("fon_ob") + 1;
    expectRefused(with(object + 1, "1O"), object + 1, u"«1O» не является целым числом"_s);
    expectRefused(with(lineOf("fon_gr") + 2, "да"), lineOf("fon_gr") + 2, u"не является целым числом"_s);
    const int name = lineOf("fon_gr") + 1;
    for (const QByteArray bad : {"../forest.obf", "sub/forest.obf", "sub\\forest.obf"})
        expectRefused(with(name, bad), name, u"не загружен"_s);
    expectRefused(with(name, QByteArray("forest.obf\0", 11)), name, u"управляющий символ"_s);
}

TEST_F(ProjectFileDamage, LineEndsAndWhatFollowsTheLastStage)
{
    // Lone CR and lone LF end lines as CR LF does; blank lines may follow.
    expectReadAsTheOriginal(joined(lines, "\n"));
    expectReadAsTheOriginal(joined(lines, "\r"));
    expectReadAsTheOriginal(valid + "\r\n \r\n\t\r\n");

    const int end = int(lines.size());
    expectRefused(valid + "x", end + 1, u"после последнего этапа (их 2) ожидался конец файла, а в строке «x»"_s);
    expectRefused(valid + "\r\n\r\n0\r\n", end + 3, u"ожидался конец файла"_s);
    // A line as long as a line may be is read (and quoted in short); one
    // byte more, or 30 MB, is refused at its line for its length.
    const QByteArray longest(io::kMaxLineBytes, '7');
    expectRefused(valid + "\r\n" + longest, end + 2, u"«%1…»"_s.arg(QString(60, u'7')));
    expectRefused(valid + "\r\n" + longest + '7', end + 2, u"строка длиной %1 байт"_s.arg(io::kMaxLineBytes + 1));
    expectRefused(valid + "\r\n" + QByteArray(30 << 20, '7'), end + 2, u"строка длиной 31457280 байт"_s);
    expectRefused(QByteArray("1\r\n").repeated(100000), 1, u"это не файл проекта"_s);
}
