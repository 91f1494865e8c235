package java.io;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class IOException extends Exception {
    public IOException() {
    }

    public IOException(String s) {
        super(s);
    }
}
