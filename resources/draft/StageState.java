// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import java.io.DataInputStream;
import java.io.IOException;
import java.io.InputStream;

import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Font;
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.game.LayerManager;
import javax.microedition.lcdui.game.TiledLayer;

/**
 * What a stage is made of: the values its event sheet reads and writes, the
 * play that Movement, Actor and StageView share with it, and its building
 * from the tables the converter put into the jar (what the stage class's load() calls).
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
    /** Per background: its solid tiles by number, or null when every cell of an obstacle blocks. */
    boolean[][] fonSolid = new boolean[0][];
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
    int[][][] framesStop, framesGo, framesDead, framesAttack;
    int[] chaseGroup = new int[0];
    int otherStep = 2;
    /** Ticks left in which the player cannot lose another life. */
    int safeTicks;

    String[][] texts = new String[0][];
    /** For a line that shows values: the values it shows now and the line made of them; null for plain text. */
    int[][][] textValues = new int[0][][];
    String[][] textShown = new String[0][];
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

    /** Builds the stage: its stage class hands tables() the name of its tables. */
    abstract void load() throws IOException;

    /** The digit keys 6, 8, 4 and 2 held down, which move the player as the arrows do; 5, which jumps. */
    boolean right, up, left, down, five;

    /** Whether the digit key of a direction (1 right, 2 up, 3 left, 4 down) is held down. */
    final boolean held(int direction) {
        switch (direction) {
        case 1:
            return right;
        case 2:
            return up;
        case 3:
            return left;
        default:
            return down;
        }
    }

    /** A key went down or up, by the phone's code. */
    final void digitKey(int rawCode, boolean pressed) {
        switch (rawCode) {
        case Canvas.KEY_NUM6:
            right = pressed;
            break;
        case Canvas.KEY_NUM8:
            down = pressed;
            break;
        case Canvas.KEY_NUM4:
            left = pressed;
            break;
        case Canvas.KEY_NUM2:
            up = pressed;
            break;
        case Canvas.KEY_NUM5:
            five = pressed;
            break;
        default:
            break;
        }
    }

    // ---- building the stage from its tables ----

    /** The format of the tables this runtime reads. */
    static final int TABLES_FORMAT = 3;

    /**
     * Reads the tables the converter put into the jar as resource `name`
     * ("/Etap0.dat") and builds the stage from them: the pictures (each once),
     * the backgrounds and their maps, the objects, their frames and paths, the
     * chase targets, the texts and the lives bar.
     */
    final void tables(String name) throws IOException {
        InputStream stream = getClass().getResourceAsStream(name);
        if (stream == null) {
            throw new IOException(name);
        }
        DataInputStream in = new DataInputStream(stream);
        try {
            if (in.readUnsignedShort() != TABLES_FORMAT) {
                throw new IOException(new StringBuffer(name).append(": format").toString());
            }
            Image[] pictures = new Image[in.readUnsignedShort()];
            for (int i = 0; i < pictures.length; i++) {
                pictures[i] = Image.createImage(in.readUTF());
            }
            int[] fonSlot = backgrounds(in, pictures);
            int[] objSlot = objects(in, pictures);
            framesStop = frameTable(in);
            framesGo = frameTable(in);
            framesDead = frameTable(in);
            framesAttack = frameTable(in);
            layout(fonSlot, objSlot);
            chaseGroup = numbers(in, in.readUnsignedShort());
            texts(in);
            lives(in);
            rightSoftAsked = in.readBoolean();
            motion = new int[in.readUnsignedShort()][];
            for (int g = 0; g < motion.length; g++) {
                motion[g] = numbers(in, Movement.PLAIN.length);
            }
            for (int k = 0; k < obj.length; k++) {
                obj[k].motion = Movement.settingsOf(this, group[k]);
            }
            touchButtons = in.readBoolean();
        } finally {
            in.close();
        }
    }

    private static int[] numbers(DataInputStream in, int count) throws IOException {
        int[] values = new int[count];
        for (int i = 0; i < count; i++) {
            values[i] = in.readInt();
        }
        return values;
    }

    /** The backgrounds, then their maps, each read once and laid into every layer showing it; their list slots. */
    private int[] backgrounds(DataInputStream in, Image[] pictures) throws IOException {
        int count = in.readUnsignedShort();
        fon = new TiledLayer[count];
        fonObstacle = new boolean[count];
        fonSolid = new boolean[count][];
        int[] slot = new int[count];
        int[] map = new int[count];
        int[] tiles = new int[count];
        levelLeft = 0;
        levelTop = 0;
        levelRight = width;
        levelBottom = height;
        if (count > 0) {
            levelLeft = Integer.MAX_VALUE;
            levelTop = Integer.MAX_VALUE;
            levelRight = Integer.MIN_VALUE;
            levelBottom = Integer.MIN_VALUE;
        }
        for (int i = 0; i < count; i++) {
            Image image = pictures[in.readUnsignedShort()];
            int tw = in.readInt();
            int th = in.readInt();
            int columns = in.readInt();
            int rows = in.readInt();
            int fx = in.readInt();
            int fy = in.readInt();
            fonObstacle[i] = in.readBoolean();
            fonSolid[i] = solidTiles(in);
            slot[i] = in.readInt();
            map[i] = in.readUnsignedShort();
            if (tw < 1 || th < 1 || image.getWidth() % tw != 0 || image.getHeight() % th != 0) {
                throw new IOException("tile size");
            }
            tiles[i] = (image.getWidth() / tw) * (image.getHeight() / th);
            TiledLayer layer = new TiledLayer(Math.max(columns, 1), Math.max(rows, 1), image, tw, th);
            layer.setPosition(fx, fy);
            fon[i] = layer;
            levelLeft = Math.min(levelLeft, fx);
            levelTop = Math.min(levelTop, fy);
            levelRight = Math.max(levelRight, fx + layer.getWidth());
            levelBottom = Math.max(levelBottom, fy + layer.getHeight());
        }
        int maps = in.readUnsignedShort();
        byte[] cells = new byte[0];
        for (int m = 0; m < maps; m++) {
            int length = in.readInt();
            if (cells.length < length) {
                cells = new byte[length];
            }
            in.readFully(cells, 0, length);
            for (int i = 0; i < count; i++) {
                if (map[i] == m) {
                    lay(fon[i], tiles[i], cells, length);
                }
            }
        }
        return slot;
    }

    /** A background's solid tiles by number; null when none is marked and every cell of an obstacle blocks. */
    private static boolean[] solidTiles(DataInputStream in) throws IOException {
        int n = in.readUnsignedShort();
        if (n == 0) {
            return null;
        }
        int[] tiles = new int[n];
        int most = 0;
        for (int t = 0; t < n; t++) {
            tiles[t] = in.readUnsignedShort();
            most = Math.max(most, tiles[t]);
        }
        boolean[] solid = new boolean[most + 1];
        for (int t = 0; t < n; t++) {
            solid[tiles[t]] = true;
        }
        return solid;
    }

    /** A map's cells row by row, a byte each, 255 saying a larger tile follows in two; one no sheet has stays empty. */
    private static void lay(TiledLayer layer, int tiles, byte[] cells, int length) {
        int columns = layer.getColumns();
        int cell = 0;
        for (int at = 0; at < length; cell++) {
            int tile = cells[at++] & 0xFF;
            if (tile == 255) {
                tile = (cells[at] & 0xFF) << 8 | cells[at + 1] & 0xFF;
                at += 2;
            }
            if (tile != 0 && tile <= tiles) {
                layer.setCell(cell % columns, cell / columns, tile);
            }
        }
    }

    /** The active objects with their paths, and the groups they form; their list slots. */
    private int[] objects(DataInputStream in, Image[] pictures) throws IOException {
        int[] type = numbers(in, in.readUnsignedShort());
        int count = in.readUnsignedShort();
        obj = new Actor[count];
        objtip = new int[count];
        vis_obj = new boolean[count];
        raspxobd = new int[count];
        raspyobd = new int[count];
        x = new int[count];
        y = new int[count];
        homeX = new int[count];
        homeY = new int[count];
        group = new int[count];
        moveType = new int[count];
        direction = new int[count];
        moved = new boolean[count];
        showing = new int[count][];
        frameTicks = new int[count];
        deathTicks = new int[count];
        targetGroup = new int[count];
        target = new int[count];
        pathAt = new int[count];
        pathX = new int[count][];
        pathY = new int[count][];
        kol_obj = new int[MAX_GROUPS + 1];
        int[] slot = new int[count];
        for (int k = 0; k < count; k++) {
            int g = in.readInt();
            Image image = pictures[in.readUnsignedShort()];
            int w = in.readInt();
            int h = in.readInt();
            boolean strip = w > 0 && h > 0 && image.getWidth() % w == 0 && image.getHeight() % h == 0;
            obj[k] = strip ? new Actor(image, w, h, this) : new Actor(image, image.getWidth(), image.getHeight(), this);
            objtip[k] = Movement.REST;
            vis_obj[k] = true;
            x[k] = homeX[k] = raspxobd[k] = in.readInt();
            y[k] = homeY[k] = raspyobd[k] = in.readInt();
            slot[k] = in.readInt();
            if (in.readBoolean()) {
                // A place for an object the sheet makes: nobody sees it until then.
                obj[k].spare = true;
                obj[k].gone = true;
                vis_obj[k] = false;
            }
            obj[k].setPosition(x[k], y[k]);
            direction[k] = Movement.RIGHT;
            group[k] = g;
            moveType[k] = g > 0 && g < type.length ? type[g] : 0;
            if (g >= 0 && g <= MAX_GROUPS) {
                kol_obj[g]++;
            }
            int points = in.readUnsignedShort();
            pathX[k] = new int[points];
            pathY[k] = new int[points];
            for (int p = 0; p < points; p++) {
                pathX[k][p] = in.readInt();
                pathY[k][p] = in.readInt();
            }
        }
        gr_obj = new int[MAX_GROUPS + 1][];
        for (int g = 0; g <= MAX_GROUPS; g++) {
            gr_obj[g] = new int[kol_obj[g]];
            kol_obj[g] = 0;
        }
        for (int k = 0; k < count; k++) {
            int g = group[k];
            if (g >= 0 && g <= MAX_GROUPS) {
                gr_obj[g][kol_obj[g]++] = k;
            }
        }
        return slot;
    }

    /** An animation table [direction][object], without the frame numbers a sprite does not have, so no sequence can fail. */
    private int[][][] frameTable(DataInputStream in) throws IOException {
        int[][][] table = new int[4][obj.length][];
        for (int d = 0; d < 4; d++) {
            for (int k = 0; k < obj.length; k++) {
                int[] row = new int[in.readUnsignedShort()];
                int frames = obj[k].getRawFrameCount();
                int n = 0;
                for (int i = 0; i < row.length; i++) {
                    int f = in.readUnsignedShort();
                    if (f < frames) {
                        row[n++] = f;
                    }
                }
                if (n < row.length) {
                    int[] kept = new int[n];
                    System.arraycopy(row, 0, kept, 0, n);
                    row = kept;
                }
                table[d][k] = row;
            }
        }
        return table;
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

    /**
     * Where a text line shows a value: the mark, then one character naming it (a variable's id
     * + VALUE_VARIABLE, or VALUE_LIVES, VALUE_TIMER, VALUE_STAGE).
     */
    static final char VALUE_MARK = '\u0001';
    static final char VALUE_VARIABLE = '\u0100', VALUE_LIVES = '\uff01', VALUE_TIMER = '\uff02', VALUE_STAGE = '\uff03';

    /** The text objects: their lines, places, fonts and colours. */
    private void texts(DataInputStream in) throws IOException {
        int count = in.readUnsignedShort();
        texts = new String[count][];
        textValues = new int[count][][];
        textShown = new String[count][];
        textX = new int[count];
        textY = new int[count];
        textColor = new int[count];
        textFont = new Font[count];
        for (int t = 0; t < count; t++) {
            texts[t] = new String[in.readUnsignedShort()];
            textValues[t] = new int[texts[t].length][];
            textShown[t] = new String[texts[t].length];
            for (int line = 0; line < texts[t].length; line++) {
                String text = in.readUTF();
                texts[t][line] = text;
                int values = 0;
                for (int at = text.indexOf(VALUE_MARK); at >= 0; at = text.indexOf(VALUE_MARK, at + 1)) {
                    values++;
                }
                if (values > 0) {
                    textValues[t][line] = new int[values];
                }
            }
            textX[t] = in.readInt();
            textY[t] = in.readInt();
            int face = in.readInt();
            int size = in.readInt();
            int style = in.readInt();
            textFont[t] = Font.getFont(face, style, size);
            textColor[t] = in.readInt();
        }
    }

    /** The lives bar: drawn plain when its picture is missing. */
    private void lives(DataInputStream in) throws IOException {
        livesBar = in.readBoolean();
        String picture = in.readUTF();
        livesX = in.readInt();
        livesY = in.readInt();
        livesW = in.readInt();
        livesH = in.readInt();
        livesVertical = in.readBoolean();
        livesImage = null;
        if (livesBar && picture.length() > 0) {
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
    /** Per group: speed, acceleration, braking, gravity, largest fall and jump (Movement.SPEED ..). */
    int[][] motion = new int[0][];
    /** The game draws its on-screen buttons on a touch screen. */
    boolean touchButtons;
    /** The touch screen as the sheet sees it; the canvas gives every stage its own. */
    Touch touch = new Touch();

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
