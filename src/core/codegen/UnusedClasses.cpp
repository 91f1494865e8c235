#include "codegen/UnusedClasses.h"

#include <cstring>

namespace kestrava::codegen {

const char* const kSilentSounds =
    "import javax.microedition.lcdui.Graphics;\r\n"
    "\r\n"
    "/** This game has no sounds: the canvas's hooks do nothing. */\r\n"
    "final class Sounds {\r\n"
    "    static final boolean present = false;\r\n"
    "    static final int SWITCH_KEY = 0;\r\n"
    "\r\n"
    "    private Sounds() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static boolean on() {\r\n"
    "        return false;\r\n"
    "    }\r\n"
    "\r\n"
    "    static void toggle() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void open(int stage) {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void close() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void pause() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void resume() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void tick() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void ran() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void paintNotice(Graphics g, int w, int h) {\r\n"
    "    }\r\n"
    "}\r\n";

const char* const kSilentTitleScreen =
    "import javax.microedition.lcdui.Graphics;\r\n"
    "\r\n"
    "/** This game has no title screen: the canvas never makes one. */\r\n"
    "final class TitleScreen {\r\n"
    "    static final int NEW_GAME = 0, GO_ON = 1, SOUND = 2, LEAVE = 3;\r\n"
    "    final int[] items = new int[4];\r\n"
    "    int count;\r\n"
    "    int chosen;\r\n"
    "\r\n"
    "    TitleScreen(boolean canGoOn, boolean hasSound) {\r\n"
    "    }\r\n"
    "\r\n"
    "    void up() {\r\n"
    "    }\r\n"
    "\r\n"
    "    void down() {\r\n"
    "    }\r\n"
    "\r\n"
    "    int itemAt(int w, int h, int x, int y) {\r\n"
    "        return -1;\r\n"
    "    }\r\n"
    "\r\n"
    "    void paint(Graphics g, int w, int h) {\r\n"
    "    }\r\n"
    "}\r\n";

const char* const kSilentGameRecords =
    "/** This game keeps nothing on the phone: no score, no title screen, no sound switch. */\r\n"
    "final class GameRecords {\r\n"
    "    static int best;\r\n"
    "    static int reached = -1;\r\n"
    "\r\n"
    "    private GameRecords() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void load() {\r\n"
    "    }\r\n"
    "\r\n"
    "    static byte[] read(String name, int length) {\r\n"
    "        return null;\r\n"
    "    }\r\n"
    "\r\n"
    "    static void write(String name, byte[] data) {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void score(int points) {\r\n"
    "    }\r\n"
    "\r\n"
    "    static void reach(int stage) {\r\n"
    "    }\r\n"
    "}\r\n";

const char* const kSilentTouch =
    "import javax.microedition.lcdui.Graphics;\r\n"
    "\r\n"
    "/** This game asks nothing of a touch screen and shows no buttons on it: a tap does nothing. */\r\n"
    "final class Touch {\r\n"
    "    static final int PRESS = 0, DRAG = 1, RELEASE = 2;\r\n"
    "    int x, y;\r\n"
    "    boolean pressed, released;\r\n"
    "\r\n"
    "    void seen() {\r\n"
    "    }\r\n"
    "\r\n"
    "    void clear() {\r\n"
    "    }\r\n"
    "\r\n"
    "    int pointer(int sx, int sy, int what, boolean shown, int width, int height) {\r\n"
    "        return 0;\r\n"
    "    }\r\n"
    "\r\n"
    "    void apply(int viewX, int viewY) {\r\n"
    "    }\r\n"
    "\r\n"
    "    int states() {\r\n"
    "        return 0;\r\n"
    "    }\r\n"
    "\r\n"
    "    void paint(Graphics g, int width, int height) {\r\n"
    "    }\r\n"
    "}\r\n";

const char* standInOf(const char* fileName)
{
    if (std::strcmp(fileName, "TitleScreen.java") == 0)
        return kSilentTitleScreen;
    if (std::strcmp(fileName, "GameRecords.java") == 0)
        return kSilentGameRecords;
    if (std::strcmp(fileName, "Touch.java") == 0)
        return kSilentTouch;
    return nullptr;
}

} // namespace kestrava::codegen
