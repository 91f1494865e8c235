package javax.microedition.lcdui;

import java.awt.image.BufferedImage;

import kestrava.player.phone.Phone;

/** A screen the application draws itself and that hears the keys. */
public abstract class Canvas extends Displayable {
    public static final int UP = 1;
    public static final int DOWN = 6;
    public static final int LEFT = 2;
    public static final int RIGHT = 5;
    public static final int FIRE = 8;
    public static final int GAME_A = 9;
    public static final int GAME_B = 10;
    public static final int GAME_C = 11;
    public static final int GAME_D = 12;
    public static final int KEY_NUM0 = 48;
    public static final int KEY_NUM1 = 49;
    public static final int KEY_NUM2 = 50;
    public static final int KEY_NUM3 = 51;
    public static final int KEY_NUM4 = 52;
    public static final int KEY_NUM5 = 53;
    public static final int KEY_NUM6 = 54;
    public static final int KEY_NUM7 = 55;
    public static final int KEY_NUM8 = 56;
    public static final int KEY_NUM9 = 57;
    public static final int KEY_STAR = 42;
    public static final int KEY_POUND = 35;

    private boolean repaintPending;

    protected Canvas() {
    }

    public boolean isDoubleBuffered() {
        return true;
    }

    public boolean hasPointerEvents() {
        return Phone.get().touchScreen();
    }

    public boolean hasPointerMotionEvents() {
        return Phone.get().touchScreen();
    }

    public boolean hasRepeatEvents() {
        return false;
    }

    public int getKeyCode(int gameAction) {
        return Phone.get().keyCode(gameAction);
    }

    public String getKeyName(int keyCode) {
        return Phone.get().keyName(keyCode);
    }

    public int getGameAction(int keyCode) {
        return Phone.get().gameAction(keyCode);
    }

    /** The player's screen has no title or command bar: every canvas fills it. */
    public void setFullScreenMode(boolean mode) {
    }

    protected void keyPressed(int keyCode) {
    }

    protected void keyRepeated(int keyCode) {
    }

    protected void keyReleased(int keyCode) {
    }

    protected void pointerPressed(int x, int y) {
    }

    protected void pointerReleased(int x, int y) {
    }

    protected void pointerDragged(int x, int y) {
    }

    public final void repaint(int x, int y, int width, int height) {
        repaint();
    }

    /** Paints the canvas on the event thread, once for any number of asks before it runs. */
    public final void repaint() {
        synchronized (this) {
            if (repaintPending) {
                return;
            }
            repaintPending = true;
        }
        Phone.get().post(this::paintNow);
    }

    public final void serviceRepaints() {
        Phone.get().runAndWait(() -> {
            boolean pending;
            synchronized (this) {
                pending = repaintPending;
            }
            if (pending) {
                paintNow();
            }
        });
    }

    private void paintNow() {
        synchronized (this) {
            repaintPending = false;
        }
        if (!isShown()) {
            return;
        }
        Phone d = Phone.get();
        BufferedImage picture = new BufferedImage(d.width(), d.height(), BufferedImage.TYPE_INT_RGB);
        Graphics g = new Graphics(picture);
        paint(g);
        g.dispose();
        if (this instanceof javax.microedition.lcdui.game.GameCanvas) {
            d.presentAgain(picture, this);
        } else {
            d.present(picture, this);
        }
    }

    protected void showNotify() {
    }

    protected void hideNotify() {
    }

    protected abstract void paint(Graphics g);

    protected void sizeChanged(int w, int h) {
    }
}
