package javax.microedition.lcdui;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
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

    protected Canvas() {
    }

    public boolean isDoubleBuffered() {
        throw new RuntimeException();
    }

    public boolean hasPointerEvents() {
        throw new RuntimeException();
    }

    public boolean hasPointerMotionEvents() {
        throw new RuntimeException();
    }

    public boolean hasRepeatEvents() {
        throw new RuntimeException();
    }

    public int getKeyCode(int gameAction) {
        throw new RuntimeException();
    }

    public String getKeyName(int keyCode) {
        throw new RuntimeException();
    }

    public int getGameAction(int keyCode) {
        throw new RuntimeException();
    }

    public void setFullScreenMode(boolean mode) {
        throw new RuntimeException();
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
        throw new RuntimeException();
    }

    public final void repaint() {
        throw new RuntimeException();
    }

    public final void serviceRepaints() {
        throw new RuntimeException();
    }

    protected void showNotify() {
    }

    protected void hideNotify() {
    }

    protected abstract void paint(Graphics g);

    protected void sizeChanged(int w, int h) {
    }
}
