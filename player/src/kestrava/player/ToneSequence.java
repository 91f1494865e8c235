package kestrava.player;

import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/** A MIDP tone sequence read into its notes: each a pitch (-1 silence), a length in ms and a volume. */
final class ToneSequence {
    static final class Note {
        final int pitch;
        final int ms;
        final int volume;

        Note(int pitch, int ms, int volume) {
            this.pitch = pitch;
            this.ms = ms;
            this.volume = volume;
        }
    }

    private static final int VERSION = -2, TEMPO = -3, RESOLUTION = -4, BLOCK_START = -5, BLOCK_END = -6,
            PLAY_BLOCK = -7, SET_VOLUME = -8, REPEAT = -9, SILENCE = -1;
    /** A sequence longer than this (a block played in itself, say) is taken as broken. */
    private static final int MOST_NOTES = 100000;

    private final byte[] b;
    private int tempo = 30;
    private int resolution = 64;
    private int volume = 100;
    private final Map<Integer, int[]> blocks = new HashMap<>();
    private final List<Note> notes = new ArrayList<>();

    private ToneSequence(byte[] bytes) {
        b = bytes;
    }

    /** The notes, or null for bytes that are no tone sequence. */
    static List<Note> read(byte[] bytes) {
        try {
            ToneSequence s = new ToneSequence(bytes);
            s.parse();
            return s.notes;
        } catch (RuntimeException e) {
            return null;
        }
    }

    /** The whole length in ms, or -1 for bytes that are no tone sequence. */
    static long length(byte[] bytes) {
        List<Note> notes = read(bytes);
        if (notes == null) {
            return -1;
        }
        long ms = 0;
        for (Note n : notes) {
            ms += n.ms;
        }
        return ms;
    }

    private void parse() {
        if (b.length < 2 || b[0] != VERSION || b[1] != 1) {
            throw new IllegalArgumentException("no version 1");
        }
        int i = 2;
        if (i + 1 < b.length && b[i] == TEMPO) {
            tempo = range(b[i + 1], 5, 127);
            i += 2;
        }
        if (i + 1 < b.length && b[i] == RESOLUTION) {
            resolution = range(b[i + 1], 1, 127);
            i += 2;
        }
        while (i + 1 < b.length && b[i] == BLOCK_START) {
            int number = range(b[i + 1], 0, 127);
            int start = i + 2;
            int end = start;
            while (end + 1 < b.length && !(b[end] == BLOCK_END && b[end + 1] == number)) {
                end += 2;
            }
            if (end + 1 >= b.length) {
                throw new IllegalArgumentException("block " + number + " not ended");
            }
            blocks.put(number, new int[] {start, end});
            i = end + 2;
        }
        play(i, b.length, 0);
    }

    private void play(int from, int to, int depth) {
        if (depth > 16) {
            throw new IllegalArgumentException("blocks too deep");
        }
        int repeat = 1;
        for (int i = from; i < to; i += 2) {
            if (i + 1 >= to) {
                throw new IllegalArgumentException("odd length");
            }
            int event = b[i];
            int value = b[i + 1];
            if (event >= 0 || event == SILENCE) {
                int ms = (int) (range(value, 1, 127) * 60000L / ((long) tempo * resolution));
                for (int k = 0; k < repeat; k++) {
                    add(new Note(event, ms, volume));
                }
                repeat = 1;
            } else if (event == REPEAT) {
                repeat = range(value, 2, 127);
            } else if (event == SET_VOLUME) {
                volume = range(value, 0, 100);
            } else if (event == PLAY_BLOCK) {
                int[] block = blocks.get(value);
                if (block == null) {
                    throw new IllegalArgumentException("no block " + value);
                }
                play(block[0], block[1], depth + 1);
            } else {
                throw new IllegalArgumentException("event " + event);
            }
        }
    }

    private void add(Note n) {
        if (notes.size() >= MOST_NOTES) {
            throw new IllegalArgumentException("too long");
        }
        notes.add(n);
    }

    private static int range(int v, int lo, int hi) {
        if (v < lo || v > hi) {
            throw new IllegalArgumentException(v + " outside " + lo + ".." + hi);
        }
        return v;
    }
}
