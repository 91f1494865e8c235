import javax.microedition.lcdui.Command;
import javax.microedition.lcdui.CommandListener;
import javax.microedition.lcdui.Display;
import javax.microedition.lcdui.Displayable;
import javax.microedition.midlet.MIDlet;

/**
 * The MIDlet of the game: shows the game canvas, leaves on its exit command or
 * right soft key, and stops the game while the phone pauses it.
 */
public class dorv extends MIDlet implements CommandListener {
    private MyGameCanvas canvas;
    private Command exit;

    public dorv() {
    }

    protected void startApp() {
        if (canvas == null) {
            // The screen the game was laid out for; the real one may be another.
            MyGameCanvas.Stage.designWidth = number(getAppProperty("Kestrava-Screen-Width"));
            MyGameCanvas.Stage.designHeight = number(getAppProperty("Kestrava-Screen-Height"));
            canvas = new MyGameCanvas(this);
            exit = new Command("\u0412\u044b\u0445\u043e\u0434", Command.EXIT, 1);
            canvas.addCommand(exit);
            canvas.setCommandListener(this);
            Display.getDisplay(this).setCurrent(canvas);
            canvas.start();
        } else {
            Display.getDisplay(this).setCurrent(canvas);
            canvas.resume();
        }
    }

    protected void pauseApp() {
        if (canvas != null) {
            canvas.pause();
        }
    }

    /** A whole number of an attribute, or 0 for none. */
    private static int number(String text) {
        if (text == null) {
            return 0;
        }
        try {
            return Integer.parseInt(text.trim());
        } catch (NumberFormatException e) {
            return 0;
        }
    }

    void exit() {
        destroyApp(true);
        notifyDestroyed();
    }

    protected void destroyApp(boolean unconditional) {
        if (canvas != null) {
            canvas.stop();
        }
    }

    public void commandAction(Command c, Displayable d) {
        if (c == exit) {
            exit();
        }
    }
}
