#include "network/jsonkeys.h"

#include <gtest/gtest.h>

using namespace miravel::network;

// Commas and opening brackets count outside strings only; a string ends at
// the first quote after an even number of backslashes.
TEST(JsonItemCount, CountsOutsideStringsAndSkipsEscapes) {
    const struct {
        const char* json;
        qint64 items;
    } cases[] = {
        {R"({"a": [1, 2, {"b": 3}]})", 5},
        {R"(["x,y", "[{", 1])", 3},
        {R"(["a\",b", 1])", 2},      // an escaped quote keeps the string open
        {R"(["a\\", ",", 1])", 3},   // an escaped backslash does not
        {R"(["a\\\",", 1])", 2},     // three backslashes: the quote is escaped
        {R"(["never closed, [)", 1}, // the rest of the bytes are the string
    };
    for (const auto& c : cases) {
        const QByteArray bytes(c.json);
        EXPECT_EQ(jsonItemCount(bytes), c.items) << c.json;
        EXPECT_TRUE(jsonItemsWithin(bytes, c.items)) << c.json;
        EXPECT_FALSE(jsonItemsWithin(bytes, c.items - 1)) << c.json;
    }
}
