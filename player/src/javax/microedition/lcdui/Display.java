package javax.microedition.lcdui;

import javax.microedition.midlet.MIDlet;

import kestrava.player.Device;

/** The one screen of the device, shared by the MIDlet. */
public class Display {
    private static Display instance;

    private Display() {
    }

    public static synchronized Display getDisplay(MIDlet m) {
        if (m == null) {
            throw new NullPointerException();
        }
        if (instance == null) {
            instance = new Display();
        }
        return instance;
    }

    public Displayable getCurrent() {
        return Device.get().shown();
    }

    public void setCurrent(Displayable nextDisplayable) {
        if (nextDisplayable != null) {
            Device.get().setShown(nextDisplayable);
            if (nextDisplayable instanceof Canvas) {
                ((Canvas) nextDisplayable).repaint();
            }
        }
    }

    public void callSerially(Runnable r) {
        Device.get().post(r);
    }

    public boolean isColor() {
        return true;
    }

    public int numColors() {
        return 1 << 24;
    }

    public int numAlphaLevels() {
        return 256;
    }

    public boolean vibrate(int duration) {
        if (duration < 0) {
            throw new IllegalArgumentException();
        }
        return false;
    }

    public boolean flashBacklight(int duration) {
        if (duration < 0) {
            throw new IllegalArgumentException();
        }
        return false;
    }
}
