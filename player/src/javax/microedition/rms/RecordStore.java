package javax.microedition.rms;

import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.DataInputStream;
import java.io.DataOutputStream;
import java.io.IOException;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

import kestrava.player.phone.Phone;
import kestrava.player.phone.Records;

/**
 * A game's record store. The records live in memory while the store is open
 * and every change writes the whole store back (Records keeps it), so what a
 * game wrote survives a kill between ticks as a phone's flash does.
 */
public class RecordStore {
    public static final int AUTHMODE_PRIVATE = 0;
    public static final int AUTHMODE_ANY = 1;

    private static final int MAGIC = 0x4b525331; // "KRS1"

    private final Records records;
    private final String name;
    private final Map<Integer, byte[]> entries = new LinkedHashMap<>();
    private final List<RecordListener> listeners = new ArrayList<>();
    private final List<Enumeration> kept = new ArrayList<>();
    private int nextId = 1;
    private int version;
    private long lastModified;
    private int authMode = AUTHMODE_PRIVATE;
    private boolean writable;
    private int opened;

    private RecordStore(Records records, String name) {
        this.records = records;
        this.name = name;
    }

    public static RecordStore openRecordStore(String recordStoreName, boolean createIfNecessary)
            throws RecordStoreException, RecordStoreFullException, RecordStoreNotFoundException {
        return openRecordStore(recordStoreName, createIfNecessary, AUTHMODE_PRIVATE, false);
    }

    public static RecordStore openRecordStore(String recordStoreName, boolean createIfNecessary, int authmode,
            boolean writable) throws RecordStoreException, RecordStoreFullException, RecordStoreNotFoundException {
        checkName(recordStoreName);
        if (authmode != AUTHMODE_PRIVATE && authmode != AUTHMODE_ANY) {
            throw new IllegalArgumentException("authmode " + authmode);
        }
        Records records = Phone.get().records();
        synchronized (records) {
            RecordStore store = (RecordStore) records.openStore(recordStoreName);
            if (store == null) {
                store = new RecordStore(records, recordStoreName);
                byte[] bytes;
                try {
                    bytes = records.read(recordStoreName);
                } catch (IOException e) {
                    throw new RecordStoreException("cannot read record store " + recordStoreName);
                }
                if (bytes == null) {
                    if (!createIfNecessary) {
                        throw new RecordStoreNotFoundException(recordStoreName);
                    }
                    store.authMode = authmode;
                    store.writable = writable;
                    store.lastModified = System.currentTimeMillis();
                    store.save();
                } else {
                    store.load(bytes);
                }
                records.setOpen(recordStoreName, store);
            }
            store.opened++;
            return store;
        }
    }

    /** Only a store of this very suite is found: games do not share what they keep. */
    public static RecordStore openRecordStore(String recordStoreName, String vendorName, String suiteName)
            throws RecordStoreException, RecordStoreNotFoundException {
        if (vendorName == null || suiteName == null) {
            throw new IllegalArgumentException("vendor and suite");
        }
        Phone phone = Phone.get();
        if (!vendorName.equals(phone.appProperty("MIDlet-Vendor")) || !suiteName.equals(phone.appProperty("MIDlet-Name"))) {
            checkName(recordStoreName);
            throw new RecordStoreNotFoundException(recordStoreName);
        }
        return openRecordStore(recordStoreName, false);
    }

    public static void deleteRecordStore(String recordStoreName)
            throws RecordStoreException, RecordStoreNotFoundException {
        checkName(recordStoreName);
        Records records = Phone.get().records();
        synchronized (records) {
            if (records.openStore(recordStoreName) != null) {
                throw new RecordStoreException("record store " + recordStoreName + " is open");
            }
            try {
                if (!records.delete(recordStoreName)) {
                    throw new RecordStoreNotFoundException(recordStoreName);
                }
            } catch (IOException e) {
                throw new RecordStoreException("cannot delete record store " + recordStoreName);
            }
        }
    }

    public static String[] listRecordStores() {
        try {
            return Phone.get().records().list();
        } catch (IOException e) {
            return null;
        }
    }

    private static void checkName(String name) {
        if (name == null || name.length() < 1 || name.length() > 32) {
            throw new IllegalArgumentException("record store name " + name);
        }
    }

    private void load(byte[] bytes) throws RecordStoreException {
        try {
            DataInputStream in = new DataInputStream(new ByteArrayInputStream(bytes));
            if (in.readInt() != MAGIC) {
                throw new IOException();
            }
            version = in.readInt();
            lastModified = in.readLong();
            nextId = in.readInt();
            authMode = in.readInt();
            writable = in.readBoolean();
            int count = in.readInt();
            if (count < 0 || nextId < 1) {
                throw new IOException();
            }
            for (int i = 0; i < count; i++) {
                int id = in.readInt();
                int length = in.readInt();
                if (id < 1 || id >= nextId || length < 0 || length > in.available() || entries.containsKey(id)) {
                    throw new IOException();
                }
                byte[] data = new byte[length];
                in.readFully(data);
                entries.put(id, data);
            }
            if (in.available() != 0) {
                throw new IOException();
            }
        } catch (IOException e) {
            throw new RecordStoreException("record store " + name + " is damaged");
        }
    }

    private byte[] bytes() {
        try {
            ByteArrayOutputStream b = new ByteArrayOutputStream();
            DataOutputStream out = new DataOutputStream(b);
            out.writeInt(MAGIC);
            out.writeInt(version);
            out.writeLong(lastModified);
            out.writeInt(nextId);
            out.writeInt(authMode);
            out.writeBoolean(writable);
            out.writeInt(entries.size());
            for (Map.Entry<Integer, byte[]> e : entries.entrySet()) {
                out.writeInt(e.getKey());
                out.writeInt(e.getValue().length);
                out.write(e.getValue());
            }
            return b.toByteArray();
        } catch (IOException e) {
            throw new IllegalStateException(e);
        }
    }

    private void save() throws RecordStoreException {
        try {
            records.write(name, bytes());
        } catch (IOException e) {
            throw new RecordStoreException("cannot write record store " + name);
        }
    }

    /** A change: kept only when it fits, else everything as it was. */
    private void changed(int growth) throws RecordStoreException {
        try {
            if (growth > 0 && records.usedBesides(name) + bytes().length > Records.CAPACITY) {
                throw new RecordStoreFullException(name);
            }
        } catch (IOException e) {
            throw new RecordStoreException("cannot read record stores");
        }
        version++;
        lastModified = System.currentTimeMillis();
        save();
        for (Enumeration e : kept) {
            e.rebuild();
        }
    }

    private void checkOpen() throws RecordStoreNotOpenException {
        if (opened <= 0) {
            throw new RecordStoreNotOpenException(name);
        }
    }

    private byte[] entry(int recordId) throws InvalidRecordIDException {
        byte[] data = entries.get(recordId);
        if (data == null) {
            throw new InvalidRecordIDException(Integer.toString(recordId));
        }
        return data;
    }

    public void closeRecordStore() throws RecordStoreNotOpenException, RecordStoreException {
        synchronized (records) {
            checkOpen();
            if (--opened == 0) {
                records.setOpen(name, null);
                listeners.clear();
                kept.clear();
            }
        }
    }

    public String getName() throws RecordStoreNotOpenException {
        checkOpen();
        return name;
    }

    public int getVersion() throws RecordStoreNotOpenException {
        synchronized (records) {
            checkOpen();
            return version;
        }
    }

    public int getNumRecords() throws RecordStoreNotOpenException {
        synchronized (records) {
            checkOpen();
            return entries.size();
        }
    }

    public int getSize() throws RecordStoreNotOpenException {
        synchronized (records) {
            checkOpen();
            return bytes().length;
        }
    }

    public int getSizeAvailable() throws RecordStoreNotOpenException {
        synchronized (records) {
            checkOpen();
            try {
                return Math.max(0, Records.CAPACITY - records.usedBesides(name) - bytes().length);
            } catch (IOException e) {
                return 0;
            }
        }
    }

    public long getLastModified() throws RecordStoreNotOpenException {
        synchronized (records) {
            checkOpen();
            return lastModified;
        }
    }

    public void addRecordListener(RecordListener listener) {
        synchronized (records) {
            if (opened > 0 && listener != null && !listeners.contains(listener)) {
                listeners.add(listener);
            }
        }
    }

    public void removeRecordListener(RecordListener listener) {
        synchronized (records) {
            listeners.remove(listener);
        }
    }

    public int getNextRecordID() throws RecordStoreNotOpenException, RecordStoreException {
        synchronized (records) {
            checkOpen();
            return nextId;
        }
    }

    public int addRecord(byte[] data, int offset, int numBytes)
            throws RecordStoreNotOpenException, RecordStoreException, RecordStoreFullException {
        int id;
        RecordListener[] tell;
        synchronized (records) {
            checkOpen();
            byte[] copy = slice(data, offset, numBytes);
            id = nextId;
            entries.put(id, copy);
            nextId++;
            try {
                changed(copy.length + 8);
            } catch (RecordStoreException e) {
                entries.remove(id);
                nextId--;
                throw e;
            }
            tell = listeners.toArray(new RecordListener[0]);
        }
        for (RecordListener l : tell) {
            l.recordAdded(this, id);
        }
        return id;
    }

    public void deleteRecord(int recordId)
            throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException {
        RecordListener[] tell;
        synchronized (records) {
            checkOpen();
            entry(recordId);
            entries.remove(recordId);
            changed(0);
            tell = listeners.toArray(new RecordListener[0]);
        }
        for (RecordListener l : tell) {
            l.recordDeleted(this, recordId);
        }
    }

    public int getRecordSize(int recordId)
            throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException {
        synchronized (records) {
            checkOpen();
            return entry(recordId).length;
        }
    }

    public int getRecord(int recordId, byte[] buffer, int offset)
            throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException {
        synchronized (records) {
            checkOpen();
            byte[] data = entry(recordId);
            System.arraycopy(data, 0, buffer, offset, data.length);
            return data.length;
        }
    }

    public byte[] getRecord(int recordId)
            throws RecordStoreNotOpenException, InvalidRecordIDException, RecordStoreException {
        synchronized (records) {
            checkOpen();
            byte[] data = entry(recordId);
            return data.length == 0 ? null : data.clone();
        }
    }

    public void setMode(int authmode, boolean writable) throws RecordStoreException {
        synchronized (records) {
            checkOpen();
            if (authmode != AUTHMODE_PRIVATE && authmode != AUTHMODE_ANY) {
                throw new IllegalArgumentException("authmode " + authmode);
            }
            this.authMode = authmode;
            this.writable = writable;
            save();
        }
    }

    public void setRecord(int recordId, byte[] newData, int offset, int numBytes) throws RecordStoreNotOpenException,
            InvalidRecordIDException, RecordStoreException, RecordStoreFullException {
        RecordListener[] tell;
        synchronized (records) {
            checkOpen();
            byte[] old = entry(recordId);
            byte[] copy = slice(newData, offset, numBytes);
            entries.put(recordId, copy);
            try {
                changed(copy.length - old.length);
            } catch (RecordStoreException e) {
                entries.put(recordId, old);
                throw e;
            }
            tell = listeners.toArray(new RecordListener[0]);
        }
        for (RecordListener l : tell) {
            l.recordChanged(this, recordId);
        }
    }

    public RecordEnumeration enumerateRecords(RecordFilter filter, RecordComparator comparator, boolean keepUpdated)
            throws RecordStoreNotOpenException {
        synchronized (records) {
            checkOpen();
            Enumeration e = new Enumeration(filter, comparator);
            e.keepUpdated(keepUpdated);
            e.rebuild();
            return e;
        }
    }

    private static byte[] slice(byte[] data, int offset, int numBytes) {
        if (numBytes < 0 || data == null && numBytes > 0) {
            throw new NullPointerException();
        }
        if (data == null) {
            return new byte[0];
        }
        if (offset < 0 || offset + numBytes > data.length) {
            throw new ArrayIndexOutOfBoundsException(offset);
        }
        byte[] copy = new byte[numBytes];
        System.arraycopy(data, offset, copy, 0, numBytes);
        return copy;
    }

    /** The ids of a moment, in the comparator's order; the records read when asked. */
    private final class Enumeration implements RecordEnumeration {
        private final RecordFilter filter;
        private final RecordComparator comparator;
        private int[] ids = new int[0];
        private int next;
        private boolean keptUpdated;
        private boolean destroyed;

        Enumeration(RecordFilter filter, RecordComparator comparator) {
            this.filter = filter;
            this.comparator = comparator;
        }

        private void live() {
            if (destroyed) {
                throw new IllegalStateException("destroyed");
            }
        }

        @Override
        public int numRecords() {
            live();
            return ids.length;
        }

        @Override
        public byte[] nextRecord() throws InvalidRecordIDException, RecordStoreNotOpenException, RecordStoreException {
            return getRecord(nextRecordId());
        }

        @Override
        public int nextRecordId() throws InvalidRecordIDException {
            live();
            if (next >= ids.length) {
                throw new InvalidRecordIDException();
            }
            return ids[next++];
        }

        @Override
        public byte[] previousRecord()
                throws InvalidRecordIDException, RecordStoreNotOpenException, RecordStoreException {
            return getRecord(previousRecordId());
        }

        @Override
        public int previousRecordId() throws InvalidRecordIDException {
            live();
            if (next <= 0) {
                throw new InvalidRecordIDException();
            }
            return ids[--next];
        }

        @Override
        public boolean hasNextElement() {
            live();
            return next < ids.length;
        }

        @Override
        public boolean hasPreviousElement() {
            live();
            return next > 0;
        }

        @Override
        public void reset() {
            live();
            next = 0;
        }

        @Override
        public void rebuild() {
            live();
            synchronized (records) {
                List<Integer> chosen = new ArrayList<>();
                for (Map.Entry<Integer, byte[]> e : entries.entrySet()) {
                    if (filter == null || filter.matches(e.getValue().clone())) {
                        chosen.add(e.getKey());
                    }
                }
                if (comparator != null) {
                    chosen.sort((a, b) -> comparator.compare(entries.get(a).clone(), entries.get(b).clone()));
                }
                ids = new int[chosen.size()];
                for (int i = 0; i < ids.length; i++) {
                    ids[i] = chosen.get(i);
                }
                next = 0;
            }
        }

        @Override
        public void keepUpdated(boolean keepUpdated) {
            live();
            synchronized (records) {
                keptUpdated = keepUpdated;
                kept.remove(this);
                if (keepUpdated) {
                    kept.add(this);
                    rebuild();
                }
            }
        }

        @Override
        public boolean isKeptUpdated() {
            live();
            return keptUpdated;
        }

        @Override
        public void destroy() {
            live();
            synchronized (records) {
                kept.remove(this);
            }
            destroyed = true;
        }
    }
}
