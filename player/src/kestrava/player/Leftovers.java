package kestrava.player;

import java.util.HashSet;
import java.util.Map;
import java.util.Set;

/**
 * What of a game may still run once it is ended: a thread of its own, or its
 * code on a thread that is not (a callback the player or the Java machine made
 * into it). Only a new process is rid of either.
 */
public final class Leftovers {
    private final Device.Threads threads;
    private final Set<String> classes;

    /** game: the game's class loader (GameFile.loader); only its class names are kept, not the game. */
    public Leftovers(Device.Threads threads, ClassLoader game) {
        this.threads = threads;
        this.classes = new HashSet<>(((GameLoader) game).classNames());
    }

    /** A thread of the game still alive, or any thread running the game's code; null when nothing of it runs. */
    public Thread find() {
        Thread[] own = new Thread[threads.activeCount() + 1];
        if (threads.enumerate(own) > 0) {
            return own[0];
        }
        for (Map.Entry<Thread, StackTraceElement[]> e : Thread.getAllStackTraces().entrySet()) {
            for (StackTraceElement frame : e.getValue()) {
                // The game's class names are none of the player's or the desktop's: the check refuses those.
                if (classes.contains(frame.getClassName())) {
                    return e.getKey();
                }
            }
        }
        return null;
    }
}
