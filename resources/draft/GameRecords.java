// SPDX-License-Identifier: MIT-0
// Copied into every game made with Kestrava; the game owes nothing to its developers.
import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import javax.microedition.rms.RecordStore;
import javax.microedition.rms.RecordStoreNotFoundException;

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
        byte[] bytes = read(STORE, 9);
        if (bytes == null) {
            // Missing or started afresh: kept at once, so the phone holds the game's store from its first start.
            save();
            return;
        }
        try {
            DataInputStream in = new DataInputStream(new ByteArrayInputStream(bytes));
            if (in.readByte() == FORMAT) {
                int b = in.readInt();
                int r = in.readInt();
                if (b >= 0 && r >= -1) {
                    best = b;
                    reached = r;
                }
            }
        } catch (Exception e) {
            // Of another shape: nothing to go on from, and the next save writes it anew.
        }
    }

    /**
     * The one record of a store of this game when it holds exactly length bytes, else null. A store
     * that is damaged or of another shape is deleted, so the next write starts it afresh.
     */
    static byte[] read(String name, int length) {
        RecordStore store = null;
        try {
            store = RecordStore.openRecordStore(name, false);
            byte[] bytes = store.getNumRecords() == 1 ? store.getRecord(firstId(store)) : null;
            if (bytes != null && bytes.length == length) {
                return bytes;
            }
        } catch (RecordStoreNotFoundException e) {
            return null;
        } catch (Exception e) {
            // Damaged: deleted below.
        } finally {
            close(store);
        }
        try {
            RecordStore.deleteRecordStore(name);
        } catch (Exception gone) {
            // Nothing there to delete.
        }
        return null;
    }

    /** Keeps data as the one record of a store; a full or failing store costs the record, never the game. */
    static void write(String name, byte[] data) {
        RecordStore store = null;
        try {
            store = RecordStore.openRecordStore(name, true);
            if (store.getNumRecords() == 0) {
                store.addRecord(data, 0, data.length);
            } else {
                store.setRecord(firstId(store), data, 0, data.length);
            }
        } catch (Exception e) {
            // Forgotten, as on a full phone.
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
        ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        DataOutputStream out = new DataOutputStream(bytes);
        try {
            out.writeByte(FORMAT);
            out.writeInt(best);
            out.writeInt(reached);
        } catch (Exception e) {
            return;
        }
        write(STORE, bytes.toByteArray());
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
