package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Integer {
    public static final int MIN_VALUE = 0x80000000;
    public static final int MAX_VALUE = 0x7fffffff;

    public static String toString(int i) {
        throw new RuntimeException();
    }

    public static int parseInt(String s) throws NumberFormatException {
        throw new RuntimeException();
    }

    public Integer(int value) {
    }

    public int intValue() {
        throw new RuntimeException();
    }
}
