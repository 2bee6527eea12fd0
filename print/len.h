#pragma once
// Column arithmetic of the printed report. A character that Shift-JIS (CP932)
// encodes in two bytes takes two columns, any other character one, so that
// the full-width rules of the ruled table line up in a fixed-pitch font.

#include <QString>

namespace miravel::print {

// The text cut to `width` columns keeping its left part. A two-column
// character that would cross the limit is replaced by one space, so a cut
// text is exactly `width` columns wide; a narrower text comes back unchanged.
QString Len_Left(const QString& text, int width);

// The text cut to `width` columns keeping its right part, flush right; a
// crossing two-column character becomes a leading space. Here a control
// character (code below 32, e.g. a tab) also counts two columns.
QString Len_Right(const QString& text, int width);

} // namespace miravel::print
