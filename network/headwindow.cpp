#include "network/headwindow.h"

#include "standard/judgement.h"

#include <cmath>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

double pathLoss(const OutletResult& outlet, size_t band, const NetBandValues& head) {
    return head[band] - *outlet.bands[band].level;
}

int firstUnrated(const NetworkResult& result, size_t band) {
    for (size_t i = 0; i < result.outlets.size(); ++i)
        if (!result.outlets.level(i, band)) return int(i);
    return -1;
}

} // namespace

HeadWindow headEndWindow(const NetworkResult& result, const OutletCriteria& criteria,
                         const NetBandValues& head) {
    HeadWindow windows;
    for (size_t b = 0; b < NetBandCount; ++b) {
        BandWindow& w = windows[b];
        const BandSummary& s = result.summary[b];
        w.judged = criteria.level[b].has_value();
        w.weakest = s.worst;
        w.strongest = s.best;
        if (s.unrated > 0) w.unrated = firstUnrated(result, b);
        if (!w.judged || w.unrated >= 0 || s.worst < 0) continue;
        // Every outlet's window moves with its path loss: the one with the
        // most loss sets the minimum, the one with the least the maximum.
        const auto low =
            boosterWindow(pathLoss(result.outlets[size_t(s.worst)], b, head), criteria.level[b]);
        const auto high =
            boosterWindow(pathLoss(result.outlets[size_t(s.best)], b, head), criteria.level[b]);
        if (low && high && low->min <= high->max) w.window = LevelRange{low->min, high->max};
    }
    return windows;
}

bool hasAnyWindow(const HeadWindow& window) {
    for (const BandWindow& w : window)
        if (w.window) return true;
    return false;
}

HeadEnd headAtWindowMiddle(const HeadEnd& head, const HeadWindow& window) {
    HeadEnd out = head;
    for (size_t b = 0; b < NetBandCount; ++b) {
        if (!window[b].window) continue;
        const double middle = shownLevel((window[b].window->min + window[b].window->max) / 2);
        if (head.source == HeadSource::BoosterInputPlusGain)
            out.gain[b] = shownLevel(middle - netBandValues(Bst_Input)[b]);
        else
            out.levels[b] = middle;
    }
    if (out.source == HeadSource::TerminalScreen) out.source = HeadSource::Typed;
    return out;
}

QString windowLine(const Network& network, const NetworkResult& result, const BandWindow& w,
                   int band) {
    const auto named = [&](int i) { return outletName(network, result.outlets[size_t(i)]); };
    const QString name = netBandName(band) + QStringLiteral("　ヘッドエンド出力 ");
    if (!w.judged) return name + QStringLiteral("基準なし");
    if (w.window) return name + windowRangeText(w.window);
    if (w.unrated >= 0) return name + QStringLiteral("なし（%1 が非対応）").arg(named(w.unrated));
    if (w.weakest < 0) return name + QStringLiteral("端子なし");
    return name + QStringLiteral("なし（%1（最弱）と %2（最強）が両立しません）")
                      .arg(named(w.weakest), named(w.strongest));
}

} // namespace miravel::network
