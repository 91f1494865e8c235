package kestrava.player.phone;

import java.awt.image.BufferedImage;
import java.io.InputStream;
import java.util.function.Supplier;

import javax.microedition.lcdui.Displayable;
import javax.microedition.midlet.MIDlet;

/**
 * What our MIDP classes ask of the phone they run on: its screen, its keypad,
 * its event thread and the game it plays. The player's Device is one; the MIDP
 * classes know nothing else of the player.
 */
public interface Phone {
    /** The phone of the calling thread's game. */
    static Phone get() {
        Supplier<? extends Phone> find = Finder.find;
        if (find == null) {
            throw new IllegalStateException("no device");
        }
        return find.get();
    }

    int width();

    int height();

    // ---- the screen ----

    Displayable shown();

    /** Display.setCurrent: the new screen is told it shows, the old one that it does not. */
    void setShown(Displayable d);

    /**
     * Whether Graphics.translate() leaves the clip at its coordinates, so that
     * on the screen it moves with the origin, as some phones do.
     */
    boolean translateKeepsClip();

    /** A finished picture for the screen, from the screen that drew it. */

    void present(BufferedImage picture, Displayable from);

    /**
     * The frame on the screen painted again from a canvas that draws off the
     * screen (a GameCanvas repainted): the picture is that frame's, and what
     * the frame drew stays as it was, since the game may be halfway through
     * drawing its next one.
     */
    default void presentAgain(BufferedImage picture, Displayable from) {
        present(picture, from);
    }

    /** A text the game drew (Graphics.drawString), for scripts that ask what a frame shows. */
    default void drew(String text) {
    }

    /** The game drew one tick (GameCanvas.flushGraphics). */
    void ticked();

    // ---- the event thread ----

    void post(Runnable r);

    /** Runs r on the event thread and waits for it (at once when already there). */
    void runAndWait(Runnable r);

    // ---- the keypad ----

    /** The screen is a touch screen: the game gets pointer events (Canvas.hasPointerEvents). */
    boolean touchScreen();

    /** The key that gives a game action first. */
    int keyCode(int gameAction);

    String keyName(int keyCode);

    /** The game action of a key, 0 for none; IllegalArgumentException for a key the phone lacks. */
    int gameAction(int keyCode);

    // ---- the sound ----

    Speaker speaker();

    // ---- the game ----

    /** A resource of the game's jar, or null; the path has no leading "/". */
    InputStream resource(String path);

    /** An attribute of the descriptor or the manifest. */
    String appProperty(String key);

    /** The game's record stores. */
    Records records();

    /** The MIDlet says it is done. */
    void destroyed(MIDlet m);

    /** How get() finds the phone: the player says so before any game runs. */
    final class Finder {
        private static volatile Supplier<? extends Phone> find;

        private Finder() {
        }

        public static void use(Supplier<? extends Phone> lookup) {
            find = lookup;
        }
    }
}
