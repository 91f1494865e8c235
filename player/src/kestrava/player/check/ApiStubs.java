package kestrava.player.check;

import java.io.IOException;
import java.io.InputStream;
import java.lang.reflect.Executable;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;

/**
 * Writes the Java sources of the API classes games compile against: one class
 * or interface for each of the member list, declaring every member of it with
 * the list's modifiers and types and nothing else, with bodies that only
 * throw (a game runs on the phone's classes, never on these). What a class file
 * needs and the list does not say (the values of constants, the exceptions a
 * method declares, a final class) comes for java.* from the desktop's own
 * classes, of which CLDC's are a part, and for javax.microedition from the
 * details file (ApiDetails). Also writes sources.txt, the list of the sources.
 *
 * <pre>java -cp kestrava-player.jar kestrava.player.check.ApiStubs cldc11-midp20.txt DETAILS OUT_DIR</pre>
 */
public final class ApiStubs {
    private final ApiList list;
    private final ApiDetails details;

    private ApiStubs(ApiList list, ApiDetails details) {
        this.list = list;
        this.details = details;
    }

    public static void main(String[] args) throws IOException {
        try {
            write(Paths.get(args[0]), Paths.get(args[1]), Paths.get(args[2]));
        } catch (IOException | IllegalStateException e) {
            System.err.println(e.getMessage());
            System.exit(1);
        }
    }

    private static void write(Path listFile, Path detailsFile, Path out) throws IOException {
        ApiList list;
        try (InputStream in = Files.newInputStream(listFile)) {
            list = ApiList.read(in, listFile.toString());
        }
        ApiStubs stubs = new ApiStubs(list, ApiDetails.read(detailsFile, list));
        List<String> written = new ArrayList<>();
        for (ApiList.Type t : list.types()) {
            Path file = out.resolve(t.name + ".java");
            Files.createDirectories(file.getParent());
            Files.write(file, stubs.source(t).getBytes(StandardCharsets.UTF_8));
            // Quoted for javac's argument file, where a space would part a path.
            written.add('"' + file.toString().replace('\\', '/') + '"');
        }
        Files.write(out.resolve("sources.txt"), written, StandardCharsets.UTF_8);
    }

    private String source(ApiList.Type t) {
        StringBuilder s = new StringBuilder();
        String dotted = t.name.replace('/', '.');
        int dot = dotted.lastIndexOf('.');
        s.append("package ").append(dotted, 0, dot).append(";\n\n");
        s.append("/** Compile-only stand-in for the class of MIDP 2.0 / CLDC 1.1 of the same name. */\n");
        s.append("public ");
        if (t.isInterface) {
            s.append("interface ").append(dotted.substring(dot + 1));
            parents(s, " extends ", t.interfaces);
        } else {
            int access = classAccess(t);
            s.append((access & Modifier.FINAL) != 0 ? "final " : (access & Modifier.ABSTRACT) != 0 ? "abstract " : "");
            s.append("class ").append(dotted.substring(dot + 1));
            if (t.superName != null && !t.superName.equals("java/lang/Object")) {
                s.append(" extends ").append(t.superName.replace('/', '.'));
            }
            parents(s, " implements ", t.interfaces);
        }
        s.append(" {\n");
        boolean constructed = false;
        for (ClassFile.Member m : t.members) {
            if (!m.method) {
                field(s, t, m);
            } else if (m.name.equals("<init>")) {
                constructed = true;
                constructor(s, t, m);
            } else {
                method(s, t, m);
            }
        }
        if (!constructed && !t.isInterface) {
            // Without one Java would add a public constructor the list does not have.
            constructor(s, t, null);
        }
        return s.append("}\n").toString();
    }

    private static void parents(StringBuilder s, String word, List<String> names) {
        for (int i = 0; i < names.size(); i++) {
            s.append(i == 0 ? word : ", ").append(names.get(i).replace('/', '.'));
        }
    }

    /** Final or abstract, as the phone's class is; abstract also where a member is. */
    private int classAccess(ApiList.Type t) {
        int access;
        if (t.name.startsWith("java/")) {
            access = desktopClass(t.name).getModifiers();
        } else {
            access = details.classAccess(t.name);
        }
        for (ClassFile.Member m : t.members) {
            if ((m.access & ClassFile.ACC_ABSTRACT) != 0) {
                access |= Modifier.ABSTRACT;
            }
        }
        return access & (Modifier.FINAL | Modifier.ABSTRACT);
    }

    private void field(StringBuilder s, ApiList.Type t, ClassFile.Member m) {
        String type = Descriptors.type(m.descriptor);
        s.append("    ").append(ClassFile.modifiers(m.access)).append(type).append(' ').append(m.name);
        boolean constant = (m.access & ClassFile.ACC_STATIC) != 0 && (m.access & ClassFile.ACC_FINAL) != 0;
        if (constant && (m.descriptor.length() == 1 || m.descriptor.equals("Ljava/lang/String;"))) {
            // A compile-time constant: the game's class holds its value, so it must be the phone's.
            String value = t.name.startsWith("java/") ? desktopValue(t.name, m.name) : details.value(t.name, m.name);
            if (value == null) {
                throw new IllegalStateException(m.readable() + ": no value for the constant");
            }
            s.append(" = ").append(value);
        } else if (constant) {
            // An object the phone makes; the game reads it from the phone's class.
            s.append(" = null");
        } else if ((m.access & ClassFile.ACC_FINAL) != 0) {
            throw new IllegalStateException(m.readable() + ": a final field of each object");
        }
        s.append(";\n");
    }

    private void constructor(StringBuilder s, ApiList.Type t, ClassFile.Member m) {
        String simple = t.name.substring(t.name.lastIndexOf('/') + 1);
        Set<String> thrown = new LinkedHashSet<>();
        String superCall = superCall(t, thrown);
        if (m != null) {
            thrown.addAll(thrown(t, m));
        }
        s.append("    ").append(m == null ? "" : ClassFile.modifiers(m.access)).append(simple).append('(')
                .append(m == null ? "" : parameters(m.descriptor)).append(')').append(throwsClause(thrown)).append(" {\n");
        if (superCall != null) {
            s.append("        ").append(superCall).append(";\n");
        }
        s.append("    }\n");
    }

    /**
     * The call of a parent's constructor a constructor of t needs: null where
     * the parent has one without parameters that t may call.
     */
    private String superCall(ApiList.Type t, Set<String> thrown) {
        ApiList.Type parent = t.superName == null ? null : list.type(t.superName);
        if (parent == null) {
            return null;
        }
        List<ClassFile.Member> callable = new ArrayList<>();
        for (ClassFile.Member c : parent.members) {
            if (c.method && c.name.equals("<init>") && (c.access & ClassFile.ACC_PRIVATE) == 0
                    && ((c.access & (ClassFile.ACC_PUBLIC | ClassFile.ACC_PROTECTED)) != 0
                            || samePackage(t.name, parent.name))) {
                callable.add(c);
            }
        }
        if (callable.isEmpty()) {
            // The parent's stand-in constructor, added because the list names none.
            if (!samePackage(t.name, parent.name) || hasConstructor(parent)) {
                throw new IllegalStateException(t.name + ": no constructor of " + parent.name + " to call");
            }
            return null;
        }
        for (ClassFile.Member c : callable) {
            if (c.descriptor.equals("()V")) {
                thrown.addAll(thrown(parent, c));
                return null;
            }
        }
        ClassFile.Member c = callable.get(0);
        thrown.addAll(thrown(parent, c));
        StringBuilder call = new StringBuilder("super(");
        List<String> types = Descriptors.parameters(c.descriptor);
        for (int i = 0; i < types.size(); i++) {
            String p = types.get(i);
            call.append(i == 0 ? "" : ", ").append('(').append(p).append(") ")
                    .append(p.equals("boolean") ? "false" : Descriptors.of(p).length() == 1 ? "0" : "null");
        }
        return call.append(')').toString();
    }

    private static boolean hasConstructor(ApiList.Type t) {
        for (ClassFile.Member c : t.members) {
            if (c.method && c.name.equals("<init>")) {
                return true;
            }
        }
        return false;
    }

    private static boolean samePackage(String a, String b) {
        return a.substring(0, a.lastIndexOf('/')).equals(b.substring(0, b.lastIndexOf('/')));
    }

    private void method(StringBuilder s, ApiList.Type t, ClassFile.Member m) {
        s.append("    ").append(ClassFile.modifiers(m.access)).append(Descriptors.type(m.descriptor)).append(' ').append(m.name)
                .append('(').append(parameters(m.descriptor)).append(')').append(throwsClause(thrown(t, m)));
        if ((m.access & ClassFile.ACC_ABSTRACT) != 0) {
            s.append(";\n");
        } else {
            s.append(" {\n        throw new java.lang.RuntimeException();\n    }\n");
        }
    }

    private static String parameters(String descriptor) {
        StringBuilder s = new StringBuilder();
        List<String> types = Descriptors.parameters(descriptor);
        for (int i = 0; i < types.size(); i++) {
            s.append(i == 0 ? "" : ", ").append(types.get(i)).append(" p").append(i);
        }
        return s.toString();
    }

    private static String throwsClause(Set<String> thrown) {
        return thrown.isEmpty() ? "" : " throws " + String.join(", ", thrown);
    }

    /** The exceptions a constructor or method declares, as the phone's does: class names with dots. */
    private Set<String> thrown(ApiList.Type t, ClassFile.Member m) {
        Set<String> names = new LinkedHashSet<>();
        if ((m.access & (ClassFile.ACC_PUBLIC | ClassFile.ACC_PROTECTED)) == 0) {
            return names;
        }
        if (!t.name.startsWith("java/")) {
            names.addAll(details.thrown(t.name, m));
            return names;
        }
        for (Class<?> e : desktopMember(t.name, m).getExceptionTypes()) {
            // Only what the phone has: a desktop's further exceptions would not compile here.
            if (list.type(e.getName().replace('.', '/')) != null) {
                names.add(e.getName());
            }
        }
        return names;
    }

    // ---- the desktop's classes, for java.* ----

    private static Class<?> desktopClass(String internalName) {
        try {
            return Class.forName(internalName.replace('/', '.'), false, ClassLoader.getSystemClassLoader());
        } catch (ClassNotFoundException e) {
            throw new IllegalStateException(internalName + ": not a class of this Java", e);
        }
    }

    private static Class<?> desktopType(String javaType) {
        switch (javaType) {
        case "boolean":
            return boolean.class;
        case "byte":
            return byte.class;
        case "char":
            return char.class;
        case "short":
            return short.class;
        case "int":
            return int.class;
        case "long":
            return long.class;
        case "float":
            return float.class;
        case "double":
            return double.class;
        default:
            // An array by its descriptor, as Class.forName names it: "[Ljava.lang.String;", "[B".
            return desktopClass(javaType.endsWith("[]") ? Descriptors.of(javaType) : javaType);
        }
    }

    private static Executable desktopMember(String owner, ClassFile.Member m) {
        List<String> names = Descriptors.parameters(m.descriptor);
        Class<?>[] types = new Class<?>[names.size()];
        for (int i = 0; i < types.length; i++) {
            types[i] = desktopType(names.get(i));
        }
        for (Class<?> c = desktopClass(owner); c != null; c = c.getSuperclass()) {
            try {
                if (m.name.equals("<init>")) {
                    return c.getDeclaredConstructor(types);
                }
                return c.getDeclaredMethod(m.name, types);
            } catch (NoSuchMethodException e) {
                if (m.name.equals("<init>")) {
                    break;
                }
            }
        }
        throw new IllegalStateException(m.readable() + ": this Java does not have it");
    }

    /** A constant of a desktop class as Java source. */
    private static String desktopValue(String owner, String name) {
        try {
            Field f = desktopClass(owner).getField(name);
            return literal(f.get(null));
        } catch (ReflectiveOperationException e) {
            throw new IllegalStateException(owner + "." + name + ": this Java does not have it", e);
        }
    }

    static String literal(Object v) {
        if (v instanceof String) {
            StringBuilder s = new StringBuilder("\"");
            for (char c : ((String) v).toCharArray()) {
                if (c == '"' || c == '\\') {
                    s.append('\\').append(c);
                } else if (c < 0x20 || c > 0x7E) {
                    s.append(String.format("\\u%04x", (int) c));
                } else {
                    s.append(c);
                }
            }
            return s.append('"').toString();
        }
        if (v instanceof Character) {
            return "(char) " + (int) (Character) v;
        }
        if (v instanceof Long) {
            return v + "L";
        }
        if (v instanceof Float) {
            float f = (Float) v;
            return Float.isNaN(f) ? "0.0f / 0.0f" : Float.isInfinite(f) ? (f > 0 ? "" : "-") + "1.0f / 0.0f" : f + "f";
        }
        if (v instanceof Double) {
            double d = (Double) v;
            return Double.isNaN(d) ? "0.0d / 0.0d" : Double.isInfinite(d) ? (d > 0 ? "" : "-") + "1.0d / 0.0d" : d + "d";
        }
        return String.valueOf(v);
    }
}
