#include "networkscreentestsupport.h"

#include "app/menu.h"
#include "app/screens.h"
#include "network/networktexts.h"
#include "network/terminalpath.h"
#include "network/towergenerator.h"
#include "network/tvdnfile.h"
#include "network/ui/definitionsdialog.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkentry.h"
#include "network/ui/networkpaint.h"
#include "network/ui/networktreemodel.h"
#include "network/ui/networkwindow.h"
#include "network/ui/nodedetails.h"
#include "network/ui/outlettablemodel.h"
#include "terminal/keisan.h"
#include "terminal/ui/tanmatu.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeView>
#include <QUndoStack>

using namespace miravel::app;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

class NetworkScreen : public ScreenTest {
protected:
    void TearDown() override {
        ScreenTest::TearDown();
        EXPECT_EQ(NetworkEntry::existingNetworkScreen(), nullptr);
    }
    QTemporaryDir dir;
};

QModelIndex indexOfNode(NetworkWindow* s, NodeId id) {
    return static_cast<NetworkTreeModel*>(named<QTreeView>(s, "networkTree")->model())->indexOf(id);
}

int outletRows(NetworkWindow* s) {
    return named<QTableView>(s, "outletTable")->model()->rowCount();
}

// An edit redraws the rows it changed: no reset, a folded branch stays
// folded, a new row shows unfolded and the sorted table keeps its order.
TEST_F(NetworkScreen, AnEditRedrawsItsRowsAndKeepsTheFoldedBranches) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(generateTower(TowerPlan{10, 4, 3, 5}), QString());
    auto* tree = named<QTreeView>(s, "networkTree");
    auto* proxy = static_cast<QSortFilterProxyModel*>(named<QTableView>(s, "outletTable")->model());
    const std::vector<NodeId> order = s->document()->network().preorder();
    const NodeId folded = order[3], leaf = order.back();
    tree->collapse(indexOfNode(s, folded));
    proxy->sort(OutletTableModel::FirstBandColumn);
    QSignalSpy treeResets(tree->model(), &QAbstractItemModel::modelReset);
    QSignalSpy tableResets(proxy->sourceModel(), &QAbstractItemModel::modelReset);
    QSignalSpy treeRows(tree->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy tableRows(proxy->sourceModel(), &QAbstractItemModel::dataChanged);
    NodeSetup setup = s->document()->network().node(leaf).setup;
    setup.coax.metres += 300; // far the lowest outlet now
    ASSERT_TRUE(s->document()
                    ->edit(QStringLiteral("長さ"), [&](Network& n) { n.setSetup(leaf, setup); })
                    .isEmpty());
    EXPECT_EQ(treeResets.count() + tableResets.count(), 0);
    // The leaf, and its parts up the tree whose count of failing outlets changed.
    bool leafRow = false;
    for (const QList<QVariant>& changed : treeRows) {
        const QModelIndex row = changed[0].toModelIndex();
        leafRow = leafRow || row == indexOfNode(s, leaf);
        EXPECT_EQ(row, changed[1].toModelIndex().siblingAtColumn(0));
        const NodeId id = NodeId(row.internalId());
        NodeId up = leaf;
        while (up != id && up != HeadEndId)
            up = s->document()->network().node(up).parent;
        EXPECT_EQ(up, id) << id << " is not on the leaf's way to the head end";
    }
    EXPECT_TRUE(leafRow);
    ASSERT_GE(tableRows.count(), 1);
    const QModelIndex lowest = proxy->mapToSource(proxy->index(0, 0));
    EXPECT_EQ(lowest.data(OutletTableModel::NodeRole).toUInt(), leaf);
    EXPECT_FALSE(tree->isExpanded(indexOfNode(s, folded)));

    s->selectNode(order[0]); // the CS-D4 with outputs to spare
    s->addChild(ComponentKind::Distributor);
    const NodeId added = s->selectedNode();
    EXPECT_EQ(treeResets.count() + tableResets.count(), 0);
    EXPECT_TRUE(tree->isExpanded(indexOfNode(s, added)));
    EXPECT_FALSE(tree->isExpanded(indexOfNode(s, folded)));
    s->document()->undoStack()->undo();
    EXPECT_FALSE(indexOfNode(s, added).isValid());
    EXPECT_FALSE(tree->isExpanded(indexOfNode(s, folded)));
    EXPECT_EQ(treeResets.count() + tableResets.count(), 0);
}

// Between changes the tree model keeps the tree packed, 12 bytes a node,
// also after following edits that changed its shape, and stays consistent.
TEST_F(NetworkScreen, TheTreeModelKeepsTheTreePackedAcrossShapeEdits) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(generateTower(TowerPlan{10, 4, 3, 5}), QString());
    auto* model = static_cast<NetworkTreeModel*>(named<QTreeView>(s, "networkTree")->model());
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    const Network& net = s->document()->network();
    const auto packed = [&] { return 12 * size_t(net.nodeCount() + 2); };
    EXPECT_LE(model->heldBytes(), packed());
    const NodeId top = net.preorder()[0], moved = net.children(top).back();
    s->selectNode(top);
    s->addChild(ComponentKind::Distributor);
    const NodeId added = s->selectedNode();
    EXPECT_LE(model->heldBytes(), packed());
    s->moveNode(moved, added, -1);
    EXPECT_EQ(model->indexOf(moved).parent(), indexOfNode(s, added));
    s->document()->undoStack()->undo();
    s->document()->undoStack()->undo();
    EXPECT_FALSE(indexOfNode(s, added).isValid());
    EXPECT_EQ(model->indexOf(moved).parent(), indexOfNode(s, top));
    EXPECT_LE(model->heldBytes(), packed());
}

// A loaded network shows unfolded, its parts without children too once they
// take one.
TEST_F(NetworkScreen, APartWithoutChildrenShowsTheChildItTakesUnfolded) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(generateTower(TowerPlan{10, 4, 3, 5}), QString());
    auto* tree = named<QTreeView>(s, "networkTree");
    const Network& net = s->document()->network();
    s->selectNode(net.preorder()[0]); // the CS-D4 with outputs to spare
    s->addChild(ComponentKind::Distributor);
    const NodeId bare = s->selectedNode();
    s->document()->reset(Network(net), QString());
    ASSERT_TRUE(net.children(bare).empty());
    for (NodeId id : net.preorder()) {
        if (!net.children(id).empty()) {
            EXPECT_TRUE(tree->isExpanded(indexOfNode(s, id))) << id;
        }
    }
    s->selectNode(bare);
    s->addChild(ComponentKind::Distributor);
    ASSERT_EQ(net.children(bare).size(), 1u);
    EXPECT_TRUE(tree->isExpanded(indexOfNode(s, bare)));
}

TEST_F(NetworkScreen, BuildsTheApartmentWithItsCommandsUndoesToEmptyRedoesSavesAndLoads) {
    const Network apartment = loadNetworkExample("apartment-12.tvdn");
    NetworkWindow* s = openNetworkScreen();
    ASSERT_TRUE(buildWithScreenCommands(s, apartment));
    EXPECT_EQ(s->document()->network(), apartment);
    EXPECT_EQ(outletRows(s), 12);
    EXPECT_TRUE(platform.messages.isEmpty());

    QUndoStack* undo = s->document()->undoStack();
    while (undo->canUndo())
        named<QAction>(s, "undoNetwork")->trigger();
    EXPECT_EQ(s->document()->network(), Network());
    EXPECT_EQ(named<QTreeView>(s, "networkTree")
                  ->model()
                  ->rowCount(named<QTreeView>(s, "networkTree")->model()->index(0, 0)),
              0);
    EXPECT_EQ(outletRows(s), 0);

    while (undo->canRedo())
        named<QAction>(s, "redoNetwork")->trigger();
    EXPECT_EQ(s->document()->network(), apartment);
    EXPECT_EQ(outletRows(s), 12);

    const QString path = dir.filePath(QStringLiteral("apartment"));
    platform.fileAnswers = {path};
    named<QAction>(s, "saveNetworkAs")->trigger();
    const QString saved = path + QStringLiteral(".tvdn");
    ASSERT_TRUE(QFile::exists(saved));
    EXPECT_EQ(s->document()->filePath(), saved);
    EXPECT_TRUE(undo->isClean());
    EXPECT_FALSE(s->windowTitle().endsWith(u'*'));

    named<QAction>(s, "newNetwork")->trigger();
    EXPECT_EQ(s->document()->network(), Network());
    platform.fileAnswers = {saved};
    named<QAction>(s, "openNetwork")->trigger();
    EXPECT_EQ(s->document()->network(), apartment);
    EXPECT_EQ(outletRows(s), 12);
    EXPECT_FALSE(undo->canUndo());
    EXPECT_TRUE(s->windowTitle().contains(saved));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(NetworkScreen, RefusedFilesChangeNothingOnScreen) {
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"not-json.tvdn", "{ this is not json"},
        {"other-format.tvdn", R"({"format":"other","version":1})"},
        {"empty.tvdn", ""},
    };
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(loadNetworkExample("apartment-12.tvdn"), QStringLiteral("/kept.tvdn"));
    s->selectNode(s->document()->network().preorder().back());
    named<QAction>(s, "removeNode")->trigger(); // one step to undo
    const Network before = s->document()->network();
    const NodeId selected = s->selectedNode();
    const QString title = s->windowTitle();
    for (const auto& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        file.close();
        platform.messages.clear();
        platform.fileAnswers = {path};
        named<QAction>(s, "openNetwork")->trigger();
        ASSERT_EQ(platform.messages.size(), 1) << c.name;
        EXPECT_TRUE(platform.messages[0].text.contains(QString::fromLatin1(c.name))) << c.name;
        EXPECT_EQ(s->document()->network(), before) << c.name;
        EXPECT_EQ(s->document()->filePath(), QStringLiteral("/kept.tvdn")) << c.name;
        EXPECT_EQ(s->selectedNode(), selected) << c.name;
        EXPECT_EQ(s->windowTitle(), title) << c.name;
        EXPECT_TRUE(s->document()->undoStack()->canUndo()) << c.name;
        EXPECT_EQ(outletRows(s), 11) << c.name;
    }
}

TEST_F(NetworkScreen, DetailsRefuseABadLengthAndKeepTheNode) {
    NetworkWindow* s = openNetworkScreen();
    named<QAction>(s, "addDistributor")->trigger();
    const NodeId id = s->selectedNode();
    const NodeSetup setup = s->document()->network().node(id).setup;
    const int steps = s->document()->undoStack()->count();
    for (const char* bad : {"abc", "-3", "1e999"}) {
        platform.messages.clear();
        typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "lengthEdit"),
                 QString::fromLatin1(bad));
        ASSERT_EQ(platform.messages.size(), 1) << bad;
        EXPECT_EQ(s->document()->network().node(id).setup, setup) << bad;
        EXPECT_EQ(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "lengthEdit")->text(),
                  QStringLiteral("0"))
            << bad;
    }
    EXPECT_EQ(s->document()->undoStack()->count(), steps);
    typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "lengthEdit"),
             QStringLiteral("12.5"));
    EXPECT_EQ(s->document()->network().node(id).setup.coax.metres, 12.5);
    EXPECT_EQ(s->document()->undoStack()->count(), steps + 1);
}

// The details take no more than the file holds: a longer room is cut at the
// limit, a head-end level beyond it is refused.
TEST_F(NetworkScreen, DetailsKeepToTheFileLimits) {
    NetworkWindow* s = openNetworkScreen();
    named<QAction>(s, "addOutlet")->trigger();
    const NodeId id = s->selectedNode();
    typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "roomEdit"),
             QString(MaxNetworkTextLength + 1, u'x'));
    EXPECT_EQ(s->document()->network().node(id).setup.room.size(), MaxNetworkTextLength);
    s->selectNode(HeadEndId);
    const HeadEnd head = s->document()->network().head;
    for (const char* bad : {"1000", "-100.5"}) {
        platform.messages.clear();
        typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "levelUHFEdit"),
                 QString::fromLatin1(bad));
        ASSERT_EQ(platform.messages.size(), 1) << bad;
        EXPECT_EQ(s->document()->network().head, head) << bad;
    }
    typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "levelUHFEdit"),
             QStringLiteral("200"));
    EXPECT_EQ(s->document()->network().head.levels[UHF], 200);
}

TEST_F(NetworkScreen, CopyPasteRepeatAndMoveAreEachOneStep) {
    NetworkWindow* s = openNetworkScreen();
    named<QAction>(s, "addBrancher")->trigger();
    const NodeId riser = s->selectedNode();
    named<QAction>(s, "addBrancher")->trigger();
    const NodeId floor = s->selectedNode();
    named<QAction>(s, "addOutlet")->trigger();
    s->selectNode(floor);
    named<QAction>(s, "addOutlet")->trigger();
    QUndoStack* undo = s->document()->undoStack();
    const auto heads = [s, riser] { return s->document()->network().children(riser); };

    s->selectNode(floor);
    named<QSpinBox>(s, "repeatCount")->setValue(3);
    named<QAction>(s, "repeatNode")->trigger(); // floors chain through
    EXPECT_EQ(s->document()->network().nodeCount(), 4 + 3 * 3);
    EXPECT_EQ(outletRows(s), 8);
    named<QAction>(s, "undoNetwork")->trigger();
    EXPECT_EQ(s->document()->network().nodeCount(), 4);
    EXPECT_EQ(outletRows(s), 2);

    s->selectNode(floor);
    named<QAction>(s, "copyNode")->trigger();
    s->selectNode(riser);
    named<QAction>(s, "pasteNode")->trigger();
    ASSERT_EQ(heads().size(), 2u);
    const NodeId pasted = heads()[1];
    EXPECT_EQ(s->selectedNode(), pasted);
    EXPECT_EQ(s->document()->network().children(pasted).size(), 2u);

    const int steps = undo->count();
    named<QAction>(s, "moveNodeUp")->trigger();
    EXPECT_EQ(heads(), (std::vector<NodeId>{pasted, floor}));
    EXPECT_EQ(s->selectedNode(), pasted);
    named<QAction>(s, "moveNodeUp")->trigger(); // already first: nothing happens
    EXPECT_EQ(undo->count(), steps + 1);
    named<QAction>(s, "moveNodeDown")->trigger();
    EXPECT_EQ(heads(), (std::vector<NodeId>{floor, pasted}));
    named<QAction>(s, "removeNode")->trigger();
    EXPECT_EQ(heads(), (std::vector<NodeId>{floor}));
    named<QAction>(s, "undoNetwork")->trigger();
    EXPECT_EQ(heads(), (std::vector<NodeId>{floor, pasted}));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(NetworkScreen, DraggingHangsANodeElsewhereAsOneStep) {
    NetworkWindow* s = openNetworkScreen();
    named<QAction>(s, "addDistributor")->trigger();
    const NodeId top = s->selectedNode();
    named<QAction>(s, "addDistributor")->trigger();
    const NodeId a = s->selectedNode();
    named<QAction>(s, "addOutlet")->trigger();
    const NodeId outlet = s->selectedNode();
    s->selectNode(top);
    named<QAction>(s, "addDistributor")->trigger();
    const NodeId b = s->selectedNode();
    QAbstractItemModel* model = named<QTreeView>(s, "networkTree")->model();
    const auto drop = [&](NodeId node, NodeId onto, int row) {
        std::unique_ptr<QMimeData> data(model->mimeData({indexOfNode(s, node)}));
        return model->dropMimeData(data.get(), Qt::MoveAction, row, 0, indexOfNode(s, onto));
    };
    const auto& net = [s]() -> const Network& { return s->document()->network(); };
    ASSERT_TRUE(drop(outlet, b, -1));
    EXPECT_EQ(net().node(outlet).parent, b);
    EXPECT_TRUE(net().children(a).empty());
    ASSERT_TRUE(drop(b, top, 0)); // to the top, with its outlet
    EXPECT_EQ(net().children(top), (std::vector<NodeId>{b, a}));
    EXPECT_EQ(net().node(outlet).parent, b);
    EXPECT_TRUE(platform.messages.isEmpty());
    drop(b, outlet, -1); // into its own subtree: refused
    EXPECT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(net().children(top), (std::vector<NodeId>{b, a}));
    named<QAction>(s, "undoNetwork")->trigger();
    named<QAction>(s, "undoNetwork")->trigger();
    EXPECT_EQ(net().children(top), (std::vector<NodeId>{a, b}));
    EXPECT_EQ(net().node(outlet).parent, a);
}

TEST_F(NetworkScreen, NewPastedDroppedAndRepeatedChildrenTakeAFreePortElseAreRefused) {
    NetworkWindow* s = openNetworkScreen();
    named<QAction>(s, "addDistributor")->trigger(); // BS-D2: two outputs
    const NodeId split = s->selectedNode();
    named<QAction>(s, "addBrancher")->trigger(); // BS-C2: through and two taps
    const NodeId brancher = s->selectedNode();
    s->selectNode(split);
    named<QAction>(s, "addOutlet")->trigger();
    const NodeId loose = s->selectedNode();
    named<QAction>(s, "copyNode")->trigger();
    const Network& net = s->document()->network();
    QAbstractItemModel* model = named<QTreeView>(s, "networkTree")->model();
    const auto drop = [&](NodeId node, NodeId onto) {
        std::unique_ptr<QMimeData> data(model->mimeData({indexOfNode(s, node)}));
        model->dropMimeData(data.get(), Qt::MoveAction, -1, 0, indexOfNode(s, onto));
    };
    const auto on = [s](NodeId parent, QAction* action) {
        s->selectNode(parent);
        action->trigger();
    };
    const struct {
        const char* what;
        std::function<void()> act;
        NodeId parent;
        int port; // of the new child; -1: refused
    } cases[] = {
        {"add: the first tap", [&] { on(brancher, named<QAction>(s, "addOutlet")); }, brancher, 1},
        {"paste: the next tap", [&] { on(brancher, named<QAction>(s, "pasteNode")); }, brancher, 2},
        {"drop: the through port last", [&] { drop(loose, brancher); }, brancher, 0},
        {"add on the output freed", [&] { on(split, named<QAction>(s, "addOutlet")); }, split, 1},
        {"add to a full part", [&] { on(brancher, named<QAction>(s, "addOutlet")); }, brancher, -1},
        {"paste onto a full part", [&] { on(brancher, named<QAction>(s, "pasteNode")); }, brancher,
         -1},
        {"drop onto a full part", [&] { drop(net.children(split).back(), brancher); }, brancher,
         -1},
        {"repeat beside a full part",
         [&] {
             named<QSpinBox>(s, "repeatCount")->setValue(1);
             on(net.children(brancher).front(), named<QAction>(s, "repeatNode"));
         },
         brancher, -1},
    };
    for (const auto& c : cases) {
        platform.messages.clear();
        const Network before = net;
        c.act();
        if (c.port < 0) {
            ASSERT_EQ(platform.messages.size(), 1) << c.what;
            EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("空いている端子")))
                << c.what << platform.messages[0].text.toStdString();
            EXPECT_EQ(net, before) << c.what;
            continue;
        }
        EXPECT_TRUE(platform.messages.isEmpty()) << c.what;
        EXPECT_EQ(net.node(net.children(c.parent).back()).parentPort, c.port) << c.what;
    }
}

TEST_F(NetworkScreen, RefusedEditsSayWhyAndChangeNothing) {
    NetworkWindow* s = openNetworkScreen();
    named<QAction>(s, "addOutlet")->trigger();
    const Network before = s->document()->network();
    struct Case {
        const char* what;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"under an outlet", [s] { named<QAction>(s, "addDistributor")->trigger(); }},
        {"user part without definitions",
         [s] { named<QAction>(s, "addUserComponent")->trigger(); }},
        {"remove the head end",
         [s] {
             s->selectNode(HeadEndId);
             named<QAction>(s, "removeNode")->trigger();
         }},
        {"paste with nothing copied", [s] { named<QAction>(s, "pasteNode")->trigger(); }},
    };
    for (const Case& c : cases) {
        platform.messages.clear();
        s->selectNode(before.children(HeadEndId).front());
        c.act();
        ASSERT_EQ(platform.messages.size(), 1) << c.what;
        EXPECT_FALSE(platform.messages[0].text.isEmpty()) << c.what;
        EXPECT_EQ(s->document()->network(), before) << c.what;
    }
}

TEST_F(NetworkScreen, OutletTableSortsByLevelAndMarksTheWorstOfEachBand) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(loadNetworkExample("apartment-12.tvdn"), QString());
    QAbstractItemModel* table = named<QTableView>(s, "outletTable")->model();
    for (int b = 0; b < BandCount; ++b) {
        const int column = OutletTableModel::FirstBandColumn + b;
        named<QTableView>(s, "outletTable")->sortByColumn(column, Qt::AscendingOrder);
        const auto levelAt = [&](int row) {
            return table->index(row, column).data(OutletTableModel::SortRole).toDouble();
        };
        int marked = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            if (row > 0) {
                EXPECT_LE(levelAt(row - 1), levelAt(row)) << "band " << b;
            }
            // Every outlet at the lowest level is marked, ties included.
            const bool mark = table->index(row, column).data(Qt::BackgroundRole).isValid();
            EXPECT_EQ(mark, levelAt(row) == levelAt(0)) << "band " << b << " row " << row;
            marked += mark;
        }
        EXPECT_GE(marked, 1) << "band " << b;
    }
}

TEST_F(NetworkScreen, OutletTableMarksANameThatRepeats) {
    Network net = loadNetworkExample("apartment-12.tvdn");
    for (NodeId id : net.preorder())
        if (net.node(id).setup.room == QStringLiteral("102")) {
            NodeSetup setup = net.node(id).setup;
            setup.room = QStringLiteral("101");
            net.setSetup(id, setup);
        }
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(net, QString());
    const QAbstractItemModel* table = named<QTableView>(s, "outletTable")->model();
    QStringList marked;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QModelIndex name = table->index(row, OutletTableModel::NameColumn);
        const QString tip = name.data(Qt::ToolTipRole).toString();
        EXPECT_EQ(tip.isEmpty(), !name.data(Qt::BackgroundRole).isValid()) << row;
        if (!tip.isEmpty()) marked << name.data().toString() + u' ' + tip;
    }
    const QString mark = QStringLiteral("101 (1F) 同じ名前の端子が 2 か所あります。");
    EXPECT_EQ(marked, (QStringList{mark, mark}));
}

// An edit that gives an outlet another's name marks both and redraws the
// other's name; undoing it takes the marks away.
TEST_F(NetworkScreen, RenamingAnOutletFollowsTheRepeatedNameMarks) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(loadNetworkExample("apartment-12.tvdn"), QString());
    const QAbstractItemModel* table =
        static_cast<QSortFilterProxyModel*>(named<QTableView>(s, "outletTable")->model())
            ->sourceModel();
    const auto marked = [&] {
        std::vector<int> rows;
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->index(row, 0).data(Qt::BackgroundRole).isValid()) rows.push_back(row);
        return rows;
    };
    int other = -1, renamed = -1;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString name = table->index(row, 0).data().toString();
        if (name == QStringLiteral("101 (1F)")) other = row;
        if (name == QStringLiteral("102 (1F)")) renamed = row;
    }
    ASSERT_GE(other, 0);
    ASSERT_GE(renamed, 0);
    const NodeId id = NodeId(table->index(renamed, 0).data(OutletTableModel::NodeRole).toUInt());
    NodeSetup setup = s->document()->network().node(id).setup;
    setup.room = QStringLiteral("101");
    QSignalSpy redrawn(table, &QAbstractItemModel::dataChanged);
    ASSERT_TRUE(s->document()
                    ->edit(QStringLiteral("名前"), [&](Network& n) { n.setSetup(id, setup); })
                    .isEmpty());
    EXPECT_EQ(marked(), (std::vector<int>{std::min(other, renamed), std::max(other, renamed)}));
    bool otherRedrawn = false;
    for (const QList<QVariant>& change : redrawn)
        otherRedrawn = otherRedrawn || (change[0].toModelIndex().row() <= other &&
                                        change[1].toModelIndex().row() >= other &&
                                        change[0].toModelIndex().column() == 0);
    EXPECT_TRUE(otherRedrawn);
    s->document()->undoStack()->undo();
    EXPECT_TRUE(marked().empty());
}

TEST_F(NetworkScreen, SendToTerminalGivesTheNetworksLevelsAfterCalculating) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(loadNetworkExample("apartment-12.tvdn"), QString());
    const NetworkResult result = s->document()->result();
    ASSERT_EQ(result.outlets.size(), 12u);
    for (const OutletResult& outlet : result.outlets) {
        s->selectNode(outlet.node);
        named<QAction>(s, "sendToTerminal")->trigger();
        ASSERT_TRUE(platform.messages.isEmpty()) << outlet.node;
        tanmatu* terminal = appScreens().existingTerminal();
        ASSERT_NE(terminal, nullptr);
        EXPECT_TRUE(terminal->isVisible());
        // The series-unit or outlet type is chosen on the screen, with its captions.
        const int type = terminalFieldsForOutlet(s->document()->network(), outlet.node).combo3Index;
        ASSERT_GE(type, 0);
        EXPECT_EQ(terminal->fields().combo3Index, type);
        EXPECT_EQ(named<QLabel>(terminal, "Label20")->text(), type >= SeriesUnitTypeCount
                                                                  ? QStringLiteral("挿入損失")
                                                                  : QStringLiteral("結合損失"));
        named<QPushButton>(terminal, "Command1")->click(); // 計　算
        const QLabel* lines[] = {
            named<QLabel>(terminal, "Label43"), named<QLabel>(terminal, "Label44"),
            named<QLabel>(terminal, "Label45"), named<QLabel>(terminal, "Label58")};
        for (int b = 0; b < BandCount; ++b) {
            const QString line = lines[b]->text();
            const QString level = line.section(QStringLiteral("= "), 1).chopped(3);
            ASSERT_TRUE(outlet.bands[size_t(b)].level);
            EXPECT_NEAR(level.toDouble(), *outlet.bands[size_t(b)].level, 1e-9)
                << outlet.node << " " << line.toStdString();
        }
    }
}

TEST_F(NetworkScreen, SendToTerminalRefusesAUserPartAndFillsNothing) {
    NetworkWindow* s = openNetworkScreen();
    Network net;
    net.setUserComponent(UserComponent{QStringLiteral("自作アンプ"),
                                       {UserPort{{-10.0, -10.0, -10.0, -10.0}, false}}});
    NodeSetup amp;
    amp.component.kind = ComponentKind::User;
    amp.component.userName = QStringLiteral("自作アンプ");
    const NodeId user = net.addChild(HeadEndId, 0, amp);
    NodeSetup outlet;
    outlet.component.kind = ComponentKind::Outlet;
    const NodeId end = net.addChild(user, 0, outlet);
    s->document()->reset(net, QString());
    tanmatu* terminal = appScreens().terminal();
    named<QLineEdit>(terminal, "Text20")->setText(QStringLiteral("7"));
    s->selectNode(end);
    named<QAction>(s, "sendToTerminal")->trigger();
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_TRUE(platform.messages[0].text.contains(QStringLiteral("自作アンプ")));
    EXPECT_EQ(named<QLineEdit>(terminal, "Text20")->text(), QStringLiteral("7"));
}

TEST_F(NetworkScreen, TakesTheTerminalScreensBoosterLevels) {
    tanmatu* terminal = appScreens().terminal();
    named<QCheckBox>(terminal, "Check1")->setChecked(true);
    named<QLineEdit>(terminal, "Text27")->setText(QStringLiteral("98.5"));
    NetworkWindow* s = openNetworkScreen();
    s->selectNode(HeadEndId);
    pick(named<QComboBox>(named<NodeDetails>(s, "NodeDetails"), "sourceCombo"),
         int(HeadSource::TerminalScreen));
    named<QPushButton>(named<NodeDetails>(s, "NodeDetails"), "takeTerminalButton")->click();
    const HeadEnd& head = s->document()->network().head;
    EXPECT_EQ(head.source, HeadSource::TerminalScreen);
    EXPECT_EQ(head.levels, (NetBandValues{98.5, 0, 0, 0, 105})); // the left band kept
    EXPECT_EQ(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "levelVHFEdit")->text(),
              QStringLiteral("98.5"));
}

TEST_F(NetworkScreen, DefinedCablesAndPartsAreChosenInTheDetails) {
    NetworkWindow* s = openNetworkScreen();
    DefinitionsDialog dialog(s);
    dialog.setRows({}, {});
    named<QPushButton>(&dialog, "addCableRow")->click();
    const QStringList cable = {"ECO-5C", "1300", "220:10 770:20 1300:30"};
    for (int c = 0; c < cable.size(); ++c)
        named<QTableWidget>(&dialog, "cableTable")->item(0, c)->setText(cable[c]);
    named<QPushButton>(&dialog, "addUserRow")->click();
    named<QTableWidget>(&dialog, "userTable")->item(0, 0)->setText(QStringLiteral("増幅器"));
    for (int c = 2; c < 7; ++c)
        named<QTableWidget>(&dialog, "userTable")->item(0, c)->setText(QStringLiteral("-20"));
    ASSERT_TRUE(s->applyDefinitions(dialog.cableRows(), dialog.userRows()));
    EXPECT_EQ(dialog.userRows().at(0).at(1), QString()); // not an outlet output

    named<QAction>(s, "addUserComponent")->trigger();
    const NodeId amp = s->selectedNode();
    EXPECT_EQ(s->document()->network().node(amp).setup.component.userName,
              QStringLiteral("増幅器"));
    pickText(named<QComboBox>(named<NodeDetails>(s, "NodeDetails"), "cableCombo"),
             QStringLiteral("ECO-5C"));
    typeInto(named<QLineEdit>(named<NodeDetails>(s, "NodeDetails"), "lengthEdit"),
             QStringLiteral("100"));
    named<QAction>(s, "addOutlet")->trigger();
    // 20 dB of gain, then 10 dB of cable in VHF; CS is not rated by the cable.
    const NodeResult* r = s->document()->result().node(amp);
    ASSERT_TRUE(r->input[VHF]);
    EXPECT_DOUBLE_EQ(*r->input[VHF], 105 - 10);
    EXPECT_FALSE(r->input[CS]);

    platform.messages.clear();
    EXPECT_FALSE(s->applyDefinitions({}, dialog.userRows())); // the cable is in use
    ASSERT_EQ(platform.messages.size(), 1);
    EXPECT_EQ(s->document()->network().cableTypes().size(), 1u);
    named<QAction>(s, "undoNetwork")->trigger(); // the outlet
    named<QAction>(s, "undoNetwork")->trigger(); // the length
    named<QAction>(s, "undoNetwork")->trigger(); // the cable choice
    named<QAction>(s, "undoNetwork")->trigger(); // the part
    named<QAction>(s, "undoNetwork")->trigger(); // the definitions
    EXPECT_EQ(s->document()->network(), Network());
}

TEST_F(NetworkScreen, DiagramFollowsTheEditsWhenItShows) {
    NetworkWindow* s = openNetworkScreen();
    s->document()->reset(loadNetworkExample("apartment-12.tvdn"), QString());
    s->selectNode(s->document()->network().preorder().back());
    named<QAction>(s, "removeNode")->trigger(); // frees an output of its distributor, now selected
    const NodeId freed = s->selectedNode();
    const auto boxes = [s] {
        return named<DiagramView>(s, "networkDiagram")->diagram().boxes.size();
    };
    const size_t nodes = size_t(s->document()->network().nodeCount()) + 1;
    named<QTabWidget>(s, "networkTabs")->setCurrentIndex(NetworkWindow::DiagramTab);
    EXPECT_EQ(boxes(), nodes);
    s->selectNode(freed);
    named<QAction>(s, "addOutlet")->trigger();
    EXPECT_EQ(boxes(), nodes + 1);
    EXPECT_EQ(named<DiagramView>(s, "networkDiagram")->diagram().boxes.back().id,
              s->selectedNode());
    named<QTabWidget>(s, "networkTabs")->setCurrentIndex(0);
    named<QAction>(s, "undoNetwork")->trigger();
    named<QTabWidget>(s, "networkTabs")->setCurrentIndex(NetworkWindow::DiagramTab);
    EXPECT_EQ(boxes(), nodes);
    EXPECT_GE(named<DiagramView>(s, "networkDiagram")->minimumHeight(), int(nodes) * 40);
}

TEST_F(NetworkScreen, UnsavedChangesAreKeptUnlessTheUserDropsThem) {
    NetworkWindow* s = openNetworkScreen();
    named<QAction>(s, "newNetwork")->trigger(); // nothing to lose: no question
    EXPECT_TRUE(platform.questions.isEmpty());
    named<QAction>(s, "addOutlet")->trigger();
    const Network edited = s->document()->network();
    platform.questionAnswers = {false, false, true};
    named<QAction>(s, "newNetwork")->trigger();
    EXPECT_EQ(s->document()->network(), edited);
    EXPECT_FALSE(s->close());
    EXPECT_EQ(NetworkEntry::existingNetworkScreen(), s);
    EXPECT_TRUE(s->close());
    EXPECT_EQ(platform.questions.size(), 3);
}

TEST_F(NetworkScreen, ReachedFromTheStartMenuAndTheTerminalScreen) {
    Menu* menu = appScreens().menu();
    menu->show();
    named<QRadioButton>(menu, "Option4")->setChecked(true);
    named<QPushButton>(menu, "Command1")->click();
    NetworkWindow* s = NetworkEntry::existingNetworkScreen();
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->isVisible());
    EXPECT_FALSE(named<QRadioButton>(menu, "Option4")->isChecked());
    s->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(NetworkEntry::existingNetworkScreen(), nullptr);

    tanmatu* terminal = appScreens().terminal();
    auto* open = terminal->findChild<QAction*>(QStringLiteral("Net_open"));
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(terminal->menuBar()->actions().contains(open));
    open->trigger();
    ASSERT_NE(NetworkEntry::existingNetworkScreen(), nullptr);
    EXPECT_TRUE(NetworkEntry::existingNetworkScreen()->isVisible());
}

} // namespace
