#include "network/checkedjson.h"

#include "network/networklimits.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace miravel::network::json {

void refuse(const QString& path, const QString& reason) {
    throw Refusal{path, reason};
}

void refuse(const Place& place, const QString& reason) {
    refuse(place.text(), reason);
}

QString refusalDetail(const Refusal& r) {
    return (r.path.isEmpty() ? QStringLiteral("(全体)") : r.path) + QStringLiteral(": ") + r.reason;
}

QString Place::text() const {
    if (!up) return {};
    const QString above = up->text();
    if (index >= 0) return above + u'[' + QString::number(index) + u']';
    const QString name = key ? QString::fromLatin1(key) : fileTextExcerpt(fileKey);
    return above.isEmpty() ? name : above + u'.' + name;
}

Place at(const Place& place, const char* key) {
    return Place{&place, key, {}, -1};
}

Place at(const Place& place, const QString& key) {
    return Place{&place, nullptr, key, -1};
}

Place at(const Place& place, int index) {
    return Place{&place, nullptr, {}, index};
}

QString jsonText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

namespace {

// A key the object repeats is refused before anything else in it.
// The reader's objects are small: compared pairwise, a set only for more.
void refuseRepeatedKey(const simdjson::dom::object& object, const Place& path) {
    constexpr size_t Small = 8;
    std::string_view few[Small];
    std::unordered_set<std::string_view> many;
    size_t count = 0;
    for (const auto field : object) {
        bool repeated = false;
        if (count < Small) {
            repeated = std::find(few, few + count, field.key) != few + count;
            few[count] = field.key;
        } else {
            if (count == Small) many.insert(few, few + Small);
            repeated = !many.insert(field.key).second;
        }
        ++count;
        if (repeated)
            refuse(at(path, jsonText(field.key)), QStringLiteral("同じ項目が二度あります。"));
    }
}

bool hasUnpairedSurrogate(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}

// A whole number too large for a 64-bit integer, which Qt's parser reads as
// a double and simdjson does not read at all.
bool beyondInteger(const QJsonValue& v) {
    return v.isDouble() && std::abs(v.toDouble()) >= 9.2e18 &&
           v.toDouble() == std::floor(v.toDouble());
}

// The first value in Qt's reading of the file that only Qt's parser takes:
// a text with an unpaired surrogate, refused as the reader refuses it (a key
// as unknown, a value for what it holds), or a whole number too large.
std::optional<Refusal> onlyQtReads(const QJsonValue& v, const Place& path) {
    if (v.isString() && hasUnpairedSurrogate(v.toString()))
        return Refusal{path.text(), networkTextProblem(v.toString())};
    if (beyondInteger(v)) return Refusal{path.text(), QStringLiteral("数値が大きすぎます。")};
    if (v.isArray()) {
        const QJsonArray a = v.toArray();
        for (qsizetype i = 0; i < a.size(); ++i)
            if (auto found = onlyQtReads(a[i], at(path, int(i)))) return found;
    }
    if (v.isObject()) {
        const QJsonObject o = v.toObject();
        for (auto it = o.constBegin(); it != o.constEnd(); ++it) {
            const Place here = at(path, it.key());
            if (hasUnpairedSurrogate(it.key()))
                return Refusal{here.text(), QStringLiteral("不明な項目です。")};
            if (auto found = onlyQtReads(it.value(), here)) return found;
        }
    }
    return std::nullopt;
}

// Why the parser refused the bytes: the place Qt's parser names when it
// refuses them too; else a value only Qt's takes, named where it is; else
// what kind of value could not be read.
QString unreadableJson(const QByteArray& bytes, simdjson::error_code code) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("%1 バイト目付近: JSON として読めません。").arg(error.offset);
    const QJsonValue root = doc.isObject() ? QJsonValue(doc.object()) : QJsonValue(doc.array());
    if (const auto value = onlyQtReads(root, Place{})) return refusalDetail(*value);
    switch (code) {
    case simdjson::DEPTH_ERROR:
        return QStringLiteral("JSON の入れ子が深すぎます。");
    case simdjson::NUMBER_ERROR:
        return QStringLiteral("JSON の数値として読めない値があります。");
    default:
        return QStringLiteral("JSON の文字列として読めない値があります。");
    }
}

} // namespace

std::optional<QString> parseJson(simdjson::dom::parser& parser, QByteArray bytes, JsonValue& root) {
    // The parser reads a few bytes past the end, which the array is given
    // room for; its document holds copies of the strings, so the bytes are
    // let go as soon as it is built.
    bytes.reserve(bytes.size() + qsizetype(simdjson::SIMDJSON_PADDING));
    const simdjson::error_code code =
        parser.parse(bytes.constData(), size_t(bytes.size()), false).get(root);
    if (code == simdjson::SUCCESS) return std::nullopt;
    return unreadableJson(bytes, code);
}

Fields::Fields(const JsonValue& value, const Place& path, std::initializer_list<const char*> known)
    : m_path(path) {
    simdjson::dom::object object;
    if (value.get(object) != simdjson::SUCCESS)
        refuse(path, QStringLiteral("オブジェクトが必要です。"));
    Q_ASSERT(known.size() <= MostKeys);
    m_count = std::min(known.size(), MostKeys);
    std::copy_n(known.begin(), m_count, m_keys);
    std::optional<std::string_view> unknown;
    for (const auto field : object) {
        const size_t k = keyIndex(field.key);
        if (k == m_count) {
            if (!unknown) unknown = field.key;
            continue;
        }
        if (m_present[k]) refuseRepeatedKey(object, path);
        m_present[k] = true;
        m_values[k] = field.value;
    }
    if (!unknown) return;
    refuseRepeatedKey(object, path);
    refuse(at(path, jsonText(*unknown)), QStringLiteral("不明な項目です。"));
}

JsonValue Fields::value(const char* key) const {
    const size_t k = keyIndex(key);
    if (!m_present[k]) refuse(path(key), QStringLiteral("項目がありません。"));
    return m_values[k];
}

QString Fields::text(const char* key, bool optional) const {
    if (optional && !has(key)) return {};
    return checkedText(view(key), path(key));
}

std::string_view Fields::view(const char* key, bool optional) const {
    if (optional && !has(key)) return {};
    std::string_view v;
    if (value(key).get(v) != simdjson::SUCCESS)
        refuse(path(key), QStringLiteral("文字列が必要です。"));
    return v;
}

bool Fields::flag(const char* key) const {
    if (!has(key)) return false;
    bool v = false;
    if (value(key).get(v) != simdjson::SUCCESS)
        refuse(path(key), QStringLiteral("true か false が必要です。"));
    return v;
}

Elements Fields::array(const char* key, bool optional) const {
    if (optional && !has(key)) return {};
    Elements a{{}, true};
    if (value(key).get(a.array) != simdjson::SUCCESS)
        refuse(path(key), QStringLiteral("配列が必要です。"));
    return a;
}

QString Fields::checkedText(std::string_view v, const Place& path) {
    const QString text = jsonText(v);
    const QString problem = networkTextProblem(text);
    if (!problem.isEmpty()) refuse(path, problem);
    return text;
}

double Fields::checkedNumber(const JsonValue& v, const Place& path, double low, double high) {
    double d = 0;
    if (!v.is_number() || v.get(d) != simdjson::SUCCESS)
        refuse(path, QStringLiteral("数値が必要です。"));
    if (!std::isfinite(d) || d < low || d > high)
        refuse(path, QStringLiteral("%1～%2 の数値が必要です。").arg(low).arg(high));
    return d;
}

} // namespace miravel::network::json
