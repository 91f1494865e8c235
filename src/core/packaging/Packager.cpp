#include "packaging/Packager.h"

#include "codegen/Converter.h"
#include "codegen/StageClass.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/Png.h"
#include "io/TextFile.h"
#include "packaging/CompilerReport.h"
#include "model/ScreenChoice.h"
#include "packaging/Descriptor.h"
#include "packaging/GameIcon.h"
#include "packaging/IncrementalCompile.h"
#include "packaging/JarArchive.h"
#include "packaging/JavaTools.h"
#include "packaging/StandbyJava.h"

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
    case Step::Compile: return u"Компиляция исходных текстов (ecj)"_s;
    case Step::Shrink: return u"Уменьшение игры (ProGuard)"_s;
    case Step::Archive: return u"Сборка архива игры (jar и jad)"_s;
    }
    return QString();
}

QList<Packager::Step> Packager::steps(bool shrink)
{
    if (shrink)
        return {Step::Convert, Step::Compile, Step::Shrink, Step::Archive};
    return {Step::Convert, Step::Compile, Step::Archive};
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
    // A link could bring in a file from outside the project.
    for (const QString& file : QDir(srcDir).entryList({u"*.java"_s}, QDir::Files | QDir::NoSymLinks, QDir::Name)) {
        const std::optional<codegen::StageFile> stage = codegen::stageOfFile(file);
        if ((stage && stage->level > levelCount) || codegen::isEarlierTableClass(file))
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
    const GameCompiler compiler = describeGameCompiler(findGameCompiler());
    const QString shrinker = m_shrink ? findShrinker() : QString();

    // bin is checked before the conversion rewrites src and res.
    const QString projectDir = project.ProjectDir.value_or(QString());
    const QString canonical = QFileInfo(projectDir).canonicalFilePath();
    const QString binDir = project.hasProjectDir() ? codegen::outputFolder(projectDir, canonical, u"bin"_s) : QString();
    step(Step::Convert);
    // The pictures and tables this conversion put into res are the only files
    // of res the game gets: whatever else lies there (a class, a stray file) stays out.
    const QString resDir = project.hasProjectDir() ? codegen::outputFolder(projectDir, canonical, u"res"_s) : QString();
    Folders folders{projectDir, binDir, resDir, {}, {}};
    codegen::convertProject(
        project, m_app,
        [&](const QString& file) {
            if (QFileInfo(file).absolutePath() == QFileInfo(resDir).absoluteFilePath())
                folders.resources.append(QFileInfo(file).fileName());
        },
        &folders.summary);
    folders.resources.sort();
    try {
        return archive(project, folders, compiler, shrinker);
    } catch (const io::Error& e) {
        throw io::Error(e.message() + u"\nИсходные тексты в папке src и рисунки в папке res уже записаны заново; "
                                      u"архив игры в папке bin не изменён."_s);
    }
}

Packager::Result Packager::archive(const model::Project& project, const Folders& folders,
                                   const GameCompiler& compiler, const QString& shrinker)
{
    const QString& projectDir = folders.project;
    const QString& binDir = folders.bin;
    const QString& resDir = folders.res;
    step(Step::Compile);
    QTemporaryDir work;
    if (!work.isValid())
        throw io::Error(u"Не удаётся создать временную папку для сборки игры: %1"_s.arg(work.errorString()));
    ClassFiles classes = compile(project, projectDir + u"/src"_s, work.path(), compiler, &m_compiled);
    if (m_shrink) {
        step(Step::Shrink);
        const QString unshrunk = work.path() + u"/classes"_s;
        for (const auto& [path, bytes] : classes) {
            io::makeFolder(QFileInfo(unshrunk + u'/' + path).absolutePath());
            io::writeFileAtomically(unshrunk + u'/' + path, bytes, io::FileSync::LeaveToSystem);
        }
        const QString shrunk = work.path() + u"/shrunk"_s;
        shrink(work.path(), unshrunk, shrunk, shrinker);
        classes.clear();
        for (const QString& file : filesUnder(shrunk, {u"*.class"_s}))
            classes[file] = io::readWholeFile(shrunk + u'/' + file, kMaxClassBytes);
    }

    step(Step::Archive);
    const QString name = gameName(projectDir);
    MidletSuite suite = suiteOf(project, name);
    const QImage icon = gameIcon(project, resDir);
    if (!icon.isNull())
        suite.icon = u'/' + QString::fromLatin1(kIconEntry);
    std::vector<JarEntry> entries;
    entries.push_back({u"META-INF/MANIFEST.MF"_s, manifest(suite)});
    if (!icon.isNull())
        entries.push_back({QString::fromLatin1(kIconEntry), io::encodePng(icon, QString::fromLatin1(kIconEntry))});
    for (const auto& [path, bytes] : classes)
        entries.push_back({path, bytes});
    for (const QString& file : folders.resources)
        entries.push_back({file, io::readWholeFile(resDir + u'/' + file, io::kMaxPictureFileBytes)});
    std::vector<qint64> entryBytes;
    const QByteArray jar = jarArchive(entries, &entryBytes);
    const QString jarName = name + u".jar"_s;
    Result result{binDir + u'/' + jarName, binDir + u'/' + name + u".jad"_s, name,
                  budgetReport(project, folders.summary, entries, entryBytes, jar.size())};
    if (const QStringList over = result.budget.overs(); m_strictBudget && !over.isEmpty())
        throw io::Error(u"Игра не собрана: она не уложится в телефон (%1: %2) — %3."_s.arg(
            result.budget.screen, model::budgetText(result.budget.budget), over.join(u"; "_s)));
    io::makeFolder(binDir);
    io::writeFilesTogether({{result.jar, jar}, {result.jad, descriptor(suite, jarName, jar.size())}});
    return result;
}

QString Packager::runTool(const QString& program, const QStringList& arguments, const QString& workDir,
                          const QString& what, int* exitCode)
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    // An empty folder of our own: nothing the author's current folder holds is seen.
    tool.setWorkingDirectory(workDir);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Messages in English and UTF-8, so they can be read back; Debian's Java
    // wrappers take JAVA_ARGS, and nothing else on the way reads it.
    environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    environment.insert(u"JAVA_ARGS"_s, u"-Duser.language=en -Duser.country=US -Dfile.encoding=UTF-8 "
                                       u"-Dsun.stdout.encoding=UTF-8 -Dsun.stderr.encoding=UTF-8"_s);
    environment.remove(u"CLASSPATH"_s);
    environment.remove(u"JAVA_TOOL_OPTIONS"_s);
    environment.remove(u"_JAVA_OPTIONS"_s);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForStarted(30000))
        throw io::Error(u"%1 не запустился: %2"_s.arg(what, tool.errorString()));
    while (!tool.waitForFinished(100)) {
        if (tool.state() == QProcess::NotRunning)
            break;
        if (m_cancelled && m_cancelled()) {
            tool.kill();
            tool.waitForFinished(5000);
            cancelled();
        }
    }
    const QString output = QString::fromUtf8(tool.readAll());
    if (tool.exitStatus() != QProcess::NormalExit)
        throw io::Error(u"%1 завершился аварийно: %2"_s.arg(what, tool.errorString()));
    *exitCode = tool.exitCode();
    return output;
}

void Packager::shrink(const QString& workDir, const QString& classesDir, const QString& shrunkDir,
                      const QString& shrinker)
{
    // Paths quoted for ProGuard, which reads its arguments as it reads a configuration.
    const auto quoted = [](const QString& path) { return u'\'' + path + u'\''; };
    const QStringList arguments = {
        u"-injars"_s, quoted(classesDir), u"-outjars"_s, quoted(shrunkDir), u"-libraryjars"_s, quoted(m_app.midpApi()),
        // StackMap attributes for CLDC again, after the code changed.
        u"-microedition"_s,
        // The phone starts the MIDlet by the name in the manifest, and the game
        // finds its stage classes by name (Etap0 .. Etap19).
        u"-keep"_s, u"public class dorv { public <init>(); }"_s, u"-keep"_s, u"class Etap?, Etap?? { <init>(); }"_s,
        u"-overloadaggressively"_s, u"-repackageclasses"_s, u"''"_s, u"-allowaccessmodification"_s, u"-dontnote"_s};
    int exitCode = 0;
    const QString output = runTool(shrinker, arguments, workDir + u"/nothing"_s, u"ProGuard"_s, &exitCode);
    if (exitCode != 0)
        throw io::Error(u"Игра не уменьшена: ProGuard сообщил об ошибке.\n"_s + output.trimmed().right(1500));
}

ClassFiles Packager::compile(const model::Project& project, const QString& srcDir, const QString& workDir,
                            const GameCompiler& compiler, QStringList* compiled)
{
    const IncrementalCompile sources(srcDir, gameSources(srcDir, project.LevelCount), m_app.midpApi(),
                                     compiler.identity);
    const ClassCache cache(m_app.compiledClasses());
    const QString nothing = workDir + u"/nothing"_s;
    io::makeFolder(nothing);
    const IncrementalCompile::Outcome outcome = sources.run(cache, workDir, [&](const QStringList& arguments) {
        if (m_standby) {
            if (std::optional<CompilerRun> run = m_standby->compile(compiler, arguments, m_cancelled))
                return *run;
            if (m_cancelled && m_cancelled())
                cancelled();
        }
        CompilerRun run;
        run.output = runTool(compiler.program, arguments, nothing, u"Компилятор Java (ecj)"_s, &run.exitCode);
        return run;
    });
    *compiled = outcome.compiled;
    if (outcome.failure) {
        QStringList report =
            compilerReport(outcome.failure->output, project, int(codegen::readStageTemplate(m_app).size()));
        // Rows whose loops are missing fail to compile for one reason, said first.
        report = codegen::unopenedLoopNotes(project) + report;
        throw io::Error(u"Игра не собрана: компилятор Java нашёл ошибки.\n"_s + report.join(u'\n'));
    }
    return outcome.classes;
}

} // namespace kestrava::packaging
