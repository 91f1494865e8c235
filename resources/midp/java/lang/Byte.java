package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Byte {
    public Byte(byte value) {
    }

    public byte byteValue() {
        throw new RuntimeException();
    }
}
