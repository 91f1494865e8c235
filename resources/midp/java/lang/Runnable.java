package java.lang;

/** Compile-only stand-in for the CLDC 1.1 interface of the same name. */
public interface Runnable {
    void run();
}
