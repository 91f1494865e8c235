#include "packaging/BudgetReport.h"

#include "codegen/StageClass.h"
#include "model/ScreenChoice.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {
namespace {

qint64 kilobytes(qint64 bytes)
{
    return (bytes + 1023) / 1024;
}

QString kb(qint64 bytes)
{
    return u"%1 КБ"_s.arg(kilobytes(bytes));
}

struct Part {
    QString what;
    qint64 bytes = 0;
    QString note; // said after its size
};

// The parts, largest first, as "рисунки 12 КБ, среда игры 3 КБ"; parts of nothing left out.
QString parts(std::vector<Part> named)
{
    std::stable_sort(named.begin(), named.end(), [](const Part& a, const Part& b) { return a.bytes > b.bytes; });
    QStringList out;
    for (const Part& part : named)
        if (part.bytes > 0)
            out.append(part.what + u' ' + kb(part.bytes) + part.note);
    return out.join(u", "_s);
}

QString capitalised(const QString& text)
{
    return text.left(1).toUpper() + text.mid(1);
}

// "… при пределе 300 КБ: больше на 12 КБ" for a figure over its limit.
QString over(const QString& what, qint64 bytes, int limitKB)
{
    return u"%1 %2 при пределе %3 КБ: больше на %4 КБ"_s.arg(what, kb(bytes)).arg(limitKB).arg(
        kilobytes(bytes) - limitKB);
}

// Stage numbers as "2, 5–9".
QString stageNumbers(const std::vector<int>& levels)
{
    QStringList out;
    for (size_t k = 0; k < levels.size();) {
        size_t end = k;
        while (end + 1 < levels.size() && levels[end + 1] == levels[end] + 1)
            ++end;
        out.append(end > k ? u"%1–%2"_s.arg(levels[k]).arg(levels[end]) : QString::number(levels[k]));
        k = end + 1;
    }
    return out.join(u", "_s);
}

bool isStageClass(const QString& entry)
{
    // Etap3.class, and the classes nested in it.
    const QString top = entry.section(u'/', -1).section(u'$', 0, 0);
    return entry.endsWith(u".class"_s) && codegen::stageOfFile(top.section(u'.', 0, 0) + u".java"_s).has_value();
}

} // namespace

QStringList BudgetReport::overs() const
{
    QStringList result;
    if (kilobytes(jar) > budget.JarKB)
        result.append(over(u"архив игры"_s, jar, budget.JarKB));
    // The stages over it in one: the heaviest says by how much.
    std::vector<int> levels;
    const StageHeap* heaviest = nullptr;
    for (const StageHeap& stage : stages) {
        if (kilobytes(stage.total()) <= budget.HeapKB)
            continue;
        levels.push_back(stage.level);
        if (!heaviest || stage.total() > heaviest->total())
            heaviest = &stage;
    }
    if (levels.size() == 1)
        result.append(over(u"этапу %1 нужно памяти"_s.arg(heaviest->level), heaviest->total(), budget.HeapKB));
    else if (heaviest)
        result.append(over(u"этапам %1 нужно памяти до"_s.arg(stageNumbers(levels)), heaviest->total(), budget.HeapKB)
                      + u" (этапу %1)"_s.arg(heaviest->level));
    return result;
}

QStringList BudgetReport::lines() const
{
    QStringList out;
    out.append(u"%1: %2."_s.arg(capitalised(screen), model::budgetText(budget)));
    out.append(u"Архив игры: %1 из %2 КБ (%3)."_s.arg(kb(jar)).arg(budget.JarKB).arg(
        parts({{u"рисунки"_s, jarPictures, {}},
               {u"таблицы этапов"_s, jarTables, {}},
               {u"классы этапов"_s, jarStageClasses, {}},
               {u"среда игры"_s, jarRuntime, {}}})));
    for (const StageHeap& stage : stages) {
        const QString largest = stage.largestPicture.isEmpty()
                                    ? QString()
                                    : u" (больше всех «%1», %2)"_s.arg(stage.largestPicture, kb(stage.largestPictureBytes));
        out.append(u"Этап %1: память %2 из %3 КБ (%4)."_s.arg(stage.level).arg(kb(stage.total())).arg(budget.HeapKB).arg(
            parts({{u"рисунки"_s, stage.pictures, largest},
                   {u"данные этапа"_s, stage.tables, {}},
                   {u"среда игры"_s, stage.runtime, {}}})));
    }
    if (const QStringList o = overs(); !o.isEmpty())
        out.append(u"Не уложится в телефон (%1): %2."_s.arg(screen, o.join(u"; "_s)));
    return out;
}

BudgetReport budgetReport(const model::Project& project, const codegen::ConversionSummary& summary,
                          const std::vector<JarEntry>& entries, const std::vector<qint64>& entryBytes, qint64 jarBytes)
{
    BudgetReport report;
    const model::ScreenSize screen = project.GameScreen;
    report.budget = model::gameBudget(screen, project.OwnBudget);
    report.screen = (model::handsetBudget(screen) ? u"экран "_s : u"свой экран "_s) + model::sizeText(screen);
    report.jar = jarBytes;
    for (size_t k = 0; k < entries.size() && k < entryBytes.size(); ++k) {
        const QString& name = entries[k].name;
        if (name.endsWith(u".png"_s))
            report.jarPictures += entryBytes[k];
        else if (name.endsWith(u".dat"_s))
            report.jarTables += entryBytes[k];
        else if (isStageClass(name))
            report.jarStageClasses += entryBytes[k];
        else
            report.jarRuntime += entryBytes[k];
    }
    // The archive's end record is the runtime's too: everything is counted.
    qint64 counted = 0;
    for (const qint64 bytes : entryBytes)
        counted += bytes;
    report.jarRuntime += std::max<qint64>(0, jarBytes - counted);

    const qint64 runtime = kRuntimeHeapBytes + 4 * qint64(screen.width) * screen.height;
    for (const codegen::StageLoad& load : summary.stages) {
        StageHeap stage;
        stage.level = load.level;
        stage.tables = load.tableBytes;
        stage.runtime = runtime;
        for (const QString& picture : load.pictures) {
            const QSize size = summary.pictureSizes.value(picture);
            const qint64 bytes = size.isValid() ? 4 * qint64(size.width()) * size.height() : 0;
            stage.pictures += bytes;
            if (bytes > stage.largestPictureBytes) {
                stage.largestPictureBytes = bytes;
                stage.largestPicture = picture;
            }
        }
        report.stages.push_back(stage);
    }
    return report;
}

} // namespace kestrava::packaging
