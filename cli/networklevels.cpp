#include "cli/networklevels.h"

#include "cli/commandline.h"
#include "common/errors.h"
#include "common/numformat.h"
#include "common/numval.h"
#include "network/headwindow.h"
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

namespace {

QString jsonNullable(const std::optional<double>& value) {
    return value ? Fmt2(*value) : QStringLiteral("null");
}

QString jsonOutlet(const NetworkResult& r, int outlet, bool named) {
    return named && outlet >= 0 ? jsonString(r.outlets[size_t(outlet)].name)
                                : QStringLiteral("null");
}

// "head_end_window": per band its range (null without one) and, when no
// level serves every outlet, the two that conflict.
QString jsonWindow(const NetworkResult& r, const HeadWindow& window) {
    QStringList bands;
    for (size_t b = 0; b < NetBandCount; ++b) {
        const BandWindow& w = window[b];
        const bool conflict = w.judged && !w.window && w.unrated < 0;
        bands << QStringLiteral("    {\"band\": %1, \"min\": %2, \"max\": %3, \"weakest\": %4, "
                                "\"strongest\": %5, \"unrated\": %6}")
                     .arg(jsonString(netBandName(int(b))),
                          jsonNullable(w.window ? std::optional(w.window->min) : std::nullopt),
                          jsonNullable(w.window ? std::optional(w.window->max) : std::nullopt),
                          jsonOutlet(r, w.weakest, conflict), jsonOutlet(r, w.strongest, conflict),
                          jsonOutlet(r, w.unrated, w.judged));
    }
    return QStringLiteral("  \"head_end_window\": [\n") + bands.join(QStringLiteral(",\n")) +
           QStringLiteral("\n  ]\n");
}

// The head-end window after the outlet table: lines in the text form, a
// member in JSON; CSV keeps its one table.
QString withHeadWindow(QString out, OutputFormat format, const Network& network,
                       const NetworkResult& r, const Profile& profile) {
    const HeadWindow window =
        headEndWindow(r, outletCriteria(profile), headEndLevels(network.head));
    if (format == OutputFormat::Csv) return out;
    if (format == OutputFormat::Json) {
        out.chop(2); // "}\n"
        out.insert(out.size() - 1, u',');
        return out + jsonWindow(r, window) + QStringLiteral("}\n");
    }
    out += u'\n';
    for (size_t b = 0; b < NetBandCount; ++b)
        out += windowLine(r, window[b], int(b)) + u'\n';
    return out;
}

} // namespace

BatchResult networkLevelsCommand(const QString& file, OutputFormat format, const Profile& profile) {
    Network network;
    try {
        network = readNetworkFile(file);
    } catch (const UserError& error) {
        return {ExitRefused, QString(), terminalMessage(error.message()) + u'\n'};
    }
    const NetworkResult result = computeNetwork(network, profile);
    BatchResult batch;
    batch.out = withHeadWindow(formatLevelTable(networkLevelTable(file, result), format), format,
                               network, result, profile);
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
