#include "catalog/catalog.h"
#include "common/errors.h"
#include "terminal/keisan.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::terminal;

namespace {

using Entry = std::pair<int, const char*>; // field number, text

TerminalFields fieldsOf(std::initializer_list<Entry> entries, int combo3Index = -1) {
    TerminalFields f;
    for (const auto& [n, text] : entries)
        f[n] = QString::fromUtf8(text);
    f.combo3Index = combo3Index;
    return f;
}

void expectBands(const BandValues& actual, const BandValues& expected, const char* what) {
    for (int b = 0; b < BandCount; ++b)
        EXPECT_NEAR(actual[b], expected[b], 1e-9) << what << " band " << b;
}

QString text(const std::optional<QString>& line) {
    return line.value_or(QStringLiteral("<none>"));
}

// The levels of every band are "105", the usual booster output.
const std::initializer_list<Entry> Levels105 = {{27, "105"}, {28, "105"}, {29, "105"}, {33, "105"}};

TEST(Keisan, WorkedExample) {
    TerminalFields f = fieldsOf({{4, "1"}, {19, "3"}, {22, "10"}}, 0);
    for (const auto& [n, level] : Levels105)
        f[n] = QString::fromUtf8(level);
    // Series-unit type 1 as its pick fills the loss fields.
    const char* through[4] = {"1.3", "1.8", "2.0", "--"};
    const char* takeOff[4] = {"8.5", "9.0", "10", "--"};
    for (int b = 0; b < BandCount; ++b) {
        f[TerminalField::UnitThroughLoss[b]] = QString::fromUtf8(through[b]);
        f[TerminalField::UnitTakeOffLoss[b]] = QString::fromUtf8(takeOff[b]);
    }

    const KeisanResult r = Keisan(f);
    EXPECT_EQ(r.errorNumber, 0);
    EXPECT_FALSE(r.coaxWarning);
    EXPECT_EQ(text(r.resultText[VHF]), "105db - 16.01db = 88.99db ");
    EXPECT_EQ(text(r.resultText[UHF]), "105db - 18.79db = 86.21db ");
    EXPECT_EQ(text(r.resultText[BS]), "105db - 21.61db = 83.39db ");
    EXPECT_EQ(text(r.resultText[CS]), "105db - 3.78db = 101.22db ");
    expectBands(r.Bunpai_Loss, {3.8, 4.0, 4.5, 0}, "Bunpai_Loss");
    expectBands(r.Yunit_Pass, {2.6, 3.6, 4.0, 0}, "Yunit_Pass");
    expectBands(r.Yunit_End, {8.5, 9.0, 10, 0}, "Yunit_End");
    expectBands(r.Yunit_Loss, {11.1, 12.6, 14, 0}, "Yunit_Loss");
    expectBands(r.Douziyuku_Loss[2], {1.11, 2.19, 3.11, 3.78}, "Douziyuku_Loss S-5C-FB");
    expectBands(r.Douziyuku_Total, {1.11, 2.19, 3.11, 3.78}, "Douziyuku_Total");
    expectBands(r.Total_Loss, {16.01, 18.79, 21.61, 3.78}, "Total_Loss");
}

TEST(Keisan, EmptyScreenGivesZeroLines) {
    const KeisanResult r = Keisan(TerminalFields());
    EXPECT_EQ(r.errorNumber, 0);
    EXPECT_FALSE(r.coaxWarning);
    for (const auto& line : r.resultText)
        EXPECT_EQ(text(line), "0db - 0db = 0db ");
}

// Every distributor and brancher model on its own: one count, or two for
// BS-D2. BS-type models silently drop out of the CS band.
TEST(Keisan, DistributorAndBrancherModels) {
    struct Case {
        int field;
        const char* count;
        BandValues distributors;
        BandValues branchers;
    };
    const Case cases[] = {
        {4, "2", {7.6, 8.0, 9.0, 0}, {}},    {5, "1", {7.5, 8.0, 9.0, 0}, {}},
        {6, "1", {10, 11, 12, 0}, {}},       {30, "1", {4.0, 4.0, 4.5, 6.5}, {}},
        {31, "1", {8, 8, 9, 11.5}, {}},      {32, "1", {11, 11, 12, 15.5}, {}},
        {11, "1", {}, {2.5, 2.5, 3.0, 0}},   {12, "1", {}, {3.5, 4.5, 5.5, 0}},
        {35, "1", {}, {2.5, 2.5, 3.0, 5.0}}, {36, "1", {}, {4.5, 4.5, 5.5, 7.5}},
        {39, "1", {}, {11, 12, 13, 0}},      {40, "1", {}, {11, 12, 13, 0}},
        {41, "1", {}, {11, 12, 13, 15.5}},   {42, "3台", {}, {33, 36, 39, 51}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        TerminalFields f;
        f[c.field] = QString::fromUtf8(c.count);
        const KeisanResult r = Keisan(f);
        EXPECT_EQ(r.errorNumber, 0);
        expectBands(r.Bunpai_Loss, c.distributors, "Bunpai_Loss");
        expectBands(r.Bunki_Loss, c.branchers, "Bunki_Loss");
        for (int b = 0; b < BandCount; ++b)
            EXPECT_NEAR(r.Total_Loss[b], c.distributors[b] + c.branchers[b], 1e-9);
    }
}

TEST(Keisan, PassagesAndTakeOffsAddUp) {
    const KeisanResult r = Keisan(fieldsOf({{11, "2"}, {36, "1"}, {39, "1"}, {42, "1"}}));
    // 2 x BS-C2 and 1 x CS-C4 passages, then BS-C2 and CS-C4 take-offs.
    expectBands(r.Bunki_Loss, {5 + 4.5 + 11 + 11, 5 + 4.5 + 12 + 12, 6 + 5.5 + 13 + 13, 7.5 + 17},
                "Bunki_Loss");
}

// Through losses 1.3/1.8/2.0/-- and take-off losses 8.5/9.0/10/-- (type 1),
// or typed by hand, or those of an outlet.
TEST(Keisan, SeriesUnitsAndOutlets) {
    struct Case {
        const char* name;
        int combo3Index;
        const char* count;
        std::array<const char*, 4> through;
        std::array<const char*, 4> takeOff;
        BandValues pass;
        BandValues end;
    };
    const std::array<const char*, 4> unitThrough = {"1.3", "1.8", "2.0", "--"};
    const std::array<const char*, 4> unitTakeOff = {"8.5", "9.0", "10", "--"};
    const std::array<const char*, 4> outletThrough = {"--", "--", "--", "--"};
    const std::array<const char*, 4> outletLoss = {"4.0", "4.5", "5.0", "7.0"};
    const Case cases[] = {
        {"N = 0", 0, "", unitThrough, unitTakeOff, {}, {}},
        {"N = 0, outlet", 6, "0", outletThrough, outletLoss, {}, {}},
        {"N = 1", 0, "1", unitThrough, unitTakeOff, {0, 0, 0, 0}, {8.5, 9, 10, 0}},
        {"N = 2", 0, "2", unitThrough, unitTakeOff, {1.3, 1.8, 2.0, 0}, {8.5, 9, 10, 0}},
        {"N = 2.5", 0, "2.5", unitThrough, unitTakeOff, {1.95, 2.7, 3.0, 0}, {8.5, 9, 10, 0}},
        {"last unit type",
         4,
         "2",
         {"4.0", "4.3", "4.3", "4.8"},
         {"11.0", "11.0", "12.0", "12.5"},
         {4.0, 4.3, 4.3, 4.8},
         {11, 11, 12, 12.5}},
        {"outlet, N = 2", 6, "2", outletThrough, outletLoss, {8, 9, 10, 14}, {}},
        {"last outlet type",
         8,
         "1",
         outletThrough,
         {"0.5", "0.8", "1.0", "1.5"},
         {0.5, 0.8, 1.0, 1.5},
         {}},
        {"no type, typed losses",
         -1,
         "2",
         {"1", "2", "3", "4"},
         {"10", "20", "30", "40"},
         {1, 2, 3, 4},
         {10, 20, 30, 40}},
        {"negative count",
         0,
         "-1",
         unitThrough,
         unitTakeOff,
         {-2.6, -3.6, -4.0, 0},
         {8.5, 9, 10, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TerminalFields f = fieldsOf({{19, c.count}}, c.combo3Index);
        for (int b = 0; b < BandCount; ++b) {
            f[TerminalField::UnitThroughLoss[b]] = QString::fromUtf8(c.through[size_t(b)]);
            f[TerminalField::UnitTakeOffLoss[b]] = QString::fromUtf8(c.takeOff[size_t(b)]);
        }
        const KeisanResult r = Keisan(f);
        EXPECT_EQ(r.errorNumber, 0);
        expectBands(r.Yunit_Pass, c.pass, "Yunit_Pass");
        expectBands(r.Yunit_End, c.end, "Yunit_End");
        for (int b = 0; b < BandCount; ++b) {
            EXPECT_NEAR(r.Yunit_Loss[b], c.pass[b] + c.end[b], 1e-9);
            EXPECT_NEAR(r.Total_Loss[b], c.pass[b] + c.end[b], 1e-9);
        }
    }
}

// 10 m of each coax type; the first two have no BS/CS loss and warn.
TEST(Keisan, CoaxTypes) {
    const BandValues expected[CoaxTypeCount] = {
        {1.3, 2.6, 0, 0},         {1.05, 2.2, 0, 0},        {1.11, 2.19, 3.11, 3.78},
        {0.81, 1.64, 2.33, 2.94}, {0.95, 1.84, 2.53, 3.19}, {0.66, 1.33, 1.73, 2.19},
        {0.5, 1.01, 1.34, 1.76},
    };
    for (int c = 0; c < CoaxTypeCount; ++c) {
        SCOPED_TRACE(c);
        TerminalFields f;
        f[TerminalField::CoaxLength[c]] = QStringLiteral("10");
        const KeisanResult r = Keisan(f);
        EXPECT_EQ(r.errorNumber, 0);
        EXPECT_EQ(r.coaxWarning, c < 2);
        expectBands(r.Douziyuku_Loss[size_t(c)], expected[c], "Douziyuku_Loss");
        expectBands(r.Douziyuku_Total, expected[c], "Douziyuku_Total");
        expectBands(r.Total_Loss, expected[c], "Total_Loss");
        ASSERT_TRUE(r.resultText[CS]);
    }
}

TEST(Keisan, LevelsAreReadAsTheyAre) {
    struct Case {
        std::initializer_list<Entry> fields;
        const char* vhfLine;
    };
    const Case cases[] = {
        {{{27, "abc"}, {4, "1"}}, "0db - 3.8db = -3.8db "},
        {{{27, "100db"}, {4, "-1"}}, "100db - -3.8db = 103.8db "},
        {{{27, "-5"}, {22, "-10"}}, "-5db - -1.11db = -3.89db "},
        {{{27, "75.57"}}, "75.57db - 0db = 75.57db "},
    };
    for (const Case& c : cases) {
        const KeisanResult r = Keisan(fieldsOf(c.fields));
        EXPECT_EQ(text(r.resultText[VHF]), c.vhfLine);
    }
}

// An overflow stops the run where it happens: later sums stay 0 and later
// result lines are not written.
TEST(Keisan, OverflowStopsTheRun) {
    {
        const KeisanResult r = Keisan(fieldsOf({{4, "1E400"}, {22, "10"}}));
        EXPECT_EQ(r.errorNumber, RunTimeError::Overflow);
        for (const auto& line : r.resultText)
            EXPECT_FALSE(line);
        expectBands(r.Douziyuku_Total, {}, "Douziyuku_Total");
        EXPECT_FALSE(r.coaxWarning);
    }
    {
        // A field within range whose product leaves the range of a double.
        const KeisanResult r = Keisan(fieldsOf({{30, "1E308"}}));
        EXPECT_EQ(r.errorNumber, RunTimeError::Overflow);
        expectBands(r.Bunpai_Loss, {}, "Bunpai_Loss");
        EXPECT_FALSE(r.resultText[VHF]);
    }
    {
        // The unit count is read after the distributors and branchers.
        const KeisanResult r = Keisan(fieldsOf({{4, "1"}, {11, "1"}, {19, "1E400"}, {22, "10"}}));
        EXPECT_EQ(r.errorNumber, RunTimeError::Overflow);
        expectBands(r.Bunpai_Loss, {3.8, 4.0, 4.5, 0}, "Bunpai_Loss");
        expectBands(r.Bunki_Loss, {2.5, 2.5, 3.0, 0}, "Bunki_Loss");
        expectBands(r.Douziyuku_Total, {}, "Douziyuku_Total");
        expectBands(r.Total_Loss, {}, "Total_Loss");
    }
    {
        TerminalFields f = fieldsOf({{20, "10"}});
        for (const auto& [n, level] : Levels105)
            f[n] = QString::fromUtf8(level);
        f[33] = QStringLiteral("1E400");
        const KeisanResult r = Keisan(f);
        EXPECT_EQ(r.errorNumber, RunTimeError::Overflow);
        EXPECT_EQ(text(r.resultText[VHF]), "105db - 1.3db = 103.7db ");
        EXPECT_EQ(text(r.resultText[UHF]), "105db - 2.6db = 102.4db ");
        EXPECT_EQ(text(r.resultText[BS]), "105db - 0db = 105db ");
        EXPECT_FALSE(r.resultText[CS]);
        EXPECT_FALSE(r.coaxWarning); // the run stopped before the check
    }
}

TEST(Keisan, CountAfterClick) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "1"}, {"2.5", "3.5"}, {"3台", "4"}, {"abc", "1"}, {"-1", "0"}, {"1E20", "1E+20"}};
    for (const auto& [before, after] : cases)
        EXPECT_EQ(countAfterClick(QString::fromUtf8(before)), QString::fromUtf8(after)) << before;
    EXPECT_THROW(countAfterClick(QStringLiteral("1E400")), RunTimeError);
}

} // namespace
