#include "io/JsonTape.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace kestrava;
using namespace Qt::Literals::StringLiterals;

namespace {

// The tape's value in Qt's terms, to compare with Qt's own reader.
QJsonValue asQt(const io::JsonTape::Value& v)
{
    using Kind = io::JsonTape::Kind;
    switch (v.kind()) {
    case Kind::Null: return QJsonValue::Null;
    case Kind::False: return false;
    case Kind::True: return true;
    case Kind::Number: return v.number();
    case Kind::String: return v.string();
    case Kind::Array: {
        QJsonArray a;
        v.elements([&](const io::JsonTape::Value& e) { a.append(asQt(e)); });
        return a;
    }
    case Kind::Object: {
        QJsonObject o;
        v.members([&](const io::JsonTape::Value& name, const io::JsonTape::Value& value) {
            o.insert(name.string(), asQt(value));
        });
        return o;
    }
    }
    return {};
}

} // namespace

TEST(JsonTape, ReadsWhatQtReadsAndRefusesWhatItRefuses)
{
    const QByteArray good[] = {
        "{}", "[]", " [ 1 , -2.5e3 , 0 , -0.0, 1E+2 ] ", "{\"a\":{\"b\":[[],{}]},\"c\":null,\"d\":true,\"e\":false}",
        "[\"\\\"\\\\\\/\\b\\f\\n\\r\\t\", \"\\u0416\\u00e9\", \"\\ud83d\\ude00\", \"Жук ü\"]",
        "[\"x\\u0041y\", \"a\\\\u0041\"]", "[1.7976931348623157e308, 5e-324, 123456789012]",
    };
    for (const QByteArray& text : good) {
        qsizetype at = -1;
        const std::optional<io::JsonTape> tape = io::JsonTape::parse(text, &at);
        ASSERT_TRUE(tape) << text.toStdString() << " at " << at;
        const QJsonDocument qt = QJsonDocument::fromJson(text);
        EXPECT_EQ(asQt(tape->root()), qt.isArray() ? QJsonValue(qt.array()) : QJsonValue(qt.object())) << text.toStdString();
    }

    // Strict JSON, each with the byte where reading stops (Qt lets "1.", ".5", a raw tab and "\x" by).
    const std::pair<QByteArray, qsizetype> bad[] = {
        {"", 0}, {"[1,", 3}, {"[1,]", 3}, {"{\"a\" 1}", 5}, {"{\"a\":1,}", 7}, {"{1:2}", 1}, {"[01]", 2},
        {"[1.]", 3}, {"[.5]", 1}, {"[+1]", 1}, {"[1e]", 3}, {"[tru]", 4}, {"[\"a\tb\"]", 3}, {"[\"\\x\"]", 3},
        {"[\"\\u12g4\"]", 6}, {"[\"abc", 5}, {"[\"\xff\"]", 2}, {"{} {}", 3}, {"[1] x", 4},
    };
    for (const auto& [text, where] : bad) {
        qsizetype at = -1;
        EXPECT_FALSE(io::JsonTape::parse(text, &at)) << text.toStdString();
        EXPECT_EQ(at, where) << text.toStdString();
    }

    // Nesting is bounded, so a hostile file cannot exhaust the stack.
    EXPECT_TRUE(io::JsonTape::parse(QByteArray(256, '[') + QByteArray(256, ']'), nullptr));
    EXPECT_FALSE(io::JsonTape::parse(QByteArray(257, '[') + QByteArray(257, ']'), nullptr));
    EXPECT_FALSE(io::JsonTape::parse(QByteArray(100000, '['), nullptr));
}

TEST(JsonTape, MembersAreFoundByNameAndShownAsWritten)
{
    const std::optional<io::JsonTape> tape =
        io::JsonTape::parse("{\"row\": 3, \"objects\": [\"1\", \"2\"], \"r\\u006fw2\": [ 7 ,8 ]}", nullptr);
    ASSERT_TRUE(tape);
    const io::JsonTape::Value root = tape->root();
    EXPECT_EQ(root.size(), 3);
    EXPECT_EQ(root.member(u"row")->number(), 3.0);
    EXPECT_EQ(root.member(u"objects")->size(), 2);
    EXPECT_FALSE(root.member(u"ro"));
    EXPECT_FALSE(root.member(u"rows"));
    ASSERT_TRUE(root.member(u"row2"));
    EXPECT_EQ(root.member(u"row2")->raw(), "[ 7 ,8 ]");
    EXPECT_TRUE(root.member(u"objects")->isArray());
    EXPECT_EQ(root.member(u"row")->string(), QString());
}
