#include "common/numformat.h"

#include "common/numval.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace miravel::common {

namespace {

// A decimal number as digits with the decimal point after `intDigits` of them.
struct Decimal {
    bool negative = false;
    std::string digits; // no sign, no point
    int intDigits = 0;  // may be <= 0 or > digits.size()
};

// The 15-significant-digit decimal form of a finite value.
Decimal toDecimal(double value) {
    Decimal d;
    d.negative = value < 0;
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                 std::chars_format::scientific, 14);
    const std::string s(buffer, r.ptr);
    const auto e = s.find('e');
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.intDigits = std::atoi(s.c_str() + e + 1) + 1;
    return d;
}

// Rounds to `decimals` places, halves away from zero, and writes the integer
// part (at least one digit) and exactly `decimals` decimals.
std::pair<std::string, std::string> roundTo(const Decimal& d, int decimals) {
    // Pad so that every integer digit and every wanted decimal is present.
    std::string digits = d.digits;
    int intDigits = d.intDigits;
    if (intDigits <= 0) {
        digits.insert(0, std::string(1 - intDigits, '0'));
        intDigits = 1;
    }
    const int keep = intDigits + decimals;
    if (int(digits.size()) < keep + 1) digits.append(keep + 1 - digits.size(), '0');
    const bool roundUp = digits[keep] >= '5';
    digits.resize(keep);
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && digits[i] == '9')
            digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(0, "1");
            ++intDigits;
        }
    }
    std::string intPart = digits.substr(0, intDigits);
    const auto firstNonZero = intPart.find_first_not_of('0');
    intPart = firstNonZero == std::string::npos ? "0" : intPart.substr(firstNonZero);
    return {intPart, digits.substr(intDigits)};
}

} // namespace

QString formatNumber(double value, NumberPattern pattern) {
    if (!std::isfinite(value)) return NumText(value);
    const Decimal d = toDecimal(value);
    const int decimals = pattern == NumberPattern::Unit3 ? 3 : 2;
    auto [intPart, fraction] = roundTo(d, decimals);
    if (pattern == NumberPattern::Unit1to2 && fraction.back() == '0') fraction.pop_back();
    const bool isZero = intPart == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string text = (d.negative && !isZero ? "-" : "") + intPart + "." + fraction;
    if (pattern != NumberPattern::Fixed2) text.insert(0, " ");
    return QString::fromLatin1(text.c_str());
}

QString formatText(const QString& text, NumberPattern pattern) {
    if (!isNumberText(text)) return text;
    return formatNumber(numberTextValue(text), pattern);
}

} // namespace miravel::common
