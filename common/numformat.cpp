#include "common/numformat.h"

#include "common/numval.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace miravel::common {

namespace {

// Digits with the decimal point after `intDigits` of them, in a fixed buffer
// (the widest finite double with its padding fits).
struct Decimal {
    char digits[400];
    int size = 0;
    int intDigits = 0;
};

// The 15-significant-digit decimal form of a finite value's magnitude,
// padded with zeros so that every integer digit and `decimals` decimals and
// one more are present.
void toDecimal(double magnitude, int decimals, Decimal& d) {
    char sci[40];
    char* const end =
        std::to_chars(sci, sci + sizeof sci - 1, magnitude, std::chars_format::scientific, 14).ptr;
    *end = '\0';
    const char* const e =
        std::find(static_cast<const char*>(sci), static_cast<const char*>(end), 'e');
    d.intDigits = std::atoi(e + 1) + 1;
    d.size = 0;
    for (int z = d.intDigits; z <= 0; ++z)
        d.digits[d.size++] = '0';
    d.intDigits = std::max(d.intDigits, 1);
    d.digits[d.size++] = sci[0];
    for (const char* c = sci + 2; c < e; ++c)
        d.digits[d.size++] = *c;
    while (d.size < d.intDigits + decimals + 1)
        d.digits[d.size++] = '0';
}

// Rounds to `decimals` places, halves away from zero: exactly `decimals`
// decimals remain.
void roundTo(Decimal& d, int decimals) {
    const int keep = d.intDigits + decimals;
    const bool roundUp = d.digits[keep] >= '5';
    d.size = keep;
    if (!roundUp) return;
    int i = keep - 1;
    while (i >= 0 && d.digits[i] == '9')
        d.digits[i--] = '0';
    if (i >= 0) {
        ++d.digits[i];
        return;
    }
    std::memmove(d.digits + 1, d.digits, size_t(d.size));
    d.digits[0] = '1';
    ++d.size;
    ++d.intDigits;
}

// The value in units of the last decimal, rounded, when that is beyond
// doubt: below a million the 15-digit form and the product are within 1e-5
// of a unit of the exact value, so a remainder that far from a half rounds
// the same way as the digits would. Nothing near a half, or when larger.
std::optional<long long> plainlyRounded(double magnitude, int decimals) {
    constexpr double Largest = 1e6, Doubt = 1e-4;
    if (!(magnitude < Largest)) return std::nullopt;
    const double scaled = magnitude * (decimals == 3 ? 1000 : 100);
    const double whole = std::floor(scaled);
    const double rest = scaled - whole;
    if (std::abs(rest - 0.5) < Doubt) return std::nullopt;
    return (long long)(whole) + (rest > 0.5 ? 1 : 0);
}

// Writes units of the last decimal as digits with the point before the last
// `decimals` of them, like the digit form below.
void fromUnits(long long units, int decimals, Decimal& d) {
    char reversed[24];
    int n = 0;
    do {
        reversed[n++] = char('0' + units % 10);
        units /= 10;
    } while (units > 0 || n <= decimals);
    std::reverse_copy(reversed, reversed + n, d.digits);
    d.size = n;
    d.intDigits = n - decimals;
}

// The digits of a finite value's magnitude rounded to `decimals` places.
void roundedDigits(double value, int decimals, Decimal& d) {
    if (const auto units = plainlyRounded(std::fabs(value), decimals))
        fromUnits(*units, decimals, d);
    else {
        toDecimal(std::fabs(value), decimals, d);
        roundTo(d, decimals);
    }
}

} // namespace

double shownHundredths(double value) {
    Decimal d;
    roundedDigits(value, 2, d);
    long long units = 0;
    for (int i = 0; i < d.size; ++i)
        units = units * 10 + (d.digits[i] - '0');
    // units / 100 is the double nearest the decimal, as reading the text gives.
    const double magnitude = double(units) / 100;
    return value < 0 && units != 0 ? -magnitude : magnitude;
}

QString formatNumber(double value, NumberPattern pattern) {
    if (!std::isfinite(value)) return NumText(value);
    const int decimals = pattern == NumberPattern::Unit3 ? 3 : 2;
    Decimal d;
    roundedDigits(value, decimals, d);
    int first = 0; // the integer part without leading zeros, one digit at least
    while (first < d.intDigits - 1 && d.digits[first] == '0')
        ++first;
    int size = d.size;
    if (pattern == NumberPattern::Unit1to2 && d.digits[size - 1] == '0') --size;
    const bool isZero = std::all_of(d.digits, d.digits + size, [](char c) { return c == '0'; });
    char text[420];
    int n = 0;
    if (pattern != NumberPattern::Fixed2) text[n++] = ' ';
    if (value < 0 && !isZero) text[n++] = '-';
    for (int i = first; i < size; ++i) {
        if (i == d.intDigits) text[n++] = '.';
        text[n++] = d.digits[i];
    }
    return QString::fromLatin1(text, n);
}

QString formatText(const QString& text, NumberPattern pattern) {
    if (!isNumberText(text)) return text;
    return formatNumber(numberTextValue(text), pattern);
}

} // namespace miravel::common
