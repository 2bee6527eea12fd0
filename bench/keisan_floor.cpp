#include "keisan_floor.h"

#include "catalog/catalog.h"
#include "common/numval.h"
#include "terminal/keisan.h"

#include <charconv>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::terminal;

namespace miravel::bench {

namespace {

namespace F = TerminalField;

// The number of a plain field text ("105", "25.5", ""): its leading digits,
// point and sign handed to from_chars, the least reading that gives what
// NumVal gives for such texts.
double plainNumber(const QString& text) {
    char plain[32];
    int n = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (n == int(sizeof plain) || !((u >= u'0' && u <= u'9') || u == u'.' || u == u'-')) break;
        plain[n++] = char(u);
    }
    double value = 0;
    std::from_chars(plain, plain + n, value);
    return value;
}

char* append(char* out, const char* text) {
    while (*text)
        *out++ = *text++;
    return out;
}

// The result line written into one buffer.
QString line(double level, double loss) {
    char text[3 * NumTextCapacity + 16];
    char* end = append(writeNumText(text, level), "db - ");
    end = append(writeNumText(end, loss), "db = ");
    end = append(writeNumText(end, level - loss), "db ");
    return QString::fromLatin1(text, int(end - text));
}

// count x cell, nothing where the cell has no number.
double term(double count, std::optional<double> cell) {
    return cell ? count * *cell : 0;
}

double seriesUnitLoss(const TerminalFields& f, double units, int b) {
    const double through = plainNumber(f[F::UnitThroughLoss[b]]);
    const double takeOff = plainNumber(f[F::UnitTakeOffLoss[b]]);
    if (units != 0 && f.combo3Index + 1 <= SeriesUnitTypeCount)
        return through * (units - 1) + takeOff;
    return units * takeOff;
}

} // namespace

std::array<QString, BandCount> keisanFloor(const TerminalFields& f) {
    double distributors[6], passages[4], takeOffs[4], metres[CoaxTypeCount];
    for (int m = 0; m < 6; ++m)
        distributors[m] = plainNumber(f[F::DistributorCount[m]]);
    for (int m = 0; m < 4; ++m) {
        passages[m] = plainNumber(f[F::BrancherPassage[m]]);
        takeOffs[m] = plainNumber(f[F::BrancherTakeOff[m]]);
    }
    for (int c = 0; c < CoaxTypeCount; ++c)
        metres[c] = plainNumber(f[F::CoaxLength[c]]);
    const double units = plainNumber(f[F::UnitCount]);
    std::array<QString, BandCount> lines;
    for (int b = 0; b < BandCount; ++b) {
        double loss = seriesUnitLoss(f, units, b);
        for (int m = 0; m < 6; ++m)
            loss += term(distributors[m], Bunpai_Mt.number(m + 1, b + 1, 1));
        for (int m = 0; m < 4; ++m)
            loss += term(passages[m], Bunki_Mt.number(m + 1, b + 1, 2)) +
                    term(takeOffs[m], Bunki_Mt.number(m + 1, b + 1, 3));
        for (int c = 0; c < CoaxTypeCount; ++c)
            loss += term(metres[c], Douziyuku_Mt.number(c + 1, CoaxLossColumn[b])) / 100;
        const double level = plainNumber(f[F::BoosterLevel[b]]);
        lines[size_t(b)] = line(level, loss);
    }
    return lines;
}

} // namespace miravel::bench
