package javax.microedition.lcdui;

/** Compile-only stand-in for the MIDP 2.0 interface of the same name. */
public interface CommandListener {
    void commandAction(Command c, Displayable d);
}
