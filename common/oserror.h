#pragma once
// The reason for a failed file operation in Japanese. The system's own texts
// (strerror, QFileDevice::errorString) are English on a Japanese desktop too,
// and every message of the program is Japanese.

#include <QString>

namespace miravel::common {

// The reason for the errno value `error`: "ディスクの空き容量が足りません" for
// ENOSPC and so on; a number the table does not know is named by its number.
QString systemErrorText(int error);

} // namespace miravel::common
