#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <charconv>
#include <cstring>
#include <memory>
#include <string_view>

namespace kestrava::codegen {

// A generated source file being built in memory, already in windows-1251 with
// CR LF line ends. Numbers and fixed text are ASCII and appended directly; the
// data classes of the largest project hold twenty million numbers, so a
// number is a table look-up and a copy, not a formatting.
class JavaText {
public:
    void reserve(size_t bytes)
    {
        if (!m_comparison)
            room(bytes);
    }
    void clear() { m_size = 0; }

    JavaText& ascii(std::string_view text)
    {
        std::memcpy(room(text.size()), text.data(), text.size());
        m_size += text.size();
        return *this;
    }
    JavaText& number(int value)
    {
        if (value >= 0 && value < kSmall) {
            const Small& s = small(value);
            std::memcpy(room(4), s.text, 4);
            m_size += s.length;
            return *this;
        }
        char* at = room(16);
        m_size += size_t(std::to_chars(at, at + 16, value).ptr - at);
        return *this;
    }
    // A number followed by a comma: the element of a list.
    JavaText& element(int value)
    {
        if (value >= 0 && value < kSmall) {
            const Small& s = small(value);
            char* at = room(5);
            std::memcpy(at, s.text, 4);
            at[s.length] = ',';
            m_size += s.length + 1u;
            return *this;
        }
        number(value);
        return ascii(",");
    }
    // Every value as an element, one after the other.
    JavaText& elements(const int* values, size_t count);
    // Text already known to fit windows-1251 (checked by the caller).
    JavaText& text(const QString& value);
    JavaText& endLine() { return ascii("\r\n"); }

    // Compares what is written with the file at path as it goes, keeping
    // only a small window in memory: the data classes of a large project are
    // tens of megabytes, and usually what src already holds. false, the text
    // as it was, when there is no such regular file (a link is none).
    bool compareWith(const QString& path);
    // After the writing: true when the file holds exactly what was written.
    // Either way the comparison ends and the text is empty.
    bool matchesFile();

    std::string_view data() const { return {m_data.get(), m_size}; }
    // A view of the bytes without copying; valid while this text is unchanged.
    QByteArray view() const { return QByteArray::fromRawData(m_data.get(), qsizetype(m_size)); }
    QByteArray bytes() const { return QByteArray(m_data.get(), qsizetype(m_size)); }

private:
    static constexpr int kSmall = 1000;
    // "0".."999", each in 4 bytes (the rest unused) with its length.
    struct Small {
        char text[4];
        unsigned char length;
    };
    static constexpr std::array<Small, kSmall> kSmallNumbers = [] {
        std::array<Small, kSmall> table{};
        for (int v = 0; v < kSmall; ++v) {
            const int length = v < 10 ? 1 : v < 100 ? 2 : 3;
            for (int k = length - 1, rest = v; k >= 0; --k, rest /= 10)
                table[size_t(v)].text[k] = char('0' + rest % 10);
            table[size_t(v)].length = static_cast<unsigned char>(length);
        }
        return table;
    }();
    static const Small& small(int value) { return kSmallNumbers[size_t(value)]; }

    // Space for n more bytes at the end; what is written there counts once m_size grows.
    char* room(size_t n)
    {
        if (m_capacity - m_size < n)
            makeRoom(n);
        return m_data.get() + m_size;
    }
    void makeRoom(size_t n);
    void grow(size_t n);
    void compareWindow();

    struct Comparison;
    std::unique_ptr<char[]> m_data;
    size_t m_size = 0;
    size_t m_capacity = 0;
    std::shared_ptr<Comparison> m_comparison;
};

} // namespace kestrava::codegen
