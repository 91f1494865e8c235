package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Float {
    public Float(float value) {
    }

    public float floatValue() {
        throw new RuntimeException();
    }
}
