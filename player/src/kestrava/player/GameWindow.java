package kestrava.player;

import java.awt.BorderLayout;
import java.awt.Dimension;
import java.awt.FlowLayout;
import java.awt.Graphics;
import java.awt.event.FocusAdapter;
import java.awt.event.FocusEvent;
import java.awt.event.KeyAdapter;
import java.awt.event.KeyEvent;
import java.awt.event.MouseAdapter;
import java.awt.event.MouseEvent;
import java.awt.event.WindowAdapter;
import java.awt.event.WindowEvent;
import java.util.ArrayList;
import java.util.HashSet;
import java.util.List;
import java.util.Set;

import javax.accessibility.AccessibleContext;
import javax.accessibility.AccessibleRole;
import javax.microedition.lcdui.Canvas;
import javax.microedition.lcdui.Command;
import javax.microedition.lcdui.Displayable;
import javax.swing.JButton;
import javax.swing.JCheckBox;
import javax.swing.JComponent;
import javax.swing.JFrame;
import javax.swing.JLabel;
import javax.swing.JOptionPane;
import javax.swing.JPanel;
import javax.swing.SwingConstants;
import javax.swing.SwingUtilities;
import javax.swing.WindowConstants;

/**
 * The author's window: the phone screen enlarged, the keyboard as its keypad,
 * the screen's commands as buttons below.
 */
public final class GameWindow {
    private volatile Device device;
    private int scale;
    private final Runnable onClose;
    private Runnable onFirstPaint = () -> { };
    private boolean painted;
    private final JFrame frame;
    private final Screen screen;
    private final JPanel commands = new JPanel(new FlowLayout(FlowLayout.CENTER, 4, 2));
    private final Set<Integer> down = new HashSet<>();
    /** "Сенсорный экран": the game sees a touch screen, and the mouse touches it. */
    private final JCheckBox touch = new JCheckBox("\u0421\u0435\u043d\u0441\u043e\u0440\u043d\u044b\u0439 "
            + "\u044d\u043a\u0440\u0430\u043d");

    /** onClose: what closing the window does (it ends the game). */
    public GameWindow(Device device, String title, int scale, Runnable onClose) {
        this.device = device;
        this.scale = scale;
        this.onClose = onClose;
        screen = new Screen();
        frame = new JFrame(title);
        frame.getAccessibleContext().setAccessibleName(title);
        frame.setDefaultCloseOperation(WindowConstants.DO_NOTHING_ON_CLOSE);
        frame.addWindowListener(new WindowAdapter() {
            @Override
            public void windowClosing(WindowEvent e) {
                close();
            }

            // Minimised, the game pauses as on a phone that takes the screen for a call.
            @Override
            public void windowIconified(WindowEvent e) {
                device.hideScreen();
            }

            @Override
            public void windowDeiconified(WindowEvent e) {
                try {
                    device.showScreen();
                } catch (InterruptedException x) {
                    Thread.currentThread().interrupt();
                }
            }
        });
        commands.getAccessibleContext().setAccessibleName("\u041a\u043e\u043c\u0430\u043d\u0434\u044b \u0438\u0433\u0440\u044b");
        JLabel hint = new JLabel("<html><center>\u0421\u0442\u0440\u0435\u043b\u043a\u0438 \u2014 "
                + "\u0434\u0432\u0438\u0436\u0435\u043d\u0438\u0435, Enter \u2014 \u043e\u0433\u043e\u043d\u044c<br>"
                + "0\u20139 * # \u2014 \u043a\u043b\u0430\u0432\u0438\u0448\u0438, F1, F2 \u2014 "
                + "\u0441\u043e\u0444\u0442-\u043a\u043b\u0430\u0432\u0438\u0448\u0438</center></html>",
                SwingConstants.CENTER);
        hint.getAccessibleContext().setAccessibleName("\u041f\u043e\u0434\u0441\u043a\u0430\u0437\u043a\u0430");
        touch.setSelected(device.touchScreen());
        touch.setFocusable(false);
        touch.getAccessibleContext().setAccessibleName(touch.getText());
        touch.addActionListener(e -> this.device.setTouchScreen(touch.isSelected()));
        JPanel south = new JPanel(new BorderLayout());
        south.add(commands, BorderLayout.CENTER);
        south.add(hint, BorderLayout.SOUTH);
        south.add(touch, BorderLayout.EAST);
        // The screen keeps its size in the middle, however wide the rows below it are.
        JPanel middle = new JPanel(new FlowLayout(FlowLayout.CENTER, 0, 0));
        middle.add(screen);
        frame.getContentPane().add(middle, BorderLayout.CENTER);
        frame.getContentPane().add(south, BorderLayout.SOUTH);
        frame.pack();
        frame.setResizable(false);
        frame.setLocationRelativeTo(null);
        attach(device, title, scale);
    }

    /** Shows another game in this window, where the author left it (on the event dispatch thread). */
    public void attach(Device next, String title, int newScale) {
        device = next;
        // A game made with on-screen buttons ticks the box; otherwise the author's choice stays.
        if (next.touchScreen()) {
            touch.setSelected(true);
        }
        next.setTouchScreen(touch.isSelected());
        scale = newScale;
        painted = false;
        down.clear();
        frame.setTitle(title);
        frame.getAccessibleContext().setAccessibleName(title);
        screen.setPreferredSize(new Dimension(next.width() * newScale, next.height() * newScale));
        commands.removeAll();
        next.onFrame(screen::repaint);
        next.onShown(() -> {
            // Read on the game's event thread, where onShown runs: a label of a Command the game
            // extends is the game's code, which must not run on this window's thread.
            Displayable d = next.shown();
            List<Command> list = d == null ? new ArrayList<>() : Commands.of(d);
            List<String> labels = new ArrayList<>();
            for (Command c : list) {
                labels.add(c.getLabel());
            }
            SwingUtilities.invokeLater(() -> showCommands(d, list, labels));
        });
        frame.pack();
        screen.repaint();
    }

    /** Told once a game's first frame is on the screen. */
    public void onFirstPaint(Runnable r) {
        onFirstPaint = r;
    }

    public void setIcon(java.awt.Image icon) {
        frame.setIconImage(icon);
    }

    public void show() {
        frame.setVisible(true);
        frame.toFront();
        screen.requestFocusInWindow();
    }

    public void hide() {
        frame.setVisible(false);
    }

    void close() {
        onClose.run();
    }

    void dispose() {
        frame.dispose();
    }

    /** The game stopped with an error (Device.failureText): the author reads it, the window stays to look at. */
    public void failed(String text) {
        String shown = text.equals(Memory.EXHAUSTED) ? text
                : "\u0418\u0433\u0440\u0430 \u043e\u0441\u0442\u0430\u043d\u043e\u0432\u0438\u043b\u0430\u0441\u044c "
                + "\u0441 \u043e\u0448\u0438\u0431\u043a\u043e\u0439:\n" + text;
        JOptionPane.showMessageDialog(frame, shown, frame.getTitle(), JOptionPane.ERROR_MESSAGE);
    }

    private void showCommands(Displayable d, List<Command> list, List<String> labels) {
        commands.removeAll();
        for (int i = 0; i < list.size(); i++) {
            Command c = list.get(i);
            JButton b = new JButton(labels.get(i));
            b.setFocusable(false);
            b.getAccessibleContext().setAccessibleName(labels.get(i));
            b.addActionListener(e -> Commands.fire(d, c));
            commands.add(b);
        }
        frame.pack();
    }

    /** The keypad key of a keyboard key; 0 for none. */
    static int keyOf(KeyEvent e) {
        switch (e.getKeyCode()) {
        case KeyEvent.VK_UP:
            return Device.KEY_UP;
        case KeyEvent.VK_DOWN:
            return Device.KEY_DOWN;
        case KeyEvent.VK_LEFT:
            return Device.KEY_LEFT;
        case KeyEvent.VK_RIGHT:
            return Device.KEY_RIGHT;
        case KeyEvent.VK_ENTER:
            return Device.KEY_FIRE;
        case KeyEvent.VK_F1:
            return Device.KEY_SOFT1;
        case KeyEvent.VK_F2:
            return Device.KEY_SOFT2;
        case KeyEvent.VK_MULTIPLY:
            return Canvas.KEY_STAR;
        default:
            break;
        }
        if (e.getKeyCode() >= KeyEvent.VK_NUMPAD0 && e.getKeyCode() <= KeyEvent.VK_NUMPAD9) {
            return Canvas.KEY_NUM0 + e.getKeyCode() - KeyEvent.VK_NUMPAD0;
        }
        char c = e.getKeyChar();
        if (c == '*') {
            return Canvas.KEY_STAR;
        }
        if (c == '#') {
            return Canvas.KEY_POUND;
        }
        if (e.getKeyCode() >= KeyEvent.VK_0 && e.getKeyCode() <= KeyEvent.VK_9 && !e.isShiftDown()) {
            return Canvas.KEY_NUM0 + e.getKeyCode() - KeyEvent.VK_0;
        }
        return 0;
    }

    private final class Screen extends JComponent {
        private static final long serialVersionUID = 1L;

        Screen() {
            setFocusable(true);
            getAccessibleContext().setAccessibleName("\u042d\u043a\u0440\u0430\u043d \u0438\u0433\u0440\u044b");
            addKeyListener(new KeyAdapter() {
                @Override
                public void keyPressed(KeyEvent e) {
                    int key = keyOf(e);
                    // A held key repeats on the desktop, not on the phone.
                    if (key != 0 && down.add(e.getKeyCode())) {
                        device.press(key);
                    }
                }

                @Override
                public void keyReleased(KeyEvent e) {
                    int key = keyOf(e);
                    if (key != 0 && down.remove(e.getKeyCode())) {
                        device.release(key);
                    }
                }
            });
            MouseAdapter finger = new MouseAdapter() {
                @Override
                public void mousePressed(MouseEvent e) {
                    if (e.getButton() == MouseEvent.BUTTON1) {
                        requestFocusInWindow();
                        point(Device.POINTER_PRESSED, e);
                    }
                }

                @Override
                public void mouseDragged(MouseEvent e) {
                    if ((e.getModifiersEx() & MouseEvent.BUTTON1_DOWN_MASK) != 0) {
                        point(Device.POINTER_DRAGGED, e);
                    }
                }

                @Override
                public void mouseReleased(MouseEvent e) {
                    if (e.getButton() == MouseEvent.BUTTON1) {
                        point(Device.POINTER_RELEASED, e);
                    }
                }
            };
            addMouseListener(finger);
            addMouseMotionListener(finger);
            addFocusListener(new FocusAdapter() {
                @Override
                public void focusLost(FocusEvent e) {
                    // Keys let go of while another window had them must not stay down.
                    for (int k : new HashSet<>(down)) {
                        KeyEvent up = new KeyEvent(Screen.this, KeyEvent.KEY_RELEASED, 0, 0, k, KeyEvent.CHAR_UNDEFINED);
                        int key = keyOf(up);
                        if (key != 0) {
                            device.release(key);
                        }
                    }
                    down.clear();
                }
            });
        }

        /** The mouse on the enlarged screen, in the phone's pixels (Device ignores it unless in touch mode). */
        private void point(int what, MouseEvent e) {
            Device d = device;
            int x = Math.max(0, Math.min(d.width() - 1, e.getX() / scale));
            int y = Math.max(0, Math.min(d.height() - 1, e.getY() / scale));
            d.pointer(what, x, y);
        }

        @Override
        public AccessibleContext getAccessibleContext() {
            if (accessibleContext == null) {
                accessibleContext = new AccessibleJComponent() {
                    private static final long serialVersionUID = 1L;

                    @Override
                    public AccessibleRole getAccessibleRole() {
                        return AccessibleRole.CANVAS;
                    }
                };
            }
            return accessibleContext;
        }

        @Override
        protected void paintComponent(Graphics g) {
            Device d = device;
            g.drawImage(d.snapshot(), 0, 0, d.width() * scale, d.height() * scale, null);
            if (!painted && d.presented()) {
                painted = true;
                onFirstPaint.run();
            }
        }
    }
}
