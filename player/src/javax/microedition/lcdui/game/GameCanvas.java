package javax.microedition.lcdui.game;

import java.awt.image.BufferedImage;

import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

import kestrava.player.phone.Phone;

/** A canvas with its own screen buffer, shown by flushGraphics, and the game keys' state. */
public abstract class GameCanvas extends Canvas {
    public static final int UP_PRESSED = 1 << Canvas.UP;
    public static final int DOWN_PRESSED = 1 << Canvas.DOWN;
    public static final int LEFT_PRESSED = 1 << Canvas.LEFT;
    public static final int RIGHT_PRESSED = 1 << Canvas.RIGHT;
    public static final int FIRE_PRESSED = 1 << Canvas.FIRE;
    public static final int GAME_A_PRESSED = 1 << Canvas.GAME_A;
    public static final int GAME_B_PRESSED = 1 << Canvas.GAME_B;
    public static final int GAME_C_PRESSED = 1 << Canvas.GAME_C;
    public static final int GAME_D_PRESSED = 1 << Canvas.GAME_D;

    private final boolean suppressKeyEvents;
    private final BufferedImage buffer;
    private int held;
    private int latched;

    protected GameCanvas(boolean suppressKeyEvents) {
        this.suppressKeyEvents = suppressKeyEvents;
        Phone d = Phone.get();
        buffer = new BufferedImage(d.width(), d.height(), BufferedImage.TYPE_INT_RGB);
        Graphics g = new Graphics(buffer);
        g.setColor(0xFFFFFF);
        g.fillRect(0, 0, d.width(), d.height());
        g.dispose();
    }

    protected Graphics getGraphics() {
        return new Graphics(buffer);
    }

    /** Game keys down now, or pressed since the last call. */
    public int getKeyStates() {
        synchronized (buffer) {
            int states = held | latched;
            latched = 0;
            return states;
        }
    }

    /** A key with a game action went down or up; true when its key event is to be left out. */
    @SuppressWarnings("unused")
    private boolean keyState(int gameAction, boolean down) {
        if (gameAction == 0) {
            return false;
        }
        int bit = 1 << gameAction;
        synchronized (buffer) {
            if (down) {
                held |= bit;
                latched |= bit;
            } else {
                held &= ~bit;
            }
        }
        return suppressKeyEvents;
    }

    public void paint(Graphics g) {
        g.drawImage(Image.fromPixels(buffer), 0, 0, Graphics.TOP | Graphics.LEFT);
    }

    public void flushGraphics(int x, int y, int width, int height) {
        flushGraphics();
    }

    public void flushGraphics() {
        Phone d = Phone.get();
        if (isShown()) {
            d.present(buffer, this);
        }
        d.ticked();
    }
}
