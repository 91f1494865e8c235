#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectExtras.h"
#include "persist/ProjectFile.h"
#include "persist/SaveTarget.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <limits>

using namespace kestrava;
using test::errorOf;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMin = std::numeric_limits<int>::min();
constexpr int kMax = std::numeric_limits<int>::max();

using Folders = test::SampleProjectFolder;
using test::importInto;

void place(model::StageData& s, int group, int x, int y)
{
    model::ActiveObjectData& o = s.ActiveObject[size_t(++s.ActiveObjCount)];
    o.GroupValue = group;
    o.Ref = QString::number(group);
    o.FileName = s.ActiveGroup[size_t(group)].BmpName;
    o.Layer = s.ActiveGroup[size_t(group)].ListSlot;
    o.X = x;
    o.Y = y;
    o.Exists = true;
}

// Two stages with what project.prg cannot hold: lives bars, paths (one full,
// one with extreme coordinates), and more groups than placed objects.
model::Project sample(const Folders& f)
{
    model::Project p;
    p.ProjectDir = f.dir;
    p.LevelCount = 2;
    importInto(p, f.tmp.app(), 1, u"hero.oba"_s);
    importInto(p, f.tmp.app(), 1, u"ghost.oba"_s);
    importInto(p, f.tmp.app(), 1, u"hero.oba"_s);
    importInto(p, f.tmp.app(), 1, u"lives.obl"_s);
    model::StageData& s1 = p.stage(1);
    place(s1, 2, 10, 20);
    // project.prg has no place for a platform: it reads as keyboard movement there, its type is here.
    s1.ActiveType[1] = model::MovementType::Platform;
    s1.ActiveType[2] = model::MovementType::Planned;
    // The least and the most of each motion setting.
    s1.Motion[2] = {0, 1, model::kMaxMotion, 0, 1, model::kMaxMotion};
    s1.ActiveType[3] = model::MovementType::Static;
    // The least and the most objects a group may make; the third keeps the default.
    s1.MadeObjects[1] = 1;
    s1.MadeObjects[2] = model::kMaxMadeObjects;
    s1.LivesBar.X = -5;
    s1.LivesBar.Y = 300;
    model::ActiveObjectData& hero = s1.ActiveObject[1];
    hero.PathCount = model::kMaxPathPoints;
    for (int k = 1; k <= model::kMaxPathPoints; ++k)
        hero.Path[size_t(k)] = {k * 3, -k};
    hero.Path[1] = {kMin, kMax};

    importInto(p, f.tmp.app(), 2, u"ghost.oba"_s);
    model::StageData& s2 = p.stage(2);
    for (int i = 1; i <= 3; ++i) {
        place(s2, 1, i * 30, 40);
        s2.ActiveType[size_t(i)] = model::MovementType(i);
    }
    s2.ActiveObject[3].PathCount = 1;
    s2.ActiveObject[3].Path[1] = {7, 8};
    s2.LivesBar = {.X = 1, .Y = 2, .BmpName = u"жизни.bmp"_s, .Width = 1, .Height = 12, .Direction = u"gor"_s,
                   .Present = true};
    p.CurLevel = 1;
    // The narrowest and the tallest game screen there may be.
    p.GameScreen = {16, 1000};
    p.GameSuite = {u"Студия «Ёж»"_s, u"2.10.3"_s, {}};
    // A screen of one's own keeps its budget: the least jar and the most heap there may be.
    p.OwnBudget = model::GameBudgetData{model::kMinBudgetKB, model::kMaxBudgetKB};
    p.Variables = {{1, u"монеты"_s, -7, false}, {4, u"Time2"_s, 2147483647, true}};
    p.NextVariableId = 5;
    p.TitleScreen = model::TitleScreenData{u"Игра \"№1\""_s, u"title.png"_s};
    p.LevelGrid = {true, false};
    p.TouchButtons = true;
    return p;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

TEST(ProjectExtras, WhatTheProjectFileCannotHoldComesBack)
{
    EXPECT_EQ(persist::extrasFileFor(u"/a/project.prg"_s), u"/a/project.kestrava.json"_s);
    EXPECT_EQ(persist::extrasFileFor(u"/a.b/other.prg"_s), u"/a.b/other.kestrava.json"_s);
    EXPECT_EQ(persist::extrasFileFor(u"/a.b/noext"_s), u"/a.b/noext.kestrava.json"_s);

    Folders f;
    const model::Project p = sample(f);
    persist::save(p, f.file);
    ASSERT_TRUE(QFileInfo::exists(f.extras));

    model::Project loaded;
    EXPECT_EQ(persist::load(loaded, f.tmp.app(), f.file), QStringList());
    const model::StageData& s1 = loaded.stage(1);
    EXPECT_EQ(s1.LivesBar, p.stage(1).LivesBar);
    EXPECT_EQ(s1.LivesBar.X, -5);
    EXPECT_EQ(s1.ActiveType[3], model::MovementType::Static); // a group beyond the one placed object
    EXPECT_EQ(s1.ActiveType[1], model::MovementType::Platform);
    EXPECT_EQ(s1.Motion[2], p.stage(1).Motion[2]);
    EXPECT_TRUE(loaded.TouchButtons);
    EXPECT_EQ(bytesOf(f.extras).count("\"motion\""), 1) << "a stage that set none writes none";
    EXPECT_EQ(s1.MadeObjects[2], model::kMaxMadeObjects);
    EXPECT_TRUE(bytesOf(f.extras).contains("\"madeObjects\": [1,50,0]"));
    EXPECT_EQ(bytesOf(f.extras).count("madeObjects"), 1) << "a stage that set none writes none";
    EXPECT_EQ(s1.ActiveObject[1].PathCount, model::kMaxPathPoints);
    EXPECT_EQ(s1.ActiveObject[1].Path[1], (model::PathPoint{kMin, kMax}));
    EXPECT_EQ(s1.ActiveObject[1].Path[40], (model::PathPoint{120, -40}));
    EXPECT_EQ(loaded.stage(2).LivesBar.BmpName, u"жизни.bmp"_s);
    EXPECT_EQ(loaded.stage(2).ActiveObject[3].Path[1], (model::PathPoint{7, 8}));
    // Placed-object types past the group count come from project.prg.
    EXPECT_EQ(loaded.stage(2).ActiveType[3], model::MovementType(3));
    model::Project expected = p;
    expected.SelLevel = expected.CurLevel = 1;
    EXPECT_TRUE(loaded == expected);
    EXPECT_EQ(loaded.OwnBudget, (model::GameBudgetData{16, 65536}));

    // Saving what was read writes both files again byte for byte.
    const QByteArray prg = bytesOf(f.file);
    const QByteArray json = bytesOf(f.extras);
    persist::save(loaded, f.file);
    EXPECT_EQ(bytesOf(f.file), prg);
    EXPECT_EQ(bytesOf(f.extras), json);

    // "Сохранить как ..." writes the pair under the new name.
    persist::SaveTarget target;
    const QString copy = f.dir + u"/копия.prg"_s;
    target.saveAs(loaded, copy);
    model::Project again;
    EXPECT_EQ(target.openProject(again, f.tmp.app(), copy), QStringList());
    EXPECT_EQ(again.stage(2).LivesBar, p.stage(2).LivesBar);
}

TEST(ProjectExtras, TheDemoProjectFileIsWrittenByteForByte)
{
    test::TempAppFolder tmp;
    test::copyFolderFiles(test::sourceFile(u"examples/library"_s), tmp.app().objects());
    const QString dir = tmp.makeDir(u"demo"_s);
    test::copyFolderFiles(test::sourceFile(u"examples/demo"_s), dir);
    test::copyFolderFiles(test::sourceFile(u"examples/demo/objects"_s), dir + u"/objects"_s);
    const QString file = dir + u"/project.prg"_s;
    const QString extras = persist::extrasFileFor(file);
    ASSERT_TRUE(QFile::remove(extras));

    model::Project first;
    EXPECT_EQ(persist::load(first, tmp.app(), file), QStringList()); // no extras file: opens as before
    EXPECT_FALSE(first.stage(1).LivesBar.Present);
    persist::save(first, file);
    EXPECT_EQ(bytesOf(file), bytesOf(test::sourceFile(u"examples/demo/project.prg"_s)));
    ASSERT_TRUE(QFileInfo::exists(extras));

    model::Project second;
    EXPECT_EQ(persist::load(second, tmp.app(), file), QStringList());
    EXPECT_TRUE(second == first);

    // With the demo's own extras: its lives bar, and both files written back as they were.
    ASSERT_TRUE(QFile::remove(extras));
    ASSERT_TRUE(QFile::copy(test::sourceFile(u"examples/demo/project.kestrava.json"_s), extras));
    model::Project third;
    EXPECT_EQ(persist::load(third, tmp.app(), file), QStringList());
    EXPECT_EQ(third.stage(1).LivesBar.Y, 160);
    EXPECT_EQ(third.GameScreen, model::kDefaultGameScreen); // a file from before the screen was kept
    EXPECT_TRUE(third.GameSuite.Vendor.isEmpty() && third.GameSuite.Version.isEmpty());
    EXPECT_TRUE(third.GameSuite.Description.startsWith(u"Лесная прогулка"_s)); // the name "Открыть пример" lists
    EXPECT_EQ(third.OwnBudget, std::nullopt); // a file from before the budget was kept
    // A handset screen has its budget: an own one is not written for it, and the file stays as it was.
    third.OwnBudget = model::GameBudgetData{100, 1000};
    persist::save(third, file);
    EXPECT_EQ(bytesOf(file), bytesOf(test::sourceFile(u"examples/demo/project.prg"_s)));
    EXPECT_EQ(bytesOf(extras), bytesOf(test::sourceFile(u"examples/demo/project.kestrava.json"_s)));
}

TEST(ProjectExtras, ADamagedFileIsRefusedAndChangesNothing)
{
    Folders f;
    persist::save(sample(f), f.file);
    model::Project open;
    persist::load(open, f.tmp.app(), f.file);
    const model::Project before = open;
    const QByteArray good = bytesOf(f.extras);
    // A refused open must not even bring the project's object copies back.
    ASSERT_TRUE(QFile::remove(f.dir + u"/objects/ghost.png"_s));

    struct Case {
        QByteArray from, to;
        const char16_t* fragment;
    };
    const Case cases[] = {
        {"{", "[1,", u"это не документ JSON"},
        {"kestrava-project-extras", "other", u"это не файл дополнений проекта"},
        {"\"version\": 1", "\"version\": 2", u"версия файла 2 не поддерживается"},
        {"\"projectSha256\": \"", "\"projectSha256\": \"x", u"64 шестнадцатеричные цифры"},
        {"\"stage\": 2", "\"stage\": 3", u"этап 3: такого этапа в проекте нет (этапов 2)"},
        {"\"stage\": 2", "\"stage\": 1", u"этап 1: этап записан дважды"},
        {"{\"object\":3,", "{\"object\":4,", u"этап 2, активный объект 4: такого объекта в проекте нет"},
        {"{\"object\":3,", "{\"object\":0,", u"этап 2, активный объект 0: такого объекта в проекте нет"},
        {"[6,-2]", "[6,-2],[0,0]", u"этап 1, активный объект 1: точек пути 41, а допускается не более 40"},
        {"[7,8]", "[7]", u"этап 2, активный объект 3, точка 1: ожидалась пара целых чисел"},
        {"[7,8]", "[7,8.5]", u"точка 1: ожидалась пара целых чисел"},
        {"[-2147483648,", "[-2147483649,", u"этап 1, активный объект 1, точка 1: ожидалась пара"},
        {"2147483647]", "2147483648]", u"этап 1, активный объект 1, точка 1: ожидалась пара"},
        {"[4,2,3]", "[4,2]", u"этап 1: типов движения 2, а активных групп в проекте 3"},
        {"[4,2,3]", "[4,2,\"3\"]", u"этап 1: тип движения группы 3 должно быть целым числом"},
        {"[4,2,3]", "[5,2,3]", u"этап 1: тип движения группы 1 = 5, а допускается от 0 до 4"},
        {"\"maxFall\":1,", "\"maxFall\":0,", u"этап 1, движение группы 2: поле «maxFall» = 0, а допускается от 1 до 5000"},
        {"\"brake\":5000", "\"brake\":5001", u"этап 1, движение группы 2: поле «brake» = 5001"},
        {"\"brake\":5000", "\"brake\":5000,\"drift\":1", u"движение группы 2: неизвестное поле «drift»"},
        {"\"touchButtons\": 1", "\"touchButtons\": 2", u"поле «touchButtons» должно быть 0 или 1, а записано 2"},
        {"[1,50,0]", "[1,51,0]", u"этап 1: наибольшее число объектов группы 2 = 51, а допускается от 1 до 50"},
        {"[1,50,0]", "[1,-1,0]", u"наибольшее число объектов группы 2 = -1"},
        {"[1,50,0]", "[1,50]", u"этап 1: наибольших чисел объектов 2, а активных групп в проекте 3"},
        {"\"gor\"", "\"diag\"", u"этап 2, полоса жизней: направление полосы «diag»"},
        {"\"x\":1,", "\"x\":\"1\",", u"этап 2, полоса жизней: поле «x» должно быть целым числом"},
        {"\"width\":1,", "\"width\":0,", u"этап 2, полоса жизней: ширина = 0"},
        {"жизни.bmp", "../жизни.bmp", u"имя рисунка «../жизни.bmp» недопустимо"},
        {"\"paths\"", "\"pahts\"", u"этап 1: неизвестное поле «pahts»"},
        {"\"width\":16}", "\"width\":15}", u"настройки игры: экран 15 x 1000 точек: таких у телефонов не бывает, допускается от 16 до 1000"},
        {"\"height\":1000", "\"height\":1001", u"настройки игры: экран 16 x 1001 точек"},
        {"\"width\":16}", "\"width\":16,\"depth\":3}", u"настройки игры: неизвестное поле «depth»"},
        {"\"2.10.3\"", "\"2.100.3\"", u"свойства игры: Версия «2.100.3»: нужна запись вида 1.0"},
        {"\"2.10.3\"", "2", u"свойства игры: поле «version» должно быть строкой"},
        {"\"vendor\":\"", "\"vendor\":\"\\n", u"свойства игры: Разработчик: в тексте есть перевод строки"},
        {"\"snap\":0", "\"snap\":2", u"сетка карты: поле «snap» должно быть 0 или 1, а записано 2"},
        {"\"jarKB\":16", "\"jarKB\":15", u"настройки игры: Размер jar: 15 КБ — такого у телефонов не бывает"},
        {"\"heapKB\":65536", "\"heapKB\":65537", u"настройки игры: Память игры: 65537 КБ"},
        {"\"heapKB\":65536", "\"heapKB\":65536,\"cpu\":1", u"настройки игры: неизвестное поле «cpu»"},
        {"\"name\":\"монеты\"", "\"name\":\"часы\"", u"переменные: «часы» — слово, которое значения уже понимают"},
        {"\"name\":\"монеты\"", "\"name\":\"time2\"", u"переменные: переменная «Time2» уже есть"},
        {"\"name\":\"монеты\"", "\"name\":\"2монеты\"", u"имя «2монеты» должно начинаться с буквы"},
        {"\"name\":\"монеты\"", "\"name\":\"мо неты\"", u"в имени «мо неты» есть « »"},
        {"\"id\":4", "\"id\":1", u"переменные: номер 1 у двух переменных"},
        {"\"next\":5", "\"next\":4", u"переменные: поле «next» = 4, а у переменной «Time2» номер 4"},
        {"\"perStage\":1", "\"perStage\":2", u"переменные, запись 2: поле «perStage» должно быть 0 или 1"},
        {"\"title.png\"", "\"../title.png\"", u"заставка: картинка заставки «../title.png» должна быть файлом .png"},
        {"\"title.png\"", "\"title.exe\"", u"заставка: картинка заставки «title.exe»"},
    };
    for (const Case& c : cases) {
        const std::string name = c.to.toStdString();
        ASSERT_TRUE(good.contains(c.from)) << c.from.toStdString();
        QByteArray damaged = good;
        damaged.replace(damaged.indexOf(c.from), c.from.size(), c.to);
        writeBytes(f.extras, damaged);
        const QString files = test::folderSnapshot(f.tmp.root());
        const QString message = errorOf([&] { persist::load(open, f.tmp.app(), f.file); });
        EXPECT_TRUE(message.startsWith(u"Файл «%1»: "_s.arg(QDir::toNativeSeparators(f.extras)))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf16(c.fragment))) << message.toStdString();
        EXPECT_TRUE(open == before) << name;
        EXPECT_EQ(test::folderSnapshot(f.tmp.root()), files) << name;
    }
    // A document far beyond what any project writes is refused unread, even a valid one.
    writeBytes(f.extras, good + QByteArray((16 << 20) - good.size(), ' '));
    EXPECT_EQ(persist::load(open, f.tmp.app(), f.file), QStringList());
    writeBytes(f.extras, good + QByteArray((16 << 20) - good.size() + 1, ' '));
    EXPECT_TRUE(errorOf([&] { persist::load(open, f.tmp.app(), f.file); }).contains(u"файл слишком велик"_s));
    EXPECT_TRUE(open == before);

    // The boundaries themselves were in the good file.
    writeBytes(f.extras, good);
    EXPECT_EQ(persist::load(open, f.tmp.app(), f.file), QStringList());
    EXPECT_TRUE(open == before);
    EXPECT_TRUE(QFileInfo::exists(f.dir + u"/objects/ghost.png"_s));
}

TEST(ProjectExtras, AFileOfAnotherProjectFileIsNotAppliedButSaysSo)
{
    Folders f;
    const model::Project p = sample(f);
    persist::save(p, f.file);
    const QByteArray extras = bytesOf(f.extras);
    model::Project changed = p;
    changed.stage(1).ActiveObject[1].X = 11; // one byte of project.prg differs
    persist::save(changed, f.file);
    writeBytes(f.extras, extras);

    model::Project loaded;
    persist::SaveTarget target;
    const QStringList warnings = target.openProject(loaded, f.tmp.app(), f.file);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_EQ(warnings[0], u"Файл «%1»: записан для другой версии project.prg; полосы жизней, пути, типы движения "
                           u"и списки объектов событий из него не загружены"_s.arg(QDir::toNativeSeparators(f.extras)));
    EXPECT_EQ(target.target(), f.file);
    EXPECT_EQ(loaded.stage(1).ActiveObject[1].X, 11);
    EXPECT_FALSE(loaded.stage(1).LivesBar.Present);
    EXPECT_EQ(loaded.stage(1).ActiveObject[1].PathCount, 0);
    EXPECT_EQ(loaded.stage(1).ActiveType[1], model::MovementType::EightWay); // from project.prg
    EXPECT_EQ(loaded.stage(1).ActiveType[3], model::MovementType::NotSet);
}

TEST(ProjectExtras, AFailedSaveLeavesBothOldFiles)
{
    Folders f;
    model::Project p = sample(f);
    persist::save(p, f.file);
    const QString files = test::folderSnapshot(f.dir);
    p.stage(1).ActiveObject[1].X = 99;

    // A folder where the extras file would go: found before project.prg is replaced.
    const QString copy = f.dir + u"/copy.prg"_s;
    const QByteArray oldCopy = "old copy\r\n";
    writeBytes(copy, oldCopy);
    QDir().mkpath(persist::extrasFileFor(copy) + u"/inside"_s);
    const QString inTheWay = errorOf([&] { persist::save(p, copy); });
    EXPECT_TRUE(inTheWay.contains(QDir::toNativeSeparators(persist::extrasFileFor(copy)))) << inTheWay.toStdString();
    EXPECT_EQ(bytesOf(copy), oldCopy);
    QFile::remove(copy);
    QDir(persist::extrasFileFor(copy)).removeRecursively();
    EXPECT_EQ(test::folderSnapshot(f.dir), files); // no temporary files left behind

    // A folder where the project file would go: the old extras file stays.
    QDir().mkpath(copy);
    writeBytes(persist::extrasFileFor(copy), "old extras");
    EXPECT_FALSE(errorOf([&] { persist::save(p, copy); }).isEmpty());
    EXPECT_EQ(bytesOf(persist::extrasFileFor(copy)), QByteArray("old extras"));
    QFile::remove(persist::extrasFileFor(copy));
    QDir().rmdir(copy);

    // Refused before anything is written: a lives bar the reader would not
    // take, and text windows-1251 cannot hold.
    p.stage(2).LivesBar.Direction = u"diag"_s;
    EXPECT_TRUE(errorOf([&] { persist::save(p, f.file); }).contains(u"этап 2, полоса жизней: направление полосы «diag»"_s));
    p.stage(2).LivesBar.Direction = u"vert"_s;
    p.stage(1).ActiveGroup[1].Caption = u"☺"_s;
    EXPECT_FALSE(errorOf([&] { persist::save(p, f.file); }).isEmpty());
    EXPECT_EQ(test::folderSnapshot(f.dir), files);
}
