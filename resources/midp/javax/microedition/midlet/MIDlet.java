package javax.microedition.midlet;

/** Compile-only stand-in for the MIDP 2.0 class of the same name. */
public abstract class MIDlet {
    protected MIDlet() {
    }

    protected abstract void startApp() throws MIDletStateChangeException;

    protected abstract void pauseApp();

    protected abstract void destroyApp(boolean unconditional) throws MIDletStateChangeException;

    public final void notifyDestroyed() {
        throw new RuntimeException();
    }

    public final void notifyPaused() {
        throw new RuntimeException();
    }

    public final String getAppProperty(String key) {
        throw new RuntimeException();
    }

    public final void resumeRequest() {
        throw new RuntimeException();
    }

    public final int checkPermission(String permission) {
        throw new RuntimeException();
    }
}
