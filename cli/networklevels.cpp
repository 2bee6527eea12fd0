#include "cli/networklevels.h"

#include "cli/commandline.h"
#include "common/errors.h"
#include "common/numval.h"
#include "network/networktexts.h"
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
    std::array<QStringList, NetBandCount> levels, verdicts, cns, cnVerdicts;
    for (const OutletResult& o : result.outlets) {
        names << o.name;
        rooms << o.room;
        floors << o.floor;
        for (size_t b = 0; b < NetBandCount; ++b) {
            const BandJudgement& j = o.bands[b];
            levels[b] << (j.level ? NumText(*j.level) : verdictText(j));
            verdicts[b] << verdictText(j);
            cns[b] << (j.cn ? NumText(*j.cn) : QString());
            cnVerdicts[b] << cnVerdictText(j);
        }
        overall << (o.fails() ? QStringLiteral("不適合") : QStringLiteral("適合"));
    }
    table.addColumn({QStringLiteral("outlet"), QStringLiteral("端子"), false}, names);
    table.addColumn({QStringLiteral("room"), QStringLiteral("部屋"), false}, rooms);
    table.addColumn({QStringLiteral("floor"), QStringLiteral("階"), false}, floors);
    for (int b = 0; b < NetBandCount; ++b) {
        const QString key = b == LeftBand ? QStringLiteral("lhcp") : bandName(b).toLower();
        const QString name = netBandName(b);
        table.addColumn(
            {key + QStringLiteral("_level"), name + QStringLiteral(" レベル(dB)"), true},
            levels[size_t(b)]);
        table.addColumn({key + QStringLiteral("_verdict"), name + QStringLiteral(" 判定"), false},
                        verdicts[size_t(b)]);
    }
    for (int b = 0; b < NetBandCount; ++b) {
        const QString key = b == LeftBand ? QStringLiteral("lhcp") : bandName(b).toLower();
        const QString name = netBandName(b);
        table.addColumn({key + QStringLiteral("_cn"), name + QStringLiteral(" C/N(dB)"), true},
                        cns[size_t(b)]);
        table.addColumn(
            {key + QStringLiteral("_cn_verdict"), name + QStringLiteral(" C/N判定"), false},
            cnVerdicts[size_t(b)]);
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
    batch.err = cableJudgingText(result.judgedAtBandEdges) + u'\n';
    if (result.failingOutlets > 0)
        batch.err += QStringLiteral("%1 の基準を外れた端子があります（%2 端子中 %3）。\n")
                         .arg(profileName(profile.id))
                         .arg(result.outlets.size())
                         .arg(result.failingOutlets);
    for (NodeId id : result.failingBoosters)
        batch.err += boosterFaultLine(network, result, id) + u'\n';
    if (result.fails()) batch.status = ExitFailing;
    return batch;
}

} // namespace miravel::cli
