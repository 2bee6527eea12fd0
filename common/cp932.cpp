#include "common/cp932.h"

#include <QHash>
#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace miravel::common {

namespace {

// One conversion descriptor per direction, opened once and reset per use.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between UTF-8 and CP932");
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as far as possible; returns the input offset of the first
    // byte that could not be converted, or -1 when everything was.
    long convert(const QByteArray& in, QByteArray& out) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        out.resize(in.size() * 4 + 16);
        char* inPtr = const_cast<char*>(in.constData());
        size_t inLeft = size_t(in.size());
        char* outPtr = out.data();
        size_t outLeft = size_t(out.size());
        long bad = -1;
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1))
            bad = long(inPtr - in.constData());
        out.resize(int(outPtr - out.data()));
        return bad;
    }

private:
    iconv_t m_cd;
};

Converter& encoder() {
    static Converter c("CP932", "UTF-8");
    return c;
}

Converter& decoder() {
    static Converter c("UTF-8", "CP932");
    return c;
}

} // namespace

Cp932Encoded cp932Encode(const QString& text) {
    Cp932Encoded result;
    const QByteArray utf8 = text.toUtf8();
    const long bad = encoder().convert(utf8, result.bytes);
    if (bad >= 0) result.badIndex = int(QString::fromUtf8(utf8.left(int(bad))).size());
    return result;
}

Cp932Decoded cp932Decode(const QByteArray& bytes) {
    Cp932Decoded result;
    QByteArray utf8;
    const long bad = decoder().convert(bytes, utf8);
    result.text = QString::fromUtf8(utf8);
    if (bad >= 0) result.badOffset = int(bad);
    return result;
}

namespace {

bool roundTrips(const QString& text) {
    const Cp932Encoded e = cp932Encode(text);
    if (!e.ok()) return false;
    const Cp932Decoded d = cp932Decode(e.bytes);
    return d.ok() && d.text == text;
}

} // namespace

int cp932FirstUnstorable(const QString& text) {
    if (roundTrips(text)) return -1;
    for (int i = 0; i < text.size();) {
        const int length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                             : 1;
        if (!roundTrips(text.mid(i, length))) return i;
        i += length;
    }
    return 0; // CP932 has no state, so some single character must differ
}

char32_t cp932LookAlike(char32_t c) {
    switch (c) {
    case U'\u00A5':
        return U'\uFFE5'; // ¥ -> ￥
    case U'\u00A2':
        return U'\uFFE0'; // ¢ -> ￠
    case U'\u00A3':
        return U'\uFFE1'; // £ -> ￡
    case U'\u00AC':
        return U'\uFFE2'; // ¬ -> ￢
    case U'\u2014':
        return U'\u2015'; // — -> ―
    case U'\u2016':
        return U'\u2225'; // ‖ -> ∥
    case U'\u203E':
        return U'\uFFE3'; // ‾ -> ￣
    case U'\u2212':
        return U'\uFF0D'; // − -> －
    case U'\u301C':
        return U'\uFF5E'; // 〜 -> ～
    default:
        return 0;
    }
}

int cp932Width(char32_t codePoint) {
    if (codePoint < 0x80) return 1;
    static QHash<char32_t, int> widths;
    const auto found = widths.constFind(codePoint);
    if (found != widths.constEnd()) return *found;
    const Cp932Encoded e = cp932Encode(QString::fromUcs4(&codePoint, 1));
    const int width = e.ok() && e.bytes.size() == 2 ? 2 : 1;
    widths.insert(codePoint, width);
    return width;
}

} // namespace miravel::common
