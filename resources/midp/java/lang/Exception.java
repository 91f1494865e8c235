package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class Exception extends Throwable {
    public Exception() {
    }

    public Exception(String s) {
        super(s);
    }
}
