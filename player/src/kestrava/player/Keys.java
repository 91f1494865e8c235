package kestrava.player;

import java.lang.reflect.Method;
import java.util.List;

import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Command;
import javax.microedition.lcdui.Displayable;
import javax.microedition.lcdui.game.GameCanvas;

/** The keypad: key codes, their game actions and names, and how a key reaches a screen. */
public final class Keys {
    private Keys() {
    }

    /** The game action of a key: the navigation keys and 2, 4, 6, 8, 5 as on most phones. 0 for none. */
    static int gameAction(int keyCode) {
        switch (keyCode) {
        case Device.KEY_UP:
        case Canvas.KEY_NUM2:
            return Canvas.UP;
        case Device.KEY_DOWN:
        case Canvas.KEY_NUM8:
            return Canvas.DOWN;
        case Device.KEY_LEFT:
        case Canvas.KEY_NUM4:
            return Canvas.LEFT;
        case Device.KEY_RIGHT:
        case Canvas.KEY_NUM6:
            return Canvas.RIGHT;
        case Device.KEY_FIRE:
        case Canvas.KEY_NUM5:
            return Canvas.FIRE;
        case Canvas.KEY_NUM1:
            return Canvas.GAME_A;
        case Canvas.KEY_NUM3:
            return Canvas.GAME_B;
        case Canvas.KEY_NUM7:
            return Canvas.GAME_C;
        case Canvas.KEY_NUM9:
            return Canvas.GAME_D;
        default:
            return 0;
        }
    }

    static boolean isKey(int keyCode) {
        return keyCode >= Device.KEY_SOFT2 && keyCode <= Device.KEY_UP
                || keyCode >= Canvas.KEY_NUM0 && keyCode <= Canvas.KEY_NUM9
                || keyCode == Canvas.KEY_STAR || keyCode == Canvas.KEY_POUND;
    }

    /** The key that gives a game action first. */
    static int keyCode(int gameAction) {
        switch (gameAction) {
        case Canvas.UP:
            return Device.KEY_UP;
        case Canvas.DOWN:
            return Device.KEY_DOWN;
        case Canvas.LEFT:
            return Device.KEY_LEFT;
        case Canvas.RIGHT:
            return Device.KEY_RIGHT;
        case Canvas.FIRE:
            return Device.KEY_FIRE;
        case Canvas.GAME_A:
            return Canvas.KEY_NUM1;
        case Canvas.GAME_B:
            return Canvas.KEY_NUM3;
        case Canvas.GAME_C:
            return Canvas.KEY_NUM7;
        case Canvas.GAME_D:
            return Canvas.KEY_NUM9;
        default:
            throw new IllegalArgumentException("no game action " + gameAction);
        }
    }

    static String name(int keyCode) {
        switch (keyCode) {
        case Device.KEY_UP:
            return "Up";
        case Device.KEY_DOWN:
            return "Down";
        case Device.KEY_LEFT:
            return "Left";
        case Device.KEY_RIGHT:
            return "Right";
        case Device.KEY_FIRE:
            return "Select";
        case Device.KEY_SOFT1:
            return "Soft1";
        case Device.KEY_SOFT2:
            return "Soft2";
        case Canvas.KEY_STAR:
            return "*";
        case Canvas.KEY_POUND:
            return "#";
        default:
            if (keyCode >= Canvas.KEY_NUM0 && keyCode <= Canvas.KEY_NUM9) {
                return String.valueOf((char) keyCode);
            }
            throw new IllegalArgumentException("no key " + keyCode);
        }
    }

    /** A key of a script: "up", "fire", "5", "star", "soft1", or a key code. */
    public static int parse(String word) {
        switch (word.toLowerCase()) {
        case "up":
            return Device.KEY_UP;
        case "down":
            return Device.KEY_DOWN;
        case "left":
            return Device.KEY_LEFT;
        case "right":
            return Device.KEY_RIGHT;
        case "fire":
            return Device.KEY_FIRE;
        case "soft1":
            return Device.KEY_SOFT1;
        case "soft2":
            return Device.KEY_SOFT2;
        case "star":
        case "*":
            return Canvas.KEY_STAR;
        case "pound":
        case "#":
            return Canvas.KEY_POUND;
        default:
            if (word.length() == 1 && Character.isDigit(word.charAt(0))) {
                return word.charAt(0);
            }
            return Integer.parseInt(word);
        }
    }

    /** A key event for a canvas: its game key state first, then keyPressed or keyReleased. */
    static void deliver(Canvas canvas, int keyCode, boolean down) {
        try {
            boolean suppressed = false;
            if (canvas instanceof GameCanvas) {
                Method state = GameCanvas.class.getDeclaredMethod("keyState", int.class, boolean.class);
                state.setAccessible(true);
                suppressed = (Boolean) state.invoke(canvas, gameAction(keyCode), down);
            }
            if (!suppressed) {
                Method m = Canvas.class.getDeclaredMethod(down ? "keyPressed" : "keyReleased", int.class);
                m.setAccessible(true);
                m.invoke(canvas, keyCode);
            }
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException(e.getCause() != null ? e.getCause() : e);
        }
    }

    /** A pointer event (Device.POINTER_PRESSED ..) for the canvas. */
    static void pointer(Canvas canvas, int what, int x, int y) {
        String name = what == Device.POINTER_PRESSED ? "pointerPressed"
                : what == Device.POINTER_DRAGGED ? "pointerDragged" : "pointerReleased";
        try {
            Method m = Canvas.class.getDeclaredMethod(name, int.class, int.class);
            m.setAccessible(true);
            m.invoke(canvas, x, y);
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException(e.getCause() != null ? e.getCause() : e);
        }
    }

    /** A soft key on a screen that is not a canvas chooses its first command. */
    static void softKey(Displayable d, int keyCode) {
        if (keyCode == Device.KEY_SOFT1 || keyCode == Device.KEY_SOFT2) {
            List<Command> commands = Commands.of(d);
            if (!commands.isEmpty()) {
                Commands.fire(d, commands.get(keyCode == Device.KEY_SOFT1 ? 0 : commands.size() - 1));
            }
        }
    }
}
