package javax.microedition.midlet;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public class MIDletStateChangeException extends Exception {
    public MIDletStateChangeException() {
    }

    public MIDletStateChangeException(String s) {
        super(s);
    }
}
