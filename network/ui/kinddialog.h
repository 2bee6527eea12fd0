#pragma once
// The 種類の変更 dialog: the kind and model a part becomes; what hangs
// below it stays (see kindchange.h).

#include "network/networkmodel.h"

#include <QDialog>

class QComboBox;
class QLabel;

namespace miravel::network {

class KindDialog : public QDialog {
    Q_OBJECT
public:
    // Starts at the other hub kind (a brancher becomes a distributor and
    // back) with a model that takes every run below `id`.
    KindDialog(const Network& network, NodeId id, QWidget* parent = nullptr);

    Component component() const;
    void setComponent(const Component& component);

private:
    void fillModels();
    void showFit();

    const Network& m_network;
    NodeId m_id;
    QComboBox* kind;
    QComboBox* model;
    QLabel* fit; // which runs would find no output
};

} // namespace miravel::network
