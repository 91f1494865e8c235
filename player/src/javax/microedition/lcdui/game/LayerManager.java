package javax.microedition.lcdui.game;

import java.util.ArrayList;
import java.util.List;

import javax.microedition.lcdui.Graphics;

/** Layers drawn in order through a view window; index 0 is drawn last, on top. */
public class LayerManager {
    private final List<Layer> layers = new ArrayList<>();
    private int viewX;
    private int viewY;
    private int viewW = Integer.MAX_VALUE;
    private int viewH = Integer.MAX_VALUE;

    public LayerManager() {
    }

    public void append(Layer l) {
        if (l == null) {
            throw new NullPointerException();
        }
        layers.remove(l);
        layers.add(l);
    }

    public void insert(Layer l, int index) {
        if (l == null) {
            throw new NullPointerException();
        }
        int at = layers.indexOf(l);
        if (at >= 0) {
            layers.remove(at);
            if (index > layers.size()) {
                layers.add(at, l);
                throw new IndexOutOfBoundsException("layer index " + index);
            }
        } else if (index < 0 || index > layers.size()) {
            throw new IndexOutOfBoundsException("layer index " + index);
        }
        layers.add(index, l);
    }

    public Layer getLayerAt(int index) {
        return layers.get(index);
    }

    public int getSize() {
        return layers.size();
    }

    public void remove(Layer l) {
        if (l == null) {
            throw new NullPointerException();
        }
        layers.remove(l);
    }

    /** Draws the view window with its top left corner at (x, y) of g. */
    public void paint(Graphics g, int x, int y) {
        int cx = g.getClipX();
        int cy = g.getClipY();
        int cw = g.getClipWidth();
        int ch = g.getClipHeight();
        g.clipRect(x, y, viewW, viewH);
        g.translate(x - viewX, y - viewY);
        for (int i = layers.size() - 1; i >= 0; i--) {
            Layer l = layers.get(i);
            if (l.isVisible()) {
                l.paint(g);
            }
        }
        g.translate(viewX - x, viewY - y);
        g.setClip(cx, cy, cw, ch);
    }

    public void setViewWindow(int x, int y, int width, int height) {
        if (width < 0 || height < 0) {
            throw new IllegalArgumentException();
        }
        viewX = x;
        viewY = y;
        viewW = width;
        viewH = height;
    }
}
