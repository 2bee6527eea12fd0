#include "standard/verdictsheet.h"

#include <gtest/gtest.h>

using namespace miravel::common;
using namespace miravel::standard;

namespace {

TEST(VerdictSheet, LevelTableFromResultLines) {
    const Profile outlet = standardProfile({});
    const SheetTable t = levelTable(outlet, {QStringLiteral("80db - 3.8db = 76.2db "),
                                             QStringLiteral("52db - 4db = 48db"), QString(),
                                             QStringLiteral("85db - 0db = 85db ")});
    ASSERT_EQ(t.rows.size(), size_t(BandCount));
    EXPECT_EQ(t.rows[VHF], QStringList({"VHF", "76.20 dBμV", "基準なし", "基準なし", ""}));
    EXPECT_EQ(t.rows[UHF], QStringList({"UHF", "48.00 dBμV", "不足 −2.00 dB", "50.00–81.00 dBμV",
                                        "54.00–85.00 dB"}));
    EXPECT_EQ(t.rows[BS], QStringList({"BS", "未計算", "", "52.00–81.00 dBμV", ""}));
    EXPECT_EQ(t.rows[CS], QStringList({"CS", "85.00 dBμV", "過大 +4.00 dB", "52.00–81.00 dBμV",
                                       "52.00–81.00 dB"}));
    EXPECT_EQ(t.verdicts, (std::vector<Verdict>{Verdict::NoCriterion, Verdict::Low,
                                                Verdict::NoCriterion, Verdict::High}));
}

// 4K8K satellite noise is measured in 33.7561 MHz (Nth 10.06 dBμV), 2K in
// 28.86 MHz (9.38 dBμV); terrestrial bands keep 5.6 MHz under both.
TEST(VerdictSheet, CnTable) {
    const Profile uhd = standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K});
    const SheetTable t = cnTable(uhd, {75, 60, 30, 33.06}, {8, 10, 8, 8});
    EXPECT_EQ(t.rows[UHF], QStringList({"UHF", "60.00 dBμV", "10.00 dB", "2.26 dBμV", "47.74 dB",
                                        "24.00 dB 以上", "適合"}));
    EXPECT_EQ(t.rows[BS], QStringList({"BS", "30.00 dBμV", "8.00 dB", "10.06 dBμV", "11.94 dB",
                                       "13.00 dB 以上", "不足 −1.06 dB"}));
    // 33.06 - 8 - 10.0588 = 15.0012: shown as 15.00, judged as shown.
    EXPECT_EQ(t.rows[CS][4], "15.00 dB");
    EXPECT_EQ(t.rows[VHF].last(), "基準なし");

    const Profile hd = standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Hd2K});
    const SheetTable t2 = cnTable(hd, {75, 60, 30, 32.38}, {8, 10, 8, 8});
    EXPECT_EQ(t2.rows[BS], QStringList({"BS", "30.00 dBμV", "8.00 dB", "9.38 dBμV", "12.62 dB",
                                        "11.00 dB 以上", "適合"}));
    EXPECT_EQ(t2.rows[CS][3], "9.38 dBμV");
    EXPECT_EQ(t2.rows[UHF][3], "2.26 dBμV");
}

// A band whose booster input was never calculated has no C/N and no failure.
TEST(VerdictSheet, CnTableWithoutInputSaysNotCalculated) {
    const Profile outlet = standardProfile({});
    const SheetTable t = cnTable(outlet, {75, std::nullopt, 30, std::nullopt}, {8, 10, 8, 8});
    EXPECT_EQ(t.rows[UHF], QStringList({"UHF", "未計算", "10.00 dB", "2.26 dBμV", "",
                                        "24.00 dB 以上", "未計算"}));
    EXPECT_EQ(t.verdicts, (std::vector<Verdict>{Verdict::NoCriterion, Verdict::NoCriterion,
                                                Verdict::Pass, Verdict::NoCriterion}));
}

TEST(VerdictSheet, Heading) {
    const Profile receiver = standardProfile({MeasuringPoint::Receiver, SatelliteSystem::Hd2K});
    const SheetHeading h =
        sheetHeading(QStringLiteral("/home/a/現場A.tvd"), QStringLiteral(" 3F "), receiver);
    EXPECT_EQ(h.lines, QStringList({"計算データ：現場A.tvd", "計算回路名：3F",
                                    "判定基準：受信機入力・BS/CS 2K", sheetSourceText()}));
    EXPECT_EQ(sheetHeading(QString(), QString(), receiver).lines.first(), "計算データ：（未保存）");
}

} // namespace
