#include "codegen/JavaText.h"

#include "io/Cp1251.h"
#include "io/TextFile.h"

#include <algorithm>
#include <stdexcept>

namespace kestrava::codegen {

namespace {

// What is kept of a text compared with its file: written bytes are compared a
// window at a time, then dropped.
constexpr size_t kWindow = size_t(256) << 10;

} // namespace

struct JavaText::Comparison {
    io::OpenFile file;
    qint64 matched = 0;   // bytes written and found equal so far
    bool differs = false; // found unequal: written bytes are dropped until the end
    std::unique_ptr<char[]> window{new char[kWindow]};
};

bool JavaText::compareWith(const QString& path)
{
    std::optional<io::OpenFile> file = io::OpenFile::regular(path);
    if (!file)
        return false;
    clear();
    m_comparison = std::make_shared<Comparison>(Comparison{std::move(*file)});
    return true;
}

void JavaText::compareWindow()
{
    Comparison& c = *m_comparison;
    for (size_t done = 0; !c.differs && done < m_size;) {
        const size_t want = std::min(kWindow, m_size - done);
        const qsizetype got = c.file.readAt(c.window.get(), qsizetype(want), c.matched);
        if (got != qsizetype(want) || std::memcmp(c.window.get(), m_data.get() + done, want) != 0) {
            c.differs = true;
            break;
        }
        c.matched += qint64(want);
        done += want;
    }
    m_size = 0;
}

bool JavaText::matchesFile()
{
    if (!m_comparison) {
        clear();
        return false;
    }
    compareWindow();
    const bool same = !m_comparison->differs && m_comparison->matched == m_comparison->file.size();
    m_comparison.reset();
    return same;
}

void JavaText::makeRoom(size_t n)
{
    // Compared bytes need not stay.
    if (m_comparison && m_size > 0) {
        compareWindow();
        if (m_capacity >= n)
            return;
    }
    grow(std::max(n, m_comparison ? kWindow : size_t(0)));
}

void JavaText::grow(size_t n)
{
    const size_t capacity = std::max(m_size + n, m_capacity + m_capacity / 2 + 256);
    std::unique_ptr<char[]> bigger(new char[capacity]);
    if (m_size > 0)
        std::memcpy(bigger.get(), m_data.get(), m_size);
    m_data = std::move(bigger);
    m_capacity = capacity;
}

JavaText& JavaText::elements(const int* values, size_t count)
{
    // Room for the longest element each ("-2147483648,"), taken once.
    room(count * 12);
    char* out = m_data.get() + m_size;
    for (size_t k = 0; k < count; ++k) {
        const int value = values[k];
        if (value >= 0 && value < kSmall) {
            const Small& s = small(value);
            std::memcpy(out, s.text, 4);
            out += s.length;
        } else {
            out = std::to_chars(out, out + 11, value).ptr;
        }
        *out++ = ',';
    }
    m_size = size_t(out - m_data.get());
    return *this;
}

JavaText& JavaText::text(const QString& value)
{
    const auto bytes = io::Cp1251::encode(value);
    if (!bytes)
        throw std::logic_error("text outside windows-1251 reached the Java writer");
    return ascii(std::string_view(bytes->constData(), size_t(bytes->size())));
}

} // namespace kestrava::codegen
