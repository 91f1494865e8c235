#include "io/JsonTape.h"

#include <QStringDecoder>

#include <charconv>
#include <limits>

namespace kestrava::io {

class JsonParser {
public:
    explicit JsonParser(JsonTape& tape) : m_tape(tape), m_data(tape.m_bytes.constData()), m_size(tape.m_bytes.size()) {}

    // False with m_at at the fault.
    bool document()
    {
        if (quint64(m_size) >= std::numeric_limits<std::uint32_t>::max())
            return false;
        m_tape.m_nodes.reserve(size_t(m_size / 8) + 1); // what a document of short values needs
        blanks();
        if (!value(0))
            return false;
        blanks();
        return m_at == m_size;
    }

    qsizetype at() const { return m_at; }

private:
    static constexpr int kMaxDepth = 256;

    void blanks()
    {
        while (m_at < m_size) {
            const char c = m_data[m_at];
            if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
                return;
            ++m_at;
        }
    }

    std::uint32_t open(JsonTape::Kind kind)
    {
        m_tape.m_nodes.push_back({kind, false, 0, std::uint32_t(m_at), 0});
        return std::uint32_t(m_tape.m_nodes.size() - 1);
    }

    void close(std::uint32_t index)
    {
        JsonTape::Node& n = m_tape.m_nodes[index];
        n.end = std::uint32_t(m_tape.m_nodes.size());
        n.to = std::uint32_t(m_at);
    }

    bool literal(const char* word, JsonTape::Kind kind)
    {
        const std::uint32_t index = open(kind);
        for (const char* c = word; *c; ++c, ++m_at)
            if (m_at >= m_size || m_data[m_at] != *c)
                return false;
        close(index);
        return true;
    }

    bool digits()
    {
        const qsizetype start = m_at;
        while (m_at < m_size && m_data[m_at] >= '0' && m_data[m_at] <= '9')
            ++m_at;
        return m_at > start;
    }

    bool number()
    {
        const std::uint32_t index = open(JsonTape::Kind::Number);
        if (m_at < m_size && m_data[m_at] == '-')
            ++m_at;
        if (m_at < m_size && m_data[m_at] == '0')
            ++m_at;
        else if (!digits())
            return false;
        if (m_at < m_size && m_data[m_at] == '.') {
            ++m_at;
            if (!digits())
                return false;
        }
        if (m_at < m_size && (m_data[m_at] == 'e' || m_data[m_at] == 'E')) {
            ++m_at;
            if (m_at < m_size && (m_data[m_at] == '+' || m_data[m_at] == '-'))
                ++m_at;
            if (!digits())
                return false;
        }
        close(index);
        return true;
    }

    static int hex(char c)
    {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    bool hex4()
    {
        for (int k = 0; k < 4; ++k, ++m_at)
            if (m_at >= m_size || hex(m_data[m_at]) < 0)
                return false;
        return true;
    }

    bool string()
    {
        const std::uint32_t index = open(JsonTape::Kind::String);
        ++m_at; // the opening quote
        bool escaped = false;
        bool plain = true; // ASCII only: no UTF-8 to check
        for (;;) {
            if (m_at >= m_size)
                return false;
            const unsigned char c = static_cast<unsigned char>(m_data[m_at]);
            if (c == '"')
                break;
            if (c < 0x20)
                return false;
            if (c >= 0x80)
                plain = false;
            if (c == '\\') {
                escaped = true;
                ++m_at;
                if (m_at >= m_size)
                    return false;
                const char e = m_data[m_at];
                if (e == 'u') {
                    ++m_at;
                    if (!hex4())
                        return false;
                    continue;
                }
                if (e != '"' && e != '\\' && e != '/' && e != 'b' && e != 'f' && e != 'n' && e != 'r' && e != 't')
                    return false;
            }
            ++m_at;
        }
        if (!plain) {
            const qsizetype start = m_tape.m_nodes[index].from + 1;
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString decoded = utf8(QByteArrayView(m_data + start, m_at - start));
            if (utf8.hasError()) {
                m_at = start;
                return false;
            }
        }
        ++m_at; // the closing quote
        m_tape.m_nodes[index].escaped = escaped || !plain;
        close(index);
        return true;
    }

    bool value(int depth)
    {
        if (m_at >= m_size)
            return false;
        switch (m_data[m_at]) {
        case '{': return container(depth, true);
        case '[': return container(depth, false);
        case '"': return string();
        case 't': return literal("true", JsonTape::Kind::True);
        case 'f': return literal("false", JsonTape::Kind::False);
        case 'n': return literal("null", JsonTape::Kind::Null);
        default: return number();
        }
    }

    bool container(int depth, bool object)
    {
        if (depth >= kMaxDepth)
            return false;
        const std::uint32_t index = open(object ? JsonTape::Kind::Object : JsonTape::Kind::Array);
        const char closing = object ? '}' : ']';
        ++m_at;
        blanks();
        if (m_at < m_size && m_data[m_at] == closing) {
            ++m_at;
            close(index);
            return true;
        }
        for (;;) {
            if (object) {
                if (m_at >= m_size || m_data[m_at] != '"' || !string())
                    return false;
                blanks();
                if (m_at >= m_size || m_data[m_at] != ':')
                    return false;
                ++m_at;
                blanks();
            }
            if (!value(depth + 1))
                return false;
            blanks();
            if (m_at >= m_size)
                return false;
            if (m_data[m_at] == closing) {
                ++m_at;
                close(index);
                return true;
            }
            if (m_data[m_at] != ',')
                return false;
            ++m_at;
            blanks();
        }
    }

    JsonTape& m_tape;
    const char* m_data;
    qsizetype m_size;
    qsizetype m_at = 0;
};

std::optional<JsonTape> JsonTape::parse(const QByteArray& bytes, qsizetype* errorOffset)
{
    JsonTape tape;
    tape.m_bytes = bytes;
    JsonParser parser(tape);
    if (!parser.document()) {
        if (errorOffset)
            *errorOffset = parser.at();
        return std::nullopt;
    }
    return tape;
}

JsonTape::Value JsonTape::root() const
{
    return Value(this, 0);
}

double JsonTape::Value::number() const
{
    if (!isNumber())
        return 0;
    const QByteArrayView text = raw();
    double result = 0;
    // The parser let only JSON numbers through; out of range ends as infinity.
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), result);
    if (error == std::errc::result_out_of_range)
        return text.startsWith('-') ? -std::numeric_limits<double>::infinity()
                                    : std::numeric_limits<double>::infinity();
    return result;
}

QByteArrayView JsonTape::Value::raw() const
{
    const Node& n = node();
    return QByteArrayView(m_tape->m_bytes.constData() + n.from, qsizetype(n.to - n.from));
}

QString JsonTape::Value::string() const
{
    if (!isString())
        return QString();
    const QByteArrayView inner = raw().sliced(1, raw().size() - 2);
    if (!node().escaped)
        return QString::fromLatin1(inner);
    if (!inner.contains('\\'))
        return QString::fromUtf8(inner);
    QString out;
    out.reserve(inner.size());
    qsizetype k = 0;
    while (k < inner.size()) {
        const char c = inner[k];
        if (c != '\\') {
            // A run of plain bytes, decoded as UTF-8 together.
            qsizetype end = k;
            while (end < inner.size() && inner[end] != '\\')
                ++end;
            out += QString::fromUtf8(inner.sliced(k, end - k));
            k = end;
            continue;
        }
        const char e = inner[k + 1];
        k += 2;
        switch (e) {
        case 'b': out += u'\b'; break;
        case 'f': out += u'\f'; break;
        case 'n': out += u'\n'; break;
        case 'r': out += u'\r'; break;
        case 't': out += u'\t'; break;
        case 'u': {
            char16_t unit = 0;
            for (int d = 0; d < 4; ++d) {
                const char h = inner[k + d];
                unit = char16_t(unit * 16 + (h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10));
            }
            out += QChar(unit);
            k += 4;
            break;
        }
        default: out += QLatin1Char(e); break; // " \ /
        }
    }
    return out;
}

bool JsonTape::Value::isString(QStringView text) const
{
    if (!isString())
        return false;
    if (!node().escaped) {
        const QByteArrayView inner = raw().sliced(1, raw().size() - 2);
        return QLatin1StringView(inner) == text;
    }
    return string() == text;
}

qsizetype JsonTape::Value::size() const
{
    qsizetype count = 0;
    if (isArray())
        elements([&](Value) { ++count; });
    else if (isObject())
        members([&](Value, Value) { ++count; });
    return count;
}

std::optional<JsonTape::Value> JsonTape::Value::member(QStringView name) const
{
    std::optional<Value> found;
    if (isObject())
        members([&](Value key, Value value) {
            if (!found && key.isString(name))
                found = value;
        });
    return found;
}

} // namespace kestrava::io
