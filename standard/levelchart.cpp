#include "standard/levelchart.h"

#include "common/numformat.h"
#include "terminal/keisan.h"

#include <algorithm>
#include <cmath>

namespace {

// Proportions of a panel, as fractions of its height or width, so that the
// chart looks the same on screen, on paper and in an image.
constexpr double OuterMargin = 0.02;
constexpr double TitleHeight = 0.09;
constexpr double LabelHeight = 0.08;
constexpr double VerdictHeight = 0.09;
constexpr double AxisWidth = 0.11;
constexpr double RightMargin = 0.03;
constexpr double BarFill = 0.6; // of each bar's slot
constexpr int StepCount = LossGroupCount + 2;
// The scale reaches a little beyond every level and range end, in whole tens.
constexpr double ScalePad = 2;
constexpr double TickStep = 10;

struct Scale {
    double low, high;
};

Scale commonScale(const std::array<ChartBandInput, BandCount>& inputs) {
    double low = HUGE_VAL, high = -HUGE_VAL;
    auto include = [&](double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    };
    for (const ChartBandInput& in : inputs) {
        double level = in.output;
        include(level);
        for (double loss : in.losses)
            include(level -= loss);
        if (in.range) {
            include(in.range->min);
            include(in.range->max);
        }
    }
    return {std::floor((low - ScalePad) / TickStep) * TickStep,
            std::ceil((high + ScalePad) / TickStep) * TickStep};
}

QString verdictLine(int band, double outlet, const Judgement& j) {
    return bandName(band) + QStringLiteral(" 端子レベル ") + Fmt2(shownLevel(outlet)) +
           QStringLiteral(" dBμV　") + verdictText(j);
}

ChartPanel layoutPanel(int band, const ChartBandInput& in, QRectF frame, Scale scale) {
    ChartPanel p;
    p.band = band;
    p.frame = frame;
    const double w = frame.width(), h = frame.height();
    p.plot = QRectF(frame.left() + AxisWidth * w, frame.top() + TitleHeight * h,
                    (1 - AxisWidth - RightMargin) * w,
                    (1 - TitleHeight - LabelHeight - VerdictHeight) * h);
    p.labelRow = QRectF(p.plot.left(), p.plot.bottom(), p.plot.width(), LabelHeight * h);
    p.verdictRow = QRectF(frame.left(), p.labelRow.bottom(), w, VerdictHeight * h);
    p.title = bandName(band) + QStringLiteral("　") + rangeText(in.range);

    const auto y = [&](double v) {
        const double clamped = std::clamp(v, scale.low, scale.high);
        return p.plot.bottom() - (clamped - scale.low) / (scale.high - scale.low) * p.plot.height();
    };
    for (double v = scale.low; v <= scale.high; v += TickStep)
        p.ticks.push_back({v, y(v)});
    if (in.range)
        p.range = QRectF(QPointF(p.plot.left(), y(in.range->max)),
                         QPointF(p.plot.right(), y(in.range->min)));

    const double slot = p.plot.width() / StepCount;
    const auto bar = [&](int step, ChartBarKind kind, double from, double to) {
        const double left = p.plot.left() + (step + (1 - BarFill) / 2) * slot;
        const double top = std::min(y(from), y(to)), bottom = std::max(y(from), y(to));
        p.bars.push_back(
            {kind, chartBarCaption(step), from, to, QRectF(left, top, BarFill * slot, bottom - top),
             QRectF(p.plot.left() + step * slot, p.labelRow.top(), slot, p.labelRow.height())});
    };
    double level = in.output;
    bar(0, ChartBarKind::Output, scale.low, level);
    for (int g = 0; g < LossGroupCount; ++g) {
        const double after = level - in.losses[size_t(g)];
        bar(g + 1, ChartBarKind::Loss, level, after);
        level = after;
    }
    bar(StepCount - 1, ChartBarKind::Outlet, scale.low, level);
    p.judgement = judgeLevel(level, in.range);
    p.verdict = verdictLine(band, level, p.judgement);
    return p;
}

} // namespace

std::array<ChartBandInput, BandCount> chartInputs(const BandValues& outputs, const KeisanResult& r,
                                                  const Profile& profile) {
    std::array<ChartBandInput, BandCount> inputs{};
    for (size_t b = 0; b < BandCount; ++b)
        inputs[b] = {outputs[b],
                     {r.Bunpai_Loss[b], r.Bunki_Loss[b], r.Yunit_Loss[b], r.Douziyuku_Total[b]},
                     profile.bands[b].level};
    return inputs;
}

ChartLayout layoutLevelChart(const std::array<ChartBandInput, BandCount>& inputs, QSizeF size) {
    const Scale scale = commonScale(inputs);
    ChartLayout layout{scale.low, scale.high, {}};
    const double margin = OuterMargin * std::min(size.width(), size.height());
    const double cellW = (size.width() - margin) / 2, cellH = (size.height() - margin) / 2;
    for (int b = 0; b < BandCount; ++b) {
        const QRectF cell(margin + (b % 2) * cellW, margin + (b / 2) * cellH, cellW - margin,
                          cellH - margin);
        layout.panels.push_back(layoutPanel(b, inputs[size_t(b)], cell, scale));
    }
    return layout;
}

QString chartBarCaption(int step) {
    static const char* const captions[StepCount] = {"出力",           "分配器", "分岐器",
                                                    "直列ﾕﾆｯﾄ・端子", "同軸",   "端子"};
    return QString::fromUtf8(captions[step]);
}
