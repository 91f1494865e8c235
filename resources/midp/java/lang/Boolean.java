package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Boolean {
    public Boolean(boolean value) {
    }

    public boolean booleanValue() {
        throw new RuntimeException();
    }
}
