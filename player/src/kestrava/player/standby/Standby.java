package kestrava.player.standby;

import java.awt.GraphicsEnvironment;
import java.awt.image.BufferedImage;
import java.io.BufferedInputStream;
import java.io.BufferedOutputStream;
import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.FileDescriptor;
import java.io.FileInputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.io.PrintStream;
import java.io.PrintWriter;
import java.io.StringWriter;
import java.lang.management.ManagementFactory;
import java.lang.management.ThreadMXBean;
import java.lang.reflect.Method;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.charset.StandardCharsets;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;
import java.util.concurrent.atomic.AtomicBoolean;
import java.util.concurrent.atomic.AtomicLong;

import javax.swing.JFrame;
import javax.swing.SwingUtilities;

import kestrava.player.Device;
import kestrava.player.GameFile;
import kestrava.player.GameWindow;
import kestrava.player.Leftovers;
import kestrava.player.Memory;
import kestrava.player.check.ApiList;

/**
 * The player kept running beside the editor, so that pressing "Играть" again
 * starts neither a compiler nor a Java machine: it compiles games with the
 * Eclipse compiler's classes loaded once, and plays them one after another in
 * one window, a new game replacing the old.
 *
 * Requests come on standard input and replies go out on standard output, each
 * a message of strings: a line with their count, then per string a line with
 * its length in bytes and its UTF-8 bytes. Requests: compile ID ARG...,
 * play ID JAD TITLE SCALE (at the screen the jad names), stop ID. Replies:
 * compiled ID EXITCODE OUTPUT, playing ID, refused ID MESSAGE (the game did
 * not start, as the player says on its error stream), unavailable ID WHY (the
 * editor does it another way), frame ID (the game's first frame is on the
 * screen), failed ID MESSAGE (the game stopped with an error, shown in the
 * window too), restarting ID WHY (code of an ended game still runs, so the
 * process ends: the editor starts a fresh one). The process ends when its
 * input does, that is with the editor, however that ends.
 *
 * Games run in the Java machine's heap, whose limit the editor sets: a game
 * that runs out is ended and its memory freed, the process goes on. After a
 * game ends nothing of it may run: its threads must be gone within a grace
 * period and no thread may be in its code (Leftovers), and while nothing plays
 * or compiles the process's threads must take next to no time, or the
 * process ends itself rather than run a stranger's code for the author.
 *
 * --headless plays without a window (the game tests' face): frame is told when
 * the game first draws.
 */
public final class Standby {
    private static final int MAX_STRINGS = 100000;
    private static final int MAX_STRING_BYTES = 16 << 20;
    /** How long an ended game's threads have to finish once asked. */
    private static final long GRACE_MS = 1500;
    /** Idle, the threads may take this much time in IDLE_SECONDS seconds; a stranger's loop takes far more. */
    private static final long IDLE_CPU_NANOS = 1_000_000_000L;
    private static final int IDLE_SECONDS = 3;
    /** The exit code of a process that ended itself for a game's leftovers. */
    private static final int RESTART_CODE = 3;

    private final OutputStream replies;
    private final List<URL> compilerJars = new ArrayList<>();
    private final ExecutorService compiles = single("compile");
    private final ExecutorService plays = single("play");
    private Method compileMethod;
    private boolean headless;

    // Touched on the play thread only.
    private GameWindow window;
    private Game game;

    // What the idle watch reads: a game plays, a compile runs, and a count of their starts and ends.
    private volatile boolean playing;
    private volatile boolean compiling;
    private volatile long compileThread = -1;
    private final AtomicLong activity = new AtomicLong();

    private static final class Game {
        final String id;
        final Device device;
        final Device.Threads threads;
        final Leftovers leftovers;

        Game(String id, Device device, Device.Threads threads, Leftovers leftovers) {
            this.id = id;
            this.device = device;
            this.threads = threads;
            this.leftovers = leftovers;
        }
    }

    private Standby(OutputStream replies) {
        this.replies = replies;
    }

    public static void main(String[] args) throws Exception {
        // Standard output carries the replies alone: what a game or the compiler prints goes to the error stream.
        OutputStream replies = new BufferedOutputStream(new FileOutputStream(FileDescriptor.out));
        PrintStream err = new PrintStream(new FileOutputStream(FileDescriptor.err), true, "UTF-8");
        System.setOut(err);
        System.setErr(err);
        Standby standby = new Standby(replies);
        for (int i = 0; i < args.length; i++) {
            if (args[i].equals("--compiler") && i + 1 < args.length) {
                standby.compilerJars.add(new File(args[++i]).toURI().toURL());
            } else if (args[i].equals("--headless")) {
                standby.headless = true;
            } else {
                err.println("unknown argument " + args[i]);
                System.exit(2);
            }
        }
        Thread.setDefaultUncaughtExceptionHandler((t, e) -> {
            Device d = Device.of(t);
            if (d != null) {
                // First, as it frees the memory a game that ran out needs to be ended.
                d.fail(e);
            }
            err.println(Device.describe(e));
        });
        if (!standby.headless) {
            standby.prepareWindows();
        }
        Thread idle = new Thread(standby::watchIdle, "idle");
        idle.setDaemon(true);
        idle.start();
        standby.serve(new BufferedInputStream(new FileInputStream(FileDescriptor.in)));
    }

    private static ExecutorService single(String name) {
        return Executors.newSingleThreadExecutor(r -> {
            Thread t = new Thread(r, name);
            t.setDaemon(true);
            return t;
        });
    }

    /** Loads the window classes and connects to the display while nobody waits, so the first game opens at once. */
    private void prepareWindows() {
        plays.execute(() -> {
            try {
                ApiList.shipped();
                if (!GraphicsEnvironment.isHeadless()) {
                    SwingUtilities.invokeAndWait(() -> new JFrame().pack());
                }
            } catch (Throwable e) {
                // Told when a game is asked for.
            }
        });
    }

    private void serve(InputStream in) {
        try {
            for (List<String> request; (request = read(in)) != null;) {
                handle(request);
            }
        } catch (IOException e) {
            System.err.println(e.getMessage());
        } catch (OutOfMemoryError e) {
            // A game holds the whole heap and does not fail: nothing but a new process can take a request.
            restart("0", "out of memory");
        }
        // The editor is gone: so is everything it asked for.
        System.exit(0);
    }

    private void handle(List<String> request) {
        String command = request.isEmpty() ? "" : request.get(0);
        String id = request.size() > 1 ? request.get(1) : "";
        if (command.equals("compile")) {
            String[] arguments = request.subList(2, request.size()).toArray(new String[0]);
            compiles.execute(() -> compile(id, arguments));
        } else if (command.equals("play") && request.size() == 5) {
            plays.execute(() -> play(id, request.get(2), request.get(3), request.get(4)));
        } else if (command.equals("stop")) {
            plays.execute(this::stop);
        } else {
            send("unavailable", id, "unknown request " + command);
        }
    }

    // ---- compiling ----

    private void compile(String id, String[] arguments) {
        compileThread = Thread.currentThread().getId();
        compiling = true;
        activity.incrementAndGet();
        try {
            if (compileMethod == null) {
                if (compilerJars.isEmpty()) {
                    send("unavailable", id, "no compiler");
                    return;
                }
                ClassLoader loader = new URLClassLoader(compilerJars.toArray(new URL[0]),
                        Standby.class.getClassLoader());
                Class<?> batch = loader.loadClass("org.eclipse.jdt.core.compiler.batch.BatchCompiler");
                Class<?> progress = loader.loadClass("org.eclipse.jdt.core.compiler.CompilationProgress");
                compileMethod = batch.getMethod("compile", String[].class, PrintWriter.class, PrintWriter.class,
                        progress);
            }
            // Both streams into one text, as the editor reads a compiler run alone.
            StringWriter text = new StringWriter();
            PrintWriter writer = new PrintWriter(text);
            boolean ok = (Boolean) compileMethod.invoke(null, arguments, writer, writer, null);
            writer.flush();
            send("compiled", id, ok ? "0" : "1", text.toString());
        } catch (Throwable e) {
            send("unavailable", id, String.valueOf(e));
        } finally {
            compiling = false;
            activity.incrementAndGet();
        }
    }

    // ---- playing ----

    private void play(String id, String jad, String title, String scale) {
        if (!endGame()) {
            send("unavailable", id, "the last game did not end");
            restart(id, "the last game did not end");
        }
        GameFile file;
        ClassLoader loader;
        Class<?> midlet;
        try {
            file = GameFile.open(new File(jad));
            // Checked before anything of the game is loaded.
            loader = file.loader();
            midlet = loader.loadClass(file.midletClass);
        } catch (Exception e) {
            send("refused", id, String.valueOf(e.getMessage()));
            return;
        }
        if (GraphicsEnvironment.isHeadless() && !headless) {
            send("unavailable", id, "no display");
            return;
        }
        try {
            // The last game's memory is free by now: the reserve is kept back again for this one.
            Memory.keepReserve();
            int[] screen = file.screen();
            Device.Threads threads = new Device.Threads("game " + id);
            Device device = Device.create(screen[0], screen[1], threads, !headless);
            device.properties().putAll(file.properties);
            device.keepRecordsUnder(null);
            device.setTouchScreen("1".equals(file.properties.get("Kestrava-Touch-Buttons")));
            device.setGameLoader(loader);
            if (headless) {
                AtomicBoolean told = new AtomicBoolean();
                device.onFrame(() -> {
                    if (!told.getAndSet(true)) {
                        send("frame", id);
                    }
                });
            } else {
                showWindow(device, id, title, Math.max(1, Integer.parseInt(scale)), file.icon());
            }
            game = new Game(id, device, threads, new Leftovers(threads, loader));
            playing = true;
            activity.incrementAndGet();
            send("playing", id);
            device.start(midlet);
            watch(game);
        } catch (Throwable e) {
            send("unavailable", id, String.valueOf(e));
        }
    }

    private void showWindow(Device device, String id, String title, int times, BufferedImage icon)
            throws Exception {
        SwingUtilities.invokeAndWait(() -> {
            if (window == null) {
                window = new GameWindow(device, title, times, () -> plays.execute(this::stop));
            } else {
                window.attach(device, title, times);
            }
            window.onFirstPaint(() -> send("frame", id));
            if (icon != null) {
                window.setIcon(icon);
            }
            window.show();
        });
    }

    /** Until the game ends or fails: an end closes the window, a failure is shown in it. */
    private void watch(Game g) {
        Thread watcher = new Thread(() -> {
            Device d = g.device;
            synchronized (d) {
                while (!d.destroyed() && d.failure() == null) {
                    try {
                        d.wait(1000);
                    } catch (InterruptedException e) {
                        return;
                    }
                }
            }
            if (d.failure() != null && !d.destroyed()) {
                String text = d.failureText();
                send("failed", g.id, text);
                if (d.outOfMemory()) {
                    // Nothing of it can go on, and its memory is the next game's.
                    plays.execute(() -> {
                        if (game == g && !endGame()) {
                            restart(g.id, "a game out of memory did not end");
                        }
                    });
                }
                if (window != null) {
                    SwingUtilities.invokeLater(() -> window.failed(text));
                }
            } else {
                plays.execute(() -> {
                    if (game == g) {
                        stop();
                    }
                });
            }
        }, "watch");
        watcher.setDaemon(true);
        watcher.start();
    }

    private void stop() {
        if (!endGame()) {
            restart("0", "the game did not end");
        }
        if (window != null) {
            SwingUtilities.invokeLater(window::hide);
        }
    }

    /** Ends the game playing, if any; false when something of it still runs after the grace period. */
    private boolean endGame() {
        Game g = game;
        game = null;
        if (g == null) {
            return true;
        }
        Thread ender = new Thread(g.device::exit, "end");
        ender.setDaemon(true);
        ender.start();
        Thread left;
        try {
            ender.join(1000);
            g.device.shutdown();
            // As a phone ends a MIDlet's threads: one asleep in its loop wakes to find the game over.
            g.threads.interrupt();
            long end = System.currentTimeMillis() + GRACE_MS;
            while ((left = g.leftovers.find()) != null && System.currentTimeMillis() < end) {
                Thread.sleep(20);
            }
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
            left = g.leftovers.find();
        } finally {
            playing = false;
            activity.incrementAndGet();
        }
        if (left != null) {
            System.err.println("the ended game still runs on " + left.getName());
            return false;
        }
        try {
            // Its parent group would keep it, and through it the device, for as long as the process lives.
            g.threads.destroy();
        } catch (IllegalThreadStateException e) {
            // A thread the game started just now, as it ended.
            System.err.println("the ended game started a thread");
            return false;
        }
        return true;
    }

    /**
     * While no game plays and nothing compiles, the Java threads of this process
     * wait; code of an ended game that got out where no thread check saw it shows
     * as their time. Over a second in IDLE_SECONDS idle seconds, the process ends.
     */
    private void watchIdle() {
        ThreadMXBean threads = ManagementFactory.getThreadMXBean();
        if (!threads.isThreadCpuTimeSupported()) {
            return;
        }
        long self = Thread.currentThread().getId();
        Map<Long, Long> last = new HashMap<>();
        ArrayDeque<Long> spent = new ArrayDeque<>();
        long lastActivity = -1;
        for (;;) {
            try {
                Thread.sleep(1000);
            } catch (InterruptedException e) {
                return;
            }
            long now = activity.get();
            boolean idle = !playing && !compiling && now == lastActivity;
            lastActivity = now;
            Map<Long, Long> times = new HashMap<>();
            long second = 0;
            for (long id : threads.getAllThreadIds()) {
                long t = threads.getThreadCpuTime(id);
                if (id == self || id == compileThread || t < 0) {
                    continue;
                }
                times.put(id, t);
                second += t - last.getOrDefault(id, 0L);
            }
            last = times;
            if (!idle) {
                spent.clear();
                continue;
            }
            spent.addLast(second);
            if (spent.size() > IDLE_SECONDS) {
                spent.removeFirst();
            }
            long total = 0;
            for (long t : spent) {
                total += t;
            }
            if (total > IDLE_CPU_NANOS) {
                restart("0", "busy while idle: " + total / 1000000 + " ms in " + spent.size() + " s");
            }
        }
    }

    /** Ends this process so that the editor starts a fresh one: only that is rid of an ended game's code. */
    private void restart(String id, String why) {
        try {
            System.err.println("restarting: " + why);
            send("restarting", id, why);
        } finally {
            // No shutdown hooks: a stranger's code may hold what they would wait for.
            Runtime.getRuntime().halt(RESTART_CODE);
        }
    }

    // ---- messages ----

    private void send(String... strings) {
        try {
            synchronized (replies) {
                replies.write((strings.length + "\n").getBytes(StandardCharsets.US_ASCII));
                for (String s : strings) {
                    byte[] bytes = s.getBytes(StandardCharsets.UTF_8);
                    replies.write((bytes.length + "\n").getBytes(StandardCharsets.US_ASCII));
                    replies.write(bytes);
                }
                replies.flush();
            }
        } catch (IOException e) {
            // The editor is gone; reading its input ends this process.
        }
    }

    /** The next message, or null at the end of the input. */
    static List<String> read(InputStream in) throws IOException {
        long count = number(in, MAX_STRINGS);
        if (count < 0) {
            return null;
        }
        List<String> strings = new ArrayList<>();
        for (long k = 0; k < count; k++) {
            long length = number(in, MAX_STRING_BYTES);
            if (length < 0) {
                throw new IOException("a message cut short");
            }
            byte[] bytes = new byte[(int) length];
            for (int done = 0; done < bytes.length;) {
                int n = in.read(bytes, done, bytes.length - done);
                if (n < 0) {
                    throw new IOException("a message cut short");
                }
                done += n;
            }
            strings.add(new String(bytes, StandardCharsets.UTF_8));
        }
        return strings;
    }

    /** A decimal number on a line of its own, at most `max`; -1 at the end of the input before it. */
    private static long number(InputStream in, long max) throws IOException {
        ByteArrayOutputStream digits = new ByteArrayOutputStream();
        for (int c; (c = in.read()) != '\n';) {
            if (c < 0) {
                if (digits.size() == 0) {
                    return -1;
                }
                throw new IOException("a message cut short");
            }
            if (c < '0' || c > '9' || digits.size() > 9) {
                throw new IOException("not a message");
            }
            digits.write(c);
        }
        long n = digits.size() == 0 ? -1 : Long.parseLong(digits.toString("US-ASCII"));
        if (n < 0 || n > max) {
            throw new IOException("not a message");
        }
        return n;
    }
}
