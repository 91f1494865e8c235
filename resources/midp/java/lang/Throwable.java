package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class Throwable {
    public Throwable() {
    }

    public Throwable(String message) {
    }

    public String getMessage() {
        throw new RuntimeException();
    }

    public String toString() {
        throw new RuntimeException();
    }

    public void printStackTrace() {
        throw new RuntimeException();
    }
}
