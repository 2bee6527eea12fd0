// The words of an automatic design: what changes, where, and what cannot pass.

#include "network/autodesign.h"
#include "network/catalogparts.h"

#include "common/numformat.h"
#include "standard/criteria.h"

#include <cmath>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

constexpr int NamedFailures = 20; // more are counted, not named

// The first outlet at or below `id`, by which a user finds the part.
QString placeOf(const Network& network, const NetworkResult& result, NodeId id) {
    for (NodeId at = id;;) {
        const NodeResult* r = result.node(at);
        if (r && r->firstOutlet >= 0)
            return outletName(network, result.outlets[size_t(r->firstOutlet)]);
        const std::vector<NodeId>& below = network.children(at);
        if (below.empty()) return QString();
        at = below.front();
    }
}

QString changeLine(const Network& network, const DesignResult& d, const DesignChange& c) {
    QString line = componentLabel(c.before) + QStringLiteral(" → ") +
                   catalogueModelNames(c.after.kind).value(c.after.model - 1, c.after.userName);
    const QString place = placeOf(network, d.result, c.node);
    if (!place.isEmpty()) line += QStringLiteral("（%1 の系統）").arg(place);
    return line;
}

QString signedDb(double value) {
    return (value < 0 ? QStringLiteral("−") + Fmt2(-value) : Fmt2(value)) + QStringLiteral(" dB");
}

QStringList failureLines(const Network& network, const DesignResult& d) {
    QStringList names;
    for (const OutletResult& o : d.result.outlets)
        if (o.fails()) names << outletName(network, o);
    const int all = int(names.size());
    if (all > NamedFailures) names = names.mid(0, NamedFailures) << QStringLiteral("ほか");
    QStringList lines{
        QStringLiteral("基準を満たせない端子 %1 個: %2").arg(all).arg(names.join(u'、'))};
    for (size_t b = 0; b < NetBandCount; ++b) {
        if (!d.window[b].judged) continue;
        const QString best =
            d.bestBandMargin[b]
                ? QStringLiteral("最良の余裕 %1").arg(signedDb(*d.bestBandMargin[b]))
                : QStringLiteral("非対応の部品があり満たせません");
        lines << netBandName(int(b)) + QStringLiteral("　") + best + QStringLiteral("　") +
                     windowLine(network, d.result, d.window[b], int(b));
    }
    return lines;
}

} // namespace

QStringList designReport(const Network& network, const DesignResult& d) {
    QStringList lines;
    for (const DesignChange& c : d.changes)
        lines << changeLine(network, d, c);
    if (d.changes.empty()) lines << QStringLiteral("部品の変更はありません。");
    const NetBandValues before = headEndLevels(network.head), after = headEndLevels(d.head);
    for (size_t b = 0; b < NetBandCount; ++b)
        if (before[b] != after[b])
            lines << QStringLiteral("ヘッドエンド出力 %1 %2 → %3 dB")
                         .arg(netBandName(int(b)), Fmt2(before[b]), Fmt2(after[b]));
    if (d.passes()) {
        if (std::isfinite(d.margin))
            lines << QStringLiteral("すべての端子が基準を満たします（最小の余裕 %1）。")
                         .arg(signedDb(d.margin));
        return lines;
    }
    return lines + failureLines(network, d);
}

} // namespace miravel::network
