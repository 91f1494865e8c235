package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class Thread implements Runnable {
    public Thread() {
    }

    public Thread(Runnable target) {
    }

    public static Thread currentThread() {
        throw new RuntimeException();
    }

    public static void sleep(long millis) throws InterruptedException {
        throw new RuntimeException();
    }

    public static void yield() {
        throw new RuntimeException();
    }

    public synchronized void start() {
        throw new RuntimeException();
    }

    public void run() {
        throw new RuntimeException();
    }
}
