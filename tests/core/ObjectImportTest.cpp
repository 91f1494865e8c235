#include "io/Error.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "objects/ObjectFile.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectFile.h"
#include "support/ErrorOf.h"
#include "support/ObjectLibrary.h"
#include "support/TempAppFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Fixture {
    test::TempAppFolder tmp;
    model::Project project;
    QString projectObjects;
    std::vector<persist::ImportedObject> imported;

    Fixture()
    {
        test::writeSampleLibrary(tmp.app());
        project.ProjectDir = tmp.makeDir(u"game"_s);
        projectObjects = tmp.makeDir(u"game/objects"_s);
    }

    void import(const QString& name)
    {
        imported.push_back(persist::Load_object(project, tmp.app(), name));
    }

    // Import that must fail; returns the message and checks nothing changed.
    QString refused(const QString& name)
    {
        const model::Project before = project;
        const QString files = test::folderSnapshot(tmp.root());
        QString message;
        try {
            persist::Load_object(project, tmp.app(), name);
        } catch (const io::Error& e) {
            message = e.message();
        }
        EXPECT_FALSE(message.isEmpty()) << name.toStdString();
        EXPECT_TRUE(project == before) << name.toStdString();
        EXPECT_EQ(test::folderSnapshot(tmp.root()), files) << name.toStdString();
        return message;
    }
};

} // namespace

TEST(ObjectImport, AllFourKindsIntoTheCurrentStage)
{
    Fixture f;
    f.project.CurLevel = 2;
    f.import(u"forest.obf"_s);
    f.import(u"hero.oba"_s);
    f.import(u"lives.obl"_s);
    f.import(u"title.obt"_s);
    ASSERT_EQ(f.imported.size(), 4u);
    EXPECT_EQ(f.imported[0].kind, model::ObjectKind::Background);
    EXPECT_EQ(f.imported[1].kind, model::ObjectKind::Active);
    EXPECT_EQ(f.imported[2].kind, model::ObjectKind::LivesBar);
    EXPECT_EQ(f.imported[2].index, 0);
    EXPECT_EQ(f.imported[3].kind, model::ObjectKind::Text);
    EXPECT_EQ(f.imported[3].index, 1);

    const model::StageData& s = f.project.stage(2);
    EXPECT_EQ(f.project.stage(1), model::StageData());
    EXPECT_EQ(s.ListSlotCount, 3);

    const model::FonGroupData& fon = s.FonGroup[1];
    EXPECT_EQ(s.FonGroupCount, 1);
    EXPECT_EQ(fon.FileName, u"forest.obf"_s);
    EXPECT_EQ(fon.PngName, u"forest.png"_s);
    EXPECT_EQ(fon.BmpName, u"forest.bmp"_s);
    EXPECT_EQ(fon.PictureName, u"forest.png"_s);
    EXPECT_EQ(fon.TileWidth, 16);
    EXPECT_EQ(fon.Columns, 3);
    EXPECT_EQ(fon.Rows, 2);
    EXPECT_EQ(fon.cell(1, 2), 2);
    EXPECT_EQ(fon.cell(2, 3), 4);
    EXPECT_EQ(fon.ListSlot, 1);
    EXPECT_EQ(fon.Index, 1);
    EXPECT_TRUE(fon.Loaded);

    const model::ActiveGroupData& hero = s.ActiveGroup[1];
    EXPECT_EQ(s.ActiveGroupCount, 1);
    EXPECT_EQ(hero.FileName, u"hero.oba"_s);
    EXPECT_EQ(hero.FrameCount, 3);
    EXPECT_EQ(hero.TileWidth, 16);
    EXPECT_EQ(hero.TileHeight, 24);
    EXPECT_EQ(hero.Anim[1][1][2], 2);
    EXPECT_EQ(hero.Anim[2][1][2], 3);
    EXPECT_EQ(hero.Anim[6][4][4], 3);
    EXPECT_EQ(hero.ListSlot, 2);
    EXPECT_EQ(hero.Index, 1);
    EXPECT_TRUE(hero.Caption.isEmpty());

    EXPECT_TRUE(s.LivesBar.Present);
    EXPECT_EQ(s.LivesBar.BmpName, u"lives.bmp"_s);
    EXPECT_EQ(s.LivesBar.Width, 30);
    EXPECT_EQ(s.LivesBar.Height, 8);
    EXPECT_EQ(s.LivesBar.Direction, u"vert"_s);

    const model::TextObjectData& text = s.TextObject[1];
    EXPECT_EQ(s.TextCount, 1);
    EXPECT_EQ(text.ListSlot, 3);
    EXPECT_EQ(text.FontFace, 2);
    EXPECT_EQ(text.FontSize, 1);
    EXPECT_EQ(text.Bold, 1);
    EXPECT_EQ(text.Colour, 0x0000FF);
    EXPECT_EQ(text.LineCount, 2);
    EXPECT_EQ(text.Lines[1], u"Уровень 1"_s);
    EXPECT_EQ(text.Lines[2], u"жизни = 3"_s);

    // Groups bring their file and both pictures; the bar and text bring none.
    for (const char16_t* name : {u"forest.obf", u"forest.png", u"forest.bmp", u"hero.oba", u"hero.png", u"hero.bmp"})
        EXPECT_TRUE(QFileInfo::exists(f.projectObjects + u'/' + QString::fromUtf16(name)));
    for (const char16_t* name : {u"lives.obl", u"lives.bmp", u"title.obt"})
        EXPECT_FALSE(QFileInfo::exists(f.projectObjects + u'/' + QString::fromUtf16(name)));
}

TEST(ObjectImport, EdgeCases)
{
    Fixture f;
    // The same file twice: two groups, consecutive slots; the second copy
    // leaves the project's file alone.
    f.import(u"forest.obf"_s);
    QFile copy(f.projectObjects + u"/forest.obf"_s);
    ASSERT_TRUE(copy.open(QIODevice::Append));
    copy.write("edited\r\n");
    copy.close();
    const QString edited = test::folderSnapshot(f.projectObjects);
    f.import(u"forest.obf"_s);
    const model::StageData& s = f.project.stage(1);
    EXPECT_EQ(s.FonGroupCount, 2);
    EXPECT_EQ(s.FonGroup[2].Index, 2);
    EXPECT_EQ(s.FonGroup[1].ListSlot, 1);
    EXPECT_EQ(s.FonGroup[2].ListSlot, 2);
    EXPECT_EQ(s.FonGroup[2].Cells, s.FonGroup[1].Cells);
    EXPECT_EQ(test::folderSnapshot(f.projectObjects), edited);

    // Rows 0 and no text lines.
    f.import(u"empty.obf"_s);
    EXPECT_EQ(s.FonGroup[3].Rows, 0);
    EXPECT_EQ(s.FonGroup[3].Columns, 5);
    EXPECT_TRUE(s.FonGroup[3].Cells.empty());
    f.import(u"blank.obt"_s);
    EXPECT_EQ(s.TextObject[1].LineCount, 0);
    EXPECT_EQ(s.TextObject[1].ListSlot, 4);

    // A second lives bar replaces the first and takes no slot.
    f.import(u"lives.obl"_s);
    objects::BarObjectFile other;
    other.Width = 50;
    other.Height = 6;
    other.write(f.tmp.app().objectFile(u"other.obl"_s));
    f.import(u"other.obl"_s);
    EXPECT_EQ(s.LivesBar.BmpName, u"other.bmp"_s);
    EXPECT_EQ(s.LivesBar.Width, 50);
    EXPECT_EQ(s.LivesBar.Direction, u"gor"_s);
    EXPECT_EQ(s.ListSlotCount, 4);
}

TEST(ObjectImport, BadImportsChangeNothing)
{
    Fixture f;
    f.import(u"forest.obf"_s);
    for (const QString& bad : {u"bad_number.obf"_s, u"map_too_wide.obf"_s, u"too_many_lines.obt"_s,
                               u"bad_direction.obl"_s, u"not_an_object.obf"_s, u"truncated.oba"_s})
        QFile::copy(test::testData(u"objects/"_s + bad), f.tmp.app().objectFile(bad));

    EXPECT_TRUE(f.refused(u"nowhere.obf"_s).contains(u"nowhere.obf»: файл объекта не найден"_s));
    EXPECT_TRUE(f.refused(u"bad_number.obf"_s).contains(u"строка 8: «x» не является целым числом"_s));
    EXPECT_TRUE(f.refused(u"map_too_wide.obf"_s).contains(u"число столбцов карты = 101"_s));
    EXPECT_TRUE(f.refused(u"too_many_lines.obt"_s).contains(u"число строк текста = 11"_s));
    EXPECT_TRUE(f.refused(u"bad_direction.obl"_s).contains(u"«diag»"_s));
    EXPECT_TRUE(f.refused(u"not_an_object.obf"_s).contains(u"это не файл объекта"_s));
    EXPECT_TRUE(f.refused(u"truncated.oba"_s).contains(u"файл обрывается"_s));

    // Names that leave the objects folders are refused before anything is read.
    QFile::copy(f.tmp.app().objectFile(u"forest.obf"_s), f.tmp.app().root() + u"/secret.obf"_s);
    for (const QString& name : {u"../secret.obf"_s, u"..\\secret.obf"_s, u"/etc/passwd"_s, u".."_s, QString()})
        EXPECT_TRUE(f.refused(name).contains(u"недопустимо"_s)) << name.toStdString();

    // A name the project file could not hold would leave a project that can
    // never be saved again.
    QFile::copy(f.tmp.app().objectFile(u"forest.obf"_s), f.tmp.app().objectFile(u"лес☺.obf"_s));
    const QString smiley = f.refused(u"лес☺.obf"_s);
    EXPECT_TRUE(smiley.contains(u"«☺»"_s)) << smiley.toStdString();
    EXPECT_TRUE(smiley.contains(u"windows-1251"_s)) << smiley.toStdString();

    // A full table.
    for (int i = 0; i < 20; ++i)
        f.import(u"blank.obt"_s);
    const QString full = f.refused(u"title.obt"_s);
    EXPECT_TRUE(full.contains(u"текстовых объектов"_s)) << full.toStdString();
    EXPECT_TRUE(full.contains(u"title.obt»: объект не загружен"_s)) << full.toStdString();

    // No project folder chosen yet: nothing is imported or copied.
    f.project.ProjectDir.reset();
    EXPECT_TRUE(f.refused(u"hero.oba"_s).contains(u"Проект ещё не создан"_s));
}

TEST(ObjectImport, ReadsTheProjectsOwnCopyWhenTheLibraryLacksIt)
{
    Fixture f;
    f.import(u"hero.oba"_s);
    objects::ActiveObjectFile moved = objects::ActiveObjectFile::read(f.tmp.app().objectFile(u"hero.oba"_s));
    ASSERT_TRUE(QFile::remove(f.tmp.app().objectFile(u"hero.oba"_s)));
    moved.FrameCount = 9;
    moved.write(f.projectObjects + u"/hero.oba"_s);
    f.import(u"hero.oba"_s);
    EXPECT_EQ(f.project.stage(1).ActiveGroup[2].FrameCount, 9);
    // Read only; the library gains nothing.
    EXPECT_FALSE(QFileInfo::exists(f.tmp.app().objectFile(u"hero.oba"_s)));
    EXPECT_TRUE(f.imported.back().note.isEmpty());

    // A damaged library copy: the project's intact one stands in, and the author is told.
    QFile damaged(f.tmp.app().objectFile(u"hero.oba"_s));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("active\r\nhero.png\r\n");
    damaged.close();
    f.import(u"hero.oba"_s);
    EXPECT_EQ(f.project.stage(1).ActiveGroup[3].FrameCount, 9);
    const QString note = f.imported.back().note;
    EXPECT_TRUE(note.contains(u"взят из папки objects проекта"_s)) << note.toStdString();
    EXPECT_TRUE(note.contains(u"файл обрывается"_s)) << note.toStdString();
    // With both copies damaged, the library's fault is the one reported.
    QFile own(f.projectObjects + u"/hero.oba"_s);
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("fon\r\n");
    own.close();
    EXPECT_TRUE(f.refused(u"hero.oba"_s).contains(u"файл обрывается"_s));
}

TEST(ObjectImport, AChosenFileFromOutsideTheLibraryIsCopiedIntoTheProject)
{
    Fixture f;
    // An object made elsewhere, its pictures beside it.
    const QString away = f.tmp.makeDir(u"away"_s);
    for (const QString& file : {u"forest.obf"_s, u"forest.png"_s, u"forest.bmp"_s})
        QFile::copy(f.tmp.app().objectFile(file), away + u"/wood"_s + file.mid(6));
    io::writeFileAtomically(away + u"/wood.solid.json"_s, "{\"solidTiles\":[2]}");
    const QString library = test::folderSnapshot(f.tmp.app().objects());
    const persist::ImportedObject wood = persist::loadChosenObject(f.project, f.tmp.app(), away + u"/wood.obf"_s);
    EXPECT_EQ(wood.kind, model::ObjectKind::Background);
    EXPECT_EQ(f.project.stage(1).FonGroup[1].FileName, u"wood.obf"_s);
    for (const QString& file : {u"wood.obf"_s, u"wood.png"_s, u"wood.bmp"_s, u"wood.solid.json"_s})
        EXPECT_EQ(bytesOf(f.projectObjects + u'/' + file), bytesOf(away + u'/' + file)) << file.toStdString();
    EXPECT_EQ(f.project.stage(1).FonGroup[1].SolidTiles, std::vector<int>{2});
    EXPECT_EQ(test::folderSnapshot(f.tmp.app().objects()), library) << "the library is only read";

    // The project file reader finds it again in the project.
    persist::save(f.project, f.project.projectPath(u"project.prg"_s));
    model::Project reopened;
    persist::load(reopened, f.tmp.app(), f.project.projectPath(u"project.prg"_s));
    EXPECT_EQ(reopened.stage(1).FonGroup[1].Cells, f.project.stage(1).FonGroup[1].Cells);
    EXPECT_EQ(reopened.stage(1).FonGroup[1].SolidTiles, std::vector<int>{2});

    // Saved outside by the editor, its pictures went to the library: they are taken from there.
    QFile::copy(f.tmp.app().objectFile(u"hero.oba"_s), away + u"/hero2.oba"_s);
    QFile::copy(f.tmp.app().objectFile(u"hero.png"_s), f.tmp.app().objectFile(u"hero2.png"_s));
    QFile::copy(f.tmp.app().objectFile(u"hero.bmp"_s), f.tmp.app().objectFile(u"hero2.bmp"_s));
    persist::loadChosenObject(f.project, f.tmp.app(), away + u"/hero2.oba"_s);
    EXPECT_EQ(bytesOf(f.projectObjects + u"/hero2.png"_s), bytesOf(f.tmp.app().objectFile(u"hero.png"_s)));

    // The very file of the library, found by its folder: the usual import.
    persist::loadChosenObject(f.project, f.tmp.app(), f.tmp.app().objectFile(u"title.obt"_s));
    EXPECT_EQ(f.project.stage(1).TextCount, 1);

    // Refusals leave the project and every folder as they were.
    const auto refused = [&](const QString& path) {
        const model::Project before = f.project;
        const QString files = test::folderSnapshot(f.tmp.root());
        const QString message = test::errorOf([&] { persist::loadChosenObject(f.project, f.tmp.app(), path); });
        EXPECT_TRUE(f.project == before) << path.toStdString();
        EXPECT_EQ(test::folderSnapshot(f.tmp.root()), files) << path.toStdString();
        return message;
    };
    // Another file of the same name in the library would be read in its place on reopening.
    io::writeFileAtomically(away + u"/forest.obf"_s, bytesOf(away + u"/wood.obf"_s) + "\r\n");
    EXPECT_TRUE(refused(away + u"/forest.obf"_s).contains(u"в библиотеке объектов программы уже есть другой файл"_s));
    // So would another one the project already holds.
    const QString other = f.tmp.makeDir(u"other"_s);
    QFile::copy(away + u"/wood.obf"_s, other + u"/wood.obf"_s);
    QFile::copy(away + u"/wood.bmp"_s, other + u"/wood.bmp"_s);
    QFile::copy(f.tmp.app().objectFile(u"hero.png"_s), other + u"/wood.png"_s);
    EXPECT_TRUE(refused(other + u"/wood.obf"_s).contains(u"уже есть другой файл «wood.png»"_s));
    // A missing picture, a damaged file.
    QFile::copy(away + u"/wood.obf"_s, away + u"/bare.obf"_s);
    EXPECT_TRUE(refused(away + u"/bare.obf"_s).contains(u"рисунок «bare.png» не найден"_s));
    io::writeFileAtomically(away + u"/broken.obf"_s, "fon\r\nbroken.png\r\n");
    EXPECT_TRUE(refused(away + u"/broken.obf"_s).contains(u"файл обрывается"_s));
}

// Opening reads the object files ahead, on all threads; what each stage gets
// must not depend on it: a file used by several stages, a damaged library
// copy standing in for the project's, a file gone since the project was saved.
TEST(ObjectImport, OpeningAProjectImportsEveryGroupAsOneImportWould)
{
    Fixture f;
    f.project.LevelCount = 3;
    for (int level = 1; level <= 3; ++level) {
        f.project.CurLevel = level;
        f.import(u"forest.obf"_s);
        f.import(u"hero.oba"_s);
    }
    const QString file = f.project.projectPath(u"project.prg"_s);
    persist::save(f.project, file);
    model::Project opened;
    EXPECT_TRUE(persist::load(opened, f.tmp.app(), file).isEmpty());
    // Read on another thread while the window is built: the same project.
    {
        persist::ProjectPreload preload(f.tmp.app(), file);
        model::Project preloaded;
        EXPECT_TRUE(preload.take(preloaded).isEmpty());
        EXPECT_TRUE(preloaded == opened);
    }
    for (int level = 1; level <= 3; ++level) {
        EXPECT_EQ(opened.stage(level).FonGroup[1].Cells, f.project.stage(1).FonGroup[1].Cells) << level;
        EXPECT_EQ(opened.stage(level).ActiveGroup[1].FrameCount, f.project.stage(1).ActiveGroup[1].FrameCount);
    }

    objects::ActiveObjectFile own = objects::ActiveObjectFile::read(f.tmp.app().objectFile(u"hero.oba"_s));
    own.FrameCount = 9;
    own.write(f.projectObjects + u"/hero.oba"_s);
    io::writeFileAtomically(f.tmp.app().objectFile(u"hero.oba"_s), "active\r\nhero.png\r\n");
    const QStringList notes = persist::load(opened, f.tmp.app(), file);
    ASSERT_EQ(notes.size(), 3);
    EXPECT_TRUE(notes[0].contains(u"взят из папки objects проекта"_s)) << notes[0].toStdString();
    for (int level = 1; level <= 3; ++level)
        EXPECT_EQ(opened.stage(level).ActiveGroup[1].FrameCount, 9) << level;

    ASSERT_TRUE(QFile::remove(f.tmp.app().objectFile(u"forest.obf"_s)));
    ASSERT_TRUE(QFile::remove(f.projectObjects + u"/forest.obf"_s));
    const model::Project before = opened;
    const QString message = test::errorOf([&] { persist::load(opened, f.tmp.app(), file); });
    EXPECT_TRUE(message.contains(u"объект «forest.obf» не загружен"_s)) << message.toStdString();
    EXPECT_TRUE(opened == before);
    persist::ProjectPreload failing(f.tmp.app(), file);
    EXPECT_EQ(test::errorOf([&] { failing.take(opened); }), message);
    EXPECT_TRUE(opened == before);
}

// A map's solid tiles come with it into the stage and its copy into the
// project; a damaged list refuses the import; "Обновить" reads the new list.
TEST(ObjectImport, SolidTilesTravelWithTheirBackground)
{
    Fixture f;
    const QString library = f.tmp.app().objectFile(u"forest.solid.json"_s);
    io::writeFileAtomically(library, "{\"solidTiles\":[2,3]}");
    f.import(u"forest.obf"_s);
    const model::FonGroupData& g = f.project.current().FonGroup[1];
    EXPECT_EQ(g.SolidTiles, (std::vector<int>{2, 3}));
    EXPECT_EQ(bytesOf(f.projectObjects + u"/forest.solid.json"_s), bytesOf(library));

    io::writeFileAtomically(library, "{\"solidTiles\":[\"2\"]}");
    f.project.addLevel();
    f.project.CurLevel = 2;
    EXPECT_TRUE(f.refused(u"forest.obf"_s).contains(u"forest.solid.json"_s));

    io::writeFileAtomically(library, "{\"solidTiles\":[4]}");
    const persist::ObjectUpdate update =
        persist::readObjectUpdate(f.project, f.tmp.app(), 1, f.tmp.app().objectFile(u"forest.obf"_s));
    EXPECT_EQ(update.stage.FonGroup[1].SolidTiles, (std::vector<int>{4}));
    const bool copied = std::any_of(update.files.begin(), update.files.end(), [&](const io::FileBytes& file) {
        return file.path == f.projectObjects + u"/forest.solid.json"_s && file.bytes == "{\"solidTiles\":[4]}";
    });
    EXPECT_TRUE(copied);
}
