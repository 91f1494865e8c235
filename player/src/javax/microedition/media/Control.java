package javax.microedition.media;

/** A control of a player's way of playing: its volume, its tone sequence. */
public interface Control {
}
