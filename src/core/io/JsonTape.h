#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

namespace kestrava::io {

// A JSON document (RFC 8259) read into one flat list of values, each followed
// by everything inside it. Reading allocates next to nothing per value, which
// matters for the many small arrays of a large project's extras file.
class JsonTape {
public:
    enum class Kind : std::uint8_t { Null, False, True, Number, String, Array, Object };

    // The document in bytes, or nullopt with *errorOffset at the byte where
    // reading failed: bad syntax, bad UTF-8, nesting deeper than 256, or
    // anything but blanks after the value.
    static std::optional<JsonTape> parse(const QByteArray& bytes, qsizetype* errorOffset);

    class Value;
    Value root() const;

private:
    struct Node {
        Kind kind;
        bool escaped;       // a string holding escapes or non-ASCII
        std::uint32_t end;  // the index after this value and all inside it
        std::uint32_t from; // its bytes in the document, quotes included
        std::uint32_t to;
    };
    friend class JsonParser;
    friend class Value;

    QByteArray m_bytes;
    std::vector<Node> m_nodes;
};

// One value of a tape; valid while the tape lives.
class JsonTape::Value {
public:
    Kind kind() const { return node().kind; }
    bool isObject() const { return kind() == Kind::Object; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isString() const { return kind() == Kind::String; }
    bool isNumber() const { return kind() == Kind::Number; }

    // The number; 0 for any other kind.
    double number() const;
    // The string with its escapes undone; empty for any other kind.
    QString string() const;
    // True when this is a string equal to text.
    bool isString(QStringView text) const;
    // The value as it stands in the document.
    QByteArrayView raw() const;

    // The elements of an array or the values of an object's members.
    qsizetype size() const;
    // An object's member of that name.
    std::optional<Value> member(QStringView name) const;

    // Walks an array's elements (f(Value)) or an object's members (f(Value name, Value value)).
    template <class F>
    void elements(F&& f) const
    {
        for (std::uint32_t k = m_index + 1; k < node().end; k = m_tape->m_nodes[k].end)
            f(Value(m_tape, k));
    }
    template <class F>
    void members(F&& f) const
    {
        for (std::uint32_t k = m_index + 1; k < node().end;) {
            const std::uint32_t value = m_tape->m_nodes[k].end;
            f(Value(m_tape, k), Value(m_tape, value));
            k = m_tape->m_nodes[value].end;
        }
    }

private:
    friend class JsonTape;
    Value(const JsonTape* tape, std::uint32_t index) : m_tape(tape), m_index(index) {}
    const Node& node() const { return m_tape->m_nodes[m_index]; }

    const JsonTape* m_tape;
    std::uint32_t m_index;
};

} // namespace kestrava::io
