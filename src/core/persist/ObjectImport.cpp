#include "persist/ObjectImport.h"

#include "io/AppFolder.h"
#include "io/Cp1251.h"
#include "io/Error.h"
#include "io/FileAccess.h"
#include "io/ParallelJobs.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "model/Project.h"
#include "objects/ObjectFile.h"
#include "objects/SolidTiles.h"
#include "persist/ImportKind.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {

using model::ObjectKind;
namespace {

QString projectObjects(const model::Project& project)
{
    return project.projectPath(u"objects"_s);
}

// Refuses a name no project can keep, before anything is read or copied.
void checkImportable(const model::Project& project, const QString& name)
{
    if (!project.hasProjectDir())
        throw io::Error(u"Проект ещё не создан: сначала выберите «Новый» или «Открыть», "
                        u"объект «%1» не загружен"_s.arg(io::excerpt(name)));
    if (!io::isPlainFileName(name))
        throw io::Error(u"Имя файла объекта «%1» недопустимо: это должно быть простое имя файла "
                        u"без папок и «..»; объект не загружен"_s.arg(io::excerpt(name)));
    // The project file keeps the name; one it cannot hold would make the
    // project impossible to save from then on.
    if (const QString ch = io::Cp1251::firstUnencodableCharacter(name); !ch.isEmpty())
        throw io::Error(u"Имя файла объекта «%1» содержит символ «%2», которого нет в кодировке windows-1251, "
                        u"и не может быть записано в файл проекта; переименуйте файл. Объект не загружен"_s
                            .arg(io::excerpt(name), ch));
}

} // namespace

ObjectImporter::ObjectImporter(model::Project& project, const io::AppFolder& app, Copies copies)
    : m_project(project), m_app(app), m_copies(copies)
{
    if (project.hasProjectDir())
        io::trustFolder(*project.ProjectDir);
}

ImportedObject ObjectImporter::import(int level, const QString& name, std::optional<model::ObjectKind> expected)
{
    checkImportable(m_project, name);

    // The library first; a project brought from another machine carries its
    // own copies, and one of them also stands in for a damaged library copy.
    const QString library = m_app.objectFile(name);
    const QString ownCopy = projectObjects(m_project) + u'/' + name;
    QString path = sourceOf(name);
    if (path.isEmpty())
        throw io::Error::inFile(library, u"файл объекта не найден ни в библиотеке объектов программы, "
                                         u"ни в папке objects проекта"_s);
    bool fromLibrary = path == library;
    QString note;
    std::optional<objects::ObjectFile> read;
    try {
        read = readFile(path);
    } catch (const io::Error& damaged) {
        if (!fromLibrary || !QFileInfo::exists(ownCopy))
            throw;
        try {
            read = objects::readObjectFile(ownCopy);
        } catch (const io::Error&) {
            throw damaged; // the library's fault is the one to mend
        }
        fromLibrary = false;
        path = ownCopy;
        note = u"Объект «%1» взят из папки objects проекта: копия в библиотеке программы не читается. %2"_s.arg(
            io::excerpt(name), damaged.message());
        m_notes << note;
    }
    objects::ObjectFile& file = *read;
    const model::ObjectKind kind = objects::kindOf(file);
    if (expected && kind != *expected)
        throw io::Error::inFile(path, u"файл не является %1"_s.arg(model::describe(*expected).asWhat));

    // Everything is read and checked; only the capacity checks of the
    // import may still refuse, and they change nothing when they do.
    const ImportKind& as = imported(kind);
    const ImportedObject result{kind, as.import(m_project, level, name, path, std::move(file)), note};
    if (!as.copiedIntoProject())
        return result;
    if (fromLibrary && std::find(m_pending.begin(), m_pending.end(), name) == m_pending.end())
        m_pending.push_back(name);
    if (m_copies == Copies::Now)
        copyPending();
    return result;
}

QString ObjectImporter::sourceOf(const QString& name) const
{
    if (const auto known = m_sources.constFind(name); known != m_sources.constEnd())
        return known.value();
    return sourceOf(name, [](bool, const QString& path) { return QFileInfo::exists(path); });
}

QString ObjectImporter::sourceOf(const QString& name, const std::function<bool(bool, const QString&)>& exists) const
{
    const QString library = m_app.objectFile(name);
    if (exists(true, library))
        return library;
    const QString ownCopy = projectObjects(m_project) + u'/' + name;
    return exists(false, ownCopy) ? ownCopy : QString();
}

objects::ObjectFile ObjectImporter::readFile(const QString& path)
{
    const auto it = m_readAhead.find(path);
    if (it == m_readAhead.end())
        return objects::readObjectFile(path);
    // The last import of a file takes it; the others copy it.
    if (--it->uses > 0)
        return it->file;
    objects::ObjectFile file = std::move(it->file);
    m_readAhead.erase(it);
    return file;
}

void ObjectImporter::readAhead(const std::vector<QString>& names)
{
    // One listing of each folder answers where every object is: a look-up
    // per name cost more than reading the files.
    auto namesIn = [](const QString& folder) {
        const QStringList all = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        return QSet<QString>(all.begin(), all.end());
    };
    const QSet<QString> inLibrary = namesIn(m_app.objects());
    const QSet<QString> inProject = namesIn(projectObjects(m_project));
    std::vector<QString> paths;
    for (const QString& name : names) {
        try {
            checkImportable(m_project, name);
        } catch (const io::Error&) {
            continue;
        }
        const QString path =
            sourceOf(name, [&](bool library, const QString&) { return (library ? inLibrary : inProject).contains(name); });
        m_sources.insert(name, path);
        if (path.isEmpty())
            continue;
        ReadAhead& ahead = m_readAhead[path];
        if (ahead.uses++ == 0)
            paths.push_back(path);
    }
    std::vector<std::optional<objects::ObjectFile>> files(paths.size());
    io::ParallelJobs run(paths.size(), [&](size_t k) {
        try {
            files[k] = objects::readObjectFile(paths[k]);
        } catch (const io::Error&) {
            // Its import reads it again and says what is wrong.
        }
    });
    run.start(io::ParallelJobs::helperThreads());
    run.finish();
    for (size_t k = 0; k < paths.size(); ++k) {
        if (files[k])
            m_readAhead[paths[k]].file = std::move(*files[k]);
        else
            m_readAhead.remove(paths[k]);
    }
}

void ObjectImporter::copyPending()
{
    if (m_pending.empty())
        return;
    const QString target = projectObjects(m_project);
    try {
        io::makeFolder(target);
    } catch (const io::Error&) {
        // The copies below then fail, and a failed copy is not an error.
    }
    for (const QString& name : m_pending)
        for (const QString& file :
             {name, objects::pngNameOf(name), objects::bmpNameOf(name), objects::solidTilesNameOf(name)})
            io::copyFileNoOverwrite(m_app.objectFile(file), target + u'/' + file);
    m_pending.clear();
}

ImportedObject Load_object(model::Project& project, const io::AppFolder& app, const QString& fileName)
{
    ObjectImporter importer(project, app, ObjectImporter::Copies::Now);
    return importer.import(project.CurLevel, fileName);
}

namespace {

bool samePath(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

bool sameBytes(const QString& a, const QString& b)
{
    return io::readWholeFile(a, io::kMaxPictureFileBytes) == io::readWholeFile(b, io::kMaxPictureFileBytes);
}

} // namespace

ImportedObject loadChosenObject(model::Project& project, const io::AppFolder& app, const QString& chosen)
{
    const QFileInfo info(chosen);
    const QString name = info.fileName();
    // The library's own file, or a name only: the usual import by name.
    if (!info.exists() || samePath(info.absolutePath(), app.objects()))
        return Load_object(project, app, name);

    checkImportable(project, name);
    const objects::ObjectFile file = objects::readObjectFile(chosen);
    const auto refuse = [&](const QString& why) {
        return io::Error::inFile(chosen, why + u" Объект не загружен."_s);
    };
    // The library is read before the project's copies whenever the project
    // is opened or drawn: a different file of that name there would take
    // this object's place.
    if (QFileInfo::exists(app.objectFile(name))) {
        if (!sameBytes(chosen, app.objectFile(name)))
            throw refuse(u"в библиотеке объектов программы уже есть другой файл «%1», и проект брал бы его. "
                         u"Переименуйте файл."_s.arg(name));
        return Load_object(project, app, name);
    }

    // The object file and the pictures its kind has: each from beside it, else from the library.
    struct Copy {
        QString from;
        QString to;
    };
    const QString target = project.projectPath(u"objects"_s);
    std::vector<Copy> copies{{chosen, target + u'/' + name}};
    for (const QString& picture : imported(objects::kindOf(file)).pictures(name)) {
        const QString beside = info.absolutePath() + u'/' + picture;
        const QString library = app.objectFile(picture);
        const bool besideExists = QFileInfo::exists(beside);
        if (besideExists && QFileInfo::exists(library) && !samePath(beside, library) && !sameBytes(beside, library))
            throw refuse(u"в библиотеке объектов программы уже есть другой рисунок «%1», и редактор уровня "
                         u"показывал бы его. Переименуйте файл объекта вместе с рисунками."_s.arg(picture));
        if (!besideExists && !QFileInfo::exists(library))
            throw refuse(u"рисунок «%1» не найден ни рядом с файлом объекта, ни в библиотеке объектов программы."_s
                             .arg(picture));
        copies.push_back({besideExists ? beside : library, target + u'/' + picture});
    }
    // A map's solid tiles, when it has any, go with it: the project reads them from beside its copy.
    const QString solid = info.absolutePath() + u'/' + objects::solidTilesNameOf(name);
    if (objects::kindOf(file) == ObjectKind::Background && QFileInfo(solid).isFile())
        copies.push_back({solid, target + u'/' + objects::solidTilesNameOf(name)});
    // A file of that name the project already holds is kept (copies never
    // replace): it must be this very one.
    std::vector<Copy> needed;
    for (const Copy& copy : copies) {
        if (!QFileInfo::exists(copy.to))
            needed.push_back(copy);
        else if (!sameBytes(copy.from, copy.to))
            throw refuse(u"в папке objects проекта уже есть другой файл «%1». Переименуйте файл объекта вместе "
                         u"с рисунками."_s.arg(io::fileNamePart(copy.to)));
    }

    io::makeFolder(target);
    std::vector<QString> made;
    const auto undoCopies = [&made] {
        for (const QString& path : made)
            QFile::remove(path);
    };
    for (const Copy& copy : needed) {
        try {
            io::writeFileAtomically(copy.to, io::readWholeFile(copy.from, io::kMaxPictureFileBytes));
        } catch (const io::Error& e) {
            undoCopies();
            throw refuse(u"файл «%1» не удалось скопировать в папку objects проекта «%2»: %3"_s.arg(copy.from, target,
                                                                                                    e.message()));
        }
        made.push_back(copy.to);
    }
    try {
        return Load_object(project, app, name);
    } catch (...) {
        undoCopies();
        throw;
    }
}

bool stageHolds(const model::Project& project, int level, const QString& name)
{
    const model::StageData& s = project.stage(level);
    return std::any_of(model::kObjectKinds.begin(), model::kObjectKinds.end(),
                       [&](ObjectKind kind) { return imported(kind).holds(s, name); });
}

ObjectUpdate readObjectUpdate(const model::Project& project, const io::AppFolder& app, int level,
                              const QString& chosenPath)
{
    const QFileInfo chosen(chosenPath);
    const QString name = chosen.fileName();
    checkImportable(project, name);
    const auto refuse = [&](const QString& why) {
        return io::Error::inFile(chosenPath, why + u" Объект не обновлён."_s);
    };
    if (!stageHolds(project, level, name))
        throw refuse(u"на этапе %1 нет объекта, загруженного из файла «%2»."_s.arg(level).arg(name));

    QString folder;
    const QString library = app.objectFile(name);
    if (QFileInfo::exists(library)) {
        if (chosen.exists() && !samePath(chosenPath, library) && !sameBytes(chosenPath, library))
            throw refuse(u"в библиотеке объектов программы другой файл «%1», и проект при открытии брал бы его. "
                         u"Переименуйте файл."_s.arg(name));
        folder = app.objects();
    } else if (chosen.exists()) {
        folder = chosen.absolutePath();
    } else {
        throw refuse(u"файла «%1» нет в библиотеке объектов программы."_s.arg(name));
    }
    const QString sourcePath = folder + u'/' + name;
    const QByteArray objectBytes = io::readWholeFile(sourcePath, io::kMaxObjectFileBytes);
    const objects::ObjectFile file = objects::readObjectFile(sourcePath);

    ObjectUpdate update{name, project.stage(level), {}};
    const QString target = project.projectPath(u"objects"_s);
    update.files.push_back({target + u'/' + name, objectBytes});
    QByteArray bmpBytes;
    for (const QString& picture : {objects::pngNameOf(name), objects::bmpNameOf(name)}) {
        QString path = folder + u'/' + picture;
        if (!QFileInfo::exists(path))
            path = app.objectFile(picture);
        if (!QFileInfo::exists(path))
            throw refuse(u"рисунок «%1» не найден ни рядом с файлом объекта, ни в библиотеке объектов программы."_s
                             .arg(picture));
        const QByteArray bytes = io::readWholeFile(path, io::kMaxPictureFileBytes);
        if (picture == objects::bmpNameOf(name))
            bmpBytes = bytes;
        update.files.push_back({target + u'/' + picture, bytes});
    }

    // A background's solid tiles go with it, from where its pictures came.
    std::vector<int> solidTiles;
    if (objects::kindOf(file) == ObjectKind::Background) {
        QString path = folder + u'/' + objects::solidTilesNameOf(name);
        if (!QFileInfo::exists(path))
            path = app.objectFile(objects::solidTilesNameOf(name));
        if (QFileInfo::exists(path)) {
            solidTiles = objects::readSolidTiles(path, objects::kMaxSheetTiles);
            update.files.push_back({target + u'/' + objects::solidTilesNameOf(name),
                                    io::readWholeFile(path, io::kMaxObjectFileBytes)});
        }
    }
    const UpdateSource source{
        name, file, bmpBytes, solidTiles, refuse, [&](ObjectKind groupKind) {
            return refuse(u"файл не является %1, каким «%2» загружен на этапе %3."_s.arg(
                model::describe(groupKind).asWhat, name).arg(level));
        }};
    for (ObjectKind kind : model::kObjectKinds)
        imported(kind).update(update.stage, source);
    return update;
}

} // namespace kestrava::persist
