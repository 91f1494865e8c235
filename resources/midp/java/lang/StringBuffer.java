package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class StringBuffer {
    public StringBuffer() {
    }

    public StringBuffer(String str) {
    }

    public int length() {
        throw new RuntimeException();
    }

    public StringBuffer append(Object obj) {
        throw new RuntimeException();
    }

    public StringBuffer append(String str) {
        throw new RuntimeException();
    }

    public StringBuffer append(char c) {
        throw new RuntimeException();
    }

    public StringBuffer append(int i) {
        throw new RuntimeException();
    }

    public String toString() {
        throw new RuntimeException();
    }
}
