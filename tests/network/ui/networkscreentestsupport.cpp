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
    case ComponentKind::User:
        break;
    }
    return named<QAction>(s, "addUserComponent");
}

void setHeadEnd(NetworkWindow* s, const HeadEnd& head) {
    s->selectNode(HeadEndId);
    Ui::NodeDetails* ui = named<NodeDetails>(s, "NodeDetails")->ui.get();
    pick(ui->sourceCombo, int(head.source));
    const QLineEdit* const levels[] = {ui->levelVHFEdit, ui->levelUHFEdit, ui->levelBSEdit,
                                       ui->levelCSEdit};
    for (int b = 0; b < BandCount; ++b)
        typeInto(const_cast<QLineEdit*>(levels[b]), QString::number(head.levels[size_t(b)]));
}

void setNode(NetworkWindow* s, const NetNode& node) {
    Ui::NodeDetails* ui = named<NodeDetails>(s, "NodeDetails")->ui.get();
    const Component& c = node.setup.component;
    pickText(ui->modelCombo, c.kind == ComponentKind::User
                                 ? c.userName
                                 : catalogueModelNames(c.kind).at(c.model - 1));
    if (c.endUnit) ui->endUnitCheck->click();
    pickData(ui->portCombo, node.parentPort);
    pickText(ui->cableCombo, node.setup.coax.cable);
    typeInto(ui->lengthEdit, QString::number(node.setup.coax.metres));
    typeInto(ui->roomEdit, node.setup.room);
    typeInto(ui->floorEdit, node.setup.floor);
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
