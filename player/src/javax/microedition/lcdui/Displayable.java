package javax.microedition.lcdui;

import java.util.ArrayList;
import java.util.List;

import kestrava.player.phone.Phone;

/** Something the display can show: a title, commands, a size. */
public abstract class Displayable {
    private String title;
    private final List<Command> commands = new ArrayList<>();
    private CommandListener listener;

    Displayable() {
    }

    public String getTitle() {
        return title;
    }

    public void setTitle(String s) {
        title = s;
    }

    public boolean isShown() {
        return Phone.get().shown() == this;
    }

    public void addCommand(Command cmd) {
        if (cmd == null) {
            throw new NullPointerException();
        }
        synchronized (this) {
            if (!commands.contains(cmd)) {
                commands.add(cmd);
            }
        }
    }

    public void removeCommand(Command cmd) {
        synchronized (this) {
            commands.remove(cmd);
        }
    }

    public void setCommandListener(CommandListener l) {
        listener = l;
    }

    public int getWidth() {
        return Phone.get().width();
    }

    public int getHeight() {
        return Phone.get().height();
    }

    protected void sizeChanged(int w, int h) {
    }
}
