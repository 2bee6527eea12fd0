#include "networktestsupport.h"

#include "common/errors.h"
#include "network/networktexts.h"
#include "network/towergenerator.h"

#include <QStringList>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

struct HandLevels {
    const char* room;
    double level[BandCount];
};

// The apartment example worked out by hand from the catalogue (loss per
// 100 m: S-7C-FB 8.1/16.4/23.3/29.4, S-5C-FB 11.1/21.9/31.1/37.8), head end
// 95/100/100/100:
//   10x: head - 8 m S-7C-FB - CS-C4 tap - 6 m S-5C-FB - DCM7FTCS
//   201: head - 8 m - CS-C4 through - 3 m S-7C-FB - CS-C2 tap - 5 m S-5C-FB
//        - feed-through unit's outlet (20/20/15/15)
//   202: as 201 to the unit, then its through (4.0/4.3/4.3/4.8) - 4 m S-5C-FB
//        - end unit's outlet (11/11/12/12.5)
//   30x: as 201 to the CS-C2, its through - 3 m S-7C-FB - CS-D4 - 5 m
//        S-5C-FB - DCM7FTCS
const HandLevels Apartment[] = {
    {"101",
     {95 - 0.648 - 11 - 0.666 - 0.5, 100 - 1.312 - 12 - 1.314 - 0.8, 100 - 1.864 - 13 - 1.866 - 1.0,
      100 - 2.352 - 17 - 2.268 - 1.5}},
    {"104", {82.186, 84.574, 82.27, 76.88}},
    {"201", {58.054, 60.601, 62.382, 56.876}},
    {"202", {62.61, 64.425, 59.838, 53.064}},
    {"203", {58.054, 60.601, 62.382, 56.876}},
    {"204", {62.61, 64.425, 59.838, 53.064}},
    {"301", {77.811, 80.809, 76.683, 68.494}},
    {"304", {77.811, 80.809, 76.683, 68.494}},
};

TEST(Propagation, ApartmentLevelsByHand) {
    const Network net = loadExample("apartment-12.tvdn");
    const NetworkResult r = computeNetwork(net, outletRanges());
    ASSERT_EQ(r.outlets.size(), 12u);
    for (const HandLevels& h : Apartment) {
        const auto o = outletByRoom(net, r, QString::fromUtf8(h.room));
        ASSERT_TRUE(o) << h.room;
        for (int b = 0; b < BandCount; ++b) {
            ASSERT_TRUE(o->bands[b].level) << h.room << " band " << b;
            EXPECT_NEAR(*o->bands[b].level, h.level[b], 1e-9) << h.room << " band " << b;
        }
    }
}

TEST(Propagation, ApartmentVerdictsAndSummary) {
    const Network net = loadExample("apartment-12.tvdn");
    const NetworkResult r = computeNetwork(net, outletRanges());
    const OutletResult o101 = *outletByRoom(net, r, QStringLiteral("101"));
    EXPECT_EQ(o101.bands[VHF].verdict, OutletVerdict::NoStandard);
    EXPECT_EQ(o101.bands[UHF].verdict, OutletVerdict::High);
    // From the level as the table shows it, 84.57.
    EXPECT_NEAR(o101.bands[UHF].deviation, 84.57 - 81, 1e-9);
    EXPECT_EQ(verdictText(o101.bands[UHF]), QStringLiteral("過大 +3.57 dB"));
    EXPECT_EQ(o101.bands[CS].verdict, OutletVerdict::Pass);
    EXPECT_TRUE(o101.fails());
    EXPECT_FALSE(outletByRoom(net, r, QStringLiteral("202"))->fails());

    // 1F's four outlets are too strong in UHF and BS; none fails VHF or CS.
    const int failing[BandCount] = {0, 4, 4, 0};
    for (int b = 0; b < BandCount; ++b)
        EXPECT_EQ(r.summary[b].failing, failing[b]) << b;
    EXPECT_EQ(r.failingOutlets, 4);
    // Worst and best: the first outlet in tree order among equals.
    EXPECT_EQ(outletRoom(net, r.outlets[r.summary[CS].worst]), QStringLiteral("202"));
    EXPECT_EQ(outletRoom(net, r.outlets[r.summary[CS].best]), QStringLiteral("101"));
    EXPECT_EQ(outletRoom(net, r.outlets[r.summary[BS].worst]), QStringLiteral("202"));
    EXPECT_EQ(outletRoom(net, r.outlets[r.summary[VHF].worst]), QStringLiteral("201"));
    // Failures count up to the head end, and stay out of branches without any.
    EXPECT_EQ(r.node(HeadEndId)->failingBelow, 4);
    const NodeId trunk = r.outlets.front().node;
    EXPECT_EQ(r.node(trunk)->failingBelow, 1);
    EXPECT_EQ(r.node(outletByRoom(net, r, QStringLiteral("201"))->node)->failingBelow, 0);
}

// A BS-only part blocks CS below it: every outlet there shows "非対応" and
// fails CS, while outlets beside it are judged as usual.
TEST(Propagation, NotRatedBandStaysBelowThePart) {
    Network net;
    net.head.levels = {70, 70, 70, 70};
    const NodeId split = net.addChild(HeadEndId, 0, partSetup(ComponentKind::Distributor, "CS-D2"));
    const NodeId bsOnly =
        net.addChild(split, 0, partSetup(ComponentKind::Brancher, "BS-C2", "S-5C-FB", 5));
    const NodeId below = net.addChild(bsOnly, 1, partSetup(ComponentKind::Outlet, "BS-77F"));
    const NodeId further =
        net.addChild(bsOnly, 0, partSetup(ComponentKind::Distributor, "CS-D2", "S-5C-FB", 5));
    const NodeId deeper = net.addChild(further, 1, partSetup(ComponentKind::Outlet, "DCM7FTCS"));
    const NodeId beside = net.addChild(split, 1, partSetup(ComponentKind::Outlet, "DCM7FTCS"));
    const NetworkResult r = computeNetwork(net, outletRanges());

    for (NodeId id : {below, deeper}) {
        const OutletResult& o = r.outlets[size_t(r.node(id)->firstOutlet)];
        EXPECT_FALSE(o.bands[CS].level);
        EXPECT_EQ(o.bands[CS].verdict, OutletVerdict::NotRated);
        EXPECT_EQ(verdictText(o.bands[CS]), QStringLiteral("非対応"));
        EXPECT_TRUE(o.bands[BS].level);
        EXPECT_TRUE(o.fails());
    }
    EXPECT_FALSE(r.node(further)->input[CS]);
    EXPECT_TRUE(r.node(further)->input[BS]);
    const OutletResult& ok = r.outlets[size_t(r.node(beside)->firstOutlet)];
    ASSERT_TRUE(ok.bands[CS].level);
    EXPECT_NEAR(*ok.bands[CS].level, 70 - 6.5 - 1.5, 1e-9);
    // Unrated outlets are counted apart, neither failing by level nor the
    // worst or the best of the band.
    EXPECT_EQ(r.summary[CS].failing, 0);
    EXPECT_EQ(r.summary[CS].unrated, 2);
    EXPECT_EQ(r.summary[CS].worst, r.node(beside)->firstOutlet);
    EXPECT_EQ(r.summary[CS].best, r.node(beside)->firstOutlet);
}

// An unrated band the profile has no range for (VHF here) fails nothing;
// the summary counts it apart and its worst is the lowest rated outlet.
TEST(Propagation, UnratedBandWithoutARangeDoesNotFail) {
    Network net;
    net.head.levels = {70, 70, 70, 70};
    net.setUserComponent({QStringLiteral("UHF-BS-CS"), {{{std::nullopt, 3.0, 3.0, 3.0}, true}}});
    const NodeId split = net.addChild(HeadEndId, 0, partSetup(ComponentKind::Distributor, "CS-D2"));
    const NodeId unrated = net.addChild(split, 0, userSetup("UHF-BS-CS"));
    const NodeId rated = net.addChild(split, 1, partSetup(ComponentKind::Outlet, "DCM7FTCS"));
    const NetworkResult r = computeNetwork(net, outletRanges());
    const OutletResult& o = r.outlets[size_t(r.node(unrated)->firstOutlet)];
    EXPECT_EQ(o.bands[VHF].verdict, OutletVerdict::NotRatedNoStandard);
    EXPECT_EQ(verdictText(o.bands[VHF]), QStringLiteral("非対応"));
    EXPECT_FALSE(o.fails());
    EXPECT_EQ(outletVerdictLine(o), QStringLiteral("適合"));
    EXPECT_EQ(r.failingOutlets, 0);
    EXPECT_EQ(r.node(HeadEndId)->failingBelow, 0);
    EXPECT_EQ(r.summary[VHF].unrated, 1);
    EXPECT_EQ(r.summary[VHF].failing, 0);
    EXPECT_EQ(r.summary[VHF].worst, r.node(rated)->firstOutlet);
    EXPECT_EQ(r.summary[UHF].unrated, 0);
}

// Each child adds its failures: 1F's brancher feeds four failing outlets
// and, last, the riser to the floors above, which has none.
TEST(Propagation, FailingBelowSumsEveryChild) {
    const Network net = loadExample("apartment-12.tvdn");
    const NetworkResult r = computeNetwork(net, outletRanges());
    const NodeId floor1 = net.node(outletByRoom(net, r, QStringLiteral("101"))->node).parent;
    EXPECT_EQ(net.children(floor1).size(), 5u);
    EXPECT_EQ(r.node(floor1)->failingBelow, 4);
}

TEST(Propagation, ThinCoaxBlocksBsAndCsButNotAZeroRun) {
    Network net, zero; // the booster's output feeds one run
    const NodeId thin =
        net.addChild(HeadEndId, 0, partSetup(ComponentKind::Outlet, "DCM7FTCS", "７C-2V", 10));
    const NodeId none =
        zero.addChild(HeadEndId, 0, partSetup(ComponentKind::Outlet, "DCM7FTCS", "５C-2V", 0));
    const NetworkResult r = computeNetwork(net, outletRanges());
    const auto& t = r.outlets[size_t(r.node(thin)->firstOutlet)].bands;
    EXPECT_NEAR(*t[VHF].level, 105 - 1.05 - 0.5, 1e-9);
    EXPECT_NEAR(*t[UHF].level, 105 - 2.2 - 0.8, 1e-9);
    EXPECT_FALSE(t[BS].level);
    EXPECT_FALSE(t[CS].level);
    const NetworkResult z = computeNetwork(zero, outletRanges());
    const auto& n = z.outlets[size_t(z.node(none)->firstOutlet)].bands;
    EXPECT_NEAR(*n[CS].level, 105 - 1.5, 1e-9);
}

TEST(Propagation, NetworkCableTypesAndUserComponents) {
    Network net;
    net.setCableType(
        cableTypeAtColumns(QStringLiteral("ECO-5C"), {10.0, 20.0, 30.0, std::nullopt}));
    UserComponent tap{QStringLiteral("壁面端子"), {}};
    tap.ports.push_back({{1.0, 2.0, std::nullopt, 4.0}, false});
    tap.ports.push_back({{3.0, 3.5, 4.0, 4.5}, true});
    net.setUserComponent(tap);
    const NodeId id = net.addChild(HeadEndId, 0, userSetup("壁面端子", "ECO-5C", 50));
    const NetworkResult r = computeNetwork(net, outletRanges());
    const auto& bands = r.outlets.at(0).bands;
    EXPECT_EQ(r.outlets.at(0).port, 1);
    EXPECT_NEAR(*bands[VHF].level, 105 - 5 - 3, 1e-9);
    EXPECT_NEAR(*bands[UHF].level, 105 - 10 - 3.5, 1e-9);
    EXPECT_NEAR(*bands[BS].level, 105 - 15 - 4, 1e-9); // the through port's gap does not matter
    EXPECT_FALSE(bands[CS].level);                     // the cable is not rated for CS

    // A changed definition is converted again for the nodes that use it.
    net.setCableType(cableTypeAtColumns(QStringLiteral("ECO-5C"), {10.0, 20.0, 30.0, 40.0}));
    const NetworkResult again = computeNetwork(net, outletRanges());
    EXPECT_NEAR(*again.outlets.at(0).bands[CS].level, 105 - 20 - 4.5, 1e-9);
    EXPECT_EQ(again.node(id)->firstOutlet, 0);
}

TEST(Propagation, HeadEndFromBoosterInputPlusGain) {
    Network net;
    net.addChild(HeadEndId, 0, partSetup(ComponentKind::Outlet, "DCM7FTCS"));
    net.head.source = HeadSource::BoosterInputPlusGain;
    net.head.levels = {1, 1, 1, 1}; // not used by this source
    net.head.gain = {30, 35, 40, 45};
    const BandValues saved = Bst_Input;
    Bst_Input = {60, 61.5, 62, 63};
    const NetworkResult r = computeNetwork(net, outletRanges());
    Bst_Input = saved;
    const double expected[BandCount] = {90 - 0.5, 96.5 - 0.8, 102 - 1.0, 108 - 1.5};
    for (int b = 0; b < BandCount; ++b)
        EXPECT_NEAR(*r.outlets.at(0).bands[b].level, expected[b], 1e-9) << b;
}

struct JudgeCase {
    std::optional<double> level;
    std::optional<LevelRange> range;
    OutletVerdict verdict;
    double deviation;
    const char* text;
};

TEST(Propagation, JudgementAtTheBoundaries) {
    const LevelRange bs{52.0, 81.0};
    const JudgeCase cases[] = {
        {52.0, bs, OutletVerdict::Pass, 0, "適合"},
        {81.0, bs, OutletVerdict::Pass, 0, "適合"},
        {52.0 + 1e-13, bs, OutletVerdict::Pass, 0, "適合"},
        // Judged as shown, to two decimals, with the margin from the shown value.
        {52.0 - 1e-13, bs, OutletVerdict::Pass, 0, "適合"},
        {51.996, bs, OutletVerdict::Pass, 0, "適合"},
        {81.004, bs, OutletVerdict::Pass, 0, "適合"},
        {40.005, bs, OutletVerdict::Low, 40.01 - 52, "不足 −11.99 dB"},
        // Computed as 51.999999999999993 but shown, and so judged, as 52.
        {105 - 53.000000000000007, bs, OutletVerdict::Pass, 0, "適合"},
        {51.99, bs, OutletVerdict::Low, 51.99 - 52, "不足 −0.01 dB"},
        {81.01, bs, OutletVerdict::High, 81.01 - 81, "過大 +0.01 dB"},
        {40.0, bs, OutletVerdict::Low, -12, "不足 −12.00 dB"},
        {66.5, bs, OutletVerdict::Pass, 0, "適合"},
        {30.0, std::nullopt, OutletVerdict::NoStandard, 0, "基準なし"},
        {std::nullopt, bs, OutletVerdict::NotRated, 0, "非対応"},
        {std::nullopt, std::nullopt, OutletVerdict::NotRatedNoStandard, 0, "非対応"},
    };
    for (const JudgeCase& c : cases) {
        const BandJudgement j = judgeOutletBand(c.level, c.range);
        EXPECT_EQ(j.verdict, c.verdict) << c.text;
        EXPECT_NEAR(j.deviation, c.deviation, 1e-12) << c.text;
        EXPECT_EQ(verdictText(j), QString::fromUtf8(c.text));
    }
}

} // namespace

// A packed figure tells nothing from every number, 0 and negatives included.
TEST(Propagation, PackedValueKeepsNothingApart) {
    const PackedValue none, zero(0.0), minus(-3.5), fromOptional(std::optional<double>(-3.5));
    EXPECT_FALSE(none);
    EXPECT_EQ(std::optional<double>(none), std::nullopt);
    ASSERT_TRUE(zero);
    EXPECT_EQ(*zero, 0.0);
    EXPECT_NE(none, zero);
    EXPECT_EQ(minus, fromOptional);
    EXPECT_EQ(std::optional<double>(minus), -3.5);
    EXPECT_EQ(PackedValue(std::optional<double>()), none);
    EXPECT_EQ(none.value_or(7), 7);
}

// A part's losses changed with its ports as they were (CS-C4 to BS-C4):
// the tree is not flattened again, yet the nodes below it take its new port
// losses, as a network flattened anew does.
TEST(Propagation, SetupEditReachesTheChildrenOfThePart) {
    Network net = loadExample("apartment-12.tvdn");
    const NodeId trunk = net.children(HeadEndId).front();
    NodeSetup setup = net.node(trunk).setup;
    ASSERT_EQ(setup.component.model,
              catalogueModelNumber(ComponentKind::Brancher, QStringLiteral("CS-C4")));
    const NetworkResult before = computeNetwork(net, outletRanges());
    setup.component.model = catalogueModelNumber(ComponentKind::Brancher, QStringLiteral("BS-C4"));
    net.setSetup(trunk, setup);
    const NetworkResult kept = computeNetwork(net, outletRanges());
    const NetworkResult anew = computeNetwork(Network(net), outletRanges());
    ASSERT_EQ(kept.outlets.size(), anew.outlets.size());
    for (size_t i = 0; i < kept.outlets.size(); ++i)
        for (size_t b = 0; b < NetBandCount; ++b)
            EXPECT_EQ(kept.outlets[i].bands[b].level, anew.outlets[i].bands[b].level) << i;
    EXPECT_NE(kept.outlets[0].bands[CS].level, before.outlets[0].bands[CS].level); // not rated now
}

// Levels at a range's edge are rounded once and taken again for the same
// level: every outlet of a tower still has the verdict of its own level.
TEST(Propagation, EveryOutletHasTheVerdictOfItsOwnLevel) {
    Network net = generateTower(TowerPlan{20, 4, 3, 5});
    for (double& level : net.head.levels)
        level -= 12; // the upper floors pass, the lower ones fall short
    const OutletCriteria criteria = outletRanges();
    const NetworkResult r = computeNetwork(net, criteria);
    int rounded = 0;
    for (const OutletResult& o : r.outlets)
        for (size_t b = 0; b < NetBandCount; ++b) {
            const BandJudgement alone = judgeOutletBand(o.bands[b].level, criteria.level[b]);
            ASSERT_EQ(o.bands[b].verdict, alone.verdict) << o.node << " band " << b;
            ASSERT_EQ(o.bands[b].deviation, alone.deviation) << o.node << " band " << b;
            rounded += alone.verdict != OutletVerdict::Pass && alone.deviation != 0;
        }
    EXPECT_GT(rounded, 100); // many levels out of range, each judged as shown
}

// The quick windows of a verdict agree with judging the level as shown,
// right at and around each edge of the range.
TEST(Propagation, VerdictWindowsAgreeWithTheShownLevelAtTheEdges) {
    OutletCriteria criteria;
    criteria.level[UHF] = LevelRange{47, 81};
    const BandWindows windows(criteria);
    const double offsets[] = {0,    0.004,   0.005,        0.0050000001, 0.0099999,
                              0.01, 0.01001, 0.0149999999, 0.02,         1};
    for (double edge : {47.0, 81.0})
        for (double offset : offsets)
            for (double level : {edge - offset, edge + offset})
                EXPECT_EQ(windows.verdict(UHF, level),
                          judgeOutletBand(level, criteria.level[UHF]).verdict)
                    << level;
    EXPECT_EQ(windows.verdict(UHF, std::nan("")), OutletVerdict::NotRated);
    EXPECT_EQ(windows.verdict(VHF, 60.0), OutletVerdict::NoStandard);
    EXPECT_EQ(windows.verdict(VHF, std::nan("")), OutletVerdict::NotRatedNoStandard);
}
