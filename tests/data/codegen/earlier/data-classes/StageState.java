// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import java.io.IOException;

import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Font;
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.game.LayerManager;
import javax.microedition.lcdui.game.TiledLayer;

/**
 * What a stage is made of: the values its event sheet reads and writes, the
 * play that Movement, Actor and StageView share with it, and its building
 * from the converter's tables (what the stage class's load() calls).
 * StagePlay runs it; the stage classes extend it as MyGameCanvas.Stage.
 */
abstract class StageState {
    /** Highest group number a stage can have. */
    static final int MAX_GROUPS = 100;
    /** The event sheet runs every STEP ms of game time, so timer conditions meet every 10 ms. */
    static final int STEP = 10;
    /** dbkey when no key was pressed twice. */
    static final int NO_KEY = -1000;
    static final int START_LIFE = 3;
    static final int START_SPEED = 2;

    /** Key names of the double-press condition; digits stand for themselves. */
    static final int vu = -1, vd = -2, vl = -3, vr = -4, venter = -5;
    /** Soft keys: these codes are the common ones, some phones use others. */
    static final int ls = -6, rs = -7;
    /** "*" and "#": no Java names, so the double-press condition spells them out. */
    static final int star = Canvas.KEY_STAR, pound = Canvas.KEY_POUND;

    // Game-wide values, kept from stage to stage.
    /** Index of the current stage, from 0: the stage class Etap<etap>. */
    static int etap;
    static int life = START_LIFE;
    /** The most lives the player had: the full length of a lives bar. */
    static int maxLife = START_LIFE;
    /** Pixels per tick the keyboard moves the player. */
    static int speed = START_SPEED;
    /** What the speed actions set; speed follows it. */
    static int score = START_SPEED;
    static boolean control = true;
    /** "end" once the game is over. */
    static String etap_game = "";
    /** The screen the game was laid out for, 0 when unknown; the canvas may be another. */
    static int designWidth, designHeight;

    // The stage's own values.
    /** Stage time in ms, and its parts. */
    int obtime, obtime_hour, obtime_minute, obtime_second, obtime_hundred;
    /** "end" while the stage runs its sheet for the last time. */
    String etap_level = "";
    /** The stage number as the author counts it, from 1. */
    int level;
    /** A key was pressed: true for one step. */
    boolean anykey;
    /** A key pressed twice within 300 ms: its name, for one step. */
    int dbkey = NO_KEY;
    /** Active objects visible and not dying. */
    int nobject;
    /** A random number 0..99, new at every step. */
    int number;
    /** The screen. */
    int width, height;
    /** Left and top edge of the screen on the level map. */
    int delraspx, delraspy;
    /** An edge action ran this tick: that edge stays where the sheet put it instead of following the player. */
    boolean edgeSetX, edgeSetY;
    /** No edge action can write this value, so seeing it after a run means none ran. */
    static final int EDGE_UNSET = Integer.MIN_VALUE;
    /** Runs of the sheet so far: a collision counts once per contact, a contact lasting from run to run. */
    int runs;
    /** The object chased, attacked or avoided: its number within its group. */
    int kd;

    /** Per placed active object k: sprite, behaviour, visibility, position. */
    Actor[] obj = new Actor[0];
    int[] objtip = new int[0];
    boolean[] vis_obj = new boolean[0];
    int[] raspxobd = new int[0];
    int[] raspyobd = new int[0];
    /** Per group g: its objects gr_obj[g][0 .. kol_obj[g]-1]. */
    int[][] gr_obj = new int[MAX_GROUPS + 1][0];
    int[] kol_obj = new int[MAX_GROUPS + 1];

    /** The key-press condition names its stage, counted from 1: every name is this stage's keys. */
    final Keys keys = new Keys();
    Keys etap1data = keys, etap2data = keys, etap3data = keys, etap4data = keys, etap5data = keys,
            etap6data = keys, etap7data = keys, etap8data = keys, etap9data = keys, etap10data = keys,
            etap11data = keys, etap12data = keys, etap13data = keys, etap14data = keys, etap15data = keys,
            etap16data = keys, etap17data = keys, etap18data = keys, etap19data = keys, etap20data = keys;

    // Not for the sheet: the play that Movement, Actor and StageView share with the stage.
    final LayerManager layers = new LayerManager();
    TiledLayer[] fon = new TiledLayer[0];
    boolean[] fonObstacle = new boolean[0];
    /** The level: every background; the screen at the origin when there is none. */
    int levelLeft, levelTop, levelRight, levelBottom;

    // Per object: where it is, how it moves and animates.
    int[] x = new int[0], y = new int[0];
    int[] group = new int[0], moveType = new int[0];
    int[] direction = new int[0];
    boolean[] moved = new boolean[0];
    /** The animation table and row an object shows now, and ticks into its frame. */
    int[][] showing = new int[0][];
    int[] frameTicks = new int[0];
    int[] deathTicks = new int[0];
    /** Chase, attack and avoid: the group and number of the object aimed at. */
    int[] targetGroup = new int[0], target = new int[0];
    int[][] pathX = new int[0][], pathY = new int[0][];
    int[] pathAt = new int[0];
    int[] homeX = new int[0], homeY = new int[0];
    int[][][] framesStop, framesGo, framesDead;
    int[] chaseGroup = new int[0];
    int otherStep = 2;
    /** Ticks left in which the player cannot lose another life. */
    int safeTicks;

    String[][] texts = new String[0][];
    int[] textX = new int[0], textY = new int[0], textColor = new int[0];
    Font[] textFont = new Font[0];

    boolean livesBar;
    Image livesImage;
    int livesX, livesY, livesW, livesH;
    boolean livesVertical;

    Indicators hud;
    Image weapon;

    /** A broken row of the sheet, shown on the screen for a while. */
    String problem;
    int problemTicks;

    /** Reads the data class tables and builds the layers. */
    abstract void load() throws IOException;

    /** The number keys of the data class: 1 right, 2 up, 3 left, 4 down. */
    abstract boolean held(int direction);

    // ---- building the stage: what load() calls ----

    final void background(int quanfon, boolean[] obstacle, int[] columns, int[] rows, int[] tileWidth,
            int[] tileHeight, String[] adfon, int[][] pole, int[] fonxt, int[] fonyt) throws IOException {
        fon = new TiledLayer[quanfon];
        fonObstacle = new boolean[quanfon];
        levelLeft = 0;
        levelTop = 0;
        levelRight = width;
        levelBottom = height;
        if (quanfon > 0) {
            levelLeft = Integer.MAX_VALUE;
            levelTop = Integer.MAX_VALUE;
            levelRight = Integer.MIN_VALUE;
            levelBottom = Integer.MIN_VALUE;
        }
        for (int i = 0; i < quanfon; i++) {
            Image image = Image.createImage(adfon[i]);
            int tw = tileWidth[i];
            int th = tileHeight[i];
            if (tw < 1 || th < 1 || image.getWidth() % tw != 0 || image.getHeight() % th != 0) {
                throw new IOException(new StringBuffer(adfon[i]).append(": tile size").toString());
            }
            int tiles = (image.getWidth() / tw) * (image.getHeight() / th);
            TiledLayer layer = new TiledLayer(Math.max(columns[i], 1), Math.max(rows[i], 1), image, tw, th);
            for (int r = 0; r < rows[i]; r++) {
                for (int c = 0; c < columns[i]; c++) {
                    int tile = pole[i][r * columns[i] + c];
                    layer.setCell(c, r, tile >= 0 && tile <= tiles ? tile : 0);
                }
            }
            layer.setPosition(fonxt[i], fonyt[i]);
            fon[i] = layer;
            fonObstacle[i] = obstacle[i];
            levelLeft = Math.min(levelLeft, fonxt[i]);
            levelTop = Math.min(levelTop, fonyt[i]);
            levelRight = Math.max(levelRight, fonxt[i] + layer.getWidth());
            levelBottom = Math.max(levelBottom, fonyt[i] + layer.getHeight());
        }
    }

    final void objects(int quanobj, int[] group_obj, int[] type_obj, String[] adobj, int[] tileWidthob,
            int[] tileHeightob, int[] raspxob, int[] raspyob) throws IOException {
        obj = new Actor[quanobj];
        objtip = new int[quanobj];
        vis_obj = new boolean[quanobj];
        raspxobd = new int[quanobj];
        raspyobd = new int[quanobj];
        x = new int[quanobj];
        y = new int[quanobj];
        homeX = new int[quanobj];
        homeY = new int[quanobj];
        group = new int[quanobj];
        moveType = new int[quanobj];
        direction = new int[quanobj];
        moved = new boolean[quanobj];
        showing = new int[quanobj][];
        frameTicks = new int[quanobj];
        deathTicks = new int[quanobj];
        targetGroup = new int[quanobj];
        target = new int[quanobj];
        pathAt = new int[quanobj];
        pathX = new int[quanobj][];
        pathY = new int[quanobj][];
        kol_obj = new int[MAX_GROUPS + 1];
        for (int k = 0; k < quanobj; k++) {
            Image image = Image.createImage(adobj[k]);
            int w = tileWidthob[k];
            int h = tileHeightob[k];
            boolean strip = w > 0 && h > 0 && image.getWidth() % w == 0 && image.getHeight() % h == 0;
            obj[k] = strip ? new Actor(image, w, h, this) : new Actor(image, image.getWidth(), image.getHeight(), this);
            objtip[k] = Movement.REST;
            vis_obj[k] = true;
            x[k] = homeX[k] = raspxobd[k] = raspxob[k];
            y[k] = homeY[k] = raspyobd[k] = raspyob[k];
            obj[k].setPosition(x[k], y[k]);
            direction[k] = Movement.RIGHT;
            int g = group_obj[k];
            group[k] = g;
            moveType[k] = g > 0 && g < type_obj.length ? type_obj[g] : 0;
            if (g >= 0 && g <= MAX_GROUPS) {
                kol_obj[g]++;
            }
            pathX[k] = new int[0];
            pathY[k] = new int[0];
        }
        gr_obj = new int[MAX_GROUPS + 1][];
        for (int g = 0; g <= MAX_GROUPS; g++) {
            gr_obj[g] = new int[kol_obj[g]];
            kol_obj[g] = 0;
        }
        for (int k = 0; k < quanobj; k++) {
            int g = group[k];
            if (g >= 0 && g <= MAX_GROUPS) {
                gr_obj[g][kol_obj[g]++] = k;
            }
        }
    }

    /** The animation tables [direction][object] of rest, movement and death. */
    final void frames(int[][][] stop, int[][][] go, int[][][] dead) {
        framesStop = usable(stop);
        framesGo = usable(go);
        framesDead = usable(dead);
    }

    /** Drops frame numbers a sprite does not have, so no sequence can fail. */
    private int[][][] usable(int[][][] table) {
        int[][][] result = new int[4][obj.length][];
        for (int d = 0; d < 4; d++) {
            for (int k = 0; k < obj.length; k++) {
                int[] row = table != null && d < table.length && k < table[d].length ? table[d][k] : null;
                int frames = obj[k].getRawFrameCount();
                int n = 0;
                for (int i = 0; row != null && i < row.length; i++) {
                    if (row[i] >= 0 && row[i] < frames) {
                        n++;
                    }
                }
                int[] kept = new int[n];
                n = 0;
                for (int i = 0; row != null && i < row.length; i++) {
                    if (row[i] >= 0 && row[i] < frames) {
                        kept[n++] = row[i];
                    }
                }
                result[d][k] = kept;
            }
        }
        return result;
    }

    /** Draws backgrounds by list slot, active objects over them by list slot, as the level map shows them. */
    final void layout(int[] number_fon, int[] number_act) {
        int[] fonOrder = bySlot(number_fon, fon.length);
        int[] objOrder = bySlot(number_act, obj.length);
        // LayerManager draws index 0 on top.
        for (int i = objOrder.length - 1; i >= 0; i--) {
            layers.append(obj[objOrder[i]]);
        }
        for (int i = fonOrder.length - 1; i >= 0; i--) {
            layers.append(fon[fonOrder[i]]);
        }
    }

    /** Indices 0..count-1 by slot, lowest first, placing order among equals. */
    private static int[] bySlot(int[] slot, int count) {
        int[] order = new int[count];
        for (int i = 0; i < count; i++) {
            int s = i < slot.length ? slot[i] : 0;
            int at = i;
            while (at > 0 && (order[at - 1] < slot.length ? slot[order[at - 1]] : 0) > s) {
                order[at] = order[at - 1];
                at--;
            }
            order[at] = i;
        }
        return order;
    }

    /** What the converter writes beside the data class: paths, chase targets, texts, the lives bar. */
    final void paths(int[][] pathx, int[][] pathy, int[] chase) {
        for (int k = 0; k < obj.length && k < pathx.length && k < pathy.length; k++) {
            int n = Math.min(pathx[k].length, pathy[k].length);
            pathX[k] = new int[n];
            pathY[k] = new int[n];
            System.arraycopy(pathx[k], 0, pathX[k], 0, n);
            System.arraycopy(pathy[k], 0, pathY[k], 0, n);
        }
        chaseGroup = chase;
    }

    final void texts(String[][] text, int[] textx, int[] texty, int[] face, int[] size, int[] style, int[] color) {
        texts = text;
        textX = textx;
        textY = texty;
        textColor = color;
        textFont = new Font[text.length];
        for (int t = 0; t < text.length; t++) {
            textFont[t] = Font.getFont(face[t], style[t], size[t]);
        }
    }

    final void lives(boolean present, String picture, int lx, int ly, int lw, int lh, boolean vertical) {
        livesBar = present;
        livesX = lx;
        livesY = ly;
        livesW = lw;
        livesH = lh;
        livesVertical = vertical;
        livesImage = null;
        if (present && picture != null) {
            try {
                livesImage = Image.createImage(picture);
                livesW = livesImage.getWidth();
                livesH = livesImage.getHeight();
            } catch (IOException e) {
                livesImage = null;
            }
        }
    }

    /** The sheet asks about the right soft key, which is otherwise the way out of the game. */
    boolean rightSoftAsked;

    final void rightSoftKey(boolean asked) {
        rightSoftAsked = asked;
    }

    final void speeds(int others) {
        otherStep = Math.max(others, 1);
    }

    /** After load: the indicators of the settings file, and the view on the player. */
    final void begin() {
        hud = new Indicators();
        if (hud.present && hud.weaponPicture != null) {
            try {
                weapon = Image.createImage(hud.weaponPicture);
            } catch (IOException e) {
                weapon = null;
            }
        }
        StageView.follow(this, true, true);
        place();
    }

    /** The sprites where the objects are, shown or hidden as the sheet says. */
    final void place() {
        for (int k = 0; k < obj.length; k++) {
            obj[k].setPosition(x[k], y[k]);
            obj[k].setVisible(vis_obj[k]);
        }
    }

    static int clamp(int v, int low, int high) {
        return v < low ? low : v > high ? Math.max(low, high) : v;
    }
}
