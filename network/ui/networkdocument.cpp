#include "network/ui/networkdocument.h"

#include "common/errors.h"
#include "network/networkjournal.h"

#include <QUndoCommand>
#include <QUndoStack>

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

} // namespace

NetworkDocument::NetworkDocument(QObject* parent) : QObject(parent), m_undo(new QUndoStack(this)) {
    m_undo->setUndoLimit(UndoSteps);
    recompute();
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
    recompute();
    emit changed();
}

void NetworkDocument::reset(const Network& network, const QString& filePath) {
    m_undo->clear();
    m_filePath = filePath;
    setNetwork(network);
    m_undo->setClean();
}

void NetworkDocument::setCriteria(const OutletCriteria& criteria) {
    m_criteria = criteria;
    recompute();
    emit changed();
}

void NetworkDocument::setFilePath(const QString& path) {
    m_filePath = path;
    emit changed();
}

void NetworkDocument::setNetwork(const Network& network) {
    m_network = network;
    recompute();
    emit changed();
}

void NetworkDocument::recompute() {
    m_result = computeNetwork(m_network, m_criteria);
}

} // namespace miravel::network
