package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Short {
    public Short(short value) {
    }

    public short shortValue() {
        throw new RuntimeException();
    }
}
