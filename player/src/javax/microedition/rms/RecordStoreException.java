package javax.microedition.rms;

public class RecordStoreException extends java.lang.Exception {
    private static final long serialVersionUID = 1L;

    public RecordStoreException() {
    }

    public RecordStoreException(String message) {
        super(message);
    }
}
