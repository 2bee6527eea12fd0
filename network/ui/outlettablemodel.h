#pragma once
// Every outlet of the network in one table: name, level per band and
// verdict. Sorting goes by the numbers (an unrated band sorts lowest; names
// as read, "950 (9F)" before "1001 (10F)"); the lowest outlets of each band
// have their level cells highlighted, and a name that more than one outlet
// carries is marked.

#include "network/networkmodel.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSortFilterProxyModel>

namespace miravel::network {

class NetworkDocument;
struct OutletResult;

class OutletTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, FirstBandColumn, VerdictColumn = FirstBandColumn + NetBandCount };
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int NodeRole = Qt::UserRole + 1;

    explicit OutletTableModel(NetworkDocument* document, QObject* parent = nullptr);

    // The band columns show each outlet's C/N instead of its level.
    void setShowCn(bool show);
    bool showsCn() const { return m_showCn; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant display(int row, int column) const;
    QVariant sortValue(int row, int column) const;
    bool isWorst(int row, int column) const;
    int sameNamed(int row) const; // outlets (parts) carrying the row's name, if more than one
    void countNames();

    // A row as the view last saw it; after a change the rows between the
    // unchanged first and last ones are replaced, and rows whose values
    // changed are announced, so that the sorted view is never rebuilt.
    // The name is kept as 24 bits of its hash, enough to tell that it
    // changed (a rename keeping them, one in sixteen million, leaves the
    // repeated-name marks as they were); with the port, 8 bytes a row.
    struct Row {
        NodeId node;
        quint32 port : 8; // a part has at most 32 ports
        quint32 nameHash : 24;
        bool operator==(const Row& o) const { return node == o.node && port == o.port; }
    };
    Row rowFor(size_t outlet) const;
    QString nameOf(int row) const; // as the network has it now
    using Worst = std::array<std::optional<double>, NetBandCount>;
    void documentChanged();
    void takeRows();
    bool replaceMiddle(); // true when rows were added or removed
    std::vector<int> changedRows(bool shapeChanged) const;
    void showChangedRows(bool renamed);
    void announceRows(int first, int last, int firstColumn, int lastColumn);
    Worst worstLevels() const;

    NetworkDocument* m_document;
    QHash<QString, int> m_nameCount; // the repeated names only
    std::vector<Row> m_rows;
    Worst m_worst{};
    bool m_showCn = false;
};

// The sorted view of the table that the screen shows.
class OutletSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit OutletSortModel(QObject* parent = nullptr);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

} // namespace miravel::network
