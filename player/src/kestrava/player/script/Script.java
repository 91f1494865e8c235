package kestrava.player.script;

import java.awt.image.BufferedImage;
import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.Arrays;
import java.util.List;

import javax.imageio.ImageIO;
import javax.microedition.lcdui.Command;

import kestrava.player.Commands;
import kestrava.player.Device;
import kestrava.player.Keys;
import kestrava.player.Memory;

/**
 * Plays a game from a script, one command a line, and checks what it shows:
 *
 * <pre>
 * ticks 10               let ten ticks (50 ms each) of the game run
 * press right            a key goes down (up down left right fire soft1 soft2 0..9 star pound)
 * release right
 * hold right 10          down for ten ticks, then up
 * tap fire               down and up, then one tick
 * touchscreen on         the screen reports pointer events (off: it has none)
 * touch 20 180           a finger down and up at that point of the screen, then one tick
 * touchdown 20 180       a finger goes down; also touchmove and touchup
 * touchhold 20 180 10    down for ten ticks, then up
 * command Выход          chooses a command of the screen
 * expect x 0 == 26       object 0's X; also y, visible, tip, frame, rawframe
 * expect stage == 2      also screen, and any value of the game by name: life, delraspx, obtime, ...
 * expect pixel 10 20 == #FF0000
 * expect count 0 0 128 20 #1030A0 >= 5     pixels of one colour in a rectangle
 * expect count screen #1030A0 >= 5         ... on the whole screen
 * expect fits #FFE040 == true              that colour is drawn, and not on the screen's outer pixels
 * expect onscreen 0 == true                object 0 is drawn whole on the screen
 * expect view == inside                    the screen shows only the level ("centred": a smaller level in the middle)
 * expect ended == true                     the game has ended
 * expect size == 176x208                   the phone's screen
 * expect heap <= 2097152                   bytes the game holds (the heap in use, collected, less the player's own)
 * echo firstframe                          ms from the MIDlet's start to its first frame
 * hide / show            the phone takes the screen and gives it back (hideNotify, showNotify)
 * pause / resume         the phone pauses the MIDlet and lets it go on (pauseApp, startApp)
 * still 10               the game draws nothing for ten ticks' time (it stands paused)
 * save start.png         the screen, into the frames folder
 * heard 12 play s1.wav loop                the sound log has this line (tick, then event)
 * unheard 13 40 play s1.wav                no event from tick 13 to 40 begins so
 * echo x 0               prints a value
 * </pre>
 */
public final class Script {
    private static final long FRAME_TIMEOUT_MS = 20000;

    private final Device device;
    private final Probe probe;
    private final File frames;
    private final PrintStream out;
    private int line;

    public Script(Device device, File frames, PrintStream out) {
        this.device = device;
        this.probe = new Probe(device);
        this.frames = frames;
        this.out = out;
    }

    /** Runs the script; true when every expectation held. */
    public boolean run(File script) throws IOException, InterruptedException {
        List<String> lines = Files.readAllLines(script.toPath(), StandardCharsets.UTF_8);
        if (frames != null) {
            // A failure of an earlier run must not be taken for this one's.
            Files.deleteIfExists(new File(frames, "failure.png").toPath());
        }
        device.awaitFrames(FRAME_TIMEOUT_MS);
        for (line = 1; line <= lines.size(); line++) {
            String text = lines.get(line - 1).trim();
            if (text.isEmpty() || text.startsWith("#")) {
                continue;
            }
            try {
                if (!step(text.split("\\s+"))) {
                    saveFailure();
                    return false;
                }
            } catch (RuntimeException e) {
                out.println(script.getName() + ":" + line + ": " + text + ": " + e);
                saveFailure();
                return false;
            }
            if (device.failure() != null) {
                out.println(script.getName() + ":" + line + ": the game failed: " + device.failureText());
                device.failure().printStackTrace(out);
                saveFailure();
                return false;
            }
        }
        return true;
    }

    private void saveFailure() {
        if (frames != null) {
            try {
                save("failure.png");
            } catch (IOException e) {
                out.println("could not save failure.png: " + e);
            }
        }
    }

    private boolean step(String[] w) throws IOException, InterruptedException {
        switch (w[0]) {
        case "ticks":
            ticks(Integer.parseInt(w[1]));
            return true;
        case "press":
            device.press(Keys.parse(w[1]));
            return true;
        case "release":
            device.release(Keys.parse(w[1]));
            return true;
        case "hold":
            device.press(Keys.parse(w[1]));
            ticks(Integer.parseInt(w[2]));
            device.release(Keys.parse(w[1]));
            return true;
        case "tap":
            device.press(Keys.parse(w[1]));
            device.release(Keys.parse(w[1]));
            ticks(1);
            return true;
        case "touchscreen":
            device.setTouchScreen(w[1].equals("on"));
            return true;
        case "touch":
            touchAt(Device.POINTER_PRESSED, w);
            touchAt(Device.POINTER_RELEASED, w);
            ticks(1);
            return true;
        case "touchdown":
            touchAt(Device.POINTER_PRESSED, w);
            return true;
        case "touchmove":
            touchAt(Device.POINTER_DRAGGED, w);
            return true;
        case "touchup":
            touchAt(Device.POINTER_RELEASED, w);
            return true;
        case "touchhold":
            touchAt(Device.POINTER_PRESSED, w);
            ticks(Integer.parseInt(w[3]));
            touchAt(Device.POINTER_RELEASED, w);
            return true;
        case "command":
            command(String.join(" ", Arrays.copyOfRange(w, 1, w.length)));
            return true;
        case "hide":
            device.hideScreen();
            return true;
        case "show":
            device.showScreen();
            return true;
        case "pause":
            device.pauseMidlet();
            return true;
        case "resume":
            device.resumeMidlet();
            return true;
        case "still":
            if (!device.standsStill(Integer.parseInt(w[1]))) {
                out.println("line " + line + ": the game went on drawing");
                return false;
            }
            return true;
        case "save":
            save(w[1]);
            return true;
        case "echo":
            out.println(String.join(" ", w) + " = " + query(Arrays.copyOfRange(w, 1, w.length)));
            return true;
        case "heard":
            return heard(String.join(" ", Arrays.copyOfRange(w, 1, w.length)));
        case "unheard":
            return unheard(Integer.parseInt(w[1]), Integer.parseInt(w[2]),
                    String.join(" ", Arrays.copyOfRange(w, 3, w.length)));
        case "expect":
            return expect(Arrays.copyOfRange(w, 1, w.length));
        default:
            throw new IllegalArgumentException("unknown command " + w[0]);
        }
    }

    private boolean heard(String line) {
        List<String> log = device.speaker().lines();
        if (log.contains(line)) {
            return true;
        }
        out.println("line " + this.line + ": the sound log lacks \"" + line + "\"; it holds " + log);
        return false;
    }

    private boolean unheard(int from, int to, String event) {
        for (String l : device.speaker().lines()) {
            int tick = Integer.parseInt(l.substring(0, l.indexOf(' ')));
            if (tick >= from && tick <= to && l.substring(l.indexOf(' ') + 1).startsWith(event)) {
                out.println("line " + line + ": heard \"" + l + "\"");
                return false;
            }
        }
        return true;
    }

    private void touchAt(int what, String[] w) {
        device.pointer(what, Integer.parseInt(w[1]), Integer.parseInt(w[2]));
    }

    private void ticks(int n) throws InterruptedException {
        device.advance(n, FRAME_TIMEOUT_MS);
    }

    private void command(String label) {
        for (Command c : Commands.of(device.shown())) {
            if (c.getLabel().equals(label)) {
                Commands.fire(device.shown(), c);
                device.runAndWait(() -> { });
                return;
            }
        }
        throw new IllegalArgumentException("the screen has no command " + label);
    }

    private void save(String name) throws IOException {
        if (frames == null) {
            return;
        }
        frames.mkdirs();
        ImageIO.write(device.snapshot(), "png", new File(frames, name));
    }

    private boolean expect(String[] w) {
        int op = w.length - 2;
        String want = w[w.length - 1];
        String[] what = Arrays.copyOfRange(w, 0, op);
        Object got = query(what);
        boolean ok = compare(got, w[op], want);
        if (!ok) {
            out.println("line " + line + ": expected " + String.join(" ", w) + ", got " + got);
            if (what[0].equals("shown")) {
                out.println("the frame on the screen drew " + device.shownTexts());
            }
        }
        return ok;
    }

    private Object query(String[] w) {
        switch (w[0]) {
        case "stage":
            return probe.stageNumber();
        case "screen":
            return probe.screen();
        case "x":
            return probe.sprite(Integer.parseInt(w[1])).getX();
        case "y":
            return probe.sprite(Integer.parseInt(w[1])).getY();
        case "visible":
            return probe.element("vis_obj", Integer.parseInt(w[1]));
        case "tip":
            return probe.element("objtip", Integer.parseInt(w[1]));
        case "frame":
            return probe.sprite(Integer.parseInt(w[1])).getFrame();
        case "rawframe":
            return probe.rawFrame(Integer.parseInt(w[1]));
        case "pixel":
            return String.format("#%06X", device.snapshot().getRGB(Integer.parseInt(w[1]), Integer.parseInt(w[2]))
                    & 0xFFFFFF);
        case "count":
            if (w[1].equals("screen")) {
                return count(0, 0, device.width(), device.height(), colour(w[2]));
            }
            return count(Integer.parseInt(w[1]), Integer.parseInt(w[2]), Integer.parseInt(w[3]),
                    Integer.parseInt(w[4]), colour(w[5]));
        case "fits":
            return fits(colour(w[1]));
        case "onscreen":
            return probe.onScreen(Integer.parseInt(w[1]));
        case "view":
            return probe.view();
        case "ended":
            return device.destroyed();
        case "size":
            return device.width() + "x" + device.height();
        case "heap":
            return Memory.gameBytes();
        case "firstframe":
            return device.firstFrameMillis();
        case "shown":
            // Whether the frame on the screen drew this text: "expect shown Очки: 10 == true".
            return device.shownTexts().contains(String.join(" ", Arrays.copyOfRange(w, 1, w.length)));
        case "sounds":
            return device.speaker().lines();
        default:
            if (w.length != 1) {
                throw new IllegalArgumentException("unknown value " + String.join(" ", w));
            }
            return probe.value(w[0]);
        }
    }

    private int count(int x, int y, int width, int height, int rgb) {
        BufferedImage shot = device.snapshot();
        int n = 0;
        for (int py = y; py < y + height && py < shot.getHeight(); py++) {
            for (int px = x; px < x + width && px < shot.getWidth(); px++) {
                if ((shot.getRGB(px, py) & 0xFFFFFF) == rgb) {
                    n++;
                }
            }
        }
        return n;
    }

    /** The colour is drawn, and nowhere on the screen's outermost rows and columns, where a cut text would touch. */
    private boolean fits(int rgb) {
        int w = device.width();
        int h = device.height();
        return count(0, 0, w, h, rgb) > 0 && count(0, 0, w, 1, rgb) == 0 && count(0, h - 1, w, 1, rgb) == 0
                && count(0, 0, 1, h, rgb) == 0 && count(w - 1, 0, 1, h, rgb) == 0;
    }

    private static int colour(String text) {
        return Integer.parseInt(text.startsWith("#") ? text.substring(1) : text, 16);
    }

    static boolean compare(Object got, String op, String want) {
        if (got instanceof Number) {
            long a = ((Number) got).longValue();
            long b = Long.parseLong(want);
            switch (op) {
            case "==":
                return a == b;
            case "!=":
                return a != b;
            case "<":
                return a < b;
            case "<=":
                return a <= b;
            case ">":
                return a > b;
            case ">=":
                return a >= b;
            default:
                throw new IllegalArgumentException("unknown comparison " + op);
            }
        }
        String a = String.valueOf(got);
        if (got instanceof String && ((String) got).startsWith("#")) {
            a = a.toUpperCase();
            want = want.toUpperCase();
        }
        switch (op) {
        case "==":
            return a.equals(want);
        case "!=":
            return !a.equals(want);
        default:
            throw new IllegalArgumentException(op + " compares numbers only");
        }
    }
}
