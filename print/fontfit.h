#pragma once
// The search for a printer font size at which one full-width character
// prints exactly as wide as two half-width ones, so that the report's
// full-width rules line up with its half-width text.

class QPaintDevice;

// Tries the sizes start, start + 1, ... up to 20 in the printer font
// (printerFont(), whose size it leaves at the last size tried) measured on
// `device`; returns the first size that fits, or 0 when none does.
float Font_Fit(QPaintDevice& device, float start);

// The same on the current printer.
float Font_Fit(float start);
