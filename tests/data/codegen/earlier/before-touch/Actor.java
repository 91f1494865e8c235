// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.game.Sprite;
import javax.microedition.lcdui.game.TiledLayer;

/**
 * An active object's sprite, and what it touches. The event sheet's collision
 * condition is true in the first run of the sheet in which the two touch, and
 * again only after they have been apart, as a key press counts once per press:
 * a touch that lasts a second costs one life, not one per run. (Sprite's own
 * collidesWith is final; the sheet's code, with two Actors, reaches this one.)
 * Movement asks whether an object may stand somewhere and what it touches.
 */
final class Actor extends Sprite {
    private final StageState stage;
    /** Per object touched: its sprite, the last run the two touched, the run the contact began. */
    private Actor[] partner = new Actor[0];
    private int[] lastRun = new int[0];
    private int[] firstRun = new int[0];
    private int partners;

    Actor(Image image, int frameWidth, int frameHeight, StageState stage) {
        super(image, frameWidth, frameHeight);
        this.stage = stage;
    }

    /** Destroyed by the sheet: the object is gone at once, drawn no more and touching nothing. */
    boolean gone;
    /** A place kept for an object the sheet makes (gone until made, and again once destroyed). */
    boolean spare;
    /** The run of the sheet that made it: the loops over its group see it from the next run. */
    int madeRun = -1;
    /** A made object flying straight: its direction (1 right .. 4 down; 0 none) and pixels a tick. */
    int flyDirection, flySpeed;

    /** The run in which the sheet destroyed it: the rest of that run still finds it where the row found it. */
    int goneRun = -1;

    void destroy() {
        gone = true;
        goneRun = stage.runs;
    }

    /** The sheet's loops over a group pass this object by: gone before this run, or made in it. */
    boolean away() {
        return gone && goneRun != stage.runs || madeRun == stage.runs;
    }

    boolean collidesWith(Actor other, boolean pixelLevel) {
        int i = 0;
        while (i < partners && partner[i] != other) {
            i++;
        }
        if (i < partners && lastRun[i] == stage.runs) {
            // A row with several actions asks again within the run: the same answer, though one destroyed the other.
            return firstRun[i] == stage.runs;
        }
        if (gone || other.gone) {
            return false;
        }
        if (!collidesWith((Sprite) other, pixelLevel)) {
            if (i < partners) {
                lastRun[i] = -1;
            }
            return false;
        }
        int run = stage.runs;
        if (i == partners) {
            grow();
            partner[i] = other;
            lastRun[i] = -1;
            partners++;
        }
        boolean fresh = lastRun[i] != run - 1;
        lastRun[i] = run;
        if (fresh) {
            firstRun[i] = run;
        }
        return fresh;
    }

    private void grow() {
        if (partners < partner.length) {
            return;
        }
        int n = partners * 2 + 2;
        Actor[] p = new Actor[n];
        int[] last = new int[n];
        int[] first = new int[n];
        System.arraycopy(partner, 0, p, 0, partners);
        System.arraycopy(lastRun, 0, last, 0, partners);
        System.arraycopy(firstRun, 0, first, 0, partners);
        partner = p;
        lastRun = last;
        firstRun = first;
    }

    // ---- the animation, as the sheet may steer it ----

    /** The state whose frames show (1 rest, 2 movement, 3 attack, 4 death), as Movement last chose it. */
    int state = 1;
    /** A state the sheet chose, or 0: the one the object's behaviour gives. */
    int chosenState;
    /** The sheet stopped the animation: the frame shown stays. */
    boolean held;
    /** Ticks a frame lasts; 0: the game's usual. */
    int ticksPerFrame;
    /** The raw frame of the strip the sheet showed, or -1 while a sequence plays. */
    int fixedFrame = -1;
    /** The sequence playing, raw frame numbers; null or empty: the strip as it is. */
    int[] sequence;

    void chooseState(int chosen) {
        chosenState = chosen >= 1 && chosen <= 4 ? chosen : 0;
    }

    void hold() {
        held = true;
    }

    /** The sheet starts the animation again: the state's sequence plays on, or from its start after a frame the sheet set. */
    void resume() {
        held = false;
        if (fixedFrame >= 0) {
            fixedFrame = -1;
            sequence = null; // Movement gives the sequence back on the next tick
        }
    }

    void frameSpeed(int ticks) {
        ticksPerFrame = ticks < 1 ? 1 : ticks;
    }

    /** Shows raw frame `raw` of the strip (wrapped into it) and holds it there until the sheet starts the animation again. */
    void showFrame(int raw) {
        int frames = getRawFrameCount();
        int f = raw % frames;
        if (f < 0) {
            f += frames;
        }
        setFrameSequence(null);
        setFrame(f);
        fixedFrame = f;
        held = true;
    }

    void stepFrame(int by) {
        showFrame(shownFrame() + by);
    }

    /** The raw frame of the strip on screen, counted from 0. */
    int shownFrame() {
        if (fixedFrame >= 0) {
            return fixedFrame;
        }
        int f = getFrame();
        return sequence != null && f < sequence.length ? sequence[f] : f;
    }

    // ---- what movement asks ----

    /** True when object k at (nx, ny) covers no blocking cell of an obstacle background. */
    static boolean free(StageState s, int k, int nx, int ny) {
        Sprite sprite = s.obj[k];
        boolean ok = true;
        for (int i = 0; i < s.fon.length && ok; i++) {
            if (s.fonObstacle[i] && blocks(s, i, nx, ny, sprite.getWidth(), sprite.getHeight())) {
                ok = false;
            }
        }
        return ok;
    }

    /**
     * Background i has a blocking cell under the rectangle: any cell holding a tile, or only those whose tile
     * the map editor marked solid when it marked any.
     */
    private static boolean blocks(StageState s, int i, int left, int top, int w, int h) {
        TiledLayer layer = s.fon[i];
        boolean[] solid = i < s.fonSolid.length ? s.fonSolid[i] : null;
        int cw = layer.getCellWidth();
        int ch = layer.getCellHeight();
        int c0 = Math.max(0, floorDiv(left - layer.getX(), cw));
        int r0 = Math.max(0, floorDiv(top - layer.getY(), ch));
        int c1 = Math.min(layer.getColumns() - 1, floorDiv(left + w - 1 - layer.getX(), cw));
        int r1 = Math.min(layer.getRows() - 1, floorDiv(top + h - 1 - layer.getY(), ch));
        for (int r = r0; r <= r1; r++) {
            for (int c = c0; c <= c1; c++) {
                int tile = layer.getCell(c, r);
                if (tile > 0 && (solid == null || tile < solid.length && solid[tile])) {
                    return true;
                }
            }
        }
        return false;
    }

    private static int floorDiv(int a, int b) {
        return a >= 0 ? a / b : -((-a + b - 1) / b);
    }

    // ---- touching the walls ----

    /** The run of the sheet at this tick's movement and at the one before. */
    private int tickRun = -2, lastTickRun = -3;
    /** The tick (its run) in which movement last found this object at a wall, and when that contact began. */
    private int wallRun = -4, wallFrom = -4;

    /** Movement of a new tick begins. */
    void tick() {
        lastTickRun = tickRun;
        tickRun = stage.runs;
    }

    /** Movement found the object against a blocking cell, or standing over one. */
    void againstWall() {
        if (wallRun == tickRun) {
            return;
        }
        if (wallRun != lastTickRun) {
            wallFrom = tickRun;
        }
        wallRun = tickRun;
    }

    /**
     * The sheet's collision with any background: true in the first run of the sheet after movement found a new
     * contact with a wall (the sheet runs before movement), and again only after a tick away from every wall.
     */
    boolean hitsWall() {
        return wallFrom == tickRun && wallRun == tickRun && stage.runs == tickRun + 1;
    }

    /** Object k touches visible object t where they are, a contact of any length. */
    static boolean touches(StageState s, int k, int t) {
        s.obj[k].setPosition(s.x[k], s.y[k]);
        s.obj[t].setPosition(s.x[t], s.y[t]);
        return s.vis_obj[t] && s.obj[k].collidesWith((Sprite) s.obj[t], false);
    }
}
