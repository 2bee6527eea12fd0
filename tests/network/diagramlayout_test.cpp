#include "networktestsupport.h"

#include "network/diagramlayout.h"
#include "network/networktexts.h"

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;

namespace {

// head - CS-D2 (10 m) -+- CS-C2 -+- tap 1: DCM7FTCS "101"
//                      |         +- through: DCM7FTCS "102"
//                      +- BS-7F outlet "103"
struct SmallNetwork {
    Network net;
    NodeId distributor, brancher, tap, through, side;
    SmallNetwork() {
        distributor = net.addChild(HeadEndId, 0,
                                   partSetup(ComponentKind::Distributor, "CS-D2", "S-7C-FB", 10));
        brancher = net.addChild(distributor, 0, partSetup(ComponentKind::Brancher, "CS-C2"));
        NodeSetup outlet = partSetup(ComponentKind::Outlet, "DCM7FTCS", "S-5C-FB", 12);
        outlet.room = QStringLiteral("101");
        tap = net.addChild(brancher, 1, outlet);
        outlet.room = QStringLiteral("102");
        through = net.addChild(brancher, 0, outlet);
        outlet = partSetup(ComponentKind::Outlet, "BS-7F");
        outlet.room = QStringLiteral("103");
        side = net.addChild(distributor, 1, outlet);
    }
};

TEST(DiagramLayout, BoxesInTreeOrderWithDepthAndParentRow) {
    SmallNetwork s;
    const DiagramLayout layout = layoutDiagram(s.net, computeNetwork(s.net, outletRanges()));
    struct Expected {
        NodeId id;
        int depth;
        int parentRow;
    };
    const Expected expected[] = {{HeadEndId, 0, -1}, {s.distributor, 1, 0}, {s.brancher, 2, 1},
                                 {s.tap, 3, 2},      {s.through, 3, 2},     {s.side, 2, 1}};
    ASSERT_EQ(layout.boxes.size(), std::size(expected));
    for (size_t i = 0; i < layout.boxes.size(); ++i) {
        const DiagramBox& box = layout.boxes[i];
        EXPECT_EQ(box.id, expected[i].id) << i;
        EXPECT_EQ(box.row, int(i));
        EXPECT_EQ(box.depth, expected[i].depth) << i;
        EXPECT_EQ(box.parentRow, expected[i].parentRow) << i;
    }
    EXPECT_EQ(layout.depth, 3);
}

TEST(DiagramLayout, TextsAndMarksFollowTheVerdicts) {
    SmallNetwork s;
    const NetworkResult r = computeNetwork(s.net, outletRanges());
    const DiagramLayout layout = layoutDiagram(s.net, r);
    const DiagramBox& tap = layout.boxes[3];
    EXPECT_EQ(tap.title, QStringLiteral("テレビ端子 DCM7FTCS"));
    EXPECT_EQ(tap.detail, QStringLiteral("分岐1 ← S-5C-FB 12 m　101"));
    const OutletResult& o = r.outlets[size_t(r.node(s.tap)->firstOutlet)];
    EXPECT_EQ(tap.levels, QStringLiteral("VHF %1  UHF %2  BS %3  CS %4  左旋 %5")
                              .arg(levelText(o.bands[0].level), levelText(o.bands[1].level),
                                   levelText(o.bands[2].level), levelText(o.bands[3].level),
                                   levelText(o.bands[4].level)));
    EXPECT_EQ(tap.mark, o.fails() ? DiagramMark::Fail : DiagramMark::Pass);
    // A BS-only outlet leaves CS unrated: it fails, and so does every part above it.
    const DiagramBox& side = layout.boxes[5];
    EXPECT_TRUE(side.levels.endsWith(QStringLiteral("CS 非対応  左旋 非対応")));
    EXPECT_EQ(side.mark, DiagramMark::Fail);
    EXPECT_EQ(layout.boxes[1].mark, DiagramMark::Fail);
    EXPECT_EQ(layout.boxes[0].detail, QStringLiteral("ブースター出力"));
    EXPECT_EQ(layout.boxes[1].detail, QStringLiteral("出力 ← S-7C-FB 10 m"));
    EXPECT_EQ(layout.boxes[4].detail.left(2), QStringLiteral("通過"));
}

TEST(DiagramLayout, ConnectorRunsDownFromTheParentThenAcrossToTheChild) {
    SmallNetwork s;
    const DiagramLayout layout = layoutDiagram(s.net, computeNetwork(s.net, outletRanges()));
    const DiagramMetrics m;
    EXPECT_TRUE(layout.connector(layout.boxes[0], m).empty());
    // The side outlet (row 5) hangs on the distributor (row 1).
    const std::vector<QLineF> lines = layout.connector(layout.boxes[5], m);
    ASSERT_EQ(lines.size(), 2u);
    const QRectF parent = layout.boxRect(layout.boxes[1], m);
    const QRectF child = layout.boxRect(layout.boxes[5], m);
    EXPECT_EQ(child.topLeft(), QPointF(2 * m.indent, 5 * m.rowHeight));
    EXPECT_EQ(lines[0].p1(), QPointF(parent.left() + m.indent / 2, parent.bottom()));
    EXPECT_EQ(lines[0].p2(), QPointF(parent.left() + m.indent / 2, child.center().y()));
    EXPECT_EQ(lines[1].p2(), QPointF(child.left(), child.center().y()));
    const QRectF bounds = layout.bounds(m);
    EXPECT_DOUBLE_EQ(bounds.width(), 3 * m.indent + m.boxWidth);
    EXPECT_DOUBLE_EQ(bounds.height(), 5 * m.rowHeight + m.boxHeight);
}

TEST(DiagramLayout, PagesCoverEveryRowOnce) {
    using Pages = std::vector<std::pair<int, int>>;
    struct Case {
        int rows, perPage;
        Pages pages;
    };
    const Case cases[] = {
        {0, 10, {}},
        {1, 10, {{0, 1}}},
        {10, 10, {{0, 10}}},
        {11, 10, {{0, 10}, {10, 1}}},
        {3, 0, {{0, 1}, {1, 1}, {2, 1}}}, // a page holds one row at least
    };
    for (const Case& c : cases)
        EXPECT_EQ(diagramPages(c.rows, c.perPage), c.pages) << c.rows << "/" << c.perPage;
}

TEST(NetworkTexts, PortNamesAndCables) {
    SmallNetwork s;
    struct Case {
        NodeId parent;
        int port;
        const char* name;
    };
    const Case cases[] = {{HeadEndId, 0, "出力"},
                          {s.distributor, 1, "出力2"},
                          {s.brancher, 0, "通過"},
                          {s.brancher, 2, "分岐2"},
                          {s.tap, 0, "端子"}};
    for (const Case& c : cases)
        EXPECT_EQ(portName(s.net, c.parent, c.port), QString::fromUtf8(c.name)) << c.name;
    EXPECT_EQ(cableText(s.net, s.distributor), QStringLiteral("S-7C-FB 10 m"));
    EXPECT_EQ(cableText(s.net, HeadEndId), QString());
    EXPECT_EQ(failingBelowText(0), QString());
    EXPECT_EQ(failingBelowText(3), QStringLiteral("不適合 3 端子"));
}

TEST(NetworkTexts, EveryOutletAtTheBottomOfABandIsTheLowest) {
    SmallNetwork s;
    const NetworkResult r = computeNetwork(s.net, outletRanges());
    // The lowest found by hand; an unrated band is never the lowest.
    for (int b = 0; b < BandCount; ++b) {
        std::optional<double> bottom;
        for (const OutletResult& o : r.outlets)
            if (o.bands[size_t(b)].level && (!bottom || *o.bands[size_t(b)].level < *bottom))
                bottom = o.bands[size_t(b)].level;
        for (int i = 0; i < int(r.outlets.size()); ++i)
            EXPECT_EQ(isLowestOfBand(r, i, b),
                      bottom && r.outlets[size_t(i)].bands[size_t(b)].level == bottom)
                << "band " << b << " outlet " << i;
    }
    // A tie with the bottom counts as well.
    NetworkResult tie = r;
    tie.outlets.record(1).level[UHF] = *tie.outlets.level(size_t(tie.summary[UHF].worst), UHF);
    EXPECT_TRUE(isLowestOfBand(tie, 1, UHF));
    EXPECT_FALSE(isLowestOfBand(NetworkResult{}, 0, UHF)); // no rated outlet at all
}

TEST(NetworkTexts, VerdictLineNamesOnlyFailingBands) {
    OutletResult o;
    o.bands[VHF] = judgeOutletBand(70.0, std::nullopt);
    o.bands[UHF] = judgeOutletBand(70.0, LevelRange{50, 81});
    o.bands[BS] = judgeOutletBand(std::nullopt, LevelRange{52, 81});
    o.bands[CS] = judgeOutletBand(50.0, LevelRange{52, 81});
    o.bands[LeftBand] = judgeOutletBand(std::nullopt, std::nullopt); // 2K: no criterion
    EXPECT_EQ(outletVerdictLine(o), QStringLiteral("BS 非対応、CS 不足 −2.00 dB"));
    o.bands[BS] = judgeOutletBand(60.0, LevelRange{52, 81});
    o.bands[CS] = judgeOutletBand(60.0, LevelRange{52, 81});
    EXPECT_EQ(outletVerdictLine(o), QStringLiteral("適合"));
}

} // namespace
