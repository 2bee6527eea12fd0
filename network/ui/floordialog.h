#pragma once
// The 階を追加 dialog: how many floors and rooms, and the cables and parts
// each floor is built from.

#include "network/floorbuilder.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace miravel::network {

class FloorDialog : public QDialog {
    Q_OBJECT
public:
    // The cable choices include the network's own types; the first floor
    // starts above the highest floor the network names.
    explicit FloorDialog(const Network& network, QWidget* parent = nullptr);

    FloorPlan plan() const;
    void setPlan(const FloorPlan& plan);

private:
    void fillModels(QComboBox* models, ComponentKind kind);

    QSpinBox* firstFloor;
    QSpinBox* floors;
    QSpinBox* rooms;
    QComboBox* riserCable;
    QDoubleSpinBox* riserMetres;
    QComboBox* hubKind;
    QComboBox* hubModel;
    QComboBox* dropCable;
    QDoubleSpinBox* dropMetres;
    QComboBox* outletKind;
    QComboBox* outletModel;
    QDoubleSpinBox* linkMetres;
};

// The floor above the highest one the network names ("3F" -> 4), else 1.
int nextFloorNumber(const Network& network);

} // namespace miravel::network
