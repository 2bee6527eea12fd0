#include "common/naturalorder.h"

namespace miravel::common {

namespace {

// The digit run starting at `i`: skips its leading zeros into `zeros` and
// returns where it ends; the significant digits lie in [i, end).
qsizetype digitRun(QStringView s, qsizetype& i, qsizetype& zeros) {
    zeros = 0;
    while (i < s.size() && s[i].digitValue() == 0 && i + 1 < s.size() && s[i + 1].isDigit()) {
        ++i;
        ++zeros;
    }
    qsizetype end = i;
    while (end < s.size() && s[end].isDigit())
        ++end;
    return end;
}

// Two runs of significant digits: the longer is larger, else the first
// differing digit decides.
int compareDigits(QStringView a, qsizetype ai, qsizetype aEnd, QStringView b, qsizetype bi,
                  qsizetype bEnd) {
    if (aEnd - ai != bEnd - bi) return aEnd - ai < bEnd - bi ? -1 : 1;
    for (; ai < aEnd; ++ai, ++bi)
        if (const int d = a[ai].digitValue() - b[bi].digitValue(); d != 0) return d;
    return 0;
}

int compareFolded(QChar a, QChar b) {
    return int(a.toCaseFolded().unicode()) - int(b.toCaseFolded().unicode());
}

} // namespace

int naturalCompare(QStringView a, QStringView b) {
    qsizetype i = 0;
    qsizetype j = 0;
    int tie = 0; // the first exact difference, used when nothing else differs
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            const qsizetype aStart = i;
            const qsizetype bStart = j;
            qsizetype aZeros = 0;
            qsizetype bZeros = 0;
            const qsizetype aEnd = digitRun(a, i, aZeros);
            const qsizetype bEnd = digitRun(b, j, bZeros);
            if (const int d = compareDigits(a, i, aEnd, b, j, bEnd); d != 0) return d;
            if (tie == 0 && aZeros != bZeros) tie = aZeros < bZeros ? -1 : 1;
            if (tie == 0)
                tie = a.sliced(aStart, aEnd - aStart).compare(b.sliced(bStart, bEnd - bStart));
            i = aEnd;
            j = bEnd;
            continue;
        }
        if (const int d = compareFolded(a[i], b[j]); d != 0) return d;
        if (tie == 0 && a[i] != b[j]) tie = a[i].unicode() < b[j].unicode() ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    return tie;
}

} // namespace miravel::common
