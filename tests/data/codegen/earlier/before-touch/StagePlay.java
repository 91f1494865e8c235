// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import java.util.Random;

/**
 * One tick of a stage: the keys of the tick, the runs of its event sheet with
 * the values they read made fresh and what they wrote put into play, the
 * stage's movement, and what a row asked of the canvas.
 */
abstract class StagePlay extends StageState {
    /** What a row asked of the canvas: the game ended or started anew, the stage started anew. */
    static final int PLAY_ON = 0, END_GAME = 1, RESTART_GAME = 2, RESTART_STAGE = 3;
    int request = PLAY_ON;

    private final Random random = new Random();
    /** A key went down for this tick: after its first run the sheet no longer sees the press. */
    private boolean fresh;
    /** The behaviour of every object before a run of the sheet, to see what it changed. */
    private int[] before = new int[0];

    /** The event sheet of the stage: runs once per step. */
    abstract void events();

    /**
     * A key went down. The key conditions see a press once: keyCode1, anykey
     * and dbkey hold it for the first step of the next tick only.
     */
    final void press(int rawCode, int code, int tick) {
        digitKey(rawCode, true);
        fresh = true;
        anykey = true;
        int twice = keys.press(code, tick);
        if (twice != NO_KEY) {
            dbkey = twice;
        }
    }

    final void release(int rawCode, int code) {
        digitKey(rawCode, false);
        keys.keyCode2 = code;
    }

    /** The end-of-game action: the sheet runs once more with its end-of-game condition true, then the game is over. */
    final void endGame() {
        request = END_GAME;
    }

    /** The restart-game action: stage 1 with the lives, speed and timers of a new game. */
    final void restartGame() {
        request = RESTART_GAME;
    }

    /**
     * The next-stage action. It counts from the stage the run began on, so a row that runs for
     * several objects of a group in one run moves on one stage, not one per object.
     */
    final void nextStage() {
        etap = level;
    }

    /** The previous-stage action, counted as nextStage is; before stage 1 means stage 1 anew. */
    final void previousStage() {
        etap = level - 2;
    }

    /** The condition on every object of group g being visible; false for a group with no objects here. */
    final boolean allVisible(int g) {
        return allShown(g, true);
    }

    /** The condition on every object of group g being hidden; false for a group with no objects here. */
    final boolean allHidden(int g) {
        return allShown(g, false);
    }

    /**
     * "создать объект": a spare place of group g takes an object at (dx, dy) from object `near`, or at that point
     * of the map when near is -1, flying in direction dir (0 none) at speed pixels a tick. With every place of
     * the group taken nothing happens: the capacity is the game's, not an error.
     */
    final void make(int g, int near, int dx, int dy, int dir, int speed) {
        if (g < 0 || g > MAX_GROUPS) {
            return;
        }
        int k = -1;
        for (int i = 0; i < kol_obj[g] && k < 0; i++) {
            int o = gr_obj[g][i];
            if (obj[o].spare && obj[o].gone) {
                k = o;
            }
        }
        if (k < 0) {
            return;
        }
        int nx = near >= 0 && near < obj.length ? raspxobd[near] + dx : dx;
        int ny = near >= 0 && near < obj.length ? raspyobd[near] + dy : dy;
        Actor a = obj[k];
        a.gone = false;
        a.madeRun = runs;
        a.flyDirection = dir >= 1 && dir <= 4 ? dir : 0;
        a.flySpeed = speed < 1 ? 1 : speed;
        a.chosenState = 0;
        a.held = false;
        a.fixedFrame = -1;
        a.ticksPerFrame = 0;
        a.sequence = null;
        x[k] = homeX[k] = raspxobd[k] = nx;
        y[k] = homeY[k] = raspyobd[k] = ny;
        vis_obj[k] = true;
        objtip[k] = Movement.REST;
        before[k] = Movement.REST;
        direction[k] = a.flyDirection > 0 ? a.flyDirection : Movement.RIGHT;
        pathAt[k] = 0;
        deathTicks[k] = 0;
        frameTicks[k] = 0;
        showing[k] = null;
        a.setPosition(nx, ny);
    }

    /** A destroyed object is hidden for good: all hidden counts it, all visible asks only of the others. */
    private boolean allShown(int g, boolean shown) {
        if (g < 0 || g > MAX_GROUPS || kol_obj[g] == 0) {
            return false;
        }
        boolean any = false;
        for (int i = 0; i < kol_obj[g]; i++) {
            int k = gr_obj[g][i];
            if (shown && obj[k].gone) {
                continue;
            }
            any = true;
            if (vis_obj[k] != shown) {
                return false;
            }
        }
        return any;
    }

    /** The restart-stage action: this stage from its start; the lives stay as they are, if any are left. */
    final void restartStage() {
        request = RESTART_STAGE;
    }

    /** Advances the stage by one tick of game time. */
    final void tick(int keyStates) {
        int start = etap;
        edgeSetX = false;
        edgeSetY = false;
        for (int t = 0; t < MyGameCanvas.TICK; t += STEP) {
            boolean noLives = life <= 0;
            step();
            if (fresh) {
                fresh = false;
                keys.keyCode1 = 0;
                anykey = false;
                dbkey = NO_KEY;
            }
            obtime += STEP;
            if (request == END_GAME) {
                etap = start;
                etap_game = "end";
                step();
                request = PLAY_ON;
                return;
            }
            if (request != PLAY_ON) {
                return;
            }
            if (etap != start) {
                // The sheet runs once more with the end-of-stage condition true, then the
                // next stage starts. It runs from the old stage number, so the row that
                // changed the stage gives the same stage again and not one further.
                int next = etap;
                etap_level = "end";
                if (MyGameCanvas.stageClass(next) == null) {
                    etap_game = "end";
                }
                etap = start;
                step();
                if (etap == start) {
                    etap = next;
                }
                return;
            }
            // Lives gone before this run and not given back by it: the game is lost.
            if (noLives && life <= 0 || etap_game == "end") {
                etap_game = "end";
                step();
                return;
            }
        }
        if (safeTicks > 0) {
            safeTicks--;
        }
        Movement.move(this, keyStates);
        Movement.contact(this);
        Movement.animate(this);
        StageView.follow(this, !edgeSetX, !edgeSetY);
        place();
        if (problemTicks > 0) {
            problemTicks--;
        }
    }

    /** One run of the event sheet, with the values it reads fresh and what it wrote put into play. */
    private void step() {
        obtime_hour = obtime / 3600000;
        obtime_minute = obtime / 60000 % 60;
        obtime_second = obtime / 1000 % 60;
        obtime_hundred = obtime / 10 % 100;
        number = random.nextInt(100);
        int alive = 0;
        for (int k = 0; k < obj.length; k++) {
            raspxobd[k] = x[k];
            raspyobd[k] = y[k];
            obj[k].setPosition(x[k], y[k]);
            obj[k].setVisible(vis_obj[k]);
            if (vis_obj[k] && objtip[k] != Movement.DEATH) {
                alive++;
            }
        }
        nobject = alive;
        if (before.length != obj.length) {
            before = new int[obj.length];
        }
        System.arraycopy(objtip, 0, before, 0, obj.length);
        int scoreBefore = score;
        // An edge action of the sheet leaves its value here; one that did not run leaves the view as it was.
        int viewX = delraspx;
        int viewY = delraspy;
        delraspx = EDGE_UNSET;
        delraspy = EDGE_UNSET;
        runs++;
        try {
            events();
        } catch (RuntimeException e) {
            // One broken row must not stop the game; the author sees it on the screen.
            // The message in Russian: "an error in the events of stage N".
            problem = new StringBuffer("\u041e\u0448\u0438\u0431\u043a\u0430 \u0432 "
                    + "\u0441\u043e\u0431\u044b\u0442\u0438\u044f\u0445 \u044d\u0442\u0430\u043f\u0430 ")
                    .append(level).append(": ").append(e.toString()).toString();
            problemTicks = 60;
        }
        if (delraspx == EDGE_UNSET) {
            delraspx = viewX;
        } else {
            edgeSetX = true;
        }
        if (delraspy == EDGE_UNSET) {
            delraspy = viewY;
        } else {
            edgeSetY = true;
        }
        if (score != scoreBefore) {
            speed = score;
        }
        if (life > maxLife) {
            maxLife = life;
        }
        for (int k = 0; k < obj.length; k++) {
            // The set-X and set-Y actions put the object there.
            x[k] = raspxobd[k];
            y[k] = raspyobd[k];
            if (objtip[k] != before[k]) {
                Movement.behaviourChanged(this, k);
            }
            if (obj[k].gone) {
                // No action brings a destroyed object back.
                vis_obj[k] = false;
            }
            obj[k].setPosition(x[k], y[k]);
            obj[k].setVisible(vis_obj[k]);
        }
    }
}
