#pragma once
// The search for a printer font size at which one full-width character
// prints exactly as wide as two half-width ones, so that the report's
// full-width rules line up with its half-width text.

#include <QList>

class QFont;
class QPaintDevice;

namespace miravel::print {

// The largest size the search tries.
constexpr float LargestFitSize = 20;

// The sizes the font command accepts for the report's font search.
constexpr float SmallestFontSize = 6;
constexpr float LargestFontSize = 14;

// True when, in `font` measured on `device`, full-width text is exactly as
// wide as half-width text of twice as many characters.
bool fullWidthFits(const QFont& font, QPaintDevice& device);

// The first of the sizes start, start + 1, ... up to 20 at which `font`
// (its family and bold setting) fits on `device`; 0 when none does.
float fittingSize(const QFont& font, QPaintDevice& device, float start);

// True when the report prints in `font` from each of the starting sizes.
bool fitsFromEverySize(const QFont& font, QPaintDevice& device, const QList<float>& starts);

// Tries the sizes start, start + 1, ... up to 20 in the printer font
// (printerFont(), whose size it leaves at the last size tried) measured on
// `device`; returns the first size that fits, or 0 when none does.
float Font_Fit(QPaintDevice& device, float start);

// The same on the current printer.
float Font_Fit(float start);

} // namespace miravel::print
