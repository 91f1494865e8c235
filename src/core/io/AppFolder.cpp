#include "io/AppFolder.h"

#include "io/Error.h"
#include "io/FileAccess.h"
#include "io/Paths.h"
#include "io/TextFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {

namespace {

const QString kInstalledData = u"../share/kestrava"_s;

// A build folder: the templates lie beside the executable and it can be written.
bool holdsSupportFolders(const QString& dir)
{
    const QFileInfo draft(dir + u"/draft"_s);
    return draft.isDir() && QFileInfo(dir).isWritable();
}

} // namespace

AppFolder::AppFolder(QString root, QString resources)
    : m_root(QDir::cleanPath(std::move(root))), m_resources(QDir::cleanPath(std::move(resources)))
{
    // The author's own folders: no link in them may carry a read or write elsewhere.
    trustFolder(m_root);
    trustFolder(m_resources);
}

QString AppFolder::installedResources(const QString& executableDir)
{
    const QString dir = QDir::cleanPath(QDir(executableDir).absoluteFilePath(kInstalledData));
    return QFileInfo(dir + u"/draft"_s).isDir() ? dir : QString();
}

QString AppFolder::userFolder()
{
    // QStandardPaths would add the organisation and program names of the
    // running application; the folder is named after the program alone.
    QString base = QProcessEnvironment::systemEnvironment().value(u"XDG_DATA_HOME"_s);
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + u"/.local/share"_s;
    return QDir::cleanPath(base + u"/kestrava"_s);
}

AppFolder AppFolder::locate(const QString& commandLineDir, const QString& executableDir)
{
    if (!commandLineDir.isEmpty())
        return AppFolder(QDir(commandLineDir).absolutePath());
    const QString fromEnv = QProcessEnvironment::systemEnvironment().value(QString::fromLatin1(kEnvironmentVariable));
    if (!fromEnv.isEmpty())
        return AppFolder(QDir(fromEnv).absolutePath());
    const QString beside = QDir(executableDir).absolutePath();
    if (holdsSupportFolders(beside))
        return AppFolder(beside);
    const QString installed = installedResources(beside);
    if (installed.isEmpty())
        return AppFolder(beside);
    const AppFolder app(userFolder(), installed);
    seedFolder(installed + u"/objects"_s, app.objects());
    return app;
}

QString AppFolder::objects() const { return m_root + u"/objects"_s; }
QString AppFolder::images() const { return m_resources + u"/images"_s; }
QString AppFolder::project() const { return m_root + u"/проект"_s; }
QString AppFolder::draft() const { return m_resources + u"/draft"_s; }
QString AppFolder::src() const { return m_root + u"/src"_s; }
QString AppFolder::temp() const { return m_root + u"/temp"_s; }
QString AppFolder::compiledClasses() const { return temp() + u"/classes"_s; }
QString AppFolder::java() const { return m_resources + u"/java"_s; }
QString AppFolder::guide() const { return m_resources + u"/guide"_s; }
QString AppFolder::examples() const { return m_resources + u"/examples"_s; }

QString AppFolder::objectFile(const QString& name) const { return objects() + u'/' + name; }
QString AppFolder::imageFile(const QString& name) const { return images() + u'/' + name; }
QString AppFolder::draftFile(const QString& name) const { return draft() + u'/' + name; }
QString AppFolder::midpApi() const { return java() + u"/midp-api.jar"_s; }
QString AppFolder::player() const { return java() + u"/kestrava-player.jar"_s; }

void AppFolder::ensureFolders() const
{
    QStringList dirs{objects(), project(), src(), temp()};
    if (m_resources == m_root)
        dirs << images() << draft();
    for (const QString& dir : dirs) {
        try {
            makeFolder(dir);
        } catch (const Error&) {
            // Whoever needs the folder then says it is missing.
        }
    }
}

QStringList seedFolder(const QString& from, const QString& to)
{
    QStringList copied;
    if (!QFileInfo(from).isDir())
        return copied;
    makeFolder(to);
    // What was offered once is not offered again: a file the author deleted
    // stays deleted, while a file a newer installation brings still arrives.
    const QString listPath = to + u"/"_s + QString::fromLatin1(kSeededList);
    QStringList offered;
    try {
        if (QFileInfo::exists(listPath))
            offered = QString::fromUtf8(readWholeFile(listPath)).split(u'\n', Qt::SkipEmptyParts);
    } catch (const Error&) {
        // An unreadable list offers everything again; nothing there is replaced.
    }
    QStringList newlyOffered;
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = QDir(from).relativeFilePath(source);
        if (offered.contains(relative))
            continue;
        newlyOffered << relative;
        const QString target = to + u'/' + relative;
        if (QFileInfo::exists(target))
            continue;
        makeFolder(QFileInfo(target).absolutePath());
        // Written anew, so the author's copy can be changed though the installed file is read-only.
        try {
            writeFileAtomically(target, readWholeFile(source, kMaxPictureFileBytes));
        } catch (const Error& e) {
            throw Error::inFile(target, u"не удаётся скопировать из «%1»: %2"_s.arg(QDir::toNativeSeparators(source),
                                                                                   e.message()));
        }
        copied << relative;
    }
    if (!newlyOffered.isEmpty()) {
        offered << newlyOffered;
        writeFileAtomically(listPath, offered.join(u'\n').toUtf8() + '\n');
    }
    return copied;
}

} // namespace kestrava::io
