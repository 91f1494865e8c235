package kestrava.player;

import java.io.File;
import java.io.PrintStream;

import javax.swing.SwingUtilities;

import kestrava.player.script.Script;
import kestrava.player.standby.Standby;

/**
 * The player of packaged games: a small MIDP 2.0 phone on the desktop.
 *
 * <pre>
 * kestrava-player [--size WxH] [--scale N] [--title TEXT] GAME.jad|GAME.jar
 *     plays in a window: the arrow keys, Enter as FIRE, 0-9 * #, F1 and F2 as the soft keys;
 *     the screen is the one the game was made for (its Kestrava-Screen-Width and -Height) unless --size says
 *     --tell-first-frame: prints "frame" once the game's first frame is on the screen
 * kestrava-player --headless --script FILE [--frames DIR] [--size WxH] GAME.jad|GAME.jar
 *     plays a script without a window, tick by tick, and checks what the game shows
 *     --records DIR: the game keeps its record stores in a folder of its own under DIR (scripted play:
 *     in memory without it; else under the user's data folder)
 *     --translate-keeps-clip, --soft-keys-as-arrows: answers as some phones do (Device.likeOtherPhones)
 *     --sound-log FILE: every sound event, a line with its tick ("12 play s1.wav loop"), also into FILE
 * kestrava-player --listen SOUND.wav|.mid|.jts
 *     plays one sound on the desktop and ends with it (3: no audio device)
 *     --touch: a touch screen; the mouse touches it (the window's "Сенсорный экран" too)
 * kestrava-player --standby [--compiler JAR...]
 *     stays beside the editor, compiling and playing on its requests (Standby)
 * </pre>
 */
public final class Main {
    private Main() {
    }

    public static void main(String[] args) throws Exception {
        if (args.length > 0 && args[0].equals("--standby")) {
            Standby.main(java.util.Arrays.copyOfRange(args, 1, args.length));
            return;
        }
        PrintStream out = new PrintStream(System.out, true, "UTF-8");
        PrintStream err = new PrintStream(System.err, true, "UTF-8");
        if (args.length == 2 && args[0].equals("--listen")) {
            System.exit(DesktopSound.listen(new File(args[1]), err));
            return;
        }
        // The size the game was made for (its jad says it) unless asked for another.
        int width = 0;
        int height = 0;
        int scale = 3;
        String title = null;
        boolean tellFirstFrame = false;
        boolean headless = false;
        boolean translateKeepsClip = false;
        boolean softKeysAsArrows = false;
        boolean touch = false;
        File script = null;
        File frames = null;
        File records = null;
        File soundLog = null;
        File game = null;
        try {
            for (int i = 0; i < args.length; i++) {
                switch (args[i]) {
                case "--size": {
                    String[] wh = args[++i].split("x");
                    width = Integer.parseInt(wh[0]);
                    height = Integer.parseInt(wh[1]);
                    break;
                }
                case "--scale":
                    scale = Integer.parseInt(args[++i]);
                    break;
                case "--title":
                    title = args[++i];
                    break;
                case "--headless":
                    headless = true;
                    break;
                case "--tell-first-frame":
                    tellFirstFrame = true;
                    break;
                case "--script":
                    script = new File(args[++i]);
                    break;
                case "--frames":
                    frames = new File(args[++i]);
                    break;
                case "--records":
                    records = new File(args[++i]);
                    break;
                case "--sound-log":
                    soundLog = new File(args[++i]);
                    break;
                case "--translate-keeps-clip":
                    translateKeepsClip = true;
                    break;
                case "--soft-keys-as-arrows":
                    softKeysAsArrows = true;
                    break;
                case "--touch":
                    touch = true;
                    break;
                default:
                    if (args[i].startsWith("--") || game != null) {
                        throw new IllegalArgumentException("unknown argument " + args[i]);
                    }
                    game = new File(args[i]);
                }
            }
            if (game == null || width != 0 && !GameScreen.fits(width, height) || scale < 1
                    || headless != (script != null)) {
                throw new IllegalArgumentException("usage: kestrava-player [--size WxH] [--scale N] [--title TEXT] "
                        + "[--headless --script FILE [--frames DIR] [--sound-log FILE]] [--records DIR] "
                        + "[--translate-keeps-clip] [--soft-keys-as-arrows] [--touch] "
                        + "GAME.jad|GAME.jar");
            }
        } catch (RuntimeException e) {
            err.println(e.getMessage());
            System.exit(2);
        }
        if (headless) {
            System.setProperty("java.awt.headless", "true");
        }

        GameFile file;
        ClassLoader loader;
        try {
            file = GameFile.open(game);
            // Checked before anything of the game is loaded.
            loader = file.loader();
        } catch (Exception e) {
            err.println(e.getMessage());
            System.exit(1);
            return;
        }
        if (width == 0) {
            int[] screen = file.screen();
            width = screen[0];
            height = screen[1];
        }
        Device device = Device.create(width, height, headless);
        device.likeOtherPhones(translateKeepsClip, softKeysAsArrows);
        if (soundLog != null) {
            device.speaker().logTo(new PrintStream(new java.io.FileOutputStream(soundLog), true, "UTF-8"));
        }
        // A game made with on-screen buttons opens on a touch screen, as the phones it is made for.
        device.setTouchScreen(touch || "1".equals(file.properties.get("Kestrava-Touch-Buttons")));

        device.properties().putAll(file.properties);
        // Scripted play starts with no records unless a folder is named, so its runs repeat.
        if (records != null || !headless) {
            device.keepRecordsUnder(records == null ? null : records.toPath());
        }
        device.setGameLoader(loader);
        // The first failure is the game's; it is told where the face acts on it.
        Thread.setDefaultUncaughtExceptionHandler((t, e) -> device.fail(e));
        Memory.keepReserve();

        if (headless) {
            Memory.markBaseline();
            device.start(loader.loadClass(file.midletClass));
            boolean ok = new Script(device, frames, out).run(script);
            if (device.failure() != null) {
                err.println(device.failureText());
            }
            device.exit();
            System.exit(ok ? 0 : 1);
        }

        String name = title != null ? title : file.name;
        GameWindow[] window = new GameWindow[1];
        int s = scale;
        boolean tell = tellFirstFrame;
        java.awt.image.BufferedImage icon = file.icon();
        SwingUtilities.invokeAndWait(() -> {
            window[0] = new GameWindow(device, name, s, () -> {
                device.exit();
                window[0].dispose();
                System.exit(0);
            });
            if (tell) {
                window[0].onFirstPaint(() -> out.println("frame"));
            }
            if (icon != null) {
                window[0].setIcon(icon);
            }
            window[0].show();
        });
        device.start(loader.loadClass(file.midletClass));
        // The window lives until the game ends or the author closes it.
        while (!device.destroyed()) {
            if (device.failure() != null) {
                // The editor shows what the player says on its error stream when it ends with an error.
                String text = device.failureText();
                err.println(text);
                if (device.outOfMemory()) {
                    // Its threads may hold the memory still: only the end of the process frees it.
                    System.exit(1);
                }
                SwingUtilities.invokeAndWait(() -> window[0].failed(text));
                break;
            }
            synchronized (device) {
                device.wait(200);
            }
        }
        if (device.destroyed()) {
            SwingUtilities.invokeLater(window[0]::close);
        }
    }
}
