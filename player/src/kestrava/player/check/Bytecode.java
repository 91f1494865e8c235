package kestrava.player.check;

/** Walks a method's bytecode instruction by instruction. */
final class Bytecode {
    private Bytecode() {
    }

    /** True when any instruction jumps (conditional or not, switches, subroutines). */
    static boolean branches(byte[] code) {
        int at = 0;
        while (at < code.length) {
            int op = code[at] & 0xFF;
            if (op >= 0x99 && op <= 0xAB || op >= 0xC6 && op <= 0xC9) {
                return true;
            }
            at += length(code, at);
        }
        return false;
    }

    /** The length of the instruction at `at`, its operands included. */
    static int length(byte[] code, int at) {
        int op = code[at] & 0xFF;
        switch (op) {
        case 0x10: // bipush
        case 0x12: // ldc
        case 0xA9: // ret
        case 0xBC: // newarray
            return 2;
        case 0x11: // sipush
        case 0x13: // ldc_w
        case 0x14: // ldc2_w
        case 0x84: // iinc
        case 0xBB: // new
        case 0xBD: // anewarray
        case 0xC0: // checkcast
        case 0xC1: // instanceof
            return 3;
        case 0xC5: // multianewarray
            return 4;
        case 0xB9: // invokeinterface
        case 0xBA: // invokedynamic
        case 0xC8: // goto_w
        case 0xC9: // jsr_w
            return 5;
        case 0xC4: // wide
            return (code[at + 1] & 0xFF) == 0x84 ? 6 : 4;
        case 0xAA: { // tableswitch
            int p = pad(at);
            int low = intAt(code, p + 4);
            int high = intAt(code, p + 8);
            return p - at + 12 + 4 * (high - low + 1);
        }
        case 0xAB: { // lookupswitch
            int p = pad(at);
            return p - at + 8 + 8 * intAt(code, p + 4);
        }
        default:
            break;
        }
        if (op >= 0x15 && op <= 0x19 || op >= 0x36 && op <= 0x3A) {
            return 2; // loads and stores with a local index
        }
        if (op >= 0x99 && op <= 0xA8 || op >= 0xB2 && op <= 0xB8 || op == 0xC6 || op == 0xC7) {
            return 3; // jumps, field access, calls
        }
        return 1;
    }

    /** The operands of a switch start at the next multiple of four after its opcode. */
    private static int pad(int at) {
        return (at + 4) & ~3;
    }

    private static int intAt(byte[] code, int p) {
        return (code[p] & 0xFF) << 24 | (code[p + 1] & 0xFF) << 16 | (code[p + 2] & 0xFF) << 8 | (code[p + 3] & 0xFF);
    }
}
