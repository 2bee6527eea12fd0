#include "network/ui/networkdocument.h"

#include "common/errors.h"
#include "network/networkjournal.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>

using namespace miravel::common;
using namespace miravel::standard;

namespace miravel::network {

namespace {

// Undo and redo play the edit's record, which holds only what changed, so
// every edit undoes exactly, node ids included. The edit is already done
// when the command is pushed.
class NetworkEditCommand : public QUndoCommand {
public:
    NetworkEditCommand(NetworkDocument* document, const QString& text, NetworkJournal journal)
        : QUndoCommand(text), m_document(document), m_journal(std::move(journal)) {}
    void undo() override { m_document->replay(&m_journal, false); }
    void redo() override {
        m_document->replay(m_done ? &m_journal : nullptr, true);
        m_done = true;
    }
    std::size_t heldBytes() const { return sizeof(*this) + m_journal.heldBytes(); }

private:
    NetworkDocument* m_document;
    NetworkJournal m_journal;
    bool m_done = false;
};

constexpr int UndoSteps = 100;

bool sameBand(const BandJudgement& a, const BandJudgement& b) {
    return a.level == b.level && a.verdict == b.verdict && a.deviation == b.deviation &&
           a.estimated == b.estimated && a.cn == b.cn && a.cnJudged == b.cnJudged &&
           a.cnLow == b.cnLow && a.cnDeviation == b.cnDeviation;
}

bool sameOutlet(const OutletResult& a, const OutletResult& b) {
    for (size_t band = 0; band < NetBandCount; ++band)
        if (!sameBand(a.bands[band], b.bands[band])) return false;
    return a.port == b.port;
}

// The outlets of node `id` from `i` in `a` and from `j` in `b` (-1: none).
bool sameOutlets(const NetworkResult& a, int i, const NetworkResult& b, int j, NodeId id) {
    if ((i < 0) != (j < 0)) return false;
    for (; i >= 0; ++i, ++j) {
        const bool inA = size_t(i) < a.outlets.size() && a.outlets[size_t(i)].node == id;
        const bool inB = size_t(j) < b.outlets.size() && b.outlets[size_t(j)].node == id;
        if (inA != inB) return false;
        if (!inA) break;
        if (!sameOutlet(a.outlets[size_t(i)], b.outlets[size_t(j)])) return false;
    }
    return true;
}

bool sameNode(const NetworkResult& a, const NodeResult& x, const NetworkResult& b,
              const NodeResult& y, NodeId id) {
    return x.input == y.input && x.estimated == y.estimated &&
           a.outlets.noiseSums(x.noise) == b.outlets.noiseSums(y.noise) && x.booster == y.booster &&
           x.failingBelow == y.failingBelow && sameOutlets(a, x.firstOutlet, b, y.firstOutlet, id);
}

// Nodes in both results whose results differ, by id.
std::vector<NodeId> changedResults(const NetworkResult& before, const NetworkResult& after) {
    std::vector<NodeId> changed;
    size_t a = 0;
    for (size_t k = 0; k < after.nodeCount(); ++k) {
        const NodeId id = after.idInOrder(k);
        while (a < before.nodeCount() && before.idInOrder(a) < id)
            ++a;
        if (a < before.nodeCount() && before.idInOrder(a) == id &&
            !sameNode(before, before.resultInOrder(a), after, after.resultInOrder(k), id))
            changed.push_back(id);
    }
    return changed;
}

std::vector<NodeId> allNodes(const NetworkResult& result) {
    std::vector<NodeId> ids;
    ids.reserve(result.nodeCount());
    for (size_t k = 0; k < result.nodeCount(); ++k)
        ids.push_back(result.idInOrder(k));
    return ids;
}

} // namespace

NetworkDocument::NetworkDocument(QObject* parent) : QObject(parent), m_undo(new QUndoStack(this)) {
    m_undo->setUndoLimit(UndoSteps);
    m_levels.update(m_network, m_criteria);
}

QString NetworkDocument::edit(const QString& text, const std::function<void(Network&)>& change) {
    NetworkJournal journal;
    const HeadEnd head = m_network.head;
    m_network.setJournal(&journal);
    try {
        change(m_network);
    } catch (...) {
        m_network.setJournal(nullptr);
        journal.undo(m_network);
        m_network.head = head;
        try {
            throw;
        } catch (const UserError& error) {
            return error.message();
        }
    }
    m_network.setJournal(nullptr);
    if (!(m_network.head == head)) journal.add(HeadStep{head, m_network.head});
    m_pendingSetups = journal.setupNodes();
    m_undo->push(new NetworkEditCommand(this, text, std::move(journal)));
    return {};
}

std::size_t NetworkDocument::undoBytes() const {
    std::size_t bytes = 0;
    for (int i = 0; i < m_undo->count(); ++i)
        bytes += static_cast<const NetworkEditCommand*>(m_undo->command(i))->heldBytes();
    return bytes;
}

void NetworkDocument::replay(const NetworkJournal* journal, bool forward) {
    if (journal && forward)
        journal->redo(m_network);
    else if (journal)
        journal->undo(m_network);
    recompute(journal ? journal->setupNodes() : std::move(m_pendingSetups));
    m_pendingSetups.clear();
    announceRecomputed();
}

void NetworkDocument::announceRecomputed() {
    emit changed();
    std::vector<NodeId>().swap(m_changedNodes);
}

void NetworkDocument::reset(Network network, const QString& filePath) {
    m_undo->clear();
    m_filePath = filePath;
    setNetwork(std::move(network));
    m_undo->setClean();
}

void NetworkDocument::setCriteria(const OutletCriteria& criteria) {
    m_criteria = criteria;
    recompute();
    announceRecomputed();
}

void NetworkDocument::setFilePath(const QString& path) {
    m_filePath = path;
    m_changedNodes.clear();
    m_replacedWhole = false;
    m_shapeChanged = false;
    emit changed();
}

void NetworkDocument::setNetwork(Network network) {
    m_network = std::move(network);
    m_levels.reset();
    m_levels.update(m_network, m_criteria);
    m_levels.forgetPrevious();
    m_changedNodes.clear();
    m_replacedWhole = true;
    m_shapeChanged = true;
    emit changed();
}

// The rows to redraw: those the update walked, else those whose results
// differ from before (every row, when every node was walked in place).
void NetworkDocument::recompute(std::vector<NodeId> setupNodes) {
    m_levels.update(m_network, m_criteria);
    m_shapeChanged = m_levels.computedAnew();
    if (m_levels.computedAnew())
        m_changedNodes = changedResults(m_levels.previous(), m_levels.result());
    else if (m_levels.walkedAll())
        m_changedNodes = allNodes(m_levels.result());
    else
        m_changedNodes = m_levels.walked();
    m_levels.forgetPrevious();
    for (NodeId id : setupNodes)
        if (m_network.contains(id)) m_changedNodes.push_back(id);
    std::sort(m_changedNodes.begin(), m_changedNodes.end());
    m_changedNodes.erase(std::unique(m_changedNodes.begin(), m_changedNodes.end()),
                         m_changedNodes.end());
    m_replacedWhole = false;
}

} // namespace miravel::network
