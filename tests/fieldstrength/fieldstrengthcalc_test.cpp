#include "fieldstrength/fieldstrengthcalc.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <optional>

using namespace miravel::common;
using namespace miravel::fieldstrength;

namespace {

using Item = FieldStrengthItem;

// The screen's start values: everything empty but the four standard outputs.
FieldStrengthInput startValues() {
    FieldStrengthInput in;
    in.ev = "75";
    in.eu = "75";
    in.ebs = "80";
    in.ecs = "80";
    return in;
}

const BandValues S7CFB = {0.081, 0.164, 0.233, 0.294};

struct Case {
    const char* name;
    void (*edit)(FieldStrengthInput&);
    BandValues loss;
    BandValues levels;
};

TEST(FieldStrengthCalc, FormsTheFourBoosterInputLevels) {
    const Case cases[] = {
        {"start values", [](FieldStrengthInput&) {}, {}, {75, 75, 80, 80}},
        {"worked case: S-7C-FB 30 m, M-UV-7 MC-UV-7",
         [](FieldStrengthInput& in) {
             in.vhfGain = "4";
             in.uhfGain = "9";
             in.mixerVhf = "1";
             in.mixerUhf = "1.5";
             in.mixerBs = "0";
             in.length = "30";
         },
         S7CFB,
         {79 - (2.43 + 1.0), 84 - (4.92 + 1.5), 80 - 6.99, 80 - 8.82}},
        {"BS takes its mixer loss, CS none; neither takes a gain",
         [](FieldStrengthInput& in) {
             in.mixerBs = "1.8";
             in.length = "10";
         },
         S7CFB,
         {75 - 0.81, 75 - 1.64, 80 - (2.33 + 1.8), 80 - 2.94}},
        {"gains and Ev/Eu in whole dB, halves to even",
         [](FieldStrengthInput& in) {
             in.vhfGain = "4.5";
             in.uhfGain = "5.5";
             in.ev = "70.5";
             in.eu = "71.5";
         },
         {},
         {70 + 4, 72 + 6, 80, 80}},
        {"a halving below zero and a gain just past the half",
         [](FieldStrengthInput& in) {
             in.vhfGain = "-2.5";
             in.uhfGain = "2.51";
         },
         {},
         {75 - 2, 75 + 3, 80, 80}},
        {"mixer losses, Ebs and Ecs keep their decimals",
         [](FieldStrengthInput& in) {
             in.mixerVhf = "1.5";
             in.mixerUhf = "0.25";
             in.ebs = "80.5";
             in.ecs = "79.75";
         },
         {},
         {73.5, 74.75, 80.5, 79.75}},
        {"catalogue-style and non-numeric texts read by their leading number",
         [](FieldStrengthInput& in) {
             in.vhfGain = "4.0以上";
             in.uhfGain = "9.0 以上";
             in.mixerVhf = "--";
             in.length = "abc";
         },
         {1, 1, 1, 1},
         {79, 84, 80, 80}},
        {"the 16-bit limits themselves are fine",
         [](FieldStrengthInput& in) {
             in.ev = "32767";
             in.vhfGain = "0";
             in.eu = "-32768.5"; // halves to -32768
             in.uhfGain = "0";
         },
         {},
         {32767, -32768, 80, 80}},
        {"a sum back inside the range",
         [](FieldStrengthInput& in) {
             in.ev = "32767";
             in.vhfGain = "-5";
         },
         {},
         {32762, 75, 80, 80}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FieldStrengthInput in = startValues();
        c.edit(in);
        const FieldStrengthResult result = calculateFieldStrength(in, c.loss);
        ASSERT_TRUE(result.ok());
        for (int band = 0; band < BandCount; ++band)
            EXPECT_NEAR(result.levels[size_t(band)], c.levels[size_t(band)], 1e-9)
                << "band " << band;
    }
}

struct RangeCase {
    const char* name;
    void (*edit)(FieldStrengthInput&);
    BandValues loss;
    Item item;
};

TEST(FieldStrengthCalc, StopsAtTheFirstValueOutOfRange) {
    const RangeCase cases[] = {
        {"Ev beyond 16 bits", [](FieldStrengthInput& in) { in.ev = "40000"; }, {}, Item::Ev},
        {"Eu below 16 bits", [](FieldStrengthInput& in) { in.eu = "-32769"; }, {}, Item::Eu},
        {"gain rounding up past 32767",
         [](FieldStrengthInput& in) { in.vhfGain = "32767.5"; },
         {},
         Item::VhfGain},
        {"UHF gain", [](FieldStrengthInput& in) { in.uhfGain = "1E5"; }, {}, Item::UhfGain},
        {"Ev + gain past 32767",
         [](FieldStrengthInput& in) {
             in.ev = "32767";
             in.vhfGain = "5";
         },
         {},
         Item::VhfSum},
        {"Eu + gain below -32768",
         [](FieldStrengthInput& in) {
             in.eu = "-32768";
             in.uhfGain = "-1";
         },
         {},
         Item::UhfSum},
        {"VHF gain too large for a double",
         [](FieldStrengthInput& in) { in.vhfGain = "1E400"; },
         {},
         Item::VhfGain},
        {"mixer VHF", [](FieldStrengthInput& in) { in.mixerVhf = "1E400"; }, {}, Item::MixerVhf},
        {"mixer UHF", [](FieldStrengthInput& in) { in.mixerUhf = "-1E400"; }, {}, Item::MixerUhf},
        {"mixer BS", [](FieldStrengthInput& in) { in.mixerBs = "1E400"; }, {}, Item::MixerBs},
        {"length", [](FieldStrengthInput& in) { in.length = "1E400"; }, {}, Item::Length},
        {"Ebs", [](FieldStrengthInput& in) { in.ebs = "1E400"; }, {}, Item::Ebs},
        {"Ecs", [](FieldStrengthInput& in) { in.ecs = "1E400"; }, {}, Item::Ecs},
        {"inputs are read in order: the gain before Ev",
         [](FieldStrengthInput& in) {
             in.ev = "1E400";
             in.vhfGain = "99999";
         },
         {},
         Item::VhfGain},
        {"an input before a sum",
         [](FieldStrengthInput& in) {
             in.ev = "32767";
             in.vhfGain = "5";
             in.ecs = "1E400";
         },
         {},
         Item::Ecs},
        {"coax loss times a huge length",
         [](FieldStrengthInput& in) { in.length = "1E308"; },
         {10, 0, 0, 0},
         Item::VhfLevel},
        {"huge coax and mixer terms added",
         [](FieldStrengthInput& in) {
             in.length = "1E308";
             in.mixerUhf = "1.7E308";
         },
         {0, 1, 0, 0},
         Item::UhfLevel},
        {"huge negative Ebs less a huge mixer loss",
         [](FieldStrengthInput& in) {
             in.ebs = "-1.7E308";
             in.mixerBs = "1.7E308";
         },
         {},
         Item::BsLevel},
        {"huge Ecs less a negative coax term",
         [](FieldStrengthInput& in) {
             in.ecs = "1.7E308";
             in.length = "-1.7E308";
         },
         {0, 0, 0, 1},
         Item::CsLevel},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        FieldStrengthInput in = startValues();
        c.edit(in);
        const FieldStrengthResult result = calculateFieldStrength(in, c.loss);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(*result.outOfRange, c.item);
    }
}

TEST(FieldStrengthCalc, MessagesNameTheFieldByItsCaption) {
    const struct {
        Item item;
        const char* message;
    } cases[] = {
        {Item::Ev, "Ev :VHF標準ｱﾝﾃﾅ出力電圧 の値が計算できる範囲を超えています。"},
        {Item::Ecs, "Ecs:BS 標準ｱﾝﾃﾅ出力電圧 の値が計算できる範囲を超えています。"},
        {Item::UhfGain, "UHF ANT 動作利得 の値が計算できる範囲を超えています。"},
        {Item::Length, "同軸ｹｰﾌﾟﾙの長さ の値が計算できる範囲を超えています。"},
        {Item::VhfSum,
         "Ev :VHF標準ｱﾝﾃﾅ出力電圧 と VHF ANT 動作利得 の和が計算できる範囲を超えています。"},
        {Item::CsLevel, "CS :ブスターへの入力 が計算できる範囲を超えています。"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(outOfRangeMessage(c.item), QString::fromUtf8(c.message));
    // Every item has a name of its own.
    QStringList all;
    for (int i = int(Item::VhfGain); i <= int(Item::CsLevel); ++i)
        all << outOfRangeMessage(Item(i));
    all.removeDuplicates();
    EXPECT_EQ(all.size(), int(Item::CsLevel) + 1);
}

} // namespace
