#pragma once
// The network being edited on the screen: the network itself, its computed
// levels and verdicts, its file name and the undo stack. Every edit is an
// undo command; the levels are computed again after each change.

#include "network/levelupdate.h"

#include <QObject>
#include <QString>
#include <cstddef>
#include <functional>
#include <vector>

class QUndoStack;

namespace miravel::network {

class NetworkDocument : public QObject {
    Q_OBJECT
public:
    explicit NetworkDocument(QObject* parent = nullptr);

    const Network& network() const { return m_network; }
    const NetworkResult& result() const { return m_levels.result(); }
    QUndoStack* undoStack() const { return m_undo; }

    // Runs `change` on the network, recording what it changes; when it
    // succeeds the record becomes an undo command named `text`. A refused
    // change (UserError) is played back, leaving everything as it was, and
    // returns its message; an empty text means done.
    QString edit(const QString& text, const std::function<void(Network&)>& change);
    // What the undo steps hold, in bytes (an estimate).
    std::size_t undoBytes() const;

    // A new or loaded network: replaces the current one, forgets the undo
    // history and marks the network unchanged. Taken by value: a network
    // moved in is not copied (a large one holds a hundred megabytes).
    void reset(Network network, const QString& filePath);

    const OutletCriteria& criteria() const { return m_criteria; }
    void setCriteria(const OutletCriteria& criteria);

    QString filePath() const { return m_filePath; }
    void setFilePath(const QString& path);

    // What the `changed` being sent touched, for views that redraw only those
    // rows: the nodes whose setup or results changed (nodes added or dropped
    // aside), or, after reset, the whole network. The nodes are forgotten
    // once every view has seen them: after a change of the head end they are
    // every node.
    const std::vector<NodeId>& changedNodes() const { return m_changedNodes; }
    bool replacedWhole() const { return m_replacedWhole; }
    // False when no node was added, removed or moved and no ports changed.
    bool shapeChanged() const { return m_shapeChanged; }

    // Used by the undo commands: plays an edit's record back or again (none:
    // the edit was just done) and shows the outcome.
    void replay(const class NetworkJournal* journal, bool forward);

signals:
    // After every change of the network, its levels or its file name.
    void changed();

private:
    void setNetwork(Network network);
    void recompute(std::vector<NodeId> setupNodes = {});
    void announceRecomputed();

    Network m_network;
    LevelUpdate m_levels;
    OutletCriteria m_criteria{};
    QString m_filePath;
    QUndoStack* m_undo;
    std::vector<NodeId> m_changedNodes;
    std::vector<NodeId> m_pendingSetups; // an edit's, until its first redo shows it
    bool m_replacedWhole = true;
    bool m_shapeChanged = true;
};

} // namespace miravel::network
