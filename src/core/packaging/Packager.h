#pragma once

#include "codegen/Converter.h"
#include "io/AppFolder.h"
#include "model/Project.h"
#include "packaging/BudgetReport.h"
#include "packaging/ClassCache.h"
#include "packaging/JavaTools.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace kestrava::packaging {

class StandbyJava;

// "Запуск" → "Собрать игру" and kestrava --package: converts the project,
// compiles its src folder with the Eclipse compiler (ecj) into CLDC 1.1
// class files against our MIDP 2.0 / CLDC 1.1 API classes as the boot class
// path (so any call a phone lacks is a compile error), only the sources whose
// classes no earlier packaging kept (IncrementalCompile), and writes
// bin/<name>.jar (the classes, the pictures and stage tables this conversion
// put into res and nothing else of it, a MIDlet manifest, an icon) and bin/<name>.jad (with
// the jar's size) into the project folder, <name> being the project folder's name. Both are written
// together, only once everything succeeded. Throws io::Error; a compiler
// error names the stage, event row and action a spliced fragment came from.
class Packager {
public:
    enum class Step { Convert = 1, Compile, Shrink, Archive };
    // The steps of a packaging, in order; Shrink only when shrinking.
    static QList<Step> steps(bool shrink);
    // The caption of a step for the progress dialog.
    static QString stepCaption(Step step);

    struct Result {
        QString jar;
        QString jad;
        QString name;
        // The game against its handset's budget.
        BudgetReport budget;
    };

    explicit Packager(const io::AppFolder& app);

    // Told of every step as it starts.
    void onStep(std::function<void(Step)> f) { m_onStep = std::move(f); }
    // "Уменьшить игру": the compiled classes go through ProGuard (-microedition),
    // which drops what the game never uses and gives short names to all but
    // the MIDlet and the stage classes, found by name.
    void setShrink(bool shrink) { m_shrink = shrink; }
    // A game over its handset's budget ("Настройки игры") is refused: an
    // io::Error naming what is over and by how much, the jar and jad not
    // written. Otherwise such a game is written and its report says so.
    void setStrictBudget(bool strict) { m_strictBudget = strict; }
    // Asked between steps and while a tool runs; true stops the packaging (an io::Error saying so).
    void cancelWhen(std::function<bool()> f) { m_cancelled = std::move(f); }
    // Compiles in this process kept running beside the editor when it can,
    // else (it died, it is not there) runs the compiler alone, as without it.
    void useStandby(StandbyJava* standby) { m_standby = standby; }

    Result run(const model::Project& project);

    // The sources the compiler was given by the last run, the last time it
    // ran; none when every class was kept from an earlier packaging.
    const QStringList& compiledSources() const { return m_compiled; }

    // The name of the game: the project folder's name.
    static QString gameName(const QString& projectDir);

    // The sources of srcDir the game is compiled from, sorted: every .java file
    // but what an earlier conversion left there: the stage classes of stages the
    // project no longer has, which would otherwise be played, and the classes
    // earlier versions wrote the stages' tables into.
    static QStringList gameSources(const QString& srcDir, int levelCount);

private:
    void step(Step s);
    // Where the game's files are, and the pictures and tables this conversion put into res.
    struct Folders {
        QString project, bin, res;
        QStringList resources;
        codegen::ConversionSummary summary;
    };
    // Everything after the conversion: compile, shrink, then write the jar and jad.
    Result archive(const model::Project& project, const Folders& folders, const GameCompiler& compiler,
                   const QString& shrinker);
    ClassFiles compile(const model::Project& project, const QString& srcDir, const QString& workDir,
                       const GameCompiler& compiler, QStringList* compiled);
    void shrink(const QString& workDir, const QString& classesDir, const QString& shrunkDir, const QString& shrinker);
    // Runs a tool in workDir, stopping it when cancelled; its output (both streams).
    QString runTool(const QString& program, const QStringList& arguments, const QString& workDir,
                    const QString& what, int* exitCode);

    const io::AppFolder& m_app;
    std::function<void(Step)> m_onStep;
    std::function<bool()> m_cancelled;
    StandbyJava* m_standby = nullptr;
    bool m_shrink = false;
    bool m_strictBudget = false;
    QStringList m_compiled;
};

} // namespace kestrava::packaging
