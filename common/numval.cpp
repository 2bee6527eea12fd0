#include "common/numval.h"

#include "common/errors.h"
#include "common/text.h"

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

char* writeNumText(char* out, double value) {
    if (value == 0.0) {
        *out = '0';
        return out + 1;
    }
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
