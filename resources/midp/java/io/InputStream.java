package java.io;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public abstract class InputStream {
    public InputStream() {
    }

    public abstract int read() throws IOException;

    public int read(byte[] b, int off, int len) throws IOException {
        throw new RuntimeException();
    }

    public void close() throws IOException {
        throw new RuntimeException();
    }
}
