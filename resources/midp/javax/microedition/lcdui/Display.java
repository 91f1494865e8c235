package javax.microedition.lcdui;

import javax.microedition.midlet.MIDlet;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public class Display {
    private Display() {
    }

    public static Display getDisplay(MIDlet m) {
        throw new RuntimeException();
    }

    public Displayable getCurrent() {
        throw new RuntimeException();
    }

    public void setCurrent(Displayable nextDisplayable) {
        throw new RuntimeException();
    }

    public void callSerially(Runnable r) {
        throw new RuntimeException();
    }

    public boolean isColor() {
        throw new RuntimeException();
    }

    public int numColors() {
        throw new RuntimeException();
    }

    public int numAlphaLevels() {
        throw new RuntimeException();
    }

    public boolean vibrate(int duration) {
        throw new RuntimeException();
    }

    public boolean flashBacklight(int duration) {
        throw new RuntimeException();
    }
}
