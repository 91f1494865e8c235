import java.io.IOException;

/**
 * One stage of the game: Etap0 reads the tables of Etap0data and of Etap0extra
 * (paths, chase targets, texts, the lives bar, the right soft key); its event sheet is the end of
 * events(), written by the converter.
 */
public class Etap0 extends MyGameCanvas.Stage {
    Etap0data data = new Etap0data();
    Etap0extra extra = new Etap0extra();

    public Etap0() {
    }

    void load() throws IOException {
        background(data.quanfon, data.fon_obstacle, data.columns, data.rows, data.tileWidth, data.tileHeight,
                data.adfon, data.pole, data.fonxt, data.fonyt);
        objects(data.quanobj, data.group_obj, data.type_obj, data.adobj, data.tileWidthob, data.tileHeightob,
                data.raspxob, data.raspyob);
        frames(data.obj_stop, data.obj_go, data.obj_dead);
        layout(data.number_fon, data.number_act);
        paths(extra.pathx, extra.pathy, extra.chase);
        texts(extra.text, extra.textx, extra.texty, extra.textface, extra.textsize, extra.textstyle,
                extra.textcolor);
        lives(extra.lives, extra.livespicture, extra.livesx, extra.livesy, extra.livesw, extra.livesh,
                extra.livesvertical);
        rightSoftKey(extra.rightsoft);
        speeds(data.skorobj1);
    }

    void dataKeyPressed(int keyCode) {
        data.keyPressed(keyCode);
    }

    void dataKeyReleased(int keyCode) {
        data.keyReleased(keyCode);
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
