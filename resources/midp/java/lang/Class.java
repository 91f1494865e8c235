package java.lang;

import java.io.InputStream;

/** Compile-only stand-in for the CLDC 1.1 class of the same name. */
public final class Class {
    private Class() {
    }

    public static Class forName(String className) throws ClassNotFoundException {
        throw new RuntimeException();
    }

    public Object newInstance() throws InstantiationException, IllegalAccessException {
        throw new RuntimeException();
    }

    public String getName() {
        throw new RuntimeException();
    }

    public InputStream getResourceAsStream(String name) {
        throw new RuntimeException();
    }
}
