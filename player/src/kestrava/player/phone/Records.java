package kestrava.player.phone;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.AtomicMoveNotSupportedException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.security.MessageDigest;
import java.security.NoSuchAlgorithmException;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * The record stores of one game: in a folder of the game's own, so that what
 * it keeps survives the player, or in memory for one run (scripted play
 * without a folder). Each store is one file whose name is the hex of the
 * store's name, so no name a game gives reaches outside the folder.
 */
public final class Records {
    /** What a handset gives a game's stores in all; a write beyond it is refused. */
    public static final int CAPACITY = 64 * 1024;

    private final Path folder;
    private final Map<String, byte[]> memory = new HashMap<>();
    private final Map<String, Object> open = new HashMap<>();

    private Records(Path folder) {
        this.folder = folder;
    }

    public static Records inMemory() {
        return new Records(null);
    }

    public static Records inFolder(Path folder) {
        return new Records(folder);
    }

    /**
     * The folder of a game under base, named by its suite (vendor and name) as a
     * phone keeps them apart: readable letters and a hash, so two suites never share one.
     */
    public static Path suiteFolder(Path base, String vendor, String name) {
        String suite = (vendor == null ? "" : vendor) + "\n" + (name == null ? "" : name);
        StringBuilder readable = new StringBuilder();
        for (char c : (name == null ? "" : name).toCharArray()) {
            if (readable.length() < 32 && (c >= 'a' && c <= 'z' || c >= 'A' && c <= 'Z' || c >= '0' && c <= '9')) {
                readable.append(c);
            }
        }
        return base.resolve((readable.length() > 0 ? readable + "-" : "") + hash(suite));
    }

    private static String hash(String text) {
        try {
            byte[] d = MessageDigest.getInstance("SHA-256").digest(text.getBytes(StandardCharsets.UTF_8));
            StringBuilder s = new StringBuilder();
            for (int i = 0; i < 8; i++) {
                s.append(String.format("%02x", d[i] & 0xff));
            }
            return s.toString();
        } catch (NoSuchAlgorithmException e) {
            throw new IllegalStateException(e);
        }
    }

    private static String fileName(String store) {
        StringBuilder s = new StringBuilder();
        for (byte b : store.getBytes(StandardCharsets.UTF_8)) {
            s.append(String.format("%02x", b & 0xff));
        }
        return s.append(".rms").toString();
    }

    private static String storeName(String file) {
        if (!file.endsWith(".rms") || (file.length() - 4) % 2 != 0) {
            return null;
        }
        byte[] b = new byte[(file.length() - 4) / 2];
        try {
            for (int i = 0; i < b.length; i++) {
                b[i] = (byte) Integer.parseInt(file.substring(2 * i, 2 * i + 2), 16);
            }
        } catch (NumberFormatException e) {
            return null;
        }
        return new String(b, StandardCharsets.UTF_8);
    }

    /** The open store of that name (RecordStore keeps one instance a name while open). */
    public synchronized Object openStore(String name) {
        return open.get(name);
    }

    public synchronized void setOpen(String name, Object store) {
        if (store == null) {
            open.remove(name);
        } else {
            open.put(name, store);
        }
    }

    /** A store's bytes as last written, or null when there is none. */
    public synchronized byte[] read(String name) throws IOException {
        if (folder == null) {
            byte[] b = memory.get(name);
            return b == null ? null : b.clone();
        }
        Path file = folder.resolve(fileName(name));
        if (!Files.isRegularFile(file)) {
            return null;
        }
        return Files.readAllBytes(file);
    }

    /** Writes a store whole: in the folder through a temporary file, so a kill leaves the old or the new. */
    public synchronized void write(String name, byte[] bytes) throws IOException {
        if (folder == null) {
            memory.put(name, bytes.clone());
            return;
        }
        Files.createDirectories(folder);
        Path file = folder.resolve(fileName(name));
        Path temporary = folder.resolve(fileName(name) + ".new");
        Files.write(temporary, bytes);
        try {
            Files.move(temporary, file, StandardCopyOption.REPLACE_EXISTING, StandardCopyOption.ATOMIC_MOVE);
        } catch (AtomicMoveNotSupportedException e) {
            Files.move(temporary, file, StandardCopyOption.REPLACE_EXISTING);
        }
    }

    public synchronized boolean delete(String name) throws IOException {
        if (folder == null) {
            return memory.remove(name) != null;
        }
        return Files.deleteIfExists(folder.resolve(fileName(name)));
    }

    public synchronized String[] list() throws IOException {
        List<String> names = new ArrayList<>();
        if (folder == null) {
            names.addAll(memory.keySet());
        } else if (Files.isDirectory(folder)) {
            try (java.util.stream.Stream<Path> files = Files.list(folder)) {
                for (Path p : (Iterable<Path>) files::iterator) {
                    String n = storeName(p.getFileName().toString());
                    if (n != null) {
                        names.add(n);
                    }
                }
            }
        }
        java.util.Collections.sort(names);
        return names.isEmpty() ? null : names.toArray(new String[0]);
    }

    /** The bytes all stores but one take, for what a store has left. */
    public synchronized int usedBesides(String name) throws IOException {
        int used = 0;
        String[] all = list();
        if (all != null) {
            for (String n : all) {
                if (!n.equals(name)) {
                    byte[] b = read(n);
                    used += b == null ? 0 : b.length;
                }
            }
        }
        return used;
    }
}
