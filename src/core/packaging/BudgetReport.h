#pragma once

#include "codegen/Converter.h"
#include "model/Project.h"
#include "packaging/JarArchive.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kestrava::packaging {

// What one stage of the game needs of the heap once it has started, as a
// phone would hold it: every distinct picture it loads decoded (width x
// height x 4 bytes), its tables (StageLoad::tableBytes) and the runtime (the
// canvas's screen buffer at the game's screen and the runtime's own).
struct StageHeap {
    int level = 0;
    qint64 pictures = 0;
    qint64 tables = 0;
    qint64 runtime = 0;
    QString largestPicture; // its name in the jar, empty for a stage with none
    qint64 largestPictureBytes = 0;
    qint64 total() const { return pictures + tables + runtime; }
};

// The game against the budget of its handset ("Настройки игры"): the jar's
// size and its parts, and each stage's heap. A stage loads only when the one
// before has let go of its own, so each stage is held to the whole heap.
struct BudgetReport {
    model::GameBudgetData budget;
    QString screen; // "экран 176 x 208", or "свой экран 200 x 300"
    qint64 jar = 0;
    // What the jar's bytes are: pictures, the stages' tables, their classes
    // (the event sheets) and the runtime (the other classes, the manifest).
    qint64 jarPictures = 0;
    qint64 jarTables = 0;
    qint64 jarStageClasses = 0;
    qint64 jarRuntime = 0;
    std::vector<StageHeap> stages;

    // What is over the budget, each naming by how much; empty when the game fits.
    QStringList overs() const;
    // The report a line each: the jar and its largest parts, every stage's
    // heap and its largest parts, each against the budget.
    QStringList lines() const;
};

// The heap the runtime takes besides the canvas's screen buffer, as our
// player measures it on the example games.
inline constexpr qint64 kRuntimeHeapBytes = 48 * 1024;

// The report of a game packaged from project: summary is its conversion's,
// entries and entryBytes the jar's entries and what each takes of it
// (jarArchive), jarBytes the jar's size.
BudgetReport budgetReport(const model::Project& project, const codegen::ConversionSummary& summary,
                          const std::vector<JarEntry>& entries, const std::vector<qint64>& entryBytes, qint64 jarBytes);

} // namespace kestrava::packaging
