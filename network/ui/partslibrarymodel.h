#pragma once
// The parts library as a table: the library's cable types and user
// components, then the catalogue's coax types and models, then any other
// priced name; the unit price column is edited in place.

#include "network/partslibrary.h"

#include <QAbstractTableModel>
#include <QStringList>

namespace miravel::network {

class PartsLibraryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { KindColumn, NameColumn, PriceColumn, UnitColumn, DetailColumn, ColumnCount };
    enum class RowKind { CableType, UserComponent, CatalogueCoax, CatalogueModel, PriceOnly };

    explicit PartsLibraryModel(QObject* parent = nullptr);

    // The library shown; `editable` false (a broken file) locks the prices.
    void setLibrary(const PartsLibrary& library, bool editable);
    RowKind kindAt(int row) const { return m_rows.at(size_t(row)).kind; }
    QString nameAt(int row) const { return m_rows.at(size_t(row)).name; }
    int rowOf(const QString& name) const; // -1 when not shown

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A typed price is handed on (priceEdited); the owner saves it and shows
    // the library again, or tells why not.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void priceEdited(const QString& name, const QString& text);

private:
    struct Row {
        RowKind kind;
        QString name;
        QString kindText;
        QString detail;
    };
    void addRow(RowKind kind, const QString& name, const QString& kindText,
                const QString& detail = {});

    std::vector<Row> m_rows;
    UnitPrices m_prices;
    bool m_editable = true;
};

// The text of a price cell ("1,200", "85.5"; "" for none).
QString unitPriceText(std::optional<double> yen);
// A typed price: "" is none; commas and "円" are allowed. Raises UserError
// when the text is no price.
std::optional<double> unitPriceOfText(const QString& text);

} // namespace miravel::network
