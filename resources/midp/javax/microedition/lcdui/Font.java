package javax.microedition.lcdui;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public final class Font {
    public static final int STYLE_PLAIN = 0;
    public static final int STYLE_BOLD = 1;
    public static final int STYLE_ITALIC = 2;
    public static final int STYLE_UNDERLINED = 4;
    public static final int SIZE_SMALL = 8;
    public static final int SIZE_MEDIUM = 0;
    public static final int SIZE_LARGE = 16;
    public static final int FACE_SYSTEM = 0;
    public static final int FACE_MONOSPACE = 32;
    public static final int FACE_PROPORTIONAL = 64;

    private Font() {
    }

    public static Font getDefaultFont() {
        throw new RuntimeException();
    }

    public static Font getFont(int face, int style, int size) {
        throw new RuntimeException();
    }

    public int getHeight() {
        throw new RuntimeException();
    }

    public int stringWidth(String str) {
        throw new RuntimeException();
    }

    public int substringWidth(String str, int offset, int len) {
        throw new RuntimeException();
    }
}
