#include "packaging/IncrementalCompile.h"

#include "codegen/StageClass.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

#include <atomic>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {
namespace {

constexpr qint64 kMaxSourceBytes = qint64(16) << 20;
constexpr qint64 kMaxClassBytes = qint64(16) << 20;
constexpr qint64 kMaxApiBytes = qint64(64) << 20;

// Changes whenever what a key covers or how classes are kept changes.
constexpr char kKeyVersion[] = "kestrava game classes 1";

bool isHex(char16_t c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isIdentifierPart(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' ||
           c == u'$' || c >= 0x80;
}

// The source with its unicode escapes (\uXXXX, a backslash not itself escaped) decoded, as the compiler sees it first.
std::u16string decodeEscapes(const QByteArray& source)
{
    std::u16string out;
    out.reserve(size_t(source.size()));
    int backslashes = 0;
    for (qsizetype i = 0; i < source.size(); ++i) {
        const char16_t c = char16_t(uchar(source[i]));
        if (c == u'\\' && backslashes % 2 == 0 && i + 1 < source.size() && source[i + 1] == 'u') {
            qsizetype j = i + 1;
            while (j < source.size() && source[j] == 'u')
                ++j;
            if (j + 4 <= source.size() && isHex(char16_t(source[j])) && isHex(char16_t(source[j + 1])) &&
                isHex(char16_t(source[j + 2])) && isHex(char16_t(source[j + 3]))) {
                out.push_back(char16_t(source.mid(j, 4).toUInt(nullptr, 16)));
                i = j + 3;
                backslashes = 0;
                continue;
            }
        }
        backslashes = c == u'\\' ? backslashes + 1 : 0;
        out.push_back(c);
    }
    return out;
}

QByteArray sha256(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// Every .class file under dir, by its path relative to dir.
ClassFiles readClasses(const QString& dir)
{
    ClassFiles classes;
    QDirIterator it(dir, {u"*.class"_s}, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        classes[QDir(dir).relativeFilePath(path)] = io::readWholeFile(path, kMaxClassBytes);
    }
    return classes;
}

void writeClasses(const QString& dir, const ClassFiles& classes)
{
    for (const auto& [path, bytes] : classes) {
        const QString file = dir + u'/' + path;
        io::makeFolder(QFileInfo(file).absolutePath());
        io::writeFileAtomically(file, bytes, io::FileSync::LeaveToSystem);
    }
}

} // namespace

QSet<QString> javaIdentifiers(const QByteArray& source)
{
    const std::u16string text = decodeEscapes(source);
    QSet<QString> names;
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const char16_t c = text[i];
        if (c == u'/' && i + 1 < n && text[i + 1] == u'/') {
            while (i < n && text[i] != u'\n' && text[i] != u'\r')
                ++i;
        } else if (c == u'/' && i + 1 < n && text[i + 1] == u'*') {
            const size_t end = text.find(u"*/", i + 2);
            i = end == std::u16string::npos ? n : end + 2;
        } else if (c == u'"' || c == u'\'') {
            for (++i; i < n && text[i] != c && text[i] != u'\n' && text[i] != u'\r'; ++i) {
                if (text[i] == u'\\')
                    ++i;
            }
            ++i;
        } else if (isIdentifierPart(c) && !(c >= u'0' && c <= u'9')) {
            const size_t start = i;
            while (i < n && isIdentifierPart(text[i]))
                ++i;
            names.insert(QString::fromStdU16String(text.substr(start, i - start)));
        } else if (c >= u'0' && c <= u'9') {
            // A number, with whatever letters it carries (0x1F, 10L), names nothing.
            while (i < n && isIdentifierPart(text[i]))
                ++i;
        } else {
            ++i;
        }
    }
    return names;
}

IncrementalCompile::IncrementalCompile(QString srcDir, QStringList files, QString apiJar, const QByteArray& compiler)
    : m_srcDir(std::move(srcDir)), m_files(std::move(files)), m_apiJar(std::move(apiJar))
{
    std::map<int, SourceGroup> byLevel;
    byLevel[0].level = 0;
    std::map<int, QSet<int>> names;
    for (const QString& file : m_files) {
        const std::optional<codegen::StageFile> stage = codegen::stageOfFile(file);
        const int level = stage ? stage->level : 0;
        SourceGroup& group = byLevel[level];
        group.level = level;
        group.files.append(file);
        group.contents.append(io::readWholeFile(m_srcDir + u'/' + file, kMaxSourceBytes));
        if (level != 0)
            names[level].insert(0);
        for (const QString& name : javaIdentifiers(group.contents.last())) {
            const std::optional<codegen::StageFile> named = codegen::stageOfFile(name + u".java"_s);
            if (named && named->level != level)
                names[level].insert(named->level);
        }
    }
    for (auto& [level, group] : byLevel)
        m_groups.push_back(std::move(group));

    // The options without their folders, which change from run to run and decide nothing.
    QStringList options = compilerArguments(m_apiJar, QString(), QString(), QString());
    options.replace(options.indexOf(u"-bootclasspath"_s) + 1, QString());
    const QByteArray base = QByteArray(kKeyVersion) + '\n' + compiler + '\n' + options.join(u'\n').toUtf8() + '\n' +
                            sha256(io::readWholeFile(m_apiJar, kMaxApiBytes)).toHex() + '\n';
    for (SourceGroup& group : m_groups) {
        // Every group whose classes the group's classes could take anything from.
        QList<int> pending(names[group.level].begin(), names[group.level].end());
        while (!pending.isEmpty()) {
            const int level = pending.takeLast();
            if (level == group.level || group.reaches.contains(level) || !byLevel.count(level))
                continue;
            group.reaches.insert(level);
            pending += QList<int>(names[level].begin(), names[level].end());
        }
        QByteArray described = base + "group " + QByteArray::number(group.level) + '\n';
        for (const SourceGroup& other : m_groups) {
            if (other.level != group.level && !group.reaches.contains(other.level))
                continue;
            for (qsizetype k = 0; k < other.files.size(); ++k)
                described += other.files[k].toUtf8() + '\n' + QByteArray::number(other.contents[k].size()) + '\n' +
                             other.contents[k];
        }
        group.key = sha256(described);
    }
}

QStringList compilerArguments(const QString& apiJar, const QString& classPath, const QString& nothing,
                              const QString& output)
{
    return {
        // Class files a CLDC 1.1 phone verifies as they are: version 45.3 with StackMap attributes.
        u"-source"_s, u"1.3"_s, u"-target"_s, u"cldc1.1"_s,
        // A phone has only the MIDP 2.0 / CLDC 1.1 classes: nothing else is on the boot class path,
        // and the class path holds only classes we compiled (else it is an empty folder) and the
        // source path is an empty folder, so nothing the project folder or the current folder
        // holds is compiled in, and no annotation processor runs.
        u"-bootclasspath"_s, apiJar, u"-classpath"_s, classPath, u"-sourcepath"_s, nothing, u"-proc:none"_s,
        u"-encoding"_s, u"windows-1251"_s, u"-nowarn"_s, u"-Xemacs"_s, u"-maxProblems"_s, u"50"_s, u"-d"_s, output};
}

std::optional<std::vector<ClassFiles>> IncrementalCompile::split(const ClassFiles& classes) const
{
    std::vector<ClassFiles> byGroup(m_groups.size());
    for (const auto& [path, bytes] : classes) {
        // A.class and its nested A$B.class come from A.java.
        const QString topLevel = path.chopped(6).section(u'$', 0, 0) + u".java"_s;
        bool placed = false;
        for (size_t g = 0; g < m_groups.size() && !placed; ++g) {
            if (m_groups[g].files.contains(topLevel)) {
                byGroup[g][path] = bytes;
                placed = true;
            }
        }
        // A second class of one source, or one in a package: nothing tells
        // which group it is of, so none is kept.
        if (!placed)
            return std::nullopt;
    }
    return byGroup;
}

bool IncrementalCompile::sourcesUnchanged() const
{
    try {
        for (const SourceGroup& group : m_groups) {
            for (qsizetype k = 0; k < group.files.size(); ++k) {
                if (io::readWholeFile(m_srcDir + u'/' + group.files[k], kMaxSourceBytes) != group.contents[k])
                    return false;
            }
        }
    } catch (const io::Error&) {
        return false;
    }
    return true;
}

std::optional<ClassFiles> IncrementalCompile::compileOnly(const std::vector<size_t>& groups, const ClassFiles& runtime,
                                                          const QString& workDir, const Runner& compiler,
                                                          QStringList* compiled,
                                                          std::optional<CompilerRun>* failure) const
{
    static std::atomic<int> serial = 0;
    const QString run = workDir + u"/compile%1"_s.arg(++serial);
    const QString nothing = run + u"/nothing"_s;
    const QString classPath = runtime.empty() ? nothing : run + u"/runtime"_s;
    const QString output = run + u"/classes"_s;
    io::makeFolder(nothing);
    io::makeFolder(output);
    writeClasses(classPath, runtime);
    QStringList args = compilerArguments(m_apiJar, classPath, nothing, output);
    compiled->clear();
    for (const QString& file : m_files) {
        for (const size_t g : groups) {
            if (m_groups[g].files.contains(file)) {
                args.append(m_srcDir + u'/' + file);
                compiled->append(file);
            }
        }
    }
    const CompilerRun result = compiler(args);
    if (result.exitCode != 0) {
        *failure = result;
        return std::nullopt;
    }
    return readClasses(output);
}

IncrementalCompile::Outcome IncrementalCompile::run(const ClassCache& cache, const QString& workDir,
                                                    const Runner& compiler) const
{
    Outcome outcome;
    std::vector<std::optional<ClassFiles>> kept(m_groups.size());
    std::vector<size_t> missing;
    for (size_t g = 0; g < m_groups.size(); ++g) {
        kept[g] = cache.find(m_groups[g].key);
        if (!kept[g])
            missing.push_back(g);
    }

    // The stages that changed, compiled against the runtime's kept classes,
    // when they take nothing from another stage; else everything at once.
    std::optional<ClassFiles> compiled;
    if (!missing.empty() && kept[0]) {
        bool alone = true;
        for (const size_t g : missing)
            alone = alone && m_groups[g].reaches == QSet<int>{0};
        if (alone)
            compiled = compileOnly(missing, *kept[0], workDir, compiler, &outcome.compiled, &outcome.failure);
    }
    if (!missing.empty() && !compiled) {
        missing.clear();
        for (size_t g = 0; g < m_groups.size(); ++g)
            missing.push_back(g);
        outcome.failure.reset();
        compiled = compileOnly(missing, {}, workDir, compiler, &outcome.compiled, &outcome.failure);
        if (!compiled)
            return outcome;
    }

    if (compiled) {
        const std::optional<std::vector<ClassFiles>> byGroup = split(*compiled);
        if (byGroup && sourcesUnchanged()) {
            for (const size_t g : missing)
                cache.store(m_groups[g].key, (*byGroup)[g]);
        }
        outcome.classes = *compiled;
    }
    for (size_t g = 0; g < m_groups.size(); ++g) {
        if (kept[g] && (!compiled || std::find(missing.begin(), missing.end(), g) == missing.end()))
            outcome.classes.insert(kept[g]->begin(), kept[g]->end());
    }
    return outcome;
}

} // namespace kestrava::packaging
