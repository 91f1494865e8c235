package kestrava.player.check;

import java.io.IOException;
import java.lang.reflect.Modifier;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * What the member list leaves out of the javax.microedition classes and their
 * class files need: the value of every constant, the exceptions a method
 * declares, whether a class is final or abstract. Read from a file of our own
 * beside the list, in the list's manner: a class line, then one member a line.
 *
 * <pre>
 * javax.microedition.lcdui.Font final
 *   FACE_SYSTEM = 0
 * javax.microedition.lcdui.Image
 *   createImage(java.lang.String) throws java.io.IOException
 * </pre>
 *
 * Every line must name a class and member of the list, so a slip of the pen
 * is found when the stubs are written rather than in a game.
 */
final class ApiDetails {
    private static final class Details {
        int access;
        final Map<String, String> values = new HashMap<>();
        final Map<String, List<String>> thrown = new HashMap<>();
    }

    private final Map<String, Details> classes = new HashMap<>();

    private ApiDetails() {
    }

    static ApiDetails read(Path file, ApiList list) throws IOException {
        ApiDetails d = new ApiDetails();
        ApiList.Type type = null;
        Details current = null;
        int number = 0;
        for (String line : Files.readAllLines(file, StandardCharsets.UTF_8)) {
            number++;
            if (line.trim().isEmpty() || line.startsWith("#")) {
                continue;
            }
            try {
                if (!line.startsWith(" ")) {
                    String[] words = line.trim().split("\\s+");
                    type = list.type(ApiList.internal(words[0]));
                    if (type == null) {
                        throw new IllegalArgumentException("no such class on the list");
                    }
                    current = new Details();
                    for (int i = 1; i < words.length; i++) {
                        current.access |= words[i].equals("final") ? Modifier.FINAL
                                : words[i].equals("abstract") ? Modifier.ABSTRACT : unknown(words[i]);
                    }
                    if (d.classes.put(type.name, current) != null) {
                        throw new IllegalArgumentException("the class is named twice");
                    }
                } else if (current == null) {
                    throw new IllegalArgumentException("a member before any class");
                } else if (line.contains(" throws ")) {
                    member(type, current, line.trim(), list);
                } else {
                    constant(type, current, line.trim());
                }
            } catch (RuntimeException e) {
                throw new IOException(file + ":" + number + ": " + e.getMessage() + ": " + line, e);
            }
        }
        return d;
    }

    private static int unknown(String word) {
        throw new IllegalArgumentException("neither final nor abstract: " + word);
    }

    /** "UP = 1": a constant of the list and its value as Java source. */
    private static void constant(ApiList.Type type, Details d, String text) {
        int eq = text.indexOf(" = ");
        if (eq < 0) {
            throw new IllegalArgumentException("neither a constant nor exceptions");
        }
        String name = text.substring(0, eq).trim();
        ClassFile.Member field = null;
        for (ClassFile.Member m : type.members) {
            if (!m.method && m.name.equals(name)) {
                field = m;
            }
        }
        if (field == null || (field.access & (ClassFile.ACC_STATIC | ClassFile.ACC_FINAL))
                != (ClassFile.ACC_STATIC | ClassFile.ACC_FINAL)) {
            throw new IllegalArgumentException("no such constant on the list");
        }
        d.values.put(name, text.substring(eq + 3).trim());
    }

    /** "open(java.lang.String) throws java.io.IOException": a constructor ("<init>(...)") or method of the list. */
    private static void member(ApiList.Type type, Details d, String text, ApiList list) {
        int at = text.indexOf(" throws ");
        String head = text.substring(0, at).trim();
        int open = head.indexOf('(');
        if (open < 0 || !head.endsWith(")")) {
            throw new IllegalArgumentException("a member needs its parameter types");
        }
        String name = head.substring(0, open);
        String parameters = Descriptors.method(head.substring(open + 1, head.length() - 1), "void");
        String prefix = parameters.substring(0, parameters.indexOf(')') + 1);
        ClassFile.Member found = null;
        for (ClassFile.Member m : type.members) {
            if (m.method && m.name.equals(name) && m.descriptor.startsWith(prefix)) {
                found = m;
            }
        }
        if (found == null) {
            throw new IllegalArgumentException("no such member on the list");
        }
        List<String> names = new ArrayList<>();
        for (String e : text.substring(at + 8).split(",")) {
            String exception = e.trim();
            if (list.type(ApiList.internal(exception)) == null) {
                throw new IllegalArgumentException("no such class on the list: " + exception);
            }
            names.add(exception);
        }
        d.thrown.put(found.name + found.descriptor, names);
    }

    int classAccess(String internalName) {
        Details d = classes.get(internalName);
        return d == null ? 0 : d.access;
    }

    /** The constant's value as Java source, or null when the file has none. */
    String value(String internalName, String field) {
        Details d = classes.get(internalName);
        return d == null ? null : d.values.get(field);
    }

    List<String> thrown(String internalName, ClassFile.Member m) {
        Details d = classes.get(internalName);
        List<String> names = d == null ? null : d.thrown.get(m.name + m.descriptor);
        return names == null ? Collections.emptyList() : names;
    }
}
