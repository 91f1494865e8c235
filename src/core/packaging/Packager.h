#pragma once

#include "io/AppFolder.h"
#include "model/Project.h"

#include <QString>

#include <functional>

namespace kestrava::packaging {

// "Запуск" → "Собрать игру" and kestrava --package: converts the project,
// compiles its src folder with the machine's javac against our MIDP 2.0 /
// CLDC 1.1 API classes as the boot class path (so any call a phone lacks is
// a compile error), and writes bin/<name>.jar (the classes, every file of
// res, a MIDlet manifest) and bin/<name>.jad (with the jar's size) into the
// project folder, <name> being the project folder's name. Both are written
// together, only once everything succeeded. Throws io::Error; a compiler
// error names the stage, event row and action a spliced fragment came from.
class Packager {
public:
    enum class Step { Convert = 1, Compile, Archive };
    static constexpr int kSteps = 3;
    // The caption of a step for the progress dialog.
    static QString stepCaption(Step step);

    struct Result {
        QString jar;
        QString jad;
        QString name;
    };

    explicit Packager(const io::AppFolder& app);

    // Told of every step as it starts.
    void onStep(std::function<void(Step)> f) { m_onStep = std::move(f); }
    // Asked between steps and while javac runs; true stops the packaging (an io::Error saying so).
    void cancelWhen(std::function<bool()> f) { m_cancelled = std::move(f); }

    Result run(const model::Project& project);

    // The name of the game: the project folder's name.
    static QString gameName(const QString& projectDir);

    // The sources of srcDir the game is compiled from, sorted: every .java file
    // but the stage classes of stages the project no longer has, which an
    // earlier conversion left there and which would otherwise be played.
    static QStringList gameSources(const QString& srcDir, int levelCount);

private:
    void step(Step s);
    // Everything after the conversion: compile, then write the jar and jad.
    Result archive(const model::Project& project, const QString& projectDir, const QString& binDir,
                   const QString& javac);
    void compile(const model::Project& project, const QString& srcDir, const QString& classesDir,
                 const QString& javacPath);

    const io::AppFolder& m_app;
    std::function<void(Step)> m_onStep;
    std::function<bool()> m_cancelled;
};

} // namespace kestrava::packaging
