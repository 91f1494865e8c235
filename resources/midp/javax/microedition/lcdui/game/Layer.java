package javax.microedition.lcdui.game;

import javax.microedition.lcdui.Graphics;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public abstract class Layer {
    Layer() {
    }

    public void setPosition(int x, int y) {
        throw new RuntimeException();
    }

    public void move(int dx, int dy) {
        throw new RuntimeException();
    }

    public final int getX() {
        throw new RuntimeException();
    }

    public final int getY() {
        throw new RuntimeException();
    }

    public final int getWidth() {
        throw new RuntimeException();
    }

    public final int getHeight() {
        throw new RuntimeException();
    }

    public void setVisible(boolean visible) {
        throw new RuntimeException();
    }

    public final boolean isVisible() {
        throw new RuntimeException();
    }

    public abstract void paint(Graphics g);
}
