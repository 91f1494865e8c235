package kestrava.player;

import java.io.File;
import java.io.IOException;
import java.net.URLDecoder;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.LinkedHashMap;
import java.util.Map;
import java.util.jar.Attributes;
import java.util.jar.JarFile;
import java.util.jar.Manifest;

/**
 * A packaged game: its descriptor (.jad) and archive (.jar), checked the way a
 * phone checks them before it installs a MIDlet suite.
 */
public final class GameFile {
    private static final String[] REQUIRED = {"MIDlet-Name", "MIDlet-Version", "MIDlet-Vendor"};

    final File jar;
    public final Map<String, String> properties = new LinkedHashMap<>();
    public final String midletClass;
    final String name;

    private GameFile(File jar, Map<String, String> descriptor) throws IOException {
        this.jar = jar;
        Map<String, String> manifest = new LinkedHashMap<>();
        try (JarFile file = new JarFile(jar)) {
            Manifest m = file.getManifest();
            if (m == null) {
                throw new IOException("Игра не запущена: в архиве " + jar + " нет манифеста.");
            }
            for (Map.Entry<Object, Object> e : m.getMainAttributes().entrySet()) {
                manifest.put(((Attributes.Name) e.getKey()).toString(), (String) e.getValue());
            }
        }
        for (String key : REQUIRED) {
            if (!manifest.containsKey(key)) {
                throw new IOException("Игра не запущена: в манифесте архива " + jar + " нет " + key + ".");
            }
            if (descriptor != null && !manifest.get(key).equals(descriptor.get(key))) {
                throw new IOException("Игра не запущена: " + key + " дескриптора (" + descriptor.get(key)
                        + ") не совпадает с манифестом архива " + jar + " (" + manifest.get(key) + ").");
            }
        }
        properties.putAll(manifest);
        if (descriptor != null) {
            properties.putAll(descriptor);
        }
        String profile = properties.getOrDefault("MicroEdition-Profile", "");
        String configuration = properties.getOrDefault("MicroEdition-Configuration", "");
        if (!profile.contains("MIDP-2.0") || !configuration.startsWith("CLDC-1.")) {
            throw new IOException("Игра не запущена: " + jar + " не игра для MIDP 2.0 / CLDC 1.x (" + profile + ", "
                    + configuration + ").");
        }
        String first = properties.get("MIDlet-1");
        if (first == null || first.split(",", -1).length != 3) {
            throw new IOException("Игра не запущена: MIDlet-1 архива " + jar + " должен иметь вид «имя, значок, класс», а не "
                    + first + ".");
        }
        String[] parts = first.split(",", -1);
        name = parts[0].trim();
        midletClass = parts[2].trim();
    }

    /** The suite's icon (MIDlet-Icon) for the window, or null when it names none the archive has. */
    public java.awt.image.BufferedImage icon() {
        String path = properties.get("MIDlet-Icon");
        if (path == null || path.trim().isEmpty()) {
            return null;
        }
        try (JarFile file = new JarFile(jar)) {
            java.util.jar.JarEntry entry = file.getJarEntry(path.trim().replaceFirst("^/", ""));
            if (entry == null) {
                return null;
            }
            try (java.io.InputStream in = file.getInputStream(entry)) {
                return javax.imageio.ImageIO.read(in);
            }
        } catch (IOException e) {
            return null;
        }
    }

    /**
     * The screen the game was made for, {width, height}: the one its suite
     * names, or the default where it names none a game can have, as the editor
     * plays it.
     */
    public int[] screen() {
        int width = side("Kestrava-Screen-Width");
        int height = side("Kestrava-Screen-Height");
        return GameScreen.fits(width, height) ? new int[] {width, height}
                : new int[] {GameScreen.DEFAULT_WIDTH, GameScreen.DEFAULT_HEIGHT};
    }

    private int side(String key) {
        try {
            return Integer.parseInt(properties.getOrDefault(key, "").trim());
        } catch (NumberFormatException e) {
            return 0;
        }
    }

    /** Reads a .jad and the .jar it names, or a .jar alone. */
    public static GameFile open(File file) throws IOException {
        if (!file.getName().toLowerCase().endsWith(".jad")) {
            return new GameFile(file, null);
        }
        Map<String, String> descriptor = readDescriptor(file);
        String url = descriptor.get("MIDlet-Jar-URL");
        String size = descriptor.get("MIDlet-Jar-Size");
        if (url == null || size == null) {
            throw new IOException("Игра не запущена: в дескрипторе " + file + " нет MIDlet-Jar-URL или MIDlet-Jar-Size.");
        }
        String jarName = URLDecoder.decode(url, "UTF-8");
        // The archive lies beside its descriptor: a descriptor must not send the player elsewhere.
        if (jarName.isEmpty() || jarName.contains("/") || jarName.contains("\\") || jarName.equals("..")
                || jarName.equals(".")) {
            throw new IOException("Игра не запущена: " + file + ": MIDlet-Jar-URL должен называть архив рядом "
                    + "с дескриптором, а не " + url + ".");
        }
        File jar = new File(file.getParentFile(), jarName);
        if (!jar.isFile()) {
            throw new IOException("Игра не запущена: " + file + ": архива " + jar + ", названного в MIDlet-Jar-URL, нет.");
        }
        long expected;
        try {
            expected = Long.parseLong(size.trim());
        } catch (NumberFormatException e) {
            throw new IOException("Игра не запущена: " + file + ": MIDlet-Jar-Size «" + size + "» не число.");
        }
        if (jar.length() != expected) {
            throw new IOException("Игра не запущена: " + file + ": MIDlet-Jar-Size равен " + size + ", а в архиве "
                    + jar.length() + " байт.");
        }
        return new GameFile(jar, descriptor);
    }

    /** "Key: value" lines, UTF-8. */
    static Map<String, String> readDescriptor(File file) throws IOException {
        Map<String, String> result = new LinkedHashMap<>();
        String text = new String(Files.readAllBytes(file.toPath()), StandardCharsets.UTF_8);
        for (String line : text.split("\r?\n")) {
            if (line.trim().isEmpty()) {
                continue;
            }
            int colon = line.indexOf(':');
            if (colon <= 0) {
                throw new IOException("Игра не запущена: " + file + ": строка «" + line + "» не вида «ключ: значение».");
            }
            result.put(line.substring(0, colon).trim(), line.substring(colon + 1).trim());
        }
        return result;
    }

    /**
     * The game's class loader: its own classes and the MIDP 2.0 / CLDC 1.1
     * ones only, after every class was checked to refer to nothing else.
     */
    public ClassLoader loader() throws IOException {
        return GameLoader.of(jar);
    }
}
