#include "project/recordcheck.h"

#include "common/errors.h"
#include "common/numval.h"
#include "project/recordnames.h"

using namespace miravel::common;

namespace miravel::project {

void checkProjectNumbers(const QStringList& records) {
    for (int number : {12, 13, 14, 15, 21, 22, 23, 24, 60}) {
        if (number > records.size()) continue;
        try {
            NumVal(records[number - 1]);
        } catch (const RunTimeError&) {
            throw UserError(
                QStringLiteral("%1 の値 (%2) が大きすぎるため、このファイルは読み込めません。")
                    .arg(projectRecordName(number), records[number - 1].left(40)));
        }
    }
}

} // namespace miravel::project
