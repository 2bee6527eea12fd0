#include "network/catalogparts.h"

#include "catalog/catalog.h"
#include "common/errors.h"
#include "network/standardcables.h"

#include <array>
#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <tuple>

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

// The catalogue has no left-band column: its parts are not rated for it.
BandLoss bandCells(const CatalogTable& table, int model, int property) {
    BandLoss loss;
    for (int b = 0; b < BandCount; ++b)
        loss[size_t(b)] = table.number(model, b + 1, property);
    return loss;
}

void addPort(PortLosses::Table& ports, NodeLosses& losses, const BandLoss& loss, bool outlet) {
    ports.push_back(loss);
    losses.outletPort.push_back(outlet);
}

bool sameBits(const PortLosses::Table& a, const PortLosses::Table& b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(BandLoss)) == 0);
}

// Tables of port losses kept by the part they belong to (a catalogue model,
// a user component by name), so that every node of one part shares one. The
// catalogue can be refilled and a definition changed, so a kept table is
// checked against the losses read now.
PortLosses sharedPorts(const Component& c, PortLosses::Table ports) {
    using Part = std::tuple<ComponentKind, int, bool, QString>;
    constexpr size_t MostParts = 256; // beyond it (many user names) start anew
    static std::mutex lock;
    static std::map<Part, PortLosses> kept;
    const std::lock_guard<std::mutex> guard(lock);
    if (kept.size() >= MostParts) kept.clear();
    PortLosses& table = kept[{c.kind, c.model, c.endUnit, c.userName}];
    if (!sameBits(table.table(), ports)) table = PortLosses(std::move(ports));
    return table;
}

// Every column of the catalogue coax table, "--" skipped; a type with a "--"
// above its last number is not rated above that number's frequency.
CableType catalogueType(int type) {
    static const double ColumnMHz[6] = {90, 220, 470, 770, 1300, 1770};
    CableType cable{Douziyuku_Mt(type + 1, 0), {}, std::nullopt};
    for (int c = 0; c < 6; ++c)
        if (const auto loss = Douziyuku_Mt.number(type + 1, c + 2))
            cable.points.push_back(LossPoint{ColumnMHz[c], *loss});
    if (!Douziyuku_Mt.number(type + 1, 7) && !cable.points.empty())
        cable.ratedToMHz = cable.points.back().mhz;
    return cable;
}

using PerHundred = std::array<std::optional<CableLoss>, NetBandCount>;

// A cable's loss per 100 m at each frequency of a table. A network's runs
// share a few cable types, so the last few asked are kept per thread rather
// than fitting the same curve again for every run.
const PerHundred& perHundredMetres(const CableType& cable, const double (&mhz)[NetBandCount]) {
    struct Kept {
        const double* table = nullptr;
        LossPoints points;
        std::optional<double> ratedToMHz;
        PerHundred values;
    };
    constexpr size_t KeptCount = 8;
    thread_local std::array<Kept, KeptCount> kept;
    thread_local size_t next = 0;
    for (const Kept& k : kept)
        if (k.table == mhz && k.points == cable.points && k.ratedToMHz == cable.ratedToMHz)
            return k.values;
    Kept& k = kept[next];
    next = (next + 1) % KeptCount;
    k = Kept{mhz, cable.points, cable.ratedToMHz, {}};
    for (size_t b = 0; b < NetBandCount; ++b)
        k.values[b] = cableLossAt(cable.points, mhz[b], cable.ratedToMHz);
    return k.values;
}

void runBands(const CableType& cable, double metres, const double (&mhz)[NetBandCount],
              BandLoss& loss, BandFlags& estimated) {
    const PerHundred& values = perHundredMetres(cable, mhz);
    for (size_t b = 0; b < NetBandCount; ++b) {
        const auto& per100 = values[b];
        if (metres == 0)
            loss[b] = 0.0; // no run, nothing blocked
        else if (per100)
            loss[b] = metres * per100->dbPer100m / 100;
        estimated[b] = metres != 0 && per100 && per100->estimated;
    }
}

void runLosses(const CoaxRun& run, const PartDefinitions& network, NodeLosses& losses) {
    const CableType* cable = knownCableType(run.cable, network);
    if (!cable)
        throw UserError(QStringLiteral("ケーブル種別「%1」は登録されていません。")
                            .arg(fileTextExcerpt(run.cable)));
    runBands(*cable, run.metres, CatalogueColumnMHz, losses.coax, losses.coaxEstimated);
    runBands(*cable, run.metres, BandEdgeMHz, losses.edgeCoax, losses.edgeCoaxEstimated);
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
    case ComponentKind::Booster:
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
    PortLosses::Table ports;
    switch (c.kind) {
    case ComponentKind::Distributor:
        checkModel(c);
        for (int p = 0; p < DistributorOutputs[c.model - 1]; ++p)
            addPort(ports, losses, bandCells(Bunpai_Mt, c.model, 1), false);
        break;
    case ComponentKind::Brancher:
        checkModel(c);
        addPort(ports, losses, bandCells(Bunki_Mt, c.model, 2), false);
        for (int p = 0; p < BrancherTaps[c.model - 1]; ++p)
            addPort(ports, losses, bandCells(Bunki_Mt, c.model, 3), false);
        break;
    case ComponentKind::SeriesUnit: {
        checkModel(c);
        const CatalogTable& table = seriesUnitTable(c.model);
        if (c.endUnit) {
            addPort(ports, losses, bandCells(table, 2, 3), true);
        } else {
            addPort(ports, losses, bandCells(table, 1, 2), false);
            addPort(ports, losses, bandCells(table, 1, 3), true);
        }
        break;
    }
    case ComponentKind::Outlet:
        checkModel(c);
        addPort(ports, losses, bandCells(Tanshi_Mt, c.model, 2), true);
        break;
    case ComponentKind::User: {
        const UserComponent* user = network.userComponent(c.userName);
        if (!user)
            throw UserError(QStringLiteral("ユーザー部品「%1」は登録されていません。")
                                .arg(fileTextExcerpt(c.userName)));
        for (const UserPort& port : user->ports)
            addPort(ports, losses, port.loss, port.outlet);
        break;
    }
    case ComponentKind::Booster: {
        BandLoss loss;
        for (size_t b = 0; b < NetBandCount; ++b)
            if (c.booster->gain[b]) loss[b] = -*c.booster->gain[b];
        addPort(ports, losses, loss, false);
        losses.booster = c.booster.shared();
        losses.ports = PortLosses(std::move(ports));
        return;
    }
    }
    losses.ports = sharedPorts(c, std::move(ports));
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
    case ComponentKind::Booster:
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
    case ComponentKind::Booster:
        return QStringLiteral("ブースター");
    }
    return {};
}

QString componentLabel(const Component& c) {
    QString label = componentKindName(c.kind) + u' ';
    if (c.kind == ComponentKind::User || c.kind == ComponentKind::Booster)
        return (label + c.userName).trimmed();
    label += catalogueModelNames(c.kind).value(c.model - 1, QStringLiteral("?"));
    if (c.kind == ComponentKind::SeriesUnit && c.endUnit) label += QStringLiteral("（終端）");
    return label;
}

NodeLosses convertNodeLosses(const NodeSetup& setup, const PartDefinitions& network) {
    NodeLosses losses;
    runLosses(setup.coax, network, losses);
    componentPorts(setup.component, network, losses);
    return losses;
}

BandLoss catalogueCoaxLoss(int type, double metres) {
    BandLoss loss;
    BandFlags estimated;
    runBands(catalogueType(type), metres, CatalogueColumnMHz, loss, estimated);
    return loss;
}

CableType cableTypeAtColumns(const QString& name,
                             const std::array<std::optional<double>, BandCount>& loss) {
    CableType cable{name, {}, std::nullopt};
    for (int b = 0; b < BandCount; ++b)
        if (loss[size_t(b)])
            cable.points.push_back(LossPoint{CatalogueColumnMHz[b], *loss[size_t(b)]});
    if (!cable.points.empty() && cable.points.back().mhz < CatalogueColumnMHz[BandCount - 1])
        cable.ratedToMHz = cable.points.back().mhz;
    return cable;
}

const CableType* knownCableType(const QString& name, const PartDefinitions& network) {
    static const std::vector<CableType> catalogue = [] {
        std::vector<CableType> types;
        for (int c = 0; c < CoaxTypeCount; ++c)
            types.push_back(catalogueType(c));
        return types;
    }();
    const int type = catalogueCoaxIndex(name);
    if (type >= 0) return &catalogue[size_t(type)];
    if (const CableType* standard = standardCableType(name)) return standard;
    return network.cableType(name);
}

} // namespace miravel::network
