#pragma once

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace kestrava::model {

// A 1-based table of a fixed capacity whose storage holds only what has been
// written: an empty project costs next to nothing, yet every index
// 0..Capacity can be read (an entry never written reads as a default record)
// and written (the storage grows to it). An index past the capacity is a
// programming error (std::out_of_range). Two tables are equal when every
// entry is, however much storage each has.
template <class T, std::size_t Capacity>
class Table {
public:
    static constexpr std::size_t capacity() { return Capacity; }

    T& operator[](std::size_t i) { return at(i); }
    const T& operator[](std::size_t i) const { return at(i); }

    T& at(std::size_t i)
    {
        if (i > Capacity)
            throw std::out_of_range("table index past its capacity");
        if (i >= m_items.size())
            m_items.resize(i + 1);
        return m_items[i];
    }

    const T& at(std::size_t i) const
    {
        if (i > Capacity)
            throw std::out_of_range("table index past its capacity");
        return i < m_items.size() ? m_items[i] : empty();
    }

    // The entries storage holds (written or below one written), for measuring.
    std::size_t stored() const { return m_items.size(); }

    bool operator==(const Table& other) const
    {
        const std::vector<T>& shorter = m_items.size() <= other.m_items.size() ? m_items : other.m_items;
        const std::vector<T>& longer = m_items.size() <= other.m_items.size() ? other.m_items : m_items;
        for (std::size_t i = 0; i < longer.size(); ++i)
            if (!(longer[i] == (i < shorter.size() ? shorter[i] : empty())))
                return false;
        return true;
    }

private:
    static const T& empty()
    {
        static const T record{};
        return record;
    }

    std::vector<T> m_items;
};

} // namespace kestrava::model
