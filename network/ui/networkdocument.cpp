#include "network/ui/networkdocument.h"

#include "common/errors.h"

#include <QUndoCommand>
#include <QUndoStack>

namespace {

// Undo and redo put back the whole network as it was before and after the
// edit, so every edit undoes exactly, node ids included.
class NetworkEditCommand : public QUndoCommand {
public:
    NetworkEditCommand(NetworkDocument* document, const QString& text, Network before,
                       Network after)
        : QUndoCommand(text), m_document(document), m_before(std::move(before)),
          m_after(std::move(after)) {}
    void undo() override { m_document->setNetwork(m_before); }
    void redo() override { m_document->setNetwork(m_after); }

private:
    NetworkDocument* m_document;
    Network m_before;
    Network m_after;
};

// Each step keeps two copies of the network; a tower of thousands of outlets
// stays within memory with this many steps.
constexpr int UndoSteps = 100;

} // namespace

NetworkDocument::NetworkDocument(QObject* parent) : QObject(parent), m_undo(new QUndoStack(this)) {
    m_undo->setUndoLimit(UndoSteps);
    recompute();
}

QString NetworkDocument::edit(const QString& text, const std::function<void(Network&)>& change) {
    Network after = m_network;
    try {
        change(after);
    } catch (const UserError& error) {
        return error.message();
    }
    m_undo->push(new NetworkEditCommand(this, text, m_network, std::move(after)));
    return {};
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
