package javax.microedition.lcdui;

import java.awt.FontMetrics;
import java.awt.Graphics2D;
import java.awt.image.BufferedImage;
import java.util.HashMap;
import java.util.Map;

/** A phone font: three faces, three sizes, bold, italic and underlined, drawn with a desktop font. */
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
    public static final int FONT_STATIC_TEXT = 0;
    public static final int FONT_INPUT_TEXT = 1;

    private static final Map<Integer, Font> FONTS = new HashMap<>();
    private static final Graphics2D MEASURE = new BufferedImage(1, 1, BufferedImage.TYPE_INT_RGB).createGraphics();

    private final int face;
    private final int style;
    private final int size;
    final java.awt.Font awt;
    private final FontMetrics metrics;

    private Font(int face, int style, int size) {
        this.face = face;
        this.style = style;
        this.size = size;
        String family = face == FACE_MONOSPACE ? java.awt.Font.MONOSPACED
                : face == FACE_PROPORTIONAL ? java.awt.Font.SANS_SERIF : java.awt.Font.DIALOG;
        int awtStyle = ((style & STYLE_BOLD) != 0 ? java.awt.Font.BOLD : 0)
                | ((style & STYLE_ITALIC) != 0 ? java.awt.Font.ITALIC : 0);
        // Pixel heights of a small phone screen's fonts.
        int points = size == SIZE_SMALL ? 10 : size == SIZE_LARGE ? 15 : 12;
        awt = new java.awt.Font(family, awtStyle, points);
        synchronized (MEASURE) {
            metrics = MEASURE.getFontMetrics(awt);
        }
    }

    public static Font getDefaultFont() {
        return getFont(FACE_SYSTEM, STYLE_PLAIN, SIZE_MEDIUM);
    }

    /** The font a phone uses for static or input text: here both are the default font. */
    public static Font getFont(int fontSpecifier) {
        if (fontSpecifier != FONT_STATIC_TEXT && fontSpecifier != FONT_INPUT_TEXT) {
            throw new IllegalArgumentException("font specifier " + fontSpecifier);
        }
        return getDefaultFont();
    }

    public static Font getFont(int face, int style, int size) {
        if (face != FACE_SYSTEM && face != FACE_MONOSPACE && face != FACE_PROPORTIONAL) {
            throw new IllegalArgumentException("font face " + face);
        }
        if ((style & ~(STYLE_BOLD | STYLE_ITALIC | STYLE_UNDERLINED)) != 0) {
            throw new IllegalArgumentException("font style " + style);
        }
        if (size != SIZE_SMALL && size != SIZE_MEDIUM && size != SIZE_LARGE) {
            throw new IllegalArgumentException("font size " + size);
        }
        synchronized (FONTS) {
            return FONTS.computeIfAbsent(face | style << 8 | size << 16, k -> new Font(face, style, size));
        }
    }

    public int getFace() {
        return face;
    }

    public int getStyle() {
        return style;
    }

    public int getSize() {
        return size;
    }

    public boolean isPlain() {
        return style == STYLE_PLAIN;
    }

    public boolean isBold() {
        return (style & STYLE_BOLD) != 0;
    }

    public boolean isItalic() {
        return (style & STYLE_ITALIC) != 0;
    }

    public boolean isUnderlined() {
        return (style & STYLE_UNDERLINED) != 0;
    }

    public int getHeight() {
        return metrics.getHeight();
    }

    public int getBaselinePosition() {
        return metrics.getAscent() + metrics.getLeading();
    }

    public int charWidth(char ch) {
        return metrics.charWidth(ch);
    }

    public int stringWidth(String str) {
        return metrics.stringWidth(str);
    }

    public int charsWidth(char[] ch, int offset, int length) {
        if (offset < 0 || length < 0 || offset + length > ch.length) {
            throw new ArrayIndexOutOfBoundsException();
        }
        return metrics.stringWidth(new String(ch, offset, length));
    }

    public int substringWidth(String str, int offset, int len) {
        if (offset < 0 || len < 0 || offset + len > str.length()) {
            throw new StringIndexOutOfBoundsException();
        }
        return metrics.stringWidth(str.substring(offset, offset + len));
    }
}
