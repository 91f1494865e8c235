package kestrava.player.check;

import java.io.ByteArrayInputStream;
import java.io.DataInputStream;
import java.io.IOException;
import java.util.ArrayList;
import java.util.List;

/**
 * The parts of a class file that say what it refers to and how a phone would
 * verify it: the constant pool, the class and its parents, its members, and
 * per method whether its code branches and whether it carries a StackMap.
 */
public final class ClassFile {
    /** A field or method: declared here, or referred to through the constant pool. */
    public static final class Member {
        public final String owner;
        public final String name;
        public final String descriptor;
        public final int access;
        public final boolean method;
        /** Declared methods only: the code branches or catches, so a phone's verifier needs its stack maps. */
        public boolean branches;
        public boolean stackMap;

        Member(String owner, String name, String descriptor, int access, boolean method) {
            this.owner = owner;
            this.name = name;
            this.descriptor = descriptor;
            this.access = access;
            this.method = method;
        }

        /** "java.lang.Runtime.exec(java.lang.String)" or "java.lang.System.out". */
        public String readable() {
            return Descriptors.readable(owner, name, descriptor, method);
        }
    }

    public static final int ACC_PUBLIC = 0x0001, ACC_PRIVATE = 0x0002, ACC_PROTECTED = 0x0004, ACC_STATIC = 0x0008,
            ACC_FINAL = 0x0010, ACC_INTERFACE = 0x0200, ACC_ABSTRACT = 0x0400, ACC_STRICT = 0x0800;

    /** Access flags in Java words, as the member list writes them: "public static final ". */
    static String modifiers(int access) {
        StringBuilder s = new StringBuilder();
        if ((access & ACC_PUBLIC) != 0) {
            s.append("public ");
        } else if ((access & ACC_PROTECTED) != 0) {
            s.append("protected ");
        } else if ((access & ACC_PRIVATE) != 0) {
            s.append("private ");
        }
        if ((access & ACC_STATIC) != 0) {
            s.append("static ");
        }
        if ((access & ACC_FINAL) != 0) {
            s.append("final ");
        }
        // Methods only: a field never has these flags.
        if ((access & ACC_ABSTRACT) != 0) {
            s.append("abstract ");
        }
        if ((access & ACC_STRICT) != 0) {
            s.append("strictfp ");
        }
        return s.toString();
    }

    public int major;
    public int minor;
    public int access;
    /** Internal names: "java/lang/Object". */
    public String name;
    public String superName;
    public final List<String> interfaces = new ArrayList<>();
    public final List<Member> fields = new ArrayList<>();
    public final List<Member> methods = new ArrayList<>();
    /** Every class the constant pool names, arrays as their descriptors ("[Ljava/io/File;"). */
    public final List<String> classRefs = new ArrayList<>();
    /** Every field and method the code refers to. */
    public final List<Member> memberRefs = new ArrayList<>();
    /** Every descriptor of a name-and-type or method type entry. */
    public final List<String> descriptors = new ArrayList<>();
    /** A constant of a kind newer than any phone knows (method handles, dynamic calls, modules), in Russian; null if none. */
    public String unsupported;

    private static final int UTF8 = 1, INTEGER = 3, FLOAT = 4, LONG = 5, DOUBLE = 6, CLASS = 7, STRING = 8,
            FIELD = 9, METHOD = 10, INTERFACE_METHOD = 11, NAME_AND_TYPE = 12, METHOD_HANDLE = 15, METHOD_TYPE = 16,
            DYNAMIC = 17, INVOKE_DYNAMIC = 18, MODULE = 19, PACKAGE = 20;

    private ClassFile() {
    }

    /** Reads a class file; an IOException names `where` when it is damaged. */
    public static ClassFile read(byte[] bytes, String where) throws IOException {
        try {
            return new ClassFile().parse(new DataInputStream(new ByteArrayInputStream(bytes)));
        } catch (IOException | RuntimeException e) {
            throw new IOException("Игра не запущена: " + where + " не читается как класс (" + e.getMessage() + ").", e);
        }
    }

    private ClassFile parse(DataInputStream in) throws IOException {
        if (in.readInt() != 0xCAFEBABE) {
            throw new IOException("no class file header");
        }
        minor = in.readUnsignedShort();
        major = in.readUnsignedShort();
        int count = in.readUnsignedShort();
        int[] tag = new int[count];
        String[] utf = new String[count];
        int[] first = new int[count];
        int[] second = new int[count];
        for (int i = 1; i < count; i++) {
            tag[i] = in.readUnsignedByte();
            switch (tag[i]) {
            case UTF8:
                utf[i] = in.readUTF();
                break;
            case INTEGER:
            case FLOAT:
                in.readInt();
                break;
            case LONG:
            case DOUBLE:
                in.readLong();
                i++; // takes two entries
                break;
            case CLASS:
            case STRING:
            case METHOD_TYPE:
            case MODULE:
            case PACKAGE:
                first[i] = in.readUnsignedShort();
                break;
            case FIELD:
            case METHOD:
            case INTERFACE_METHOD:
            case NAME_AND_TYPE:
            case DYNAMIC:
            case INVOKE_DYNAMIC:
                first[i] = in.readUnsignedShort();
                second[i] = in.readUnsignedShort();
                break;
            case METHOD_HANDLE:
                in.readUnsignedByte();
                first[i] = in.readUnsignedShort();
                break;
            default:
                throw new IOException("constant of unknown kind " + tag[i] + " at " + i);
            }
            if (tag[i] >= METHOD_HANDLE && unsupported == null) {
                unsupported = tag[i] == METHOD_HANDLE ? "ссылку на метод (MethodHandle)"
                        : tag[i] == METHOD_TYPE ? "тип метода (MethodType)"
                        : tag[i] == MODULE || tag[i] == PACKAGE ? "запись модуля" : "динамический вызов (invokedynamic)";
            }
        }
        for (int i = 1; i < count; i++) {
            switch (tag[i]) {
            case CLASS:
                classRefs.add(text(utf, tag, first[i]));
                break;
            case FIELD:
            case METHOD:
            case INTERFACE_METHOD: {
                String owner = text(utf, tag, first[checked(tag, first[i], CLASS)]);
                int nat = checked(tag, second[i], NAME_AND_TYPE);
                memberRefs.add(new Member(owner, text(utf, tag, first[nat]), text(utf, tag, second[nat]), 0,
                        tag[i] != FIELD));
                break;
            }
            case NAME_AND_TYPE:
                descriptors.add(text(utf, tag, second[i]));
                break;
            case METHOD_TYPE:
                descriptors.add(text(utf, tag, first[i]));
                break;
            default:
                break;
            }
        }
        access = in.readUnsignedShort();
        name = text(utf, tag, first[checked(tag, in.readUnsignedShort(), CLASS)]);
        int superIndex = in.readUnsignedShort();
        superName = superIndex == 0 ? null : text(utf, tag, first[checked(tag, superIndex, CLASS)]);
        int interfaceCount = in.readUnsignedShort();
        for (int i = 0; i < interfaceCount; i++) {
            interfaces.add(text(utf, tag, first[checked(tag, in.readUnsignedShort(), CLASS)]));
        }
        readMembers(in, utf, tag, fields, false);
        readMembers(in, utf, tag, methods, true);
        return this;
    }

    private void readMembers(DataInputStream in, String[] utf, int[] tag, List<Member> into, boolean method)
            throws IOException {
        int n = in.readUnsignedShort();
        for (int i = 0; i < n; i++) {
            int flags = in.readUnsignedShort();
            String memberName = text(utf, tag, in.readUnsignedShort());
            String descriptor = text(utf, tag, in.readUnsignedShort());
            Member m = new Member(name, memberName, descriptor, flags, method);
            int attributes = in.readUnsignedShort();
            for (int a = 0; a < attributes; a++) {
                String attribute = text(utf, tag, in.readUnsignedShort());
                byte[] body = new byte[in.readInt()];
                in.readFully(body);
                if (method && attribute.equals("Code")) {
                    code(m, body, utf, tag);
                }
            }
            into.add(m);
        }
    }

    /** The Code attribute: does it branch or catch, and which attributes does it carry. */
    private static void code(Member m, byte[] body, String[] utf, int[] tag) throws IOException {
        DataInputStream in = new DataInputStream(new ByteArrayInputStream(body));
        in.readUnsignedShort(); // max stack
        in.readUnsignedShort(); // max locals
        byte[] code = new byte[in.readInt()];
        in.readFully(code);
        int handlers = in.readUnsignedShort();
        in.skipBytes(handlers * 8);
        m.branches = handlers > 0 || Bytecode.branches(code);
        int attributes = in.readUnsignedShort();
        for (int a = 0; a < attributes; a++) {
            String attribute = text(utf, tag, in.readUnsignedShort());
            in.skipBytes(in.readInt());
            // CLDC verifies with "StackMap"; the desktop's "StackMapTable" means nothing to a phone.
            if (attribute.equals("StackMap")) {
                m.stackMap = true;
            }
        }
    }

    private static int checked(int[] tag, int index, int kind) throws IOException {
        if (index <= 0 || index >= tag.length || tag[index] != kind) {
            throw new IOException("constant " + index + " is not of kind " + kind);
        }
        return index;
    }

    private static String text(String[] utf, int[] tag, int index) throws IOException {
        return utf[checked(tag, index, UTF8)];
    }
}
