package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class RuntimeException extends Exception {
    public RuntimeException() {
    }

    public RuntimeException(String s) {
        super(s);
    }
}
