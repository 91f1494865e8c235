package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class NumberFormatException extends IllegalArgumentException {
    public NumberFormatException() {
    }

    public NumberFormatException(String s) {
        super(s);
    }
}
