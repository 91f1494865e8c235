#include "support/TempAppFolder.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

namespace kestrava::test {

TempAppFolder::TempAppFolder() : m_app(m_dir.path() + QStringLiteral("/app"))
{
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary folder");
    m_app.ensureFolders();
    copyFolderFiles(sourceFile(QStringLiteral("resources/images")), m_app.images());
    copyFolderFiles(sourceFile(QStringLiteral("resources/draft")), m_app.draft());
}

QString TempAppFolder::makeDir(const QString& relative) const
{
    const QString path = m_dir.path() + QLatin1Char('/') + relative;
    QDir().mkpath(path);
    return path;
}

void TempAppFolder::addJava() const
{
    QDir().mkpath(m_app.java());
    for (const QString jar : {QStringLiteral("midp-api.jar"), QStringLiteral("kestrava-player.jar")})
        QFile::copy(QStringLiteral(KESTRAVA_JAVA_DIR) + QLatin1Char('/') + jar, m_app.java() + QLatin1Char('/') + jar);
}

QString TempAppFolder::copyDemo(const QString& name) const
{
    const QString demo = makeDir(name);
    copyFolderFiles(sourceFile(QStringLiteral("examples/demo")), demo);
    copyFolderFiles(sourceFile(QStringLiteral("examples/demo/objects")), demo + QStringLiteral("/objects"));
    return demo;
}

QString testData(const QString& relative)
{
    return QStringLiteral(KESTRAVA_TEST_DATA) + QLatin1Char('/') + relative;
}

QString sourceFile(const QString& relative)
{
    return QStringLiteral(KESTRAVA_SOURCE_DIR) + QLatin1Char('/') + relative;
}

void copyFolderFiles(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files))
        QFile::copy(source.filePath(name), to + QLatin1Char('/') + name);
}

} // namespace kestrava::test
