package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class InstantiationException extends Exception {
    public InstantiationException() {
    }

    public InstantiationException(String s) {
        super(s);
    }
}
