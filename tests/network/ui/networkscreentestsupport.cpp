#include "networkscreentestsupport.h"

#include "network/catalogparts.h"
#include "network/tvdnfile.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkentry.h"
#include "network/ui/networkwindow.h"
#include "network/ui/nodedetails.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <map>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;
using namespace miravel::terminal;

NetworkWindow* openNetworkScreen() {
    NetworkEntry::showNetworkScreen();
    return NetworkEntry::existingNetworkScreen();
}

Network loadNetworkExample(const char* name) {
    return readNetworkFile(QStringLiteral(MIRAVEL_EXAMPLES_DIR "/") + QString::fromUtf8(name));
}

void typeInto(QLineEdit* field, const QString& text) {
    field->setText(text);
    emit field->editingFinished();
}

void pickText(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    pick(combo, index);
}

void pickData(QComboBox* combo, const QVariant& data) {
    const int index = combo->findData(data);
    ASSERT_GE(index, 0) << data.toString().toStdString();
    pick(combo, index);
}

namespace {

QAction* addActionFor(NetworkWindow* s, ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Distributor:
        return named<QAction>(s, "addDistributor");
    case ComponentKind::Brancher:
        return named<QAction>(s, "addBrancher");
    case ComponentKind::SeriesUnit:
        return named<QAction>(s, "addSeriesUnit");
    case ComponentKind::Outlet:
        return named<QAction>(s, "addOutlet");
    case ComponentKind::Booster:
        return named<QAction>(s, "addBooster");
    case ComponentKind::User:
        break;
    }
    return named<QAction>(s, "addUserComponent");
}

void setHeadEnd(NetworkWindow* s, const HeadEnd& head) {
    s->selectNode(HeadEndId);
    pick(named<QComboBox>(named<NodeDetails>(s, "NodeDetails"), "sourceCombo"), int(head.source));
    const QLineEdit* const levels[] = {
        named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "levelVHFEdit"),
        named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "levelUHFEdit"),
        named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "levelBSEdit"),
        named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "levelCSEdit"),
        named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "levelLeftEdit")};
    for (int b = 0; b < NetBandCount; ++b)
        typeInto(const_cast<QLineEdit*>(levels[b]), QString::number(head.levels[size_t(b)]));
}

void setNode(NetworkWindow* s, const NetNode& node) {
    const Component& c = node.setup.component;
    pickText(named<QComboBox>(named<NodeDetails>(s, "NodeDetails"), "modelCombo"),
             c.kind == ComponentKind::User ? c.userName
                                           : catalogueModelNames(c.kind).at(c.model - 1));
    if (c.endUnit) named<QCheckBox>(named<NodeDetails>(s, "NodeDetails"), "endUnitCheck")->click();
    pickData(named<QComboBox>(named<NodeDetails>(s, "NodeDetails"), "portCombo"), node.parentPort);
    pickText(named<QComboBox>(named<NodeDetails>(s, "NodeDetails"), "cableCombo"),
             node.setup.coax.cable);
    typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "lengthEdit"),
             QString::number(node.setup.coax.metres));
    typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "roomEdit"), node.setup.room);
    typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "floorEdit"), node.setup.floor);
}

} // namespace

bool buildWithScreenCommands(NetworkWindow* s, const Network& target) {
    setHeadEnd(s, target.head);
    std::map<NodeId, NodeId> built{{HeadEndId, HeadEndId}};
    for (NodeId id : target.preorder()) {
        const NetNode& node = target.node(id);
        s->selectNode(built.at(node.parent));
        addActionFor(s, node.setup.component.kind)->trigger();
        const NodeId added = s->selectedNode();
        EXPECT_NE(added, built.at(node.parent)) << "node " << id << " was not added";
        if (added == built.at(node.parent)) return false;
        built[id] = added;
        setNode(s, node);
        const NodeSetup& got = s->document()->network().node(added).setup;
        EXPECT_EQ(got, node.setup) << "node " << id;
        if (got != node.setup) return false;
    }
    return true;
}
