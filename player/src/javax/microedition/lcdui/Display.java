package javax.microedition.lcdui;

import javax.microedition.midlet.MIDlet;

import kestrava.player.phone.Phone;

/** The one screen of the device, shared by the MIDlet. */
public class Display {
    public static final int LIST_ELEMENT = 1;
    public static final int CHOICE_GROUP_ELEMENT = 2;
    public static final int ALERT = 3;
    public static final int COLOR_BACKGROUND = 0;
    public static final int COLOR_FOREGROUND = 1;
    public static final int COLOR_HIGHLIGHTED_BACKGROUND = 2;
    public static final int COLOR_HIGHLIGHTED_FOREGROUND = 3;
    public static final int COLOR_BORDER = 4;
    public static final int COLOR_HIGHLIGHTED_BORDER = 5;

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
        return Phone.get().shown();
    }

    public void setCurrent(Displayable nextDisplayable) {
        if (nextDisplayable != null) {
            Phone.get().setShown(nextDisplayable);
            if (nextDisplayable instanceof Canvas) {
                ((Canvas) nextDisplayable).repaint();
            }
        }
    }

    public void callSerially(Runnable r) {
        Phone.get().post(r);
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

    /** The colours of the phone's own screens: black on white, white on dark blue when highlighted. */
    public int getColor(int colorSpecifier) {
        switch (colorSpecifier) {
        case COLOR_BACKGROUND:
            return 0xFFFFFF;
        case COLOR_FOREGROUND:
        case COLOR_BORDER:
            return 0x000000;
        case COLOR_HIGHLIGHTED_BACKGROUND:
        case COLOR_HIGHLIGHTED_BORDER:
            return 0x000080;
        case COLOR_HIGHLIGHTED_FOREGROUND:
            return 0xFFFFFF;
        default:
            throw new IllegalArgumentException("colour specifier " + colorSpecifier);
        }
    }

    public int getBorderStyle(boolean highlighted) {
        return highlighted ? Graphics.SOLID : Graphics.DOTTED;
    }

    /** The player scales no image: any size is best. */
    public int getBestImageWidth(int imageType) {
        checkImageType(imageType);
        return 0;
    }

    public int getBestImageHeight(int imageType) {
        checkImageType(imageType);
        return 0;
    }

    private static void checkImageType(int imageType) {
        if (imageType != LIST_ELEMENT && imageType != CHOICE_GROUP_ELEMENT && imageType != ALERT) {
            throw new IllegalArgumentException("image type " + imageType);
        }
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
