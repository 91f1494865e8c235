package javax.microedition.midlet;

/** A MIDlet refuses a change of its state. */
public class MIDletStateChangeException extends Exception {
    private static final long serialVersionUID = 1L;

    public MIDletStateChangeException() {
    }

    public MIDletStateChangeException(String s) {
        super(s);
    }
}
