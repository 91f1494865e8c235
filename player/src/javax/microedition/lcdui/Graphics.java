package javax.microedition.lcdui;

import java.awt.BasicStroke;
import java.awt.Color;
import java.awt.Graphics2D;
import java.awt.Polygon;
import java.awt.RenderingHints;
import java.awt.image.BufferedImage;

import kestrava.player.phone.Phone;


/**
 * Drawing on a screen or a mutable image, in the phone's manner: solid
 * pixels without smoothing, a translated origin, one clip rectangle.
 */
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

    private static final BasicStroke SOLID_LINE = new BasicStroke(1);
    private static final BasicStroke DOTTED_LINE = new BasicStroke(1, BasicStroke.CAP_BUTT, BasicStroke.JOIN_MITER, 1,
            new float[] {1, 1}, 0);

    private final BufferedImage target;
    private final Graphics2D g;
    private int tx;
    private int ty;
    // The clip in the target's own coordinates.
    private int clipX;
    private int clipY;
    private int clipW;
    private int clipH;
    private int color;
    private int stroke = SOLID;
    private Font font = Font.getDefaultFont();
    private final boolean translateKeepsClip = Phone.get().translateKeepsClip();

    /** Graphics of the player's own pictures: the screen buffer of a canvas. */
    public Graphics(BufferedImage target) {
        this.target = target;
        this.g = target.createGraphics();
        g.setRenderingHint(RenderingHints.KEY_ANTIALIASING, RenderingHints.VALUE_ANTIALIAS_OFF);
        g.setRenderingHint(RenderingHints.KEY_TEXT_ANTIALIASING, RenderingHints.VALUE_TEXT_ANTIALIAS_OFF);
        g.setRenderingHint(RenderingHints.KEY_INTERPOLATION, RenderingHints.VALUE_INTERPOLATION_NEAREST_NEIGHBOR);
        clipW = target.getWidth();
        clipH = target.getHeight();
        applyClip();
        setColor(0);
    }

    public void dispose() {
        g.dispose();
    }

    public void translate(int x, int y) {
        tx += x;
        ty += y;
        if (translateKeepsClip) {
            clipX += x;
            clipY += y;
            applyClip();
        }
    }

    public int getTranslateX() {
        return tx;
    }

    public int getTranslateY() {
        return ty;
    }

    public int getColor() {
        return color;
    }

    public int getRedComponent() {
        return color >> 16 & 0xFF;
    }

    public int getGreenComponent() {
        return color >> 8 & 0xFF;
    }

    public int getBlueComponent() {
        return color & 0xFF;
    }

    public void setColor(int red, int green, int blue) {
        if ((red | green | blue) < 0 || red > 255 || green > 255 || blue > 255) {
            throw new IllegalArgumentException("colour " + red + ", " + green + ", " + blue);
        }
        setColor(red << 16 | green << 8 | blue);
    }

    public void setColor(int rgb) {
        color = rgb & 0xFFFFFF;
        g.setColor(new Color(color));
    }

    public void setGrayScale(int value) {
        if (value < 0 || value > 255) {
            throw new IllegalArgumentException("grey " + value);
        }
        setColor(value, value, value);
    }

    public int getGrayScale() {
        return (getRedComponent() + getGreenComponent() + getBlueComponent()) / 3;
    }

    public Font getFont() {
        return font;
    }

    public void setFont(Font font) {
        this.font = font == null ? Font.getDefaultFont() : font;
    }

    public int getStrokeStyle() {
        return stroke;
    }

    public void setStrokeStyle(int style) {
        if (style != SOLID && style != DOTTED) {
            throw new IllegalArgumentException("stroke " + style);
        }
        stroke = style;
        g.setStroke(style == SOLID ? SOLID_LINE : DOTTED_LINE);
    }

    public int getClipX() {
        return clipX - tx;
    }

    public int getClipY() {
        return clipY - ty;
    }

    public int getClipWidth() {
        return clipW;
    }

    public int getClipHeight() {
        return clipH;
    }

    public void clipRect(int x, int y, int width, int height) {
        int x1 = Math.max(clipX, x + tx);
        int y1 = Math.max(clipY, y + ty);
        int x2 = Math.min(clipX + clipW, x + tx + Math.max(width, 0));
        int y2 = Math.min(clipY + clipH, y + ty + Math.max(height, 0));
        clipX = x1;
        clipY = y1;
        clipW = Math.max(0, x2 - x1);
        clipH = Math.max(0, y2 - y1);
        applyClip();
    }

    public void setClip(int x, int y, int width, int height) {
        int x1 = Math.max(0, x + tx);
        int y1 = Math.max(0, y + ty);
        int x2 = Math.min(target.getWidth(), x + tx + Math.max(width, 0));
        int y2 = Math.min(target.getHeight(), y + ty + Math.max(height, 0));
        clipX = x1;
        clipY = y1;
        clipW = Math.max(0, x2 - x1);
        clipH = Math.max(0, y2 - y1);
        applyClip();
    }

    private void applyClip() {
        g.setClip(clipX, clipY, clipW, clipH);
    }

    public void drawLine(int x1, int y1, int x2, int y2) {
        g.drawLine(x1 + tx, y1 + ty, x2 + tx, y2 + ty);
    }

    public void fillRect(int x, int y, int width, int height) {
        if (width > 0 && height > 0) {
            g.fillRect(x + tx, y + ty, width, height);
        }
    }

    /** The outline covers width + 1 by height + 1 pixels. */
    public void drawRect(int x, int y, int width, int height) {
        if (width >= 0 && height >= 0) {
            g.drawRect(x + tx, y + ty, width, height);
        }
    }

    public void drawRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight) {
        if (width >= 0 && height >= 0) {
            g.drawRoundRect(x + tx, y + ty, width, height, arcWidth, arcHeight);
        }
    }

    public void fillRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight) {
        if (width > 0 && height > 0) {
            g.fillRoundRect(x + tx, y + ty, width, height, arcWidth, arcHeight);
        }
    }

    public void drawArc(int x, int y, int width, int height, int startAngle, int arcAngle) {
        g.drawArc(x + tx, y + ty, width, height, startAngle, arcAngle);
    }

    public void fillArc(int x, int y, int width, int height, int startAngle, int arcAngle) {
        g.fillArc(x + tx, y + ty, width, height, startAngle, arcAngle);
    }

    public void fillTriangle(int x1, int y1, int x2, int y2, int x3, int y3) {
        Polygon p = new Polygon(new int[] {x1 + tx, x2 + tx, x3 + tx}, new int[] {y1 + ty, y2 + ty, y3 + ty}, 3);
        g.fillPolygon(p);
        g.drawPolygon(p);
    }

    public void drawString(String str, int x, int y, int anchor) {
        if (str == null) {
            throw new NullPointerException();
        }
        Phone.get().drew(str);
        drawText(str, x, y, anchor);
    }

    public void drawSubstring(String str, int offset, int len, int x, int y, int anchor) {
        if (offset < 0 || len < 0 || offset + len > str.length()) {
            throw new StringIndexOutOfBoundsException();
        }
        drawText(str.substring(offset, offset + len), x, y, anchor);
    }

    public void drawChars(char[] data, int offset, int length, int x, int y, int anchor) {
        if (offset < 0 || length < 0 || offset + length > data.length) {
            throw new ArrayIndexOutOfBoundsException();
        }
        drawText(new String(data, offset, length), x, y, anchor);
    }

    public void drawChar(char character, int x, int y, int anchor) {
        drawText(String.valueOf(character), x, y, anchor);
    }

    private void drawText(String text, int x, int y, int anchor) {
        if (anchor == 0) {
            anchor = TOP | LEFT;
        }
        checkAnchor(anchor, BASELINE);
        int w = font.stringWidth(text);
        if ((anchor & HCENTER) != 0) {
            x -= w / 2;
        } else if ((anchor & RIGHT) != 0) {
            x -= w;
        }
        java.awt.FontMetrics m = g.getFontMetrics(font.awt);
        int baseline;
        if ((anchor & TOP) != 0) {
            baseline = y + font.getBaselinePosition();
        } else if ((anchor & BOTTOM) != 0) {
            baseline = y - m.getDescent();
        } else {
            baseline = y;
        }
        g.setFont(font.awt);
        g.drawString(text, x + tx, baseline + ty);
        if (font.isUnderlined()) {
            g.drawLine(x + tx, baseline + ty + 1, x + tx + w - 1, baseline + ty + 1);
        }
    }

    /** One horizontal and one vertical anchor, `vertical2` being the one the call allows besides TOP and BOTTOM. */
    private static void checkAnchor(int anchor, int vertical2) {
        int h = anchor & (LEFT | HCENTER | RIGHT);
        int v = anchor & (TOP | BOTTOM | vertical2);
        if ((anchor & ~(LEFT | HCENTER | RIGHT | TOP | BOTTOM | vertical2)) != 0 || Integer.bitCount(h) > 1
                || Integer.bitCount(v) > 1 || h == 0 || v == 0) {
            throw new IllegalArgumentException("anchor " + anchor);
        }
    }

    public void drawImage(Image img, int x, int y, int anchor) {
        if (img == null) {
            throw new NullPointerException();
        }
        drawRegion(img, 0, 0, img.getWidth(), img.getHeight(), 0, x, y, anchor);
    }

    public void drawRegion(Image src, int xSrc, int ySrc, int width, int height, int transform, int xDest,
            int yDest, int anchor) {
        if (src == null) {
            throw new NullPointerException();
        }
        if (anchor == 0) {
            anchor = TOP | LEFT;
        }
        checkAnchor(anchor, VCENTER);
        Image.transformOf(transform);
        if (xSrc < 0 || ySrc < 0 || width < 0 || height < 0 || xSrc + width > src.getWidth()
                || ySrc + height > src.getHeight()) {
            throw new IllegalArgumentException("region outside the image");
        }
        boolean turned = (transform & 4) != 0;
        int w = turned ? height : width;
        int h = turned ? width : height;
        if ((anchor & HCENTER) != 0) {
            xDest -= w / 2;
        } else if ((anchor & RIGHT) != 0) {
            xDest -= w;
        }
        if ((anchor & VCENTER) != 0) {
            yDest -= h / 2;
        } else if ((anchor & BOTTOM) != 0) {
            yDest -= h;
        }
        int dx = xDest + tx;
        int dy = yDest + ty;
        if (transform == 0) {
            g.drawImage(src.pixels, dx, dy, dx + width, dy + height, xSrc, ySrc, xSrc + width, ySrc + height, null);
            return;
        }
        BufferedImage turnedPicture = new BufferedImage(w, h, BufferedImage.TYPE_INT_ARGB);
        for (int sy = 0; sy < height; sy++) {
            for (int sx = 0; sx < width; sx++) {
                int[] d = place(transform, sx, sy, width, height);
                turnedPicture.setRGB(d[0], d[1], src.pixels.getRGB(xSrc + sx, ySrc + sy));
            }
        }
        g.drawImage(turnedPicture, dx, dy, null);
    }

    /** Where pixel (sx, sy) of a width x height region lands under a transform. */
    static int[] place(int transform, int sx, int sy, int width, int height) {
        switch (transform) {
        case 1: // mirror, rotated 180
            return new int[] {sx, height - 1 - sy};
        case 2: // mirror
            return new int[] {width - 1 - sx, sy};
        case 3: // rotated 180
            return new int[] {width - 1 - sx, height - 1 - sy};
        case 4: // mirror, rotated 270
            return new int[] {sy, sx};
        case 5: // rotated 90
            return new int[] {height - 1 - sy, sx};
        case 6: // rotated 270
            return new int[] {sy, width - 1 - sx};
        case 7: // mirror, rotated 90
            return new int[] {height - 1 - sy, width - 1 - sx};
        default:
            return new int[] {sx, sy};
        }
    }

    public void copyArea(int xSrc, int ySrc, int width, int height, int xDest, int yDest, int anchor) {
        BufferedImage part = target.getSubimage(xSrc + tx, ySrc + ty, width, height);
        BufferedImage copy = new BufferedImage(width, height, BufferedImage.TYPE_INT_ARGB);
        copy.getGraphics().drawImage(part, 0, 0, null);
        drawImage(new Image(copy, false), xDest, yDest, anchor);
    }

    public void drawRGB(int[] rgbData, int offset, int scanlength, int x, int y, int width, int height,
            boolean processAlpha) {
        if (rgbData == null) {
            throw new NullPointerException();
        }
        if (width <= 0 || height <= 0) {
            return;
        }
        BufferedImage b = new BufferedImage(width, height, BufferedImage.TYPE_INT_ARGB);
        for (int row = 0; row < height; row++) {
            for (int col = 0; col < width; col++) {
                int p = rgbData[offset + row * scanlength + col];
                b.setRGB(col, row, processAlpha ? p : p | 0xFF000000);
            }
        }
        g.drawImage(b, x + tx, y + ty, null);
    }

    public int getDisplayColor(int color) {
        return color & 0xFFFFFF;
    }
}
