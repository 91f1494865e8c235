import java.io.InputStream;

import javax.microedition.lcdui.Font;
import javax.microedition.lcdui.Graphics;

import javax.microedition.media.Control;
import javax.microedition.media.Manager;
import javax.microedition.media.MediaException;
import javax.microedition.media.Player;
import javax.microedition.media.PlayerListener;
import javax.microedition.media.control.VolumeControl;

/**
 * The game's sounds, by the numbers the event sheet gives them. Each stage
 * opens the players of the sounds its sheet plays once, prefetched at its
 * start so that playing does not stall a tick, and closes them at its end. A
 * sound that cannot be made or played is skipped: the game goes on. The
 * canvas calls open, close, pause, resume and tick; the sheet the rest.
 */
final class Sounds implements PlayerListener {
    // The converter writes the game's sounds here: each number's resource (null for none) and the
    // numbers each stage plays.
    static final String[] FILES = {};
    static final int[][] STAGES = {};
    /** The key that turns the sound on and off in play, one no sheet of the game asks about; 0 for none. */
    static final int SWITCH_KEY = 0;

    /** Whether the game has any sound, so that its switch is worth showing. */
    static final boolean present = FILES.length > 0;
    /** Sampled sounds (WAV, MIDI, melodies) a handset plays at once; tones go beside them. */
    static final int AT_ONCE = 1;

    private static final Sounds LISTENER = new Sounds();
    /** The switch's own store: a game's records stay as they are whether it has sound or not. */
    private static final String STORE = "kestrava-sound";
    private static Player[] players = new Player[0];
    private static boolean[] looping = new boolean[0];
    private static boolean[] playing = new boolean[0];
    /** Stopped by a pause of the game, to go on after it. */
    private static boolean[] held = new boolean[0];
    /** Ended since the last tick, and ended as the sheet's first run of this tick sees it. */
    private static boolean[] finished = new boolean[0];
    private static boolean[] ended = new boolean[0];
    /** The tick each sound was last started in: a sheet that runs five times a tick starts it once. */
    private static int[] startedAt = new int[0];
    private static int ticks;
    /** The tick until which the screen says how the switch stands, after it was turned. */
    private static int noticeUntil = -1;
    /** The tick and note of the last tone: a sheet that runs twice in a tick sounds it once. */
    private static int toneTick = -1, toneNote;
    private static int level = 100;
    private static boolean on = recall();

    private Sounds() {
    }

    /** The sound switch of the game's player: off, nothing is heard. */
    static synchronized boolean on() {
        return on;
    }

    static synchronized void toggle() {
        on = !on;
        if (!on) {
            stopAll();
        }
        remember(on);
        noticeUntil = ticks + 20;
    }

    /** For a second after the switch was turned, its state on a dark strip at the foot of the screen. */
    static synchronized void paintNotice(Graphics g, int w, int h) {
        if (ticks >= noticeUntil) {
            return;
        }
        Font f = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_PLAIN, Font.SIZE_SMALL);
        int rows = f.getHeight() + 2;
        g.setColor(0x000000);
        g.fillRect(0, h - rows, w, rows);
        g.setColor(0xFFFFFF);
        g.setFont(f);
        g.drawString(on ? "\u0417\u0432\u0443\u043a \u0432\u043a\u043b" : "\u0417\u0432\u0443\u043a \u0432\u044b\u043a\u043b", w / 2, h - rows + 1, Graphics.TOP | Graphics.HCENTER);
    }

    /** The switch as the phone keeps it from game to game: missing or damaged, the sound is on. */
    private static boolean recall() {
        byte[] b = GameRecords.read(STORE, 1);
        return b == null || b[0] != 0;
    }

    private static void remember(boolean value) {
        GameRecords.write(STORE, new byte[] {(byte) (value ? 1 : 0)});
    }

    /** The start of a stage (1-based): the sounds its sheet plays made ready. */
    static synchronized void open(int stage) {
        close();
        int n = FILES.length;
        players = new Player[n];
        looping = new boolean[n];
        playing = new boolean[n];
        held = new boolean[n];
        finished = new boolean[n];
        ended = new boolean[n];
        startedAt = new int[n];
        if (stage < 1 || stage > STAGES.length) {
            return;
        }
        int[] used = STAGES[stage - 1];
        for (int i = 0; i < used.length; i++) {
            players[used[i]] = made(FILES[used[i]]);
        }
    }

    private static Player made(String file) {
        InputStream in = LISTENER.getClass().getResourceAsStream(file);
        if (in == null) {
            return null;
        }
        String type = file.endsWith(".mid") ? "audio/midi" : file.endsWith(".jts") ? "audio/x-tone-seq" : "audio/x-wav";
        try {
            Player p = Manager.createPlayer(in, type);
            p.addPlayerListener(LISTENER);
            p.realize();
            p.prefetch();
            loudness(p);
            return p;
        } catch (Exception e) {
            // IOException, MediaException, or a handset's own refusal: this sound stays silent.
            return null;
        }
    }

    /** The end of a stage or of the game: every player let go of. */
    static synchronized void close() {
        for (int i = 0; i < players.length; i++) {
            if (players[i] != null) {
                players[i].close();
                players[i] = null;
            }
            playing[i] = false;
        }
    }

    static synchronized void play(int n, int repeat) {
        boolean loop = repeat != 0;
        Player p = player(n);
        if (p == null || !on || startedAt[n] == ticks && playing[n] || loop && looping[n] && playing[n]) {
            return;
        }
        for (int i = 0, count = 0; i < players.length; i++) {
            if (i != n && playing[i] && ++count >= AT_ONCE) {
                halt(i);
            }
        }
        try {
            p.stop();
            p.setMediaTime(0);
            p.setLoopCount(loop ? -1 : 1);
            looping[n] = loop;
            playing[n] = true;
            startedAt[n] = ticks;
            p.start();
        } catch (Exception e) {
            playing[n] = false;
        }
    }

    static synchronized void stop(int n) {
        if (player(n) != null) {
            halt(n);
        }
    }

    static synchronized void stopAll() {
        for (int i = 0; i < players.length; i++) {
            if (players[i] != null) {
                halt(i);
            }
        }
    }

    private static void halt(int n) {
        playing[n] = false;
        held[n] = false;
        try {
            players[n].stop();
        } catch (Exception e) {
            // Stopped or not, it is no longer counted as playing.
        }
    }

    /** The loudness of every sound and tone of the game, 0..100. */
    static synchronized void volume(int percent) {
        level = percent < 0 ? 0 : percent > 100 ? 100 : percent;
        for (int i = 0; i < players.length; i++) {
            if (players[i] != null) {
                loudness(players[i]);
            }
        }
    }

    private static void loudness(Player p) {
        Control c = p.getControl("VolumeControl");
        if (c instanceof VolumeControl) {
            ((VolumeControl) c).setLevel(level);
        }
    }

    /** One note (60 is middle C) for ms milliseconds, beside the sounds. */
    static synchronized void tone(int note, int ms) {
        if (!on || toneTick == ticks && toneNote == note) {
            return;
        }
        toneTick = ticks;
        toneNote = note;
        try {
            Manager.playTone(note, ms, level);
        } catch (Exception e) {
            // A handset without tones stays silent.
        }
    }

    static synchronized boolean playing(int n) {
        return player(n) != null && playing[n];
    }

    static synchronized boolean ended(int n) {
        return player(n) != null && ended[n];
    }

    private static Player player(int n) {
        return n >= 0 && n < players.length ? players[n] : null;
    }

    /** The phone took the screen or paused the game: what plays stops where it is. */
    static synchronized void pause() {
        for (int i = 0; i < players.length; i++) {
            if (playing[i]) {
                halt(i);
                held[i] = true;
            }
        }
    }

    /** Back in the game: what the pause stopped goes on. */
    static synchronized void resume() {
        for (int i = 0; i < players.length; i++) {
            if (held[i] && on) {
                held[i] = false;
                playing[i] = true;
                try {
                    players[i].start();
                } catch (Exception e) {
                    playing[i] = false;
                }
            }
        }
    }

    /** A new tick: the sounds that ended since the last one are seen by its first run of the sheet. */
    static synchronized void tick() {
        ticks++;
        for (int i = 0; i < finished.length; i++) {
            ended[i] = finished[i];
            finished[i] = false;
        }
    }

    /** A run of the sheet is over: an end is seen once. */
    static synchronized void ran() {
        for (int i = 0; i < ended.length; i++) {
            ended[i] = false;
        }
    }

    public void playerUpdate(Player p, String event, Object data) {
        if (event != PlayerListener.END_OF_MEDIA && !event.equals(PlayerListener.END_OF_MEDIA)) {
            return;
        }
        endOf(p);
    }

    private static synchronized void endOf(Player p) {
        for (int i = 0; i < players.length; i++) {
            if (players[i] == p && playing[i] && !looping[i]) {
                playing[i] = false;
                finished[i] = true;
            }
        }
    }
}
