package kestrava.player;

import java.awt.image.BufferedImage;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.lang.management.ManagementFactory;

import javax.imageio.ImageIO;
import javax.microedition.lcdui.Font;
import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.game.Sprite;

import com.sun.management.HotSpotDiagnosticMXBean;

/**
 * The heap a game may take is the Java machine's (its -Xmx, set by whoever
 * starts the player), and a little of it is kept back: a game that takes the
 * rest fails with OutOfMemoryError, and the player gives the reserve back so
 * that its own threads can still end that game and say why.
 */
public final class Memory {
    private static final int RESERVE_BYTES = 4 << 20;

    /** "Игра остановлена: ей не хватило памяти (больше 64 МБ; ...)": made now, for there is no room to make it then. */
    public static final String EXHAUSTED = "Игра остановлена: ей не хватило памяти (больше " + limitMegabytes()
            + " МБ; телефон даёт игре 1–4 МБ).";

    private static volatile byte[] reserve;
    /** The heap the player held before the game started, so what a game holds can be told apart. */
    private static long baseline;

    private Memory() {
    }

    /** Keeps the reserve back again, once the game that took it is gone. */
    public static void keepReserve() {
        if (reserve == null) {
            reserve = new byte[RESERVE_BYTES];
        }
    }

    /** A game ran out: its memory is freed only once its threads end, and ending them takes some. */
    static void giveReserve() {
        reserve = null;
    }

    /**
     * Notes what the player holds now, before the game is started: none of it
     * is the game's. The desktop sets up its picture decoders, drawing loops
     * and fonts on first use, so they are used once first.
     */
    public static void markBaseline() throws IOException {
        ByteArrayOutputStream png = new ByteArrayOutputStream();
        ImageIO.write(new BufferedImage(4, 4, BufferedImage.TYPE_INT_ARGB), "png", png);
        Image picture = Image.createImage(png.toByteArray(), 0, png.size());
        Graphics g = Image.createImage(16, 16).getGraphics();
        g.setColor(0x204080);
        g.fillRect(0, 0, 8, 8);
        g.drawImage(picture, 1, 1, Graphics.TOP | Graphics.LEFT);
        g.drawRegion(picture, 0, 0, 2, 2, Sprite.TRANS_MIRROR, 4, 4, Graphics.TOP | Graphics.LEFT);
        g.setFont(Font.getDefaultFont());
        g.drawString("Ag", 0, 0, Graphics.TOP | Graphics.LEFT);
        baseline = usedAfterCollecting();
    }

    /**
     * The heap the game holds now: what is in use once the collector has run,
     * less what the player held before the game started (its screen, its
     * classes' data, the reserve). What a phone would have to give the game.
     */
    public static long gameBytes() {
        return usedAfterCollecting() - baseline;
    }

    private static long usedAfterCollecting() {
        Runtime runtime = Runtime.getRuntime();
        long used = Long.MAX_VALUE;
        // One collection can leave garbage a second one takes: the least of a few runs.
        for (int i = 0; i < 4; i++) {
            System.gc();
            used = Math.min(used, runtime.totalMemory() - runtime.freeMemory());
        }
        return used;
    }

    private static long limitMegabytes() {
        try {
            HotSpotDiagnosticMXBean vm = ManagementFactory.getPlatformMXBean(HotSpotDiagnosticMXBean.class);
            return Long.parseLong(vm.getVMOption("MaxHeapSize").getValue()) >> 20;
        } catch (RuntimeException | LinkageError e) {
            // Another Java machine: the heap it reports, a little under its limit.
            return Runtime.getRuntime().maxMemory() >> 20;
        }
    }
}
