// The component rows of the terminal-level report: branchers, distributors,
// the series-unit chain or outlet, and the coax runs. Every row printed is
// followed by a separator line and adds its amounts to the running totals.

#include "catalog/catalog.h"
#include "common/numformat.h"
#include "common/numval.h"
#include "common/text.h"
#include "print/len.h"
#include "print/reportsheet.h"

#include <cmath>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::terminal;

namespace miravel::print {

namespace {

// The BS-ready models have no CS values; their rows show three bands only.
constexpr int BsBands = 3;
constexpr int AllBands = 4;

QString unitText(const QString& text) {
    return formatText(text, NumberPattern::Unit1to2);
}

// One catalogue component row: `count` units of model `model` of `table`
// with the loss `property` (band row b + 1) for the first `bands` bands.
struct ComponentRow {
    const char* label;
    int countField;
    int model;
    int property;
    int bands;
};

void componentRow(ReportSheet& sheet, const TerminalFields& fields, const CatalogTable& table,
                  const ComponentRow& def, const QString& remarks) {
    const QString count = trimBlanks(fields[def.countField]);
    const double n = NumVal(count);
    if (n == 0) return;
    ReportRow row{QString::fromUtf8(def.label), count, {}, {}, remarks};
    for (int b = 0; b < def.bands; ++b) {
        const QString& loss = table(def.model, b + 1, def.property);
        const double amount = checkedResult(n * NumVal(loss));
        row.unit[b] = unitText(loss);
        row.amount[b] = Fmt2(amount);
        sheet.addLoss(b, amount);
    }
    sheet.row(row);
    sheet.separator();
}

// Properties of Bunki_Mt and Bunpai_Mt.
constexpr int InsertionLoss = 2;
constexpr int CouplingLoss = 3;
constexpr int DistributionLoss = 1;

const ComponentRow BrancherRows[] = {
    {"┃２分岐器　挿入損失  │", 11, 1, InsertionLoss, BsBands},
    {"┃２分岐器　挿入損失  │", 35, 3, InsertionLoss, AllBands},
    {"┃４分岐器　挿入損失  │", 12, 2, InsertionLoss, BsBands},
    {"┃４分岐器　挿入損失  │", 36, 4, InsertionLoss, AllBands},
    {"┃２分岐器　結合損失  │", 39, 1, CouplingLoss, BsBands},
    {"┃２分岐器　結合損失  │", 41, 3, CouplingLoss, AllBands},
    {"┃４分岐器　結合損失  │", 40, 2, CouplingLoss, BsBands},
    {"┃４分岐器　結合損失  │", 42, 4, CouplingLoss, AllBands},
};

const ComponentRow DistributorRows[] = {
    {"┃２分配器　分配損失  │", 4, 1, DistributionLoss, BsBands},
    {"┃２分配器　分配損失  │", 30, 4, DistributionLoss, AllBands},
    {"┃４分配器　分配損失  │", 5, 2, DistributionLoss, BsBands},
    {"┃４分配器　分配損失  │", 31, 5, DistributionLoss, AllBands},
    {"┃６分配器　分配損失  │", 6, 3, DistributionLoss, BsBands},
    {"┃６分配器　分配損失  │", 32, 6, DistributionLoss, AllBands},
};

// One coax row: `length` metres of coax type `type`, for the first `bands`
// bands (the two older types have no BS and CS values).
struct CoaxRow {
    const char* label;
    int lengthField;
    int type;
    int bands;
};

const CoaxRow CoaxRows[] = {
    {"┃同軸ケーブル　５Ｃ  │", 20, 1, 2},        {"┃同軸ケーブル　７Ｃ  │", 21, 2, 2},
    {"┃同軸ケーブル　５Ｃ  │", 22, 3, AllBands}, {"┃同軸ケーブル　７Ｃ  │", 23, 4, AllBands},
    {"┃同軸ケーブル　５Ｃ  │", 24, 5, AllBands}, {"┃同軸ケーブル　７Ｃ  │", 25, 6, AllBands},
    {"┃同軸ケーブル　１０Ｃ│", 26, 7, AllBands},
};

void coaxRow(ReportSheet& sheet, const TerminalFields& fields, const CoaxRow& def) {
    const QString length = trimBlanks(fields[def.lengthField]);
    const double metres = NumVal(length);
    if (metres == 0) return;
    ReportRow row{QString::fromUtf8(def.label), length, {}, {}, Douziyuku_Mt(def.type, 0)};
    for (int b = 0; b < def.bands; ++b) {
        const double perMetre = NumVal(Douziyuku_Mt(def.type, CoaxLossColumn[b])) / 100;
        const double amount = checkedResult(perMetre * metres);
        row.unit[b] = formatNumber(perMetre, NumberPattern::Unit3);
        row.amount[b] = Fmt2(amount);
        sheet.addLoss(b, amount);
    }
    sheet.row(row);
    sheet.separator();
}

// Series-unit loss fields per band, VHF, UHF, BS, CS.
constexpr int ThroughLossField[BandCount] = {13, 14, 15, 37};
constexpr int LastUnitLossField[BandCount] = {16, 17, 18, 38};
constexpr int UnitCountField = 19;
constexpr int FirstOutletPosition = 5; // list positions 5..8 are TV outlets

// A series-unit row of `quantity` units with the loss fields `lossField`.
// The CS cells are filled only when the CS loss is not 0: most types have no
// CS value ("--").
void seriesUnitRow(ReportSheet& sheet, const TerminalFields& fields, const QString& label,
                   double quantity, const int (&lossField)[BandCount], const QString& remarks) {
    ReportRow row{label, NumText(quantity), {}, {}, remarks};
    for (int b = 0; b < BandCount; ++b) {
        const QString& loss = fields[lossField[b]];
        const double value = NumVal(loss);
        if (b == CS && value == 0) continue;
        const double amount = checkedResult(quantity * value);
        row.unit[b] = unitText(loss);
        row.amount[b] = Fmt2(amount);
        sheet.addLoss(b, amount);
    }
    sheet.row(row);
}

} // namespace

void Prt_Bunki(ReportSheet& sheet, const TerminalFields& fields) {
    for (const ComponentRow& def : BrancherRows)
        componentRow(sheet, fields, Bunki_Mt, def, Bunki_Mt(def.model, 1, 0));
}

void Prt_Bunpai(ReportSheet& sheet, const TerminalFields& fields) {
    for (const ComponentRow& def : DistributorRows)
        componentRow(sheet, fields, Bunpai_Mt, def, Bunpai_Mt(def.model, 0, 0));
}

// A chain of n units prints n - 1 through units (made whole, halves to even)
// and one last unit; a TV outlet prints as the last unit.
void Prt_Yunit(ReportSheet& sheet, const TerminalFields& fields) {
    const double n = NumVal(fields[UnitCountField]);
    if (n == 0) return;
    const QString type = trimBlanks(fields.combo3Text);
    if (type.isEmpty()) {
        sheet.separator();
        return;
    }
    const QString label = u'┃' + Len_Left(type + QString(26, u' '), ReportCell::Label) + u'│';
    if (n != 1) {
        // However many there are: the quantity cell shows its last 4 columns.
        const double through = std::nearbyint(n - 1);
        seriesUnitRow(sheet, fields, label, through, ThroughLossField, QStringLiteral("挿入損失"));
        sheet.separator();
    }
    const bool seriesUnit = fields.combo3Index < FirstOutletPosition;
    seriesUnitRow(sheet, fields, label, 1, LastUnitLossField,
                  seriesUnit ? QStringLiteral("結合損失") : QStringLiteral("挿入損失"));
    sheet.separator();
}

void Prt_Douziyuku(ReportSheet& sheet, const TerminalFields& fields) {
    for (const CoaxRow& def : CoaxRows)
        coaxRow(sheet, fields, def);
}

} // namespace miravel::print
