package javax.microedition.media.control;

import javax.microedition.media.Control;

/** The loudness of a player, 0..100. */
public interface VolumeControl extends Control {
    void setMute(boolean mute);

    boolean isMuted();

    int setLevel(int level);

    int getLevel();
}
