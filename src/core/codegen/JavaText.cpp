#include "codegen/JavaText.h"

#include "io/Cp1251.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

namespace kestrava::codegen {

namespace {

// What is kept of a text compared with its file: written bytes are compared a
// window at a time, then dropped.
constexpr size_t kWindow = size_t(256) << 10;

} // namespace

struct JavaText::Comparison {
    int fd = -1;
    qint64 fileSize = 0;
    qint64 matched = 0;   // bytes written and found equal so far
    bool differs = false; // found unequal: written bytes are dropped until the end
    std::unique_ptr<char[]> file{new char[kWindow]};

    ~Comparison()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool JavaText::compareWith(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    auto comparison = std::make_shared<Comparison>();
    comparison->fd = fd;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    comparison->fileSize = info.st_size;
    clear();
    m_comparison = std::move(comparison);
    return true;
}

void JavaText::compareWindow()
{
    Comparison& c = *m_comparison;
    for (size_t done = 0; !c.differs && done < m_size;) {
        const size_t want = std::min(kWindow, m_size - done);
        const ssize_t got = ::pread(c.fd, c.file.get(), want, off_t(c.matched));
        if (got != ssize_t(want) || std::memcmp(c.file.get(), m_data.get() + done, want) != 0) {
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
    const bool same = !m_comparison->differs && m_comparison->matched == m_comparison->fileSize;
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
