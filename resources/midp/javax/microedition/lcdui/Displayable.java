package javax.microedition.lcdui;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public abstract class Displayable {
    Displayable() {
    }

    public String getTitle() {
        throw new RuntimeException();
    }

    public void setTitle(String s) {
        throw new RuntimeException();
    }

    public boolean isShown() {
        throw new RuntimeException();
    }

    public void addCommand(Command cmd) {
        throw new RuntimeException();
    }

    public void removeCommand(Command cmd) {
        throw new RuntimeException();
    }

    public void setCommandListener(CommandListener l) {
        throw new RuntimeException();
    }

    public int getWidth() {
        throw new RuntimeException();
    }

    public int getHeight() {
        throw new RuntimeException();
    }

    protected void sizeChanged(int w, int h) {
    }
}
