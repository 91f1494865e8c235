package java.io;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class DataInputStream extends InputStream {
    public DataInputStream(InputStream in) {
    }

    public int read() throws IOException {
        throw new RuntimeException();
    }

    public final boolean readBoolean() throws IOException {
        throw new RuntimeException();
    }

    public final int readInt() throws IOException {
        throw new RuntimeException();
    }

    public final int readUnsignedShort() throws IOException {
        throw new RuntimeException();
    }

    public final String readUTF() throws IOException {
        throw new RuntimeException();
    }

    public final void readFully(byte[] b, int off, int len) throws IOException {
        throw new RuntimeException();
    }

    public void close() throws IOException {
        throw new RuntimeException();
    }
}
