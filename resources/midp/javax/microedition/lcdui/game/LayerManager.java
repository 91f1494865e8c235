package javax.microedition.lcdui.game;

import javax.microedition.lcdui.Graphics;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public class LayerManager {
    public LayerManager() {
    }

    public void append(Layer l) {
        throw new RuntimeException();
    }

    public void insert(Layer l, int index) {
        throw new RuntimeException();
    }

    public Layer getLayerAt(int index) {
        throw new RuntimeException();
    }

    public int getSize() {
        throw new RuntimeException();
    }

    public void remove(Layer l) {
        throw new RuntimeException();
    }

    public void paint(Graphics g, int x, int y) {
        throw new RuntimeException();
    }

    public void setViewWindow(int x, int y, int width, int height) {
        throw new RuntimeException();
    }
}
