#include "io/AppFolder.h"

#include <QDir>
#include <QProcessEnvironment>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::io {

AppFolder::AppFolder(QString root) : m_root(QDir::cleanPath(std::move(root))) {}

QString AppFolder::locate(const QString& commandLineDir, const QString& executableDir)
{
    if (!commandLineDir.isEmpty())
        return QDir(commandLineDir).absolutePath();
    const QString fromEnv = QProcessEnvironment::systemEnvironment().value(QString::fromLatin1(kEnvironmentVariable));
    if (!fromEnv.isEmpty())
        return QDir(fromEnv).absolutePath();
    return QDir(executableDir).absolutePath();
}

QString AppFolder::objects() const { return m_root + u"/objects"_s; }
QString AppFolder::images() const { return m_root + u"/images"_s; }
QString AppFolder::project() const { return m_root + u"/проект"_s; }
QString AppFolder::draft() const { return m_root + u"/draft"_s; }
QString AppFolder::src() const { return m_root + u"/src"_s; }
QString AppFolder::temp() const { return m_root + u"/temp"_s; }
QString AppFolder::java() const { return m_root + u"/java"_s; }

QString AppFolder::objectFile(const QString& name) const { return objects() + u'/' + name; }
QString AppFolder::imageFile(const QString& name) const { return images() + u'/' + name; }
QString AppFolder::draftFile(const QString& name) const { return draft() + u'/' + name; }
QString AppFolder::midpApi() const { return java() + u"/midp-api.jar"_s; }
QString AppFolder::player() const { return java() + u"/kestrava-player.jar"_s; }

void AppFolder::ensureFolders() const
{
    for (const QString& dir : {objects(), images(), project(), draft(), src(), temp()})
        QDir().mkpath(dir);
}

} // namespace kestrava::io
