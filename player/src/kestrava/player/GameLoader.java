package kestrava.player;

import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.IOException;
import java.io.InputStream;
import java.net.URL;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.Map;
import java.util.jar.JarEntry;
import java.util.jar.JarFile;

import kestrava.player.check.ApiList;
import kestrava.player.check.ClassFile;
import kestrava.player.check.GameCheck;
import kestrava.player.phone.Resource;

/**
 * The class loader of a game: it knows the game's own classes and resources,
 * read from its archive into memory and checked by GameCheck, and the
 * classes of MIDP 2.0 / CLDC 1.1 (the player's for javax.microedition, the
 * desktop's for java.*), and nothing else: Class.forName of any other class
 * fails, and a resource is only ever one of the archive.
 */
final class GameLoader extends ClassLoader {
    /** Far more than any phone takes; keeps a hostile archive from taking the memory. */
    private static final long MAX_ARCHIVE_BYTES = 64L << 20;

    private final Map<String, byte[]> classes = new HashMap<>();
    private final Map<String, byte[]> resources = new HashMap<>();
    private final ApiList api;
    private final ClassLoader player;

    private GameLoader(ApiList api, ClassLoader player) {
        super(null);
        this.api = api;
        this.player = player;
    }

    /** Reads and checks the archive; an IOException in Russian when it refers to what a phone lacks. */
    static GameLoader of(File jar) throws IOException {
        ClassLoader player = GameLoader.class.getClassLoader();
        GameLoader loader = new GameLoader(ApiList.shipped(), player);
        Map<String, ClassFile> parsed = new HashMap<>();
        long total = 0;
        try (JarFile file = new JarFile(jar)) {
            for (Enumeration<JarEntry> e = file.entries(); e.hasMoreElements();) {
                JarEntry entry = e.nextElement();
                if (entry.isDirectory()) {
                    continue;
                }
                byte[] bytes;
                try (InputStream in = file.getInputStream(entry)) {
                    bytes = read(in, MAX_ARCHIVE_BYTES - total);
                }
                total += bytes.length;
                if (!entry.getName().endsWith(".class")) {
                    loader.resources.put(entry.getName(), bytes);
                    continue;
                }
                ClassFile c = ClassFile.read(bytes, jar.getName() + ": " + entry.getName());
                if (!entry.getName().equals(c.name + ".class") || parsed.containsKey(c.name)) {
                    throw new IOException("Игра не запущена: файл " + entry.getName() + " архива хранит класс "
                            + c.name.replace('/', '.') + ".");
                }
                parsed.put(c.name, c);
                loader.classes.put(c.name.replace('/', '.'), bytes);
            }
        }
        GameCheck.check(parsed, loader.api, player);
        return loader;
    }

    /** The game's own classes, by binary name ("a.B"). */
    java.util.Set<String> classNames() {
        return java.util.Collections.unmodifiableSet(classes.keySet());
    }

    private static byte[] read(InputStream in, long room) throws IOException {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        byte[] buffer = new byte[8192];
        for (int n; (n = in.read(buffer)) > 0;) {
            out.write(buffer, 0, n);
            if (out.size() > room) {
                throw new IOException("Игра не запущена: архив больше " + (MAX_ARCHIVE_BYTES >> 20) + " МБ.");
            }
        }
        return out.toByteArray();
    }

    @Override
    protected Class<?> loadClass(String name, boolean resolve) throws ClassNotFoundException {
        synchronized (getClassLoadingLock(name)) {
            Class<?> c = findLoadedClass(name);
            if (c == null) {
                String internal = name.replace('.', '/');
                byte[] own = classes.get(name);
                if (own != null) {
                    c = defineClass(name, own, 0, own.length);
                } else if (api.type(internal) != null) {
                    // The phone's classes: the desktop's own java.*, the player's javax.microedition.
                    c = Class.forName(name, false, internal.startsWith("java/") ? null : player);
                } else {
                    throw new ClassNotFoundException(name);
                }
            }
            if (resolve) {
                resolveClass(c);
            }
            return c;
        }
    }

    @Override
    protected Class<?> findClass(String name) throws ClassNotFoundException {
        return loadClass(name, false);
    }

    @Override
    public URL getResource(String name) {
        // Only the archive's resources, and those only as streams.
        return null;
    }

    @Override
    public Enumeration<URL> getResources(String name) {
        return java.util.Collections.emptyEnumeration();
    }

    @Override
    public InputStream getResourceAsStream(String name) {
        String path = name.startsWith("/") ? name.substring(1) : name;
        byte[] bytes = resources.get(path);
        return bytes == null ? null : new Resource(path.substring(path.lastIndexOf('/') + 1), bytes);
    }
}
