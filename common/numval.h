#pragma once
// Conversions between field texts and numbers, as every screen reads them.

#include <QString>
#include <cstdint>
#include <optional>

namespace miravel::common {

// The leading number of a text. Blanks (space, tab, line feed) anywhere are
// skipped; an optional sign, digits, one decimal point and an optional
// exponent are read; reading stops at the first other character. A text
// without a leading number gives 0. A number beyond the range of a double
// raises RunTimeError(Overflow).
double NumVal(const QString& text);

// The shortest text showing the value to 15 significant digits: 3 -> "3",
// 2.5 -> "2.5", 1e20 -> "1E+20".
QString NumText(double value);
// The same text written at `out` (Latin-1, at most NumTextCapacity characters,
// no terminator), for a text of several numbers built in one go. Returns the
// end of what was written.
constexpr int NumTextCapacity = 32;
char* writeNumText(char* out, double value);

// True when the whole text, blanks (trimBlanks) around it aside, reads as one number
// (sign, digits, point, exponent) within the range of a double.
bool isNumberText(const QString& text);

// The value of a text that isNumberText accepts.
double numberTextValue(const QString& text);

// Strict conversion of a catalogue cell: the whole text must be a number;
// anything else ("--", "") raises RunTimeError(TypeMismatch).
double strictCellValue(const QString& cell);

// Nearest whole number, halves to the even neighbour, as a 16-bit signed
// integer; nothing when the value lies outside -32768..32767.
std::optional<int16_t> wholeNumber16(double value);

// A double result that left the range of a double raises
// RunTimeError(Overflow), as the arithmetic of the calculations does.
double checkedResult(double value);

} // namespace miravel::common
