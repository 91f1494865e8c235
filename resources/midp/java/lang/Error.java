package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class Error extends Throwable {
    public Error() {
    }

    public Error(String s) {
        super(s);
    }
}
