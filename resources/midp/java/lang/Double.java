package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Double {
    public Double(double value) {
    }

    public double doubleValue() {
        throw new RuntimeException();
    }
}
