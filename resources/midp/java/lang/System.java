package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class System {
    private System() {
    }

    public static long currentTimeMillis() {
        throw new RuntimeException();
    }

    public static void gc() {
        throw new RuntimeException();
    }

    public static void arraycopy(Object src, int srcPosition, Object dst, int dstPosition, int length) {
        throw new RuntimeException();
    }
}
