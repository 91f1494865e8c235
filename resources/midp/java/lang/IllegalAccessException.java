package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class IllegalAccessException extends Exception {
    public IllegalAccessException() {
    }

    public IllegalAccessException(String s) {
        super(s);
    }
}
