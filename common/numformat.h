#pragma once
// The three number patterns of the screens and the report.
//
// Every pattern rounds the value's 15-significant-digit decimal form, halves
// away from zero, so that 77.33499999999999 (computed for 77.335) shows 77.34.

#include <QString>

namespace miravel::common {

enum class NumberPattern {
    Fixed2,   // "##0.#0": at least one integer digit, exactly two decimals
    Unit1to2, // " #0.0#": a leading space, one or two decimals
    Unit3,    // " 0.##0": a leading space, exactly three decimals
};

QString formatNumber(double value, NumberPattern pattern);
// The number "##0.#0" shows for a finite value below 1e12 in magnitude: the
// value rounded to two decimals as above, without the text between.
double shownHundredths(double value);

// A text that reads as a number is formatted; any other text, the empty text
// included, comes back unchanged.
QString formatText(const QString& text, NumberPattern pattern);

// Shorthands for the pattern "##0.#0", the one the screens use.
inline QString Fmt2(double value) {
    return formatNumber(value, NumberPattern::Fixed2);
}
inline QString Fmt2(const QString& text) {
    return formatText(text, NumberPattern::Fixed2);
}

} // namespace miravel::common
