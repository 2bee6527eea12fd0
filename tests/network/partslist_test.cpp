#include "networktestsupport.h"

#include "common/errors.h"
#include "network/partslist.h"

using namespace miravel::common;
using namespace miravel::network;

namespace {

QStringList lines(const PartsList& list) {
    QStringList all;
    for (const QStringList& row : partsListCells(list))
        all << row.join(u'|');
    return all;
}

// Counted by hand from the file: 3 floors, 15 runs, all with a length.
TEST(PartsList, TheTwelveOutletExample) {
    const PartsList list = countParts(loadExample("apartment-12.tvdn"));
    EXPECT_EQ(lines(list), QStringList({
                               "種類|型式・品名|数量|単位|単価|金額",
                               "分配器|CS-D4|1|個||",
                               "分岐器|CS-C2|1|個||",
                               "分岐器|CS-C4|1|個||",
                               "直列ユニット|２端子形 CS|2|個||",
                               "直列ユニット|２端子形 CS（終端）|2|個||",
                               "テレビ端子|DCM7FTCS|8|個||",
                               "ケーブル|S-5C-FB|62|m||",
                               "ケーブル|S-7C-FB|14|m||",
                               "接栓|F形接栓|30|個||",
                           }));
    EXPECT_FALSE(list.total);
}

TEST(PartsList, AmountsAndTotalWithAllowance) {
    PriceTable prices;
    prices.perPiece[QStringLiteral("分岐器 CS-C4")] = 1000;
    prices.perPiece[QStringLiteral("テレビ端子 DCM7FTCS")] = 500;
    prices.perPiece[connectorName()] = 50;
    prices.perMetre[QStringLiteral("S-5C-FB")] = 100;
    prices.perMetre[QStringLiteral("分岐器 CS-C2")] = 7; // a part's name is no cable
    const PartsList list = countParts(loadExample("apartment-12.tvdn"), 10, prices);
    const QStringList all = lines(list);
    EXPECT_EQ(all[3], QStringLiteral("分岐器|CS-C4|1|個|1000|1000"));
    EXPECT_EQ(all[2], QStringLiteral("分岐器|CS-C2|1|個||"));
    EXPECT_EQ(all[6], QStringLiteral("テレビ端子|DCM7FTCS|8|個|500|4000"));
    EXPECT_EQ(all[7], QStringLiteral("ケーブル|S-5C-FB|68.2|m|100|6820"));
    EXPECT_EQ(all[8], QStringLiteral("ケーブル|S-7C-FB|15.4|m||"));
    EXPECT_EQ(all[10], QStringLiteral("合計（単価のない 5 品目を除く）|||||13320"));
    ASSERT_TRUE(list.total);
    EXPECT_DOUBLE_EQ(*list.total, 13320);
    EXPECT_THROW(countParts(Network(), 100.5), UserError);
    EXPECT_THROW(countParts(Network(), -1), UserError);
}

// The parts library keeps prices under the bare model name; the label wins.
TEST(PartsList, PricesByModelNameAsTheLibraryKeepsThem) {
    PriceTable prices;
    prices.perPiece[QStringLiteral("CS-C2")] = 800;
    prices.perPiece[QStringLiteral("DCM7FTCS")] = 1;
    prices.perPiece[QStringLiteral("テレビ端子 DCM7FTCS")] = 500;
    const QStringList all = lines(countParts(loadExample("apartment-12.tvdn"), 0, prices));
    EXPECT_EQ(all[2], QStringLiteral("分岐器|CS-C2|1|個|800|800"));
    EXPECT_EQ(all[6], QStringLiteral("テレビ端子|DCM7FTCS|8|個|500|4000"));
}

// A user part is counted by its name; a run of 0 m has no cable and no connectors.
TEST(PartsList, UserPartsAndRunsWithoutLength) {
    Network net;
    net.setUserComponent({QStringLiteral("混合器X"), {UserPort{{0.0, 0.0, 0.0, 0.0}, false}}});
    const NodeId user = net.addChild(HeadEndId, 0, userSetup("混合器X", "S-5C-FB", 0));
    net.addChild(user, 0, partSetup(ComponentKind::Outlet, "BS-7F", "S-5C-FB", 2.5));
    EXPECT_EQ(lines(countParts(net)), QStringList({
                                          "種類|型式・品名|数量|単位|単価|金額",
                                          "テレビ端子|BS-7F|1|個||",
                                          "ユーザー部品|混合器X|1|個||",
                                          "ケーブル|S-5C-FB|2.5|m||",
                                          "接栓|F形接栓|2|個||",
                                      }));
}

} // namespace
