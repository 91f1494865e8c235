package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Math {
    private Math() {
    }

    public static int abs(int a) {
        throw new RuntimeException();
    }

    public static int max(int a, int b) {
        throw new RuntimeException();
    }

    public static int min(int a, int b) {
        throw new RuntimeException();
    }
}
