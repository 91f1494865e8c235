package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class ClassNotFoundException extends Exception {
    public ClassNotFoundException() {
    }

    public ClassNotFoundException(String s) {
        super(s);
    }
}
