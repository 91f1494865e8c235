#pragma once

#include "level/LevelCommands.h"
#include "level/MapRenderer.h"
#include "model/ObjectKind.h"
#include "model/Project.h"

#include <QPoint>
#include <QString>

#include <array>
#include <initializer_list>
#include <optional>
#include <variant>
#include <vector>

class QPainter;

namespace kestrava::media { class PictureSource; }

namespace kestrava::level {

struct ToolContext;

// The pop-up menu a right click on the map asks for.
enum class ContextMenu { None, Background, Active };

// Which gesture looks for the object under the pointer: a press takes what
// it will drag, a release selects.
enum class Touch { Press, Release };

// The kinds as the map stacks them (MapRenderer draws them in reverse), the top first.
inline constexpr std::array kDrawnOnTopFirst{model::ObjectKind::Text, model::ObjectKind::LivesBar,
                                             model::ObjectKind::Active, model::ObjectKind::Background};
static_assert(model::namesEveryKindOnce(kDrawnOnTopFirst));

// What the stage kept under the marks was drawn from, besides picture
// files: one walk records it and a later walk compares it.
class MapInputs {
public:
    virtual ~MapInputs() = default;
    virtual void numbers(std::initializer_list<qint64> values) = 0;
    virtual void name(const QString& value) = 0;
    virtual void cells(const std::vector<int>& values) = 0;
};

// Where a kind paints: the map's painter and the renderer's pictures and
// tile maps.
struct MapCanvas {
    QPainter& painter;
    QRect bounds; // of the map picture
    const model::Project& project;
    int level;
    MapRenderer& renderer;
};

// The picture a picked icon shows while it follows the pointer.
struct IconPicture {
    QString name; // under which a problem with it is reported
    QString path;
    QPoint at;    // where a click would place it: the kind decides, as place() does
};

// Placed objects that are records of their own (backgrounds and sprites):
// placed and pasted under the next number, hidden by a delete, copied with
// the object file of their group.
class PlacedRecords {
public:
    using Record = PlaceObjectCommand::Record;
    virtual ~PlacedRecords() = default;

    // The number of the last one placed, as the stage counts them.
    virtual int count(const model::StageData& stage) const = 0;
    virtual void setCount(model::StageData& stage, int count) const = 0;
    virtual int capacity() const = 0;
    // In "уже 100 фоновых объектов".
    virtual QString countedAs() const = 0;
    virtual Record at(const model::StageData& stage, int number) const = 0;
    virtual void put(model::StageData& stage, int number, const Record& record) const = 0;
    // Not deleted.
    virtual bool shown(const model::StageData& stage, int number) const = 0;
    virtual void setShown(model::StageData& stage, int number, bool shown) const = 0;
    // The object file of the group of an existing object; empty when its group is unknown.
    virtual QString groupFile(const model::StageData& stage, int number) const = 0;
    // A copied record as a paste puts it on `stage`: moved by `offset` and
    // made one of that stage's group of groupFile (on its own stage its own
    // group when that is still of the file); or why it cannot be.
    virtual std::variant<Record, QString> pasted(const Record& copied, const QString& groupFile,
                                                 const model::StageData& stage, int level, QPoint offset,
                                                 bool ownStage) const = 0;
};

// Placed records kept in a table of the stage (`Table`) and counted by one
// of its fields (`Counter`), up to `Capacity`; a kind adds what its group decides.
template <class Placed, auto Table, auto Counter, int Capacity>
class TableRecords : public PlacedRecords {
public:
    int count(const model::StageData& s) const override { return s.*Counter; }
    void setCount(model::StageData& s, int n) const override { s.*Counter = n; }
    int capacity() const override { return Capacity; }
    Record at(const model::StageData& s, int number) const override { return (s.*Table).at(size_t(number)); }
    void put(model::StageData& s, int number, const Record& record) const override
    {
        (s.*Table).at(size_t(number)) = std::get<Placed>(record);
    }
    bool shown(const model::StageData& s, int number) const override { return (s.*Table).at(size_t(number)).Exists; }
    void setShown(model::StageData& s, int number, bool shown) const override
    {
        (s.*Table).at(size_t(number)).Exists = shown;
    }
};

// What one kind of object is on the level map. Each kind gives its own in
// level/kinds/<Kind>.cpp (kindOnMap<K>); a member it lacks leaves its class
// abstract and the build stops there.
class MapKind {
public:
    virtual ~MapKind() = default;

    // --- where its objects lie
    // How many the stage places by number (1..n); 0 for a kind without numbers.
    virtual int placedCount(const model::StageData& stage) const = 0;
    virtual bool exists(const model::StageData& stage, int index) const = 0;
    virtual QPoint position(const model::StageData& stage, int index) const = 0;
    virtual void moveTo(model::StageData& stage, int index, QPoint at) const = 0;
    // The full extent of an existing object; none for a kind never framed.
    virtual std::optional<SelectionRect> frame(const model::StageData& stage, int index) const = 0;
    // Placed records of their own; null for a kind that has none.
    virtual const PlacedRecords* records() const = 0;

    // --- the pointer
    // The object of the kind the map shows topmost at `at`.
    virtual std::optional<int> topmostAt(const model::StageData& stage, QPoint at) const = 0;
    // The last object of the kind a press takes or a release selects at `at`.
    virtual std::optional<int> touchedAt(const model::StageData& stage, QPoint at, Touch touch) const = 0;
    // The status line's words for an object under the pointer.
    virtual QString hoverText(const model::StageData& stage, int index) const = 0;
    virtual ContextMenu menu() const = 0;
    // Kept selected after a drag, and copied and deleted with the selection.
    virtual bool selectable() const = 0;

    // --- the object list
    // The kind's entries of the list (groups or text objects), 1..n.
    virtual int listed(const model::StageData& stage) const = 0;
    virtual int listSlot(const model::StageData& stage, int tag) const = 0;
    // Its icon's picture; empty for none.
    virtual QString listPicture(const model::Project& project, const model::StageData& stage, int tag,
                                media::PictureSource& pictures) const = 0;
    // The object file entry `tag` was loaded from, for "Обновить"; empty when it keeps none.
    virtual QString listedFile(const model::StageData& stage, int tag) const = 0;

    // --- placing a picked icon
    // A click places entry `tag` at the pointer; false when refused (the
    // icon stays picked and the context says why).
    virtual bool place(ToolContext& context, int tag) const = 0;
    virtual std::optional<IconPicture> pickedPicture(const ToolContext& context, int tag) const = 0;
    // A group places an object a click, so its icon stays picked; a stage's
    // one lives bar or a text's one position is placed once and drops it.
    virtual bool pickStaysAfterPlacing() const = 0;

    // --- painting
    // Drawn into the stage kept under the editor's marks, or over the marks on every redraw.
    virtual bool drawnUnderTheMarks() const = 0;
    // What its drawing under the marks depends on besides picture files.
    virtual void feedInputs(const model::StageData& stage, MapInputs& to) const = 0;
    virtual void paint(MapCanvas& canvas) const = 0;
};

// The kinds on the map, each defined in level/kinds/<Kind>.cpp. A kind not
// declared here is a deleted function; one declared without its file, the linker's error.
template <model::ObjectKind K>
const MapKind& kindOnMap() = delete;
template <> const MapKind& kindOnMap<model::ObjectKind::Background>();
template <> const MapKind& kindOnMap<model::ObjectKind::Active>();
template <> const MapKind& kindOnMap<model::ObjectKind::LivesBar>();
template <> const MapKind& kindOnMap<model::ObjectKind::Text>();

const MapKind& onMap(model::ObjectKind kind);

} // namespace kestrava::level
