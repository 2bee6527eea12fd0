#include "common/csv.h"

#include <gtest/gtest.h>

using namespace miravel::common;

namespace {

// Quotes, commas and line breaks (CR, LF, both) are quoted, quotes doubled;
// nothing else is, in either line end and with or without the mark.
TEST(Csv, QuotesWhatNeedsItInEveryFormat) {
    const QList<QStringList> rows{{"a", "b,c", "say \"hi\""}, {"two\nlines", "cr\rx", "\r\n", ""}};
    const QString first = QStringLiteral("a,\"b,c\",\"say \"\"hi\"\"\"");
    const QString second = QStringLiteral("\"two\nlines\",\"cr\rx\",\"\r\n\",");
    EXPECT_EQ(csvText(rows, {QStringLiteral("\r\n"), true}),
              QChar(0xFEFF) + first + "\r\n" + second + "\r\n");
    EXPECT_EQ(csvText(rows, {QStringLiteral("\n"), false}), first + "\n" + second + "\n");
    EXPECT_EQ(csvText({}, {QStringLiteral("\n"), false}), QString());
}

} // namespace
