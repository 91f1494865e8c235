// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import javax.microedition.rms.RecordStore;

/**
 * What the phone keeps of the game between plays: the best score and the
 * stage reached last, for the title screen's "continue". A store that is
 * missing, damaged or of another shape is started afresh: a game must never
 * fail for what an earlier version or a full phone left behind.
 */
final class GameRecords {
    private static final String STORE = "kestrava";
    private static final int FORMAT = 1;

    static int best;
    /** The stage (0-based) the last game reached, -1 for none to go on from. */
    static int reached = -1;
    private static boolean loaded;

    private GameRecords() {
    }

    static void load() {
        if (loaded) {
            return;
        }
        loaded = true;
        best = 0;
        reached = -1;
        RecordStore store = null;
        try {
            store = RecordStore.openRecordStore(STORE, true);
            if (store.getNumRecords() == 0) {
                return;
            }
            byte[] bytes = store.getRecord(firstId(store));
            DataInputStream in = new DataInputStream(new ByteArrayInputStream(bytes));
            if (bytes.length != 9 || in.readByte() != FORMAT) {
                throw new IllegalStateException();
            }
            int b = in.readInt();
            int r = in.readInt();
            if (b < 0 || r < -1) {
                throw new IllegalStateException();
            }
            best = b;
            reached = r;
        } catch (Exception e) {
            best = 0;
            reached = -1;
            close(store);
            store = null;
            // Damaged: start it afresh so the next save has a clean store.
            try {
                RecordStore.deleteRecordStore(STORE);
            } catch (Exception gone) {
                // Nothing there to delete.
            }
        } finally {
            close(store);
        }
    }

    private static int firstId(RecordStore store) throws Exception {
        return store.enumerateRecords(null, null, false).nextRecordId();
    }

    /** The score of a game just played: kept when it is the best. */
    static void score(int points) {
        load();
        if (points > best) {
            best = points;
            save();
        }
    }

    static void reach(int stage) {
        load();
        if (stage != reached) {
            reached = stage;
            save();
        }
    }

    private static void save() {
        RecordStore store = null;
        try {
            ByteArrayOutputStream bytes = new ByteArrayOutputStream();
            DataOutputStream out = new DataOutputStream(bytes);
            out.writeByte(FORMAT);
            out.writeInt(best);
            out.writeInt(reached);
            byte[] data = bytes.toByteArray();
            store = RecordStore.openRecordStore(STORE, true);
            if (store.getNumRecords() == 0) {
                store.addRecord(data, 0, data.length);
            } else {
                store.setRecord(firstId(store), data, 0, data.length);
            }
        } catch (Exception e) {
            // A full or failing store costs the record, never the game.
        } finally {
            close(store);
        }
    }

    private static void close(RecordStore store) {
        if (store != null) {
            try {
                store.closeRecordStore();
            } catch (Exception e) {
                // Closed already.
            }
        }
    }
}
