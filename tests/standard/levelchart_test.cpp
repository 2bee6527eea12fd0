#include "standard/chartfixture.h"
#include "standard/levelchart.h"
#include "terminal/keisan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace miravel::common;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

TEST(LevelChart, ScaleCoversEveryLevelAndRangeInWholeTens) {
    const ChartLayout layout = layoutLevelChart(fixturePath(), QSizeF(1000, 800));
    // Lowest: the UHF range's 50 (minus the padding), highest: 105.
    EXPECT_EQ(layout.low, 40);
    EXPECT_EQ(layout.high, 110);
    ASSERT_EQ(layout.panels.size(), size_t(BandCount));
    EXPECT_EQ(layout.panels[0].ticks.size(), size_t(8));
    EXPECT_DOUBLE_EQ(layout.panels[0].ticks.front().y, layout.panels[0].plot.bottom());
    EXPECT_DOUBLE_EQ(layout.panels[0].ticks.back().y, layout.panels[0].plot.top());
}

TEST(LevelChart, WaterfallStepsInReportOrder) {
    const ChartLayout layout = layoutLevelChart(fixturePath(), QSizeF(1000, 800));
    const ChartPanel& bs = layout.panels[BS];
    ASSERT_EQ(bs.bars.size(), size_t(6));
    const double perDb = bs.plot.height() / 70;
    struct Expect {
        ChartBarKind kind;
        double from, to;
    };
    const Expect steps[] = {
        {ChartBarKind::Output, 40, 105},    {ChartBarKind::Loss, 105, 100.5},
        {ChartBarKind::Loss, 100.5, 100.5}, {ChartBarKind::Loss, 100.5, 86.5},
        {ChartBarKind::Loss, 86.5, 83.39},  {ChartBarKind::Outlet, 40, 83.39},
    };
    double previousLeft = bs.plot.left();
    for (size_t i = 0; i < bs.bars.size(); ++i) {
        const ChartBar& bar = bs.bars[i];
        EXPECT_EQ(bar.kind, steps[i].kind) << i;
        EXPECT_NEAR(bar.from, steps[i].from, 1e-9) << i;
        EXPECT_NEAR(bar.to, steps[i].to, 1e-9) << i;
        const double higher = std::max(steps[i].from, steps[i].to);
        EXPECT_NEAR(bar.rect.height(), std::abs(steps[i].from - steps[i].to) * perDb, 1e-9) << i;
        EXPECT_NEAR(bar.rect.top(), bs.plot.bottom() - (higher - 40) * perDb, 1e-9) << i;
        EXPECT_GT(bar.rect.left(), previousLeft) << "bars run left to right";
        EXPECT_LE(bar.rect.right(), bs.plot.right());
        previousLeft = bar.rect.left();
    }
    EXPECT_EQ(bs.bars[3].label, "直列ﾕﾆｯﾄ・端子");
}

TEST(LevelChart, RangeShadingAndVerdict) {
    auto in = fixturePath();
    in[BS].range = LevelRange{54, 81}; // 4K8K outlet: 83.39 is too high
    const ChartLayout layout = layoutLevelChart(in, QSizeF(1000, 800));
    const ChartPanel& bs = layout.panels[BS];
    ASSERT_TRUE(bs.range.has_value());
    const double perDb = bs.plot.height() / 70;
    EXPECT_NEAR(bs.range->top(), bs.plot.bottom() - 41 * perDb, 1e-9);
    EXPECT_NEAR(bs.range->bottom(), bs.plot.bottom() - 14 * perDb, 1e-9);
    EXPECT_EQ(bs.verdict, "BS 端子レベル 83.39 dBμV　過大 +2.39 dB");
    EXPECT_EQ(bs.title, "BS　54.00–81.00 dBμV");
    EXPECT_FALSE(layout.panels[VHF].range.has_value());
    EXPECT_EQ(layout.panels[VHF].judgement.verdict, Verdict::NoCriterion);
}

TEST(LevelChart, PanelsTileTheSizeWithoutOverlap) {
    const QSizeF size(1200, 900);
    const ChartLayout layout = layoutLevelChart(fixturePath(), size);
    for (size_t a = 0; a < layout.panels.size(); ++a) {
        const ChartPanel& p = layout.panels[a];
        EXPECT_TRUE(QRectF(QPointF(0, 0), size).contains(p.frame)) << a;
        EXPECT_TRUE(p.frame.contains(p.plot)) << a;
        EXPECT_LE(p.verdictRow.bottom(), p.frame.bottom() + 1e-9) << a;
        for (size_t b = a + 1; b < layout.panels.size(); ++b)
            EXPECT_FALSE(p.frame.intersects(layout.panels[b].frame)) << a << ' ' << b;
    }
}

// Far levels are drawn at the edge of a bounded scale and marked; the
// layout ends at once with a small tick count.
TEST(LevelChart, FarLevelsStayOffABoundedScale) {
    for (double output : {1e300, 1e8, HUGE_VAL, std::nan(""), -1e300}) {
        auto in = fixturePath();
        in[UHF].output = output;
        const ChartLayout layout = layoutLevelChart(in, QSizeF(1000, 800));
        EXPECT_GE(layout.low, ChartScaleFloor) << output;
        EXPECT_LE(layout.high, ChartScaleCeiling) << output;
        EXPECT_LT(layout.low, layout.high) << output;
        const ChartPanel& uhf = layout.panels[UHF];
        EXPECT_LE(uhf.ticks.size(), size_t((ChartScaleCeiling - ChartScaleFloor) / 10 + 1));
        EXPECT_NE(uhf.bars.back().offScale, 0) << output;
        for (const ChartBar& bar : uhf.bars) {
            EXPECT_GE(bar.rect.top(), uhf.plot.top() - 1e-9) << output;
            EXPECT_LE(bar.rect.bottom(), uhf.plot.bottom() + 1e-9) << output;
        }
        EXPECT_EQ(layout.panels[BS].bars.back().offScale, 0) << output;
    }
}

KeisanResult calculationWriting(double output, std::array<double, 4> groups) {
    KeisanResult r;
    r.Bunpai_Loss[BS] = groups[0];
    r.Bunki_Loss[BS] = groups[1];
    r.Yunit_Loss[BS] = groups[2];
    r.Douziyuku_Total[BS] = groups[3];
    const double total = groups[0] + groups[1] + groups[2] + groups[3];
    r.resultText[BS] = levelLine(output, total, output - total);
    return r;
}

// The chart shows the result lines: their output and outlet level, the loss
// itemised only by the calculation that wrote the line; no line, no bars.
TEST(LevelChart, DrawnFromTheResultLines) {
    const Profile outlet = standardProfile({});
    const KeisanResult wrote = calculationWriting(57.5, {4.5, 0, 0, 0});
    const KeisanResult other = calculationWriting(90, {4.5, 0, 0, 0});
    const std::array<QString, BandCount> lines = {QString(), QString(),
                                                  QStringLiteral("57.5db - 4.5db = 53db"),
                                                  QStringLiteral("85db - 0db = 85db ")};
    const auto in = chartInputsOfLines(lines, {other, wrote}, outlet);
    EXPECT_FALSE(in[VHF].calculated);
    EXPECT_EQ(in[BS].output, 57.5);
    EXPECT_EQ(in[BS].outlet, 53.0);
    EXPECT_TRUE(in[BS].itemised);
    EXPECT_EQ(in[BS].losses, (std::array<double, 4>{4.5, 0, 0, 0}));
    EXPECT_FALSE(in[CS].itemised) << "no calculation wrote this line";

    const ChartLayout layout = layoutLevelChart(in, QSizeF(1000, 800));
    EXPECT_TRUE(layout.panels[VHF].bars.empty());
    EXPECT_EQ(layout.panels[VHF].verdict, "VHF 端子レベル 未計算");
    EXPECT_EQ(layout.panels[BS].verdict, "BS 端子レベル 53.00 dBμV　適合");
    const ChartPanel& cs = layout.panels[CS];
    ASSERT_EQ(cs.bars.size(), size_t(3));
    EXPECT_EQ(cs.bars[1].label, wholeLossCaption());
    EXPECT_EQ(cs.verdict, "CS 端子レベル 85.00 dBμV　過大 +4.00 dB");
}

} // namespace
