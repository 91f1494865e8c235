// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import javax.microedition.lcdui.Font;
import javax.microedition.lcdui.Graphics;
import javax.microedition.lcdui.Image;
import javax.microedition.lcdui.game.Layer;
import javax.microedition.lcdui.game.LayerManager;

import javax.microedition.lcdui.game.Sprite;

/**
 * What the screen shows: of a stage, the view that follows the player inside
 * the level, the layers, the text objects, the lives bar, the indicators of
 * the interface settings and a broken row's message; and the won, lost and
 * broken screens.
 */
final class StageView {
    private StageView() {
    }

    /**
     * The view keeps the player away from the screen's edges and stays inside the
     * level. An edge the sheet set this tick (moveX, moveY false) stays where the
     * sheet put it, so a row that keeps setting it holds the view still.
     */
    static void follow(StageState s, boolean moveX, boolean moveY) {
        int p = Movement.player(s);
        int width = s.width;
        int height = s.height;
        if (p >= 0) {
            Sprite sprite = s.obj[p];
            int x = s.x[p];
            int y = s.y[p];
            int marginX = width / 4;
            int marginY = height / 4;
            if (moveX && x < s.delraspx + marginX) {
                s.delraspx = x - marginX;
            } else if (moveX && x + sprite.getWidth() > s.delraspx + width - marginX) {
                s.delraspx = x + sprite.getWidth() - width + marginX;
            }
            if (moveY && y < s.delraspy + marginY) {
                s.delraspy = y - marginY;
            } else if (moveY && y + sprite.getHeight() > s.delraspy + height - marginY) {
                s.delraspy = y + sprite.getHeight() - height + marginY;
            }
        }
        s.delraspx = view(s.delraspx, s.levelLeft, s.levelRight, width);
        s.delraspy = view(s.delraspy, s.levelTop, s.levelBottom, height);
    }

    /** The view's edge inside the level, or the level centred on a screen larger than it. */
    private static int view(int edge, int low, int high, int screen) {
        if (high - low < screen) {
            return low - (screen - (high - low)) / 2;
        }
        return StageState.clamp(edge, low, high - screen);
    }

    /**
     * Where something laid out at `at` on the screen the game was made for
     * goes on this one: as far from the nearer edge as it was, and on the screen.
     */
    static int placed(int at, int size, int design, int screen) {
        if (design > 0 && at + size / 2 > design / 2) {
            at += screen - design;
        }
        return Math.max(0, Math.min(at, screen - size));
    }

    private static int placedX(StageState s, int x, int w) {
        return placed(x, w, StageState.designWidth, s.width);
    }

    private static int placedY(StageState s, int y, int h) {
        return placed(y, h, StageState.designHeight, s.height);
    }

    static void paint(StageState s, Graphics g) {
        int width = s.width;
        int height = s.height;
        g.setColor(0xFFFFFF);
        g.fillRect(0, 0, width, height);
        int p = Movement.player(s);
        // The player blinks while no attack can hurt it.
        boolean blink = p >= 0 && s.safeTicks > 0 && (s.safeTicks / 2) % 2 == 1;
        if (blink) {
            s.obj[p].setVisible(false);
        }
        // The layers at their offsets, clipped once the origin has moved: some phones' translate() does not
        // carry the clip along (LayerManager.paint relies on it), so a clip set before would cut the view short.
        int vx = s.delraspx;
        int vy = s.delraspy;
        g.translate(-vx, -vy);
        g.setClip(vx, vy, width, height);
        LayerManager layers = s.layers;
        for (int i = layers.getSize() - 1; i >= 0; i--) {
            Layer layer = layers.getLayerAt(i);
            if (layer.isVisible()) {
                layer.paint(g);
            }
        }
        g.translate(vx, vy);
        g.setClip(0, 0, width, height);
        if (blink) {
            s.obj[p].setVisible(s.vis_obj[p]);
        }
        for (int t = 0; t < s.texts.length; t++) {
            Font font = s.textFont[t];
            g.setFont(font);
            g.setColor(s.textColor[t]);
            int lineY = s.textY[t] - s.delraspy;
            for (int i = 0; i < s.texts[t].length; i++) {
                String line = s.textValues[t][i] == null ? s.texts[t][i] : shownLine(s, t, i);
                g.drawString(line, s.textX[t] - s.delraspx, lineY, Graphics.TOP | Graphics.LEFT);
                lineY += font.getHeight();
            }
        }
        if (s.livesBar) {
            paintLives(s, g);
        }
        if (s.hud.present) {
            paintIndicators(s, g);
        }
        if (s.problemTicks > 0 && s.problem != null) {
            Font small = Font.getFont(Font.FACE_SYSTEM, Font.STYLE_PLAIN, Font.SIZE_SMALL);
            g.setFont(small);
            g.setColor(0xFF0000);
            drawWrapped(g, small, s.problem, 1, 1, width - 2, Graphics.LEFT);
        }
    }

    /** The part of the bar that stands for the lives left, the rest cut away. */
    private static int livesShown(int length) {
        int most = StageState.maxLife;
        int l = Math.max(0, Math.min(StageState.life, most));
        return most > 0 ? length * l / most : 0;
    }

    private static void paintLives(StageState s, Graphics g) {
        int lw = s.livesW;
        int lh = s.livesH;
        int lx = placedX(s, s.livesX, lw);
        int ly = placedY(s, s.livesY, lh);
        if (s.livesImage != null) {
            int cx = lx;
            int cy = ly;
            int cw = lw;
            int ch = lh;
            if (s.livesVertical) {
                ch = livesShown(lh);
                cy = ly + lh - ch;
            } else {
                cw = livesShown(lw);
            }
            g.setClip(cx, cy, cw, ch);
            g.drawImage(s.livesImage, lx, ly, Graphics.TOP | Graphics.LEFT);
            g.setClip(0, 0, s.width, s.height);
            return;
        }
        g.setColor(0x400000);
        g.fillRect(lx, ly, lw, lh);
        g.setColor(0xE02020);
        if (s.livesVertical) {
            int h = livesShown(lh);
            g.fillRect(lx, ly + lh - h, lw, h);
        } else {
            g.fillRect(lx, ly, livesShown(lw), lh);
        }
    }

    private static void paintIndicators(StageState s, Graphics g) {
        Indicators hud = s.hud;
        // A bar's frame is one pixel wider and taller than the bar.
        bar(g, placedX(s, hud.lifeX, hud.lifeW + 1), placedY(s, hud.lifeY, hud.lifeH + 1), hud.lifeW, hud.lifeH,
                livesShown(hud.lifeW), hud.lifeBgr, hud.lifeFg, hud.lifeFrame);
        // The game has no ammunition: its bar stands full.
        bar(g, placedX(s, hud.ammoX, hud.ammoW + 1), placedY(s, hud.ammoY, hud.ammoH + 1), hud.ammoW, hud.ammoH,
                hud.ammoW, hud.ammoBgr, hud.ammoFg, hud.ammoFrame);
        Font f = Font.getFont(hud.fontFace, hud.fontStyle, hud.fontSize);
        int seconds = s.obtime / 1000;
        StringBuffer clock = new StringBuffer().append(seconds / 60).append(':');
        if (seconds % 60 < 10) {
            clock.append('0');
        }
        String text = clock.append(seconds % 60).toString();
        int tw = f.stringWidth(text);
        int tx = placedX(s, hud.timerX, tw);
        int ty = placedY(s, hud.timerY, f.getHeight());
        g.setFont(f);
        g.setColor(hud.timerBgr);
        g.fillRect(tx, ty, tw, f.getHeight());
        g.setColor(hud.fontColor);
        g.drawString(text, tx, ty, Graphics.TOP | Graphics.LEFT);
        int wx = placedX(s, hud.weaponX, hud.weaponW + 1);
        int wy = placedY(s, hud.weaponY, hud.weaponH + 1);
        Image weapon = s.weapon;
        if (weapon != null && hud.weaponW > 0 && hud.weaponH > 0) {
            g.setColor(hud.weaponBgr);
            g.fillRect(wx, wy, hud.weaponW, hud.weaponH);
            g.drawRegion(weapon, 0, 0, Math.min(hud.weaponW, weapon.getWidth()),
                    Math.min(hud.weaponH, weapon.getHeight()), Sprite.TRANS_NONE, wx, wy,
                    Graphics.TOP | Graphics.LEFT);
        } else {
            g.setColor(0x00FF00);
            g.drawRect(wx, wy, hud.weaponW, hud.weaponH);
        }
    }

    private static void bar(Graphics g, int bx, int by, int w, int h, int filled, int bgr, int fg, int frame) {
        g.setColor(bgr);
        g.fillRect(bx, by, w, h);
        g.setColor(fg);
        g.fillRect(bx, by, filled, h);
        g.setColor(frame);
        g.drawRect(bx, by, w, h);
    }

    /**
     * The screen after the game (MyGameCanvas.WON or LOST), or of a stage that did not load (BROKEN);
     * its prompt only once a key is taken (ready), and with the score of the game and the best of all
     * when the game keeps one (scored).
     */
    static void paintEnd(Graphics g, int w, int h, int screen, String brokenText, boolean ready, boolean scored,
            int points, int best) {
        g.setColor(0x000000);
        g.fillRect(0, 0, w, h);
        Font big = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_LARGE);
        Font small = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_PLAIN, Font.SIZE_SMALL);
        if (screen == MyGameCanvas.BROKEN) {
            g.setColor(0xFF4040);
            g.setFont(small);
            drawWrapped(g, small, brokenText, 4, 4, w - 8, Graphics.LEFT);
            return;
        }
        boolean won = screen == MyGameCanvas.WON;
        // "You won" or "Game over", then "press any key", in Russian.
        String title = won ? "\u041f\u043e\u0431\u0435\u0434\u0430!"
                : "\u0418\u0433\u0440\u0430 \u043e\u043a\u043e\u043d\u0447\u0435\u043d\u0430";
        // A narrow screen gets a smaller title rather than a cut one.
        if (big.stringWidth(title) > w - 8) {
            big = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_MEDIUM);
        }
        if (big.stringWidth(title) > w - 8) {
            big = Font.getFont(Font.FACE_PROPORTIONAL, Font.STYLE_BOLD, Font.SIZE_SMALL);
        }
        g.setFont(big);
        g.setColor(won ? 0xFFE040 : 0xFF4040);
        int titleY = h / 2 - big.getHeight();
        if (scored) {
            titleY = Math.max(2, titleY - 2 * small.getHeight());
        }
        g.drawString(title, w / 2, titleY, Graphics.TOP | Graphics.HCENTER);
        if (scored) {
            // "Points: N" and "Record: M", in Russian.
            g.setFont(small);
            g.setColor(0xFFFFFF);
            int y = titleY + big.getHeight() + 2;
            g.drawString(new StringBuffer("\u041e\u0447\u043a\u0438: ").append(points).toString(), w / 2, y,
                    Graphics.TOP | Graphics.HCENTER);
            g.drawString(new StringBuffer("\u0420\u0435\u043a\u043e\u0440\u0434: ").append(best).toString(), w / 2,
                    y + small.getHeight(), Graphics.TOP | Graphics.HCENTER);
        }
        if (!ready) {
            return;
        }
        g.setFont(small);
        g.setColor(0xFFFFFF);
        drawWrapped(g, small, "\u041d\u0430\u0436\u043c\u0438\u0442\u0435 \u043b\u044e\u0431\u0443\u044e "
                + "\u043a\u043b\u0430\u0432\u0438\u0448\u0443", w / 2, h / 2 + 4, w - 8, Graphics.HCENTER);
    }

    /** A line with values as it shows now: made again only when one of them changed, so a frame allocates nothing. */
    static String shownLine(StageState s, int t, int i) {
        String text = s.texts[t][i];
        int[] seen = s.textValues[t][i];
        boolean same = s.textShown[t][i] != null;
        int k = 0;
        for (int at = text.indexOf(StageState.VALUE_MARK); at >= 0 && at + 1 < text.length();
                at = text.indexOf(StageState.VALUE_MARK, at + 2)) {
            int v = valueOf(s, text.charAt(at + 1));
            if (seen[k] != v) {
                seen[k] = v;
                same = false;
            }
            k++;
        }
        if (same) {
            return s.textShown[t][i];
        }
        StringBuffer b = new StringBuffer();
        k = 0;
        for (int c = 0; c < text.length(); c++) {
            if (text.charAt(c) == StageState.VALUE_MARK && c + 1 < text.length()) {
                b.append(seen[k++]);
                c++;
            } else {
                b.append(text.charAt(c));
            }
        }
        s.textShown[t][i] = b.toString();
        return s.textShown[t][i];
    }

    private static int valueOf(StageState s, char which) {
        switch (which) {
        case StageState.VALUE_LIVES:
            return StageState.life;
        case StageState.VALUE_TIMER:
            return s.obtime / 1000;
        case StageState.VALUE_STAGE:
            return s.level;
        default:
            return GameValues.value(which - StageState.VALUE_VARIABLE);
        }
    }

    /** Text broken into lines at spaces to fit a width; align is Graphics.LEFT or HCENTER. */
    static void drawWrapped(Graphics g, Font f, String text, int tx, int ty, int w, int align) {
        int start = 0;
        while (start < text.length()) {
            int end = start;
            int lastSpace = -1;
            while (end < text.length() && f.substringWidth(text, start, end - start + 1) <= w) {
                if (text.charAt(end) == ' ') {
                    lastSpace = end;
                }
                end++;
            }
            if (end < text.length() && lastSpace > start) {
                end = lastSpace + 1;
            } else if (end == start) {
                end = start + 1;
            }
            g.drawString(text.substring(start, end).trim(), tx, ty, Graphics.TOP | align);
            ty += f.getHeight();
            start = end;
        }
    }
}
