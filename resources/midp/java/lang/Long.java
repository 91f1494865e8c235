package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Long {
    public Long(long value) {
    }

    public long longValue() {
        throw new RuntimeException();
    }
}
