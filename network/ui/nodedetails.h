#pragma once
// The details panel of the network screen: the head end's output levels, or
// the selected node's component, model, connection, cable, length and
// outlet name. Every change the user makes becomes one undoable edit; a
// refused value shows a message and the panel shows the network again.

#include "network/networkmodel.h"
// The form comes with the panel; tests find its controls by objectName.
#include "ui_nodedetails.h"

#include <QGroupBox>
#include <memory>

class QLineEdit;

namespace miravel::network {

class BoosterFields;
class NetworkDocument;

class NodeDetails : public QGroupBox {
    Q_OBJECT
public:
    explicit NodeDetails(NetworkDocument* document, QWidget* parent = nullptr);
    ~NodeDetails() override;

    // Shows the node (HeadEndId: the head end) as the network has it now.
    void showNode(NodeId id);
    NodeId node() const { return m_node; }

signals:
    // A change was refused; the text says why.
    void refused(const QString& message);
    // The user asked for the terminal screen's booster levels.
    void terminalLevelsWanted();

private:
    std::unique_ptr<Ui::NodeDetails> ui;
    void connectFields();
    void showHead();
    void showSetup(const NetNode& node);
    void fillModels(ComponentKind kind, const Component& current);
    void fillCables(const QString& current);
    void fillPorts(const NetNode& node);
    void kindChosen();
    void applySetup();
    void applyPort();
    void applyHead();
    void edit(const QString& text, const std::function<void(Network&)>& change);
    std::array<QLineEdit*, NetBandCount> levelEdits() const;
    std::array<QLineEdit*, NetBandCount> gainEdits() const;
    std::array<QLineEdit*, NetBandCount> cnEdits() const;
    std::array<QLineEdit*, NetBandCount> nfEdits() const;
    bool readCn(HeadEnd& head);

    NetworkDocument* m_document;
    BoosterFields* m_booster;
    NodeId m_node = HeadEndId;
};

} // namespace miravel::network
