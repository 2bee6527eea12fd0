#pragma once
// Names ordered as people read them: a run of digits counts as one number,
// so "950 (9F)" comes before "1001 (10F)" and "端子2" before "端子10".

#include <QStringView>

namespace miravel::common {

// Negative, zero or positive as `a` sorts before, with or after `b`. Digit
// runs (any script's decimal digits, full-width ones included) compare by
// value, then the one with fewer leading zeros first; other characters
// compare case-insensitively, then exactly, so that only equal texts tie.
int naturalCompare(QStringView a, QStringView b);

} // namespace miravel::common
