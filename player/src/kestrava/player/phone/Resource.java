package kestrava.player.phone;

import java.io.ByteArrayInputStream;

/** A resource of the game's jar, which knows its name (for the sound log). */
public final class Resource extends ByteArrayInputStream {
    public final String name;

    public Resource(String name, byte[] bytes) {
        super(bytes);
        this.name = name;
    }

    /** What is left of it, as the stream stands. */
    public byte[] rest() {
        byte[] out = new byte[count - pos];
        System.arraycopy(buf, pos, out, 0, out.length);
        pos = count;
        return out;
    }
}
