#include "print/len.h"

#include <gtest/gtest.h>

using namespace miravel::print;

namespace {

enum class Side { Left, Right };

struct LenCase {
    Side side;
    QString text;
    int width;
    QString expected;
};

QString spaces(int n) {
    return QString(n, u' ');
}

TEST(Len, CutsToExactColumns) {
    const LenCase cases[] = {
        // A 13-column name padded to a 14-column cell.
        {Side::Left, QStringLiteral("２分岐　BS-C2") + spaces(14), 14,
         QStringLiteral("２分岐　BS-C2 ")},
        // A number right-aligned in a 10-column cell.
        {Side::Right, spaces(10) + QStringLiteral("12.50"), 10, QStringLiteral("     12.50")},
        {Side::Left, QStringLiteral("直列ユニット１端子分岐形  (BS対応形)") + spaces(26), 20,
         QStringLiteral("直列ユニット１端子分")},
        // A two-column character crossing the limit becomes a space.
        {Side::Left, QStringLiteral("ab亜"), 3, QStringLiteral("ab ")},
        {Side::Right, QStringLiteral("亜ab"), 3, QStringLiteral(" ab")},
        {Side::Left, QStringLiteral("ｹｰﾌﾞﾙ種別"), 6, QStringLiteral("ｹｰﾌﾞﾙ ")},
        {Side::Right, QStringLiteral("種別ｹｰﾌﾞﾙ"), 6, QStringLiteral(" ｹｰﾌﾞﾙ")},
        // Narrower texts come back unchanged, the empty text empty.
        {Side::Left, QStringLiteral("abc"), 5, QStringLiteral("abc")},
        {Side::Right, QStringLiteral("abc"), 5, QStringLiteral("abc")},
        {Side::Left, QString(), 4, QString()},
        {Side::Right, QString(), 4, QString()},
        // A tab is one column on the left, two on the right.
        {Side::Left, QStringLiteral("a\tbc"), 2, QStringLiteral("a\t")},
        {Side::Right, QStringLiteral("ab\tc"), 3, QStringLiteral("\tc")},
        {Side::Right, QStringLiteral("a\tc"), 2, QStringLiteral(" c")},
        // Characters CP932 cannot hold print as "?": one column; a character
        // outside the BMP is never split.
        {Side::Left, QStringLiteral("äöü"), 2, QStringLiteral("äö")},
        {Side::Left, QStringLiteral("😀ab"), 2, QStringLiteral("😀a")},
        {Side::Right, QStringLiteral("ab😀"), 2, QStringLiteral("b😀")},
        // Nothing fits in no columns.
        {Side::Left, QStringLiteral("亜"), 0, QString()},
        {Side::Right, QStringLiteral("亜"), 0, QString()},
    };
    for (const LenCase& c : cases) {
        const QString result =
            c.side == Side::Left ? Len_Left(c.text, c.width) : Len_Right(c.text, c.width);
        EXPECT_EQ(result, c.expected) << (c.side == Side::Left ? "Len_Left(" : "Len_Right(")
                                      << c.text.toStdString() << ", " << c.width << ")";
    }
}

} // namespace
