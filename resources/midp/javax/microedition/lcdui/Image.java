package javax.microedition.lcdui;

import java.io.IOException;
import java.io.InputStream;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public class Image {
    private Image() {
    }

    public static Image createImage(int width, int height) {
        throw new RuntimeException();
    }

    public static Image createImage(Image source) {
        throw new RuntimeException();
    }

    public static Image createImage(String name) throws IOException {
        throw new RuntimeException();
    }

    public static Image createImage(byte[] imageData, int imageOffset, int imageLength) {
        throw new RuntimeException();
    }

    public static Image createImage(Image image, int x, int y, int width, int height, int transform) {
        throw new RuntimeException();
    }

    public static Image createImage(InputStream stream) throws IOException {
        throw new RuntimeException();
    }

    public static Image createRGBImage(int[] rgb, int width, int height, boolean processAlpha) {
        throw new RuntimeException();
    }

    public Graphics getGraphics() {
        throw new RuntimeException();
    }

    public int getWidth() {
        throw new RuntimeException();
    }

    public int getHeight() {
        throw new RuntimeException();
    }

    public boolean isMutable() {
        throw new RuntimeException();
    }

    public void getRGB(int[] rgbData, int offset, int scanlength, int x, int y, int width, int height) {
        throw new RuntimeException();
    }
}
