package kestrava.player.check;

import java.io.IOException;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;

/**
 * What a game may refer to: the classes and members of MIDP 2.0 / CLDC 1.1
 * (the member list) that the player has, and the game's own classes. Every
 * class of the archive is read before any of it is loaded: its parents, every
 * class its constant pool or its descriptors name, every field and method it
 * calls. A game that refers to anything else is refused with the class and
 * what it refers to, so no game reaches the desktop's own classes.
 */
public final class GameCheck {
    private final Map<String, ClassFile> game;
    private final ApiList api;
    private final ClassLoader player;

    private GameCheck(Map<String, ClassFile> game, ApiList api, ClassLoader player) {
        this.game = game;
        this.api = api;
        this.player = player;
    }

    /**
     * Checks the game's classes (by internal name); an IOException in Russian
     * naming the class and what it refers to when one reaches outside.
     * player: where the player's own MIDP classes are.
     */
    public static void check(Map<String, ClassFile> game, ApiList api, ClassLoader player) throws IOException {
        GameCheck c = new GameCheck(game, api, player);
        for (ClassFile f : game.values()) {
            c.check(f);
        }
    }

    private void check(ClassFile f) throws IOException {
        String name = f.name.replace('/', '.');
        if (api.type(f.name) != null || f.name.startsWith("java/") || f.name.startsWith("javax/")
                || f.name.startsWith("kestrava/")) {
            throw refused("класс " + name + " носит имя класса телефона или проигрывателя");
        }
        if (f.unsupported != null) {
            throw refused("класс " + name + " содержит " + f.unsupported + ", чего нет у телефонов");
        }
        for (ClassFile.Member m : f.methods) {
            // CLDC has no finalization; here the desktop's finalizer thread would run it, outside the game.
            if (m.name.equals("finalize") && m.descriptor.equals("()V")) {
                throw refused("класс " + name + " объявляет метод finalize(): телефон никогда его не вызывает");
            }
        }
        // What it calls first: that names the member, not only its class.
        for (ClassFile.Member m : f.memberRefs) {
            String owner = m.owner.startsWith("[") ? "java/lang/Object" : m.owner;
            // A phone throws SecurityException there; here it would close the player.
            if ((owner.equals("java/lang/System") || owner.equals("java/lang/Runtime")) && m.name.equals("exit")) {
                throw refused("класс " + name + " вызывает " + m.readable()
                        + ": телефон не даёт игре так закончиться, игра заканчивается через notifyDestroyed()");
            }
            if (!resolves(owner, m.name, m.descriptor, m.method)) {
                throw refused("класс " + name + " обращается к " + m.readable() + ", чего нет в MIDP 2.0 / CLDC 1.1");
            }
        }
        List<String> named = new ArrayList<>(f.classRefs);
        if (f.superName != null) {
            named.add(f.superName);
        }
        named.addAll(f.interfaces);
        List<String> descriptors = new ArrayList<>(f.descriptors);
        for (ClassFile.Member m : f.fields) {
            descriptors.add(m.descriptor);
        }
        for (ClassFile.Member m : f.methods) {
            descriptors.add(m.descriptor);
        }
        for (String d : descriptors) {
            named.addAll(Descriptors.classes(d));
        }
        for (String ref : named) {
            String type = Descriptors.elementClass(ref);
            if (type != null) {
                knownClass(type, name);
            }
        }
    }

    /** A class of the game, or one of the list the player has. */
    private void knownClass(String type, String user) throws IOException {
        if (game.containsKey(type)) {
            return;
        }
        if (api.type(type) == null) {
            throw refused("класс " + user + " обращается к классу " + type.replace('/', '.')
                    + ", которого нет в MIDP 2.0 / CLDC 1.1");
        }
        if (!type.startsWith("java/")) {
            try {
                Class.forName(type.replace('/', '.'), false, player);
            } catch (ClassNotFoundException e) {
                throw refused("класс " + user + " обращается к классу " + type.replace('/', '.')
                        + " MIDP 2.0, которого проигрыватель не умеет");
            }
        }
    }

    /** A field or method as the virtual machine would find it from `owner`: in the game's classes or the list's. */
    private boolean resolves(String owner, String name, String descriptor, boolean method) {
        ClassFile f = game.get(owner);
        if (f == null) {
            return api.find(owner, name, descriptor, method) != null;
        }
        for (ClassFile.Member m : method ? f.methods : f.fields) {
            if (m.name.equals(name) && m.descriptor.equals(descriptor)) {
                return true;
            }
        }
        if (name.equals("<init>")) {
            return false;
        }
        if (f.superName != null && resolves(f.superName, name, descriptor, method)) {
            return true;
        }
        for (String i : f.interfaces) {
            if (resolves(i, name, descriptor, method)) {
                return true;
            }
        }
        return false;
    }

    private static IOException refused(String why) {
        // "The game is not started: ..."
        return new IOException("Игра не запущена: " + why + ".");
    }
}
