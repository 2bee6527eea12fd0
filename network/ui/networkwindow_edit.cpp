// The editing commands of the network screen; each is one undoable edit of
// the selected node.

#include "common/errors.h"
#include "network/definitionrows.h"
#include "network/networktexts.h"
#include "network/terminalpath.h"
#include "network/ui/boosterfields.h"
#include "network/ui/definitionsdialog.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"
#include "network/ui/terminallink.h"

#include <QSpinBox>

using namespace miravel::common;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::network {

namespace {

// What a new node starts as: the first model of its kind on 0 m of S-5C-FB.
NodeSetup newSetup(ComponentKind kind, const Network& network) {
    NodeSetup setup;
    setup.component.kind = kind;
    if (kind == ComponentKind::User && !network.userComponents().empty())
        setup.component.userName = network.userComponents().front().name;
    if (kind == ComponentKind::Booster) setup.component.booster = defaultBoosterSpec();
    return setup;
}

} // namespace

// A port feeds one run: a new, pasted or dropped child takes the parent's
// first free port (a brancher's taps before its through port).
int NetworkWindow::freePort(NodeId parent) {
    const Network& net = m_document->network();
    const int port = net.contains(parent) ? net.freePort(parent) : -1;
    if (port < 0)
        refuse(
            QStringLiteral("「%1」には空いている端子がありません。").arg(nodeTitle(net, parent)));
    return port;
}

void NetworkWindow::addChild(ComponentKind kind) {
    const Network& net = m_document->network();
    if (kind == ComponentKind::User && net.userComponents().empty()) {
        refuse(QStringLiteral("ユーザー部品が定義されていません。"));
        return;
    }
    const NodeId parent = selectedNode();
    const int port = freePort(parent);
    if (port < 0) return;
    const NodeSetup setup = newSetup(kind, net);
    NodeId added = HeadEndId;
    edit(QStringLiteral("部品の追加"),
         [&](Network& n) { added = n.addChild(parent, port, setup); });
    if (added != HeadEndId) selectNode(added);
}

void NetworkWindow::removeSelected() {
    const NodeId id = selectedNode();
    if (id == HeadEndId) {
        refuse(QStringLiteral("ヘッドエンドは削除できません。"));
        return;
    }
    const NodeId parent = m_document->network().node(id).parent;
    edit(QStringLiteral("削除"), [id](Network& n) { n.takeSubtree(id); });
    selectNode(parent);
}

void NetworkWindow::moveSelected(int step) {
    const NodeId id = selectedNode();
    if (id == HeadEndId) return;
    const Network& net = m_document->network();
    const NetNode& node = net.node(id);
    const std::vector<NodeId>& siblings = net.children(node.parent);
    const int row = int(std::find(siblings.begin(), siblings.end(), id) - siblings.begin());
    const int target = row + step;
    if (target < 0 || target >= int(siblings.size())) return;
    const NodeId parent = node.parent;
    const int port = node.parentPort;
    edit(step < 0 ? QStringLiteral("上へ移動") : QStringLiteral("下へ移動"),
         [=](Network& n) { n.move(id, parent, port, target); });
    selectNode(id);
}

void NetworkWindow::moveNode(NodeId id, NodeId newParent, int row) {
    const Network& net = m_document->network();
    if (id == HeadEndId || !net.contains(id) || !net.contains(newParent)) return;
    const NetNode& node = net.node(id);
    // Within the same parent the node keeps its output; the row counts
    // without the node itself.
    const bool sameParent = node.parent == newParent;
    const int port = sameParent ? node.parentPort : freePort(newParent);
    if (port < 0) return;
    if (sameParent && row >= 0) {
        const std::vector<NodeId>& siblings = net.children(newParent);
        const int from = int(std::find(siblings.begin(), siblings.end(), id) - siblings.begin());
        if (from < row) --row;
    }
    edit(QStringLiteral("移動"), [=](Network& n) { n.move(id, newParent, port, row); });
    selectNode(id);
}

void NetworkWindow::copySelected() {
    const NodeId id = selectedNode();
    if (id == HeadEndId) {
        refuse(QStringLiteral("ヘッドエンドはコピーできません。"));
        return;
    }
    m_clipboard = m_document->network().copySubtree(id);
}

void NetworkWindow::pasteUnderSelected() {
    if (!m_clipboard) {
        refuse(QStringLiteral("コピーした部品がありません。"));
        return;
    }
    const NodeId parent = selectedNode();
    const int port = freePort(parent);
    if (port < 0) return;
    const Subtree copy = *m_clipboard;
    NodeId pasted = HeadEndId;
    edit(QStringLiteral("貼り付け"), [&](Network& n) { pasted = n.pasteCopy(copy, parent, port); });
    if (pasted != HeadEndId) selectNode(pasted);
}

void NetworkWindow::repeatSelected() {
    const NodeId id = selectedNode();
    if (id == HeadEndId) {
        refuse(QStringLiteral("複製する部品を選んでください。"));
        return;
    }
    const int times = repeatCount->value();
    edit(QStringLiteral("複製 %1 回").arg(times), [=](Network& n) { n.repeatSubtree(id, times); });
}

void NetworkWindow::sendToTerminal() {
    TerminalFields fields;
    try {
        fields = terminalFieldsForOutlet(m_document->network(), selectedNode());
    } catch (const UserError& error) {
        refuse(error.message());
        return;
    }
    if (TerminalLink* link = NetworkEntry::terminalLink()) link->receivePath(fields);
}

void NetworkWindow::takeTerminalLevels() {
    TerminalLink* link = NetworkEntry::terminalLink();
    if (!link) return;
    HeadEnd head = m_document->network().head;
    head.source = HeadSource::TerminalScreen;
    try {
        const double left = head.levels[LeftBand]; // the terminal screen has no left band
        head.levels = netBandValues(link->boosterLevels());
        head.levels[LeftBand] = left;
    } catch (const RunTimeError&) {
        refuse(QStringLiteral("端末計算画面のブースター出力レベルが大きすぎて取り込めません。"));
        return;
    }
    edit(QStringLiteral("出力レベルの取り込み"), [head](Network& n) { n.setHead(head); });
}

void NetworkWindow::editDefinitions() {
    DefinitionsDialog dialog(this);
    dialog.setRows(cableTypeRows(m_document->network()), userComponentRows(m_document->network()));
    // A refused table stays in the dialog for the user to correct.
    while (dialog.exec() == QDialog::Accepted)
        if (applyDefinitions(dialog.cableRows(), dialog.userRows())) return;
}

bool NetworkWindow::applyDefinitions(const QList<QStringList>& cableRows,
                                     const QList<QStringList>& userRows) {
    const Network& net = m_document->network();
    if (cableRows == cableTypeRows(net) && userRows == userComponentRows(net))
        return true; // unchanged: no undo step
    const QString refusal = m_document->edit(QStringLiteral("定義の変更"), [&](Network& n) {
        replaceDefinitions(n, cableRows, userRows);
    });
    if (!refusal.isEmpty()) refuse(refusal);
    return refusal.isEmpty();
}

} // namespace miravel::network
