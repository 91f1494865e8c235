package javax.microedition.media;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;

import kestrava.player.phone.Phone;
import kestrava.player.phone.Resource;

/** Makes the players of sounds and plays single tones. */
public final class Manager {
    public static final String TONE_DEVICE_LOCATOR = "device://tone";

    private static final String[] TYPES = {"audio/x-wav", "audio/midi", "audio/x-tone-seq"};

    private Manager() {
    }

    public static String[] getSupportedContentTypes(String protocol) {
        if (protocol != null && !protocol.equals("device")) {
            return new String[0];
        }
        return TYPES.clone();
    }

    public static String[] getSupportedProtocols(String contentType) {
        if (contentType == null || supported(contentType)) {
            return new String[] {"device"};
        }
        return new String[0];
    }

    public static Player createPlayer(InputStream stream, String type) throws IOException, MediaException {
        if (stream == null) {
            throw new IllegalArgumentException("no stream");
        }
        if (type == null || !supported(type)) {
            throw new MediaException("unsupported content type " + type);
        }
        String name = stream instanceof Resource ? ((Resource) stream).name : "stream";
        byte[] data = stream instanceof Resource ? ((Resource) stream).rest() : readAll(stream);
        return new MediaPlayer(Phone.get().speaker(), name, data, type);
    }

    public static Player createPlayer(String locator) throws IOException, MediaException {
        if (locator == null) {
            throw new IllegalArgumentException("no locator");
        }
        if (!locator.equals(TONE_DEVICE_LOCATOR)) {
            throw new MediaException("unsupported locator " + locator);
        }
        return new MediaPlayer(Phone.get().speaker(), "tones", new byte[0], "audio/x-tone-seq");
    }

    public static void playTone(int note, int duration, int volume) throws MediaException {
        if (note < 0 || note > 127 || duration <= 0) {
            throw new IllegalArgumentException("tone " + note + " for " + duration + " ms");
        }
        int level = Math.max(0, Math.min(100, volume));
        Phone.get().speaker().log("tone " + note + " " + duration);
        Phone.get().speaker().tone(note, duration, level);
    }

    private static boolean supported(String type) {
        for (String t : TYPES) {
            if (t.equals(type)) {
                return true;
            }
        }
        return type.equals("audio/wav") || type.equals("audio/mid");
    }

    private static byte[] readAll(InputStream in) throws IOException {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        byte[] chunk = new byte[4096];
        for (int n; (n = in.read(chunk)) > 0;) {
            out.write(chunk, 0, n);
        }
        return out.toByteArray();
    }
}
