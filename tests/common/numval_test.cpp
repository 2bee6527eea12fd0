#include "common/errors.h"
#include "common/numformat.h"
#include "common/numval.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace miravel::common;

namespace {

struct NumValCase {
    const char* text;
    double expected;
};

TEST(NumVal, ReadsTheLeadingNumber) {
    const NumValCase cases[] = {
        {"", 0},          {"--", 0},        {"abc", 0},     {"4.0以上", 4},   {"6.0 以上", 6},
        {"9.0以上", 9},   {"3台", 3},       {"2.5", 2.5},   {"-12.5", -12.5}, {"+7", 7},
        {" 1 2 3 ", 123}, {"1\t2\n3", 123}, {"- 5", -5},    {"1.5.5", 1.5},   {".5", 0.5},
        {"5.", 5},        {"1E3", 1000},    {"1e-2", 0.01}, {"2D2", 200},     {"1 E 2", 100},
        {"1E", 1},        {"1E+", 1},       {"1Ex", 1},     {".", 0},         {"-", 0},
        {"1,000", 1},     {"1e-400", 0},    {"０１", 0},    {"12abc34", 12},  {"  -0.25db", -0.25},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(NumVal(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(NumVal, RaisesOverflowBeyondTheRangeOfADouble) {
    for (const char* text : {"1E400", "-1e309", "1 E 4 0 0x", "99999999e999"}) {
        try {
            NumVal(QString::fromUtf8(text));
            ADD_FAILURE() << text << " did not overflow";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), RunTimeError::Overflow) << text;
        }
    }
}

TEST(NumVal, NeverCrashesOnOddInput) {
    QString text;
    for (char16_t c = 0; c < 0x3100; c += 7)
        text.append(QChar(c));
    EXPECT_NO_THROW(NumVal(text));
    EXPECT_NO_THROW(NumVal(QString(100000, u'9').prepend(u'.')));
    EXPECT_THROW(NumVal(QString(400, u'9')), RunTimeError);
}

TEST(NumText, ShortestTextTo15SignificantDigits) {
    const std::pair<double, const char*> cases[] = {
        {3, "3"},
        {2.5, "2.5"},
        {-2.5, "-2.5"},
        {0, "0"},
        {-0.0, "0"},
        {0.1 + 0.2, "0.3"},
        {1e15, "1E+15"},
        {123456789012345, "123456789012345"},
        {1e-5, "1E-05"},
        {0.0001, "0.0001"},
        {16.01, "16.01"},
        {105 - 16.01, "88.99"},
        {1.0 / 3, "0.333333333333333"},
        {999.99999999999943, "999.999999999999"}, // just under a power of ten
        {99999.99999999996, "100000"},            // rounds up to one
        {0.00012345678901234567, "0.000123456789012346"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(NumText(value), QString::fromLatin1(text)) << text;
}

TEST(WholeNumber16, NearestWithHalvesToEven) {
    const std::pair<double, int> cases[] = {
        {2.5, 2},   {3.5, 4},  {4.5, 4},         {5.5, 6},           {-2.5, -2},
        {-3.5, -4}, {0.49, 0}, {32767.4, 32767}, {-32768.5, -32768}, {7.6, 8},
    };
    for (const auto& [value, whole] : cases) {
        const auto result = wholeNumber16(value);
        ASSERT_TRUE(result.has_value()) << value;
        EXPECT_EQ(*result, whole) << value;
    }
    for (double outside : {32767.5, 40000.0, -32769.0, -32768.6, double(INFINITY), double(NAN)})
        EXPECT_FALSE(wholeNumber16(outside).has_value()) << outside;
}

TEST(StrictCellValue, AcceptsOnlyWholeNumbers) {
    EXPECT_DOUBLE_EQ(strictCellValue("3.8"), 3.8);
    EXPECT_DOUBLE_EQ(strictCellValue(" 11 "), 11);
    for (const char* cell : {"--", "", "4.0以上", "1-2"})
        EXPECT_THROW(strictCellValue(QString::fromUtf8(cell)), RunTimeError) << cell;
}

struct PatternCase {
    double value;
    NumberPattern pattern;
    const char* text;
};

TEST(NumberPattern, RoundsTheFifteenDigitFormHalvesAwayFromZero) {
    using P = NumberPattern;
    const PatternCase cases[] = {
        {75, P::Fixed2, "75.00"},
        {0.126, P::Fixed2, "0.13"},
        {0.125, P::Fixed2, "0.13"},
        {77.33499999999999, P::Fixed2, "77.34"},
        {79 - (0.081 * 30 + 1.0), P::Fixed2, "75.57"},
        {-12.5, P::Fixed2, "-12.50"},
        {-0.004, P::Fixed2, "0.00"},
        {-0.005, P::Fixed2, "-0.01"},
        {0, P::Fixed2, "0.00"},
        {99.995, P::Fixed2, "100.00"},
        {1234567, P::Fixed2, "1234567.00"},
        {123456789012.3449, P::Fixed2, "123456789012.35"}, // its 15 digits end in 5
        {1e20, P::Fixed2, "100000000000000000000.00"},
        {2.5, P::Unit1to2, " 2.5"},
        {11, P::Unit1to2, " 11.0"},
        {2.25, P::Unit1to2, " 2.25"},
        {2.255, P::Unit1to2, " 2.26"},
        {0.1, P::Unit1to2, " 0.1"},
        {0.13, P::Unit3, " 0.130"},
        {0.081, P::Unit3, " 0.081"},
        {0.0005, P::Unit3, " 0.001"},
        {0.101, P::Unit3, " 0.101"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatNumber(c.value, c.pattern), QString::fromLatin1(c.text)) << c.text;
}

TEST(NumberPattern, FormatsNumericTextsAndLeavesOtherTexts) {
    EXPECT_EQ(Fmt2(QStringLiteral("105")), "105.00");
    EXPECT_EQ(Fmt2(QStringLiteral(" 75.5 ")), "75.50");
    EXPECT_EQ(Fmt2(QStringLiteral("")), "");
    EXPECT_EQ(Fmt2(QStringLiteral("--")), "--");
    EXPECT_EQ(Fmt2(QStringLiteral("3台")), "3台");
    EXPECT_EQ(Fmt2(QStringLiteral("1E400")), "1E400");
    EXPECT_EQ(formatText(QStringLiteral("2.5"), NumberPattern::Unit1to2), " 2.5");
    EXPECT_EQ(formatText(QStringLiteral("--"), NumberPattern::Unit1to2), "--");
}

} // namespace
