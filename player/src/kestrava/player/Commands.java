package kestrava.player;

import java.lang.reflect.Field;
import java.util.ArrayList;
import java.util.List;

import javax.microedition.lcdui.Command;
import javax.microedition.lcdui.CommandListener;
import javax.microedition.lcdui.Displayable;

/** The commands a screen carries, read from it for the window's buttons and for scripts. */
public final class Commands {
    private Commands() {
    }

    @SuppressWarnings("unchecked")
    public static List<Command> of(Displayable d) {
        try {
            Field f = Displayable.class.getDeclaredField("commands");
            f.setAccessible(true);
            synchronized (d) {
                return new ArrayList<>((List<Command>) f.get(d));
            }
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException(e);
        }
    }

    /** Chooses a command as its soft key would, on the event thread. */
    public static void fire(Displayable d, Command c) {
        try {
            Field f = Displayable.class.getDeclaredField("listener");
            f.setAccessible(true);
            CommandListener l = (CommandListener) f.get(d);
            if (l != null) {
                Device.get().post(() -> l.commandAction(c, d));
            }
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException(e);
        }
    }
}
