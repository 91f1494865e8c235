import java.io.IOException;

/**
 * One stage of the game: Etap0 builds itself from its tables, the resource
 * Etap0.dat the converter put into the jar; its event sheet is the end of
 * events(), written by the converter.
 */
public class Etap0 extends MyGameCanvas.Stage {
    public Etap0() {
    }

    void load() throws IOException {
        tables("/Etap0.dat");
    }

    void events() {
