package javax.microedition.lcdui.game;

import javax.microedition.lcdui.Graphics;

/** Something placed on the game's plane: a position, a size, visibility. */
public abstract class Layer {
    int x;
    int y;
    int width;
    int height;
    boolean visible = true;

    Layer() {
    }

    public void setPosition(int x, int y) {
        this.x = x;
        this.y = y;
    }

    public void move(int dx, int dy) {
        x += dx;
        y += dy;
    }

    public final int getX() {
        return x;
    }

    public final int getY() {
        return y;
    }

    public final int getWidth() {
        return width;
    }

    public final int getHeight() {
        return height;
    }

    public void setVisible(boolean visible) {
        this.visible = visible;
    }

    public final boolean isVisible() {
        return visible;
    }

    public abstract void paint(Graphics g);
}
