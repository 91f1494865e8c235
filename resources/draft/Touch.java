// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

/**
 * The touch screen. The phone's pointer events are queued by its thread and
 * applied at the start of a tick, as keys are: the sheet sees a touch begin
 * and end once each, where it was on the level map. With the on-screen
 * buttons shown, a touch on the direction pad or the fire button is no touch
 * of the screen but the keys they stand for, held while the finger stays on
 * them; the canvas turns them into key events.
 */
final class Touch {
    /** Pointer events, as the canvas passes them on. */
    static final int PRESS = 0, DRAG = 1, RELEASE = 2;

    /** What the sheet reads: where the last touch was on the level map, and a touch begun or ended in this run. */
    int x, y;
    boolean pressed, released;

    /** Since the last tick, from the phone's thread: a touch begun or ended, and where on the screen. */
    private boolean pressCame, releaseCame;
    private int screenX, screenY;

    /** The game actions of the buttons under the finger, as bits (1 << action); latched until the tick reads them. */
    private int held, latched;
    /** The finger went down on the buttons: it stays on them until it is lifted. */
    private boolean onButtons;

    /** The buttons' picture and the screen it was made for. */
    private Image buttons;
    private int buttonsWidth, buttonsHeight;

    /** The sheet has had its run: what came is seen once. */
    void seen() {
        pressed = false;
        released = false;
    }

    /** A new stage: nothing touched yet. */
    void clear() {
        seen();
        synchronized (this) {
            pressCame = false;
            releaseCame = false;
        }
    }

    /**
     * A pointer event at (sx, sy) on the screen. With the buttons shown, the bits of the game actions it lets go
     * of are answered in the high half and those it presses in the low half; the canvas sends them as keys.
     */
    synchronized int pointer(int sx, int sy, int what, boolean shown, int width, int height) {
        int before = held;
        if (what == PRESS) {
            onButtons = shown && actionsAt(sx, sy, width, height) != -1;
        }
        if (onButtons) {
            int now = what == RELEASE ? 0 : Math.max(actionsAt(sx, sy, width, height), 0);
            held = now;
            latched |= now;
            if (what == RELEASE) {
                onButtons = false;
            }
            return (before & ~now) << 16 | (now & ~before);
        }
        screenX = sx;
        screenY = sy;
        if (what == PRESS) {
            pressCame = true;
        } else if (what == RELEASE) {
            releaseCame = true;
        }
        return 0;
    }

    /** At the start of a tick: the touches that came, for the sheet, on the map under the view at (viewX, viewY). */
    synchronized void apply(int viewX, int viewY) {
        if (pressCame || releaseCame) {
            x = screenX + viewX;
            y = screenY + viewY;
        }
        pressed = pressCame;
        released = releaseCame;
        pressCame = false;
        releaseCame = false;
    }

    /**
     * The getKeyStates() bits (1 << action, as GameCanvas.UP_PRESSED ..) of the buttons held, or pressed and let
     * go since the last tick.
     */
    synchronized int states() {
        int bits = held | latched;
        latched = 0;
        return bits;
    }

    /** The side of a cell of the pad: an eighth of the shorter side of the screen, 12 pixels at least. */
    private static int cell(int width, int height) {
        return Math.max(12, Math.min(width, height) / 8);
    }

    /**
     * The game actions (bits) at a point of the screen: the pad's eight directions (a corner is two) in the lower
     * left corner, FIRE in the lower right; 0 in the pad's middle, -1 off the buttons.
     */
    static int actionsAt(int sx, int sy, int width, int height) {
        int c = cell(width, height);
        int left = c / 4;
        int top = height - c / 4 - 3 * c;
        if (sx >= left && sx < left + 3 * c && sy >= top && sy < top + 3 * c) {
            int col = (sx - left) / c;
            int row = (sy - top) / c;
            int bits = 0;
            if (row == 0) {
                bits |= 1 << Canvas.UP;
            } else if (row == 2) {
                bits |= 1 << Canvas.DOWN;
            }
            if (col == 0) {
                bits |= 1 << Canvas.LEFT;
            } else if (col == 2) {
                bits |= 1 << Canvas.RIGHT;
            }
            return bits;
        }
        int r = c;
        int cx = width - c / 4 - r;
        int cy = top + 3 * c / 2;
        if ((sx - cx) * (sx - cx) + (sy - cy) * (sy - cy) <= r * r) {
            return 1 << Canvas.FIRE;
        }
        return -1;
    }

    /** Draws the buttons over the game, see-through, made once for the screen. */
    void paint(Graphics g, int width, int height) {
        if (buttons == null || buttonsWidth != width || buttonsHeight != height) {
            buttons = picture(width, height);
            buttonsWidth = width;
            buttonsHeight = height;
        }
        int c = cell(width, height);
        g.drawImage(buttons, 0, height - c / 4 - 3 * c, Graphics.TOP | Graphics.LEFT);
    }

    /** The strip of the screen holding the buttons, as ARGB: light and half transparent, the arrows darker. */
    private static Image picture(int width, int height) {
        int c = cell(width, height);
        int h = 3 * c;
        int top = height - c / 4 - h;
        int[] argb = new int[width * h];
        int light = 0x70E0E0E0;
        int dark = 0xA0303030;
        for (int py = 0; py < h; py++) {
            for (int px = 0; px < width; px++) {
                int a = actionsAt(px, top + py, width, height);
                if (a <= 0) {
                    continue;
                }
                int colour = light;
                if (a == 1 << Canvas.FIRE) {
                    int cx = width - c / 4 - c;
                    int cy = top + 3 * c / 2 - top;
                    int d = (px - cx) * (px - cx) + (py - cy) * (py - cy);
                    colour = d >= (c - 2) * (c - 2) || d <= (c / 3) * (c / 3) ? dark : light;
                } else {
                    int u = (px - c / 4) % c;
                    int v = py % c;
                    colour = arrow(a, u, v, c) || u == 0 || v == 0 || u == c - 1 || v == c - 1 ? dark : light;
                }
                argb[py * width + px] = colour;
            }
        }
        return Image.createRGBImage(argb, width, h, true);
    }

    /** Whether (u, v) of a pad cell lies in the triangle pointing where its cell leads. */
    private static boolean arrow(int actions, int u, int v, int c) {
        int m = c / 2;
        int du = u - m;
        int dv = v - m;
        int reach = c / 4;
        if ((actions & 1 << Canvas.UP) != 0 && (actions & (1 << Canvas.LEFT | 1 << Canvas.RIGHT)) == 0) {
            return dv >= -reach && dv <= reach / 2 && Math.abs(du) <= dv + reach;
        }
        if ((actions & 1 << Canvas.DOWN) != 0 && (actions & (1 << Canvas.LEFT | 1 << Canvas.RIGHT)) == 0) {
            return dv <= reach && dv >= -reach / 2 && Math.abs(du) <= reach - dv;
        }
        if (actions == 1 << Canvas.LEFT) {
            return du >= -reach && du <= reach / 2 && Math.abs(dv) <= du + reach;
        }
        if (actions == 1 << Canvas.RIGHT) {
            return du <= reach && du >= -reach / 2 && Math.abs(dv) <= reach - du;
        }
        // A corner: a small square toward it.
        return Math.abs(du) <= reach / 2 && Math.abs(dv) <= reach / 2;
    }
}
