package javax.microedition.lcdui;

/** Hears the commands of a screen. */
public interface CommandListener {
    void commandAction(Command c, Displayable d);
}
