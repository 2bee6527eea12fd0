#pragma once
// A JSON file read with every member checked: the parsed document
// (simdjson's compact tape, so that a large file is not held twice in a tree
// of values while it is read), the place of a value as a path such as
// "nodes[0].coax.metres", and objects whose unknown and repeated keys are
// refused. A refusal names the place; the file's reader words its message.

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <optional>
#include <simdjson.h>
#include <string_view>

namespace miravel::network::json {

// A refusal of the content, with the path of the place.
struct Refusal {
    QString path;
    QString reason;
};
[[noreturn]] void refuse(const QString& path, const QString& reason);
// "path: reason"; the whole file is "(全体)".
QString refusalDetail(const Refusal& refusal);

// A place in the file: a member or element of the place above it (none: the
// whole file). Its path text is built only when a refusal names it, and a
// place refers to the one above it, which must outlive it.
struct Place {
    const Place* up = nullptr;
    const char* key = nullptr; // a member named by the reader
    QString fileKey;           // a member named by the file (unknown keys)
    int index = -1;            // an element

    QString text() const;
};
[[noreturn]] void refuse(const Place& place, const QString& reason);
Place at(const Place& place, const char* key);
Place at(const Place& place, const QString& key); // a key from the file, quoted short
Place at(const Place& place, int index);

using JsonValue = simdjson::dom::element;
using JsonArray = simdjson::dom::array;

QString jsonText(std::string_view text);

// The parsed bytes as `root`, the parser holding the document; nothing, or
// why they cannot be read (the byte Qt's parser stops at, or a value only
// Qt's parser takes, named where it is).
std::optional<QString> parseJson(simdjson::dom::parser& parser, QByteArray bytes, JsonValue& root);

// The elements of an array, or none for an optional member not there.
struct Elements {
    JsonArray array;
    bool present = false;
    size_t size() const { return present ? array.size() : 0; }
    // f(element, index) for each element in order.
    template <typename F> void each(F f) const {
        if (!present) return;
        int i = 0;
        for (const JsonValue v : array)
            f(v, i++);
    }
};

// Reads an object and refuses keys it does not know or repeats. Texts are
// checked as the network's texts are (networkTextProblem).
class Fields {
public:
    // The members are looked at once, each kept under its known key; a
    // repeated key is refused before an unknown one.
    Fields(const JsonValue& value, const Place& path, std::initializer_list<const char*> known);

    Place path(const char* key) const { return at(m_path, key); }
    bool has(const char* key) const { return m_present[keyIndex(key)]; }
    JsonValue value(const char* key) const;
    double number(const char* key, double low, double high) const {
        return checkedNumber(value(key), path(key), low, high);
    }
    QString text(const char* key, bool optional = false) const;
    // A text as the file has it (UTF-8), not yet checked.
    std::string_view view(const char* key, bool optional = false) const;
    bool flag(const char* key) const;
    Elements array(const char* key, bool optional = false) const;

    static QString checkedText(std::string_view text, const Place& path);
    static double checkedNumber(const JsonValue& v, const Place& path, double low, double high);

private:
    static constexpr size_t MostKeys = 8;
    // Index of a known key, m_count for any other.
    size_t keyIndex(std::string_view key) const {
        size_t k = 0;
        while (k < m_count && key != m_keys[k])
            ++k;
        return k;
    }

    Place m_path;
    std::string_view m_keys[MostKeys] = {}; // measured once, compared often
    size_t m_count = 0;
    // One more than the keys: an unknown key's index is never present.
    bool m_present[MostKeys + 1] = {};
    JsonValue m_values[MostKeys];
};

} // namespace miravel::network::json
