package kestrava.player.check;

import java.io.File;
import java.io.IOException;
import java.io.InputStream;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Enumeration;
import java.util.List;
import java.util.jar.JarEntry;
import java.util.jar.JarFile;

/**
 * Checks that class files are what a CLDC 1.1 phone verifies without a
 * separate preverify step: version 45.3, and a StackMap attribute on every
 * method whose code branches or catches.
 *
 * <pre>java -cp kestrava-player.jar kestrava.player.check.CldcClassCheck GAME.jar|CLASS-FOLDER ...</pre>
 */
public final class CldcClassCheck {
    private CldcClassCheck() {
    }

    public static void main(String[] args) throws IOException {
        List<String> problems = new ArrayList<>();
        int[] counts = new int[2]; // classes, methods with a branch
        for (String arg : args) {
            File f = new File(arg);
            if (f.isDirectory()) {
                checkFolder(f, f, problems, counts);
            } else {
                try (JarFile jar = new JarFile(f)) {
                    for (Enumeration<JarEntry> e = jar.entries(); e.hasMoreElements();) {
                        JarEntry entry = e.nextElement();
                        if (entry.getName().endsWith(".class")) {
                            try (InputStream in = jar.getInputStream(entry)) {
                                check(ClassFile.read(ApiListCheck.readAll(in), entry.getName()), problems, counts);
                            }
                        }
                    }
                }
            }
        }
        if (counts[0] == 0) {
            problems.add("no class files in " + String.join(", ", args));
        }
        if (!problems.isEmpty()) {
            System.out.println("not what a CLDC 1.1 phone verifies:");
            for (String p : problems) {
                System.out.println("  " + p);
            }
            System.exit(1);
        }
        System.out.println(counts[0] + " classes of version 45.3, all " + counts[1]
                + " methods with a branch carry a StackMap");
    }

    private static void checkFolder(File root, File dir, List<String> problems, int[] counts) throws IOException {
        File[] files = dir.listFiles();
        if (files == null) {
            throw new IOException(dir + ": cannot be listed");
        }
        for (File f : files) {
            if (f.isDirectory()) {
                checkFolder(root, f, problems, counts);
            } else if (f.getName().endsWith(".class")) {
                check(ClassFile.read(Files.readAllBytes(f.toPath()), f.getPath()), problems, counts);
            }
        }
    }

    static void check(ClassFile c, List<String> problems, int[] counts) {
        counts[0]++;
        String name = c.name.replace('/', '.');
        if (c.major != 45 || c.minor != 3) {
            problems.add(name + ": version " + c.major + "." + c.minor + ", a CLDC 1.1 phone takes 45.3");
        }
        for (ClassFile.Member m : c.methods) {
            if (m.branches) {
                counts[1]++;
                if (!m.stackMap) {
                    problems.add(name + "." + m.name + m.descriptor + " branches but has no StackMap");
                }
            }
        }
    }
}
