#include "network/ui/floordialog.h"

#include "network/catalogparts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace miravel::network {

namespace {

template <typename Field> Field* named(Field* field, const char* name) {
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

QSpinBox* countBox(const char* name, int low, int high, const QString& suffix) {
    auto* box = named(new QSpinBox, name);
    box->setRange(low, high);
    box->setSuffix(suffix);
    return box;
}

QDoubleSpinBox* metresBox(const char* name) {
    auto* box = named(new QDoubleSpinBox, name);
    box->setRange(0, MaxRunMetres);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" m"));
    return box;
}

QComboBox* cableBox(const char* name, const Network& net) {
    auto* box = named(new QComboBox, name);
    box->addItems(catalogueCoaxNames());
    for (const CableType& cable : net.cableTypes())
        box->addItem(cable.name);
    return box;
}

QComboBox* kindBox(const char* name, ComponentKind first, ComponentKind second) {
    auto* box = named(new QComboBox, name);
    for (ComponentKind kind : {first, second})
        box->addItem(componentKindName(kind), int(kind));
    return box;
}

ComponentKind kindOf(const QComboBox* box) {
    return ComponentKind(box->currentData().toInt());
}

void pick(QComboBox* box, const QString& text) {
    const int at = box->findText(text);
    if (at >= 0) box->setCurrentIndex(at);
}

} // namespace

int nextFloorNumber(const Network& net) {
    int highest = 0;
    for (const FlatNode& f : net.flat().nodes) {
        const QString& floor = f.node->setup.floor;
        int digits = 0;
        while (digits < floor.size() && floor[digits].isDigit())
            ++digits;
        highest = std::max(highest, floor.left(digits).toInt());
    }
    return std::min(highest + 1, MaxFloorNumber);
}

FloorDialog::FloorDialog(const Network& net, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FloorDialog"));
    setWindowTitle(QStringLiteral("階を追加"));
    firstFloor = countBox("floorFirst", 1, MaxFloorNumber, QStringLiteral(" 階から"));
    floors = countBox("floorCount", 1, MaxFloorNumber, QStringLiteral(" 階分"));
    rooms = countBox("floorRooms", 1, MaxRoomsPerFloor, QStringLiteral(" 部屋"));
    riserCable = cableBox("floorRiserCable", net);
    riserMetres = metresBox("floorRiserMetres");
    hubKind = kindBox("floorHubKind", ComponentKind::Brancher, ComponentKind::Distributor);
    hubModel = named(new QComboBox, "floorHubModel");
    dropCable = cableBox("floorDropCable", net);
    dropMetres = metresBox("floorDropMetres");
    outletKind = kindBox("floorOutletKind", ComponentKind::Outlet, ComponentKind::SeriesUnit);
    outletModel = named(new QComboBox, "floorOutletModel");
    linkMetres = metresBox("floorLinkMetres");
    connect(hubKind, &QComboBox::currentIndexChanged, this,
            [this] { fillModels(hubModel, kindOf(hubKind)); });
    connect(outletKind, &QComboBox::currentIndexChanged, this,
            [this] { fillModels(outletModel, kindOf(outletKind)); });

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("階"), firstFloor);
    form->addRow(QStringLiteral("階数"), floors);
    form->addRow(QStringLiteral("1 階あたりの部屋数"), rooms);
    form->addRow(QStringLiteral("幹線ケーブル（各階）"), riserCable);
    form->addRow(QStringLiteral("幹線の長さ（各階）"), riserMetres);
    form->addRow(QStringLiteral("各階の機器"), hubKind);
    form->addRow(QStringLiteral("型式"), hubModel);
    form->addRow(QStringLiteral("部屋へのケーブル"), dropCable);
    form->addRow(QStringLiteral("部屋への長さ"), dropMetres);
    form->addRow(QStringLiteral("部屋の機器"), outletKind);
    form->addRow(QStringLiteral("型式 "), outletModel);
    form->addRow(QStringLiteral("直列ユニット間の長さ"), linkMetres);
    auto* note = new QLabel(QStringLiteral(
        "部屋番号は 階 × 100 + 部屋（101、102 …）です。幹線は分岐器の通過端子から次の階へ、\n"
        "分配器の階では最後の出力から次の階へつながります。出力より部屋が多いときは、\n"
        "直列ユニットを各出力に続けてつなぎます（最後は終端）。"));
    form->addRow(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->setObjectName(QStringLiteral("floorButtons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    FloorPlan start;
    start.firstFloor = nextFloorNumber(net);
    setPlan(start);
}

void FloorDialog::fillModels(QComboBox* models, ComponentKind kind) {
    const QString kept = models->currentText();
    models->clear();
    models->addItems(catalogueModelNames(kind));
    pick(models, kept);
}

void FloorDialog::setPlan(const FloorPlan& p) {
    firstFloor->setValue(p.firstFloor);
    floors->setValue(p.floors);
    rooms->setValue(p.rooms);
    pick(riserCable, p.riser.cable);
    riserMetres->setValue(p.riser.metres);
    hubKind->setCurrentIndex(hubKind->findData(int(p.hub.kind)));
    fillModels(hubModel, p.hub.kind);
    hubModel->setCurrentIndex(p.hub.model - 1);
    pick(dropCable, p.drop.cable);
    dropMetres->setValue(p.drop.metres);
    outletKind->setCurrentIndex(outletKind->findData(int(p.outlet.kind)));
    fillModels(outletModel, p.outlet.kind);
    outletModel->setCurrentIndex(p.outlet.model - 1);
    linkMetres->setValue(p.linkMetres);
}

FloorPlan FloorDialog::plan() const {
    FloorPlan p;
    p.firstFloor = firstFloor->value();
    p.floors = floors->value();
    p.rooms = rooms->value();
    p.riser = {riserCable->currentText(), riserMetres->value()};
    p.hub = {kindOf(hubKind), hubModel->currentIndex() + 1, false, {}, {}};
    p.drop = {dropCable->currentText(), dropMetres->value()};
    p.outlet = {kindOf(outletKind), outletModel->currentIndex() + 1, false, {}, {}};
    p.linkMetres = linkMetres->value();
    return p;
}

} // namespace miravel::network
