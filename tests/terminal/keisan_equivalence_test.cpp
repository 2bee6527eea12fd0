// The terminal calculation reads converted catalogue numbers and throws
// nothing for "--"; it has to give what its first version gave, bit for bit,
// for every kind of field text, overflow stops included.

#include "keisan_reference.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace miravel::common;
using namespace miravel::terminal;

namespace {

namespace F = TerminalField;

void expectSame(const KeisanResult& a, const KeisanResult& b, const std::string& where) {
    EXPECT_EQ(a.errorNumber, b.errorNumber) << where;
    EXPECT_EQ(a.coaxWarning, b.coaxWarning) << where;
    EXPECT_EQ(a.Bunpai_Loss, b.Bunpai_Loss) << where;
    EXPECT_EQ(a.Bunki_Loss, b.Bunki_Loss) << where;
    EXPECT_EQ(a.Yunit_Pass, b.Yunit_Pass) << where;
    EXPECT_EQ(a.Yunit_End, b.Yunit_End) << where;
    EXPECT_EQ(a.Yunit_Loss, b.Yunit_Loss) << where;
    EXPECT_EQ(a.Douziyuku_Loss, b.Douziyuku_Loss) << where;
    EXPECT_EQ(a.Douziyuku_Total, b.Douziyuku_Total) << where;
    EXPECT_EQ(a.Total_Loss, b.Total_Loss) << where;
    EXPECT_EQ(a.resultText, b.resultText) << where;
}

// Every field the calculation reads.
std::vector<int> readFields() {
    std::vector<int> fields;
    for (int n : F::DistributorCount)
        fields.push_back(n);
    for (int n : F::BrancherPassage)
        fields.push_back(n);
    for (int n : F::BrancherTakeOff)
        fields.push_back(n);
    for (int n : F::UnitThroughLoss)
        fields.push_back(n);
    for (int n : F::UnitTakeOffLoss)
        fields.push_back(n);
    for (int n : F::CoaxLength)
        fields.push_back(n);
    for (int n : F::BoosterLevel)
        fields.push_back(n);
    fields.push_back(F::UnitCount);
    return fields;
}

const char* const Texts[] = {"",    "",    "",      "0",     "1",      "2",    "3",
                             "2.5", "3台", "-1",    "--",    " 4 ",    "1e-5", "7.5",
                             "105", "abc", "1E400", "1e300", "-1e300", "12.25"};

TEST(KeisanEquivalence, RandomFieldsGiveTheFirstVersionsResults) {
    std::mt19937 random(20261207);
    const std::vector<int> fields = readFields();
    std::uniform_int_distribution<size_t> text(0, std::size(Texts) - 1);
    std::uniform_int_distribution<int> type(-1, 8);
    std::uniform_int_distribution<int> sparse(0, 3);
    int stopped = 0;
    for (int run = 0; run < 4000; ++run) {
        TerminalFields f;
        // Mostly short paths, as users type them; overflow texts are rare.
        for (int n : fields)
            if (sparse(random) == 0) f[n] = QString::fromUtf8(Texts[text(random)]);
        f.combo3Index = type(random);
        const KeisanResult expected = referenceKeisan(f);
        if (expected.errorNumber) ++stopped;
        expectSame(Keisan(f), expected, "run " + std::to_string(run));
        if (HasFailure()) return;
    }
    // Both kinds of run were compared.
    EXPECT_GT(stopped, 100);
    EXPECT_LT(stopped, 3000);
}

struct Case {
    const char* what;
    std::vector<std::pair<int, const char*>> fields;
    int combo3Index;
};

TEST(KeisanEquivalence, EdgeCases) {
    const Case cases[] = {
        {"empty screen", {}, -1},
        {"BS distributors in every band", {{4, "2"}, {5, "1"}, {6, "3"}}, -1},
        {"overflowing count before a -- cell", {{30, "1"}, {4, "1E400"}}, -1},
        {"overflowing count where the cell is --", {{32, "1"}, {12, "1e400"}}, -1},
        {"thin coax only", {{20, "10"}, {21, "5"}}, -1},
        {"overflowing thin coax length", {{20, "1e400"}}, -1},
        {"product overflow in coax", {{22, "1e307"}}, -1},
        {"outlet counted twice", {{19, "2"}, {16, "0.4"}, {13, "--"}}, 5},
        {"unit chain 2.5", {{19, "2.5"}, {13, "1.3"}, {16, "8.5"}, {37, "--"}}, 0},
        {"overflowing unit count", {{19, "1E400"}, {4, "1"}}, 2},
        {"levels without numbers", {{27, "abc"}, {28, "--"}, {29, ""}, {33, "1e400"}}, -1},
    };
    for (const Case& c : cases) {
        TerminalFields f;
        for (const auto& [n, text] : c.fields)
            f[n] = QString::fromUtf8(text);
        f.combo3Index = c.combo3Index;
        expectSame(Keisan(f), referenceKeisan(f), c.what);
    }
}

} // namespace
