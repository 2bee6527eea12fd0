#include "common/numformat.h"
#include "common/numval.h"
#include "common/text.h"

#include <gtest/gtest.h>

using namespace miravel::common;

namespace {

// Blanks are space, tab and line feed, and nothing else: what the save trims,
// what the number test looks past and what NumVal skips are the same set.
struct BlankCase {
    const char* text;
    const char* trimmed; // trimBlanks
    const char* fixed2;  // the "##0.#0" pattern applied to the text
    double numVal;       // NumVal agrees with the number test
};

TEST(Blanks, OneSetForTrimmingNumberTestsAndNumVal) {
    const BlankCase cases[] = {
        {"", "", "", 0},
        {" \t\n \t", "", " \t\n \t", 0},
        {" S-5C-FB ", "S-5C-FB", " S-5C-FB ", 0},
        {"\tS-5C-FB\n", "S-5C-FB", "\tS-5C-FB\n", 0},
        {" 75 ", "75", "75.00", 75},
        {"\t75\n", "75", "75.00", 75},
        {"a b", "a b", "a b", 0},
        // Not blanks: the ideographic space, a no-break space, a carriage return.
        {"　75", "　75", "　75", 0},
        {"\u00a075", "\u00a075", "\u00a075", 0},
        {"75\r", "75\r", "75\r", 75},
        {"\r\n75", "\r\n75", "\r\n75", 0},
    };
    for (const BlankCase& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(trimBlanks(text), QString::fromUtf8(c.trimmed));
        EXPECT_EQ(Fmt2(text), QString::fromUtf8(c.fixed2));
        EXPECT_EQ(isNumberText(text), QString::fromUtf8(c.fixed2) != text);
        EXPECT_DOUBLE_EQ(NumVal(text), c.numVal);
    }
}

} // namespace
