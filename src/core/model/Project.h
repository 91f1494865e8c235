#pragma once

#include "model/Capacities.h"
#include "model/GameBudget.h"
#include "model/GameValues.h"
#include "model/GameSuite.h"
#include "model/Sound.h"
#include "model/ScreenSize.h"
#include "model/Table.h"

#include <QList>
#include <QMap>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace kestrava::model {

// Where map cell [row][column] (both 1-based) of a columns x rows map lies in
// its row-by-row vector; -1 outside the map.
long long mapCellOffset(int columns, int rows, int row, int column);
// A map size the model can hold (0..100 each); std::out_of_range otherwise.
void checkMapSize(int columns, int rows);

// How the objects of an active group move; a file naming another number is refused.
enum class MovementType : int { NotSet = 0, EightWay = 1, Planned = 2, Static = 3, Platform = 4 };
inline constexpr int kMaxMovementType = 4;
// project.prg holds only the first four; a platform group is written there as
// keyboard movement (the extras file keeps its real type).
inline constexpr int kMaxFileMovementType = 3;
// The name of a type on its button ("Платформер"); empty for NotSet.
QString movementTypeName(MovementType type);

// How fast the objects of a keyboard or platform group move: hundredths of a
// pixel per tick (speeds) and per tick each tick (the rest). The defaults
// move as every game did before they existed: at the game's speed ("скорость"
// of the sheet), at full speed from the first tick, stopping dead.
struct MotionData {
    int Speed = 0;      // 0: the game's speed
    int Accel = 0;      // 0: full speed at once
    int Brake = 0;      // 0: stops at once
    int Gravity = 50;   // platform: added to the fall speed each tick
    int MaxFall = 800;  // platform: the largest fall speed
    int Jump = 600;     // platform: the upward speed a jump starts with

    bool operator==(const MotionData&) const = default;
};
// Each setting lies within 0..kMaxMotion (the largest fall speed from 1);
// 50 pixels a tick is faster than any screen is wide in a second.
inline constexpr int kMaxMotion = 5000;

// Background group: one tile map imported from an .obf file.
struct FonGroupData {
    QString FileName;
    QString BmpName;
    QString PngName;
    QString PictureName;
    int TileWidth = 0;
    int TileHeight = 0;
    int Columns = 0;
    int Rows = 0;
    int ListSlot = 0;
    int Index = 0;
    int Obstacle = 0;
    // Rows x Columns tile numbers, row by row; see cell().
    std::vector<int> Cells;
    // Tiles of the sheet that block movement (ascending); none: every cell of
    // an obstacle blocks. Read from beside the object file, never saved here.
    std::vector<int> SolidTiles;
    bool Loaded = false;

    // Tile number of map cell [row][column], both 1-based; 0 outside the map.
    int cell(int row, int column) const;
    void setCell(int row, int column, int tile);
    // Resizes the map to columns x rows cleared cells (within 100 x 100).
    void setMapSize(int columns, int rows);

    bool operator==(const FonGroupData&) const = default;
};

// Placed background object.
struct FonObjectData {
    QString Ref;
    int X = 0;
    int Y = 0;
    int Layer = 0;
    int Group = 0;
    QString FileName;
    int Width = 0;
    int Height = 0;
    bool Exists = false;

    bool operator==(const FonObjectData&) const = default;
};

// Active group: an animated sprite imported from an .oba file.
struct ActiveGroupData {
    QString FileName;
    QString BmpName;
    QString PngName;
    QString Caption;
    QString PictureName;
    int TileWidth = 0;
    int TileHeight = 0;
    int FrameCount = 0;
    int ListSlot = 0;
    int Index = 0;
    // [sequence position 1..6][direction 1..4][state 1..4]; 0 = empty.
    int Anim[kAnimPositions + 1][kAnimDirections + 1][kAnimStates + 1] = {};
    bool Loaded = false;

    bool operator==(const ActiveGroupData&) const = default;
};

struct PathPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const PathPoint&) const = default;
};

// Placed active object.
struct ActiveObjectData {
    QString Ref;
    int X = 0;
    int Y = 0;
    int Layer = 0;
    int GroupValue = 0;
    QString FileName;
    int Width = 0;
    int Height = 0;
    bool Exists = false;
    std::array<PathPoint, kMaxPathPoints + 1> Path{}; // 1-based
    int PathCount = 0;

    bool operator==(const ActiveObjectData&) const = default;
};

struct TextObjectData {
    int ListSlot = 0;
    // The six integers of the .obt file, in file order.
    int FontFace = 0;
    int FontSize = 0;
    int Bold = 0;
    int Italic = 0;
    int Underline = 0;
    int Colour = 0;
    int LineCount = 0;
    std::array<QString, kMaxTextLines + 1> Lines; // 1-based
    int X = 0;
    int Y = 0;

    bool operator==(const TextObjectData&) const = default;
};

struct LivesBarData {
    int X = 0;
    int Y = 0;
    QString BmpName;
    int Width = 0;
    int Height = 0;
    QString Direction; // "vert" or "gor"
    bool Present = false;

    bool operator==(const LivesBarData&) const = default;
};

// The catalogue item a condition or action was made from and the values it
// was filled with (keyed by the item's template tokens), so that its caption
// and Java can be made again and its dialog opened on them. An empty item:
// no record (older projects, other tools), the stored texts stand.
struct CatalogueRecord {
    QString item;
    QMap<QString, QString> values;

    bool isEmpty() const { return item.isEmpty(); }
    bool operator==(const CatalogueRecord&) const = default;
};

struct EventRowData {
    QString CondText;
    QString CondCode;
    std::array<QString, kMaxObjectRefs + 1> CondObjects;                          // 1-based
    std::array<QString, kMaxActions + 1> ActionText;                              // 1-based
    std::array<QString, kMaxActions + 1> ActionCode;                              // 1-based
    std::array<std::array<QString, kMaxObjectRefs + 1>, kMaxActions + 1> ActionObjects; // [1..20][1..5]
    QString Kind; // "event", "group", "comment" or empty
    std::array<int, 5> Extra{};
    // One record per condition joined into the row, or none when any of them
    // has none; one per action cell.
    QList<CatalogueRecord> CondRecord;
    std::array<CatalogueRecord, kMaxActions + 1> ActionRecord; // 1-based

    bool operator==(const EventRowData&) const = default;
};

// Everything one stage holds. Tables are allocated once, 1-based (entry 0
// unused).
struct StageData {
    int FonObjCount = 0;
    int FonGroupCount = 0;

    // The movement type of each active group, by its Index.
    std::array<MovementType, kMaxActiveGroups + 1> ActiveType{};
    // "Наибольшее число объектов на экране" of each active group, by its
    // Index: 1..kMaxMadeObjects, or 0 for kDefaultMadeObjects.
    std::array<int, kMaxActiveGroups + 1> MadeObjects{};
    // Speed, acceleration, braking and the platform's settings of each
    // active group, by its Index.
    std::array<MotionData, kMaxActiveGroups + 1> Motion{};
    int ActiveObjCount = 0;
    int ActiveGroupCount = 0;

    int TextCount = 0;

    int ListSlotCount = 0;

    Table<FonGroupData, kMaxFonGroups> FonGroup;
    Table<FonObjectData, kMaxFonObjects> FonObject;
    Table<ActiveGroupData, kMaxActiveGroups> ActiveGroup;
    Table<ActiveObjectData, kMaxActiveObjects> ActiveObject;
    Table<TextObjectData, kMaxTextObjects> TextObject;
    LivesBarData LivesBar;

    // Event sheet.
    int EventCurRow = 0;
    int EventCount = 0;
    int ActionCount = 0;
    Table<EventRowData, kMaxEventRows> EventRow;

    bool operator==(const StageData&) const = default;
};

// The level map's grid ("Вид"), one for the project: drawn over the map,
// and placed and dragged objects snapped to it.
struct LevelGridData {
    bool Shown = false;
    bool Snap = false;
    bool operator==(const LevelGridData&) const = default;
};

// The whole project in memory, as saved. The document owns the one instance
// the author edits (document::ProjectDocument).
class Project {
public:
    Project();

    // The folder that holds project.prg, objects, res and src; none until
    // "Новый" or "Открыть" chose one.
    std::optional<QString> ProjectDir;
    int CurLevel = 1;

    // Scenario editor fields.
    int LevelCount = 1;
    int SelLevel = 1;

    // The phone screen the game is made for ("Настройки игры"): the level
    // map's frame, the interface editor's preview, the player and the jad.
    ScreenSize GameScreen = kDefaultGameScreen;
    // Its vendor, version and description in the jad ("Настройки игры").
    GameSuiteData GameSuite;
    // The author's own handset budget for a screen of one's own ("Настройки
    // игры"); a handset screen has its own (model::gameBudget).
    std::optional<GameBudgetData> OwnBudget;
    LevelGridData LevelGrid;
    // The author's variables ("Переменные"), without the score, which every
    // game has; ids from 1, the next one given NextVariableId.
    QList<GameVariableData> Variables;
    int NextVariableId = 1;
    // The title screen ("Заставка"); none: the game starts on stage 1.
    std::optional<TitleScreenData> TitleScreen;
    // The project's sounds, by number ("Звуки проекта…"); the files in its sounds folder.
    std::vector<SoundData> Sounds;
    // "Экранные кнопки для сенсорных телефонов": a phone that reports a
    // touch screen gets a direction pad and a fire button drawn on the game.
    bool TouchButtons = false;

    // Stage L, 1..20; anything else is a programming error (std::out_of_range).
    StageData& stage(int level);
    const StageData& stage(int level) const;
    StageData& current() { return stage(CurLevel); }
    const StageData& current() const { return stage(CurLevel); }

    // True once "Новый" or "Открыть" chose a project folder.
    bool hasProjectDir() const { return ProjectDir.has_value(); }
    // A file or folder inside the project folder ("objects/a.bmp"); empty
    // without a project folder, so that nothing is ever read from "/objects".
    QString projectPath(const QString& relative) const;

    // Back to a fresh one-stage project: every table and count of every
    // stage, LevelCount, SelLevel, CurLevel and the project folder.
    void reset();

    // The slot rule: the stage's next list slot and the next index of the
    // kind. Each returns the new index and throws io::Error, changing
    // nothing, when the stage has no room left.
    int addFonGroup(int level);
    int addActiveGroup(int level);
    int addTextObject(int level);
    // Adds a stage ("новый уровень"); io::Error at 20 stages.
    int addLevel();

    bool operator==(const Project&) const = default;

private:
    std::vector<StageData> m_stages; // [1..20]
};

} // namespace kestrava::model
