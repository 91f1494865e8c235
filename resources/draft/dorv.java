import javax.microedition.lcdui.Command;
import javax.microedition.lcdui.CommandListener;
import javax.microedition.lcdui.Display;
import javax.microedition.lcdui.Displayable;
import javax.microedition.midlet.MIDlet;

/**
 * The MIDlet of the game: shows the game canvas and leaves on its exit command.
 */
public class dorv extends MIDlet implements CommandListener {
    private MyGameCanvas canvas;
    private Command exit;

    public dorv() {
    }

    protected void startApp() {
        if (canvas == null) {
            canvas = new MyGameCanvas();
            exit = new Command("\u0412\u044b\u0445\u043e\u0434", Command.EXIT, 1);
            canvas.addCommand(exit);
            canvas.setCommandListener(this);
            Display.getDisplay(this).setCurrent(canvas);
            canvas.start();
        } else {
            Display.getDisplay(this).setCurrent(canvas);
        }
    }

    protected void pauseApp() {
    }

    protected void destroyApp(boolean unconditional) {
        if (canvas != null) {
            canvas.stop();
        }
    }

    public void commandAction(Command c, Displayable d) {
        if (c == exit) {
            destroyApp(true);
            notifyDestroyed();
        }
    }
}
