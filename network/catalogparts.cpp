#include "network/catalogparts.h"

#include "catalog/catalog.h"
#include "common/errors.h"

#include <iterator>

using namespace miravel::catalog;
using namespace miravel::common;

namespace miravel::network {

namespace {

const char* const SeriesUnitTypeNames[5] = {"１端子形 BS", "２端子形 BS", "１端子分岐形 BS",
                                            "１端子形 CS", "２端子形 CS"};
const int DistributorOutputs[6] = {2, 4, 6, 2, 4, 6};
const int BrancherTaps[4] = {2, 4, 2, 4};

// The model code after the full-width space of a catalogue name ("２分配　BS-D2").
QString modelCode(const QString& cell) {
    const int space = int(cell.lastIndexOf(QChar(0x3000)));
    return cell.mid(space + 1).trimmed();
}

BandLoss bandCells(const CatalogTable& table, int model, int property) {
    BandLoss loss;
    for (int b = 0; b < BandCount; ++b)
        loss[size_t(b)] = table.number(model, b + 1, property);
    return loss;
}

void addPort(NodeLosses& losses, const BandLoss& loss, bool outlet) {
    losses.ports.push_back(loss);
    losses.outletPort.push_back(outlet);
}

BandLoss runLoss(const CoaxRun& run, const PartDefinitions& network) {
    const int type = catalogueCoaxIndex(run.cable);
    if (type >= 0) return catalogueCoaxLoss(type, run.metres);
    const CableType* cable = network.cableType(run.cable);
    if (!cable)
        throw UserError(QStringLiteral("ケーブル種別「%1」は登録されていません。")
                            .arg(fileTextExcerpt(run.cable)));
    BandLoss loss;
    for (size_t b = 0; b < BandCount; ++b) {
        if (run.metres == 0)
            loss[b] = 0.0;
        else if (cable->lossPer100m[b])
            loss[b] = run.metres * *cable->lossPer100m[b] / 100;
    }
    return loss;
}

constexpr int OutletModels = 4; // rows 1..4 of Tanshi_Mt

// Models of a kind, counted without building their names.
int modelCount(ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Distributor:
        return int(std::size(DistributorOutputs));
    case ComponentKind::Brancher:
        return int(std::size(BrancherTaps));
    case ComponentKind::SeriesUnit:
        return int(std::size(SeriesUnitTypeNames));
    case ComponentKind::Outlet:
        return OutletModels;
    case ComponentKind::User:
        break;
    }
    return 0;
}

void checkModel(const Component& c) {
    const int count = modelCount(c.kind);
    if (c.model < 1 || c.model > count)
        throw UserError(QStringLiteral("%1の型式番号 %2 はカタログにありません。")
                            .arg(componentKindName(c.kind))
                            .arg(c.model));
}

void componentPorts(const Component& c, const PartDefinitions& network, NodeLosses& losses) {
    switch (c.kind) {
    case ComponentKind::Distributor:
        checkModel(c);
        for (int p = 0; p < DistributorOutputs[c.model - 1]; ++p)
            addPort(losses, bandCells(Bunpai_Mt, c.model, 1), false);
        return;
    case ComponentKind::Brancher:
        checkModel(c);
        addPort(losses, bandCells(Bunki_Mt, c.model, 2), false);
        for (int p = 0; p < BrancherTaps[c.model - 1]; ++p)
            addPort(losses, bandCells(Bunki_Mt, c.model, 3), false);
        return;
    case ComponentKind::SeriesUnit: {
        checkModel(c);
        const CatalogTable& table = seriesUnitTable(c.model);
        if (c.endUnit) {
            addPort(losses, bandCells(table, 2, 3), true);
        } else {
            addPort(losses, bandCells(table, 1, 2), false);
            addPort(losses, bandCells(table, 1, 3), true);
        }
        return;
    }
    case ComponentKind::Outlet:
        checkModel(c);
        addPort(losses, bandCells(Tanshi_Mt, c.model, 2), true);
        return;
    case ComponentKind::User: {
        const UserComponent* user = network.userComponent(c.userName);
        if (!user)
            throw UserError(QStringLiteral("ユーザー部品「%1」は登録されていません。")
                                .arg(fileTextExcerpt(c.userName)));
        for (const UserPort& port : user->ports)
            addPort(losses, port.loss, port.outlet);
        return;
    }
    }
}

} // namespace

QStringList catalogueCoaxNames() {
    QStringList names;
    for (int c = 1; c <= CoaxTypeCount; ++c)
        names << Douziyuku_Mt(c, 0);
    return names;
}

int catalogueCoaxIndex(const QString& name) {
    for (int c = 1; c <= CoaxTypeCount; ++c)
        if (Douziyuku_Mt(c, 0) == name) return c - 1;
    return -1;
}

QStringList catalogueModelNames(ComponentKind kind) {
    QStringList names;
    switch (kind) {
    case ComponentKind::Distributor:
        for (int m = 1; m <= 6; ++m)
            names << modelCode(Bunpai_Mt(m, 0, 0));
        break;
    case ComponentKind::Brancher:
        for (int m = 1; m <= 4; ++m)
            names << modelCode(Bunki_Mt(m, 1, 0));
        break;
    case ComponentKind::SeriesUnit:
        for (const char* name : SeriesUnitTypeNames)
            names << QString::fromUtf8(name);
        break;
    case ComponentKind::Outlet:
        for (int m = 1; m <= OutletModels; ++m)
            names << Tanshi_Mt(m, 1, 0);
        break;
    case ComponentKind::User:
        break;
    }
    return names;
}

int catalogueModelNumber(ComponentKind kind, const QString& name) {
    return int(catalogueModelNames(kind).indexOf(name)) + 1;
}

QString componentKindName(ComponentKind kind) {
    switch (kind) {
    case ComponentKind::Distributor:
        return QStringLiteral("分配器");
    case ComponentKind::Brancher:
        return QStringLiteral("分岐器");
    case ComponentKind::SeriesUnit:
        return QStringLiteral("直列ユニット");
    case ComponentKind::Outlet:
        return QStringLiteral("テレビ端子");
    case ComponentKind::User:
        return QStringLiteral("ユーザー部品");
    }
    return {};
}

QString componentLabel(const Component& c) {
    QString label = componentKindName(c.kind) + u' ';
    if (c.kind == ComponentKind::User) return label + c.userName;
    label += catalogueModelNames(c.kind).value(c.model - 1, QStringLiteral("?"));
    if (c.kind == ComponentKind::SeriesUnit && c.endUnit) label += QStringLiteral("（終端）");
    return label;
}

NodeLosses convertNodeLosses(const NodeSetup& setup, const PartDefinitions& network) {
    NodeLosses losses;
    losses.coax = runLoss(setup.coax, network);
    componentPorts(setup.component, network, losses);
    return losses;
}

BandLoss catalogueCoaxLoss(int type, double metres) {
    BandLoss loss;
    for (int b = 0; b < BandCount; ++b) {
        const auto perHundred = Douziyuku_Mt.number(type + 1, CoaxLossColumn[b]);
        if (metres == 0)
            loss[size_t(b)] = 0.0; // no run, nothing blocked
        else if (perHundred)
            loss[size_t(b)] = metres * *perHundred / 100;
    }
    return loss;
}

} // namespace miravel::network
