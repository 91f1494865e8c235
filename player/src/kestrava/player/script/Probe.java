package kestrava.player.script;

import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;

import javax.microedition.lcdui.Displayable;
import javax.microedition.lcdui.game.Sprite;

import kestrava.player.Device;

/**
 * Reads the state of a running game made by the converter, for game tests: the
 * shown canvas is the game's MyGameCanvas, its `stage` field the stage playing,
 * whose values are its own or its superclasses'.
 * Read only while the game's thread waits between two ticks.
 */
public final class Probe {
    private final Device device;

    public Probe(Device device) {
        this.device = device;
    }

    private Object canvas() {
        Displayable d = device.shown();
        if (d == null) {
            throw new IllegalStateException("nothing is shown");
        }
        return d;
    }

    private Object stage() {
        Object s = field(canvas(), "stage");
        if (s == null) {
            throw new IllegalStateException("no stage is playing (screen " + screen() + ")");
        }
        return s;
    }

    /** "playing", "won", "lost" or "broken". */
    public String screen() {
        int s = ((Number) field(canvas(), "screen")).intValue();
        switch (s) {
        case 0:
            return "playing";
        case 1:
            return "won";
        case 2:
            return "lost";
        case 4:
            return "title";
        default:
            return "broken";
        }
    }

    /** The stage playing as the author counts them, from 1; 0 for none. */
    public int stageNumber() {
        return field(canvas(), "stage") == null ? 0 : ((Number) field(canvas(), "stageIndex")).intValue() + 1;
    }

    /** A field of the stage (its own, the runtime's, or a static one); failing that, of the canvas. */
    public Object value(String name) {
        int dot = name.indexOf('.');
        if (dot > 0) {
            // A static of another class of the game: GameValues.v0.
            try {
                Class<?> type = Class.forName(name.substring(0, dot), true, device.gameLoader());
                Field f = find(type, name.substring(dot + 1));
                if (f == null || !Modifier.isStatic(f.getModifiers())) {
                    throw new IllegalArgumentException("the game has no value named " + name);
                }
                f.setAccessible(true);
                return f.get(null);
            } catch (ReflectiveOperationException e) {
                throw new IllegalArgumentException("the game has no value named " + name);
            }
        }
        Object s = field(canvas(), "stage");
        if (s != null && find(s.getClass(), name) != null) {
            return field(s, name);
        }
        // Between stages the values kept from stage to stage are still there, as statics of the stage's classes.
        Field stageField = find(canvas().getClass(), "stage");
        Field f = stageField == null ? null : find(stageField.getType(), name);
        if (f != null && Modifier.isStatic(f.getModifiers())) {
            try {
                f.setAccessible(true);
                return f.get(null);
            } catch (IllegalAccessException e) {
                throw new IllegalStateException(e);
            }
        }
        return field(canvas(), name);
    }

    /** Element k of an array field of the stage. */
    public Object element(String name, int k) {
        Object array = field(stage(), name);
        if (k < 0 || k >= Array.getLength(array)) {
            throw new IllegalArgumentException(name + " has " + Array.getLength(array) + " elements, not " + (k + 1));
        }
        return Array.get(array, k);
    }

    public Sprite sprite(int k) {
        return (Sprite) element("obj", k);
    }

    /** The frame of its picture object k shows now. */
    public int rawFrame(int k) {
        try {
            Method m = Sprite.class.getDeclaredMethod("rawFrame");
            m.setAccessible(true);
            return (Integer) m.invoke(sprite(k));
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException(e);
        }
    }

    /** Object k is visible and drawn whole on the screen. */
    public boolean onScreen(int k) {
        Sprite s = sprite(k);
        int left = s.getX() - number("delraspx");
        int top = s.getY() - number("delraspy");
        return s.isVisible() && left >= 0 && top >= 0 && left + s.getWidth() <= device.width()
                && top + s.getHeight() <= device.height();
    }

    /**
     * "inside" when the screen shows only the level, "centred" when a level
     * narrower or lower than the screen stands in its middle (to a pixel) and
     * the screen shows the rest of it, else "outside".
     */
    public String view() {
        boolean centred = false;
        String[][] axes = {{"delraspx", "levelLeft", "levelRight"}, {"delraspy", "levelTop", "levelBottom"}};
        int[] screen = {device.width(), device.height()};
        for (int a = 0; a < 2; a++) {
            int edge = number(axes[a][0]);
            int low = number(axes[a][1]);
            int high = number(axes[a][2]);
            if (high - low >= screen[a]) {
                if (edge < low || edge + screen[a] > high) {
                    return "outside";
                }
            } else {
                int before = low - edge;
                int after = edge + screen[a] - high;
                if (before < 0 || after < 0 || Math.abs(before - after) > 1) {
                    return "outside";
                }
                centred = true;
            }
        }
        return centred ? "centred" : "inside";
    }

    private int number(String name) {
        return ((Number) field(stage(), name)).intValue();
    }

    static Field find(Class<?> type, String name) {
        for (Class<?> c = type; c != null; c = c.getSuperclass()) {
            for (Field f : c.getDeclaredFields()) {
                if (f.getName().equals(name)) {
                    return f;
                }
            }
        }
        return null;
    }

    static Object field(Object target, String name) {
        Field f = find(target.getClass(), name);
        if (f == null) {
            throw new IllegalArgumentException("the game has no value named " + name);
        }
        try {
            f.setAccessible(true);
            return f.get(Modifier.isStatic(f.getModifiers()) ? null : target);
        } catch (IllegalAccessException e) {
            throw new IllegalStateException(e);
        }
    }
}
