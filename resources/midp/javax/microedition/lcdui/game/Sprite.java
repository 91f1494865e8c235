package javax.microedition.lcdui.game;

import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public class Sprite extends Layer {
    public static final int TRANS_NONE = 0;
    public static final int TRANS_ROT90 = 5;
    public static final int TRANS_ROT180 = 3;
    public static final int TRANS_ROT270 = 6;
    public static final int TRANS_MIRROR = 2;
    public static final int TRANS_MIRROR_ROT90 = 7;
    public static final int TRANS_MIRROR_ROT180 = 1;
    public static final int TRANS_MIRROR_ROT270 = 4;

    public Sprite(Image image) {
        throw new RuntimeException();
    }

    public Sprite(Image image, int frameWidth, int frameHeight) {
        throw new RuntimeException();
    }

    public Sprite(Sprite s) {
        throw new RuntimeException();
    }

    public void defineReferencePixel(int x, int y) {
        throw new RuntimeException();
    }

    public void setRefPixelPosition(int x, int y) {
        throw new RuntimeException();
    }

    public int getRefPixelX() {
        throw new RuntimeException();
    }

    public int getRefPixelY() {
        throw new RuntimeException();
    }

    public void setFrame(int sequenceIndex) {
        throw new RuntimeException();
    }

    public final int getFrame() {
        throw new RuntimeException();
    }

    public int getRawFrameCount() {
        throw new RuntimeException();
    }

    public int getFrameSequenceLength() {
        throw new RuntimeException();
    }

    public final void paint(Graphics g) {
        throw new RuntimeException();
    }

    public void nextFrame() {
        throw new RuntimeException();
    }

    public void prevFrame() {
        throw new RuntimeException();
    }

    public void setTransform(int transform) {
        throw new RuntimeException();
    }

    public void setImage(Image img, int frameWidth, int frameHeight) {
        throw new RuntimeException();
    }

    public void defineCollisionRectangle(int x, int y, int width, int height) {
        throw new RuntimeException();
    }

    public final boolean collidesWith(Sprite s, boolean pixelLevel) {
        throw new RuntimeException();
    }

    public final boolean collidesWith(TiledLayer t, boolean pixelLevel) {
        throw new RuntimeException();
    }

    public final boolean collidesWith(Image image, int x, int y, boolean pixelLevel) {
        throw new RuntimeException();
    }

    public void setFrameSequence(int[] sequence) {
        throw new RuntimeException();
    }
}
