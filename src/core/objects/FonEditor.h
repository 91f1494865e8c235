#pragma once

#include "undo/History.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QUndoStack>

#include <optional>
#include <vector>

namespace kestrava::io { class AppFolder; }

namespace kestrava::objects {

// The background object editor (BackgroundEditorWindow) without its window: the tile
// sheet and its cut, the palette, the map store with its grid, the author's
// edits of the map as undo steps of its own stack, and saving and opening
// the .obf. The window shows what it holds (objects/FonPictures.h paints it)
// and forwards input.
class FonEditor : public QObject {
    Q_OBJECT
public:
    static constexpr int kMaxTiles = 20;      // "количество кадров", either way
    static constexpr int kDefaultTiles = 5;
    static constexpr int kUncutCell = 10;     // cell size of the grid before the first cut
    static constexpr int kPaletteRows = 15;
    static constexpr int kPaletteColumns = 5; // shown at least, tiles or not
    static constexpr int kPaletteCell = 15;

    explicit FonEditor(const io::AppFolder& app, QObject* parent = nullptr);

    const io::AppFolder& app() const { return m_app; }

    // --- the tile sheet ---
    bool pictureLoaded() const { return !m_picture.isNull(); }
    const QImage& picture() const { return m_picture; }
    // Its drawing copy: every picture of the editor is painted from it.
    const QImage& bitmap() const { return m_bitmap; }
    // "загрузить изображение": decodes the PNG and cuts it. A file that is
    // not a readable PNG changes nothing. Until the author set the counts
    // they follow the sheet's square tiles (16, 32, 8 or 24 pixels) where
    // they cut it evenly; when the picture is too small for the counts they are lowered to
    // what it can hold.
    void loadPicture(const QString& path);

    int tilesAcross() const { return m_across; }
    int tilesDown() const { return m_down; }
    // The "количество кадров" boxes: the counts change and the sheet is cut
    // again. Refused (an io::Error, nothing changed) outside 1..kMaxTiles or
    // when a tile would come out narrower or lower than one pixel.
    void setTiles(int across, int down);
    // Cuts the sheet into the tile table and lays the palette; does nothing
    // before a picture is loaded. The map store is kept.
    void cutSheet();

    // The cell size of the map grid: the tile size of the last cut.
    int tileWidth() const { return m_tileWidth; }
    int tileHeight() const { return m_tileHeight; }
    int tileCount() const { return int(m_tiles.size()) - 1; }
    // Tile k's rectangle in the picture; empty for 0 and numbers without a tile.
    QRect tileRect(int tile) const;

    // --- the palette ---
    // Tiles lie column by column, kPaletteRows to a column; the palette
    // scrolls, so there may be more columns than kPaletteColumns.
    int paletteColumns() const;
    // The tile shown in a palette cell; 0 for a cell without one.
    int paletteTile(int column, int row) const;
    // A click on a palette cell (pixels of the palette): selects its tile,
    // or with solidMarking() marks or unmarks it as solid.
    void paletteClicked(QPoint pixel);
    int selectedTile() const { return m_selected; }

    // "Непроходимые плитки": while on, palette clicks mark tiles instead of selecting them.
    void setSolidMarking(bool on) { m_solidMarking = on; }
    bool solidMarking() const { return m_solidMarking; }
    // Tiles that block movement in the game (ascending); none marked means
    // every cell of an obstacle background blocks.
    const std::vector<int>& solidTiles() const { return m_solid; }
    bool isSolid(int tile) const;
    // Marks or unmarks one tile, as one undo step.
    void toggleSolid(int tile);

    // --- the map ---
    int mapColumns() const { return m_columns; }
    int mapRows() const { return m_rows; }
    // The "количество ячеек" boxes; each 1..kMaxMapColumns / kMaxMapRows
    // (what the project can import). Cells outside the grid keep their tiles
    // and show again when it grows; only cells inside it are saved.
    void setMapSize(int columns, int rows);
    // The map grid in pixels.
    QSize gridSize() const { return {m_columns * m_tileWidth, m_rows * m_tileHeight}; }
    // The cell (column, row, 0-based) under a grid pixel; none outside the grid.
    std::optional<QPoint> cellAt(QPoint pixel) const;
    // The grid pixels of a range of cells.
    QRect cellPixels(const QRect& cells) const;
    // The map store; 0 = empty. Cells outside the store read 0.
    int cell(int column, int row) const;

    // A click on a cell: a cell holding the selected tile is emptied, any
    // other takes the selected tile. One undo step.
    void toggle(int column, int row);

    // What the left button does on the grid.
    enum class Brush {
        Pencil,    // a click toggles a cell, a stroke paints the selected tile
        Eraser,    // a click or a stroke empties cells
        Rectangle, // pressed on one corner, released on the other: the cells between take the selected tile
        Fill,      // a click fills the connected cells that hold the clicked cell's tile
    };
    void setBrush(Brush brush);
    Brush brush() const { return m_brush; }

    // The left button on the grid. With the pencil or the eraser, pressed
    // and released on one cell without leaving it is a click; moved on to
    // other cells while held, it paints every cell it crosses once, the
    // first one included. A stroke, a rectangle or a fill is one undo step.
    void pressed(QPoint pixel);
    void pointerMoved(QPoint pixel);
    void released(QPoint pixel);
    bool stroking() const { return m_press.has_value(); }
    // The rectangle the button is dragging out (cells); none otherwise.
    std::optional<QRect> pendingRectangle() const;

    // Alt+click or the right button: the tile under the pointer is selected.
    void pickAt(QPoint pixel);
    // The cells between two corner cells (either way round), within the
    // grid, take the selected tile.
    void fillRectangle(QPoint corner, QPoint opposite);
    // The cells joined to (column, row) side by side that hold its tile
    // take the selected one; the grid's edge bounds them.
    void floodFill(int column, int row);
    // "очистить поле": every cell of the grid emptied, as one undo step.
    void clear();

    undo::History& history() { return m_history; }
    QUndoStack& undoStack() { return m_history.stack(); }

    // --- files ---
    // "Сохранить": writes path (the .obf), and base.png (the sheet as cut),
    // base.bmp (the preview) and base.solid.json (the solid tiles) into the
    // program's objects folder, all built first and written together. Refused before a picture is
    // loaded. The author's work is then saved (isModified() false).
    void save(const QString& path);
    // Refuses (an io::Error) what save() would refuse whatever the file:
    // there is no picture yet.
    void checkSavable() const;
    // "Открыть": reads an .obf and its tile sheet from the program's objects
    // folder; the whole state is replaced only when all of it was read. The
    // editor's history starts anew.
    void open(const QString& path);
    // Something was changed since the last save or open.
    bool isModified() const { return m_history.isModified(); }

    // The sheet as it is saved: exactly tilesAcross x tilesDown tiles, so
    // the level editor and the game cut it as the editor did; pixels past
    // the last tile are dropped and a short edge is padded transparent.
    QImage sheetAsCut() const;

    // A cell and the tile it holds.
    struct CellTile {
        int column = 0;
        int row = 0;
        int tile = 0;
        bool operator==(const CellTile&) const = default;
    };
    // Sets cells without an undo step (the undo steps themselves).
    void showCells(const std::vector<CellTile>& cells);
    // Sets the solid tiles without an undo step.
    void showSolid(const std::vector<int>& tiles);

signals:
    // Cells (column, row ranges) whose tiles changed.
    void cellsChanged(QRect cells);
    // The cut, the picture or the whole state changed.
    void sheetChanged();
    // The cell counts changed (the cut did not).
    void gridResized();
    void selectionChanged();

private:
    struct CellChange {
        int column = 0;
        int row = 0;
        int before = 0;
        int after = 0;
    };
    void setCellsAsStep(std::vector<CellChange> changes, const QString& text, int stroke);
    void paintCrossed(QPoint from, QPoint to, int tile);
    int strokeTile() const { return m_brush == Brush::Eraser ? 0 : m_selected; }
    void cut(int across, int down);
    // Any change is unsaved work until the next save, also one undone again.
    void touch() { m_history.markModified(); }

    const io::AppFolder& m_app;
    QImage m_picture;                    // as decoded: what is saved
    QImage m_bitmap;
    int m_across = kDefaultTiles;
    int m_down = kDefaultTiles;
    // The author set the counts: a new sheet is cut by them, not by a guess.
    bool m_countsChosen = false;
    std::vector<int> m_solid;
    bool m_solidMarking = false;
    int m_tileWidth = kUncutCell;
    int m_tileHeight = kUncutCell;
    std::vector<QRect> m_tiles{QRect()}; // the tile table; entry 0 is no tile
    int m_selected = 0;
    int m_columns = 1;
    int m_rows = 1;
    std::vector<int> m_store;            // kMaxMapColumns x kMaxMapRows, row by row
    undo::History m_history;

    // The left button's way over the grid.
    std::optional<QPoint> m_press;       // the cell it went down on
    std::optional<QPoint> m_last;        // the cell it was last seen over
    bool m_painting = false;             // it left the first cell: a stroke
    std::vector<bool> m_crossed;         // cells this stroke painted
    int m_stroke = 0;                    // serial of the stroke, for merging
    Brush m_brush = Brush::Pencil;
};

} // namespace kestrava::objects
