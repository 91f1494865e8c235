package javax.microedition.media;

import java.util.ArrayList;
import java.util.List;

import javax.microedition.media.control.ToneControl;
import javax.microedition.media.control.VolumeControl;

import kestrava.player.phone.Speaker;

/**
 * The one kind of player: its time is the game's (ticks drawn), so it ends at
 * a known tick; the desktop's loudspeaker, where there is one, plays along.
 * Listeners are told without this player's lock held, so a listener may call
 * it from another thread meanwhile.
 */
final class MediaPlayer implements Player, VolumeControl, ToneControl {
    private final Speaker speaker;
    private final String name;
    private final String type;
    private byte[] data;
    private int state = UNREALIZED;
    private long duration = TIME_UNKNOWN;
    private long mediaMs;
    /** Game time at which media time 0 of the first loop would have been. */
    private long origin;
    private int loops = 1;
    private int level = 100;
    private boolean muted;
    private Speaker.Playback playback;
    /** Bumped at every start and stop: a tick watch of an earlier start ends itself. */
    private int run;
    private final List<PlayerListener> listeners = new ArrayList<PlayerListener>();

    MediaPlayer(Speaker speaker, String name, byte[] data, String type) {
        this.speaker = speaker;
        this.name = name;
        this.data = data;
        this.type = type;
    }

    public synchronized void realize() throws MediaException {
        checkOpen();
        if (state == UNREALIZED) {
            duration = data.length == 0 ? TIME_UNKNOWN : speaker.duration(data, type);
            if (duration < 0 && data.length > 0) {
                throw new MediaException("cannot read " + name);
            }
            state = REALIZED;
        }
    }

    public synchronized void prefetch() throws MediaException {
        realize();
        if (state == REALIZED) {
            state = PREFETCHED;
        }
    }

    public void start() throws MediaException {
        synchronized (this) {
            prefetch();
            if (state == STARTED) {
                return;
            }
            if (duration <= 0) {
                // An empty sequence is over at once.
                return;
            }
            state = STARTED;
            origin = speaker.now() - mediaMs;
            speaker.log((mediaMs == 0 ? "play " : "continue ") + name + (loops == -1 ? " loop" : ""));
            playback = speaker.play(data, type, mediaMs, loops == -1, heard());
            final int mine = ++run;
            speaker.everyTick(() -> watch(mine));
        }
        tell(PlayerListener.STARTED, Long.valueOf(mediaMs));
    }

    public void stop() throws MediaException {
        long at;
        synchronized (this) {
            checkOpen();
            if (state != STARTED) {
                return;
            }
            at = halt();
            mediaMs = at;
            speaker.log("stop " + name);
        }
        tell(PlayerListener.STOPPED, Long.valueOf(at));
    }

    /** Ends the desktop's playing and the watch; the media time reached. */
    private long halt() {
        run++;
        state = PREFETCHED;
        if (playback != null) {
            playback.stop();
            playback = null;
        }
        long played = speaker.now() - origin;
        return duration > 0 ? played % duration : 0;
    }

    /** After a tick: the end of the last loop reached is the end of the media. */
    private boolean watch(int mine) {
        synchronized (this) {
            if (mine != run || state != STARTED) {
                return false;
            }
            if (loops == -1 || speaker.now() - origin < duration * loops) {
                return true;
            }
            halt();
            mediaMs = 0;
            loops = 1;
            speaker.log("end " + name);
        }
        tell(PlayerListener.END_OF_MEDIA, Long.valueOf(duration));
        return false;
    }

    public void deallocate() {
        synchronized (this) {
            checkOpen();
            if (state != STARTED) {
                if (state == PREFETCHED) {
                    state = REALIZED;
                }
                return;
            }
        }
        try {
            stop();
        } catch (MediaException e) {
            // Stopping a started player does not fail.
        }
        synchronized (this) {
            state = REALIZED;
        }
    }

    public void close() {
        synchronized (this) {
            if (state == CLOSED) {
                return;
            }
            if (state == STARTED) {
                halt();
                speaker.log("stop " + name);
            }
            state = CLOSED;
            data = new byte[0];
        }
        tell(PlayerListener.CLOSED, null);
    }

    public synchronized long setMediaTime(long now) throws MediaException {
        checkOpen();
        if (state == UNREALIZED) {
            throw new IllegalStateException("not realized");
        }
        long ms = Math.max(0, now / 1000);
        if (duration > 0) {
            ms = Math.min(ms, duration);
        }
        if (state == STARTED) {
            origin = speaker.now() - ms;
        }
        mediaMs = ms;
        return ms * 1000;
    }

    public synchronized long getMediaTime() {
        if (state == STARTED) {
            long played = speaker.now() - origin;
            return (duration > 0 ? played % duration : played) * 1000;
        }
        return mediaMs * 1000;
    }

    public synchronized int getState() {
        return state;
    }

    public synchronized long getDuration() {
        checkOpen();
        return duration < 0 ? TIME_UNKNOWN : duration * 1000;
    }

    public String getContentType() {
        return type;
    }

    public synchronized void setLoopCount(int count) {
        checkOpen();
        if (count == 0 || count < -1) {
            throw new IllegalArgumentException("loop count " + count);
        }
        if (state == STARTED) {
            throw new IllegalStateException("started");
        }
        loops = count;
    }

    public synchronized void addPlayerListener(PlayerListener playerListener) {
        checkOpen();
        if (playerListener != null && !listeners.contains(playerListener)) {
            listeners.add(playerListener);
        }
    }

    public synchronized void removePlayerListener(PlayerListener playerListener) {
        checkOpen();
        listeners.remove(playerListener);
    }

    public Control getControl(String controlType) {
        synchronized (this) {
            if (state == UNREALIZED || state == CLOSED) {
                throw new IllegalStateException("not realized");
            }
        }
        if (controlType.equals("VolumeControl") || controlType.equals("javax.microedition.media.control.VolumeControl")) {
            return this;
        }
        if (controlType.equals("ToneControl") || controlType.equals("javax.microedition.media.control.ToneControl")) {
            return type.equals("audio/x-tone-seq") ? this : null;
        }
        return null;
    }

    public Control[] getControls() {
        return type.equals("audio/x-tone-seq") ? new Control[] {this, this} : new Control[] {this};
    }

    // ---- VolumeControl ----

    public synchronized void setMute(boolean mute) {
        muted = mute;
        if (playback != null) {
            playback.level(heard());
        }
    }

    public synchronized boolean isMuted() {
        return muted;
    }

    public int setLevel(int newLevel) {
        int clamped = Math.max(0, Math.min(100, newLevel));
        synchronized (this) {
            if (clamped == level) {
                return level;
            }
            level = clamped;
            speaker.log("volume " + name + " " + level);
            if (playback != null) {
                playback.level(heard());
            }
        }
        tell(PlayerListener.VOLUME_CHANGED, this);
        return clamped;
    }

    public synchronized int getLevel() {
        return level;
    }

    private int heard() {
        return muted ? 0 : level;
    }

    // ---- ToneControl ----

    public synchronized void setSequence(byte[] sequence) {
        if (state == PREFETCHED || state == STARTED) {
            throw new IllegalStateException("prefetched");
        }
        long length = speaker.duration(sequence, "audio/x-tone-seq");
        if (length < 0) {
            throw new IllegalArgumentException("not a tone sequence");
        }
        data = sequence.clone();
        duration = length;
    }

    private synchronized void checkOpen() {
        if (state == CLOSED) {
            throw new IllegalStateException("closed");
        }
    }

    private void tell(String event, Object eventData) {
        PlayerListener[] all;
        synchronized (this) {
            all = listeners.toArray(new PlayerListener[0]);
        }
        for (PlayerListener l : all) {
            l.playerUpdate(this, event, eventData);
        }
    }
}
