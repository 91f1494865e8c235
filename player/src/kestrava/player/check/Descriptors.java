package kestrava.player.check;

import java.util.ArrayList;
import java.util.List;

/** Type descriptors of class files ("(ILjava/lang/String;)V") and the Java names they stand for. */
final class Descriptors {
    private Descriptors() {
    }

    /** "int", "java.lang.String[]" -> "I", "[Ljava/lang/String;". */
    static String of(String javaType) {
        String t = javaType.trim();
        if (t.endsWith("[]")) {
            return "[" + of(t.substring(0, t.length() - 2));
        }
        switch (t) {
        case "void":
            return "V";
        case "boolean":
            return "Z";
        case "byte":
            return "B";
        case "char":
            return "C";
        case "short":
            return "S";
        case "int":
            return "I";
        case "long":
            return "J";
        case "float":
            return "F";
        case "double":
            return "D";
        default:
            return "L" + t.replace('.', '/') + ";";
        }
    }

    /** The method descriptor of parameter types as written "int,java.lang.String" and a return type. */
    static String method(String parameters, String returnType) {
        StringBuilder d = new StringBuilder("(");
        for (String p : parameters.split(",")) {
            if (!p.trim().isEmpty()) {
                d.append(of(p));
            }
        }
        return d.append(')').append(of(returnType)).toString();
    }

    /** The internal names of the classes a descriptor mentions, array elements included. */
    static List<String> classes(String descriptor) {
        List<String> names = new ArrayList<>();
        for (int i = 0; i < descriptor.length(); i++) {
            if (descriptor.charAt(i) == 'L') {
                int end = descriptor.indexOf(';', i);
                if (end < 0) {
                    break;
                }
                names.add(descriptor.substring(i + 1, end));
                i = end;
            }
        }
        return names;
    }

    /** A class constant or array descriptor to the class it needs: "[[Ljava/io/File;" -> "java/io/File", "[I" -> null. */
    static String elementClass(String classRef) {
        if (!classRef.startsWith("[")) {
            return classRef;
        }
        List<String> named = classes(classRef);
        return named.isEmpty() ? null : named.get(0);
    }

    /** One type of a descriptor in Java words, from `at`; its length in `end[0]`. */
    private static String javaType(String d, int at, int[] end) {
        int dims = 0;
        while (d.charAt(at) == '[') {
            dims++;
            at++;
        }
        String base;
        char c = d.charAt(at);
        if (c == 'L') {
            int semi = d.indexOf(';', at);
            base = d.substring(at + 1, semi).replace('/', '.');
            at = semi + 1;
        } else {
            base = primitive(c);
            at++;
        }
        end[0] = at;
        StringBuilder t = new StringBuilder(base);
        for (int i = 0; i < dims; i++) {
            t.append("[]");
        }
        return t.toString();
    }

    private static String primitive(char c) {
        switch (c) {
        case 'V':
            return "void";
        case 'Z':
            return "boolean";
        case 'B':
            return "byte";
        case 'C':
            return "char";
        case 'S':
            return "short";
        case 'I':
            return "int";
        case 'J':
            return "long";
        case 'F':
            return "float";
        default:
            return "double";
        }
    }

    /** A field's type or a method's return type in Java words: "int", "java.lang.String[]". */
    static String type(String descriptor) {
        int at = descriptor.startsWith("(") ? descriptor.indexOf(')') + 1 : 0;
        return javaType(descriptor, at, new int[1]);
    }

    /** A method's parameter types in Java words: "(I[Ljava/lang/String;)V" -> "int", "java.lang.String[]". */
    static List<String> parameters(String descriptor) {
        List<String> types = new ArrayList<>();
        int[] end = new int[1];
        int at = 1;
        while (at < descriptor.length() && descriptor.charAt(at) != ')') {
            types.add(javaType(descriptor, at, end));
            at = end[0];
        }
        return types;
    }

    /** "java.lang.Runtime.exec(java.lang.String)", "java.lang.System.out", as a reader would look them up. */
    static String readable(String owner, String name, String descriptor, boolean method) {
        String type = owner.replace('/', '.');
        if (!method) {
            return type + "." + name;
        }
        return type + "." + name + "(" + String.join(",", parameters(descriptor)) + ")";
    }

}
