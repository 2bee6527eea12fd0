#include "standard/judgement.h"

#include "common/numformat.h"
#include "common/numval.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace miravel::common;
using namespace miravel::standard;

namespace {

using P = MeasuringPoint;
using S = SatelliteSystem;

const ProfileId OutletHd{P::Outlet, S::Hd2K};
const ProfileId OutletUhd{P::Outlet, S::Uhd4K8K};
const ProfileId ReceiverHd{P::Receiver, S::Hd2K};
const ProfileId ReceiverUhd{P::Receiver, S::Uhd4K8K};

QString levelVerdict(ProfileId id, int band, double level) {
    return verdictText(judgeLevel(level, standardProfile(id).bands[size_t(band)].level));
}

// Both ends of every range of every profile, and a hundredth beyond each.
TEST(LevelVerdict, EveryBoundaryOfEveryProfile) {
    struct Case {
        ProfileId id;
        int band;
        double level;
        const char* expected;
    };
    const Case cases[] = {
        {OutletHd, UHF, 49.99, "不足 −0.01 dB"},
        {OutletHd, UHF, 50, "適合"},
        {OutletHd, UHF, 81, "適合"},
        {OutletHd, UHF, 81.01, "過大 +0.01 dB"},
        {OutletHd, BS, 51.99, "不足 −0.01 dB"},
        {OutletHd, BS, 52, "適合"},
        {OutletHd, BS, 81, "適合"},
        {OutletHd, BS, 81.01, "過大 +0.01 dB"},
        {OutletHd, CS, 51.99, "不足 −0.01 dB"},
        {OutletHd, CS, 52, "適合"},
        {OutletHd, CS, 81, "適合"},
        {OutletHd, CS, 81.01, "過大 +0.01 dB"},
        {OutletUhd, UHF, 49.99, "不足 −0.01 dB"},
        {OutletUhd, UHF, 50, "適合"},
        {OutletUhd, BS, 53.99, "不足 −0.01 dB"},
        {OutletUhd, BS, 54, "適合"},
        {OutletUhd, BS, 81, "適合"},
        {OutletUhd, BS, 81.01, "過大 +0.01 dB"},
        {OutletUhd, CS, 53.99, "不足 −0.01 dB"},
        {OutletUhd, CS, 54, "適合"},
        {OutletUhd, CS, 81, "適合"},
        {OutletUhd, CS, 81.01, "過大 +0.01 dB"},
        {ReceiverHd, UHF, 46.99, "不足 −0.01 dB"},
        {ReceiverHd, UHF, 47, "適合"},
        {ReceiverHd, UHF, 81, "適合"},
        {ReceiverHd, UHF, 81.01, "過大 +0.01 dB"},
        {ReceiverHd, BS, 47.99, "不足 −0.01 dB"},
        {ReceiverHd, BS, 48, "適合"},
        {ReceiverHd, CS, 47.99, "不足 −0.01 dB"},
        {ReceiverHd, CS, 81.01, "過大 +0.01 dB"},
        {ReceiverUhd, UHF, 47, "適合"},
        {ReceiverUhd, BS, 47.99, "不足 −0.01 dB"},
        {ReceiverUhd, BS, 48, "適合"},
        {ReceiverUhd, BS, 81.01, "過大 +0.01 dB"},
        {ReceiverUhd, CS, 48, "適合"},
        {ReceiverUhd, CS, 81, "適合"},
        // Far outside: the margin is the whole distance to the nearer end.
        {OutletUhd, BS, 53, "不足 −1.00 dB"},
        {OutletHd, UHF, -3.5, "不足 −53.50 dB"},
        {OutletHd, BS, 95.255, "過大 +14.26 dB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(levelVerdict(c.id, c.band, c.level), QString::fromUtf8(c.expected))
            << profileName(c.id).toStdString() << ' ' << c.band << ' ' << c.level;
}

TEST(LevelVerdict, VhfHasNoCriterionInAnyProfile) {
    for (const ProfileId id : allProfileIds())
        for (double level : {-10.0, 0.0, 60.0, 120.0}) {
            const Judgement j = judgeLevel(level, standardProfile(id).bands[VHF].level);
            EXPECT_EQ(j.verdict, Verdict::NoCriterion);
            EXPECT_EQ(verdictText(j), "基準なし");
        }
}

// The level is judged as shown, to two decimals, and the margin is taken
// from the shown value: 49.996 shows 50.00 and passes; 40.005 shows 40.01,
// 9.99 short (not the 10.00 that 40.005 itself would give).
TEST(LevelVerdict, JudgedOnTheShownLevel) {
    const std::optional<LevelRange> outletUhf = LevelRange{50, 81};
    const struct {
        double level;
        const char* expected;
    } cases[] = {
        {std::nextafter(50.0, 0.0), "適合"},
        {49.9999999999999, "適合"},
        {49.996, "適合"},
        {49.995, "適合"},
        {49.9949, "不足 −0.01 dB"},
        {105 - 55.01, "不足 −0.01 dB"},
        {81.004, "適合"},
        {81.005, "過大 +0.01 dB"},
        {40.005, "不足 −9.99 dB"},
        {95.255, "過大 +14.26 dB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(verdictText(judgeLevel(c.level, outletUhf)), QString::fromUtf8(c.expected))
            << c.level;
    EXPECT_EQ(judgeLevel(40.005, outletUhf).margin, 40.01 - 50);
    EXPECT_NE(judgeLevel(std::nan(""), outletUhf).verdict, Verdict::Pass);
}

// The fast rounding gives exactly the value the pattern shows, halves and
// large values included.
TEST(LevelVerdict, ShownLevelIsThePatternsValue) {
    std::vector<double> values = {0.005,        -0.005,     2.675,    1.005,      49.995,
                                  1e11 + 0.125, 1e12 + 0.5, -3.14159, 123456.785, 1e300};
    for (int i = -20000; i <= 20000; ++i)
        values.push_back(i * 0.0005 + 40);
    for (double v : values)
        EXPECT_EQ(shownLevel(v), NumVal(Fmt2(v))) << v;
}

TEST(CnVerdict, MinimumIsInclusiveOnTheShownValue) {
    struct Case {
        double cn;
        std::optional<double> minimum;
        const char* expected;
    };
    const Case cases[] = {
        {24, 24, "適合"},     {23.99, 24, "不足 −0.01 dB"},
        {23.996, 24, "適合"}, {23.994, 24, "不足 −0.01 dB"},
        {13, 13, "適合"},     {12.62, 13, "不足 −0.38 dB"},
        {500, 11, "適合"},    {5, std::nullopt, "基準なし"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(verdictText(judgeCn(c.cn, c.minimum)), QString::fromUtf8(c.expected)) << c.cn;
}

TEST(BoosterWindow, WorkedPath) {
    // The BS result of a path with 21.61 dB loss, outlet 2K: 52..81 at the
    // outlet needs 73.61..102.61 at the booster.
    const auto line = parseLevelLine(QStringLiteral("105db - 21.61db = 83.39db "));
    ASSERT_TRUE(line.has_value());
    const auto window = boosterWindow(line->loss, standardProfile(OutletHd).bands[BS].level);
    ASSERT_TRUE(window.has_value());
    EXPECT_DOUBLE_EQ(window->min, 73.61);
    EXPECT_DOUBLE_EQ(window->max, 102.61);
    EXPECT_EQ(windowText(window), "必要ブースター出力 73.61–102.61 dB");
    EXPECT_EQ(windowText(boosterWindow(12, std::nullopt)), "");
    // A booster output anywhere in the window puts the outlet in range.
    for (double output : {window->min, window->max})
        EXPECT_EQ(
            judgeLevel(output - line->loss, standardProfile(OutletHd).bands[BS].level).verdict,
            Verdict::Pass);
}

// The window's ends have two decimals, the minimum rounded up and the
// maximum down, and each end as shown, fed back as the output, passes.
TEST(BoosterWindow, ShownEndsPass) {
    const std::optional<LevelRange> range = LevelRange{50, 81};
    for (double loss : {17.004, 16.996, 17.005, 0.001, 21.61, 3.3333333, 50.0 / 3, 105 - 88.99}) {
        const auto window = boosterWindow(loss, range);
        ASSERT_TRUE(window.has_value()) << loss;
        for (double end : {window->min, window->max}) {
            EXPECT_EQ(end, NumVal(Fmt2(end))) << loss;
            EXPECT_EQ(judgeLevel(end - loss, range).verdict, Verdict::Pass) << loss;
        }
        EXPECT_GE(window->min, range->min + loss - 1e-9) << loss;
        EXPECT_LT(window->min - 0.01, range->min + loss) << loss;
        EXPECT_LE(window->max, range->max + loss + 1e-9) << loss;
        EXPECT_GT(window->max + 0.01, range->max + loss) << loss;
    }
    EXPECT_EQ(windowText(boosterWindow(17.004, range)), "必要ブースター出力 67.01–98.00 dB");
}

TEST(Texts, RangeAndMinimum) {
    EXPECT_EQ(rangeText(LevelRange{50, 81}), "50.00–81.00 dBμV");
    EXPECT_EQ(rangeText(std::nullopt), "基準なし");
    EXPECT_EQ(minimumText(24), "24.00 dB 以上");
    EXPECT_EQ(minimumText(std::nullopt), "基準なし");
    // The verdict's minus is the typographic one, not a hyphen.
    EXPECT_TRUE(verdictText({Verdict::Low, -1}).contains(QChar(0x2212)));
}

TEST(LevelLine, Parse) {
    struct Case {
        const char* line;
        bool valid;
        double output, loss, terminal;
    };
    const Case cases[] = {
        {"105db - 16.01db = 88.99db ", true, 105, 16.01, 88.99},
        {"0db - 0db = 0db ", true, 0, 0, 0},
        {"0db - 12.5db = -12.5db ", true, 0, 12.5, -12.5},
        {"1E+20db - 3db = 1E+20db ", true, 1e20, 3, 1e20},
        {"105db - 16.01db = 88.99db", true, 105, 16.01, 88.99}, // as a project file keeps it
        {"105db - 16.01db = 88.99", false, 0, 0, 0},
        {"", false, 0, 0, 0},
        {"abcdb - 1db = 2db ", false, 0, 0, 0},
        {"105db = 16.01db - 88.99db ", false, 0, 0, 0},
        {"105db - 16.01db = db ", false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const auto v = parseLevelLine(QString::fromUtf8(c.line));
        ASSERT_EQ(v.has_value(), c.valid) << c.line;
        if (!v) continue;
        EXPECT_DOUBLE_EQ(v->output, c.output) << c.line;
        EXPECT_DOUBLE_EQ(v->loss, c.loss) << c.line;
        EXPECT_DOUBLE_EQ(v->terminal, c.terminal) << c.line;
    }
}

} // namespace
