package kestrava.player.phone;

/**
 * What our media classes ask of the phone's sound: its clock, its log, and
 * the desktop's loudspeaker. Sound keeps to the game's time (the ticks it
 * drew), so a scripted game hears its sounds end at the tick expected.
 */
public interface Speaker {
    /** Game time in ms: 50 for every tick the game drew. */
    long now();

    /** One event of the sound log ("play s1.wav loop"); the speaker puts the tick before it. */
    void log(String event);

    /** The length of a sound in ms, or -1 when it cannot be known. */
    long duration(byte[] data, String type);

    /** Plays on the desktop from fromMs on; null when nothing is heard (no window, no audio device). */
    Playback play(byte[] data, String type, long fromMs, boolean loop, int level);

    /** A single tone, heard at once beside the sounds. */
    void tone(int note, int ms, int level);

    /** r runs on the game's thread after every tick it drew, until it returns false. */
    void everyTick(java.util.function.BooleanSupplier r);

    /** A sound the desktop plays. */
    interface Playback {
        void stop();

        void level(int level);
    }
}
