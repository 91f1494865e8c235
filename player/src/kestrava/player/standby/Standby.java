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
import java.lang.reflect.Method;
import java.net.URL;
import java.net.URLClassLoader;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.ExecutorService;
import java.util.concurrent.Executors;

import javax.swing.JFrame;
import javax.swing.SwingUtilities;

import kestrava.player.Device;
import kestrava.player.GameFile;
import kestrava.player.GameWindow;
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
 * screen). The process ends when its input does, that is with the editor,
 * however that ends.
 */
public final class Standby {
    private static final int MAX_STRINGS = 100000;
    private static final int MAX_STRING_BYTES = 16 << 20;

    private final OutputStream replies;
    private final List<URL> compilerJars = new ArrayList<>();
    private final ExecutorService compiles = single("compile");
    private final ExecutorService plays = single("play");
    private Method compileMethod;

    // Touched on the play thread only.
    private GameWindow window;
    private Game game;

    private static final class Game {
        final Device device;
        final Device.Threads threads;

        Game(Device device, Device.Threads threads) {
            this.device = device;
            this.threads = threads;
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
            } else {
                err.println("unknown argument " + args[i]);
                System.exit(2);
            }
        }
        Thread.setDefaultUncaughtExceptionHandler((t, e) -> {
            Throwable cause = e instanceof java.lang.reflect.InvocationTargetException && e.getCause() != null
                    ? e.getCause() : e;
            err.println(cause);
            Device d = Device.of(t);
            if (d != null) {
                d.fail(cause);
            }
        });
        standby.prepareWindows();
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
        }
    }

    // ---- playing ----

    private void play(String id, String jad, String title, String scale) {
        if (!endGame()) {
            // A game that does not end keeps its threads: only a new process is rid of them.
            send("unavailable", id, "the last game did not end");
            System.exit(3);
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
        if (GraphicsEnvironment.isHeadless()) {
            send("unavailable", id, "no display");
            return;
        }
        try {
            int[] screen = file.screen();
            Device.Threads threads = new Device.Threads("game " + id);
            Device device = Device.create(screen[0], screen[1], threads);
            device.properties().putAll(file.properties);
            device.setGameLoader(loader);
            BufferedImage icon = file.icon();
            int times = Math.max(1, Integer.parseInt(scale));
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
            game = new Game(device, threads);
            send("playing", id);
            device.start(midlet);
            watch(game);
        } catch (Throwable e) {
            send("unavailable", id, String.valueOf(e));
        }
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
                Throwable t = d.failure();
                SwingUtilities.invokeLater(() -> window.failed(t));
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
            System.exit(3);
        }
        if (window != null) {
            SwingUtilities.invokeLater(window::hide);
        }
    }

    /** Ends the game playing, if any; false when its threads go on regardless. */
    private boolean endGame() {
        Game g = game;
        game = null;
        if (g == null) {
            return true;
        }
        Thread ender = new Thread(g.device::exit, "end");
        ender.setDaemon(true);
        ender.start();
        try {
            ender.join(1000);
            g.device.shutdown();
            long end = System.currentTimeMillis() + 1500;
            while (g.threads.activeCount() > 0 && System.currentTimeMillis() < end) {
                Thread.sleep(10);
            }
        } catch (InterruptedException e) {
            Thread.currentThread().interrupt();
        }
        return g.threads.activeCount() == 0;
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
