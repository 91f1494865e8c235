package java.util;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class Random {
    public Random() {
    }

    public Random(long seed) {
    }

    public int nextInt() {
        throw new RuntimeException();
    }

    public int nextInt(int n) {
        throw new RuntimeException();
    }
}
