// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import javax.microedition.lcdui.Canvas;

/**
 * The keys as the event sheet knows them: the phone's key codes made the
 * sheet's, and a stage's key just pressed, key released and double presses.
 * Every stage's sheet sees its Keys under the names etap1data .. etap20data.
 */
final class Keys {
    /** The soft keys as the event sheet knows them. */
    static final int LEFT_SOFT = -6, RIGHT_SOFT = -7;
    /** A second press of a key within this many ticks (300 ms) is a double press. */
    static final int DOUBLE_PRESS_TICKS = 6;

    /** The key just pressed (as the sheet counts keys) for one step, else 0. */
    int keyCode1;
    /** The key released last. */
    int keyCode2;
    /** The key that was pressed last and at which tick, for double presses. */
    private int lastKey = StageState.NO_KEY;
    private int lastPressTick = -1000;

    /**
     * The key `code` went down at `tick`: its name for the double-press
     * condition when it was pressed twice within 300 ms, else NO_KEY.
     */
    int press(int code, int tick) {
        keyCode1 = code;
        if (code == lastKey && tick - lastPressTick <= DOUBLE_PRESS_TICKS) {
            lastKey = StageState.NO_KEY;
            return code >= Canvas.KEY_NUM0 && code <= Canvas.KEY_NUM9 ? code - Canvas.KEY_NUM0 : code;
        }
        lastKey = code;
        lastPressTick = tick;
        return StageState.NO_KEY;
    }

    /**
     * The key codes the event sheet compares with: the digits, "*" and "#" as
     * they are, the navigation keys and FIRE as -1 .. -5 and the soft keys as
     * -6 and -7 whatever codes the phone gives them; 0 for a key the game does
     * not know (volume, camera, ...), which it ignores.
     */
    static int sheetCode(Canvas canvas, int keyCode) {
        if (keyCode >= Canvas.KEY_NUM0 && keyCode <= Canvas.KEY_NUM9 || keyCode == Canvas.KEY_STAR
                || keyCode == Canvas.KEY_POUND) {
            return keyCode;
        }
        int soft = softKey(canvas, keyCode);
        if (soft != 0) {
            return soft;
        }
        int action = 0;
        try {
            action = canvas.getGameAction(keyCode);
        } catch (IllegalArgumentException e) {
            action = 0;
        }
        switch (action) {
        case Canvas.UP:
            return -1;
        case Canvas.DOWN:
            return -2;
        case Canvas.LEFT:
            return -3;
        case Canvas.RIGHT:
            return -4;
        case Canvas.FIRE:
            return -5;
        default:
            return 0;
        }
    }

    /**
     * LEFT_SOFT, RIGHT_SOFT or 0. Phones send different codes for their soft
     * keys (-6/-7 most, -21/-22 and 21/22 some, -202/-203 others, -1/-4 a few
     * whose arrows send other codes), and some give them a game action or a
     * name of an arrow: a code of that list is a soft key whatever the phone
     * says of it, unless the phone's arrows or FIRE send it; another key is
     * one when its name says so.
     */
    private static int softKey(Canvas canvas, int keyCode) {
        int soft = 0;
        switch (keyCode) {
        case -6:
        case -21:
        case 21:
        case -202:
        case -1:
            soft = LEFT_SOFT;
            break;
        case -7:
        case -22:
        case 22:
        case -203:
        case -4:
            soft = RIGHT_SOFT;
            break;
        default:
            break;
        }
        if (soft != 0) {
            return isArrowOrFire(canvas, keyCode) ? 0 : soft;
        }
        String name = null;
        try {
            name = canvas.getKeyName(keyCode);
        } catch (IllegalArgumentException e) {
            name = null;
        }
        if (name != null) {
            name = name.toUpperCase();
            if (name.indexOf("SOFT") >= 0) {
                return name.indexOf('2') >= 0 || name.indexOf("RIGHT") >= 0 ? RIGHT_SOFT : LEFT_SOFT;
            }
        }
        return 0;
    }

    private static boolean isArrowOrFire(Canvas canvas, int keyCode) {
        return keyCode == canvas.getKeyCode(Canvas.UP) || keyCode == canvas.getKeyCode(Canvas.DOWN)
                || keyCode == canvas.getKeyCode(Canvas.LEFT) || keyCode == canvas.getKeyCode(Canvas.RIGHT)
                || keyCode == canvas.getKeyCode(Canvas.FIRE);
    }
}
