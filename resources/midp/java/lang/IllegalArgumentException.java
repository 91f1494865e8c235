package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class IllegalArgumentException extends RuntimeException {
    public IllegalArgumentException() {
    }

    public IllegalArgumentException(String s) {
        super(s);
    }
}
