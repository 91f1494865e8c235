package java.lang;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Character {
    public Character(char value) {
    }

    public char charValue() {
        throw new RuntimeException();
    }
}
