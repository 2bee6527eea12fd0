#include "cli/networklevels.h"

#include "cli/commandline.h"
#include "common/errors.h"
#include "common/numformat.h"
#include "common/numval.h"
#include "network/headwindow.h"
#include "network/networktexts.h"
#include "network/tvdnfile.h"
#include "standard/judgement.h"

#include <memory>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace miravel::cli {

bool isNetworkFile(const QString& file) {
    return file.endsWith(QStringLiteral(".tvdn"), Qt::CaseInsensitive);
}

namespace {

QString bandKey(int b) {
    return b == LeftBand ? QStringLiteral("lhcp") : bandName(b).toLower();
}

// Name, room and floor; each band's level and verdict; each band's C/N and
// its verdict; the overall verdict.
QList<LevelColumn> networkColumns() {
    QList<LevelColumn> columns{{QStringLiteral("outlet"), QStringLiteral("端子"), false},
                               {QStringLiteral("room"), QStringLiteral("部屋"), false},
                               {QStringLiteral("floor"), QStringLiteral("階"), false}};
    for (int b = 0; b < NetBandCount; ++b) {
        columns.append({bandKey(b) + QStringLiteral("_level"),
                        netBandName(b) + QStringLiteral(" レベル(dB)"), true});
        columns.append({bandKey(b) + QStringLiteral("_verdict"),
                        netBandName(b) + QStringLiteral(" 判定"), false});
    }
    for (int b = 0; b < NetBandCount; ++b) {
        columns.append({bandKey(b) + QStringLiteral("_cn"),
                        netBandName(b) + QStringLiteral(" C/N(dB)"), true});
        columns.append({bandKey(b) + QStringLiteral("_cn_verdict"),
                        netBandName(b) + QStringLiteral(" C/N判定"), false});
    }
    columns.append({QStringLiteral("result"), QStringLiteral("総合"), false});
    return columns;
}

// One outlet's cells, in the columns' order, into a list kept between rows.
void outletCells(const Network& network, const OutletResult& o, QStringList& cells) {
    constexpr int CnFrom = 3 + 2 * NetBandCount;
    cells.resize(CnFrom + 2 * NetBandCount + 1);
    cells[0] = outletName(network, o);
    cells[1] = outletRoom(network, o);
    cells[2] = outletFloor(network, o);
    for (int b = 0; b < NetBandCount; ++b) {
        const BandJudgement& j = o.bands[size_t(b)];
        const QString verdict = verdictText(j);
        cells[3 + 2 * b] = j.level ? NumText(*j.level) : verdict;
        cells[4 + 2 * b] = verdict;
        cells[CnFrom + 2 * b] = j.cn ? NumText(*j.cn) : QString();
        cells[CnFrom + 2 * b + 1] = cnVerdictText(j);
    }
    cells[CnFrom + 2 * NetBandCount] =
        o.fails() ? QStringLiteral("不適合") : QStringLiteral("適合");
}

void writeNetworkLevels(const QString& file, const Network& network, const NetworkResult& result,
                        OutputFormat format, const LevelWriter::Sink& sink, const QString& after) {
    LevelWriter writer(file, networkColumns(), format, sink);
    QStringList cells;
    if (format == OutputFormat::Text)
        for (const OutletResult& o : result.outlets) {
            outletCells(network, o, cells);
            writer.measure(cells);
        }
    writer.begin();
    for (const OutletResult& o : result.outlets) {
        outletCells(network, o, cells);
        writer.row(cells);
    }
    writer.end(after);
}

} // namespace

LevelTable networkLevelTable(const QString& file, const Network& network,
                             const NetworkResult& result) {
    LevelTable table;
    table.source = file;
    table.columns = networkColumns();
    QStringList cells;
    for (const OutletResult& o : result.outlets) {
        outletCells(network, o, cells);
        table.rows.append(cells);
    }
    return table;
}

namespace {

QString jsonNullable(const std::optional<double>& value) {
    return value ? Fmt2(*value) : QStringLiteral("null");
}

QString jsonOutlet(const Network& n, const NetworkResult& r, int outlet, bool named) {
    return named && outlet >= 0 ? jsonString(outletName(n, r.outlets[size_t(outlet)]))
                                : QStringLiteral("null");
}

// "head_end_window": per band its range (null without one) and, when no
// level serves every outlet, the two that conflict.
QString jsonWindow(const Network& n, const NetworkResult& r, const HeadWindow& window) {
    QStringList bands;
    for (size_t b = 0; b < NetBandCount; ++b) {
        const BandWindow& w = window[b];
        const bool conflict = w.judged && !w.window && w.unrated < 0;
        bands << QStringLiteral("    {\"band\": %1, \"min\": %2, \"max\": %3, \"weakest\": %4, "
                                "\"strongest\": %5, \"unrated\": %6}")
                     .arg(jsonString(netBandName(int(b))),
                          jsonNullable(w.window ? std::optional(w.window->min) : std::nullopt),
                          jsonNullable(w.window ? std::optional(w.window->max) : std::nullopt),
                          jsonOutlet(n, r, w.weakest, conflict),
                          jsonOutlet(n, r, w.strongest, conflict),
                          jsonOutlet(n, r, w.unrated, w.judged));
    }
    return QStringLiteral("  \"head_end_window\": [\n") + bands.join(QStringLiteral(",\n")) +
           QStringLiteral("\n  ]\n");
}

// The head-end window after the outlet table: lines in the text form, a
// member in JSON; CSV keeps its one table.
QString headWindowAfter(OutputFormat format, const Network& network, const NetworkResult& r,
                        const Profile& profile) {
    if (format == OutputFormat::Csv) return QString();
    const HeadWindow window =
        headEndWindow(r, outletCriteria(profile), headEndLevels(network.head));
    if (format == OutputFormat::Json) return jsonWindow(network, r, window);
    QString out = QStringLiteral("\n");
    for (size_t b = 0; b < NetBandCount; ++b)
        out += windowLine(network, r, window[b], int(b)) + u'\n';
    return out;
}

} // namespace

BatchResult networkLevelsCommand(const QString& file, OutputFormat format, const Profile& profile) {
    auto shared = std::make_shared<Network>();
    Network& network = *shared;
    try {
        network = readNetworkFile(file);
    } catch (const UserError& error) {
        return {ExitRefused, QString(), terminalMessage(error.message()) + u'\n', {}};
    }
    auto result = std::make_shared<NetworkResult>(computeNetwork(network, profile));
    BatchResult batch;
    // Written row by row: the table of a large network is never held whole.
    const QString after = headWindowAfter(format, network, *result, profile);
    batch.streamOut = [file, format, shared, result, after](const LevelWriter::Sink& sink) {
        writeNetworkLevels(file, *shared, *result, format, sink, after);
    };
    batch.err = cableJudgingText(result->judgedAtBandEdges) + u'\n';
    if (result->failingOutlets > 0)
        batch.err += QStringLiteral("%1 の基準を外れた端子があります（%2 端子中 %3）。\n")
                         .arg(profileName(profile.id))
                         .arg(result->outlets.size())
                         .arg(result->failingOutlets);
    for (NodeId id : result->failingBoosters)
        batch.err += boosterFaultLine(network, *result, id) + u'\n';
    if (result->fails()) batch.status = ExitFailing;
    return batch;
}

} // namespace miravel::cli
