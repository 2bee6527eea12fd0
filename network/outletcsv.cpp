#include "network/outletcsv.h"

#include "common/csv.h"
#include "network/networktexts.h"
#include "standard/criteria.h"

#include <QStringList>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

QByteArray outletTableCsv(const Network& network, const NetworkResult& result) {
    QStringList heading{QStringLiteral("端子"), QStringLiteral("部屋"), QStringLiteral("階")};
    for (int b = 0; b < NetBandCount; ++b)
        heading << netBandName(b) + QStringLiteral(" レベル(dB)")
                << netBandName(b) + QStringLiteral(" 判定");
    for (int b = 0; b < NetBandCount; ++b)
        heading << netBandName(b) + QStringLiteral(" C/N(dB)")
                << netBandName(b) + QStringLiteral(" C/N判定");
    heading << QStringLiteral("総合");
    QList<QStringList> rows{heading};
    for (const OutletResult& o : result.outlets) {
        QStringList cells{outletName(network, o), outletRoom(network, o), outletFloor(network, o)};
        for (const BandJudgement& j : o.bands)
            cells << levelText(j.level) << verdictText(j);
        for (const BandJudgement& j : o.bands)
            cells << cnText(j) << cnVerdictText(j);
        cells << (o.fails() ? QStringLiteral("不適合") : QStringLiteral("適合"));
        rows.append(cells);
    }
    return csvText(rows, CsvFormat{QStringLiteral("\r\n"), true}).toUtf8();
}

} // namespace miravel::network
