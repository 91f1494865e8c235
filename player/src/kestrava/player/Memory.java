package kestrava.player;

import java.lang.management.ManagementFactory;

import com.sun.management.HotSpotDiagnosticMXBean;

/**
 * The heap a game may take is the Java machine's (its -Xmx, set by whoever
 * starts the player), and a little of it is kept back: a game that takes the
 * rest fails with OutOfMemoryError, and the player gives the reserve back so
 * that its own threads can still end that game and say why.
 */
public final class Memory {
    private static final int RESERVE_BYTES = 4 << 20;

    /** "Игра остановлена: ей не хватило памяти (больше 64 МБ; ...)": made now, for there is no room to make it then. */
    public static final String EXHAUSTED = "Игра остановлена: ей не хватило памяти (больше " + limitMegabytes()
            + " МБ; телефон даёт игре 1–4 МБ).";

    private static volatile byte[] reserve;

    private Memory() {
    }

    /** Keeps the reserve back again, once the game that took it is gone. */
    public static void keepReserve() {
        if (reserve == null) {
            reserve = new byte[RESERVE_BYTES];
        }
    }

    /** A game ran out: its memory is freed only once its threads end, and ending them takes some. */
    static void giveReserve() {
        reserve = null;
    }

    private static long limitMegabytes() {
        try {
            HotSpotDiagnosticMXBean vm = ManagementFactory.getPlatformMXBean(HotSpotDiagnosticMXBean.class);
            return Long.parseLong(vm.getVMOption("MaxHeapSize").getValue()) >> 20;
        } catch (RuntimeException | LinkageError e) {
            // Another Java machine: the heap it reports, a little under its limit.
            return Runtime.getRuntime().maxMemory() >> 20;
        }
    }
}
