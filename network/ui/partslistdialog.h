#pragma once
// The 部材集計表 window: the parts list of the network on the screen,
// following every edit, with its CSV file, print, preview and PDF.

#include "network/partslist.h"

#include <QAbstractTableModel>
#include <QDialog>

class QDoubleSpinBox;
class QLabel;
class QTableView;

namespace miravel::network {

class NetworkDocument;

// The list's cells as a table model: the heading row as headers.
class PartsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setCells(const QList<QStringList>& cells);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<QStringList> m_cells;
};

class PartsListDialog : public QDialog {
    Q_OBJECT
public:
    explicit PartsListDialog(NetworkDocument* document, QWidget* parent = nullptr);

    // Unit prices, per piece and per metre; without them no amounts show.
    void setPrices(const PriceTable& prices);
    const PartsList& list() const { return m_list; }

    void exportCsv();
    void print();
    void preview();
    void exportPdf();

private:
    void refresh();
    QString title() const;

    NetworkDocument* m_document;
    PriceTable m_prices;
    PartsList m_list;
    PartsTableModel* m_model;
    QDoubleSpinBox* waste;
    QTableView* table;
    QLabel* summary;
};

} // namespace miravel::network
