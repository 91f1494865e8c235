package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public abstract class VirtualMachineError extends Error {
    public VirtualMachineError() {
    }

    public VirtualMachineError(String s) {
        super(s);
    }
}
