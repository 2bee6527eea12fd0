// The terminal calculation as it was first written: every catalogue cell
// converted strictly, a "--" cell skipping its assignment through a caught
// exception. Kept only to show that the faster calculation gives the same
// results, bit for bit.

#include "keisan_reference.h"

#include "catalog/catalog.h"
#include "common/errors.h"
#include "common/numval.h"

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::terminal;

namespace {

// One assignment of the calculation: a catalogue cell that is not a number
// skips it, so the target keeps its value; every other error goes on up.
template <typename Expression> void assign(double& target, Expression expression) {
    try {
        target = expression();
    } catch (const RunTimeError& e) {
        if (e.number() != RunTimeError::TypeMismatch) throw;
    }
}

double times(double a, double b) {
    return checkedResult(a * b);
}
double plus(double a, double b) {
    return checkedResult(a + b);
}
double minus(double a, double b) {
    return checkedResult(a - b);
}

// The operands are read left to right, field before cell, so that an
// overflowing field stops the run even where the cell holds "--".
double countTimesCell(const QString& count, const QString& cell) {
    const double n = NumVal(count);
    return times(n, strictCellValue(cell));
}

void run(const TerminalFields& f, KeisanResult& r) {
    namespace F = TerminalField;
    const int catalogueBand[BandCount] = {1, 2, 3, 4};

    // Distributors: count x distribution loss (property 1).
    for (int b = 0; b < BandCount; ++b) {
        const int j = catalogueBand[b];
        assign(r.Bunpai_Loss[b],
               [&] { return countTimesCell(f[F::DistributorCount[0]], Bunpai_Mt(1, j, 1)); });
        for (int m = 2; m <= 6; ++m)
            assign(r.Bunpai_Loss[b], [&] {
                const double sum = r.Bunpai_Loss[b];
                return plus(sum, countTimesCell(f[F::DistributorCount[m - 1]], Bunpai_Mt(m, j, 1)));
            });
    }

    // Branchers: passages x insertion loss (property 2) ...
    for (int b = 0; b < BandCount; ++b) {
        const int j = catalogueBand[b];
        assign(r.Bunki_Loss[b],
               [&] { return countTimesCell(f[F::BrancherPassage[0]], Bunki_Mt(1, j, 2)); });
        for (int m = 2; m <= 4; ++m)
            assign(r.Bunki_Loss[b], [&] {
                const double sum = r.Bunki_Loss[b];
                return plus(sum, countTimesCell(f[F::BrancherPassage[m - 1]], Bunki_Mt(m, j, 2)));
            });
    }
    // ... then take-offs x coupling loss (property 3).
    for (int b = 0; b < BandCount; ++b) {
        const int j = catalogueBand[b];
        for (int m = 1; m <= 4; ++m)
            assign(r.Bunki_Loss[b], [&] {
                const double sum = r.Bunki_Loss[b];
                return plus(sum, countTimesCell(f[F::BrancherTakeOff[m - 1]], Bunki_Mt(m, j, 3)));
            });
    }

    // Series units: N - 1 passages through feed-through units and one
    // take-off at the end unit. An outlet (or no unit at all) counts its own
    // loss N times.
    const int t = f.combo3Index + 1;
    const double n = NumVal(f[F::UnitCount]);
    if (n != 0 && t <= SeriesUnitTypeCount) {
        for (int b = 0; b < BandCount; ++b) {
            r.Yunit_Pass[b] = times(NumVal(f[F::UnitThroughLoss[b]]), minus(n, 1));
            r.Yunit_End[b] = NumVal(f[F::UnitTakeOffLoss[b]]);
        }
    } else {
        for (int b = 0; b < BandCount; ++b) {
            r.Yunit_Pass[b] = times(n, NumVal(f[F::UnitTakeOffLoss[b]]));
            r.Yunit_End[b] = 0;
        }
    }
    for (int b = 0; b < BandCount; ++b)
        r.Yunit_Loss[b] = plus(r.Yunit_Pass[b], r.Yunit_End[b]);

    // Coax: metres x loss per 100 m at the band's highest frequency.
    for (int b = 0; b < BandCount; ++b)
        for (int c = 0; c < CoaxTypeCount; ++c)
            assign(r.Douziyuku_Loss[size_t(c)][b], [&] {
                const double metres = NumVal(f[F::CoaxLength[c]]);
                const double perHundred = strictCellValue(Douziyuku_Mt(c + 1, CoaxLossColumn[b]));
                return checkedResult(times(metres, perHundred) / 100);
            });
    for (int b = 0; b < BandCount; ++b) {
        double sum = 0;
        for (int c = 0; c < CoaxTypeCount; ++c)
            sum = plus(sum, r.Douziyuku_Loss[size_t(c)][b]);
        r.Douziyuku_Total[b] = sum;
    }

    for (int b = 0; b < BandCount; ++b)
        r.Total_Loss[b] = plus(plus(plus(r.Bunpai_Loss[b], r.Bunki_Loss[b]), r.Yunit_Loss[b]),
                               r.Douziyuku_Total[b]);

    for (int b = 0; b < BandCount; ++b) {
        const double level = NumVal(f[F::BoosterLevel[b]]);
        r.resultText[size_t(b)] = levelLine(level, r.Total_Loss[b], minus(level, r.Total_Loss[b]));
    }

    // The first two coax types have no BS/CS values, so those losses are
    // missing from the totals.
    r.coaxWarning = NumVal(f[F::CoaxLength[0]]) != 0 || NumVal(f[F::CoaxLength[1]]) != 0;
}

} // namespace

KeisanResult referenceKeisan(const TerminalFields& fields) {
    KeisanResult result;
    try {
        run(fields, result);
    } catch (const RunTimeError& e) {
        result.errorNumber = e.number();
    }
    return result;
}
