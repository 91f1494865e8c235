package javax.microedition.lcdui.game;

import java.awt.image.BufferedImage;

import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

/** An animated picture: frames of equal size cut from one image, a frame sequence, a transform. */
public class Sprite extends Layer {
    public static final int TRANS_NONE = 0;
    public static final int TRANS_ROT90 = 5;
    public static final int TRANS_ROT180 = 3;
    public static final int TRANS_ROT270 = 6;
    public static final int TRANS_MIRROR = 2;
    public static final int TRANS_MIRROR_ROT90 = 7;
    public static final int TRANS_MIRROR_ROT180 = 1;
    public static final int TRANS_MIRROR_ROT270 = 4;

    private Image image;
    private int frameWidth;
    private int frameHeight;
    private int rawFrames;
    private int[] sequence;
    private int index;
    private int transform;
    private int refX;
    private int refY;
    private int collideX;
    private int collideY;
    private int collideW;
    private int collideH;

    public Sprite(Image image) {
        this(image, image.getWidth(), image.getHeight());
    }

    public Sprite(Image image, int frameWidth, int frameHeight) {
        setFrames(image, frameWidth, frameHeight);
        sequence = null;
        defineCollisionRectangle(0, 0, frameWidth, frameHeight);
    }

    public Sprite(Sprite s) {
        setFrames(s.image, s.frameWidth, s.frameHeight);
        sequence = s.sequence == null ? null : s.sequence.clone();
        index = s.index;
        transform = s.transform;
        refX = s.refX;
        refY = s.refY;
        collideX = s.collideX;
        collideY = s.collideY;
        collideW = s.collideW;
        collideH = s.collideH;
        x = s.x;
        y = s.y;
        width = s.width;
        height = s.height;
        visible = s.visible;
    }

    private void setFrames(Image image, int frameWidth, int frameHeight) {
        if (image == null) {
            throw new NullPointerException();
        }
        if (frameWidth < 1 || frameHeight < 1 || image.getWidth() % frameWidth != 0
                || image.getHeight() % frameHeight != 0) {
            throw new IllegalArgumentException("frames of " + frameWidth + " x " + frameHeight);
        }
        this.image = image;
        this.frameWidth = frameWidth;
        this.frameHeight = frameHeight;
        this.rawFrames = (image.getWidth() / frameWidth) * (image.getHeight() / frameHeight);
        boolean turned = (transform & 4) != 0;
        width = turned ? frameHeight : frameWidth;
        height = turned ? frameWidth : frameHeight;
    }

    public void defineReferencePixel(int x, int y) {
        refX = x;
        refY = y;
    }

    public void setRefPixelPosition(int x, int y) {
        int[] r = transformedRef();
        setPosition(x - r[0], y - r[1]);
    }

    public int getRefPixelX() {
        return x + transformedRef()[0];
    }

    public int getRefPixelY() {
        return y + transformedRef()[1];
    }

    private int[] transformedRef() {
        return place(transform, refX, refY, frameWidth, frameHeight);
    }

    /** Where point (px, py) of the frame lands under a transform (points, not pixels). */
    private static int[] place(int t, int px, int py, int w, int h) {
        switch (t) {
        case TRANS_MIRROR_ROT180:
            return new int[] {px, h - py};
        case TRANS_MIRROR:
            return new int[] {w - px, py};
        case TRANS_ROT180:
            return new int[] {w - px, h - py};
        case TRANS_MIRROR_ROT270:
            return new int[] {py, px};
        case TRANS_ROT90:
            return new int[] {h - py, px};
        case TRANS_ROT270:
            return new int[] {py, w - px};
        case TRANS_MIRROR_ROT90:
            return new int[] {h - py, w - px};
        default:
            return new int[] {px, py};
        }
    }

    public void setFrame(int sequenceIndex) {
        if (sequenceIndex < 0 || sequenceIndex >= getFrameSequenceLength()) {
            throw new IndexOutOfBoundsException("frame " + sequenceIndex);
        }
        index = sequenceIndex;
    }

    public final int getFrame() {
        return index;
    }

    public int getRawFrameCount() {
        return rawFrames;
    }

    public int getFrameSequenceLength() {
        return sequence == null ? rawFrames : sequence.length;
    }

    public void nextFrame() {
        index = (index + 1) % getFrameSequenceLength();
    }

    public void prevFrame() {
        index = (index + getFrameSequenceLength() - 1) % getFrameSequenceLength();
    }

    public void setFrameSequence(int[] sequence) {
        if (sequence == null) {
            this.sequence = null;
            index = 0;
            return;
        }
        if (sequence.length < 1) {
            throw new IllegalArgumentException("empty frame sequence");
        }
        for (int f : sequence) {
            if (f < 0 || f >= rawFrames) {
                throw new ArrayIndexOutOfBoundsException("frame " + f);
            }
        }
        this.sequence = sequence.clone();
        index = 0;
    }

    /** The raw frame shown now. */
    private int rawFrame() {
        return sequence == null ? index : sequence[index];
    }

    public void setTransform(int transform) {
        if (transform < 0 || transform > 7) {
            throw new IllegalArgumentException("transform " + transform);
        }
        int rx = getRefPixelX();
        int ry = getRefPixelY();
        this.transform = transform;
        boolean turned = (transform & 4) != 0;
        width = turned ? frameHeight : frameWidth;
        height = turned ? frameWidth : frameHeight;
        setRefPixelPosition(rx, ry);
    }

    public void setImage(Image img, int frameWidth, int frameHeight) {
        int before = rawFrames;
        setFrames(img, frameWidth, frameHeight);
        if (rawFrames < before) {
            sequence = null;
            index = 0;
        }
        defineCollisionRectangle(0, 0, frameWidth, frameHeight);
    }

    public void defineCollisionRectangle(int x, int y, int width, int height) {
        if (width < 0 || height < 0) {
            throw new IllegalArgumentException();
        }
        collideX = x;
        collideY = y;
        collideW = width;
        collideH = height;
    }

    public final void paint(Graphics g) {
        if (!visible) {
            return;
        }
        int f = rawFrame();
        int across = image.getWidth() / frameWidth;
        g.drawRegion(image, f % across * frameWidth, f / across * frameHeight, frameWidth, frameHeight, transform, x,
                y, Graphics.TOP | Graphics.LEFT);
    }

    /** The collision rectangle on the plane: left, top, right, bottom (exclusive). */
    private int[] box() {
        int[] a = place(transform, collideX, collideY, frameWidth, frameHeight);
        int[] b = place(transform, collideX + collideW, collideY + collideH, frameWidth, frameHeight);
        return new int[] {x + Math.min(a[0], b[0]), y + Math.min(a[1], b[1]), x + Math.max(a[0], b[0]),
                y + Math.max(a[1], b[1])};
    }

    /** The frame shown now as it is drawn, for pixel tests. */
    private BufferedImage drawn() {
        BufferedImage b = new BufferedImage(width, height, BufferedImage.TYPE_INT_ARGB);
        Graphics g = new Graphics(b);
        int saveX = x;
        int saveY = y;
        x = 0;
        y = 0;
        boolean saveVisible = visible;
        visible = true;
        paint(g);
        visible = saveVisible;
        x = saveX;
        y = saveY;
        g.dispose();
        return b;
    }

    public final boolean collidesWith(Sprite s, boolean pixelLevel) {
        if (!visible || !s.visible) {
            return false;
        }
        int[] a = box();
        int[] b = s.box();
        int l = Math.max(a[0], b[0]);
        int t = Math.max(a[1], b[1]);
        int r = Math.min(a[2], b[2]);
        int bottom = Math.min(a[3], b[3]);
        if (l >= r || t >= bottom) {
            return false;
        }
        if (!pixelLevel) {
            return true;
        }
        BufferedImage mine = drawn();
        BufferedImage theirs = s.drawn();
        for (int py = t; py < bottom; py++) {
            for (int px = l; px < r; px++) {
                if (mine.getRGB(px - x, py - y) >>> 24 != 0 && theirs.getRGB(px - s.x, py - s.y) >>> 24 != 0) {
                    return true;
                }
            }
        }
        return false;
    }

    public final boolean collidesWith(TiledLayer t, boolean pixelLevel) {
        if (!visible || !t.isVisible()) {
            return false;
        }
        int[] a = box();
        int cw = t.getCellWidth();
        int ch = t.getCellHeight();
        int c0 = Math.max(0, Math.floorDiv(a[0] - t.getX(), cw));
        int r0 = Math.max(0, Math.floorDiv(a[1] - t.getY(), ch));
        int c1 = Math.min(t.getColumns() - 1, Math.floorDiv(a[2] - 1 - t.getX(), cw));
        int r1 = Math.min(t.getRows() - 1, Math.floorDiv(a[3] - 1 - t.getY(), ch));
        BufferedImage mine = pixelLevel ? drawn() : null;
        BufferedImage tiles = pixelLevel ? Image.pixelsOf(t.image()) : null;
        for (int r = r0; r <= r1; r++) {
            for (int c = c0; c <= c1; c++) {
                int tile = t.tileAt(c, r);
                if (tile == 0) {
                    continue;
                }
                if (!pixelLevel) {
                    return true;
                }
                int cellX = t.getX() + c * cw;
                int cellY = t.getY() + r * ch;
                for (int py = Math.max(a[1], cellY); py < Math.min(a[3], cellY + ch); py++) {
                    for (int px = Math.max(a[0], cellX); px < Math.min(a[2], cellX + cw); px++) {
                        if (mine.getRGB(px - x, py - y) >>> 24 != 0
                                && tiles.getRGB(t.tileX(tile) + px - cellX, t.tileY(tile) + py - cellY) >>> 24 != 0) {
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }

    public final boolean collidesWith(Image image, int ix, int iy, boolean pixelLevel) {
        if (!visible) {
            return false;
        }
        int[] a = box();
        int l = Math.max(a[0], ix);
        int t = Math.max(a[1], iy);
        int r = Math.min(a[2], ix + image.getWidth());
        int b = Math.min(a[3], iy + image.getHeight());
        if (l >= r || t >= b) {
            return false;
        }
        if (!pixelLevel) {
            return true;
        }
        BufferedImage mine = drawn();
        BufferedImage theirs = Image.pixelsOf(image);
        for (int py = t; py < b; py++) {
            for (int px = l; px < r; px++) {
                if (mine.getRGB(px - x, py - y) >>> 24 != 0 && theirs.getRGB(px - ix, py - iy) >>> 24 != 0) {
                    return true;
                }
            }
        }
        return false;
    }
}
