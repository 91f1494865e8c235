#include "model/HeldBytes.h"

#include "model/ObjectKind.h"

namespace kestrava::model {
namespace {

// What a value keeps beyond its own size.
std::size_t heap(const QString& s)
{
    return s.isNull() ? 0 : std::size_t(s.capacity()) * sizeof(QChar);
}

template <class... Strings>
std::size_t heap(const Strings&... strings)
{
    return (heap(strings) + ...);
}

std::size_t heap(const CatalogueRecord& record);

template <class T, std::size_t N>
std::size_t heap(const std::array<T, N>& items)
{
    std::size_t n = 0;
    for (const T& item : items)
        n += heap(item);
    return n;
}

std::size_t heap(const FonGroupData& g)
{
    return heap(g.FileName, g.BmpName, g.PngName, g.PictureName) + g.Cells.capacity() * sizeof(int);
}
std::size_t heap(const ActiveGroupData& g)
{
    return heap(g.FileName, g.BmpName, g.PngName, g.Caption, g.PictureName);
}
std::size_t heap(const TextObjectData& t) { return heap(t.Lines); }
std::size_t heap(const LivesBarData& b) { return heap(b.BmpName, b.Direction); }
std::size_t heap(const FonObjectData& o) { return heap(o.Ref, o.FileName); }
std::size_t heap(const ActiveObjectData& o) { return heap(o.Ref, o.FileName); }
std::size_t heap(const CatalogueRecord& record)
{
    std::size_t n = heap(record.item);
    for (auto i = record.values.cbegin(); i != record.values.cend(); ++i)
        n += 2 * sizeof(QString) + heap(i.key(), i.value()) + 3 * sizeof(void*); // the map's node
    return n;
}

std::size_t heap(const EventRowData& r)
{
    std::size_t n = heap(r.CondText, r.CondCode, r.Kind) + heap(r.CondObjects) + heap(r.ActionText) +
                    heap(r.ActionCode) + heap(r.ActionObjects) + heap(r.ActionRecord);
    for (const CatalogueRecord& record : r.CondRecord)
        n += sizeof record + heap(record);
    return n;
}

template <class T, std::size_t N>
std::size_t heap(const Table<T, N>& table)
{
    std::size_t n = table.stored() * sizeof(T);
    for (std::size_t i = 0; i < table.stored(); ++i)
        n += heap(table[i]);
    return n;
}

} // namespace

std::size_t heldBytes(const FonGroupData& group) { return sizeof group + heap(group); }
std::size_t heldBytes(const ActiveGroupData& group) { return sizeof group + heap(group); }
std::size_t heldBytes(const TextObjectData& text) { return sizeof text + heap(text); }
std::size_t heldBytes(const LivesBarData& bar) { return sizeof bar + heap(bar); }
std::size_t heldBytes(const Table<EventRowData, kMaxEventRows>& rows) { return sizeof rows + heap(rows); }

std::size_t heldBytes(const StageData& s)
{
    std::size_t n = sizeof s + heap(s.EventRow);
    for (ObjectKind kind : kObjectKinds) {
        switch (kind) {
        case ObjectKind::Background: n += heap(s.FonGroup) + heap(s.FonObject); break;
        case ObjectKind::Active: n += heap(s.ActiveGroup) + heap(s.ActiveObject); break;
        case ObjectKind::LivesBar: n += heap(s.LivesBar); break;
        case ObjectKind::Text: n += heap(s.TextObject); break;
        }
    }
    return n;
}

} // namespace kestrava::model
