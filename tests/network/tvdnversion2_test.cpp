#include "networktestsupport.h"

#include "common/errors.h"

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

// A small version 2 file; each refusal case below changes one thing in it.
const char* const Base2 = R"({
  "format": "miravel-network", "version": 2, "cableJudging": "bandEdges",
  "headEnd": {"source": "typed", "levels": [95, 100, 100, 100, 98], "gain": [0, 0, 30, 30, 30],
              "cnSource": "typed", "incomingCn": [40, 40, 20, 20, 20], "noiseFigure": [8, 10, 8, 8, 9]},
  "cableTypes": [{"name": "SH-5C", "points": [[770, 20], [3224, 50]], "ratedToMHz": 3224}],
  "userComponents": [{"name": "SH端子", "ports": [{"outlet": true, "loss": [1, 2, 3, 4, 5]}]}],
  "nodes": [
    {"port": 0, "coax": {"cable": "SH-5C", "metres": 8},
     "component": {"kind": "booster", "model": "LB-30",
                   "booster": {"gain": [null, 30, 30, 30, 30], "noiseFigure": [8, 8, 8, 8, 8],
                               "maxOutput": [110, 110, 110, 110, 110],
                               "minInput": [50, 50, 50, 50, 50]}},
     "children": [
       {"port": 0, "coax": {"cable": "ECO-S-5C-FB", "metres": 6},
        "component": {"kind": "user", "model": "SH端子"}, "room": "101"}]}]
})";

Network decode(const QString& text) {
    return decodeNetwork(text.toUtf8(), QStringLiteral("v2.tvdn"));
}

TEST(TvdnVersion2, ReadsEverythingAndWritesItBack) {
    const Network net = decode(QString::fromUtf8(Base2));
    EXPECT_TRUE(net.head.judgeAtBandEdges);
    EXPECT_EQ(net.head.cnSource, CnSource::Typed);
    EXPECT_EQ(net.head.levels[LeftBand], 98);
    EXPECT_EQ(net.head.noiseFigure[LeftBand], 9);
    EXPECT_EQ(net.cableType(QStringLiteral("SH-5C"))->points, (LossPoints{{770, 20}, {3224, 50}}));
    const Component& booster = net.node(net.children(HeadEndId)[0]).setup.component;
    EXPECT_EQ(booster.kind, ComponentKind::Booster);
    EXPECT_EQ(booster.userName, QStringLiteral("LB-30"));
    EXPECT_FALSE(booster.booster->gain[VHF]); // does not pass VHF
    EXPECT_EQ(net, decode(QString::fromUtf8(encodeNetwork(net))));
    EXPECT_EQ(net.head, decode(QString::fromUtf8(encodeNetwork(net))).head);
    const NetworkResult r = computeNetwork(net, outletRanges());
    EXPECT_FALSE(r.outlets[0].bands[VHF].level);
    EXPECT_TRUE(r.outlets[0].bands[LeftBand].cn);
}

// A version 1 file reads as before and is written as version 2 only on saving.
TEST(TvdnVersion2, Version1LevelsStayAndSaveAsVersion2) {
    const Network v1 = loadExample("apartment-12.tvdn");
    const NetworkResult before = computeNetwork(v1, outletRanges());
    const QByteArray saved = encodeNetwork(v1);
    EXPECT_TRUE(saved.contains("\"version\":2"));
    const NetworkResult after = computeNetwork(decode(QString::fromUtf8(saved)), outletRanges());
    ASSERT_EQ(after.outlets.size(), before.outlets.size());
    for (size_t i = 0; i < before.outlets.size(); ++i)
        for (int b = 0; b < NetBandCount; ++b)
            EXPECT_EQ(after.outlets[i].bands[size_t(b)].level,
                      before.outlets[i].bands[size_t(b)].level);
    EXPECT_EQ(v1.head.cnSource, CnSource::None);
    EXPECT_FALSE(v1.head.judgeAtBandEdges);
}

// The tower's 8,000 levels as the four-band network computed them before the
// fifth band: their sum in tree order, and the first and last outlet.
TEST(TvdnVersion2, Version1TowerKeepsTodaysLevels) {
    const NetworkResult r = computeNetwork(loadExample("tower-40.tvdn"), outletRanges());
    ASSERT_EQ(r.outlets.size(), 2000u);
    double sum = 0;
    for (const OutletResult& o : r.outlets)
        for (int b = 0; b < BandCount; ++b)
            sum += o.bands[size_t(b)].level.value_or(1e9);
    EXPECT_EQ(sum, 521292.0000000059);
    const double first[] = {72.563000000000017, 74.166000000000011, 77.23899999999999,
                            79.138000000000005};
    const double last[] = {62.927000000000049, 60.242000000000033, 55.779000000000011,
                           53.838000000000008};
    for (int b = 0; b < BandCount; ++b) {
        EXPECT_EQ(*r.outlets.front().bands[size_t(b)].level, first[b]) << b;
        EXPECT_EQ(*r.outlets.back().bands[size_t(b)].level, last[b]) << b;
    }
}

struct Refusal {
    const char* from;
    const char* to;
    const char* place;
};

TEST(TvdnVersion2, RefusalsNameThePlace) {
    const Refusal cases[] = {
        {"\"bandEdges\"", "\"edges\"", "cableJudging: catalogue、bandEdges"},
        {"\"cnSource\": \"typed\"", "\"cnSource\": \"meter\"", "headEnd.cnSource"},
        {"[40, 40, 20, 20, 20]", "[40, 40, 20, 20]", "headEnd.incomingCn: 帯域ごとに 5 つ"},
        {"[8, 10, 8, 8, 9]", "[8, 10, 8, 8, 51]", "headEnd.noiseFigure[4]: 0～50"},
        {"[95, 100, 100, 100, 98]", "[95, 100, 100, 100]", "headEnd.levels: 帯域ごとに 5 つ"},
        {"[[770, 20], [3224, 50]]", "[[770, 20], [3224]]", "cableTypes[0].points[1]: [周波数"},
        {"[[770, 20], [3224, 50]]", "[[770, 20], [20000, 50]]", "cableTypes[0].points[1][0]"},
        {"[[770, 20], [3224, 50]]", "[[770, 20], [770, 50]]", "cableTypes[0]: 周波数 770"},
        {"\"ratedToMHz\": 3224", "\"ratedToMHz\": 0", "cableTypes[0].ratedToMHz"},
        {"[1, 2, 3, 4, 5]", "[1, 2, 3, 4]", "userComponents[0].ports[0].loss: 帯域ごとに 5"},
        {"[null, 30, 30, 30, 30]", "[null, 30, 30, 30, 101]", "booster.gain[4]: -50～100"},
        {"\"minInput\": [50, 50, 50, 50, 50]}", "\"minInput\": [50, 50, 50, 50]}",
         "booster.minInput: 帯域ごとに 5"},
        {"\"kind\": \"user\", \"model\": \"SH端子\"}",
         "\"kind\": \"user\", \"model\": \"SH端子\", \"booster\": {}}",
         "children[0].component.booster: ブースターだけ"},
        {", \"cableJudging\": \"bandEdges\"", "", "cableJudging: 項目がありません"},
        {"\"version\": 2", "\"version\": 1", "headEnd.levels: 帯域ごとに 4 つ"},
    };
    for (const Refusal& c : cases) {
        QString text = QString::fromUtf8(Base2);
        ASSERT_TRUE(text.contains(QString::fromUtf8(c.from))) << c.from;
        text.replace(QString::fromUtf8(c.from), QString::fromUtf8(c.to));
        try {
            decode(text);
            ADD_FAILURE() << c.place << ": not refused";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.place)))
                << c.place << " / " << e.message().toStdString();
        }
    }
}

} // namespace

namespace {

// The fuzzer's version 2 seeds stay files the reader takes.
TEST(TvdnVersion2, FuzzSeedsRead) {
    const QString dir = QStringLiteral(MIRAVEL_EXAMPLES_DIR "/../tests/network/fuzz/seeds/");
    for (const char* name : {"version2.tvdn", "version2-booster.tvdn"}) {
        const Network net = readNetworkFile(dir + QLatin1String(name));
        EXPECT_GT(net.nodeCount(), 0) << name;
    }
}

} // namespace
