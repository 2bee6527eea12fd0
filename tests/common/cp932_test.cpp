#include "common/cp932.h"

#include <gtest/gtest.h>

using namespace miravel::common;

namespace {

TEST(Cp932, EncodesFullWidthDigitsAsTwoBytes) {
    const Cp932Encoded e = cp932Encode(QStringLiteral("５C-2V"));
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(e.bytes, QByteArray::fromHex("8254432d3256"));
}

TEST(Cp932, ReportsTheFirstCharacterItCannotHold) {
    const Cp932Encoded e = cp932Encode(QStringLiteral("回路😀名"));
    EXPECT_FALSE(e.ok());
    EXPECT_EQ(e.badIndex, 2);
    EXPECT_EQ(cp932Encode(QStringLiteral("é")).badIndex, 0);
}

TEST(Cp932, DecodesAndReportsInvalidBytes) {
    const Cp932Decoded good = cp932Decode(QByteArray::fromHex("8254432d3256"));
    ASSERT_TRUE(good.ok());
    EXPECT_EQ(good.text, QStringLiteral("５C-2V"));
    const Cp932Decoded bad = cp932Decode(QByteArray("ab\x82", 3));
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.badOffset, 2);
    EXPECT_FALSE(cp932Decode(QByteArray("a\xff"
                                        "b",
                                        3))
                     .ok());
}

TEST(Cp932, RoundTripsTheProgramsTexts) {
    const QString text = QStringLiteral("ｹｰﾌﾞﾙ種別 ２分配　BS-D2 ┃│━─┏┓┗┛┠┨┯┷┿ Ω μ ±①");
    const Cp932Encoded e = cp932Encode(text);
    ASSERT_TRUE(e.ok());
    EXPECT_EQ(cp932Decode(e.bytes).text, text);
}

TEST(Cp932, ColumnWidthFollowsTheEncodedLength) {
    const std::pair<char32_t, int> cases[] = {
        {U'A', 1},  {U' ', 1}, {U'\t', 1}, {U'ｱ', 1}, {U'ﾃ', 1}, {U'亜', 2}, {U'５', 2},
        {U'　', 2}, {U'┃', 2}, {U'━', 2},  {U'│', 2}, {U'─', 2}, {U'é', 1},  {U'😀', 1},
    };
    for (const auto& [c, width] : cases)
        EXPECT_EQ(cp932Width(c), width) << unsigned(c);
}

} // namespace

namespace {

// What CP932 writes under another character's code comes back changed; its
// look-alike comes back as it was.
TEST(Cp932, FindsCharactersThatDoNotComeBackAndTheirLookAlikes) {
    const std::pair<char32_t, char32_t> changed[] = {
        {U'¥', U'￥'}, {U'¢', U'￠'}, {U'£', U'￡'}, {U'¬', U'￢'},  {U'—', U'―'},
        {U'‖', U'∥'},  {U'‾', U'￣'}, {U'−', U'－'}, {U'〜', U'～'},
    };
    for (const auto& [c, lookAlike] : changed) {
        SCOPED_TRACE(unsigned(c));
        EXPECT_EQ(cp932FirstUnstorable(QStringLiteral("ab") + QString::fromUcs4(&c, 1)), 2);
        EXPECT_EQ(cp932LookAlike(c), lookAlike);
        EXPECT_EQ(cp932FirstUnstorable(QString::fromUcs4(&lookAlike, 1)), -1);
    }
    const struct {
        QString text;
        int index;
    } cases[] = {
        {QStringLiteral("５C-2V ｱﾝﾃﾅ ～ － ￥ \\ ~"), -1},
        {QString(), -1},
        {QStringLiteral("回路😀名"), 2},      // no code at all
        {QStringLiteral("😀¥"), 0},           // a pair of surrogates counts as one
        {QStringLiteral("a\U000E0041b"), 1}, // a tag character, dropped
        {QStringLiteral("ab\U000E007F"), 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cp932FirstUnstorable(c.text), c.index) << c.text.toStdString();
    EXPECT_EQ(cp932LookAlike(U'A'), 0u);
    EXPECT_EQ(cp932LookAlike(U'\U000E0041'), 0u);
}

} // namespace
