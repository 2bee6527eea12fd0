#include "networktestsupport.h"

#include "common/errors.h"
#include "network/definitionrows.h"

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

const TextRows Cables = {{"ECO-5C", "1300", "220:10 770:20  1300:30"},
                         {"ECO-7C", "", "220:7.5 770:15 3224:22"}};
const TextRows Users = {{"自作分配器", "", "3", "4", "5", "6", "7"},
                        {"自作分配器", "端子", "10", "11", "12", "", ""},
                        {"増幅器", "", "-20", "-20", "-25", "-25", "-25"}};

TEST(DefinitionRows, RowsBecomeDefinitionsAndBackUnchanged) {
    Network net;
    replaceDefinitions(net, Cables, Users);
    ASSERT_EQ(net.cableTypes().size(), 2u);
    EXPECT_EQ(net.cableTypes()[0].points, (LossPoints{{220, 10}, {770, 20}, {1300, 30}}));
    EXPECT_EQ(net.cableTypes()[0].ratedToMHz, 1300.0);
    EXPECT_EQ(net.cableTypes()[1].points, (LossPoints{{220, 7.5}, {770, 15}, {3224, 22}}));
    EXPECT_FALSE(net.cableTypes()[1].ratedToMHz);
    ASSERT_EQ(net.userComponents().size(), 2u);
    const UserComponent& split = net.userComponents()[0];
    ASSERT_EQ(split.ports.size(), 2u);
    EXPECT_FALSE(split.ports[0].outlet);
    EXPECT_TRUE(split.ports[1].outlet);
    EXPECT_EQ(split.ports[1].loss, (BandLoss{10.0, 11.0, 12.0, std::nullopt, std::nullopt}));
    EXPECT_EQ(net.userComponents()[1].ports[0].loss[BS], -25.0);
    EXPECT_EQ(net.userComponents()[0].ports[0].loss[LeftBand], 7.0);

    TextRows cablesBack = Cables;
    cablesBack[0][2] = QStringLiteral("220:10 770:20 1300:30"); // one blank between points
    EXPECT_EQ(cableTypeRows(net), cablesBack);
    EXPECT_EQ(userComponentRows(net), Users);
}

TEST(DefinitionRows, RefusalsNameTheRowAndChangeNothing) {
    struct Case {
        const char* what;
        TextRows cables;
        TextRows users;
        const char* named;
    };
    const Case cases[] = {
        {"not a number", {{"ECO", "", "220:x"}}, {}, "ケーブル種別の 1 行目"},
        {"not a pair", {{"ECO", "", "220 770:1"}}, {}, "ケーブル種別の 1 行目"},
        {"limit not a number", {{"ECO", "x", "220:1"}}, {}, "ケーブル種別の 1 行目"},
        {"same cable twice", {{"A", "", "220:1"}, {"A", "", "220:2"}}, {}, "ケーブル種別の 2 行目"},
        {"catalogue name", {{"S-5C-FB", "", "220:1"}}, {}, "ケーブル種別の 1 行目"},
        {"standard name", {{"ECO-S-5C-FB", "", "220:1"}}, {}, "ケーブル種別の 1 行目"},
        {"loss out of range", {{"A", "", "220:1001"}}, {}, "ケーブル種別の 1 行目"},
        {"frequency twice", {{"A", "", "220:1 220:2"}}, {}, "ケーブル種別の 1 行目"},
        {"no name", {}, {{"", "", "1"}}, "ユーザー部品の 1 行目"},
        {"outputs apart",
         {},
         {{"P", "", "1"}, {"Q", "", "1"}, {"P", "", "1"}},
         "ユーザー部品の 3 行目"},
        {"user loss out of range", {}, {{"P", "", "1"}, {"R", "", "300"}}, "ユーザー部品の 2 行目"},
        // The second part's first row, after a part of two rows.
        {"second part refused",
         {},
         {{"P", "", "1"}, {"P", "", "1"}, {"R", "", "300"}},
         "ユーザー部品の 3 行目"},
        {"name beyond the file's limit",
         {{QString(MaxNetworkTextLength + 1, u'長'), "", "220:1"}},
         {},
         "ケーブル種別の 1 行目: ケーブル種別の名前は 200 文字まで"},
    };
    Network net;
    replaceDefinitions(net, {{"KEEP", "", "220:1 770:1"}}, {});
    const Network before = net;
    for (const Case& c : cases) {
        try {
            replaceDefinitions(net, c.cables, c.users);
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const UserError& e) {
            EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.named)))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_EQ(net, before) << c.what;
    }
}

TEST(DefinitionRows, ADefinitionInUseCannotGoButAnUnusedOneCan) {
    Network net;
    replaceDefinitions(net, Cables, Users);
    NodeSetup run = partSetup(ComponentKind::Distributor, "CS-D2", "ECO-7C", 10);
    net.addChild(HeadEndId, 0, run);
    const Network before = net;
    EXPECT_THROW(replaceDefinitions(net, {Cables[0]}, Users), UserError);
    EXPECT_EQ(net, before);
    replaceDefinitions(net, {Cables[1]}, {});
    EXPECT_EQ(net.cableTypes().size(), 1u);
    EXPECT_TRUE(net.userComponents().empty());
}

TEST(DefinitionRows, ChangedLossesReachTheLevelsBelow) {
    Network net;
    replaceDefinitions(net, Cables, {});
    const NodeId id =
        net.addChild(HeadEndId, 0, partSetup(ComponentKind::Outlet, "DCM7FTCS", "ECO-5C", 100));
    const auto uhf = [&] {
        const NetworkResult r = computeNetwork(net, outletRanges());
        return *r.outlets[size_t(r.node(id)->firstOutlet)].bands[UHF].level;
    };
    const double before = uhf();
    TextRows changed = Cables;
    changed[0][2] = QStringLiteral("220:10 770:25 1300:30");
    replaceDefinitions(net, changed, {});
    EXPECT_NEAR(uhf(), before - 5, 1e-9);
}

} // namespace
