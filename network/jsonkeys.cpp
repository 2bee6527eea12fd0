#include "network/jsonkeys.h"

#include "network/networklimits.h"

#include <QSet>
#include <algorithm>
#include <cstring>
#include <vector>

namespace miravel::network {

namespace {

// An open object or array. The keys of the open objects share one list;
// an object with many keys also keeps a set, so that a huge object is not
// searched key by key.
struct Frame {
    bool object = false;
    int index = 0;       // arrays: the element being read
    size_t firstKey = 0; // objects: where its keys start in the shared list
    std::optional<QSet<QString>> many;
};
constexpr size_t FewKeys = 16;

void skipString(const QByteArray& json, qsizetype& i) {
    for (++i; i < json.size() && json[i] != '"'; ++i)
        if (json[i] == '\\') ++i;
    ++i;
}

// The text of the string whose opening quote is at `i`; `i` ends past the
// closing quote. Escapes are decoded so that "\u0061" and "a" are one key.
QString readString(const QByteArray& json, qsizetype& i) {
    QString text;
    qsizetype start = ++i;
    for (; i < json.size() && json[i] != '"'; ++i) {
        if (json[i] != '\\') continue;
        text += QString::fromUtf8(json.constData() + start, i - start);
        const char e = json[++i];
        if (e == 'u') {
            text += QChar(char16_t(json.mid(i + 1, 4).toUShort(nullptr, 16)));
            i += 4;
        } else {
            const char* from = "bfnrt";
            const char* to = "\b\f\n\r\t";
            const char* found = std::strchr(from, e);
            text += QChar::fromLatin1(found && *found ? to[found - from] : e);
        }
        start = i + 1;
    }
    text += QString::fromUtf8(json.constData() + start, i - start);
    ++i;
    return text;
}

QString pathOf(const std::vector<Frame>& stack, const std::vector<QString>& keys) {
    QString path;
    for (size_t k = 0; k < stack.size(); ++k) {
        if (!stack[k].object) {
            path += u'[' + QString::number(stack[k].index) + u']';
            continue;
        }
        // The member being read: the last key listed before the next object.
        size_t end = keys.size();
        for (size_t n = k + 1; n < stack.size(); ++n)
            if (stack[n].object) {
                end = stack[n].firstKey;
                break;
            }
        if (end == stack[k].firstKey) continue;
        if (!path.isEmpty()) path += u'.';
        path += fileTextExcerpt(keys[end - 1]);
    }
    return path;
}

// Lists the key of the object on top; false when the object has it already.
bool addKey(Frame& f, std::vector<QString>& keys, const QString& key) {
    if (f.many) {
        if (f.many->contains(key)) return false;
        f.many->insert(key);
    } else {
        if (std::find(keys.begin() + qsizetype(f.firstKey), keys.end(), key) != keys.end())
            return false;
        if (keys.size() - f.firstKey >= FewKeys)
            f.many.emplace(keys.begin() + qsizetype(f.firstKey), keys.end());
        if (f.many) f.many->insert(key);
    }
    keys.push_back(key);
    return true;
}

// The objects and arrays open at the scan's place, with the keys seen in
// each open object.
struct KeyScan {
    std::vector<Frame> stack;
    std::vector<QString> keys;
    bool expectKey = false;

    void open(bool object) {
        stack.push_back(Frame{object, 0, keys.size(), std::nullopt});
        expectKey = object;
    }
    void close() {
        if (!stack.empty()) {
            keys.resize(stack.back().object ? stack.back().firstKey : keys.size());
            stack.pop_back();
        }
        expectKey = false;
    }
    void comma() {
        if (!stack.empty() && stack.back().object) expectKey = true;
        if (!stack.empty() && !stack.back().object) ++stack.back().index;
    }
};

} // namespace

std::optional<QString> repeatedJsonKey(const QByteArray& json) {
    KeyScan scan;
    for (qsizetype i = 0; i < json.size();) {
        switch (json[i]) {
        case '{':
        case '[':
            scan.open(json[i++] == '{');
            break;
        case '}':
        case ']':
            scan.close();
            ++i;
            break;
        case ',':
            scan.comma();
            ++i;
            break;
        case '"': {
            if (!scan.expectKey || scan.stack.empty()) {
                skipString(json, i);
                break;
            }
            const QString key = readString(json, i);
            if (!addKey(scan.stack.back(), scan.keys, key)) {
                scan.keys.push_back(key); // the place is the repeated key
                return pathOf(scan.stack, scan.keys);
            }
            scan.expectKey = false;
            break;
        }
        default:
            ++i;
        }
    }
    return std::nullopt;
}

namespace {

// Just past the quote that ends a string starting at `p` (`end` when none):
// the first quote after an even number of backslashes.
const char* closingQuote(const char* p, const char* end) {
    while (p < end) {
        const void* found = std::memchr(p, '"', size_t(end - p));
        if (!found) return end;
        const char* quote = static_cast<const char*>(found);
        const char* before = quote;
        while (before > p && before[-1] == '\\')
            --before;
        if ((quote - before) % 2 == 0) return quote + 1;
        p = quote + 1;
    }
    return end;
}

} // namespace

qint64 jsonItemCount(const QByteArray& bytes) {
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    qint64 items = 0;
    while (p < end) {
        // Up to the next string, counted in one simple loop the compiler
        // vectorises; then past the string, escapes and all.
        const void* found = std::memchr(p, '"', size_t(end - p));
        const char* const quote = found ? static_cast<const char*>(found) : end;
        for (; p < quote; ++p)
            items += (*p == ',') + (*p == '[') + (*p == '{');
        if (quote == end) break;
        p = closingQuote(quote + 1, end);
    }
    return items;
}

bool jsonItemsWithin(const QByteArray& bytes, qint64 most) {
    // Every comma and opening bracket, in strings too: at least the exact
    // count, in a loop simple enough to vectorise.
    qint64 rough = 0;
    for (const char c : bytes)
        rough += (c == ',') + (c == '[') + (c == '{');
    return rough <= most || jsonItemCount(bytes) <= most;
}

} // namespace miravel::network
