// The head-end window of a network: the intersection of its outlets' windows.

#include "network/headwindow.h"
#include "networktestsupport.h"

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

// Head end -> a two-way part (4.004 and 3.996 dB) -> two outlets (1 dB),
// behind 10 m and 30 m of a cable of 10 dB per 100 m: path losses 6.004 and
// 7.996 dB in every band.
Network twoOutlets() {
    Network net;
    BandLoss ten, loss0, loss1, one;
    ten.fill(10.0);
    loss0.fill(4.004);
    loss1.fill(3.996);
    one.fill(1.0);
    net.setCableType(
        {QStringLiteral("T"), {{220, 10}, {770, 10}, {1300, 10}, {1770, 10}, {3224, 10}}, {}});
    net.setUserComponent({QStringLiteral("split"), {{loss0, false}, {loss1, false}}});
    net.setUserComponent({QStringLiteral("tap"), {{one, true}}});
    const NodeId split = net.addChild(HeadEndId, 0, userSetup("split", "T", 0));
    NodeSetup a = userSetup("tap", "T", 10), b = userSetup("tap", "T", 30);
    a.room = QStringLiteral("A");
    b.room = QStringLiteral("B");
    net.addChild(split, 0, a);
    net.addChild(split, 1, b);
    return net;
}

OutletCriteria uhfOnly(double min, double max) {
    OutletCriteria criteria{};
    criteria.level[UHF] = LevelRange{min, max};
    return criteria;
}

} // namespace

TEST(HeadWindow, TwoOutletsByHand) {
    const Network net = twoOutlets();
    const OutletCriteria criteria = uhfOnly(50, 81);
    const NetworkResult r = computeNetwork(net, criteria);
    const HeadWindow w = headEndWindow(r, criteria, headEndLevels(net.head));
    // 50 + 7.996 rounded up, 81 + 6.004 rounded down.
    ASSERT_TRUE(w[UHF].window);
    EXPECT_DOUBLE_EQ(w[UHF].window->min, 58.00);
    EXPECT_DOUBLE_EQ(w[UHF].window->max, 87.00);
    EXPECT_FALSE(w[VHF].judged);
    EXPECT_FALSE(w[VHF].window);
    EXPECT_EQ(windowLine(net, r, w[UHF], UHF),
              QStringLiteral("UHF　ヘッドエンド出力 58.00–87.00 dB"));
    const HeadEnd middle = headAtWindowMiddle(net.head, w);
    EXPECT_DOUBLE_EQ(middle.levels[UHF], 72.5);
    EXPECT_DOUBLE_EQ(middle.levels[VHF], net.head.levels[VHF]);
}

TEST(HeadWindow, EmptyNamesWeakestAndStrongest) {
    const Network net = twoOutlets();
    const OutletCriteria criteria = uhfOnly(50, 51); // narrower than the 1.992 dB spread
    const NetworkResult r = computeNetwork(net, criteria);
    const HeadWindow w = headEndWindow(r, criteria, headEndLevels(net.head));
    EXPECT_FALSE(w[UHF].window);
    EXPECT_EQ(outletRoom(net, r.outlets[size_t(w[UHF].weakest)]), QStringLiteral("B"));
    EXPECT_EQ(outletRoom(net, r.outlets[size_t(w[UHF].strongest)]), QStringLiteral("A"));
    EXPECT_EQ(windowLine(net, r, w[UHF], UHF),
              QStringLiteral("UHF　ヘッドエンド出力 なし（B（最弱）と A（最強）が両立しません）"));
}

TEST(HeadWindow, MiddleMovesTheGainWhenLevelsFollowTheBoosterInput) {
    HeadEnd head;
    head.source = HeadSource::BoosterInputPlusGain;
    HeadWindow w{};
    w[BS].window = LevelRange{60.01, 70.02};
    const double input = Bst_Input[BS];
    Bst_Input[BS] = 40;
    const HeadEnd middle = headAtWindowMiddle(head, w);
    Bst_Input[BS] = input;
    EXPECT_DOUBLE_EQ(middle.gain[BS], 25.02); // 65.015 shown as 65.02, less the input
    EXPECT_EQ(middle.levels, head.levels);
}
