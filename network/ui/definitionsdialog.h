#pragma once
// The dialog that edits the network's own cable types and user components
// as two tables of text; the network checks them when they are applied.

#include "network/definitionrows.h"
// The form comes with the dialog; tests find its controls by objectName.
#include "ui_definitionsdialog.h"

#include <QDialog>
#include <memory>

namespace miravel::network {

class DefinitionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit DefinitionsDialog(QWidget* parent = nullptr);
    ~DefinitionsDialog() override;

    void setRows(const TextRows& cableRows, const TextRows& userRows);
    TextRows cableRows() const;
    TextRows userRows() const;

private:
    std::unique_ptr<Ui::DefinitionsDialog> ui;
};

} // namespace miravel::network
