#pragma once

#include "packaging/ClassCache.h"

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace kestrava::packaging {

// What a run of the compiler gave: its exit code and its messages (both streams).
struct CompilerRun {
    int exitCode = 0;
    QString output;
};

// The game's sources as they are compiled and kept: the runtime (every
// source that is no stage's) and one group per stage (Etap<n>.java).
// A stage's classes are compiled
// against the runtime's classes alone, unless its sources name another
// stage's classes.
struct SourceGroup {
    int level = 0; // 0 for the runtime
    QStringList files;
    QList<QByteArray> contents;
    // The groups its sources name (the runtime for every stage), and theirs in turn.
    QSet<int> reaches;
    // What its classes are compiled from: the compiler, its options, the
    // sources of the group and of every group it reaches.
    QByteArray key;
};

// The compiler's arguments for a game, before its sources: class files for
// CLDC 1.1 against apiJar alone, with classPath (classes we compiled, else an
// empty folder) and an empty folder as the source path, no annotation
// processing, into output.
QStringList compilerArguments(const QString& apiJar, const QString& classPath, const QString& nothing,
                              const QString& output);

// The identifiers of a Java source as the compiler reads them: unicode
// escapes decoded, comments and string and character literals left out.
QSet<QString> javaIdentifiers(const QByteArray& source);

// Compiles the sources of a game, only those whose classes the cache lacks,
// and puts the jar's classes together from the cache and the new ones; the
// classes are those compiling everything at once gives. A compile that
// fails is done again with every source, so its messages are those of a
// whole compile.
class IncrementalCompile {
public:
    // Runs the compiler with these arguments (options, class path, output folder and sources).
    using Runner = std::function<CompilerRun(const QStringList& arguments)>;

    // files: the names of the sources in srcDir, in compile order; apiJar: the
    // MIDP 2.0 / CLDC 1.1 classes, the only boot class path; compiler: what
    // else decides the classes (which compiler, of which version).
    IncrementalCompile(QString srcDir, QStringList files, QString apiJar, const QByteArray& compiler);

    struct Outcome {
        ClassFiles classes;
        // The messages of a whole compile that failed; the classes are then empty.
        std::optional<CompilerRun> failure;
        // The sources given to the compiler the last time it ran; none when everything was kept.
        QStringList compiled;
    };
    // workDir: an empty folder of ours for the compiler's output and class path.
    Outcome run(const ClassCache& cache, const QString& workDir, const Runner& compiler) const;

    const std::vector<SourceGroup>& groups() const { return m_groups; }

private:
    std::optional<ClassFiles> compileOnly(const std::vector<size_t>& groups, const ClassFiles& runtime,
                                          const QString& workDir, const Runner& compiler, QStringList* compiled,
                                          std::optional<CompilerRun>* failure) const;
    // The compiled classes of each group, when every class belongs to one.
    std::optional<std::vector<ClassFiles>> split(const ClassFiles& classes) const;
    bool sourcesUnchanged() const;

    QString m_srcDir;
    QStringList m_files;
    QString m_apiJar;
    std::vector<SourceGroup> m_groups; // the runtime first, then the stages by level
};

} // namespace kestrava::packaging
