#include "common/numval.h"

#include "common/errors.h"
#include "common/text.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace miravel::common {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// The value of a scanned number, as strtod in the "C" locale gives it. The
// locale-free from_chars is exact and fast; a number beyond a double's range
// goes to strtod, which tells overflow (infinity) from underflow (0).
double parseCNumber(const std::string& number) {
    const char* first = number.data();
    const char* last = first + number.size();
    if (first != last && *first == '+') ++first;
    double value = 0;
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc() && result.ptr == last) return value;
    static locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(number.c_str(), nullptr, cLocale);
}

// Reads the number at the start of the text (blanks skipped everywhere) into
// a plain ASCII form. Returns the position after the last character taken.
int scanNumber(const QString& text, std::string& number, bool skipInnerBlanks) {
    int i = 0;
    const int n = text.size();
    auto skip = [&] {
        while (skipInnerBlanks && i < n && isBlank(text[i]))
            ++i;
    };
    while (i < n && isBlank(text[i]))
        ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        number += char(text[i].unicode());
        ++i;
    }
    skip();
    bool digits = false;
    while (i < n && isDigit(text[i])) {
        number += char(text[i].unicode());
        digits = true;
        ++i;
        skip();
    }
    if (i < n && text[i] == u'.') {
        number += '.';
        ++i;
        skip();
        while (i < n && isDigit(text[i])) {
            number += char(text[i].unicode());
            digits = true;
            ++i;
            skip();
        }
    }
    if (!digits) return -1;
    if (i < n && (text[i] == u'e' || text[i] == u'E' || text[i] == u'd' || text[i] == u'D')) {
        int j = i + 1;
        std::string exponent = "e";
        while (skipInnerBlanks && j < n && isBlank(text[j]))
            ++j;
        if (j < n && (text[j] == u'+' || text[j] == u'-')) {
            exponent += char(text[j].unicode());
            ++j;
        }
        while (skipInnerBlanks && j < n && isBlank(text[j]))
            ++j;
        bool expDigits = false;
        while (j < n && isDigit(text[j])) {
            exponent += char(text[j].unicode());
            expDigits = true;
            ++j;
            while (skipInnerBlanks && j < n && isBlank(text[j]))
                ++j;
        }
        if (expDigits) {
            number += exponent;
            i = j;
        }
    }
    return i;
}

} // namespace

double NumVal(const QString& text) {
    std::string number;
    if (scanNumber(text, number, true) < 0) return 0.0;
    const double value = parseCNumber(number);
    if (std::isinf(value)) throw RunTimeError(RunTimeError::Overflow);
    return value == 0.0 ? 0.0 : value; // no negative zero
}

namespace {

// %.15G of a value whose fifteen digits are beyond doubt: scaled to fifteen
// integer digits (one rounding, at most 1/16 off below 2^50), a remainder
// more than 0.1 from a half rounds as the exact value does. Null when in
// doubt or outside the plain notation's range (1E-4 up to 1E15).
char* writePlainNumText(char* out, double value) {
    static const double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8, 1e9,
                                    1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18};
    const double magnitude = std::fabs(value);
    if (!(magnitude >= 1e-4 && magnitude < 1e14)) return nullptr;
    const int exponent = int(std::floor(std::log10(magnitude)));
    if (exponent < -4 || exponent > 13) return nullptr;
    const double scaled = magnitude * Powers[14 - exponent];
    const double whole = std::floor(scaled);
    const double rest = scaled - whole;
    if (std::abs(rest - 0.5) < 0.1) return nullptr;
    // The exponent taken from the logarithm can be one off: the value must
    // scale to fifteen digits, and stay so rounded.
    if (whole < 1e14) return nullptr;
    const auto digits = static_cast<unsigned long long>(whole) + (rest > 0.5 ? 1 : 0);
    if (digits >= 1000000000000000ULL) return nullptr;
    char text[16];
    std::to_chars(text, text + 15, digits);
    int last = 14; // the last digit kept: trailing zeros go
    while (last > 0 && text[last] == '0')
        --last;
    char* o = out;
    if (value < 0) *o++ = '-';
    if (exponent < 0) {
        *o++ = '0';
        *o++ = '.';
        o = std::fill_n(o, -exponent - 1, '0');
        return std::copy(text, text + last + 1, o);
    }
    o = std::copy(text, text + exponent + 1, o);
    if (last > exponent) {
        *o++ = '.';
        o = std::copy(text + exponent + 1, text + last + 1, o);
    }
    return o;
}

} // namespace

char* writeNumText(char* out, double value) {
    if (value == 0.0) {
        *out = '0';
        return out + 1;
    }
    if (char* const end = writePlainNumText(out, value)) return end;
    char* const end =
        std::to_chars(out, out + NumTextCapacity, value, std::chars_format::general, 15).ptr;
    for (char* c = out; c != end; ++c)
        if (*c == 'e') *c = 'E';
    return end;
}

QString NumText(double value) {
    char buffer[NumTextCapacity];
    return QString::fromLatin1(buffer, int(writeNumText(buffer, value) - buffer));
}

bool isNumberText(const QString& text) {
    std::string number;
    const QString trimmed = trimBlanks(text);
    if (scanNumber(trimmed, number, false) != trimmed.size()) return false;
    return !std::isinf(parseCNumber(number));
}

double numberTextValue(const QString& text) {
    std::string number;
    const QString trimmed = trimBlanks(text);
    if (scanNumber(trimmed, number, false) != trimmed.size()) return 0.0;
    return parseCNumber(number);
}

double strictCellValue(const QString& cell) {
    if (!isNumberText(cell)) throw RunTimeError(RunTimeError::TypeMismatch);
    return numberTextValue(cell);
}

std::optional<int16_t> wholeNumber16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value); // default mode: halves to even
    if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
    return static_cast<int16_t>(rounded);
}

double checkedResult(double value) {
    if (!std::isfinite(value)) throw RunTimeError(RunTimeError::Overflow);
    return value;
}

} // namespace miravel::common
