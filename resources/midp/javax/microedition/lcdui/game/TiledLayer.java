package javax.microedition.lcdui.game;

import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public class TiledLayer extends Layer {
    public TiledLayer(int columns, int rows, Image image, int tileWidth, int tileHeight) {
        throw new RuntimeException();
    }

    public int createAnimatedTile(int staticTileIndex) {
        throw new RuntimeException();
    }

    public void setAnimatedTile(int animatedTileIndex, int staticTileIndex) {
        throw new RuntimeException();
    }

    public int getAnimatedTile(int animatedTileIndex) {
        throw new RuntimeException();
    }

    public void setCell(int col, int row, int tileIndex) {
        throw new RuntimeException();
    }

    public int getCell(int col, int row) {
        throw new RuntimeException();
    }

    public void fillCells(int col, int row, int numCols, int numRows, int tileIndex) {
        throw new RuntimeException();
    }

    public final int getCellWidth() {
        throw new RuntimeException();
    }

    public final int getCellHeight() {
        throw new RuntimeException();
    }

    public final int getColumns() {
        throw new RuntimeException();
    }

    public final int getRows() {
        throw new RuntimeException();
    }

    public void setStaticTileSet(Image image, int tileWidth, int tileHeight) {
        throw new RuntimeException();
    }

    public final void paint(Graphics g) {
        throw new RuntimeException();
    }
}
