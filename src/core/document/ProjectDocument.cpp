#include "document/ProjectDocument.h"

#include "catalogue/Records.h"
#include "catalogue/Variables.h"
#include "document/StageCommand.h"
#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "media/PlacedSizes.h"
#include "persist/NewProject.h"
#include "persist/ProjectFile.h"
#include "undo/Step.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::document {

ProjectDocument::ProjectDocument(const io::AppFolder& app, QObject* parent) : QObject(parent), m_app(app)
{
    connect(&m_history, &undo::History::modifiedChanged, this, &ProjectDocument::modifiedChanged);
}

QString ProjectDocument::displayName() const
{
    return m_project.ProjectDir ? QDir(*m_project.ProjectDir).dirName() : QString();
}

void ProjectDocument::replaced()
{
    m_history.clear(); // clean again, which the history announces itself
    emit projectReplaced();
}

void ProjectDocument::reset()
{
    m_project.reset();
    // The file belonged to the project just discarded; a cancelled
    // "Сохранить как ..." must not write the new one over it.
    m_target.clear();
    replaced();
}

void ProjectDocument::create(const QString& chosenFile)
{
    m_target.newProject(m_project, chosenFile);
    replaced();
}

void ProjectDocument::createNamed(const QString& parent, const QString& name)
{
    const QString dir = persist::newProjectFolder(parent, name);
    if (!QDir().mkdir(dir))
        throw io::Error(u"Папку проекта «%1» не удалось создать."_s.arg(QDir::toNativeSeparators(dir)));
    model::Project fresh;
    persist::SaveTarget target;
    try {
        target.newProject(fresh, persist::projectFileIn(dir));
    } catch (...) {
        // The folder was made just now: nothing of the author's is in it.
        QDir(dir).removeRecursively();
        throw;
    }
    m_project = std::move(fresh);
    m_target = target;
    replaced();
}

QStringList ProjectDocument::open(const QString& file, persist::ProjectPreload* preload)
{
    const QStringList warnings = m_target.openProject(m_project, m_app, file, preload);
    // Placed objects take the size of their pictures as they are now.
    media::measurePlacedObjects(m_project, m_pictures);
    replaced();
    return warnings;
}

QStringList ProjectDocument::openRecovered(const QString& file, const persist::RecoveryCopy& copy)
{
    const QStringList warnings = m_target.openRecovered(m_project, m_app, file, copy.projectFile, copy.extrasFile);
    media::measurePlacedObjects(m_project, m_pictures);
    replaced();
    m_history.markModified(); // what the copy holds is not saved yet
    return warnings;
}

void ProjectDocument::save()
{
    m_target.saveProject(m_project);
    m_history.setClean();
}

QString ProjectDocument::saveAs(const QString& chosenFile)
{
    const QString written = m_target.saveAs(m_project, chosenFile);
    if (!written.isEmpty())
        m_history.setClean();
    return written;
}

void ProjectDocument::selectLevel(int level)
{
    if (level < 1 || level > std::clamp(m_project.LevelCount, 1, model::kMaxLevels))
        return;
    const bool changed = m_project.CurLevel != level;
    m_project.SelLevel = level;
    m_project.CurLevel = level;
    if (changed)
        emit currentLevelChanged(level);
}

void ProjectDocument::notifyStages()
{
    const int count = std::clamp(m_project.LevelCount, 1, model::kMaxLevels);
    // The selected stage must exist: work on a stage beyond the count would never be saved.
    if (m_project.SelLevel > count || m_project.CurLevel > count)
        selectLevel(count);
    emit stagesChanged();
}

void ProjectDocument::addLevel()
{
    if (m_project.LevelCount >= model::kMaxLevels)
        throw io::Error(u"В проекте уже %1 этапов — больше добавить нельзя"_s.arg(model::kMaxLevels));
    push(new AddLevelCommand(*this));
}

namespace {

// "Настройки игры": the game's screen, what its jad says of it and the budget of a screen of one's own.
struct GameProperties {
    model::ScreenSize size;
    model::GameSuiteData suite;
    std::optional<model::GameBudgetData> budget;
    bool touchButtons = false;
    bool operator==(const GameProperties&) const = default;
};

} // namespace

void ProjectDocument::setGameProperties(model::ScreenSize size, const model::GameSuiteData& suite,
                                        std::optional<model::GameBudgetData> ownBudget,
                                        std::optional<bool> touchButtons)
{
    if (const QString problem = model::gameScreenProblem(size); !problem.isEmpty())
        throw io::Error(u"Настройки игры: "_s + problem);
    if (const QString problem = model::gameSuiteProblem(suite); !problem.isEmpty())
        throw io::Error(problem);
    if (ownBudget) {
        if (const QString problem = model::gameBudgetProblem(*ownBudget); !problem.isEmpty())
            throw io::Error(u"Настройки игры: "_s + problem);
    }
    // A handset screen has its own budget.
    if (model::handsetBudget(size))
        ownBudget.reset();
    const GameProperties now{m_project.GameScreen, m_project.GameSuite, m_project.OwnBudget, m_project.TouchButtons};
    const GameProperties chosen{size, suite, ownBudget, touchButtons.value_or(m_project.TouchButtons)};
    if (chosen != now)
        push(new undo::SnapshotStep<GameProperties>(u"свойства игры"_s, now, chosen, [this](const GameProperties& shown) {
            setGamePropertiesNow(shown.size, shown.suite, shown.budget, shown.touchButtons);
        }));
}

namespace {

// The variables and the stages whose rows show a renamed one's name, by their number.
struct VariablesState {
    QList<model::GameVariableData> variables;
    int next = 1;
    std::vector<std::pair<int, model::StageData>> stages;
    bool operator==(const VariablesState&) const = default;
};

// Rows made with a variable keep its name as chosen: a renamed one's rows show the new name.
void renameInRows(model::StageData& stage, const QList<model::GameVariableData>& variables)
{
    const auto renamed = [&](model::CatalogueRecord& record) {
        if (!record.values.contains(u"W"_s))
            return false;
        const int id = record.values.value(u"W"_s).toInt();
        for (const model::GameVariableData& v : variables)
            if (v.Id == id && record.values.value(u"WN"_s) != v.Name) {
                record.values[u"WN"_s] = v.Name;
                return true;
            }
        return false;
    };
    for (size_t r = 1; r <= size_t(model::kMaxEventRows); ++r) {
        const model::EventRowData& seen = std::as_const(stage.EventRow)[r];
        const auto names = [](const model::CatalogueRecord& record) { return record.values.contains(u"W"_s); };
        // Rows never written stay unallocated.
        if (std::none_of(seen.CondRecord.begin(), seen.CondRecord.end(), names)
            && std::none_of(seen.ActionRecord.begin(), seen.ActionRecord.end(), names))
            continue;
        model::EventRowData& row = stage.EventRow[r];
        bool any = false;
        for (model::CatalogueRecord& part : row.CondRecord)
            any = renamed(part) || any;
        for (size_t c = 1; c <= size_t(model::kMaxActions); ++c)
            if (renamed(row.ActionRecord[c]))
                catalogue::remakeActionTexts(row, int(c));
        if (any)
            catalogue::remakeConditionTexts(row);
    }
}

} // namespace

void ProjectDocument::setVariables(const QList<model::GameVariableData>& variables, int nextId)
{
    if (const QString problem = catalogue::variablesProblem(variables); !problem.isEmpty())
        throw io::Error(u"Переменные: "_s + problem);
    for (const model::GameVariableData& v : variables)
        if (v.Id >= nextId)
            throw io::Error(u"Переменные: номер %1 у «%2» не меньше следующего (%3)"_s.arg(v.Id).arg(v.Name).arg(nextId));
    VariablesState now{m_project.Variables, m_project.NextVariableId, {}};
    VariablesState chosen{variables, nextId, {}};
    for (int level = 1; level <= m_project.LevelCount; ++level) {
        model::StageData renamed = m_project.stage(level);
        renameInRows(renamed, variables);
        if (renamed != m_project.stage(level)) {
            now.stages.emplace_back(level, m_project.stage(level));
            chosen.stages.emplace_back(level, std::move(renamed));
        }
    }
    if (chosen == now)
        return;
    push(new undo::SnapshotStep<VariablesState>(u"переменные"_s, now, chosen, [this](const VariablesState& shown) {
        m_project.Variables = shown.variables;
        m_project.NextVariableId = shown.next;
        for (const auto& [level, stage] : shown.stages) {
            m_project.stage(level) = stage;
            emit eventsChanged(level);
        }
    }));
}

void ProjectDocument::setTitleScreen(const std::optional<model::TitleScreenData>& title)
{
    if (title) {
        if (const QString problem = model::titleScreenProblem(*title); !problem.isEmpty())
            throw io::Error(u"Заставка: "_s + problem);
    }
    if (title == m_project.TitleScreen)
        return;
    push(new undo::SnapshotStep<std::optional<model::TitleScreenData>>(
        u"заставка"_s, m_project.TitleScreen, title,
        [this](const std::optional<model::TitleScreenData>& shown) { m_project.TitleScreen = shown; }));
}

void ProjectDocument::setSounds(std::vector<model::SoundData> sounds, const QString& what)
{
    if (sounds == m_project.Sounds)
        return;
    push(new undo::SnapshotStep<std::vector<model::SoundData>>(what, m_project.Sounds, std::move(sounds),
                                                               [this](const std::vector<model::SoundData>& shown) {
                                                                   m_project.Sounds = shown;
                                                                   emit soundsChanged();
                                                               }));
}

void ProjectDocument::setGamePropertiesNow(model::ScreenSize size, const model::GameSuiteData& suite,
                                           const std::optional<model::GameBudgetData>& ownBudget, bool touchButtons)
{
    const bool screen = size != m_project.GameScreen;
    m_project.GameScreen = size;
    m_project.GameSuite = suite;
    m_project.OwnBudget = ownBudget;
    m_project.TouchButtons = touchButtons;
    if (screen)
        emit gameScreenChanged();
}

namespace {

// Runs an import on the model and keeps it as one undo step.
template <class Import>
persist::ImportedObject importAsStep(ProjectDocument& doc, const QString& name, Import import)
{
    model::Project& project = doc.edit();
    const int level = project.CurLevel;
    model::StageData before = project.stage(level);
    const persist::ImportedObject imported = import();
    // The import ran on the model; the command does it again, and undoes it.
    const model::StageData after = std::exchange(project.stage(level), std::move(before));
    doc.push(new ImportCommand(doc, level, u"загрузка объекта «%1»"_s.arg(name), project.stage(level), after,
                               imported));
    return imported;
}

} // namespace

persist::ImportedObject ProjectDocument::importObject(const QString& fileName)
{
    return importAsStep(*this, fileName, [&] { return persist::Load_object(m_project, m_app, fileName); });
}

persist::ImportedObject ProjectDocument::importChosenObject(const QString& path)
{
    return importAsStep(*this, io::fileNamePart(path),
                        [&] { return persist::loadChosenObject(m_project, m_app, path); });
}

void ProjectDocument::updateObject(const QString& chosenPath)
{
    const int level = m_project.CurLevel;
    persist::ObjectUpdate update = persist::readObjectUpdate(m_project, m_app, level, chosenPath);
    std::vector<UpdateObjectCommand::File> files;
    for (const io::FileBytes& f : update.files) {
        std::optional<QByteArray> before;
        if (QFileInfo::exists(f.path))
            before = io::readWholeFile(f.path, io::kMaxPictureFileBytes);
        files.push_back({f.path, std::move(before), f.bytes});
    }
    // Written before the step exists: a failure leaves the project as it was.
    io::makeFolder(m_project.projectPath(u"objects"_s));
    io::writeFilesTogether(update.files);
    push(new UpdateObjectCommand(*this, level, update.name, m_project.stage(level), std::move(update.stage),
                                 std::move(files)));
}

void ProjectDocument::push(QUndoCommand* command)
{
    m_history.push(command);
}

} // namespace kestrava::document
