package javax.microedition.lcdui.game;

import java.util.ArrayList;
import java.util.List;

import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

/** A grid of cells, each showing a tile of one picture (or an animated tile, or nothing). */
public class TiledLayer extends Layer {
    private final int columns;
    private final int rows;
    private final int[][] cells;
    private Image image;
    private int tileWidth;
    private int tileHeight;
    private int tileCount;
    private final List<Integer> animated = new ArrayList<>();

    public TiledLayer(int columns, int rows, Image image, int tileWidth, int tileHeight) {
        if (columns < 1 || rows < 1) {
            throw new IllegalArgumentException("tiled layer of " + columns + " x " + rows);
        }
        this.columns = columns;
        this.rows = rows;
        this.cells = new int[rows][columns];
        setTiles(image, tileWidth, tileHeight);
    }

    private void setTiles(Image image, int tileWidth, int tileHeight) {
        if (image == null) {
            throw new NullPointerException();
        }
        if (tileWidth < 1 || tileHeight < 1 || image.getWidth() % tileWidth != 0
                || image.getHeight() % tileHeight != 0) {
            throw new IllegalArgumentException("tiles of " + tileWidth + " x " + tileHeight);
        }
        this.image = image;
        this.tileWidth = tileWidth;
        this.tileHeight = tileHeight;
        this.tileCount = (image.getWidth() / tileWidth) * (image.getHeight() / tileHeight);
        width = columns * tileWidth;
        height = rows * tileHeight;
    }

    public int createAnimatedTile(int staticTileIndex) {
        checkStatic(staticTileIndex);
        animated.add(staticTileIndex);
        return -animated.size();
    }

    public void setAnimatedTile(int animatedTileIndex, int staticTileIndex) {
        checkStatic(staticTileIndex);
        animated.set(animatedIndex(animatedTileIndex), staticTileIndex);
    }

    public int getAnimatedTile(int animatedTileIndex) {
        return animated.get(animatedIndex(animatedTileIndex));
    }

    private int animatedIndex(int animatedTileIndex) {
        int i = -animatedTileIndex - 1;
        if (animatedTileIndex >= 0 || i >= animated.size()) {
            throw new IndexOutOfBoundsException("animated tile " + animatedTileIndex);
        }
        return i;
    }

    private void checkStatic(int index) {
        if (index < 0 || index > tileCount) {
            throw new IndexOutOfBoundsException("tile " + index);
        }
    }

    public void setCell(int col, int row, int tileIndex) {
        checkCell(col, row);
        if (tileIndex > tileCount || tileIndex < -animated.size()) {
            throw new IndexOutOfBoundsException("tile " + tileIndex);
        }
        cells[row][col] = tileIndex;
    }

    public int getCell(int col, int row) {
        checkCell(col, row);
        return cells[row][col];
    }

    private void checkCell(int col, int row) {
        if (col < 0 || row < 0 || col >= columns || row >= rows) {
            throw new IndexOutOfBoundsException("cell " + col + ", " + row);
        }
    }

    public void fillCells(int col, int row, int numCols, int numRows, int tileIndex) {
        if (numCols < 0 || numRows < 0) {
            throw new IllegalArgumentException();
        }
        for (int r = row; r < row + numRows; r++) {
            for (int c = col; c < col + numCols; c++) {
                setCell(c, r, tileIndex);
            }
        }
    }

    public final int getCellWidth() {
        return tileWidth;
    }

    public final int getCellHeight() {
        return tileHeight;
    }

    public final int getColumns() {
        return columns;
    }

    public final int getRows() {
        return rows;
    }

    public void setStaticTileSet(Image image, int tileWidth, int tileHeight) {
        int before = tileCount;
        setTiles(image, tileWidth, tileHeight);
        if (tileCount < before) {
            for (int[] row : cells) {
                java.util.Arrays.fill(row, 0);
            }
            animated.clear();
        }
    }

    /** The static tile a cell shows now, 0 for none. */
    int tileAt(int col, int row) {
        int t = cells[row][col];
        return t < 0 ? animated.get(-t - 1) : t;
    }

    Image image() {
        return image;
    }

    /** Where tile t (from 1) lies in the picture. */
    int tileX(int t) {
        return (t - 1) % (image.getWidth() / tileWidth) * tileWidth;
    }

    int tileY(int t) {
        return (t - 1) / (image.getWidth() / tileWidth) * tileHeight;
    }

    public final void paint(Graphics g) {
        if (!visible) {
            return;
        }
        int c0 = Math.max(0, (g.getClipX() - x) / tileWidth);
        int r0 = Math.max(0, (g.getClipY() - y) / tileHeight);
        int c1 = Math.min(columns - 1, (g.getClipX() + g.getClipWidth() - x) / tileWidth);
        int r1 = Math.min(rows - 1, (g.getClipY() + g.getClipHeight() - y) / tileHeight);
        for (int r = r0; r <= r1; r++) {
            for (int c = c0; c <= c1; c++) {
                int t = tileAt(c, r);
                if (t > 0) {
                    g.drawRegion(image, tileX(t), tileY(t), tileWidth, tileHeight, Sprite.TRANS_NONE,
                            x + c * tileWidth, y + r * tileHeight, Graphics.TOP | Graphics.LEFT);
                }
            }
        }
    }
}
