#pragma once
// The network as a tree for QTreeView: the head end on top, each node under
// its parent, with its run, its levels per band (an outlet's own levels,
// else the level reaching it) and its verdict in words and colour.

#include "network/networkmodel.h"

#include <QAbstractItemModel>
#include <QVarLengthArray>

namespace miravel::network {

class NetworkDocument;

class NetworkTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Column {
        PartColumn,
        CableColumn,
        FirstBandColumn,
        VerdictColumn = FirstBandColumn + NetBandCount
    };

    explicit NetworkTreeModel(NetworkDocument* document, QObject* parent = nullptr);

    QModelIndex indexOf(NodeId id) const;
    NodeId idOf(const QModelIndex& index) const; // HeadEndId for the invalid index
    // What the model holds for the tree, in bytes (the view's own state aside).
    std::size_t heldBytes() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // Dragging a node onto another hangs it there; the screen makes the move.
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    // `row` is the place among the new parent's children, -1 for the end.
    void moveRequested(NodeId node, NodeId newParent, int row);

private:
    QVariant display(NodeId id, int column) const;
    QVariant colour(NodeId id, int column) const;
    int rowOf(NodeId id) const;

    // The tree as the view last saw it, by node id: after a change the rows
    // that went away are removed, the rest reordered and the new ones
    // inserted, so that the view keeps its folded branches and selection.
    // Between changes it is kept packed, each node's parent and its children
    // in one array (12 bytes a node); while a change is followed it is
    // unpacked into a list per node that rows can be taken from and put in.
    // Most parts feed one or two others: their children need no allocation.
    using Children = QVarLengthArray<NodeId, 2>;
    struct Shape {
        bool shown = false;
        NodeId parent = HeadEndId;
        Children children;
    };
    static constexpr NodeId NoRow = ~NodeId(0); // the parent of a node not shown
    bool following() const { return !m_shape.empty(); }
    bool shown(NodeId id) const;
    NodeId parentOf(NodeId id) const;
    int childCount(NodeId id) const;
    NodeId childAt(NodeId id, int row) const;
    void documentChanged();
    void pack();
    void unpack();
    void addShape(NodeId id, NodeId parent);
    void dropShape(NodeId id);
    void removeGone(NodeId parent);
    void followChildren(NodeId parent);
    void insertNew(NodeId parent, int row, int count);
    void showChangedValues();

    NetworkDocument* m_document;
    std::vector<NodeId> m_parent;   // by id; NoRow: not shown
    std::vector<quint32> m_first;   // by id: where its children start in m_children
    std::vector<NodeId> m_children; // each node's children in turn, by id
    std::vector<Shape> m_shape;     // unpacked, only while a change is followed
};

} // namespace miravel::network
