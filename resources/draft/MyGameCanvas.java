// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.game.GameCanvas;

/**
 * The game screen: its life cycle and pauses, the loop that runs the current
 * stage at a fixed tick with the keys queued since the last, stage changes and
 * which screen shows (StageView draws it). Stage classes are found by name
 * (Etap0, Etap1, ...), so this one canvas serves a project of any number of
 * stages.
 */
public class MyGameCanvas extends GameCanvas implements Runnable {
    /** Game time of one tick in ms: everything moves, animates and is drawn once per tick. */
    static final int TICK = 50;

    /** What the screen shows. */
    static final int PLAYING = 0, WON = 1, LOST = 2, BROKEN = 3, TITLE = 4;
    /** Ticks an end screen stands before a key starts a new game, so a key pressed in play does not. */
    static final int END_PAUSE = 10;

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
    /** The tick the won, lost or broken screen appeared. */
    private int endedAt;
    /** The title screen while it shows, else null; its picture is let go of in play. */
    private TitleScreen title;
    /** The sound switch's key was pressed in play since the last tick. */
    private volatile boolean switchPressed;
    /** A tap on the screen since the last tick, -1 for none. */
    private int tapX = -1, tapY;

    /**
     * Key events since the last tick, in order: the code, and 1 for a press, 0 for a release, REPEAT
     * for a press of a key already down (desktops repeat a held key so; phones call keyRepeated).
     */
    private final int[] queueCode = new int[64];
    private final int[] queuePress = new int[64];
    private int queued;
    private static final int REPEAT = 2;
    /** The keys down now, as the phone's events say. */
    private final int[] down = new int[16];
    private int downCount;
    /** The key-state bits of keys pressed while the game stood paused: not the game's until released. */
    private volatile int unheard;
    private final int[] tickCodes = new int[64];
    private final int[] tickPresses = new int[64];
    private final int[] tickLate = new int[64];
    /** The touch screen: what the sheet sees of it, and the on-screen buttons. */
    private final Touch touch = new Touch();

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
        Sounds.close();
        notifyAll();
    }

    /** A call, another program or the phone's own screen: the game stops where it stands. */
    void pause() {
        paused = true;
        Sounds.pause();
    }

    /** Back on the screen: the game goes on from where it stood, keys of the meantime forgotten. */
    synchronized void resume() {
        paused = false;
        // What the phone latched while its own screen had the keys is not the game's.
        getKeyStates();
        // Keys down before the pause are let go: their release may have gone to the phone's screen.
        queued = 0;
        for (int i = 0; i < downCount; i++) {
            queueCode[queued] = down[i];
            queuePress[queued] = 0;
            queued++;
        }
        downCount = 0;
        Sounds.resume();
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
        if (GameValues.SCORED || GameValues.TITLE != null) {
            GameRecords.load();
        }
        startOrTitle();
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
        if (paused) {
            // Meant for the phone's screen: the game hears it neither now nor, held on, after the pause.
            unheard |= stateBit(keyCode);
            return;
        }
        int code = Keys.sheetCode(this, keyCode);
        if (code == Keys.RIGHT_SOFT && !sheetTakesRightSoft()) {
            // A full-screen canvas shows no commands: the right soft key is the way out.
            midlet.exit();
        } else if (Sounds.SWITCH_KEY != 0 && code == Sounds.SWITCH_KEY && screen == PLAYING) {
            // No sheet of the game asks about this key: it is the sound switch, in quiet places too.
            switchPressed = true;
        } else if (code != 0) {
            enqueue(keyCode, 1);
        }
    }

    public void keyReleased(int keyCode) {
        unheard &= ~stateBit(keyCode);
        if (paused) {
            // The pause's end lets go of every key.
            return;
        }
        int code = Keys.sheetCode(this, keyCode);
        if (Sounds.SWITCH_KEY != 0 && code == Sounds.SWITCH_KEY && screen == PLAYING) {
            return;
        }
        if (code != 0 && (code != Keys.RIGHT_SOFT || sheetTakesRightSoft())) {
            enqueue(keyCode, 0);
        }
    }

    protected void pointerPressed(int x, int y) {
        if (screen == TITLE && !paused) {
            // The title's menu takes a tap at the next tick.
            synchronized (this) {
                tapX = x;
                tapY = y;
            }
            return;
        }
        pointer(x, y, Touch.PRESS);
    }

    protected void pointerDragged(int x, int y) {
        pointer(x, y, Touch.DRAG);
    }

    protected void pointerReleased(int x, int y) {
        pointer(x, y, Touch.RELEASE);
    }

    /** A touch of the screen for the sheet, or of the on-screen buttons: the keys they stand for go down or up. */
    private void pointer(int x, int y, int what) {
        if (paused) {
            return;
        }
        int change = touch.pointer(x, y, what, buttonsShown(), getWidth(), getHeight());
        for (int a = 1; a < 16; a++) {
            if ((change >>> 16 & 1 << a) != 0) {
                keyReleased(getKeyCode(a));
            }
            if ((change & 1 << a) != 0) {
                keyPressed(getKeyCode(a));
            }
        }
    }

    /** The game asked for on-screen buttons and the phone has a touch screen. */
    private boolean buttonsShown() {
        Stage s = stage;
        return screen == PLAYING && s != null && s.touchButtons && hasPointerEvents();
    }

    /** The bit of getKeyStates() a key sets. */
    private int stateBit(int keyCode) {
        try {
            return 1 << getGameAction(keyCode);
        } catch (IllegalArgumentException e) {
            return 0;
        }
    }

    private boolean sheetTakesRightSoft() {
        Stage s = stage;
        return screen == PLAYING && s != null && s.rightSoftAsked;
    }

    private synchronized void enqueue(int keyCode, int press) {
        int at = 0;
        while (at < downCount && down[at] != keyCode) {
            at++;
        }
        if (press == 0 && at < downCount) {
            down[at] = down[--downCount];
        } else if (press == 1 && at < downCount) {
            press = REPEAT;
        } else if (press == 1 && downCount < down.length) {
            down[downCount++] = keyCode;
        }
        if (queued < queueCode.length) {
            queueCode[queued] = keyCode;
            queuePress[queued] = press;
            queued++;
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
        Sounds.tick();
        if (Sounds.SWITCH_KEY != 0 && switchPressed) {
            switchPressed = false;
            Sounds.toggle();
        }
        int states = getKeyStates() & ~unheard | touch.states();

        if (screen == TITLE) {
            title(codes, presses, count);
            return;
        }
        if (screen != PLAYING) {
            // Only a key pressed once the pause is over starts a new game: not one still held from play.
            if (ticks - endedAt < END_PAUSE) {
                return;
            }
            for (int i = 0; i < count; i++) {
                if (presses[i] == 1) {
                    startOrTitle();
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
            int code = Keys.sheetCode(this, codes[i]);
            if (presses[i] != 0) {
                s.press(codes[i], code, ticks);
            } else if (pressedBefore(codes, presses, i)) {
                late[lateCount++] = i;
            } else {
                s.release(codes[i], code);
            }
        }
        s.width = getWidth();
        s.height = getHeight();
        touch.apply(s.delraspx, s.delraspy);
        s.tick(states);
        for (int i = 0; i < lateCount; i++) {
            s.release(codes[late[i]], Keys.sheetCode(this, codes[late[i]]));
        }
        int request = s.request;
        // Not held while the next stage loads: its pictures may need the room this one's take.
        s = null;
        // The stage decides when the game is lost: only after its sheet had a run to rescue it.
        if (request == Stage.RESTART_GAME) {
            restart();
        } else if (request == Stage.RESTART_STAGE) {
            Stage.etap = stageIndex;
            enter(stageIndex);
        } else if (Stage.etap != stageIndex) {
            enter(Stage.etap);
        } else if (Stage.etap_game == "end") {
            end(LOST);
        }
    }

    private static boolean pressedBefore(int[] codes, int[] presses, int at) {
        for (int i = 0; i < at; i++) {
            if (codes[i] == codes[at] && presses[i] != 0) {
                return true;
            }
        }
        return false;
    }

    /** The title screen when the game has one, else a new game. */
    private void startOrTitle() {
        if (GameValues.TITLE == null) {
            restart();
            return;
        }
        stage = null;
        title = new TitleScreen(GameRecords.reached > 0, Sounds.present);
        screen = TITLE;
        synchronized (this) {
            tapX = -1;
        }
    }

    /** The title's menu: up and down (or 2 and 8) choose, fire, 5 or the left soft key or a tap take. */
    private void title(int[] codes, int[] presses, int count) {
        TitleScreen t = title;
        int taken = -1;
        for (int i = 0; i < count && taken < 0; i++) {
            if (presses[i] != 1) {
                continue;
            }
            int code = Keys.sheetCode(this, codes[i]);
            if (code == -1 || code == KEY_NUM2) {
                t.up();
            } else if (code == -2 || code == KEY_NUM8) {
                t.down();
            } else if (code == -5 || code == KEY_NUM5 || code == Keys.LEFT_SOFT) {
                taken = t.chosen;
            }
        }
        synchronized (this) {
            if (tapX >= 0 && taken < 0) {
                taken = t.itemAt(getWidth(), getHeight(), tapX, tapY);
                if (taken >= 0) {
                    t.chosen = taken;
                }
            }
            tapX = -1;
        }
        if (taken < 0) {
            return;
        }
        int item = t.items[taken];
        if (item == TitleScreen.LEAVE) {
            midlet.exit();
            return;
        }
        if (item == TitleScreen.SOUND) {
            Sounds.toggle();
            return;
        }
        title = null;
        begin(item == TitleScreen.GO_ON ? GameRecords.reached : 0);
    }

    /** A new game: the values kept from stage to stage back to their start, stage 1. */
    private void restart() {
        begin(0);
    }

    /** A new game from stage index: "continue" goes on from the stage reached, with a new game's values. */
    private void begin(int index) {
        Stage.etap = index;
        Stage.life = Stage.START_LIFE;
        Stage.maxLife = Stage.START_LIFE;
        Stage.speed = Stage.START_SPEED;
        Stage.score = Stage.START_SPEED;
        Stage.control = true;
        Stage.etap_game = "";
        GameValues.newGame();
        stageIndex = -1;
        enter(index);
    }

    /** Starts stage class Etap<index>; none of that name means the game is won. */
    private void enter(int index) {
        if (index < 0) {
            index = 0;
            Stage.etap = 0;
        }
        Class type = stageClass(index);
        if (type == null) {
            if (GameValues.TITLE != null) {
                // A game won has nothing to go on from.
                GameRecords.reach(-1);
            }
            end(WON);
            stage = null;
            return;
        }
        if (Stage.life <= 0) {
            // A stage the sheet moved to with no lives left would be lost in its first run: the game
            // goes on there, so it starts with the lives of a new game.
            Stage.life = Stage.START_LIFE;
        }
        // The stage before lets go of its pictures, tables and sounds before this one loads its own.
        stage = null;
        Sounds.close();
        System.gc();
        try {
            Stage next = (Stage) type.newInstance();
            next.width = getWidth();
            next.height = getHeight();
            next.level = index + 1;
            GameValues.newStage();
            touch.clear();
            next.touch = touch;
            next.load();
            Sounds.open(index + 1);
            next.begin();
            stage = next;
            stageIndex = index;
            screen = PLAYING;
            if (GameValues.TITLE != null) {
                GameRecords.reach(index);
            }
            // A game left half-way still keeps its best.
            if (GameValues.SCORED) {
                GameRecords.score(GameValues.v0);
            }
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

    private void end(int which) {
        Sounds.close();
        screen = which;
        endedAt = ticks;
        if (GameValues.SCORED && which != BROKEN) {
            GameRecords.score(GameValues.v0);
        }
    }

    private void broken(int index, Throwable e) {
        stage = null;
        end(BROKEN);
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
            if (buttonsShown()) {
                touch.paint(g, w, h);
            }
            if (Sounds.SWITCH_KEY != 0) {
                Sounds.paintNotice(g, w, h);
            }
            return;
        }
        if (screen == TITLE && title != null) {
            title.paint(g, w, h);
            return;
        }
        StageView.paintEnd(g, w, h, screen, brokenText, ticks - endedAt >= END_PAUSE, GameValues.SCORED,
                GameValues.v0, GameRecords.best);
    }

    /**
     * What every stage class (Etap0, Etap1, ...) extends, by the name the
     * converter writes: a stage's values and building (StageState) and its
     * tick (StagePlay).
     */
    public abstract static class Stage extends StagePlay {
    }
}
