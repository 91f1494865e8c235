package kestrava.player.check;

import java.io.BufferedReader;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.HashSet;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * The classes and members a MIDP 2.0 / CLDC 1.1 phone offers, read from the
 * member list shipped with the player (cldc11-midp20.txt): one class line
 * ("CLDC 1.1: class java.io.Reader extends ..."), then one member a line.
 */
public final class ApiList {
    /** A class or interface of the list; names are internal ("java/lang/Object"). */
    public static final class Type {
        public final String name;
        public final boolean isInterface;
        public final String superName;
        public final List<String> interfaces = new ArrayList<>();
        public final List<ClassFile.Member> members = new ArrayList<>();

        Type(String name, boolean isInterface, String superName) {
            this.name = name;
            this.isInterface = isInterface;
            this.superName = superName;
        }

        public ClassFile.Member declared(String memberName, String descriptor, boolean method) {
            for (ClassFile.Member m : members) {
                if (m.method == method && m.name.equals(memberName) && m.descriptor.equals(descriptor)) {
                    return m;
                }
            }
            return null;
        }
    }

    public static final String RESOURCE = "cldc11-midp20.txt";

    private final Map<String, Type> types = new LinkedHashMap<>();

    private ApiList() {
    }

    /** The list shipped inside the player. */
    public static ApiList shipped() throws IOException {
        try (InputStream in = ApiList.class.getResourceAsStream(RESOURCE)) {
            if (in == null) {
                throw new IOException("the player lacks its member list " + RESOURCE);
            }
            return read(in, RESOURCE);
        }
    }

    public static ApiList read(InputStream in, String where) throws IOException {
        ApiList list = new ApiList();
        BufferedReader reader = new BufferedReader(new InputStreamReader(in, StandardCharsets.UTF_8));
        Type current = null;
        int number = 0;
        for (String line; (line = reader.readLine()) != null;) {
            number++;
            if (line.trim().isEmpty() || line.startsWith("#")) {
                continue;
            }
            try {
                if (line.startsWith(" ")) {
                    if (current == null) {
                        throw new IllegalArgumentException("a member before any class");
                    }
                    current.members.add(member(current.name, line.trim()));
                } else {
                    current = parseType(line);
                    list.types.put(current.name, current);
                }
            } catch (RuntimeException e) {
                throw new IOException(where + ":" + number + ": " + e.getMessage() + ": " + line, e);
            }
        }
        return list;
    }

    /** "MIDP 2.0: class javax.microedition.lcdui.Canvas extends javax.microedition.lcdui.Displayable". */
    private static Type parseType(String line) {
        String[] words = line.substring(line.indexOf(':') + 1).trim().replace(",", " ").split("\\s+");
        boolean isInterface = words[0].equals("interface");
        if (!isInterface && !words[0].equals("class")) {
            throw new IllegalArgumentException("neither class nor interface");
        }
        String name = internal(words[1]);
        String superName = name.equals("java/lang/Object") ? null : "java/lang/Object";
        List<String> interfaces = new ArrayList<>();
        String clause = "";
        for (int i = 2; i < words.length; i++) {
            if (words[i].equals("extends") || words[i].equals("implements")) {
                clause = words[i];
            } else if (clause.equals("extends") && !isInterface) {
                superName = internal(words[i]);
            } else if (!clause.isEmpty()) {
                // An interface "extends" its parent interfaces.
                interfaces.add(internal(words[i]));
            } else {
                throw new IllegalArgumentException("unexpected " + words[i]);
            }
        }
        Type t = new Type(name, isInterface, superName);
        t.interfaces.addAll(interfaces);
        return t;
    }

    /** "public static final int UP", "protected <init>()", "public int read(byte[],int,int)". */
    private static ClassFile.Member member(String owner, String text) {
        int open = text.indexOf('(');
        String head = open < 0 ? text : text.substring(0, open);
        String[] words = head.trim().split("\\s+");
        int access = 0;
        int i = 0;
        for (; i < words.length; i++) {
            int flag = flag(words[i]);
            if (flag == 0) {
                break;
            }
            access |= flag;
        }
        if (open < 0) {
            if (words.length - i != 2) {
                throw new IllegalArgumentException("a field needs a type and a name");
            }
            return new ClassFile.Member(owner, words[i + 1], Descriptors.of(words[i]), access, false);
        }
        String parameters = text.substring(open + 1, text.indexOf(')'));
        if (words.length - i == 1 && words[i].equals("<init>")) {
            return new ClassFile.Member(owner, "<init>", Descriptors.method(parameters, "void"), access, true);
        }
        if (words.length - i != 2) {
            throw new IllegalArgumentException("a method needs a return type and a name");
        }
        return new ClassFile.Member(owner, words[i + 1], Descriptors.method(parameters, words[i]), access, true);
    }

    private static int flag(String word) {
        switch (word) {
        case "public":
            return ClassFile.ACC_PUBLIC;
        case "protected":
            return ClassFile.ACC_PROTECTED;
        case "private":
            return ClassFile.ACC_PRIVATE;
        case "static":
            return ClassFile.ACC_STATIC;
        case "final":
            return ClassFile.ACC_FINAL;
        case "abstract":
            return ClassFile.ACC_ABSTRACT;
        case "strictfp":
            return ClassFile.ACC_STRICT;
        default:
            return 0;
        }
    }

    static String internal(String javaName) {
        return javaName.replace('.', '/');
    }

    public Type type(String internalName) {
        return types.get(internalName);
    }

    public Iterable<Type> types() {
        return types.values();
    }

    /**
     * A member as a reference to it in class `owner` resolves on a phone: declared
     * there or inherited from a parent class or interface of the list. Null when
     * the phone has no such member; private members are never found.
     */
    public ClassFile.Member find(String owner, String name, String descriptor, boolean method) {
        return find(owner, name, descriptor, method, new HashSet<>());
    }

    private ClassFile.Member find(String owner, String name, String descriptor, boolean method, Set<String> seen) {
        if (owner == null || !seen.add(owner)) {
            return null;
        }
        Type t = types.get(owner);
        if (t == null) {
            return null;
        }
        ClassFile.Member m = t.declared(name, descriptor, method);
        if (m != null && (m.access & ClassFile.ACC_PRIVATE) == 0) {
            return m;
        }
        // Constructors are not inherited.
        if (name.equals("<init>")) {
            return null;
        }
        if (!t.isInterface) {
            m = find(t.superName, name, descriptor, method, seen);
            if (m != null) {
                return m;
            }
        }
        for (String i : t.interfaces) {
            m = find(i, name, descriptor, method, seen);
            if (m != null) {
                return m;
            }
        }
        // Every interface reaches Object's methods.
        return t.isInterface ? find("java/lang/Object", name, descriptor, method, seen) : null;
    }
}
