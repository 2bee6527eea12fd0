#pragma once
// The 67 records of a project file, by number, with the Japanese name an
// installer knows each field by (used to say which field a message is about).

#include <QString>

namespace miravel::project {

constexpr int ProjectRecordCount = 67;

// Name of record `number` (1 to 67); other numbers give "<number> 番目の項目".
QString projectRecordName(int number);

} // namespace miravel::project
