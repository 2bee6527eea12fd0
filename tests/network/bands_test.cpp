#include "networktestsupport.h"

#include "network/networktexts.h"
#include "network/uhdtower.h"
#include "standard/noise.h"

#include <cmath>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

const Profile Outlet4K8K = standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K});
const Profile Outlet2K = standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Hd2K});

// A part rated to 3224 MHz: one outlet port of `loss` dB in every band.
UserComponent flatPart(const char* name, double loss, bool outlet) {
    BandLoss band;
    band.fill(loss);
    return UserComponent{QString::fromUtf8(name), {UserPort{band, outlet}}};
}

NodeSetup boosterSetup(double gain, double nf, double maxOutput, double minInput) {
    NodeSetup setup;
    setup.coax = {QStringLiteral("S-5C-FB"), 0};
    setup.component.kind = ComponentKind::Booster;
    BoosterSpec& sheet = setup.component.booster.edit();
    sheet.gain.fill(gain);
    sheet.noiseFigure.fill(nf);
    sheet.maxOutput.fill(maxOutput);
    sheet.minInput.fill(minInput);
    return setup;
}

TEST(NetworkBands, FourK8KUsesTheAdvancedNoiseBandwidth) {
    const OutletCriteria uhd = outletCriteria(Outlet4K8K);
    const OutletCriteria hd = outletCriteria(Outlet2K);
    EXPECT_NEAR(uhd.thermalNoise[BS], 10.06, 0.005);
    EXPECT_NEAR(uhd.thermalNoise[CS], 10.06, 0.005);
    EXPECT_NEAR(hd.thermalNoise[BS], 9.38, 0.005);
    EXPECT_NEAR(hd.thermalNoise[UHF], 2.26, 0.005);
    EXPECT_NEAR(hd.thermalNoise[LeftBand], 10.06, 0.005); // the left band is 4K8K only
    // The left band is judged as 4K8K satellite; a 2K profile has no criterion.
    EXPECT_EQ(uhd.level[LeftBand], (LevelRange{54, 81}));
    EXPECT_EQ(uhd.minCn[LeftBand], 13.0);
    EXPECT_FALSE(hd.level[LeftBand]);
    EXPECT_FALSE(hd.minCn[LeftBand]);
}

// Head 100 dBμV (gain 30, NF 8, incoming C/N 40) - 40 dB - booster 1 (30 dB,
// NF 6) - 40 dB - booster 2 (30 dB, NF 7) - outlet: stage inputs 70, 60, 50.
TEST(NetworkBands, TwoBoosterChainCnByHand) {
    Network net;
    net.setUserComponent(flatPart("減衰器", 40, false));
    net.setUserComponent(flatPart("SH端子", 0, true));
    HeadEnd head = net.head;
    head.levels.fill(100);
    head.gain.fill(30);
    head.cnSource = CnSource::Typed;
    head.incomingCn.fill(40);
    head.noiseFigure.fill(8);
    net.setHead(head);
    const NodeId pad1 = net.addChild(HeadEndId, 0, userSetup("減衰器"));
    const NodeId booster1 = net.addChild(pad1, 0, boosterSetup(30, 6, 85, 55));
    const NodeId pad2 = net.addChild(booster1, 0, userSetup("減衰器"));
    const NodeId booster2 = net.addChild(pad2, 0, boosterSetup(30, 7, 105, 55));
    net.addChild(booster2, 0, userSetup("SH端子"));
    const NetworkResult r = computeNetwork(net, Outlet4K8K);
    ASSERT_EQ(r.outlets.size(), 1u);
    const double nth = 10 * std::log10(1.380649e-23 * 290 * 33.7561e6 * 75) + 120;
    const auto noise = [](double cn) { return std::pow(10.0, -cn / 10); };
    const double cn = -10 * std::log10(noise(40) + noise(70 - 8 - nth) + noise(60 - 6 - nth) +
                                       noise(50 - 7 - nth));
    for (int b : {int(BS), LeftBand}) {
        const BandJudgement j = r.outlets[0].bands[size_t(b)];
        EXPECT_DOUBLE_EQ(*j.level, 100 - 40 + 30 - 40 + 30) << b; // input plus gain
        ASSERT_TRUE(j.cn) << b;
        EXPECT_NEAR(*j.cn, cn, 1e-9) << b;
        EXPECT_FALSE(j.cnLow);
    }
    // Booster 1 puts out 90 over its 85; booster 2 takes 50 under its 55.
    EXPECT_EQ(r.node(booster1)->booster[BS], BoosterFault::OutputHigh);
    EXPECT_EQ(r.node(booster2)->booster[LeftBand], BoosterFault::InputLow);
    EXPECT_EQ(r.failingBoosters, (std::vector<NodeId>{booster1, booster2}));
    EXPECT_TRUE(r.fails());
    EXPECT_EQ(r.failingOutlets, 0);
}

// Outlets beside and behind a booster, one after the other in tree order:
// each takes the C/N of its own noise, the one behind the stage a lower one.
TEST(NetworkBands, EachOutletTakesTheCnOfItsOwnStages) {
    Network net;
    BandLoss band;
    band.fill(4);
    net.setUserComponent(
        UserComponent{QStringLiteral("分配器"), {UserPort{band, false}, UserPort{band, false}}});
    net.setUserComponent(flatPart("SH端子", 0, true));
    HeadEnd head = net.head;
    head.cnSource = CnSource::Typed;
    net.setHead(head);
    const NodeId split = net.addChild(HeadEndId, 0, userSetup("分配器"));
    net.addChild(split, 0, userSetup("SH端子"));
    const NodeId booster = net.addChild(split, 1, boosterSetup(10, 9, 200, 0));
    net.addChild(booster, 0, userSetup("SH端子"));
    const NetworkResult r = computeNetwork(net, Outlet4K8K);
    ASSERT_EQ(r.outlets.size(), 2u);
    for (const OutletResult& o : r.outlets)
        EXPECT_EQ(o.bands[BS].cn, cnOfNoise(r.outlets.noiseSums(r.node(o.node)->noise)[BS]))
            << o.node;
    EXPECT_LT(*r.outlets[1].bands[BS].cn, *r.outlets[0].bands[BS].cn);
}

// A C/N under the profile's minimum fails the outlet; none is reckoned when
// the head end has no C/N source, as in every version 1 file.
TEST(NetworkBands, OutletCnIsJudgedOnlyWhenReckoned) {
    Network net;
    net.setUserComponent(flatPart("SH端子", 0, true));
    HeadEnd head = net.head;
    head.levels.fill(70);
    head.gain.fill(0);
    head.cnSource = CnSource::Typed;
    head.incomingCn.fill(12.5);
    net.setHead(head);
    net.addChild(HeadEndId, 0, userSetup("SH端子"));
    const BandJudgement low = computeNetwork(net, Outlet4K8K).outlets[0].bands[BS];
    EXPECT_TRUE(low.cnLow);
    EXPECT_EQ(cnVerdictText(low).left(2), QStringLiteral("不足"));
    EXPECT_EQ(computeNetwork(net, Outlet4K8K).failingOutlets, 1);
    // From the field-strength screen's booster input: Ei - NF - Nth, as the
    // terminal screen reckons it (the left band from BS's input).
    const BandValues saved = Bst_Input;
    Bst_Input = {50, 60, 65, 66};
    head.cnSource = CnSource::FieldStrength;
    net.setHead(head);
    const OutletResult field = computeNetwork(net, Outlet4K8K).outlets[0];
    Bst_Input = saved;
    EXPECT_NEAR(*field.bands[CS].cn, 66 - 8 - thermalNoiseLevel(33.7561e6), 1e-9);
    EXPECT_NEAR(*field.bands[LeftBand].cn, 65 - 8 - thermalNoiseLevel(33.7561e6), 1e-9);
    EXPECT_NEAR(*field.bands[UHF].cn, 60 - 10 - thermalNoiseLevel(5.6e6), 1e-9);
    head.cnSource = CnSource::None;
    net.setHead(head);
    const NetworkResult none = computeNetwork(net, Outlet4K8K);
    EXPECT_FALSE(none.outlets[0].bands[BS].cn);
    EXPECT_EQ(none.failingOutlets, 0);
}

// ５C-2V is not rated above 770 MHz: the left band (and BS, CS) is unrated
// below it and fails under 4K8K; a 3224 MHz cable carries it.
TEST(NetworkBands, A5C2VRunMakesTheLeftBandNotRated) {
    Network net;
    net.setUserComponent(flatPart("SH端子", 2, true));
    UserComponent split = flatPart("SH分配器", 4, false);
    split.ports.push_back(split.ports.front());
    net.setUserComponent(split);
    const NodeId splitter = net.addChild(HeadEndId, 0, userSetup("SH分配器"));
    net.addChild(splitter, 0, userSetup("SH端子", "５C-2V", 10));
    net.addChild(splitter, 1, userSetup("SH端子", "ECO-S-5C-FB", 10));
    const NetworkResult r = computeNetwork(net, Outlet4K8K);
    ASSERT_EQ(r.outlets.size(), 2u);
    const BandJudgement old = r.outlets[0].bands[LeftBand];
    EXPECT_FALSE(old.level);
    EXPECT_EQ(verdictText(old), QStringLiteral("非対応"));
    EXPECT_TRUE(r.outlets[0].fails());
    EXPECT_TRUE(r.outlets[0].bands[UHF].level);
    EXPECT_DOUBLE_EQ(*r.outlets[1].bands[LeftBand].level, 105 - 4 - 5.28 - 2);
    EXPECT_EQ(r.summary[LeftBand].unrated, 1);
    // Under 2K the left band has no criterion: shown, never failing.
    EXPECT_EQ(computeNetwork(net, Outlet2K).outlets[0].bands[LeftBand].verdict,
              OutletVerdict::NotRatedNoStandard);
}

// Judged at the band edges: S-5C-FB at 2071 MHz, an estimate, said so.
TEST(NetworkBands, BandEdgeJudgingTakesTheEdgesAndMarksEstimates) {
    Network net;
    net.setUserComponent(flatPart("SH端子", 0, true));
    net.addChild(HeadEndId, 0, userSetup("SH端子", "S-5C-FB", 100));
    EXPECT_DOUBLE_EQ(*computeNetwork(net, Outlet2K).outlets[0].bands[CS].level, 105 - 37.8);
    HeadEnd head = net.head;
    head.judgeAtBandEdges = true;
    net.setHead(head);
    const NetworkResult r = computeNetwork(net, Outlet2K);
    EXPECT_TRUE(r.judgedAtBandEdges);
    const BandJudgement cs = r.outlets[0].bands[CS];
    EXPECT_NEAR(*cs.level, 105 - 41.098, 0.001);
    EXPECT_TRUE(cs.estimated);
    EXPECT_TRUE(verdictText(cs).endsWith(QStringLiteral("（推定）")));
    // UHF at 710 MHz loses 21.47 dB on the curve, less than 21.9 at 770.
    EXPECT_EQ(outletVerdictLine(r.outlets[0]),
              QStringLiteral("UHF 過大 +2.53 dB（推定: CS・左旋）"));
}

} // namespace

namespace {

// The 4K8K example: its far rooms fail only the left band, and the file is
// what the generator makes today.
TEST(NetworkBands, UhdTowerFailsOnlyTheLeftBandSomewhere) {
    const Network tower = loadExample("tower-4k8k-42.tvdn");
    EXPECT_TRUE(tower == generateUhdTower());
    const NetworkResult r = computeNetwork(tower, Outlet4K8K);
    EXPECT_EQ(r.outlets.size(), size_t(4 * UhdTowerFloors));
    EXPECT_TRUE(r.failingBoosters.empty());
    for (int b = 0; b < BandCount; ++b)
        EXPECT_EQ(r.summary[size_t(b)].failing, 0) << netBandName(b).toStdString();
    EXPECT_GT(r.summary[LeftBand].failing, 0);
    EXPECT_LT(r.summary[LeftBand].failing, int(r.outlets.size()) / 2);
    EXPECT_EQ(r.failingOutlets, r.summary[LeftBand].failing);
    for (const OutletResult& o : r.outlets)
        for (const BandJudgement& j : o.bands)
            ASSERT_TRUE(j.cn && !j.estimated) << o.node;
}

} // namespace
