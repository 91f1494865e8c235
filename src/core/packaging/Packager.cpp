#include "packaging/Packager.h"

#include "codegen/Converter.h"
#include "codegen/StageClass.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "packaging/CompilerReport.h"
#include "packaging/Descriptor.h"
#include "packaging/JarArchive.h"
#include "packaging/JavaTools.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {
namespace {

constexpr qint64 kMaxClassBytes = qint64(16) << 20;

// Every regular file under `dir`, as names relative to it, sorted: the same
// project gives the same jar.
QStringList filesUnder(const QString& dir, const QStringList& filters)
{
    QStringList names;
    QDirIterator it(dir, filters, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        names.append(QDir(dir).relativeFilePath(path));
    }
    names.sort();
    return names;
}

} // namespace

QString Packager::stepCaption(Step step)
{
    switch (step) {
    case Step::Convert: return u"Конвертирование проекта в исходные тексты"_s;
    case Step::Compile: return u"Компиляция исходных текстов (javac)"_s;
    case Step::Archive: return u"Сборка архива игры (jar и jad)"_s;
    }
    return QString();
}

Packager::Packager(const io::AppFolder& app) : m_app(app) {}

QString Packager::gameName(const QString& projectDir)
{
    const QString name = QFileInfo(QDir::cleanPath(projectDir)).fileName();
    return name.isEmpty() ? u"game"_s : name;
}

QStringList Packager::gameSources(const QString& srcDir, int levelCount)
{
    QStringList sources;
    for (const QString& file : QDir(srcDir).entryList({u"*.java"_s}, QDir::Files, QDir::Name)) {
        const std::optional<codegen::StageFile> stage = codegen::stageOfFile(file);
        if (stage && stage->level > levelCount)
            continue;
        sources.append(file);
    }
    return sources;
}

namespace {

[[noreturn]] void cancelled()
{
    throw io::Error(u"Сборка игры прервана; архив игры не изменён."_s);
}

} // namespace

void Packager::step(Step s)
{
    if (m_cancelled && m_cancelled())
        cancelled();
    if (m_onStep)
        m_onStep(s);
}

Packager::Result Packager::run(const model::Project& project)
{
    // What is needed from the machine is checked before anything is written.
    const QString api = m_app.midpApi();
    if (!QFileInfo(api).isFile())
        throw io::Error(u"Не найден файл «%1» с классами MIDP 2.0 / CLDC 1.1, нужный для сборки игры: "
                        u"переустановите Kestrava."_s.arg(QDir::toNativeSeparators(api)));
    const QString javac = findJavaTool(u"javac"_s);

    // bin is checked before the conversion rewrites src and res.
    const QString projectDir = project.ProjectDir.value_or(QString());
    const QString binDir = project.hasProjectDir()
                               ? codegen::outputFolder(projectDir, QFileInfo(projectDir).canonicalFilePath(), u"bin"_s)
                               : QString();
    step(Step::Convert);
    codegen::convertProject(project, m_app);
    try {
        return archive(project, projectDir, binDir, javac);
    } catch (const io::Error& e) {
        throw io::Error(e.message() + u"\nИсходные тексты в папке src и рисунки в папке res уже записаны заново; "
                                      u"архив игры в папке bin не изменён."_s);
    }
}

Packager::Result Packager::archive(const model::Project& project, const QString& projectDir, const QString& binDir,
                                   const QString& javac)
{
    step(Step::Compile);
    QTemporaryDir work;
    if (!work.isValid())
        throw io::Error(u"Не удаётся создать временную папку для сборки игры: %1"_s.arg(work.errorString()));
    const QString classes = work.path() + u"/classes"_s;
    io::makeFolder(classes);
    compile(project, projectDir + u"/src"_s, classes, javac);

    step(Step::Archive);
    const QString name = gameName(projectDir);
    MidletSuite suite;
    suite.name = name;
    std::vector<JarEntry> entries;
    entries.push_back({u"META-INF/MANIFEST.MF"_s, manifest(suite)});
    for (const QString& file : filesUnder(classes, {u"*.class"_s}))
        entries.push_back({file, io::readWholeFile(classes + u'/' + file, kMaxClassBytes)});
    const QString resDir = projectDir + u"/res"_s;
    for (const QString& file : filesUnder(resDir, {}))
        if (!QFileInfo(file).fileName().startsWith(u'.'))
            entries.push_back({file, io::readWholeFile(resDir + u'/' + file, io::kMaxPictureFileBytes)});
    const QByteArray jar = jarArchive(entries);
    const QString jarName = name + u".jar"_s;
    Result result{binDir + u'/' + jarName, binDir + u'/' + name + u".jad"_s, name};
    io::makeFolder(binDir);
    io::writeFilesTogether({{result.jar, jar}, {result.jad, descriptor(suite, jarName, jar.size())}});
    return result;
}

void Packager::compile(const model::Project& project, const QString& srcDir, const QString& classesDir,
                       const QString& javacPath)
{
    const QStringList sources = gameSources(srcDir, project.LevelCount);
    QStringList arguments = {
        // javac speaks English and UTF-8 here, so its messages can be read back.
        u"-J-Duser.language=en"_s, u"-J-Duser.country=US"_s, u"-J-Dfile.encoding=UTF-8"_s,
        u"-J-Dsun.stdout.encoding=UTF-8"_s, u"-J-Dsun.stderr.encoding=UTF-8"_s,
        // A phone has only the MIDP 2.0 / CLDC 1.1 classes: nothing else is on the boot class path.
        u"-source"_s, u"8"_s, u"-target"_s, u"8"_s, u"-bootclasspath"_s, m_app.midpApi(),
        u"-encoding"_s, u"windows-1251"_s, u"-nowarn"_s, u"-Xlint:-options"_s, u"-Xmaxerrs"_s, u"50"_s,
        u"-d"_s, classesDir};
    for (const QString& file : sources)
        arguments.append(srcDir + u'/' + file);

    QProcess javac;
    javac.setProcessChannelMode(QProcess::MergedChannels);
    javac.start(javacPath, arguments);
    if (!javac.waitForStarted(30000))
        throw io::Error(u"Компилятор Java не запустился: %1"_s.arg(javac.errorString()));
    while (!javac.waitForFinished(100)) {
        if (javac.state() == QProcess::NotRunning)
            break;
        if (m_cancelled && m_cancelled()) {
            javac.kill();
            javac.waitForFinished(5000);
            cancelled();
        }
    }
    const QString output = QString::fromUtf8(javac.readAll());
    if (javac.exitStatus() != QProcess::NormalExit)
        throw io::Error(u"Компилятор Java завершился аварийно: %1"_s.arg(javac.errorString()));
    if (javac.exitCode() != 0) {
        const QStringList report = compilerReport(output, project, int(codegen::readStageTemplate(m_app).size()));
        throw io::Error(u"Игра не собрана: компилятор Java нашёл ошибки.\n"_s + report.join(u'\n'));
    }
}

} // namespace kestrava::packaging
