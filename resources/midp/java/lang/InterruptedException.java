package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class InterruptedException extends Exception {
    public InterruptedException() {
    }

    public InterruptedException(String s) {
        super(s);
    }
}
