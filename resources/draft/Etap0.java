import java.io.IOException;

/**
 * One stage of the game: Etap0 reads the tables of Etap0data; its event
 * sheet is the end of events(), written by the converter.
 */
public class Etap0 extends MyGameCanvas.Stage {
    Etap0data data = new Etap0data();

    public Etap0() {
    }

    void load(int screenWidth, int screenHeight) throws IOException {
        background(data.quanfon, data.fon_obstacle, data.columns, data.rows, data.tileWidth, data.tileHeight,
                data.adfon, data.pole, data.fonxt, data.fonyt);
        objects(data.quanobj, data.group_obj, data.type_obj, data.adobj, data.tileWidthob, data.tileHeightob,
                data.raspxob, data.raspyob);
        frames(data.obj_stop, data.obj_go, data.obj_dead);
        speeds(data.skorobj1);
        layout(data.number_fon, data.number_act, screenWidth, screenHeight);
    }

    void keyPressed(int keyCode) {
        data.keyPressed(keyCode);
        super.keyPressed(keyCode);
    }

    void keyReleased(int keyCode) {
        data.keyReleased(keyCode);
        super.keyReleased(keyCode);
    }

    boolean held(int direction) {
        switch (direction) {
        case 1:
            return data.right;
        case 2:
            return data.up;
        case 3:
            return data.left;
        default:
            return data.down;
        }
    }

    void events() {
