#include "network/ui/definitionsdialog.h"

#include <QHeaderView>

using namespace miravel::common;

namespace miravel::network {

namespace {

// The "端子" column of the user table is a check box.
constexpr int OutletColumn = 1;

QTableWidgetItem* outletItem(bool outlet) {
    auto* item = new QTableWidgetItem;
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(outlet ? Qt::Checked : Qt::Unchecked);
    return item;
}

void appendRow(QTableWidget* table, const QStringList& cells, bool userTable) {
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < table->columnCount(); ++c)
        table->setItem(row, c,
                       userTable && c == OutletColumn
                           ? outletItem(cells.value(c) == QStringLiteral("端子"))
                           : new QTableWidgetItem(cells.value(c)));
}

void fill(QTableWidget* table, const TextRows& rows, bool userTable) {
    table->setRowCount(0);
    for (const QStringList& row : rows)
        appendRow(table, row, userTable);
}

TextRows rowsOf(const QTableWidget* table, bool userTable) {
    TextRows rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem* item = table->item(r, c);
            if (userTable && c == OutletColumn)
                row << (item && item->checkState() == Qt::Checked ? QStringLiteral("端子")
                                                                  : QString());
            else
                row << (item ? item->text() : QString());
        }
        rows << row;
    }
    return rows;
}

void removeCurrentRow(QTableWidget* table) {
    if (table->currentRow() >= 0) table->removeRow(table->currentRow());
}

} // namespace

DefinitionsDialog::DefinitionsDialog(QWidget* parent)
    : QDialog(parent), ui(new Ui::DefinitionsDialog) {
    ui->setupUi(this);
    for (QTableWidget* table : {ui->cableTable, ui->userTable})
        table->horizontalHeader()->setStretchLastSection(true);
    connect(ui->addCableRow, &QPushButton::clicked, this,
            [this] { appendRow(ui->cableTable, {}, false); });
    connect(ui->addUserRow, &QPushButton::clicked, this,
            [this] { appendRow(ui->userTable, {}, true); });
    connect(ui->removeCableRow, &QPushButton::clicked, this,
            [this] { removeCurrentRow(ui->cableTable); });
    connect(ui->removeUserRow, &QPushButton::clicked, this,
            [this] { removeCurrentRow(ui->userTable); });
}

DefinitionsDialog::~DefinitionsDialog() = default;

void DefinitionsDialog::setRows(const TextRows& cableRows, const TextRows& userRows) {
    fill(ui->cableTable, cableRows, false);
    fill(ui->userTable, userRows, true);
}

TextRows DefinitionsDialog::cableRows() const {
    return rowsOf(ui->cableTable, false);
}

TextRows DefinitionsDialog::userRows() const {
    return rowsOf(ui->userTable, true);
}

} // namespace miravel::network
