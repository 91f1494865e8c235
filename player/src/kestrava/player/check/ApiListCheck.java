package kestrava.player.check;

import java.io.File;
import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.util.ArrayList;
import java.util.Enumeration;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.jar.JarEntry;
import java.util.jar.JarFile;

/**
 * Checks the API classes games compile against (midp-api.jar) against the
 * member list of MIDP 2.0 / CLDC 1.1, both ways. Every class, parent and
 * public or protected member must be on the list with the same signature, or
 * a narrower one (less visible, final or abstract where the list is not), so
 * that what compiles here also loads and links on a phone; and every class
 * and member of the list must be there with the list's modifiers, so that
 * what compiles on a phone compiles here.
 *
 * <pre>java -cp kestrava-player.jar kestrava.player.check.ApiListCheck midp-api.jar [cldc11-midp20.txt]</pre>
 */
public final class ApiListCheck {
    private ApiListCheck() {
    }

    public static void main(String[] args) throws IOException {
        ApiList list;
        if (args.length > 1) {
            try (InputStream in = new FileInputStream(args[1])) {
                list = ApiList.read(in, args[1]);
            }
        } else {
            list = ApiList.shipped();
        }
        List<String> problems = new ArrayList<>();
        int[] members = new int[1];
        Map<String, ClassFile> classes = new HashMap<>();
        try (JarFile jar = new JarFile(new File(args[0]))) {
            for (Enumeration<JarEntry> e = jar.entries(); e.hasMoreElements();) {
                JarEntry entry = e.nextElement();
                if (!entry.getName().endsWith(".class")) {
                    continue;
                }
                byte[] bytes;
                try (InputStream in = jar.getInputStream(entry)) {
                    bytes = readAll(in);
                }
                ClassFile c = ClassFile.read(bytes, entry.getName());
                classes.put(c.name, c);
                check(c, list, problems, members);
            }
        }
        for (ApiList.Type t : list.types()) {
            held(t, classes.get(t.name), problems);
        }
        if (!problems.isEmpty()) {
            System.out.println(args[0] + " and the MIDP 2.0 / CLDC 1.1 list differ:");
            for (String p : problems) {
                System.out.println("  " + p);
            }
            System.exit(1);
        }
        System.out.println(args[0] + " holds the " + members[0] + " members of the MIDP 2.0 / CLDC 1.1 list, no more");
    }

    static byte[] readAll(InputStream in) throws IOException {
        java.io.ByteArrayOutputStream out = new java.io.ByteArrayOutputStream();
        byte[] buffer = new byte[8192];
        for (int n; (n = in.read(buffer)) > 0;) {
            out.write(buffer, 0, n);
        }
        return out.toByteArray();
    }

    static void check(ClassFile c, ApiList list, List<String> problems, int[] members) {
        String name = c.name.replace('/', '.');
        ApiList.Type t = list.type(c.name);
        if (t == null) {
            problems.add(name + ": no such class");
            return;
        }
        boolean isInterface = (c.access & ClassFile.ACC_INTERFACE) != 0;
        if (isInterface != t.isInterface) {
            problems.add(name + ": " + (isInterface ? "an interface" : "a class") + " here, "
                    + (t.isInterface ? "an interface" : "a class") + " on the list");
        }
        if (!isInterface && c.superName != null && !c.superName.equals(t.superName)) {
            problems.add(name + " extends " + c.superName.replace('/', '.') + ", on the list "
                    + t.superName.replace('/', '.'));
        }
        for (String i : c.interfaces) {
            if (!t.interfaces.contains(i)) {
                problems.add(name + " implements " + i.replace('/', '.') + ", which the list does not");
            }
        }
        List<ClassFile.Member> declared = new ArrayList<>(c.fields);
        declared.addAll(c.methods);
        for (ClassFile.Member m : declared) {
            if ((m.access & (ClassFile.ACC_PUBLIC | ClassFile.ACC_PROTECTED)) == 0) {
                continue;
            }
            members[0]++;
            ClassFile.Member listed = t.declared(m.name, m.descriptor, m.method);
            if (listed == null && !m.name.equals("<init>")) {
                listed = list.find(c.name, m.name, m.descriptor, m.method);
            }
            if (listed == null) {
                problems.add(name + ": " + line(m) + " is not on the list");
                continue;
            }
            String wider = wider(m.access, listed.access, m.method);
            if (wider != null) {
                problems.add(name + ": " + line(m) + " is " + wider + "; on the list: " + line(listed));
            }
        }
    }

    /** What of a class of the list the jar lacks: the class, or a member, or a member's modifiers. */
    static void held(ApiList.Type t, ClassFile c, List<String> problems) {
        String name = t.name.replace('/', '.');
        if (c == null) {
            problems.add(name + ": missing");
            return;
        }
        for (ClassFile.Member listed : t.members) {
            if ((listed.access & (ClassFile.ACC_PUBLIC | ClassFile.ACC_PROTECTED)) == 0) {
                continue;
            }
            ClassFile.Member here = null;
            for (ClassFile.Member m : listed.method ? c.methods : c.fields) {
                if (m.name.equals(listed.name) && m.descriptor.equals(listed.descriptor)) {
                    here = m;
                }
            }
            if (here == null) {
                problems.add(name + ": " + line(listed) + " is missing");
            } else if ((here.access & MODIFIERS) != (listed.access & MODIFIERS)) {
                problems.add(name + ": " + line(here) + "; on the list: " + line(listed));
            }
        }
    }

    private static final int MODIFIERS = ClassFile.ACC_PUBLIC | ClassFile.ACC_PROTECTED | ClassFile.ACC_STATIC
            | ClassFile.ACC_FINAL | ClassFile.ACC_ABSTRACT;

    /** How a member here allows more than the list's does; null when it allows no more. */
    static String wider(int here, int listed, boolean method) {
        if (rank(here) > rank(listed)) {
            return "more visible";
        }
        if ((here & ClassFile.ACC_STATIC) != (listed & ClassFile.ACC_STATIC)) {
            return (here & ClassFile.ACC_STATIC) != 0 ? "static" : "not static";
        }
        if ((listed & ClassFile.ACC_FINAL) != 0 && (here & ClassFile.ACC_FINAL) == 0) {
            return method ? "not final (a game could override it)" : "not final (a game could assign it)";
        }
        if (method && (listed & ClassFile.ACC_ABSTRACT) != 0 && (here & ClassFile.ACC_ABSTRACT) == 0) {
            return "not abstract (a game need not implement it)";
        }
        return null;
    }

    private static int rank(int access) {
        return (access & ClassFile.ACC_PUBLIC) != 0 ? 2 : (access & ClassFile.ACC_PROTECTED) != 0 ? 1 : 0;
    }

    /** A member as the list writes it: "public final int getFrame()". */
    static String line(ClassFile.Member m) {
        StringBuilder s = new StringBuilder(ClassFile.modifiers(m.access));
        if (!m.method) {
            return s.append(Descriptors.type(m.descriptor)).append(' ').append(m.name).toString();
        }
        if (!m.name.equals("<init>")) {
            s.append(Descriptors.type(m.descriptor)).append(' ');
        }
        String full = Descriptors.readable(m.owner, m.name, m.descriptor, true);
        return s.append(full.substring(full.lastIndexOf('.', full.indexOf('(')) + 1)).toString();
    }
}
