package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class String {
    public String() {
    }

    public int length() {
        throw new RuntimeException();
    }

    public char charAt(int index) {
        throw new RuntimeException();
    }

    public String substring(int beginIndex) {
        throw new RuntimeException();
    }

    public String substring(int beginIndex, int endIndex) {
        throw new RuntimeException();
    }

    public String trim() {
        throw new RuntimeException();
    }

    public int indexOf(int ch) {
        throw new RuntimeException();
    }

    public int indexOf(String str) {
        throw new RuntimeException();
    }

    public String toUpperCase() {
        throw new RuntimeException();
    }

    public boolean equals(Object anObject) {
        throw new RuntimeException();
    }

    public int hashCode() {
        throw new RuntimeException();
    }

    public String toString() {
        throw new RuntimeException();
    }

    public static String valueOf(int i) {
        throw new RuntimeException();
    }
}
