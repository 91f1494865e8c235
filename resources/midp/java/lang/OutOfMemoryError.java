package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public class OutOfMemoryError extends VirtualMachineError {
    public OutOfMemoryError() {
    }

    public OutOfMemoryError(String s) {
        super(s);
    }
}
