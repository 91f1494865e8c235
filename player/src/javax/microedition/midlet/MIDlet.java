package javax.microedition.midlet;

import kestrava.player.phone.Phone;

/** A MIDP 2.0 application, started and ended by the player's device. */
public abstract class MIDlet {
    protected MIDlet() {
    }

    protected abstract void startApp() throws MIDletStateChangeException;

    protected abstract void pauseApp();

    protected abstract void destroyApp(boolean unconditional) throws MIDletStateChangeException;

    public final void notifyDestroyed() {
        Phone.get().destroyed(this);
    }

    public final void notifyPaused() {
    }

    /** An attribute of the descriptor or the manifest. */
    public final String getAppProperty(String key) {
        if (key == null) {
            throw new NullPointerException();
        }
        return Phone.get().appProperty(key);
    }

    public final void resumeRequest() {
    }

    /** The player opens no address and starts no program a game asks for. */
    public final boolean platformRequest(String url) {
        return false;
    }

    /** Every permission is granted on the author's machine. */
    public final int checkPermission(String permission) {
        return 1;
    }
}
