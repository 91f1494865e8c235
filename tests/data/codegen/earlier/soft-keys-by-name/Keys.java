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
        int action = 0;
        try {
            action = canvas.getGameAction(keyCode);
        } catch (IllegalArgumentException e) {
            action = 0;
        }
        int soft = softKey(canvas, keyCode, action);
        if (soft != 0) {
            return soft;
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
     * keys (-6/-7 most, -21/-22 some, -1/-4 others, where those are
     * no arrows): the key's name says it where the phone names it, else a
     * code of that list that gives no game action.
     */
    private static int softKey(Canvas canvas, int keyCode, int action) {
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
        if (action != 0) {
            return 0;
        }
        switch (keyCode) {
        case -6:
        case -21:
        case -1:
            return LEFT_SOFT;
        case -7:
        case -22:
        case -4:
            return RIGHT_SOFT;
        default:
            return 0;
        }
    }
}
