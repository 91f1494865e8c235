package javax.microedition.lcdui;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public class Graphics {
    public static final int HCENTER = 1;
    public static final int VCENTER = 2;
    public static final int LEFT = 4;
    public static final int RIGHT = 8;
    public static final int TOP = 16;
    public static final int BOTTOM = 32;
    public static final int BASELINE = 64;
    public static final int SOLID = 0;
    public static final int DOTTED = 1;

    private Graphics() {
    }

    public void translate(int x, int y) {
        throw new RuntimeException();
    }

    public int getTranslateX() {
        throw new RuntimeException();
    }

    public int getTranslateY() {
        throw new RuntimeException();
    }

    public int getColor() {
        throw new RuntimeException();
    }

    public void setColor(int red, int green, int blue) {
        throw new RuntimeException();
    }

    public void setColor(int rgb) {
        throw new RuntimeException();
    }

    public void setGrayScale(int value) {
        throw new RuntimeException();
    }

    public Font getFont() {
        throw new RuntimeException();
    }

    public void setFont(Font font) {
        throw new RuntimeException();
    }

    public void setStrokeStyle(int style) {
        throw new RuntimeException();
    }

    public int getClipX() {
        throw new RuntimeException();
    }

    public int getClipY() {
        throw new RuntimeException();
    }

    public int getClipWidth() {
        throw new RuntimeException();
    }

    public int getClipHeight() {
        throw new RuntimeException();
    }

    public void clipRect(int x, int y, int width, int height) {
        throw new RuntimeException();
    }

    public void setClip(int x, int y, int width, int height) {
        throw new RuntimeException();
    }

    public void drawLine(int x1, int y1, int x2, int y2) {
        throw new RuntimeException();
    }

    public void fillRect(int x, int y, int width, int height) {
        throw new RuntimeException();
    }

    public void drawRect(int x, int y, int width, int height) {
        throw new RuntimeException();
    }

    public void drawString(String str, int x, int y, int anchor) {
        throw new RuntimeException();
    }

    public void drawImage(Image img, int x, int y, int anchor) {
        throw new RuntimeException();
    }

    public void drawRegion(Image src, int x_src, int y_src, int width, int height, int transform, int x_dest,
            int y_dest, int anchor) {
        throw new RuntimeException();
    }

    public void fillTriangle(int x1, int y1, int x2, int y2, int x3, int y3) {
        throw new RuntimeException();
    }

    public void drawRGB(int[] rgbData, int offset, int scanlength, int x, int y, int width, int height,
            boolean processAlpha) {
        throw new RuntimeException();
    }
}
