#include "terminal/keisan.h"

#include "catalog/catalog.h"
#include "common/errors.h"
#include "common/numval.h"

using namespace miravel::catalog;
using namespace miravel::common;

namespace miravel::terminal {

namespace {

const char16_t* const SeriesUnitTypes[SeriesUnitListCount] = {
    u"直列ユニット１端子形  (BS対応形)",     u"直列ユニット２端子形  (BS対応形)",
    u"直列ユニット１端子分岐形  (BS対応形)", u"直列ユニット１端子形  (CS対応形)",
    u"直列ユニット２端子形  (CS対応形)",     u"テレビ端子 BS-7F    (BS対応形)",
    u"テレビ端子 BS-77F   (CS対応形)",       u"テレビ端子 DMC7FT   (BS対応形)",
    u"テレビ端子 DMC7FTCS (CS対応形)",
};

double times(double a, double b) {
    return checkedResult(a * b);
}
double plus(double a, double b) {
    return checkedResult(a + b);
}
double minus(double a, double b) {
    return checkedResult(a - b);
}

// Each field's number, read at its first use in the run: an overflowing field
// stops the run exactly where it is first needed, later reads cost nothing.
class FieldNumbers {
public:
    explicit FieldNumbers(const TerminalFields& fields) : m_fields(fields) {}
    double operator()(int n) {
        std::optional<double>& value = m_values[size_t(n)];
        if (!value) value = NumVal(m_fields[n]);
        return *value;
    }

private:
    const TerminalFields& m_fields;
    std::array<std::optional<double>, 44> m_values;
};

// One term count x catalogue cell. The count is read first, so that an
// overflowing count stops the run even where the cell holds "--"; a cell
// without a number leaves the target as it was (the term is dropped).
void setTerm(double& target, double count, std::optional<double> cell) {
    if (cell) target = times(count, *cell);
}
void addTerm(double& target, double count, std::optional<double> cell) {
    if (cell) target = plus(target, times(count, *cell));
}

namespace F = TerminalField;
const int CatalogueBand[BandCount] = {1, 2, 3, 4};

// Distributors: count x distribution loss (property 1).
void distributorLoss(FieldNumbers& field, KeisanResult& r) {
    for (int b = 0; b < BandCount; ++b) {
        const int j = CatalogueBand[b];
        setTerm(r.Bunpai_Loss[b], field(F::DistributorCount[0]), Bunpai_Mt.number(1, j, 1));
        for (int m = 2; m <= 6; ++m)
            addTerm(r.Bunpai_Loss[b], field(F::DistributorCount[m - 1]), Bunpai_Mt.number(m, j, 1));
    }
}

// Branchers: passages x insertion loss (property 2) ...
void brancherLoss(FieldNumbers& field, KeisanResult& r) {
    for (int b = 0; b < BandCount; ++b) {
        const int j = CatalogueBand[b];
        setTerm(r.Bunki_Loss[b], field(F::BrancherPassage[0]), Bunki_Mt.number(1, j, 2));
        for (int m = 2; m <= 4; ++m)
            addTerm(r.Bunki_Loss[b], field(F::BrancherPassage[m - 1]), Bunki_Mt.number(m, j, 2));
    }
    // ... then take-offs x coupling loss (property 3).
    for (int b = 0; b < BandCount; ++b) {
        const int j = CatalogueBand[b];
        for (int m = 1; m <= 4; ++m)
            addTerm(r.Bunki_Loss[b], field(F::BrancherTakeOff[m - 1]), Bunki_Mt.number(m, j, 3));
    }
}

// Series units: N - 1 passages through feed-through units and one take-off
// at the end unit. An outlet (or no unit at all) counts its own loss N times.
void seriesUnitLoss(const TerminalFields& f, FieldNumbers& field, KeisanResult& r) {
    const int t = f.combo3Index + 1;
    const double n = field(F::UnitCount);
    if (n != 0 && t <= SeriesUnitTypeCount) {
        for (int b = 0; b < BandCount; ++b) {
            r.Yunit_Pass[b] = times(field(F::UnitThroughLoss[b]), minus(n, 1));
            r.Yunit_End[b] = field(F::UnitTakeOffLoss[b]);
        }
    } else {
        for (int b = 0; b < BandCount; ++b) {
            r.Yunit_Pass[b] = times(n, field(F::UnitTakeOffLoss[b]));
            r.Yunit_End[b] = 0;
        }
    }
    for (int b = 0; b < BandCount; ++b)
        r.Yunit_Loss[b] = plus(r.Yunit_Pass[b], r.Yunit_End[b]);
}

// Coax: metres x loss per 100 m at the band's highest frequency.
void coaxLoss(FieldNumbers& field, KeisanResult& r) {
    for (int b = 0; b < BandCount; ++b)
        for (int c = 0; c < CoaxTypeCount; ++c) {
            const double metres = field(F::CoaxLength[c]);
            if (const auto perHundred = Douziyuku_Mt.number(c + 1, CoaxLossColumn[b]))
                r.Douziyuku_Loss[size_t(c)][b] = checkedResult(times(metres, *perHundred) / 100);
        }
    for (int b = 0; b < BandCount; ++b) {
        double sum = 0;
        for (int c = 0; c < CoaxTypeCount; ++c)
            sum = plus(sum, r.Douziyuku_Loss[size_t(c)][b]);
        r.Douziyuku_Total[b] = sum;
    }
}

void run(const TerminalFields& f, KeisanResult& r) {
    FieldNumbers field(f);
    distributorLoss(field, r);
    brancherLoss(field, r);
    seriesUnitLoss(f, field, r);
    coaxLoss(field, r);

    for (int b = 0; b < BandCount; ++b)
        r.Total_Loss[b] = plus(plus(plus(r.Bunpai_Loss[b], r.Bunki_Loss[b]), r.Yunit_Loss[b]),
                               r.Douziyuku_Total[b]);

    for (int b = 0; b < BandCount; ++b) {
        const double level = field(F::BoosterLevel[b]);
        r.resultText[size_t(b)] = levelLine(level, r.Total_Loss[b], minus(level, r.Total_Loss[b]));
    }

    // The first two coax types have no BS/CS values, so those losses are
    // missing from the totals.
    r.coaxWarning = field(F::CoaxLength[0]) != 0 || field(F::CoaxLength[1]) != 0;
}

} // namespace

KeisanResult Keisan(const TerminalFields& fields) {
    KeisanResult result;
    try {
        run(fields, result);
    } catch (const RunTimeError& e) {
        result.errorNumber = e.number();
    }
    return result;
}

namespace {

char* append(char* out, const char* text) {
    while (*text)
        *out++ = *text++;
    return out;
}

} // namespace

// Built in one buffer: the calculation writes four of these on every run.
QString levelLine(double level, double loss, double terminalLevel) {
    char line[3 * NumTextCapacity + 16];
    char* end = append(writeNumText(line, level), "db - ");
    end = append(writeNumText(end, loss), "db = ");
    end = append(writeNumText(end, terminalLevel), "db ");
    return QString::fromLatin1(line, int(end - line));
}

QString countAfterClick(const QString& text) {
    return NumText(checkedResult(NumVal(text) + 1));
}

QString seriesUnitTypeName(int position) {
    return QString::fromUtf16(SeriesUnitTypes[position]);
}

int seriesUnitTypePosition(const QString& text) {
    for (int i = 0; i < SeriesUnitListCount; ++i)
        if (text == seriesUnitTypeName(i)) return i;
    return -1;
}

QString coaxWarningText() {
    return QStringLiteral("５Ｃ－２Ｖ・７Ｃ－２ＶのＢＳ・ＣＳ電波の損失") + QChar(13) +
           QStringLiteral("は計算できません。");
}

QString coaxWarningTitle() {
    return QStringLiteral("　　警　　告");
}

} // namespace miravel::terminal
