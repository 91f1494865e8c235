// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import javax.microedition.lcdui.game.GameCanvas;
import javax.microedition.lcdui.game.Sprite;

/**
 * How the active objects of a stage move and behave once per tick: the player
 * by the keys, the others by chase, attack, avoid or their path, each stopped
 * by obstacles (Actor) and the level's edges; the attack that costs the
 * player a life; and the animation that shows it all.
 */
final class Movement {
    /** Object behaviour (objtip): rest, chase, attack, avoid, death. */
    static final int REST = 1, CHASE = 2, ATTACK = 3, AVOID = 4, DEATH = 5;
    /** Movement types of active groups (type_obj). */
    static final int KEYBOARD = 1, PATH = 2, STATIC = 3;
    /** Directions of the animation tables. */
    static final int RIGHT = 1, UP = 2, LEFT = 3, DOWN = 4;
    /** An animation frame lasts this many ticks. */
    static final int FRAME_TICKS = 3;
    /** After losing a life the player cannot lose another for this many ticks. */
    static final int SAFE_TICKS = 20;

    private Movement() {
    }

    /** The object the keyboard drives and the view follows: the first visible one. */
    static int player(StageState s) {
        for (int k = 0; k < s.obj.length; k++) {
            if (s.moveType[k] == KEYBOARD && s.vis_obj[k]) {
                return k;
            }
        }
        return -1;
    }

    /** The sheet gave object k another behaviour: a chase, attack or avoid takes aim, a death starts. */
    static void behaviourChanged(StageState s, int k) {
        int tip = s.objtip[k];
        if (tip == CHASE || tip == ATTACK || tip == AVOID) {
            // kd within the group the action names; the player's group when it names none.
            int g = s.group[k] >= 0 && s.group[k] < s.chaseGroup.length ? s.chaseGroup[s.group[k]] : 0;
            if (g <= 0 || g > StageState.MAX_GROUPS || s.kol_obj[g] == 0) {
                int p = player(s);
                g = p >= 0 ? s.group[p] : 0;
            }
            s.targetGroup[k] = g;
            s.target[k] = s.kd;
        } else if (tip == DEATH) {
            s.deathTicks[k] = 0;
        }
    }

    /** The object k aims at, or -1 when its group has none left. */
    static int targetOf(StageState s, int k) {
        int g = s.targetGroup[k];
        if (g <= 0 || g > StageState.MAX_GROUPS || s.kol_obj[g] == 0) {
            return -1;
        }
        int n = s.target[k];
        if (n < 0 || n >= s.kol_obj[g]) {
            n = s.kol_obj[g] - 1;
        }
        return s.gr_obj[g][n];
    }

    static void move(StageState s, int keyStates) {
        boolean right = s.held(RIGHT) || (keyStates & GameCanvas.RIGHT_PRESSED) != 0;
        boolean left = s.held(LEFT) || (keyStates & GameCanvas.LEFT_PRESSED) != 0;
        boolean up = s.held(UP) || (keyStates & GameCanvas.UP_PRESSED) != 0;
        boolean down = s.held(DOWN) || (keyStates & GameCanvas.DOWN_PRESSED) != 0;
        int keyDx = (right ? 1 : 0) - (left ? 1 : 0);
        int keyDy = (down ? 1 : 0) - (up ? 1 : 0);
        int step = s.otherStep;
        for (int k = 0; k < s.obj.length; k++) {
            s.obj[k].tick();
            s.moved[k] = false;
            int tip = s.objtip[k];
            if (!s.vis_obj[k] || tip == DEATH) {
                continue;
            }
            int dx = 0;
            int dy = 0;
            Actor actor = s.obj[k];
            if (actor.flyDirection > 0) {
                fly(s, k, actor);
                continue;
            }
            if (s.moveType[k] == KEYBOARD) {
                if (StageState.control) {
                    dx = keyDx * StageState.speed;
                    dy = keyDy * StageState.speed;
                }
            } else if (tip == CHASE || tip == ATTACK || tip == AVOID) {
                int t = targetOf(s, k);
                // An attacker that touches its target stays there and strikes.
                boolean touching = t >= 0 && tip == ATTACK && Actor.touches(s, k, t);
                if (t >= 0 && t != k && !touching) {
                    int sign = tip == AVOID ? -1 : 1;
                    dx = sign * toward(s.x[t] - s.x[k], step);
                    dy = sign * toward(s.y[t] - s.y[k], step);
                    if (sign < 0 && dx == 0 && s.x[t] == s.x[k]) {
                        dx = step;
                    }
                }
            } else if (s.moveType[k] == PATH && s.pathX[k].length > 0) {
                int n = s.pathX[k].length;
                int at = s.pathAt[k];
                int px = at == 0 ? s.homeX[k] : s.pathX[k][at - 1];
                int py = at == 0 ? s.homeY[k] : s.pathY[k][at - 1];
                if (px == s.x[k] && py == s.y[k]) {
                    at = (at + 1) % (n + 1);
                    s.pathAt[k] = at;
                    px = at == 0 ? s.homeX[k] : s.pathX[k][at - 1];
                    py = at == 0 ? s.homeY[k] : s.pathY[k][at - 1];
                }
                dx = toward(px - s.x[k], step);
                dy = toward(py - s.y[k], step);
            }
            if (dx != 0 || dy != 0) {
                walk(s, k, dx, dy);
            } else if (!Actor.free(s, k, s.x[k], s.y[k])) {
                // Standing over a wall (placed there, or a wall under a still object) is a contact too.
                s.obj[k].againstWall();
            }
        }
    }

    /** A made object flying straight; gone once it leaves the level or meets an obstacle. */
    private static void fly(StageState s, int k, Actor actor) {
        int d = actor.flyDirection;
        int nx = s.x[k] + (d == RIGHT ? actor.flySpeed : d == LEFT ? -actor.flySpeed : 0);
        int ny = s.y[k] + (d == DOWN ? actor.flySpeed : d == UP ? -actor.flySpeed : 0);
        if (nx + actor.getWidth() <= s.levelLeft || nx >= s.levelRight || ny + actor.getHeight() <= s.levelTop
                || ny >= s.levelBottom || !Actor.free(s, k, nx, ny)) {
            actor.destroy();
            s.vis_obj[k] = false;
            actor.setVisible(false);
            return;
        }
        s.x[k] = nx;
        s.y[k] = ny;
        s.moved[k] = true;
        actor.setPosition(nx, ny);
    }

    private static int toward(int distance, int step) {
        return distance > 0 ? Math.min(distance, step) : -Math.min(-distance, step);
    }

    /** Moves an object as far as obstacles and the level let it, sliding along a wall. */
    private static void walk(StageState s, int k, int dx, int dy) {
        Sprite sprite = s.obj[k];
        int x = s.x[k];
        int y = s.y[k];
        int nx = StageState.clamp(x + dx, s.levelLeft, s.levelRight - sprite.getWidth());
        int ny = StageState.clamp(y + dy, s.levelTop, s.levelBottom - sprite.getHeight());
        if (!Actor.free(s, k, nx, ny)) {
            s.obj[k].againstWall();
        }
        if (Actor.free(s, k, nx, ny)) {
            turn(s, k, nx - x, ny - y);
            s.x[k] = nx;
            s.y[k] = ny;
        } else if (nx != x && Actor.free(s, k, nx, y)) {
            turn(s, k, nx - x, 0);
            s.x[k] = nx;
        } else if (ny != y && Actor.free(s, k, x, ny)) {
            turn(s, k, 0, ny - y);
            s.y[k] = ny;
        } else if (s.moveType[k] == PATH && s.objtip[k] == REST) {
            // A blocked path point is passed over.
            s.pathAt[k] = (s.pathAt[k] + 1) % (s.pathX[k].length + 1);
        }
        sprite.setPosition(s.x[k], s.y[k]);
    }

    private static void turn(StageState s, int k, int dx, int dy) {
        if (dx == 0 && dy == 0) {
            return;
        }
        s.moved[k] = true;
        if (dx != 0 && Math.abs(dx) >= Math.abs(dy)) {
            s.direction[k] = dx > 0 ? RIGHT : LEFT;
        } else {
            s.direction[k] = dy < 0 ? UP : DOWN;
        }
    }

    // ---- contact ----

    /** An attacking object that touches the player it aims at takes a life. */
    static void contact(StageState s) {
        if (s.safeTicks > 0) {
            return;
        }
        for (int k = 0; k < s.obj.length; k++) {
            if (s.objtip[k] != ATTACK || !s.vis_obj[k]) {
                continue;
            }
            int t = targetOf(s, k);
            if (t < 0 || t == k || s.moveType[t] != KEYBOARD || !s.vis_obj[t]
                    || s.objtip[t] == DEATH) {
                continue;
            }
            if (Actor.touches(s, k, t)) {
                StageState.life--;
                s.safeTicks = SAFE_TICKS;
                return;
            }
        }
    }

    // ---- animation ----

    /**
     * Each object shows the frames of its behaviour and direction, or of the state the sheet chose; a dying
     * one vanishes after the frames of death. A frame the sheet set, or a stopped animation, stays.
     */
    static void animate(StageState s) {
        for (int k = 0; k < s.obj.length; k++) {
            Actor actor = s.obj[k];
            int d = s.direction[k] - 1;
            if (s.objtip[k] == DEATH && s.vis_obj[k]) {
                s.deathTicks[k]++;
                if (s.deathTicks[k] > pick(s.framesDead, d, k).length * FRAME_TICKS) {
                    s.vis_obj[k] = false;
                }
            }
            int state = s.objtip[k] == DEATH ? 4 : s.moved[k] ? 2 : 1;
            actor.state = actor.chosenState != 0 ? actor.chosenState : state;
            if (actor.fixedFrame >= 0) {
                continue;
            }
            int[] row = pick(actor.state == 4 ? s.framesDead : actor.state == 3 ? s.framesAttack
                             : actor.state == 2 ? s.framesGo : s.framesStop, d, k);
            if (row.length == 0 && actor.state == 3) {
                // A sprite drawn without frames of attack attacks in those of movement.
                row = pick(s.framesGo, d, k);
            }
            if (row != s.showing[k] || actor.sequence == null) {
                s.showing[k] = row;
                s.frameTicks[k] = 0;
                actor.sequence = row;
                if (row.length > 0) {
                    actor.setFrameSequence(row);
                } else {
                    actor.setFrameSequence(null);
                }
            } else if (row.length > 1 && !actor.held
                       && ++s.frameTicks[k] >= (actor.ticksPerFrame > 0 ? actor.ticksPerFrame : FRAME_TICKS)) {
                s.frameTicks[k] = 0;
                if (actor.state != 4 || actor.getFrame() < actor.getFrameSequenceLength() - 1) {
                    actor.nextFrame();
                }
            }
        }
    }

    /** The frames of a direction, or of the first direction that has some. */
    private static int[] pick(int[][][] table, int d, int k) {
        if (table[d][k].length > 0) {
            return table[d][k];
        }
        for (int i = 0; i < 4; i++) {
            if (table[i][k].length > 0) {
                return table[i][k];
            }
        }
        return table[d][k];
    }
}
