// Each cell's number, converted when the cell is written, is what strict
// conversion of its text gives; "--", blanks and qualified texts have none.

#include "catalog/catalog.h"
#include "common/errors.h"
#include "common/numval.h"

#include <gtest/gtest.h>

using namespace miravel::catalog;
using namespace miravel::common;

namespace {

std::optional<double> strict(const QString& text) {
    try {
        return strictCellValue(text);
    } catch (const RunTimeError&) {
        return std::nullopt;
    }
}

TEST(CellNumber, EveryCalculationTableAgreesWithStrictConversion) {
    const CatalogTable* tables[] = {&Douziyuku_Mt, &Bunpai_Mt,  &Bunki_Mt,  &Yunit1_Mt,
                                    &Yunit2_Mt,    &Yunit1B_Mt, &Tanshi_Mt, &Yunit1CS_Mt,
                                    &Yunit2CS_Mt,  &Booster_Mt, &UAnt_Mt,   &Kongou_Mt};
    int numbers = 0, others = 0;
    for (const CatalogTable* t : tables)
        for (int i = 0; i <= t->upperBound(0); ++i)
            for (int j = 0; j <= t->upperBound(1); ++j) {
                const int nk = t->dimensions() == 3 ? t->upperBound(2) : 0;
                for (int k = 0; k <= nk; ++k) {
                    const QString& text = t->dimensions() == 3 ? (*t)(i, j, k) : (*t)(i, j);
                    const auto number = t->dimensions() == 3 ? t->number(i, j, k) : t->number(i, j);
                    EXPECT_EQ(number, strict(text))
                        << t->name() << " " << i << " " << j << " " << k;
                    ++(number ? numbers : others);
                }
            }
    EXPECT_GT(numbers, 250);
    EXPECT_GT(others, 300);
}

struct Written {
    const char* text;
    std::optional<double> number;
};

TEST(CellNumber, RewritingACellConvertsItAgain) {
    CatalogTable t("t", {1, 1});
    const Written cases[] = {
        {"2.5", 2.5},       {"--", std::nullopt}, {" 13 ", 13.0},         {"4.0以上", std::nullopt},
        {"", std::nullopt}, {"-1e3", -1000.0},    {"1e400", std::nullopt}};
    for (const Written& w : cases) {
        t.set(1, 1, QString::fromUtf8(w.text));
        EXPECT_EQ(t.number(1, 1), w.number) << w.text;
    }
    EXPECT_EQ(t.number(0, 1), std::nullopt);
    EXPECT_THROW(t.number(2, 0), RunTimeError);
}

} // namespace
