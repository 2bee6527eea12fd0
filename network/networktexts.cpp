#include "network/networktexts.h"

#include "common/numformat.h"
#include "common/numval.h"
#include "network/catalogparts.h"

#include <QStringList>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

QString nodeTitle(const Network& network, NodeId id) {
    if (id == HeadEndId) return QStringLiteral("ヘッドエンド");
    return componentLabel(network.node(id).setup.component);
}

QString cableText(const Network& network, NodeId id) {
    if (id == HeadEndId) return {};
    const CoaxRun& run = network.node(id).setup.coax;
    return run.cable + u' ' + NumText(run.metres) + QStringLiteral(" m");
}

QString portName(const Network& network, NodeId parent, int port) {
    if (parent == HeadEndId) return QStringLiteral("出力");
    const Component& c = network.node(parent).setup.component;
    switch (c.kind) {
    case ComponentKind::Brancher:
        return port == 0 ? QStringLiteral("通過") : QStringLiteral("分岐%1").arg(port);
    case ComponentKind::SeriesUnit:
        return port == 0 && !c.endUnit ? QStringLiteral("通過") : QStringLiteral("端子");
    case ComponentKind::Outlet:
        return QStringLiteral("端子");
    case ComponentKind::Distributor:
    case ComponentKind::User:
    case ComponentKind::Booster:
        break;
    }
    return QStringLiteral("出力%1").arg(port + 1);
}

QString levelText(const std::optional<double>& level) {
    return level ? Fmt2(*level) : QStringLiteral("非対応");
}

QString outletVerdictLine(const OutletResult& outlet) {
    QStringList failing, estimated;
    for (int b = 0; b < NetBandCount; ++b) {
        const BandJudgement& j = outlet.bands[size_t(b)];
        if (j.cnLow) failing << netBandName(b) + QStringLiteral(" C/N ") + cnVerdictText(j);
        if (j.estimated) estimated << netBandName(b);
        if (j.verdict == OutletVerdict::Pass || j.verdict == OutletVerdict::NoStandard ||
            j.verdict == OutletVerdict::NotRatedNoStandard)
            continue;
        failing << netBandName(b) + u' ' + verdictText(j);
    }
    QString line = failing.isEmpty() ? QStringLiteral("適合") : failing.join(QStringLiteral("、"));
    if (!estimated.isEmpty())
        line += QStringLiteral("（%1: %2）").arg(estimateMark(), estimated.join(u'・'));
    return line;
}

QString boosterFaultText(const NodeResult& node) {
    QStringList faults;
    for (int b = 0; b < NetBandCount; ++b) {
        const BoosterFault f = node.booster[size_t(b)];
        if (f == BoosterFault::InputLow)
            faults << netBandName(b) + QStringLiteral(" 入力不足");
        else if (f == BoosterFault::OutputHigh)
            faults << netBandName(b) + QStringLiteral(" 出力過大");
    }
    return faults.join(QStringLiteral("、"));
}

QString boosterFaultLine(const Network& network, const NetworkResult& result, NodeId id) {
    const NodeResult* node = result.node(id);
    return QStringLiteral("%1（ノード %2）: %3")
        .arg(nodeTitle(network, id))
        .arg(id)
        .arg(node ? boosterFaultText(*node) : QString());
}

QString outletCnText(const BandJudgement& judgement) {
    return cnText(judgement);
}

QString failingBelowText(int failing) {
    return failing == 0 ? QString() : QStringLiteral("不適合 %1 端子").arg(failing);
}

bool isLowestOfBand(const NetworkResult& result, int outlet, int band) {
    const int worst = result.summary[size_t(band)].worst;
    if (worst < 0) return false;
    const PackedValue level = result.outlets.level(size_t(outlet), size_t(band));
    return level && *level == *result.outlets.level(size_t(worst), size_t(band));
}

} // namespace miravel::network
