package kestrava.player;

import java.io.ByteArrayInputStream;
import java.io.PrintStream;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.CopyOnWriteArrayList;
import java.util.function.BooleanSupplier;

import javax.sound.midi.MidiSystem;
import javax.sound.midi.Sequence;
import javax.sound.midi.Sequencer;
import javax.sound.sampled.AudioFileFormat;
import javax.sound.sampled.AudioFormat;
import javax.sound.sampled.AudioInputStream;
import javax.sound.sampled.AudioSystem;
import javax.sound.sampled.Clip;
import javax.sound.sampled.FloatControl;

import kestrava.player.phone.Speaker;

/**
 * The phone's sound on the desktop: game time from the ticks drawn, a log of
 * every event with its tick (which the scripts assert on), and, when audible,
 * WAV through javax.sound.sampled, MIDI through javax.sound.midi and tones
 * synthesised. Headless play opens no audio device.
 */
public final class DesktopSound implements Speaker {
    /** Tick of game time, as the game counts it. */
    static final int TICK_MS = 50;
    private static final float RATE = 22050f;

    private final boolean audible;
    private volatile long ticks;
    private final List<String> lines = new ArrayList<>();
    private PrintStream file;
    private final List<BooleanSupplier> watches = new CopyOnWriteArrayList<>();
    private volatile boolean deaf;

    public DesktopSound(boolean audible) {
        this.audible = audible;
    }

    /** Every later event is written into this stream too, a line each. */
    public synchronized void logTo(PrintStream out) {
        file = out;
    }

    /** The log so far, "tick event" a line. */
    public synchronized List<String> lines() {
        return new ArrayList<>(lines);
    }

    /** The game drew a tick: game time goes on, and the players see whether they ended. */
    public void ticked() {
        ticks++;
        for (BooleanSupplier w : watches) {
            if (!w.getAsBoolean()) {
                watches.remove(w);
            }
        }
    }

    @Override
    public long now() {
        return ticks * TICK_MS;
    }

    @Override
    public synchronized void log(String event) {
        // The tick being played: the first tick the game computes is 1.
        String line = (ticks + 1) + " " + event;
        lines.add(line);
        if (file != null) {
            file.println(line);
        }
    }

    @Override
    public long duration(byte[] data, String type) {
        try {
            if (type.contains("tone")) {
                return ToneSequence.length(data);
            }
            if (type.contains("mid")) {
                Sequence s = MidiSystem.getSequence(new ByteArrayInputStream(data));
                return s.getMicrosecondLength() / 1000;
            }
            AudioFileFormat f = AudioSystem.getAudioFileFormat(new ByteArrayInputStream(data));
            return (long) (f.getFrameLength() * 1000.0 / f.getFormat().getFrameRate());
        } catch (Exception e) {
            return -1;
        }
    }

    @Override
    public void everyTick(BooleanSupplier r) {
        watches.add(r);
    }

    @Override
    public Playback play(byte[] data, String type, long fromMs, boolean loop, int level) {
        if (!audible || deaf) {
            return null;
        }
        try {
            if (type.contains("mid")) {
                return midi(data, fromMs, loop);
            }
            AudioInputStream in = type.contains("tone") ? synthesised(ToneSequence.read(data))
                    : AudioSystem.getAudioInputStream(new ByteArrayInputStream(data));
            return clip(in, fromMs, loop, level);
        } catch (Exception e) {
            silent(e);
            return null;
        }
    }

    @Override
    public void tone(int note, int ms, int level) {
        List<ToneSequence.Note> one = new ArrayList<>();
        one.add(new ToneSequence.Note(note, ms, 100));
        if (!audible || deaf) {
            return;
        }
        try {
            clip(synthesised(one), 0, false, level);
        } catch (Exception e) {
            silent(e);
        }
    }

    /** No audio device: the game goes on unheard, and the author is told once. */
    private void silent(Exception e) {
        if (!deaf) {
            deaf = true;
            System.err.println("Звук не слышен: нет звукового устройства (" + e + ")");
        }
    }

    private static Playback clip(AudioInputStream in, long fromMs, boolean loop, int level) throws Exception {
        Clip clip = AudioSystem.getClip();
        clip.open(in);
        clip.setMicrosecondPosition(fromMs * 1000);
        Playback p = new Playback() {
            @Override
            public void stop() {
                clip.stop();
                clip.close();
            }

            @Override
            public void level(int l) {
                if (clip.isControlSupported(FloatControl.Type.MASTER_GAIN)) {
                    FloatControl gain = (FloatControl) clip.getControl(FloatControl.Type.MASTER_GAIN);
                    float db = l <= 0 ? gain.getMinimum() : (float) (20 * Math.log10(l / 100.0));
                    gain.setValue(Math.max(gain.getMinimum(), Math.min(gain.getMaximum(), db)));
                }
            }
        };
        p.level(level);
        if (loop) {
            clip.loop(Clip.LOOP_CONTINUOUSLY);
        } else {
            clip.start();
        }
        return p;
    }

    private static Playback midi(byte[] data, long fromMs, boolean loop) throws Exception {
        Sequencer sequencer = MidiSystem.getSequencer();
        sequencer.open();
        sequencer.setSequence(new ByteArrayInputStream(data));
        sequencer.setMicrosecondPosition(fromMs * 1000);
        if (loop) {
            sequencer.setLoopCount(Sequencer.LOOP_CONTINUOUSLY);
        }
        sequencer.start();
        return new Playback() {
            @Override
            public void stop() {
                sequencer.stop();
                sequencer.close();
            }

            @Override
            public void level(int l) {
                // A sequencer has no gain of its own; the tune plays at its own loudness.
            }
        };
    }

    /** Notes as 16-bit samples: a sine with short ramps, so notes do not click. */
    private static AudioInputStream synthesised(List<ToneSequence.Note> notes) {
        long total = 0;
        for (ToneSequence.Note n : notes) {
            total += (long) (n.ms * RATE / 1000);
        }
        byte[] pcm = new byte[(int) Math.min(total, 60L * (long) RATE) * 2];
        int at = 0;
        for (ToneSequence.Note n : notes) {
            int count = (int) (n.ms * RATE / 1000);
            double hz = 440 * Math.pow(2, (n.pitch - 69) / 12.0);
            int ramp = Math.min(count / 4, (int) (RATE / 200));
            for (int k = 0; k < count && at + 1 < pcm.length; k++, at += 2) {
                double envelope = Math.min(1, Math.min(k, count - k) / (double) Math.max(1, ramp));
                double v = n.pitch < 0 ? 0 : Math.sin(2 * Math.PI * hz * k / RATE) * envelope * n.volume / 100.0;
                short s = (short) (v * 12000);
                pcm[at] = (byte) s;
                pcm[at + 1] = (byte) (s >> 8);
            }
        }
        AudioFormat format = new AudioFormat(RATE, 16, 1, true, false);
        return new AudioInputStream(new ByteArrayInputStream(pcm), format, pcm.length / 2);
    }

    /**
     * Plays one sound file on the desktop and returns when it ended (the
     * editor's "listen"): 0 when played, 3 without an audio device, 1 when
     * the file is no sound.
     */
    static int listen(java.io.File sound, PrintStream err) throws Exception {
        byte[] data = java.nio.file.Files.readAllBytes(sound.toPath());
        String name = sound.getName().toLowerCase(java.util.Locale.ROOT);
        String type = name.endsWith(".jts") ? "audio/x-tone-seq"
                : name.endsWith(".mid") || name.endsWith(".midi") ? "audio/midi" : "audio/x-wav";
        DesktopSound speaker = new DesktopSound(true);
        long ms = speaker.duration(data, type);
        if (ms < 0) {
            err.println("Файл «" + sound.getName() + "» — не звук, который может сыграть телефон.");
            return 1;
        }
        Playback p;
        try {
            p = type.contains("mid") ? midi(data, 0, false)
                    : clip(type.contains("tone") ? synthesised(ToneSequence.read(data))
                            : AudioSystem.getAudioInputStream(new ByteArrayInputStream(data)), 0, false, 100);
        } catch (Exception e) {
            err.println("Нет звукового устройства: " + e.getMessage());
            return 3;
        }
        Thread.sleep(ms + 200);
        p.stop();
        return 0;
    }
}
