package javax.microedition.lcdui;

import java.awt.image.BufferedImage;
import java.io.ByteArrayInputStream;
import java.io.IOException;
import java.io.InputStream;

import javax.imageio.ImageIO;
import javax.microedition.lcdui.game.Sprite;

import kestrava.player.phone.Phone;

/** A picture: read from the game's jar, or mutable and drawn into. */
public class Image {
    final BufferedImage pixels;
    private final boolean mutable;

    Image(BufferedImage pixels, boolean mutable) {
        this.pixels = pixels;
        this.mutable = mutable;
    }

    /** The pixels of a picture, for the player's own drawing (not part of the phone's API). */
    public static BufferedImage pixelsOf(Image image) {
        return image.pixels;
    }

    /** An immutable picture of the player's own pixels (not part of the phone's API). */
    public static Image fromPixels(BufferedImage pixels) {
        return new Image(pixels, false);
    }

    public static Image createImage(int width, int height) {
        if (width <= 0 || height <= 0) {
            throw new IllegalArgumentException("image size " + width + " x " + height);
        }
        BufferedImage b = new BufferedImage(width, height, BufferedImage.TYPE_INT_ARGB);
        java.awt.Graphics g = b.getGraphics();
        g.setColor(java.awt.Color.WHITE);
        g.fillRect(0, 0, width, height);
        g.dispose();
        return new Image(b, true);
    }

    public static Image createImage(Image source) {
        if (!source.mutable) {
            return source;
        }
        return new Image(copy(source.pixels), false);
    }

    /** A picture of the game's jar; the name starts with "/". */
    public static Image createImage(String name) throws IOException {
        if (name == null) {
            throw new NullPointerException();
        }
        String path = name.startsWith("/") ? name.substring(1) : name;
        InputStream in = Phone.get().resource(path);
        if (in == null) {
            throw new IOException("no picture " + name + " in the game");
        }
        try {
            return decode(in, name);
        } finally {
            in.close();
        }
    }

    public static Image createImage(byte[] imageData, int imageOffset, int imageLength) {
        try {
            return decode(new ByteArrayInputStream(imageData, imageOffset, imageLength), "bytes");
        } catch (IOException e) {
            throw new IllegalArgumentException(e.getMessage());
        }
    }

    public static Image createImage(Image image, int x, int y, int width, int height, int transform) {
        if (width <= 0 || height <= 0) {
            throw new IllegalArgumentException();
        }
        if (x < 0 || y < 0 || x + width > image.getWidth() || y + height > image.getHeight()) {
            throw new IllegalArgumentException("region outside the image");
        }
        boolean turned = (transform & 4) != 0;
        BufferedImage b = new BufferedImage(turned ? height : width, turned ? width : height,
                BufferedImage.TYPE_INT_ARGB);
        Graphics g = new Graphics(b);
        g.drawRegion(image, x, y, width, height, transform, 0, 0, Graphics.TOP | Graphics.LEFT);
        g.dispose();
        return new Image(b, false);
    }

    public static Image createImage(InputStream stream) throws IOException {
        if (stream == null) {
            throw new NullPointerException();
        }
        return decode(stream, "stream");
    }

    public static Image createRGBImage(int[] rgb, int width, int height, boolean processAlpha) {
        if (width <= 0 || height <= 0) {
            throw new IllegalArgumentException();
        }
        if (rgb.length < width * height) {
            throw new ArrayIndexOutOfBoundsException();
        }
        BufferedImage b = new BufferedImage(width, height, BufferedImage.TYPE_INT_ARGB);
        for (int i = 0; i < width * height; i++) {
            b.setRGB(i % width, i / width, processAlpha ? rgb[i] : rgb[i] | 0xFF000000);
        }
        return new Image(b, false);
    }

    private static Image decode(InputStream in, String what) throws IOException {
        BufferedImage read = ImageIO.read(in);
        if (read == null) {
            throw new IOException("not a picture: " + what);
        }
        return new Image(copy(read), false);
    }

    private static BufferedImage copy(BufferedImage from) {
        BufferedImage b = new BufferedImage(from.getWidth(), from.getHeight(), BufferedImage.TYPE_INT_ARGB);
        java.awt.Graphics g = b.getGraphics();
        g.drawImage(from, 0, 0, null);
        g.dispose();
        return b;
    }

    public Graphics getGraphics() {
        if (!mutable) {
            throw new IllegalStateException("the image is immutable");
        }
        return new Graphics(pixels);
    }

    public int getWidth() {
        return pixels.getWidth();
    }

    public int getHeight() {
        return pixels.getHeight();
    }

    public boolean isMutable() {
        return mutable;
    }

    public void getRGB(int[] rgbData, int offset, int scanlength, int x, int y, int width, int height) {
        if (x < 0 || y < 0 || x + width > getWidth() || y + height > getHeight()) {
            throw new IllegalArgumentException("region outside the image");
        }
        for (int row = 0; row < height; row++) {
            for (int col = 0; col < width; col++) {
                rgbData[offset + row * scanlength + col] = pixels.getRGB(x + col, y + row);
            }
        }
    }

    /** Whether pixel (x, y) hides what is under it. */
    boolean opaque(int x, int y) {
        return (pixels.getRGB(x, y) >>> 24) != 0;
    }

    static int transformOf(int transform) {
        if (transform < Sprite.TRANS_NONE || transform > Sprite.TRANS_MIRROR_ROT90) {
            throw new IllegalArgumentException("transform " + transform);
        }
        return transform;
    }
}
