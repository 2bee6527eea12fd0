#include "project/records.h"

#include "common/errors.h"

using namespace miravel::common;

namespace miravel::project {

QString RecordList::readRecord() {
    if (m_next >= m_records.size())
        throw UserError(QStringLiteral("データファイルの終わりを越えて読み込もうとしました。"));
    return m_records[m_next++];
}

} // namespace miravel::project
