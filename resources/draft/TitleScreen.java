// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import javax.microedition.lcdui.Font;
import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;

/**
 * The title screen a game starts on when its author set one: the picture,
 * the game's name and a menu chosen with the keys or a tap. The canvas keeps
 * which item is chosen; this class lays the items out the same way for
 * drawing and for a tap, so a tap hits what the screen shows.
 */
final class TitleScreen {
    static final int NEW_GAME = 0, GO_ON = 1, SOUND = 2, LEAVE = 3;
    private static final String[] LABELS = {"\u041d\u043e\u0432\u0430\u044f \u0438\u0433\u0440\u0430",
            "\u041f\u0440\u043e\u0434\u043e\u043b\u0436\u0438\u0442\u044c",
            "\u0417\u0432\u0443\u043a \u0432\u043a\u043b/\u0432\u044b\u043a\u043b",
            "\u0412\u044b\u0445\u043e\u0434"};

    /** The items shown now, in order: no "continue" without a stage to go on from. */
    final int[] items = new int[4];
    int count;
    int chosen;
    private Image picture;

    TitleScreen(boolean canGoOn, boolean hasSound) {
        items[count++] = NEW_GAME;
        if (canGoOn) {
            items[count++] = GO_ON;
        }
        if (hasSound) {
            items[count++] = SOUND;
        }
        items[count++] = LEAVE;
        if (GameValues.TITLE_PICTURE != null) {
            try {
                picture = Image.createImage(GameValues.TITLE_PICTURE);
            } catch (Exception e) {
                // The title stands without its picture rather than not at all.
                picture = null;
            }
        }
        chosen = canGoOn ? 1 : 0;
    }

    void up() {
        chosen = (chosen + count - 1) % count;
    }

    void down() {
        chosen = (chosen + 1) % count;
    }

    private static Font itemFont() {
        return Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_PLAIN, Font.SIZE_MEDIUM);
    }

    /** The top of the first item: the menu stands in the lower half, or just above the bottom. */
    private int menuTop(int h) {
        int rows = itemFont().getHeight() + 4;
        return Math.max(h / 2, h - 4 - rows * count);
    }

    /** The index of the item at (x, y), -1 for none. */
    int itemAt(int w, int h, int x, int y) {
        int rows = itemFont().getHeight() + 4;
        int top = menuTop(h);
        if (x < 0 || x >= w || y < top) {
            return -1;
        }
        int i = (y - top) / rows;
        return i < count ? i : -1;
    }

    /** The sound item says how the switch stands, so choosing it shows what it did. */
    static String label(int item) {
        if (item != SOUND) {
            return LABELS[item];
        }
        // Whole constants: CLDC has no StringBuilder for a concatenation at run time.
        return Sounds.on() ? "\u0417\u0432\u0443\u043a \u0432\u043a\u043b/\u0432\u044b\u043a\u043b: \u0432\u043a\u043b" : "\u0417\u0432\u0443\u043a \u0432\u043a\u043b/\u0432\u044b\u043a\u043b: \u0432\u044b\u043a\u043b";
    }

    void paint(Graphics g, int w, int h) {
        g.setColor(0x000000);
        g.fillRect(0, 0, w, h);
        if (picture != null) {
            g.drawImage(picture, w / 2, 0, Graphics.TOP | Graphics.HCENTER);
        }
        Font big = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_LARGE);
        if (big.stringWidth(GameValues.TITLE) > w - 8) {
            big = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_SMALL);
        }
        g.setFont(big);
        g.setColor(0xFFE040);
        int nameY = picture != null ? Math.min(picture.getHeight() + 2, h / 2 - big.getHeight() - 2) : h / 4;
        g.drawString(GameValues.TITLE, w / 2, nameY, Graphics.TOP | Graphics.HCENTER);
        Font f = itemFont();
        int rows = f.getHeight() + 4;
        int y = menuTop(h);
        g.setFont(f);
        for (int i = 0; i < count; i++) {
            if (i == chosen) {
                g.setColor(0x404080);
                g.fillRect(4, y, w - 8, rows);
                g.setColor(0xFFFFFF);
            } else {
                g.setColor(0xA0A0A0);
            }
            g.drawString(label(items[i]), w / 2, y + 2, Graphics.TOP | Graphics.HCENTER);
            y += rows;
        }
    }
}
