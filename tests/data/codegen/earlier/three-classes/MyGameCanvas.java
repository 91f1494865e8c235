// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import java.io.IOException;
import java.util.Random;

import javax.microedition.lcdui.Font;
import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.game.GameCanvas;
import javax.microedition.lcdui.game.LayerManager;
import javax.microedition.lcdui.game.Sprite;
import javax.microedition.lcdui.game.TiledLayer;

/**
 * The game screen: runs the current stage at a fixed tick, passes it the keys,
 * changes stages, shows the end screens and draws. Stage classes are found by
 * name (Etap0, Etap1, ...), so this one canvas serves a project of any number
 * of stages.
 */
public class MyGameCanvas extends GameCanvas implements Runnable {
    /** Game time of one tick in ms: everything moves, animates and is drawn once per tick. */
    static final int TICK = 50;

    /** What the screen shows. */
    static final int PLAYING = 0, WON = 1, LOST = 2, BROKEN = 3;

    private volatile boolean running;
    /** The phone took the screen or paused the MIDlet: game time stands still. */
    private volatile boolean paused;
    private final dorv midlet;
    private Stage stage;
    private int stageIndex = -1;
    private int screen = PLAYING;
    private String brokenText = "";
    /** Ticks since the game started; the clock of double presses. */
    private int ticks;

    /** Key events since the last tick, in order: the code, and 1 for a press, 0 for a release. */
    private final int[] queueCode = new int[64];
    private final int[] queuePress = new int[64];
    private int queued;
    private final int[] tickCodes = new int[64];
    private final int[] tickPresses = new int[64];
    private final int[] tickLate = new int[64];

    public MyGameCanvas(dorv midlet) {
        super(false);
        this.midlet = midlet;
        setFullScreenMode(true);
    }

    void start() {
        running = true;
        new Thread(this).start();
    }

    synchronized void stop() {
        running = false;
        notifyAll();
    }

    /** A call, another program or the phone's own screen: the game stops where it stands. */
    void pause() {
        paused = true;
    }

    /** Back on the screen: the game goes on from where it stood, keys of the meantime forgotten. */
    synchronized void resume() {
        paused = false;
        queued = 0;
        notifyAll();
    }

    protected void hideNotify() {
        pause();
    }

    protected void showNotify() {
        resume();
    }

    private synchronized void waitWhilePaused() {
        while (paused && running) {
            try {
                wait();
            } catch (InterruptedException e) {
                // Only a resume or the end of the game ends the pause.
            }
        }
    }

    public void run() {
        Graphics g = getGraphics();
        restart();
        long next = System.currentTimeMillis();
        while (running) {
            if (paused) {
                waitWhilePaused();
                // The time away is no game time: go on from now.
                next = System.currentTimeMillis();
                continue;
            }
            tick();
            draw(g);
            flushGraphics();
            next += TICK;
            long wait = next - System.currentTimeMillis();
            if (wait > 0) {
                try {
                    Thread.sleep(wait);
                } catch (InterruptedException e) {
                    // A pause cut short only makes this tick come sooner.
                }
            } else if (wait < -4 * TICK) {
                // Fell far behind: go on from now instead of rushing.
                next = System.currentTimeMillis();
            }
        }
    }

    public void keyPressed(int keyCode) {
        int code = sheetCode(keyCode);
        if (code == RIGHT_SOFT && !sheetTakesRightSoft()) {
            // A full-screen canvas shows no commands: the right soft key is the way out.
            midlet.exit();
        } else if (code != 0 && !paused) {
            enqueue(keyCode, 1);
        }
    }

    public void keyReleased(int keyCode) {
        int code = sheetCode(keyCode);
        if (code != 0 && (code != RIGHT_SOFT || sheetTakesRightSoft())) {
            enqueue(keyCode, 0);
        }
    }

    private boolean sheetTakesRightSoft() {
        Stage s = stage;
        return screen == PLAYING && s != null && s.rightSoftAsked;
    }

    private synchronized void enqueue(int keyCode, int press) {
        if (queued < queueCode.length) {
            queueCode[queued] = keyCode;
            queuePress[queued] = press;
            queued++;
        }
    }

    /** The soft keys as the event sheet knows them. */
    static final int LEFT_SOFT = -6, RIGHT_SOFT = -7;

    /**
     * The key codes the event sheet compares with: the digits, "*" and "#" as
     * they are, the navigation keys and FIRE as -1 .. -5 and the soft keys as
     * -6 and -7 whatever codes the phone gives them; 0 for a key the game does
     * not know (volume, camera, ...), which it ignores.
     */
    int sheetCode(int keyCode) {
        if (keyCode >= KEY_NUM0 && keyCode <= KEY_NUM9 || keyCode == KEY_STAR || keyCode == KEY_POUND) {
            return keyCode;
        }
        int action = 0;
        try {
            action = getGameAction(keyCode);
        } catch (IllegalArgumentException e) {
            action = 0;
        }
        int soft = softKey(keyCode, action);
        if (soft != 0) {
            return soft;
        }
        switch (action) {
        case UP:
            return -1;
        case DOWN:
            return -2;
        case LEFT:
            return -3;
        case RIGHT:
            return -4;
        case FIRE:
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
    private int softKey(int keyCode, int action) {
        String name = null;
        try {
            name = getKeyName(keyCode);
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

    private void tick() {
        int count;
        // Copies made once: a phone's collector is slow, so a tick allocates nothing.
        int[] codes = tickCodes;
        int[] presses = tickPresses;
        synchronized (this) {
            count = queued;
            System.arraycopy(queueCode, 0, codes, 0, count);
            System.arraycopy(queuePress, 0, presses, 0, count);
            queued = 0;
        }
        ticks++;
        int states = getKeyStates();
        if (screen != PLAYING) {
            for (int i = 0; i < count; i++) {
                if (presses[i] == 1) {
                    restart();
                    return;
                }
            }
            return;
        }
        Stage s = stage;
        // A key pressed and released within one tick still counts for that tick.
        int[] late = tickLate;
        int lateCount = 0;
        for (int i = 0; i < count; i++) {
            int code = sheetCode(codes[i]);
            if (presses[i] == 1) {
                s.press(codes[i], code, ticks);
            } else if (pressedBefore(codes, presses, i)) {
                late[lateCount++] = i;
            } else {
                s.release(codes[i], code);
            }
        }
        s.width = getWidth();
        s.height = getHeight();
        s.tick(states);
        for (int i = 0; i < lateCount; i++) {
            s.release(codes[late[i]], sheetCode(codes[late[i]]));
        }
        // The stage decides when the game is lost: only after its sheet had a run to rescue it.
        if (s.request == Stage.RESTART_GAME) {
            restart();
        } else if (s.request == Stage.RESTART_STAGE) {
            Stage.etap = stageIndex;
            enter(stageIndex);
        } else if (Stage.etap != stageIndex) {
            enter(Stage.etap);
        } else if (Stage.etap_game == "end") {
            screen = LOST;
        }
    }

    private static boolean pressedBefore(int[] codes, int[] presses, int at) {
        for (int i = 0; i < at; i++) {
            if (codes[i] == codes[at] && presses[i] == 1) {
                return true;
            }
        }
        return false;
    }

    /** A new game: the values kept from stage to stage back to their start, stage 1. */
    private void restart() {
        Stage.etap = 0;
        Stage.life = Stage.START_LIFE;
        Stage.maxLife = Stage.START_LIFE;
        Stage.speed = Stage.START_SPEED;
        Stage.score = Stage.START_SPEED;
        Stage.control = true;
        Stage.etap_game = "";
        stageIndex = -1;
        enter(0);
    }

    /** Starts stage class Etap<index>; none of that name means the game is won. */
    private void enter(int index) {
        if (index < 0) {
            index = 0;
            Stage.etap = 0;
        }
        Class type = stageClass(index);
        if (type == null) {
            screen = WON;
            stage = null;
            return;
        }
        try {
            Stage next = (Stage) type.newInstance();
            next.width = getWidth();
            next.height = getHeight();
            next.level = index + 1;
            next.load();
            next.begin();
            stage = next;
            stageIndex = index;
            screen = PLAYING;
        } catch (Exception e) {
            broken(index, e);
        } catch (OutOfMemoryError e) {
            broken(index, e);
        }
    }

    static Class stageClass(int index) {
        if (index < 0) {
            return null;
        }
        try {
            return Class.forName(new StringBuffer("Etap").append(index).toString());
        } catch (ClassNotFoundException e) {
            return null;
        }
    }

    private void broken(int index, Throwable e) {
        stage = null;
        screen = BROKEN;
        brokenText = new StringBuffer("\u042d\u0442\u0430\u043f ").append(index + 1)
                .append(" \u043d\u0435 \u0437\u0430\u0433\u0440\u0443\u0436\u0435\u043d: ").append(e.toString())
                .toString();
    }

    private void draw(Graphics g) {
        int w = getWidth();
        int h = getHeight();
        g.setClip(0, 0, w, h);
        if (screen == PLAYING && stage != null) {
            StageView.paint(stage, g);
            return;
        }
        g.setColor(0x000000);
        g.fillRect(0, 0, w, h);
        Font big = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_LARGE);
        Font small = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_PLAIN, Font.SIZE_SMALL);
        if (screen == BROKEN) {
            g.setColor(0xFF4040);
            g.setFont(small);
            StageView.drawWrapped(g, small, brokenText, 4, 4, w - 8, Graphics.LEFT);
            return;
        }
        // "You won" or "Game over", then "press any key", in Russian.
        String title = screen == WON ? "\u041f\u043e\u0431\u0435\u0434\u0430!"
                : "\u0418\u0433\u0440\u0430 \u043e\u043a\u043e\u043d\u0447\u0435\u043d\u0430";
        // A narrow screen gets a smaller title rather than a cut one.
        if (big.stringWidth(title) > w - 8) {
            big = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_MEDIUM);
        }
        if (big.stringWidth(title) > w - 8) {
            big = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_SMALL);
        }
        g.setFont(big);
        g.setColor(screen == WON ? 0xFFE040 : 0xFF4040);
        g.drawString(title, w / 2, h / 2 - big.getHeight(), Graphics.TOP | Graphics.HCENTER);
        g.setFont(small);
        g.setColor(0xFFFFFF);
        StageView.drawWrapped(g, small, "\u041d\u0430\u0436\u043c\u0438\u0442\u0435 \u043b\u044e\u0431\u0443\u044e "
                + "\u043a\u043b\u0430\u0432\u0438\u0448\u0443", w / 2, h / 2 + 4, w - 8, Graphics.HCENTER);
    }

    /**
     * An active object's sprite. The event sheet's collision condition is true
     * in the first run of the sheet in which the two touch, and again only after
     * they have been apart, as a key press counts once per press: a touch that
     * lasts a second costs one life, not one per run. (Sprite's own collidesWith
     * is final; the sheet's code, with two Actors, reaches this one.)
     */
    static final class Actor extends Sprite {
        private final Stage stage;
        /** Per object touched: its sprite, the last run the two touched, the run the contact began. */
        private Actor[] partner = new Actor[0];
        private int[] lastRun = new int[0];
        private int[] firstRun = new int[0];
        private int partners;

        Actor(Image image, int frameWidth, int frameHeight, Stage stage) {
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
    }

    /**
     * The key codes the event sheet asks about. Every stage sees one object under
     * the names etap1data .. etap20data: the key-press condition names its stage
     * counted from 1, in the stage class counted from 0.
     */
    public static class KeyState {
        /** The key just pressed (as the sheet counts keys) for one step, else 0. */
        int keyCode1;
        /** The key released last. */
        int keyCode2;
    }


    /**
     * What every stage class (Etap0, Etap1, ...) sees: the values its event sheet
     * reads and writes, the building of the stage from its tables that its
     * load() calls, and one tick of play. Movement moves the objects, lets them
     * behave, collide and animate; StageView draws the stage and its indicators.
     * (Every class of a jar repeats the names it uses, so the game keeps to few.)
     */
    public abstract static class Stage {
        /** Highest group number a stage can have. */
        static final int MAX_GROUPS = 100;
        /** The event sheet runs every STEP ms of game time, so timer conditions meet every 10 ms. */
        static final int STEP = 10;
        /** A second press of a key within this many ticks (300 ms) is a double press. */
        static final int DOUBLE_PRESS_TICKS = 6;
        /** dbkey when no key was pressed twice. */
        static final int NO_KEY = -1000;
        static final int START_LIFE = 3;
        static final int START_SPEED = 2;

        /** Key names of the double-press condition; digits stand for themselves. */
        static final int vu = -1, vd = -2, vl = -3, vr = -4, venter = -5;
        /** Soft keys: these codes are the common ones, some phones use others. */
        static final int ls = -6, rs = -7;
        /** "*" and "#": no Java names, so the double-press condition spells them out. */
        static final int star = KEY_STAR, pound = KEY_POUND;

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

        final KeyState keys = new KeyState();
        KeyState etap1data = keys, etap2data = keys, etap3data = keys, etap4data = keys, etap5data = keys,
                etap6data = keys, etap7data = keys, etap8data = keys, etap9data = keys, etap10data = keys,
                etap11data = keys, etap12data = keys, etap13data = keys, etap14data = keys, etap15data = keys,
                etap16data = keys, etap17data = keys, etap18data = keys, etap19data = keys, etap20data = keys;

        // Not for the sheet: the play that Movement and StageView share with the stage.
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

        private final Random random = new Random();
        /** The key that was pressed last and at which tick, for double presses. */
        private int lastKey = NO_KEY;
        private int lastPressTick = -1000;
        private boolean fresh;
        /** The behaviour of every object before a run of the sheet, to see what it changed. */
        private int[] before = new int[0];

        /** Reads the data class tables and builds the layers. */
        abstract void load() throws IOException;

        /** The event sheet of the stage: runs once per step. */
        abstract void events();

        /** The number keys of the data class: 1 right, 2 up, 3 left, 4 down. */
        abstract boolean held(int direction);

        /** Passes a key to the data class. */
        abstract void dataKeyPressed(int keyCode);

        abstract void dataKeyReleased(int keyCode);

        /**
         * A key went down. The key conditions see a press once: keyCode1, anykey
         * and dbkey hold it for the first step of the next tick only.
         */
        final void press(int rawCode, int code, int tick) {
            dataKeyPressed(rawCode);
            fresh = true;
            anykey = true;
            keys.keyCode1 = code;
            if (code == lastKey && tick - lastPressTick <= DOUBLE_PRESS_TICKS) {
                dbkey = code >= KEY_NUM0 && code <= KEY_NUM9 ? code - KEY_NUM0 : code;
                lastKey = NO_KEY;
            } else {
                lastKey = code;
                lastPressTick = tick;
            }
        }

        final void release(int rawCode, int code) {
            dataKeyReleased(rawCode);
            keys.keyCode2 = code;
        }

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

        // ---- one tick ----

        /** What a row asked of the canvas: the game ended or started anew, the stage started anew. */
        static final int PLAY_ON = 0, END_GAME = 1, RESTART_GAME = 2, RESTART_STAGE = 3;
        int request = PLAY_ON;

        /** The end-of-game action: the sheet runs once more with its end-of-game condition true, then the game is over. */
        final void endGame() {
            request = END_GAME;
        }

        /** The restart-game action: stage 1 with the lives, speed and timers of a new game. */
        final void restartGame() {
            request = RESTART_GAME;
        }

        /** The restart-stage action: this stage from its start; the lives stay as they are. */
        final void restartStage() {
            request = RESTART_STAGE;
        }

        /** Advances the stage by one tick of game time. */
        final void tick(int keyStates) {
            int start = etap;
            edgeSetX = false;
            edgeSetY = false;
            for (int t = 0; t < TICK; t += STEP) {
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
                obj[k].setPosition(x[k], y[k]);
                obj[k].setVisible(vis_obj[k]);
            }
        }

        private void place() {
            for (int k = 0; k < obj.length; k++) {
                obj[k].setPosition(x[k], y[k]);
                obj[k].setVisible(vis_obj[k]);
            }
        }

        static int clamp(int v, int low, int high) {
            return v < low ? low : v > high ? Math.max(low, high) : v;
        }
    }
}
