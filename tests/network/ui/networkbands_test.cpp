#include "networkscreentestsupport.h"

#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"
#include "network/ui/nodedetails.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QUndoStack>

using namespace miravel::common;
using namespace miravel::network;

namespace {

class NetworkBandsScreen : public ScreenTest {};

// A booster added from the menu: its gain typed per band lifts the levels
// after it; a band left empty does not pass.
TEST_F(NetworkBandsScreen, ABoosterIsAddedAndItsGainTyped) {
    NetworkWindow* s = openNetworkScreen();
    named<QAction>(s, "addBooster")->trigger();
    const NodeId booster = s->selectedNode();
    auto* details = named<NodeDetails>(s, "NodeDetails");
    typeInto(named<QLineEdit>(details, "boosterGainLeftEdit"), QStringLiteral("12.5"));
    typeInto(named<QLineEdit>(details, "boosterGainVHFEdit"), QString());
    const Component& c = s->document()->network().node(booster).setup.component;
    EXPECT_EQ(c.kind, ComponentKind::Booster);
    EXPECT_EQ(c.booster->gain[LeftBand], 12.5);
    EXPECT_FALSE(c.booster->gain[VHF]);
    named<QAction>(s, "addOutlet")->trigger();
    const NetworkResult& r = s->document()->result();
    ASSERT_EQ(r.outlets.size(), 1u);
    EXPECT_FALSE(r.outlets[0].bands[VHF].level);
    // UHF: the head end's 105 plus the booster's 25 less the outlet's loss.
    const double outletLoss = *s->document()->network().losses(r.outlets[0].node).ports[0][UHF];
    EXPECT_DOUBLE_EQ(*r.outlets[0].bands[UHF].level, 105 + 25 - outletLoss);
    // A gain that is not a number is refused and changes nothing.
    platform.messages.clear();
    s->selectNode(booster);
    typeInto(named<QLineEdit>(details, "boosterNfUHFEdit"), QStringLiteral("x"));
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(s->document()->network().node(booster).setup.component.booster->noiseFigure[UHF], 10);
}

// The band-edge option is one undoable edit; the C/N choice of the table
// shows every outlet's C/N in the band columns.
TEST_F(NetworkBandsScreen, BandEdgeOptionAndCnColumns) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(loadNetworkExample("tower-4k8k-42.tvdn"), QString());
    named<QCheckBox>(s, "bandEdgeCheck")->click();
    EXPECT_TRUE(s->document()->network().head.judgeAtBandEdges);
    EXPECT_TRUE(s->document()->result().judgedAtBandEdges);
    named<QAction>(s, "undoNetwork")->trigger();
    EXPECT_FALSE(s->document()->network().head.judgeAtBandEdges);
    EXPECT_FALSE(named<QCheckBox>(s, "bandEdgeCheck")->isChecked());
    auto* table = named<QTableView>(s, "outletTable");
    const QModelIndex left = table->model()->index(0, 1 + LeftBand);
    EXPECT_EQ(left.data().toString(), QStringLiteral("79.19"));
    named<QCheckBox>(s, "showCnCheck")->click();
    EXPECT_EQ(left.data().toString(), QStringLiteral("22.00"));
}

} // namespace
