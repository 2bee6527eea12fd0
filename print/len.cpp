#include "print/len.h"

#include "common/cp932.h"

using namespace miravel::common;

namespace miravel::print {

namespace {

// Length in QChars of the character starting (or ending) at `index`: 2 for a
// surrogate pair, so that a character outside the BMP is taken whole.
int charLengthAt(const QString& text, int index) {
    return text[index].isHighSurrogate() && index + 1 < text.size() &&
                   text[index + 1].isLowSurrogate()
               ? 2
               : 1;
}

int charLengthBefore(const QString& text, int end) {
    return text[end - 1].isLowSurrogate() && end >= 2 && text[end - 2].isHighSurrogate() ? 2 : 1;
}

char32_t codePoint(const QString& text, int index, int length) {
    return length == 2 ? QChar::surrogateToUcs4(text[index], text[index + 1])
                       : char32_t(text[index].unicode());
}

} // namespace

QString Len_Left(const QString& text, int width) {
    if (width <= 0) return QString();
    int columns = 0;
    int end = 0; // the result is text.left(end)
    int lastLength = 0;
    while (end < text.size() && columns < width) {
        lastLength = charLengthAt(text, end);
        columns += cp932Width(codePoint(text, end, lastLength));
        end += lastLength;
    }
    if (columns > width) return text.left(end - lastLength) + u' ';
    return text.left(end);
}

QString Len_Right(const QString& text, int width) {
    if (width <= 0) return QString();
    int columns = 0;
    int begin = text.size(); // the result is text.mid(begin)
    int lastLength = 0;
    while (begin > 0 && columns < width) {
        lastLength = charLengthBefore(text, begin);
        begin -= lastLength;
        const char32_t c = codePoint(text, begin, lastLength);
        columns += c < 32 ? 2 : cp932Width(c);
    }
    if (columns > width) return u' ' + text.mid(begin + lastLength);
    return text.mid(begin);
}

} // namespace miravel::print
