package kestrava.player;

import java.awt.image.BufferedImage;
import java.io.InputStream;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.util.LinkedHashMap;
import java.util.Map;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.Future;
import java.util.concurrent.TimeUnit;

import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Displayable;
import javax.microedition.midlet.MIDlet;

import kestrava.player.phone.Phone;
import kestrava.player.phone.Records;

/**
 * The phone the MIDP classes run on: one screen, one keypad, one MIDlet. Key
 * events, repaints and callSerially run one after another on the "midp-events"
 * thread, as on a phone; the game's own threads draw through GameCanvas.
 */
public final class Device implements Phone {
    /** Key codes of the keys that have no digit. */
    public static final int KEY_UP = -1, KEY_DOWN = -2, KEY_LEFT = -3, KEY_RIGHT = -4, KEY_FIRE = -5,
            KEY_SOFT1 = -6, KEY_SOFT2 = -7;

    private static Device current;

    static {
        Phone.Finder.use(Device::get);
    }

    // Resolved now for fail() to test against: on a failure for want of memory the class loader
    // would be asked then, which takes memory there is none of.
    private static final Class<?>[] FAILURE_CLASSES = {OutOfMemoryError.class, InvocationTargetException.class};

    /** The threads of one game: its event thread and every thread the game starts. */
    public static final class Threads extends ThreadGroup {
        private volatile Device device;

        public Threads(String name) {
            super(name);
        }
    }

    private final int width;
    private final int height;
    private final BufferedImage frame;
    private final boolean stepped;
    private final ExecutorService events;
    private final Map<String, String> properties = new LinkedHashMap<>();
    private volatile ClassLoader gameLoader = Device.class.getClassLoader();
    private volatile Records records = Records.inMemory();
    private java.util.List<String> drawnTexts = new java.util.ArrayList<>();
    private java.util.List<String> shownTexts = new java.util.ArrayList<>();
    private volatile Displayable shown;
    private final Object shownLock = new Object();
    private volatile MIDlet midlet;
    private volatile boolean destroyed;
    private volatile Throwable failure;
    private volatile String failureText;
    private volatile boolean outOfMemory;
    private Runnable onFrame = () -> { };
    private Runnable onShown = () -> { };
    private volatile boolean presented;
    private volatile boolean translateKeepsClip;
    private volatile boolean softKeysAsArrows;
    private volatile boolean touchScreen;
    /** When the MIDlet was started and when the game's thread first drew a whole frame (System.nanoTime). */
    private volatile long startedAt;
    private volatile long firstFrameAt;

    // Stepped play: the game's thread waits in flushGraphics until the script lets the next tick run.
    private long flushed;
    private long allowed = 1;
    private boolean atGate;

    private final DesktopSound sound;

    private Device(int width, int height, boolean stepped, ThreadGroup threads, boolean audible) {
        this.sound = new DesktopSound(audible);
        this.width = width;
        this.height = height;
        this.stepped = stepped;
        this.frame = new BufferedImage(width, height, BufferedImage.TYPE_INT_RGB);
        this.events = Executors.newSingleThreadExecutor(r -> {
            Thread t = new Thread(threads, r, "midp-events");
            t.setDaemon(true);
            return t;
        });
    }

    /** Makes the one device of this run. stepped: ticks advance only when the script says so. */
    public static synchronized Device create(int width, int height, boolean stepped) {
        // Stepped play is the tests' and opens no audio device.
        current = new Device(width, height, stepped, Thread.currentThread().getThreadGroup(), !stepped);
        return current;
    }

    /**
     * Makes the device of the next game in a player that plays one game after
     * another: the game's threads are in `threads`, so a thread of a game
     * that is ending still finds its own device, never the next game's.
     */
    public static synchronized Device create(int width, int height, Threads threads, boolean audible) {
        Device d = new Device(width, height, false, threads, audible);
        threads.device = d;
        current = d;
        return d;
    }

    /** The device of a thread's game, or null for a thread of none. */
    public static Device of(Thread thread) {
        for (ThreadGroup g = thread.getThreadGroup(); g != null; g = g.getParent()) {
            if (g instanceof Threads) {
                return ((Threads) g).device;
            }
        }
        return null;
    }

    public static Device get() {
        Device own = of(Thread.currentThread());
        if (own != null) {
            return own;
        }
        Device d = current;
        if (d == null) {
            throw new IllegalStateException("no device");
        }
        return d;
    }

    @Override
    public int width() {
        return width;
    }

    @Override
    public int height() {
        return height;
    }

    public BufferedImage frame() {
        return frame;
    }

    @Override
    public DesktopSound speaker() {
        return sound;
    }

    @Override
    public InputStream resource(String path) {
        ClassLoader loader = gameLoader;
        return loader == null ? null : loader.getResourceAsStream(path);
    }

    public void setGameLoader(ClassLoader loader) {
        gameLoader = loader;
    }

    @Override
    public void drew(String text) {
        synchronized (frame) {
            // Kept for one frame only; a game that draws without showing must not fill the heap.
            if (drawnTexts.size() < 1000) {
                drawnTexts.add(text);
            }
        }
    }

    /** The texts the frame on the screen drew. */
    public java.util.List<String> shownTexts() {
        synchronized (frame) {
            return new java.util.ArrayList<>(shownTexts);
        }
    }

    public ClassLoader gameLoader() {
        return gameLoader;
    }

    @Override
    public Records records() {
        return records;
    }

    /** Where the game keeps its record stores; in memory for this run until told. */
    public void setRecords(Records r) {
        records = r;
    }

    /**
     * The record stores of the game the properties name, in a folder of its own
     * under base: the player's data folder unless base is given.
     */
    public void keepRecordsUnder(java.nio.file.Path base) {
        if (base == null) {
            String data = System.getenv("XDG_DATA_HOME");
            base = (data != null && !data.isEmpty() ? java.nio.file.Paths.get(data)
                    : java.nio.file.Paths.get(System.getProperty("user.home"), ".local", "share"))
                    .resolve("kestrava").resolve("records");
        }
        records = Records.inFolder(Records.suiteFolder(base, properties.get("MIDlet-Vendor"), properties.get("MIDlet-Name")));
    }

    public Map<String, String> properties() {
        return properties;
    }

    @Override
    public String appProperty(String key) {
        return properties.get(key);
    }

    @Override
    public Displayable shown() {
        return shown;
    }

    public boolean destroyed() {
        return destroyed;
    }

    /** Whether the game has drawn a frame onto the screen yet. */
    public boolean presented() {
        return presented;
    }

    public Throwable failure() {
        return failure;
    }

    /** What the author reads of the failure, in Russian when the game ran out of memory. */
    public String failureText() {
        return failureText;
    }

    /** The game failed (a reflective call's wrapper is taken off); the first failure is the one kept. */
    public void fail(Throwable t) {
        Throwable cause = unwrap(t);
        // Before anything that allocates: a game out of memory left no room.
        if (cause instanceof OutOfMemoryError) {
            Memory.giveReserve();
        }
        if (failure == null && failureText == null) {
            failureText = describe(cause);
            outOfMemory = cause instanceof OutOfMemoryError;
            failure = cause;
        }
        synchronized (this) {
            notifyAll();
        }
    }

    /**
     * A failure in words. An exception class of the game's own is named only:
     * its toString() is the game's code, which runs on no thread but the game's.
     */
    public static String describe(Throwable failure) {
        Throwable t = unwrap(failure);
        if (t instanceof OutOfMemoryError) {
            return Memory.EXHAUSTED;
        }
        return t.getClass().getClassLoader() instanceof GameLoader ? t.getClass().getName() : String.valueOf(t);
    }

    private static Throwable unwrap(Throwable t) {
        return t instanceof InvocationTargetException && t.getCause() != null ? t.getCause() : t;
    }

    /** Whether the game stopped for want of memory: nothing of it can go on. */
    public boolean outOfMemory() {
        return outOfMemory;
    }

    /**
     * Makes the phone answer as some do that nobody here wrote: its translate()
     * leaves the clip at its coordinates (translateKeepsClip), or it gives the
     * soft keys a game action and an arrow's name (softKeysAsArrows), so a test
     * shows whether a game stands them.
     */
    public void likeOtherPhones(boolean translateKeepsClip, boolean softKeysAsArrows) {
        this.translateKeepsClip = translateKeepsClip;
        this.softKeysAsArrows = softKeysAsArrows;
    }

    /** Touch mode: the screen reports pointer events and the window's mouse presses reach the game as them. */
    public void setTouchScreen(boolean on) {
        touchScreen = on;
    }

    @Override
    public boolean touchScreen() {
        return touchScreen;
    }

    @Override
    public boolean translateKeepsClip() {
        return translateKeepsClip;
    }

    public void onFrame(Runnable r) {
        onFrame = r;
    }

    public void onShown(Runnable r) {
        onShown = r;
    }

    // ---- the MIDlet ----

    /** Makes the MIDlet and starts it on the event thread, as a phone does. */
    public void start(Class<?> type) throws Exception {
        startedAt = System.nanoTime();
        Future<?> started = events.submit(() -> {
            try {
                MIDlet m = (MIDlet) type.getDeclaredConstructor().newInstance();
                midlet = m;
                call(m, MIDlet.class, "startApp");
            } catch (Throwable t) {
                fail(t);
            }
            return null;
        });
        started.get(30, TimeUnit.SECONDS);
    }

    @Override
    public void destroyed(MIDlet m) {
        destroyed = true;
        synchronized (this) {
            notifyAll();
        }
    }

    /** Milliseconds from the MIDlet's start to the first frame the game's thread drew; -1 before it. */
    public long firstFrameMillis() {
        long at = firstFrameAt;
        return at == 0 ? -1 : (at - startedAt) / 1000000;
    }

    /** The phone takes the screen (a call, its own menu): the shown canvas hears hideNotify. */
    public void hideScreen() {
        runAndWait(() -> canvasCall("hideNotify"));
    }

    /** The screen comes back: showNotify, and in stepped play the game stands at its next frame. */
    public void showScreen() throws InterruptedException {
        runAndWait(() -> canvasCall("showNotify"));
        settle();
    }

    /** The phone pauses the MIDlet (pauseApp). */
    public void pauseMidlet() {
        midletCall("pauseApp");
    }

    /** The phone lets the MIDlet go on (startApp again); in stepped play the game stands at its next frame. */
    public void resumeMidlet() throws InterruptedException {
        midletCall("startApp");
        settle();
    }

    private void canvasCall(String name) {
        Displayable d = shown;
        if (d instanceof Canvas) {
            try {
                call(d, Canvas.class, name);
            } catch (Exception e) {
                fail(e);
            }
        }
    }

    private void midletCall(String name) {
        MIDlet m = midlet;
        if (m != null) {
            runAndWait(() -> {
                try {
                    call(m, MIDlet.class, name);
                } catch (Exception e) {
                    fail(e);
                }
            });
        }
    }

    /**
     * Stepped play after a resume: a game that stood still in its pause draws
     * its next frame on its own; it is counted as allowed, so the script's
     * ticks go on from there.
     */
    private synchronized void settle() throws InterruptedException {
        if (!stepped) {
            return;
        }
        long end = System.currentTimeMillis() + 20000;
        while (!atGate && failure == null && !destroyed && System.currentTimeMillis() < end) {
            wait(50);
        }
        allowed = flushed;
    }

    /**
     * Stepped play: lets the game draw up to `ticks` frames for as long as they
     * would take and more, and says whether it drew none (a paused game stands
     * still). No frame stays allowed afterwards.
     */
    public synchronized boolean standsStill(int ticks) throws InterruptedException {
        long before = flushed;
        allowed = flushed + ticks;
        notifyAll();
        long end = System.currentTimeMillis() + 50L * ticks + 300;
        while (flushed == before && failure == null && !destroyed) {
            long left = end - System.currentTimeMillis();
            if (left <= 0) {
                break;
            }
            wait(left);
        }
        allowed = flushed;
        return flushed == before;
    }

    /** Asks the MIDlet to end, as the phone's red key does. */
    public void exit() {
        MIDlet m = midlet;
        if (m != null && !destroyed) {
            runAndWait(() -> {
                try {
                    Method destroy = MIDlet.class.getDeclaredMethod("destroyApp", boolean.class);
                    destroy.setAccessible(true);
                    destroy.invoke(m, Boolean.TRUE);
                } catch (Exception e) {
                    // Ending anyway.
                }
            });
        }
        destroyed = true;
        synchronized (this) {
            notifyAll();
        }
    }

    /**
     * Stops the event thread once the game is over, so nothing of it is left
     * running, and lets go of the game's objects: the window keeps this device
     * (its last frame) until the next game, and the game's memory is free by then.
     * The failure's text stays; the failure does not, as its stack holds the game's classes.
     */
    public void shutdown() {
        events.shutdownNow();
        midlet = null;
        shown = null;
        gameLoader = null;
        failure = null;
    }

    static void call(Object target, Class<?> declaring, String name) throws Exception {
        Method m = declaring.getDeclaredMethod(name);
        m.setAccessible(true);
        m.invoke(target);
    }

    // ---- the event thread ----

    @Override
    public void post(Runnable r) {
        events.execute(() -> {
            try {
                r.run();
            } catch (Throwable t) {
                fail(t);
            }
        });
    }

    @Override
    public void runAndWait(Runnable r) {
        if (Thread.currentThread().getName().equals("midp-events")) {
            r.run();
            return;
        }
        try {
            events.submit(r).get(30, TimeUnit.SECONDS);
        } catch (Exception e) {
            fail(e.getCause() != null ? e.getCause() : e);
        }
    }

    // ---- the screen ----

    @Override
    public void setShown(Displayable d) {
        // Shown at once, so the game's first frame, drawn before the event thread
        // gets to the notices, reaches the screen; the notices follow in order.
        Displayable old;
        synchronized (shownLock) {
            old = shown;
            if (old == d) {
                return;
            }
            shown = d;
        }
        post(() -> {
            try {
                if (old instanceof Canvas) {
                    call(old, Canvas.class, "hideNotify");
                }
                if (d instanceof Canvas) {
                    call(d, Canvas.class, "showNotify");
                }
            } catch (Exception e) {
                fail(e);
            }
            onShown.run();
        });
    }

    /** Only the screen shown puts its picture on the screen. */
    @Override
    public void present(BufferedImage picture, Displayable from) {
        present(picture, from, true);
    }

    @Override
    public void presentAgain(BufferedImage picture, Displayable from) {
        present(picture, from, false);
    }

    private void present(BufferedImage picture, Displayable from, boolean newFrame) {
        if (from != shown) {
            return;
        }
        synchronized (frame) {
            frame.getGraphics().drawImage(picture, 0, 0, null);
            if (newFrame) {
                shownTexts = drawnTexts;
                drawnTexts = new java.util.ArrayList<>();
            }
        }
        presented = true;
        onFrame.run();
    }

    /**
     * The game drew one tick (GameCanvas.flushGraphics). In stepped play its
     * thread waits here for the script's next tick, and its pause before that
     * tick is cut short, so a test runs as fast as the machine allows.
     */
    @Override
    public void ticked() {
        if (Thread.currentThread().getName().equals("midp-events")) {
            return;
        }
        if (firstFrameAt == 0) {
            firstFrameAt = System.nanoTime();
        }
        sound.ticked();
        if (!stepped) {
            return;
        }
        // The interrupt set at the last gate is still pending when the game
        // skipped its sleep (it ran late): cleared, it cannot let the game
        // past this gate before the script allows the next frame.
        Thread.interrupted();
        synchronized (this) {
            flushed++;
            notifyAll();
            atGate = true;
            try {
                while (flushed >= allowed && !destroyed) {
                    try {
                        wait();
                    } catch (InterruptedException e) {
                        return;
                    }
                }
            } finally {
                atGate = false;
            }
        }
        Thread.currentThread().interrupt();
    }

    /** Stepped play: lets `ticks` more frames be drawn and waits until they are. */
    public synchronized void advance(int ticks, long timeoutMs) throws InterruptedException {
        allowed = flushed + ticks;
        notifyAll();
        awaitFrames(timeoutMs);
    }

    /** Stepped play: waits until the game thread stands at the frame it may not pass. */
    public synchronized void awaitFrames(long timeoutMs) throws InterruptedException {
        long end = System.currentTimeMillis() + timeoutMs;
        while (flushed < allowed && failure == null && !destroyed) {
            long left = end - System.currentTimeMillis();
            if (left <= 0) {
                throw new IllegalStateException("the game drew no frame for " + timeoutMs / 1000 + " s (frame "
                        + flushed + " of " + allowed + ")");
            }
            wait(left);
        }
    }

    /** A copy of what the screen shows now. */
    public BufferedImage snapshot() {
        BufferedImage copy = new BufferedImage(width, height, BufferedImage.TYPE_INT_RGB);
        synchronized (frame) {
            copy.getGraphics().drawImage(frame, 0, 0, null);
        }
        return copy;
    }

    // ---- keys ----

    @Override
    public int keyCode(int gameAction) {
        return Keys.keyCode(gameAction);
    }

    @Override
    public String keyName(int keyCode) {
        if (softKeysAsArrows && (keyCode == KEY_SOFT1 || keyCode == KEY_SOFT2)) {
            return keyCode == KEY_SOFT1 ? "RIGHT" : "LEFT";
        }
        return Keys.name(keyCode);
    }

    @Override
    public int gameAction(int keyCode) {
        if (!Keys.isKey(keyCode)) {
            throw new IllegalArgumentException("no key " + keyCode);
        }
        if (softKeysAsArrows && (keyCode == KEY_SOFT1 || keyCode == KEY_SOFT2)) {
            return keyCode;
        }
        return Keys.gameAction(keyCode);
    }


    /** A key goes down: the shown canvas hears it on the event thread. */
    public void press(int keyCode) {
        key(keyCode, true);
    }

    public void release(int keyCode) {
        key(keyCode, false);
    }

    /** Pointer events of a touch screen, in its pixels: the shown canvas hears them on the event thread. */
    public static final int POINTER_PRESSED = 0, POINTER_DRAGGED = 1, POINTER_RELEASED = 2;

    public void pointer(int what, int x, int y) {
        if (!touchScreen) {
            return;
        }
        runAndWait(() -> {
            Displayable d = shown;
            if (d instanceof Canvas) {
                Keys.pointer((Canvas) d, what, x, y);
            }
        });
    }

    private void key(int keyCode, boolean down) {
        runAndWait(() -> {
            Displayable d = shown;
            if (d instanceof Canvas) {
                Keys.deliver((Canvas) d, keyCode, down);
            } else if (d != null && down) {
                Keys.softKey(d, keyCode);
            }
        });
    }
}
