#pragma once
// Checks on the values of a project's records that loading converts to
// numbers, so that a file is refused whole before anything is applied.

#include <QStringList>

namespace miravel::project {

// Refuses (UserError naming the field) records whose leading number is too
// large for a double where loading converts them: the coax losses (12 to 15),
// the booster input levels (21 to 24) and the antenna-data option (60).
void checkProjectNumbers(const QStringList& records);

} // namespace miravel::project
