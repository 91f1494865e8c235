package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class Object {
    public Object() {
    }

    public final native Class getClass();

    public native int hashCode();

    public boolean equals(Object obj) {
        throw new RuntimeException();
    }

    public String toString() {
        throw new RuntimeException();
    }

    public final native void notify();

    public final native void notifyAll();

    public final native void wait(long timeout) throws InterruptedException;

    public final void wait() throws InterruptedException {
        throw new RuntimeException();
    }
}
