#include "common/naturalorder.h"

#include <QString>
#include <gtest/gtest.h>

using namespace miravel::common;

namespace {

int sign(int n) {
    return (n > 0) - (n < 0);
}

// Each pair in both orders: the first sorts before the second, and the
// reverse says the opposite.
TEST(NaturalOrder, DigitRunsCompareByValue) {
    const struct {
        const char* first;
        const char* second;
    } before[] = {
        {"950 (9F)", "1001 (10F)"},
        {"端子2", "端子10"},
        {"301 (3)", "302 (3)"},
        {"9", "10"},
        {"99 (1F)", "100 (1F)"},
        {"101 (1)", "101 (2)"},
        {"0", "1"},
        {"７", "１０"},  // full-width digits by value
        {"a2b", "a10a"}, // the number decides before the letters after it
        {"7", "007"},    // equal values: fewer leading zeros first
        {"007", "8"},
        {"1", "１"},    // equal otherwise: exact code order
        {"abc", "ABD"}, // letters ignore case
        {"ABC", "abc"}, // ... unless nothing else differs
        {"A", "A1"},    // a prefix first
        {"", "0"},
        {"室1", "室a"},                                   // digits before letters, by code
        {"18446744073709551616", "18446744073709551617"}, // past 64 bits
    };
    for (const auto& c : before) {
        const QString a = QString::fromUtf8(c.first);
        const QString b = QString::fromUtf8(c.second);
        EXPECT_EQ(sign(naturalCompare(a, b)), -1) << c.first << " < " << c.second;
        EXPECT_EQ(sign(naturalCompare(b, a)), 1) << c.second << " > " << c.first;
    }
    for (const char* same : {"", "1001 (10F)", "端子007"})
        EXPECT_EQ(naturalCompare(QString::fromUtf8(same), QString::fromUtf8(same)), 0) << same;
}

} // namespace
