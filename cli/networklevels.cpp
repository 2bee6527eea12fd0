#include "cli/networklevels.h"

#include "cli/commandline.h"
#include "common/errors.h"
#include "common/numval.h"
#include "network/tvdnfile.h"
#include "standard/judgement.h"

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace miravel::cli {

bool isNetworkFile(const QString& file) {
    return file.endsWith(QStringLiteral(".tvdn"), Qt::CaseInsensitive);
}

LevelTable networkLevelTable(const QString& file, const NetworkResult& result) {
    LevelTable table;
    table.source = file;
    QStringList names, rooms, floors, overall;
    std::array<QStringList, BandCount> levels, verdicts;
    for (const OutletResult& o : result.outlets) {
        names << o.name;
        rooms << o.room;
        floors << o.floor;
        for (size_t b = 0; b < BandCount; ++b) {
            const BandJudgement& j = o.bands[b];
            levels[b] << (j.level ? NumText(*j.level) : verdictText(j));
            verdicts[b] << verdictText(j);
        }
        overall << (o.fails() ? QStringLiteral("不適合") : QStringLiteral("適合"));
    }
    table.addColumn({QStringLiteral("outlet"), QStringLiteral("端子"), false}, names);
    table.addColumn({QStringLiteral("room"), QStringLiteral("部屋"), false}, rooms);
    table.addColumn({QStringLiteral("floor"), QStringLiteral("階"), false}, floors);
    for (int b = 0; b < BandCount; ++b) {
        const QString key = bandName(b).toLower();
        table.addColumn(
            {key + QStringLiteral("_level"), bandName(b) + QStringLiteral(" レベル(dB)"), true},
            levels[size_t(b)]);
        table.addColumn(
            {key + QStringLiteral("_verdict"), bandName(b) + QStringLiteral(" 判定"), false},
            verdicts[size_t(b)]);
    }
    table.addColumn({QStringLiteral("result"), QStringLiteral("総合"), false}, overall);
    return table;
}

BatchResult networkLevelsCommand(const QString& file, OutputFormat format, const Profile& profile) {
    Network network;
    try {
        network = readNetworkFile(file);
    } catch (const UserError& error) {
        return {ExitRefused, QString(), terminalMessage(error.message()) + u'\n'};
    }
    const NetworkResult result = computeNetwork(network, profile);
    BatchResult batch;
    batch.out = formatLevelTable(networkLevelTable(file, result), format);
    if (result.failingOutlets > 0) {
        batch.status = ExitFailing;
        batch.err = QStringLiteral("%1 の基準を外れた端子があります（%2 端子中 %3）。\n")
                        .arg(profileName(profile.id))
                        .arg(result.outlets.size())
                        .arg(result.failingOutlets);
    }
    return batch;
}

} // namespace miravel::cli
