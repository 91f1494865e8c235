// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.game.Sprite;

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

    boolean collidesWith(Actor other, boolean pixelLevel) {
        int i = 0;
        while (i < partners && partner[i] != other) {
            i++;
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
        if (lastRun[i] == run) {
            // A row with several actions asks again within the run: the same answer.
            return firstRun[i] == run;
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

    // ---- what movement asks ----

    /** True when object k at (nx, ny) covers no cell of an obstacle background. */
    static boolean free(StageState s, int k, int nx, int ny) {
        Sprite sprite = s.obj[k];
        sprite.setPosition(nx, ny);
        boolean ok = true;
        for (int i = 0; i < s.fon.length && ok; i++) {
            if (s.fonObstacle[i] && sprite.collidesWith(s.fon[i], false)) {
                ok = false;
            }
        }
        sprite.setPosition(s.x[k], s.y[k]);
        return ok;
    }

    /** Object k touches visible object t where they are, a contact of any length. */
    static boolean touches(StageState s, int k, int t) {
        s.obj[k].setPosition(s.x[k], s.y[k]);
        s.obj[t].setPosition(s.x[t], s.y[t]);
        return s.vis_obj[t] && s.obj[k].collidesWith((Sprite) s.obj[t], false);
    }
}
