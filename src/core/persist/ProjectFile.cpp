#include "persist/ProjectFile.h"

#include "io/AppFolder.h"
#include "io/Error.h"
#include "io/FileAccess.h"
#include "io/Staging.h"
#include "io/Paths.h"
#include "io/TextFile.h"
#include "model/ObjectKind.h"
#include "model/Project.h"
#include "objects/ReadChecks.h"
#include "objects/TextObjectFile.h"
#include "persist/ObjectImport.h"
#include "persist/ProjectExtras.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <functional>
#include <future>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::persist {
namespace {

const QString kHeaderNew = u"proekt"_s;
const QString kHeaderSaved = u"fdgdf"_s;

QString flag(bool value) { return value ? u"TRUE"_s : u"FALSE"_s; }

// A count as the model can hold it: the writer never writes past a table.
int bounded(int count, int max) { return std::clamp(count, 0, max); }

bool rowHoldsAction(const model::EventRowData& row)
{
    for (int m = 1; m <= model::kMaxActions; ++m)
        if (!row.ActionText[size_t(m)].isEmpty() || !row.ActionCode[size_t(m)].isEmpty())
            return true;
    return false;
}

// ActionCount counts placed actions, not rows; a row below it may still hold
// actions, and those must reach the file.
int actionRowsToWrite(const model::StageData& s)
{
    int rows = bounded(s.ActionCount, model::kMaxEventRows);
    for (int r = model::kMaxEventRows; r > rows; --r)
        if (rowHoldsAction(s.EventRow[size_t(r)])) {
            rows = r;
            break;
        }
    return rows;
}

template <class Placed>
void writePlaced(io::LineWriter& w, const Placed& o, int Placed::*group)
{
    w.text(o.Ref);
    w.integer(o.X);
    w.integer(o.Y);
    w.integer(o.Layer);
    w.integer(o.*group);
    w.text(o.FileName);
    w.integer(o.Width);
    w.integer(o.Height);
    w.text(flag(o.Exists));
}

// The sections of a stage in the project file, one per kind, in file order.
constexpr std::array kSectionOrder{model::ObjectKind::Background, model::ObjectKind::Active, model::ObjectKind::Text,
                                   model::ObjectKind::LivesBar};
static_assert(model::namesEveryKindOnce(kSectionOrder));

void writeBackgrounds(io::LineWriter& w, const model::StageData& s)
{
    const int fonGroups = bounded(s.FonGroupCount, model::kMaxFonGroups);
    const int fonObjects = bounded(s.FonObjCount, model::kMaxFonObjects);
    w.text(u"fon"_s);
    w.integer(fonGroups);
    w.integer(fonObjects);
    w.text(u"fon_gr"_s);
    for (int g = 1; g <= fonGroups; ++g) {
        const model::FonGroupData& group = s.FonGroup[size_t(g)];
        w.text(group.FileName);
        w.integer(group.Obstacle);
        w.integer(group.ListSlot);
    }
    w.text(u"fon_ob"_s);
    for (int i = 1; i <= fonObjects; ++i)
        writePlaced(w, s.FonObject[size_t(i)], &model::FonObjectData::Group);
}

void writeActives(io::LineWriter& w, const model::StageData& s)
{
    const int activeGroups = bounded(s.ActiveGroupCount, model::kMaxActiveGroups);
    const int activeObjects = bounded(s.ActiveObjCount, model::kMaxActiveObjects);
    w.text(u"active"_s);
    w.integer(activeObjects);
    w.integer(activeGroups);
    // One movement type per placed active object, as project files have
    // always held them.
    for (int i = 1; i <= activeObjects; ++i)
        w.integer(s.ActiveType[size_t(i)] == model::MovementType::Platform ? static_cast<int>(model::MovementType::EightWay)
                                                                        : static_cast<int>(s.ActiveType[size_t(i)]));
    w.text(u"active_gr"_s);
    for (int g = 1; g <= activeGroups; ++g) {
        const model::ActiveGroupData& group = s.ActiveGroup[size_t(g)];
        w.text(group.FileName);
        w.text(group.Caption);
        w.integer(group.ListSlot);
    }
    w.text(u"active_ob"_s);
    for (int i = 1; i <= activeObjects; ++i)
        writePlaced(w, s.ActiveObject[size_t(i)], &model::ActiveObjectData::GroupValue);
}

void writeTexts(io::LineWriter& w, const model::StageData& s, const QString& stage)
{
    const int texts = bounded(s.TextCount, model::kMaxTextObjects);
    w.text(u"text"_s);
    w.integer(texts);
    w.text(u"text_gr"_s);
    for (int t = 1; t <= texts; ++t) {
        const model::TextObjectData& o = s.TextObject[size_t(t)];
        const int lines = bounded(o.LineCount, model::kMaxTextLines);
        w.setPlace(u"%1, текстовый объект %2"_s.arg(stage).arg(t));
        w.integer(o.ListSlot);
        objects::writeTextStyle(w, o);
        w.integer(lines);
        for (int k = 1; k <= lines; ++k)
            w.text(o.Lines[size_t(k)]);
        w.integer(o.X);
        w.integer(o.Y);
    }
}

void writeStage(io::LineWriter& w, const model::StageData& s, int level)
{
    const QString stage = u"этап %1"_s.arg(level);
    w.setPlace(stage);
    const int events = bounded(s.EventCount, model::kMaxEventRows);
    const int actionRows = actionRowsToWrite(s);

    w.integer(bounded(s.ListSlotCount, model::kMaxListSlots));
    for (model::ObjectKind kind : kSectionOrder) {
        switch (kind) {
        case model::ObjectKind::Background: writeBackgrounds(w, s); break;
        case model::ObjectKind::Active: writeActives(w, s); break;
        case model::ObjectKind::Text: writeTexts(w, s, stage); break;
        case model::ObjectKind::LivesBar: break; // in the extras file
        }
    }

    w.setPlace(stage);
    w.text(u"events"_s);
    w.integer(events);
    for (int r = 1; r <= events; ++r) {
        const model::EventRowData& row = s.EventRow[size_t(r)];
        w.setPlace(u"%1, строка событий %2"_s.arg(stage).arg(r));
        w.text(row.CondCode);
        w.text(row.CondText);
        w.text(row.Kind);
    }
    w.setPlace(stage);
    w.text(u"action"_s);
    w.integer(actionRows);
    for (int r = 1; r <= actionRows; ++r) {
        const model::EventRowData& row = s.EventRow[size_t(r)];
        w.setPlace(u"%1, строка событий %2"_s.arg(stage).arg(r));
        for (int m = 1; m <= model::kMaxActions; ++m) {
            w.text(row.ActionCode[size_t(m)]);
            w.text(row.ActionText[size_t(m)]);
        }
    }
}

void writeProject(io::LineWriter& w, const model::Project& project, const QString& header)
{
    const int levels = std::clamp(project.LevelCount, 1, model::kMaxLevels);
    w.text(header);
    w.text(u"numb_level"_s);
    w.integer(levels);
    for (int level = 1; level <= levels; ++level)
        writeStage(w, project.stage(level), level);
}

void requireProjectDir(const model::Project& project, const QString& target)
{
    if (!project.hasProjectDir())
        throw io::Error(u"Проект ещё не создан: сначала выберите «Новый» или «Открыть»; файл «%1» не записан"_s
                            .arg(target));
}

// ---- reading ----

// The file is checked line by line against what the writer above produces:
// every keyword, flag and row kind is exactly its word and every reference
// names a group read before it. A damaged file is refused at the first line
// that differs, instead of being read out of step as another game.

// How the placed objects of one kind name their groups, for the checks and
// their messages.
struct GroupKind {
    QString refWhat;    // "ссылка на фоновую группу"
    QString numberWhat; // "номер фоновой группы"
    QString plural;     // "фоновых групп"
};

class ProjectReader {
public:
    // namesOnly: a first pass that only lists the groups' object files in
    // turn and reads none; the stage then holds groups without content.
    ProjectReader(model::Project& fresh, const io::AppFolder& app, const QString& path, const QByteArray& content,
                  std::vector<QString>* namesOnly = nullptr)
        : m_project(fresh), m_reader(path, content),
          m_importer(fresh, app, ObjectImporter::Copies::Later), m_namesOnly(namesOnly)
    {
    }

    // Reads the object files of every group on all threads before read()
    // imports them in turn: they are most of the time of opening a project.
    void readObjectsAhead(const io::AppFolder& app)
    {
        std::vector<QString> names;
        try {
            auto scratch = std::make_unique<model::Project>();
            scratch->ProjectDir = m_project.ProjectDir;
            ProjectReader first(*scratch, app, m_reader.path(), m_reader.content(), &names);
            first.read();
        } catch (const io::Error&) {
            // read() meets the same fault and words it; the names before it are still worth reading.
        }
        m_importer.readAhead(names);
    }

    void read()
    {
        io::LineReader& r = m_reader;
        const QString header = r.text();
        if (header != kHeaderNew && header != kHeaderSaved)
            r.fail(u"это не файл проекта: ожидалось «%1» или «%2», а в строке «%3»"_s.arg(kHeaderNew, kHeaderSaved,
                                                                                        io::excerpt(header)));
        keyword(u"numb_level"_s);
        m_project.LevelCount = objects::readInRange(r, 1, model::kMaxLevels, u"число этапов"_s);
        for (int level = 1; level <= m_project.LevelCount; ++level)
            readStage(level);
        r.expectEnd(u"после последнего этапа (их %1)"_s.arg(m_project.LevelCount));
        m_project.SelLevel = 1;
        m_project.CurLevel = 1;
        for (int level = 1; level <= m_project.LevelCount; ++level)
            m_project.stage(level).ListSlotCount = m_slotCounts[size_t(level)];
    }

    void copyObjects() { m_importer.copyPending(); }
    // What the imports had to say (an object taken from the project's own copy).
    const QStringList& notes() const { return m_importer.notes(); }

private:
    void keyword(const QString& expected)
    {
        const QString line = m_reader.text();
        if (line != expected)
            m_reader.fail(u"ожидалось «%1», а в строке «%2»"_s.arg(expected, io::excerpt(line)));
    }

    bool flag()
    {
        const QString line = m_reader.text();
        if (line == u"TRUE"_s)
            return true;
        if (line != u"FALSE"_s)
            m_reader.fail(u"ожидалось TRUE или FALSE, а в строке «%1»"_s.arg(io::excerpt(line)));
        return false;
    }

    // Rows the sheet never filled keep an empty kind.
    QString rowKind()
    {
        const QString kind = m_reader.text();
        if (!kind.isEmpty() && kind != u"event"_s && kind != u"group"_s && kind != u"comment"_s)
            m_reader.fail(u"вид строки событий: ожидалось «event», «group», «comment» или пустая строка, "
                          u"а в строке «%1»"_s.arg(io::excerpt(kind)));
        return kind;
    }

    int count(int max, const QString& what) { return objects::readBounded(m_reader, max, what); }

    int groupSlot() { return objects::readInRange(m_reader, 1, model::kMaxListSlots, u"номер значка группы в списке объектов"_s); }

    void requireGroup(int group, int groupCount, const QString& what, const GroupKind& kind)
    {
        if (group < 1 || group > groupCount)
            m_reader.fail(u"%1 %2: такой группы в этапе нет (%3 в этапе: %4)"_s.arg(
                what, QString::number(group), kind.plural, QString::number(groupCount)));
    }

    static constexpr int kPlacedLines = 9;
    // The nine lines of a placed object; background and active objects differ
    // only in the name of their group field. The level editor writes the
    // group's number into Ref as decimal text.
    template <class Placed>
    void readPlaced(Placed& o, int Placed::*group, int groupCount, const GroupKind& kind)
    {
        io::LineReader& r = m_reader;
        if (m_namesOnly) {
            for (int line = 0; line < kPlacedLines; ++line)
                r.skip();
            return;
        }
        o.Ref = r.text();
        int ref = 0;
        if (!io::parseInteger(o.Ref, &ref))
            r.fail(u"%1: ожидался номер группы, а в строке «%2»"_s.arg(kind.refWhat, io::excerpt(o.Ref)));
        requireGroup(ref, groupCount, kind.refWhat, kind);
        o.X = r.integer();
        o.Y = r.integer();
        o.Layer = r.integer();
        o.*group = r.integer();
        requireGroup(o.*group, groupCount, kind.numberWhat, kind);
        o.FileName = r.text();
        o.Width = r.integer();
        o.Height = r.integer();
        o.Exists = flag();
    }

    // Re-imports one group with its saved slot; returns its index.
    int importGroup(int level, const QString& name, int nameLine, int slot, model::ObjectKind kind)
    {
        model::StageData& s = m_project.stage(level);
        s.ListSlotCount = slot - 1;
        if (m_namesOnly) {
            m_namesOnly->push_back(name);
            switch (kind) {
            case model::ObjectKind::Background: return m_project.addFonGroup(level);
            case model::ObjectKind::Active: return m_project.addActiveGroup(level);
            case model::ObjectKind::LivesBar: // not a group of the project file
            case model::ObjectKind::Text:
                break;
            }
            throw std::logic_error("importGroup: not a group kind");
        }
        try {
            return m_importer.import(level, name, kind).index;
        } catch (const io::Error& e) {
            throw io::Error::atLine(m_reader.path(), nameLine,
                                    u"объект «%1» не загружен. %2"_s.arg(io::excerpt(name), e.message()));
        }
    }

    void readBackgrounds(int level)
    {
        io::LineReader& r = m_reader;
        model::StageData& s = m_project.stage(level);
        keyword(u"fon"_s);
        const int fonGroups = count(model::kMaxFonGroups, u"число фоновых групп"_s);
        s.FonObjCount = count(model::kMaxFonObjects, u"число размещённых фоновых объектов"_s);
        keyword(u"fon_gr"_s);
        for (int g = 1; g <= fonGroups; ++g) {
            const QString name = r.text();
            const int nameLine = r.lineNumber();
            const int obstacle = objects::readInRange(r, 0, 1, u"признак препятствия"_s);
            const int slot = groupSlot();
            const int index = importGroup(level, name, nameLine, slot, model::ObjectKind::Background);
            s.FonGroup[size_t(index)].Obstacle = obstacle;
        }
        keyword(u"fon_ob"_s);
        const GroupKind fon{u"ссылка на фоновую группу"_s, u"номер фоновой группы"_s, u"фоновых групп"_s};
        for (int i = 1; i <= s.FonObjCount; ++i)
            readPlaced(s.FonObject[size_t(i)], &model::FonObjectData::Group, s.FonGroupCount, fon);
    }

    void readActives(int level)
    {
        io::LineReader& r = m_reader;
        model::StageData& s = m_project.stage(level);
        keyword(u"active"_s);
        s.ActiveObjCount = count(model::kMaxActiveObjects, u"число размещённых активных объектов"_s);
        const int activeGroups = count(model::kMaxActiveGroups, u"число активных групп"_s);
        // One movement type per placed object (see MovementType).
        for (int i = 1; i <= s.ActiveObjCount; ++i)
            s.ActiveType[size_t(i)] =
                model::MovementType(objects::readInRange(r, 0, model::kMaxFileMovementType, u"тип движения"_s));
        keyword(u"active_gr"_s);
        for (int g = 1; g <= activeGroups; ++g) {
            const QString name = r.text();
            const int nameLine = r.lineNumber();
            const QString caption = r.text();
            const int slot = groupSlot();
            const int index = importGroup(level, name, nameLine, slot, model::ObjectKind::Active);
            s.ActiveGroup[size_t(index)].Caption = caption;
        }
        keyword(u"active_ob"_s);
        const GroupKind active{u"ссылка на активную группу"_s, u"номер активной группы"_s, u"активных групп"_s};
        for (int i = 1; i <= s.ActiveObjCount; ++i)
            readPlaced(s.ActiveObject[size_t(i)], &model::ActiveObjectData::GroupValue, s.ActiveGroupCount, active);
    }

    void readTexts(model::StageData& s)
    {
        io::LineReader& r = m_reader;
        keyword(u"text"_s);
        s.TextCount = count(model::kMaxTextObjects, u"число текстовых объектов"_s);
        keyword(u"text_gr"_s);
        for (int t = 1; t <= s.TextCount; ++t) {
            model::TextObjectData& o = s.TextObject[size_t(t)];
            o.ListSlot = objects::readInRange(r, 1, model::kMaxListSlots, u"номер значка текста в списке объектов"_s);
            objects::readTextStyle(r, o);
            o.LineCount = count(model::kMaxTextLines, u"число строк текста"_s);
            for (int k = 1; k <= o.LineCount; ++k)
                o.Lines[size_t(k)] = r.text();
            o.X = r.integer();
            o.Y = r.integer();
        }
    }

    void readStage(int level)
    {
        io::LineReader& r = m_reader;
        m_project.CurLevel = level;
        model::StageData& s = m_project.stage(level);
        m_slotCounts[size_t(level)] = count(model::kMaxListSlots, u"число значков в списке объектов"_s);

        for (model::ObjectKind kind : kSectionOrder) {
            switch (kind) {
            case model::ObjectKind::Background: readBackgrounds(level); break;
            case model::ObjectKind::Active: readActives(level); break;
            case model::ObjectKind::Text: readTexts(s); break;
            case model::ObjectKind::LivesBar: break; // in the extras file
            }
        }

        keyword(u"events"_s);
        s.EventCount = count(model::kMaxEventRows, u"число строк событий"_s);
        s.EventCurRow = s.EventCount;
        if (m_namesOnly) {
            skipEventSheet(s);
            return;
        }
        for (int row = 1; row <= s.EventCount; ++row) {
            model::EventRowData& e = s.EventRow[size_t(row)];
            e.CondCode = r.text();
            e.CondText = r.text();
            e.Kind = rowKind();
        }

        // May count more rows than "events": a row below them can hold actions.
        keyword(u"action"_s);
        s.ActionCount = count(model::kMaxEventRows, u"число строк с действиями"_s);
        for (int row = 1; row <= s.ActionCount; ++row) {
            model::EventRowData& e = s.EventRow[size_t(row)];
            for (int m = 1; m <= model::kMaxActions; ++m) {
                e.ActionCode[size_t(m)] = r.text();
                e.ActionText[size_t(m)] = r.text();
            }
        }
    }

    // The rows and actions of the sheet, unread: the first pass needs none of them.
    void skipEventSheet(model::StageData& s)
    {
        for (int line = 0; line < 3 * s.EventCount; ++line)
            m_reader.skip();
        keyword(u"action"_s);
        s.ActionCount = count(model::kMaxEventRows, u"число строк с действиями"_s);
        for (int line = 0; line < 2 * model::kMaxActions * s.ActionCount; ++line)
            m_reader.skip();
    }

    model::Project& m_project;
    io::LineReader m_reader;
    ObjectImporter m_importer;
    std::vector<QString>* m_namesOnly = nullptr;
    // Each stage's slot count as the file says; the re-imports use the
    // stage's own count meanwhile.
    std::array<int, model::kMaxLevels + 1> m_slotCounts{};
};

// The project file and its extras, both built before either is written; the
// project file is renamed into place first.
std::vector<io::FileBytes> withExtras(const model::Project& project, const io::LineWriter& w)
{
    const QString extras = extrasFileFor(w.path());
    return {{w.path(), w.bytes()}, {extras, extrasBytes(project, w.bytes(), extras)}};
}

} // namespace

QString projectFileIn(const QString& dir)
{
    return dir + u"/project.prg"_s;
}

QByteArray projectBytes(const model::Project& project, const QString& path)
{
    io::LineWriter w(path);
    writeProject(w, project, kHeaderSaved);
    return w.bytes();
}

void save(const model::Project& project, const QString& target)
{
    requireProjectDir(project, target);
    io::LineWriter w(target);
    writeProject(w, project, kHeaderSaved);
    io::writeFilesTogether(withExtras(project, w));
}

void save_project(model::Project& project, const QString& chosenFile)
{
    if (chosenFile.isEmpty())
        throw io::Error(u"Не выбран файл нового проекта; проект не создан"_s);
    const QFileInfo chosen(chosenFile);
    const QString dir = chosen.absolutePath();
    const QString file = projectFileIn(dir);
    // The dialog only asked about the name it was given; a project file of
    // the same folder must not be replaced behind the author's back.
    if (QFileInfo::exists(file) && chosen.absoluteFilePath() != QFileInfo(file).absoluteFilePath())
        throw io::Error::inFile(file, u"в папке «%1» уже есть проект; выберите для нового проекта другую папку"_s
                                          .arg(dir));

    io::LineWriter w(file);
    writeProject(w, project, kHeaderNew); // refuses unencodable text before anything is created
    const std::vector<io::FileBytes> files = withExtras(project, w);
    io::trustFolder(dir);
    for (const QString& sub : {u"objects"_s, u"res"_s, u"src"_s})
        io::makeFolder(dir + u'/' + sub);
    io::writeFilesTogether(files);
    project.ProjectDir = dir;
}

void readProject(model::Project& fresh, const io::AppFolder& app, const QString& path, const QByteArray& content)
{
    ProjectReader reader(fresh, app, path, content);
    reader.read();
}

namespace {

// load() from the project file's bytes; extras() reads the extras document for them.
QStringList loadFrom(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                     const QByteArray& content, std::function<ExtrasDocument()> readExtrasFile,
                     QStringList* extrasWarnings)
{
    auto fresh = std::make_unique<model::Project>();
    fresh->ProjectDir = QFileInfo(chosenFile).absolutePath();
    // The extras file is parsed on its own thread meanwhile; a fault in the
    // project file is still the one reported first.
    std::future<ExtrasDocument> extras = std::async(std::launch::async | std::launch::deferred, std::move(readExtrasFile));
    ProjectReader reader(*fresh, app, chosenFile, content);
    reader.readObjectsAhead(app);
    reader.read();
    QStringList warnings = reader.notes();
    const QStringList extrasNotes = applyExtras(*fresh, chosenFile, extras.get());
    warnings << extrasNotes;
    if (extrasWarnings)
        *extrasWarnings = extrasNotes;
    reader.copyObjects(); // last: a refused file leaves the project folder as it was
    project = std::move(*fresh);
    return warnings;
}

// The project folder of chosenFile, trusted and cleared of what a crash left.
void prepareFolderOf(const QString& chosenFile)
{
    const QString dir = QFileInfo(chosenFile).absolutePath();
    io::trustFolder(dir);
    // A save or conversion stopped by a crash is finished (or undone) first.
    io::finishInterruptedWrites(dir);
}

} // namespace

QStringList load(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                 QStringList* extrasWarnings)
{
    prepareFolderOf(chosenFile);
    // One read: the extras are checked against exactly the bytes parsed here.
    const QByteArray content = io::readWholeFile(chosenFile);
    const QString extrasFile = extrasFileFor(chosenFile);
    return loadFrom(project, app, chosenFile, content, [extrasFile, content] { return readExtras(extrasFile, content); },
                    extrasWarnings);
}

QStringList loadFromBytes(model::Project& project, const io::AppFolder& app, const QString& chosenFile,
                          const QByteArray& projectFileBytes, const QByteArray& extrasFileBytes)
{
    prepareFolderOf(chosenFile);
    const QString extrasFile = extrasFileFor(chosenFile);
    return loadFrom(project, app, chosenFile, projectFileBytes,
                    [extrasFile, projectFileBytes, extrasFileBytes] {
                        return extrasFromBytes(extrasFile, extrasFileBytes, projectFileBytes);
                    },
                    nullptr);
}

ProjectPreload::ProjectPreload(const io::AppFolder& app, QString file)
    : m_file(std::move(file)), m_project(std::make_unique<model::Project>())
{
    m_warnings = std::async(std::launch::async | std::launch::deferred,
                            [&app, file = m_file, project = m_project.get()] { return load(*project, app, file); });
}

bool ProjectPreload::ready() const
{
    // Run lazily (no thread could be had): take() reads it then.
    return m_warnings.wait_for(std::chrono::seconds(0)) != std::future_status::timeout;
}

ProjectPreload::~ProjectPreload()
{
    if (m_warnings.valid())
        m_warnings.wait(); // the thread still writes into m_project
}

QStringList ProjectPreload::take(model::Project& project)
{
    const QStringList warnings = m_warnings.get();
    project = std::move(*m_project);
    return warnings;
}

} // namespace kestrava::persist
