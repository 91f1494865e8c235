import java.io.IOException;
import java.util.Random;

import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.game.GameCanvas;
import javax.microedition.lcdui.game.Layer;
import javax.microedition.lcdui.game.LayerManager;
import javax.microedition.lcdui.game.Sprite;
import javax.microedition.lcdui.game.TiledLayer;

/**
 * The game screen: runs the current stage, passes it the keys, draws it.
 * Stage classes are found by name (Etap0, Etap1, ...), so this one canvas
 * serves a project of any number of stages.
 */
public class MyGameCanvas extends GameCanvas implements Runnable {
    /** Milliseconds between two frames. */
    static final int FRAME = 50;

    private final dorv midlet;
    private volatile boolean running;
    private Stage stage;
    private int stageIndex = -1;

    public MyGameCanvas(dorv midlet) {
        super(false);
        this.midlet = midlet;
        setFullScreenMode(true);
    }

    void start() {
        running = true;
        new Thread(this).start();
    }

    void stop() {
        running = false;
    }

    public void run() {
        Graphics g = getGraphics();
        long last = System.currentTimeMillis();
        while (running) {
            if (stage == null || Stage.etap != stageIndex) {
                if (!enter(Stage.etap)) {
                    running = false;
                    midlet.quit();
                    return;
                }
                last = System.currentTimeMillis();
            }
            long now = System.currentTimeMillis();
            stage.tick((int) (now - last));
            last = now;
            stage.paint(g);
            flushGraphics();
            long spent = System.currentTimeMillis() - now;
            if (spent < FRAME) {
                try {
                    Thread.sleep(FRAME - spent);
                } catch (InterruptedException e) {
                    running = false;
                }
            }
        }
    }

    /** Starts stage class Etap<index>; false when there is none. */
    private boolean enter(int index) {
        if (index < 0) {
            return false;
        }
        try {
            String name = new StringBuffer("Etap").append(index).toString();
            Stage next = (Stage) Class.forName(name).newInstance();
            next.load(getWidth(), getHeight());
            stage = next;
            stageIndex = index;
            return true;
        } catch (ClassNotFoundException e) {
            return false;
        } catch (InstantiationException e) {
            return false;
        } catch (IllegalAccessException e) {
            return false;
        } catch (IOException e) {
            return false;
        }
    }

    public void keyPressed(int keyCode) {
        Stage s = stage;
        if (s != null) {
            s.keyPressed(keyCode);
        }
    }

    public void keyReleased(int keyCode) {
        Stage s = stage;
        if (s != null) {
            s.keyReleased(keyCode);
        }
    }

    public void keyRepeated(int keyCode) {
    }

    /**
     * The key codes the event sheet asks about. Every stage sees one object under
     * the names etap1data .. etap20data: the key-press condition names its stage
     * counted from 1, in the stage class counted from 0.
     */
    public static class KeyState {
        /** The key held down last, 0 when none. */
        int keyCode1;
        /** The key released last. */
        int keyCode2;
    }

    /**
     * What every stage class (Etap0, Etap1, ...) has: the values its event sheet
     * reads and writes, and the layers built from its data class.
     */
    public abstract static class Stage {
        /** Highest group number a stage can have. */
        static final int MAX_GROUPS = 100;
        /** Game time advances, and the event sheet runs, in steps of this many ms. */
        static final int STEP = 10;
        /** A second press of a key within this many ms is a double press. */
        static final int DOUBLE_PRESS = 400;
        /** dbkey when no key was pressed twice. */
        static final int NO_KEY = -1000;

        /** Key names of the double-press condition; digits stand for themselves. */
        static final int vu = -1, vd = -2, vl = -3, vr = -4, venter = -5;
        /** Soft keys: these codes are the common ones, some phones use others. */
        static final int ls = -6, rs = -7;
        /** "*" and "#": no Java names, so the double-press condition spells them out. */
        static final int star = KEY_STAR, pound = KEY_POUND;

        /** Object behaviour (objtip): rest, chase, attack, avoid, death. */
        static final int REST = 1, CHASE = 2, ATTACK = 3, AVOID = 4, DEATH = 5;
        /** Movement types of active groups (type_obj). */
        static final int KEYBOARD = 1, PATH = 2, STATIC = 3;

        // Game-wide values, kept from stage to stage.
        /** Index of the current stage, from 0: the stage class Etap<etap>. */
        static int etap;
        static int life = 3;
        static int speed = 2;
        static int score;
        static boolean control = true;
        /** "end" once the game is over. */
        static String etap_game = "";

        // The stage's own values.
        /** Stage time in ms, and its parts. */
        int obtime, obtime_hour, obtime_minute, obtime_second, obtime_hundred;
        /** "end" once the stage is over. */
        String etap_level = "";
        /** The stage number as the author counts it, from 1. */
        int level;
        boolean anykey;
        int dbkey = NO_KEY;
        /** Active objects not dead. */
        int nobject;
        /** A random number 0..99, new at every step. */
        int number;
        int width, height;
        /** Left and top edge of the screen on the level map. */
        int delraspx, delraspy;
        /** The object chased or attacked. */
        int kd;

        /** Per placed active object k: sprite, behaviour, visibility, position. */
        Sprite[] obj = new Sprite[0];
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

        private final Random random = new Random();
        private final LayerManager layers = new LayerManager();
        private TiledLayer[] fon = new TiledLayer[0];
        private boolean[] fonObstacle = new boolean[0];
        private int[] moveType = new int[0];
        private int[][][] framesStop, framesGo, framesDead;
        private int stepKeyboard = 2;
        private int keysDown;
        private int lastKey = NO_KEY;
        private long lastPress;

        /** Reads the data class tables and builds the layers. */
        abstract void load(int screenWidth, int screenHeight) throws IOException;

        /** The event sheet of the stage: runs once per step. */
        abstract void events();

        /** The movement keys of the data class: 1 right, 2 up, 3 left, 4 down. */
        abstract boolean held(int direction);

        void keyPressed(int keyCode) {
            keysDown++;
            anykey = true;
            keys.keyCode1 = keyCode;
            long now = System.currentTimeMillis();
            if (keyCode == lastKey && now - lastPress <= DOUBLE_PRESS) {
                dbkey = keyCode >= KEY_NUM0 && keyCode <= KEY_NUM9 ? keyCode - KEY_NUM0 : keyCode;
                lastKey = NO_KEY;
            } else {
                lastKey = keyCode;
                lastPress = now;
            }
        }

        void keyReleased(int keyCode) {
            keys.keyCode2 = keyCode;
            if (keys.keyCode1 == keyCode) {
                keys.keyCode1 = 0;
            }
            if (keysDown > 0) {
                keysDown--;
            }
            anykey = keysDown > 0;
        }

        final void background(int quanfon, boolean[] obstacle, int[] columns, int[] rows, int[] tileWidth,
                int[] tileHeight, String[] adfon, int[][] pole, int[] fonxt, int[] fonyt) throws IOException {
            fon = new TiledLayer[quanfon];
            fonObstacle = new boolean[quanfon];
            for (int i = 0; i < quanfon; i++) {
                Image image = Image.createImage(adfon[i]);
                int tiles = tileWidth[i] > 0 && tileHeight[i] > 0
                        ? (image.getWidth() / tileWidth[i]) * (image.getHeight() / tileHeight[i]) : 0;
                TiledLayer layer = new TiledLayer(columns[i], rows[i], image, tileWidth[i], tileHeight[i]);
                for (int r = 0; r < rows[i]; r++) {
                    for (int c = 0; c < columns[i]; c++) {
                        int tile = pole[i][r * columns[i] + c];
                        layer.setCell(c, r, tile >= 0 && tile <= tiles ? tile : 0);
                    }
                }
                layer.setPosition(fonxt[i], fonyt[i]);
                fon[i] = layer;
                fonObstacle[i] = obstacle[i];
            }
        }

        final void objects(int quanobj, int[] group_obj, int[] type_obj, String[] adobj, int[] tileWidthob,
                int[] tileHeightob, int[] raspxob, int[] raspyob) throws IOException {
            obj = new Sprite[quanobj];
            objtip = new int[quanobj];
            vis_obj = new boolean[quanobj];
            raspxobd = new int[quanobj];
            raspyobd = new int[quanobj];
            moveType = new int[quanobj];
            kol_obj = new int[MAX_GROUPS + 1];
            for (int k = 0; k < quanobj; k++) {
                Image image = Image.createImage(adobj[k]);
                int w = tileWidthob[k];
                int h = tileHeightob[k];
                boolean strip = w > 0 && h > 0 && image.getWidth() % w == 0 && image.getHeight() % h == 0;
                obj[k] = strip ? new Sprite(image, w, h) : new Sprite(image);
                objtip[k] = REST;
                vis_obj[k] = true;
                raspxobd[k] = raspxob[k];
                raspyobd[k] = raspyob[k];
                int g = group_obj[k];
                moveType[k] = g > 0 && g < type_obj.length ? type_obj[g] : 0;
                if (g >= 0 && g <= MAX_GROUPS) {
                    kol_obj[g]++;
                }
            }
            gr_obj = new int[MAX_GROUPS + 1][];
            for (int g = 0; g <= MAX_GROUPS; g++) {
                gr_obj[g] = new int[kol_obj[g]];
                kol_obj[g] = 0;
            }
            for (int k = 0; k < quanobj; k++) {
                int g = group_obj[k];
                if (g >= 0 && g <= MAX_GROUPS) {
                    gr_obj[g][kol_obj[g]++] = k;
                }
            }
        }

        final void frames(int[][][] stop, int[][][] go, int[][][] dead) {
            framesStop = stop;
            framesGo = go;
            framesDead = dead;
        }

        /** Draws higher list slots over lower ones. */
        final void layout(int[] number_fon, int[] number_act, int screenWidth, int screenHeight) {
            int count = fon.length + obj.length;
            Layer[] order = new Layer[count];
            int[] slot = new int[count];
            for (int i = 0; i < count; i++) {
                boolean isFon = i < fon.length;
                Layer layer = isFon ? (Layer) fon[i] : (Layer) obj[i - fon.length];
                int s = isFon ? number_fon[i] : number_act[i - fon.length];
                int at = i;
                while (at > 0 && slot[at - 1] < s) {
                    order[at] = order[at - 1];
                    slot[at] = slot[at - 1];
                    at--;
                }
                order[at] = layer;
                slot[at] = s;
            }
            for (int i = 0; i < count; i++) {
                layers.append(order[i]);
            }
            width = screenWidth;
            height = screenHeight;
            level = etap + 1;
        }

        final void speeds(int keyboardStep) {
            stepKeyboard = keyboardStep;
        }

        /** Advances the stage by elapsed ms: the event sheet runs at every step. */
        final void tick(int elapsed) {
            if (elapsed > 1000) {
                elapsed = 1000;
            }
            for (int t = 0; t < elapsed; t += STEP) {
                clock();
                place();
                events();
                dbkey = NO_KEY;
                obtime += STEP;
            }
            move();
            animate();
            if (life <= 0) {
                etap_game = "end";
            }
        }

        final void paint(Graphics g) {
            g.setColor(0xFFFFFF);
            g.fillRect(0, 0, width, height);
            place();
            layers.setViewWindow(delraspx, delraspy, width, height);
            layers.paint(g, 0, 0);
        }

        private void clock() {
            obtime_hour = obtime / 3600000;
            obtime_minute = obtime / 60000 % 60;
            obtime_second = obtime / 1000 % 60;
            obtime_hundred = obtime / 10 % 100;
            number = random.nextInt(100);
            int alive = 0;
            for (int k = 0; k < objtip.length; k++) {
                if (objtip[k] != DEATH) {
                    alive++;
                }
            }
            nobject = alive;
        }

        private void place() {
            for (int k = 0; k < obj.length; k++) {
                obj[k].setPosition(raspxobd[k], raspyobd[k]);
                obj[k].setVisible(vis_obj[k]);
            }
        }

        private void move() {
            if (!control) {
                return;
            }
            for (int k = 0; k < obj.length; k++) {
                if (moveType[k] != KEYBOARD || objtip[k] == DEATH) {
                    continue;
                }
                int dx = (held(1) ? stepKeyboard : 0) - (held(3) ? stepKeyboard : 0);
                int dy = (held(4) ? stepKeyboard : 0) - (held(2) ? stepKeyboard : 0);
                if (dx == 0 && dy == 0) {
                    continue;
                }
                obj[k].setPosition(raspxobd[k] + dx, raspyobd[k] + dy);
                if (!blocked(obj[k])) {
                    raspxobd[k] += dx;
                    raspyobd[k] += dy;
                }
            }
        }

        private boolean blocked(Sprite s) {
            for (int i = 0; i < fon.length; i++) {
                if (fonObstacle[i] && s.collidesWith(fon[i], false)) {
                    return true;
                }
            }
            return false;
        }

        private void animate() {
            for (int k = 0; k < obj.length; k++) {
                int[][][] table = objtip[k] == DEATH ? framesDead : objtip[k] == REST ? framesStop : framesGo;
                int[] sequence = table == null ? null : table[0][k];
                if (sequence != null && sequence.length > 0) {
                    int next = (obj[k].getFrame() + 1) % sequence.length;
                    obj[k].setFrameSequence(sequence);
                    obj[k].setFrame(next);
                }
            }
        }
    }
}
