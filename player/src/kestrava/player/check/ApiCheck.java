package kestrava.player.check;

import java.io.File;
import java.lang.reflect.Constructor;
import java.lang.reflect.Field;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.net.URL;
import java.net.URLClassLoader;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Enumeration;
import java.util.List;
import java.util.jar.JarEntry;
import java.util.jar.JarFile;

/**
 * Checks that a game finds at run time every public and protected member of
 * the classes it compiles against (midp-api.jar), with the same types: in the
 * player's javax.microedition classes, with the same constants, and in the
 * desktop's java.* classes, which the player hands out. A javax.microedition
 * class the player lacks (an Alert, a RecordStore) and a member that needs one
 * are left out: GameCheck refuses a game that uses them before it runs.
 *
 * <pre>java -cp kestrava-player.jar kestrava.player.check.ApiCheck midp-api.jar</pre>
 */
public final class ApiCheck {
    private ApiCheck() {
    }

    public static void main(String[] args) throws Exception {
        List<String> missing = new ArrayList<>();
        int members = 0;
        ClassLoader player = ApiCheck.class.getClassLoader();
        File jar = new File(args[0]);
        try (JarFile file = new JarFile(jar);
                URLClassLoader api = new URLClassLoader(new URL[] {jar.toURI().toURL()}, null)) {
            for (Enumeration<JarEntry> e = file.entries(); e.hasMoreElements();) {
                String name = e.nextElement().getName();
                if (!name.startsWith("javax/microedition/") || !name.endsWith(".class")) {
                    continue;
                }
                String className = name.substring(0, name.length() - 6).replace('/', '.');
                Class<?> stub = Class.forName(className, false, api);
                Class<?> ours = playerClass(name.substring(0, name.length() - 6), player);
                if (ours == null) {
                    continue;
                }
                if (stub.getSuperclass() != null && (ours.getSuperclass() == null
                        || !stub.getSuperclass().getName().equals(ours.getSuperclass().getName()))) {
                    missing.add(className + " extends " + stub.getSuperclass().getName());
                }
                for (Constructor<?> c : stub.getDeclaredConstructors()) {
                    if (visible(c.getModifiers()) && known(c.getParameterTypes(), player)) {
                        members++;
                        if (!hasConstructor(ours, c.getParameterTypes())) {
                            missing.add(c.toString());
                        }
                    }
                }
                for (Method m : stub.getDeclaredMethods()) {
                    if (visible(m.getModifiers()) && known(m.getParameterTypes(), player)
                            && known(new Class<?>[] {m.getReturnType()}, player)) {
                        members++;
                        if (!hasMethod(ours, m)) {
                            missing.add(m.toString());
                        }
                    }
                }
                for (Field f : stub.getDeclaredFields()) {
                    if (visible(f.getModifiers()) && known(new Class<?>[] {f.getType()}, player)) {
                        members++;
                        if (!hasField(ours, f, stub)) {
                            missing.add(f.toString());
                        }
                    }
                }
            }
        }
        members += desktopMembers(missing, player);
        if (!missing.isEmpty()) {
            System.out.println("the player lacks:");
            for (String m : missing) {
                System.out.println("  " + m);
            }
            System.exit(1);
        }
        System.out.println("a game finds all " + members + " members of the MIDP 2.0 / CLDC 1.1 classes the player has");
    }

    /** Whether the player has the classes of these types (arrays by their elements). */
    private static boolean known(Class<?>[] types, ClassLoader player) {
        for (Class<?> t : types) {
            while (t.isArray()) {
                t = t.getComponentType();
            }
            if (!t.isPrimitive() && playerClass(t.getName().replace('.', '/'), player) == null) {
                return false;
            }
        }
        return true;
    }

    /**
     * The java.* members of the list (which midp-api.jar holds, ApiListCheck
     * says), in the desktop's classes: a class loader defines no stand-in of
     * java.*, so they are found by the list. Returns how many were checked.
     */
    private static int desktopMembers(List<String> missing, ClassLoader player) throws java.io.IOException {
        int checked = 0;
        for (ApiList.Type t : ApiList.shipped().types()) {
            if (!t.name.startsWith("java/")) {
                continue;
            }
            Class<?> ours = playerClass(t.name, player);
            if (ours == null) {
                missing.add(t.name.replace('/', '.'));
                continue;
            }
            for (ClassFile.Member m : t.members) {
                if (visible(m.access)) {
                    checked++;
                    if (!has(ours, m)) {
                        missing.add(m.readable());
                    }
                }
            }
        }
        return checked;
    }

    private static Class<?> playerClass(String internalName, ClassLoader player) {
        try {
            return Class.forName(internalName.replace('/', '.'), false, player);
        } catch (ClassNotFoundException e) {
            return null;
        }
    }

    private static boolean has(Class<?> ours, ClassFile.Member m) {
        if (!m.method) {
            for (Class<?> c = ours; c != null; c = c.getSuperclass()) {
                for (Field f : c.getDeclaredFields()) {
                    if (f.getName().equals(m.name) && visible(f.getModifiers())) {
                        return true;
                    }
                }
            }
            return false;
        }
        if (m.name.equals("<init>")) {
            for (Constructor<?> c : ours.getDeclaredConstructors()) {
                if (visible(c.getModifiers()) && descriptor(c.getParameterTypes(), void.class).equals(m.descriptor)) {
                    return true;
                }
            }
            return false;
        }
        for (Class<?> c = ours; c != null; c = c.getSuperclass()) {
            for (Method o : c.getDeclaredMethods()) {
                if (o.getName().equals(m.name) && visible(o.getModifiers())
                        && descriptor(o.getParameterTypes(), o.getReturnType()).equals(m.descriptor)) {
                    return true;
                }
            }
        }
        return false;
    }

    private static String descriptor(Class<?>[] parameters, Class<?> result) {
        StringBuilder d = new StringBuilder("(");
        for (Class<?> p : parameters) {
            d.append(Descriptors.of(p.getTypeName()));
        }
        return d.append(')').append(Descriptors.of(result.getTypeName())).toString();
    }

    private static boolean visible(int modifiers) {
        return Modifier.isPublic(modifiers) || Modifier.isProtected(modifiers);
    }

    private static String[] names(Class<?>[] types) {
        String[] n = new String[types.length];
        for (int i = 0; i < types.length; i++) {
            n[i] = types[i].getName();
        }
        return n;
    }

    private static boolean hasConstructor(Class<?> ours, Class<?>[] parameters) {
        for (Constructor<?> c : ours.getDeclaredConstructors()) {
            if (visible(c.getModifiers()) && Arrays.equals(names(c.getParameterTypes()), names(parameters))) {
                return true;
            }
        }
        return false;
    }

    private static boolean hasMethod(Class<?> ours, Method m) {
        for (Class<?> c = ours; c != null; c = c.getSuperclass()) {
            for (Method o : c.getDeclaredMethods()) {
                if (o.getName().equals(m.getName()) && visible(o.getModifiers())
                        && Arrays.equals(names(o.getParameterTypes()), names(m.getParameterTypes()))
                        && o.getReturnType().getName().equals(m.getReturnType().getName())
                        && Modifier.isStatic(o.getModifiers()) == Modifier.isStatic(m.getModifiers())) {
                    return true;
                }
            }
        }
        return false;
    }

    private static boolean hasField(Class<?> ours, Field f, Class<?> stub) throws IllegalAccessException {
        try {
            Field o = ours.getField(f.getName());
            if (!o.getType().getName().equals(f.getType().getName())) {
                return false;
            }
            // Constants must have the same values, or a game compiled against the stubs reads other numbers.
            if (Modifier.isStatic(f.getModifiers()) && Modifier.isFinal(f.getModifiers()) && f.getType().isPrimitive()) {
                f.setAccessible(true);
                return f.get(null).equals(o.get(null));
            }
            return true;
        } catch (NoSuchFieldException e) {
            return false;
        }
    }
}
