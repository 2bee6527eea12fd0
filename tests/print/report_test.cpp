#include "print/report.h"

#include "common/cp932.h"
#include "common/errors.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

using namespace miravel::common;
using namespace miravel::print;
using namespace miravel::terminal;

namespace {

const QString Margin(ReportMargin, u' ');

const QString Top =
    QStringLiteral("┏━━━━━━━━━━┯━━┯━━━━━━━━━┯━━━━━━━━━┯━━━━━━━━━┯━━━━━━━━━┯━━━━━━━┓");
const QString Units = QStringLiteral(
    "┃                    │    │              (db)│              (db)│              (db)│   "
    "           (db)│              ┃");
const QString Heading = QStringLiteral(
    "┃周波数帯域（ＭＨｚ）│数量│　   Ｖ Ｈ Ｆ　   │   ＵＨＦ (CATV)  │    ＢＳ - I F    │ "
    "   ＣＳ - I F    │    備　考    ┃");
const QString HeadingRule =
    QStringLiteral("┣━━━━━━━━━━┿━━┿━━━┯━━━━━┿━━━┯━━━━━┿━━━┯━━━━━┿━━━┯━━━━━┿━━━━━━━┫");
const QString Sep =
    QStringLiteral("┠──────────┼──┼───┼─────┼───┼─────┼───┼─────┼───┼─────┼───────┨");
const QString Empty = QStringLiteral(
    "┃                    │    │      │          │      │          │      │          │      "
    "│          │              ┃");
const QString Bottom =
    QStringLiteral("┗━━━━━━━━━━┷━━┷━━━┷━━━━━┷━━━┷━━━━━┷━━━┷━━━━━┷━━━┷━━━━━┷━━━━━━━┛");

// Lines of the frame around the component rows: ten header lines and the
// output-level row with its separators before them, nine lines after.
constexpr int LinesBefore = 14;
constexpr int LinesAfter = 9;

int columns(const QString& text) {
    int n = 0;
    for (const char32_t c : text.toUcs4())
        n += cp932Width(c);
    return n;
}

// Every line starts with the margin; every table line is exactly 126 columns
// after it.
void expectGrid(const Report& report) {
    for (const QString& line : report.lines)
        ASSERT_TRUE(line.startsWith(Margin)) << line.toStdString();
    const int first = 6;                           // the top rule
    const int last = int(report.lines.size()) - 2; // the bottom rule
    for (int i = first; i <= last; ++i)
        EXPECT_EQ(columns(report.lines[i]), ReportMargin + ReportTableWidth)
            << "line " << i << ": " << report.lines[i].toStdString();
}

TerminalFields withOutputs(const QString& level = QStringLiteral("105")) {
    TerminalFields f;
    for (int n : {27, 28, 29, 33})
        f[n] = level;
    return f;
}

QStringList sectionLines(const Report& report) {
    QStringList lines =
        report.lines.mid(LinesBefore, report.lines.size() - LinesBefore - LinesAfter);
    for (QString& line : lines)
        line.remove(0, ReportMargin);
    return lines;
}

TEST(Report, WorkedExample) {
    TerminalFields f = withOutputs();
    f[43] = QStringLiteral("  ３階東系統 ");
    f[4] = QStringLiteral("1");
    f.combo3Index = 0;
    f.combo3Text = QStringLiteral("直列ユニット１端子形  (BS対応形)");
    f[13] = QStringLiteral("1.3");
    f[14] = QStringLiteral("1.8");
    f[15] = QStringLiteral("2.0");
    f[37] = QStringLiteral("--");
    f[16] = QStringLiteral("8.5");
    f[17] = QStringLiteral("9.0");
    f[18] = QStringLiteral("10");
    f[38] = QStringLiteral("--");
    f[19] = QStringLiteral("3");
    f[22] = QStringLiteral("10");

    const Report report = terminalReport(f, QStringLiteral("C:\\data\\site\\plan.tvd"));

    const QStringList body = {
        QString(),
        QString(),
        QString(),
        QString(),
        QStringLiteral(" 回 路 名     ３階東系統"),
        QString(),
        Top,
        Units,
        Heading,
        HeadingRule,
        QStringLiteral("┃出 力 レ ベ ル 　　 │    │      │    105.00│      │    105.00│      │    "
                       "105.00│      │    105.00│              ┃"),
        Sep,
        Empty,
        Sep,
        QStringLiteral("┃２分配器　分配損失  │   1│   3.8│      3.80│   4.0│      4.00│   4.5│     "
                       " 4.50│      │          │２分配　BS-D2 ┃"),
        Sep,
        QStringLiteral("┃直列ユニット１端子形│   2│   1.3│      2.60│   1.8│      3.60│   2.0│     "
                       " 4.00│      │          │挿入損失      ┃"),
        Sep,
        QStringLiteral("┃直列ユニット１端子形│   1│   8.5│      8.50│   9.0│      9.00│  10.0│     "
                       "10.00│      │          │結合損失      ┃"),
        Sep,
        QStringLiteral("┃同軸ケーブル　５Ｃ  │  10│ 0.111│      1.11│ 0.219│      2.19│ 0.311│     "
                       " 3.11│ 0.378│      3.78│S-5C-FB       ┃"),
        Sep,
        Empty,
        Sep,
        QStringLiteral("┃損　失　合　計 　　 │    │      │     16.01│      │     18.79│      │     "
                       "21.61│      │      3.78│              ┃"),
        Sep,
        Empty,
        Sep,
        QStringLiteral("┃端 末 レ ベ ル 　　 │    │      │     88.99│      │     86.21│      │     "
                       "83.39│      │    101.22│              ┃"),
        Bottom,
        QString(ReportFooterIndent, u' ') + QStringLiteral("plan.tvd"),
    };
    ASSERT_EQ(report.lines.size(), body.size());
    for (int i = 0; i < body.size(); ++i)
        EXPECT_EQ(report.lines[i], Margin + body[i]) << "line " << i;
    expectGrid(report);

    // The totals end as the terminal levels.
    EXPECT_NEAR(report.totalLoss[VHF], 88.99, 1e-9);
    EXPECT_NEAR(report.totalLoss[UHF], 86.21, 1e-9);
    EXPECT_NEAR(report.totalLoss[BS], 83.39, 1e-9);
    EXPECT_NEAR(report.totalLoss[CS], 101.22, 1e-9);
}

TEST(Report, EmptyPathShowsOutputsAsTerminalLevels) {
    TerminalFields f;
    f[27] = QStringLiteral(" 105 ");
    f[28] = QStringLiteral("100.5");
    f[29] = QString();
    f[33] = QStringLiteral("abc");
    for (int n : {4, 5, 6, 30, 31, 32, 11, 12, 35, 36, 39, 40, 41, 42, 20, 21, 22})
        f[n] = (n % 2) ? QStringLiteral("0") : QString();
    f.combo3Text = QStringLiteral("直列ユニット１端子形  (BS対応形)");
    f.combo3Index = 0;

    const Report report = terminalReport(f, QString());
    ASSERT_EQ(report.lines.size(), LinesBefore + LinesAfter);
    expectGrid(report);
    EXPECT_EQ(report.lines[10],
              Margin +
                  QStringLiteral("┃出 力 レ ベ ル 　　 │    │      │    105.00│      │    "
                                 "100.50│      │          │      │       abc│              ┃"));
    EXPECT_EQ(report.lines[LinesBefore + 2],
              Margin +
                  QStringLiteral("┃損　失　合　計 　　 │    │      │          │      │    "
                                 "      │      │          │      │          │              ┃"));
    EXPECT_EQ(report.lines[LinesBefore + 6],
              Margin +
                  QStringLiteral("┃端 末 レ ベ ル 　　 │    │      │    105.00│      │    "
                                 "100.50│      │      0.00│      │      0.00│              ┃"));
    // Without a project file the footer is blank.
    EXPECT_EQ(report.lines.last(), Margin + QString(ReportFooterIndent, u' '));
    EXPECT_EQ(report.totalLoss, (BandValues{105, 100.5, 0, 0}));
}

struct SectionCase {
    const char* name;
    std::function<void(TerminalFields&)> setUp;
    QStringList rows; // the component rows, separators included, without margin
    BandValues totals;
};

TEST(Report, ComponentRows) {
    const QString unitType = QStringLiteral("直列ユニット１端子形  (BS対応形)");
    auto seriesUnit = [unitType](TerminalFields& f, const QString& count) {
        f.combo3Text = unitType;
        f.combo3Index = 0;
        const char* losses[] = {"1.3", "1.8", "2.0", "--", "8.5", "9.0", "10", "--"};
        const int fields[] = {13, 14, 15, 37, 16, 17, 18, 38};
        for (int i = 0; i < 8; ++i)
            f[fields[i]] = QString::fromUtf8(losses[i]);
        f[19] = count;
    };
    const QString through = QStringLiteral("┃直列ユニット１端子形│");

    const SectionCase cases[] = {
        {"two 2-way BS branchers passed",
         [](TerminalFields& f) { f[11] = QStringLiteral("2"); },
         {QStringLiteral(
              "┃２分岐器　挿入損失  │   2│   2.5│      5.00│   2.5│      5.00│   3.0│    "
              "  6.00│      │          │２分岐　BS-C2 ┃"),
          Sep},
         {5, 5, 6, 0}},
        {"CS brancher take-off, count with blanks",
         [](TerminalFields& f) { f[41] = QStringLiteral("  1 "); },
         {QStringLiteral(
              "┃２分岐器　結合損失  │   1│  11.0│     11.00│  12.0│     12.00│  13.0│    "
              " 13.00│  15.5│     15.50│２分岐　CS-C2 ┃"),
          Sep},
         {11, 12, 13, 15.5}},
        {"count with trailing text, long count keeps its right part",
         [](TerminalFields& f) {
             f[5] = QStringLiteral("3台");
             f[30] = QStringLiteral("12345");
         },
         {QStringLiteral("┃２分配器　分配損失  │2345│   4.0│  49380.00│   4.0│  49380.00│   4.5│  "
                         "55552.50│   6.5│  80242.50│２分配　CS-D2 ┃"),
          Sep,
          QStringLiteral(
              "┃４分配器　分配損失  │ 3台│   7.5│     22.50│   8.0│     24.00│   9.0│    "
              " 27.00│      │          │４分配　BS-D4 ┃"),
          Sep},
         {49402.5, 49404, 55579.5, 80242.5}},
        {"zero, empty, blank and non-numeric counts skip their rows",
         [](TerminalFields& f) {
             f[4] = QStringLiteral("0");
             f[11] = QStringLiteral("   ");
             f[39] = QStringLiteral("台");
             f[20] = QStringLiteral("0.0");
             f[19] = QStringLiteral("--");
         },
         {},
         {0, 0, 0, 0}},
        {"an amount wider than its cell keeps its right part",
         [](TerminalFields& f) { f[6] = QStringLiteral("1E20"); },
         {QStringLiteral("┃６分配器　分配損失  │1E20│  10.0│0000000.00│  11.0│0000000.00│  12.0│000"
                         "0000.00│      │          │６分配　BS-D6 ┃"),
          Sep},
         {1e21, 1.1e21, 1.2e21, 0}},
        {"５C-2V has no BS and CS values",
         [](TerminalFields& f) { f[20] = QStringLiteral("10"); },
         {QStringLiteral(
              "┃同軸ケーブル　５Ｃ  │  10│ 0.130│      1.30│ 0.260│      2.60│      │    "
              "      │      │          │５C-2V        ┃"),
          Sep},
         {1.3, 2.6, 0, 0}},
        {"coax rows in type order",
         [](TerminalFields& f) {
             f[26] = QStringLiteral("1");
             f[21] = QStringLiteral("100");
         },
         {QStringLiteral(
              "┃同軸ケーブル　７Ｃ  │ 100│ 0.105│     10.50│ 0.220│     22.00│      │    "
              "      │      │          │７C-2V        ┃"),
          Sep,
          QStringLiteral(
              "┃同軸ケーブル　１０Ｃ│   1│ 0.050│      0.05│ 0.101│      0.10│ 0.134│    "
              "  0.13│ 0.176│      0.18│S-10C-HFL     ┃"),
          Sep},
         {10.55, 22.101, 0.134, 0.176}},
        {"one series unit prints the last unit only",
         [&](TerminalFields& f) { seriesUnit(f, QStringLiteral("1")); },
         {through + QStringLiteral("   1│   8.5│      8.50│   9.0│      9.00│  10.0│     10.00│    "
                                   "  │          │結合損失      ┃"),
          Sep},
         {8.5, 9, 10, 0}},
        {"2.5 series units: 1.5 through units made whole, halves to even",
         [&](TerminalFields& f) { seriesUnit(f, QStringLiteral("2.5")); },
         {through + QStringLiteral("   2│   1.3│      2.60│   1.8│      3.60│   2.0│      4.00│    "
                                   "  │          │挿入損失      ┃"),
          Sep,
          through + QStringLiteral("   1│   8.5│      8.50│   9.0│      9.00│  10.0│     10.00│    "
                                   "  │          │結合損失      ┃"),
          Sep},
         {11.1, 12.6, 14, 0}},
        {"40000 series units: 39999 through units, the quantity cut to its 4 columns",
         [&](TerminalFields& f) { seriesUnit(f, QStringLiteral("40000")); },
         {through + QStringLiteral("9999│   1.3│  51998.70│   1.8│  71998.20│   2.0│  79998.00│    "
                                   "  │          │挿入損失      ┃"),
          Sep,
          through + QStringLiteral("   1│   8.5│      8.50│   9.0│      9.00│  10.0│     10.00│    "
                                   "  │          │結合損失      ┃"),
          Sep},
         {51998.7 + 8.5, 71998.2 + 9, 79998 + 10, 0}},
        {"a TV outlet counted twice prints its loss once",
         [](TerminalFields& f) {
             f.combo3Text = QStringLiteral("テレビ端子 BS-7F    (BS対応形)");
             f.combo3Index = 5;
             for (int n : {13, 14, 15, 37, 38})
                 f[n] = QStringLiteral("--");
             f[16] = QStringLiteral("0.4");
             f[17] = QStringLiteral("0.6");
             f[18] = QStringLiteral("0.8");
             f[19] = QStringLiteral("2");
         },
         {QStringLiteral(
              "┃テレビ端子 BS-7F    │   1│    --│      0.00│    --│      0.00│    --│    "
              "  0.00│      │          │挿入損失      ┃"),
          Sep,
          QStringLiteral(
              "┃テレビ端子 BS-7F    │   1│   0.4│      0.40│   0.6│      0.60│   0.8│    "
              "  0.80│      │          │挿入損失      ┃"),
          Sep},
         {0.4, 0.6, 0.8, 0}},
        {"a CS series unit fills the CS cells",
         [](TerminalFields& f) {
             f.combo3Text = QStringLiteral("直列ユニット１端子形  (CS対応形)");
             f.combo3Index = 3;
             const char* losses[] = {"0.4", "0.5", "0.5", "1.0", "8.5", "9.0", "9.5", "10.0"};
             const int fields[] = {13, 14, 15, 37, 16, 17, 18, 38};
             for (int i = 0; i < 8; ++i)
                 f[fields[i]] = QString::fromUtf8(losses[i]);
             f[19] = QStringLiteral("3");
         },
         {QStringLiteral(
              "┃直列ユニット１端子形│   2│   0.4│      0.80│   0.5│      1.00│   0.5│    "
              "  1.00│   1.0│      2.00│挿入損失      ┃"),
          Sep,
          QStringLiteral(
              "┃直列ユニット１端子形│   1│   8.5│      8.50│   9.0│      9.00│   9.5│    "
              "  9.50│  10.0│     10.00│結合損失      ┃"),
          Sep},
         {9.3, 10, 10.5, 12}},
        {"a count with an empty type prints a separator only",
         [](TerminalFields& f) {
             f.combo3Text = QStringLiteral("   ");
             f[16] = QStringLiteral("8.5");
             f[19] = QStringLiteral("2");
         },
         {Sep},
         {0, 0, 0, 0}},
        {"a long type name is cut at 20 columns, a crossing character becomes a space",
         [](TerminalFields& f) {
             f.combo3Text = QStringLiteral("A直列ユニット１端子分岐形");
             f[16] = QStringLiteral("12");
             f[19] = QStringLiteral("1");
         },
         {QStringLiteral(
              "┃A直列ユニット１端子 │   1│  12.0│     12.00│      │      0.00│      │    "
              "  0.00│      │          │結合損失      ┃"),
          Sep},
         {12, 0, 0, 0}},
        {"sections in order: branchers, distributors, units, coax",
         [&](TerminalFields& f) {
             f[22] = QStringLiteral("1");
             seriesUnit(f, QStringLiteral("1"));
             f[32] = QStringLiteral("1");
             f[42] = QStringLiteral("1");
         },
         {QStringLiteral(
              "┃４分岐器　結合損失  │   1│  11.0│     11.00│  12.0│     12.00│  13.0│    "
              " 13.00│  17.0│     17.00│４分岐　CS-C4 ┃"),
          Sep,
          QStringLiteral(
              "┃６分配器　分配損失  │   1│  11.0│     11.00│  11.0│     11.00│  12.0│    "
              " 12.00│  15.5│     15.50│６分配　CS-D6 ┃"),
          Sep,
          through + QStringLiteral("   1│   8.5│      8.50│   9.0│      9.00│  10.0│     10.00│    "
                                   "  │          │結合損失      ┃"),
          Sep,
          QStringLiteral(
              "┃同軸ケーブル　５Ｃ  │   1│ 0.111│      0.11│ 0.219│      0.22│ 0.311│    "
              "  0.31│ 0.378│      0.38│S-5C-FB       ┃"),
          Sep},
         {30.611, 32.219, 35.311, 32.878}},
    };

    for (const SectionCase& c : cases) {
        SCOPED_TRACE(c.name);
        TerminalFields f;
        c.setUp(f);
        const Report report = terminalReport(f, QString());
        expectGrid(report);
        EXPECT_EQ(sectionLines(report), c.rows);
        // With no output levels the terminal levels are the negated totals.
        for (int b = 0; b < BandCount; ++b)
            EXPECT_NEAR(-report.totalLoss[b], c.totals[b], 1e-9 * (1 + c.totals[b]))
                << "band " << b;
    }
}

TEST(Report, TotalAndTerminalLevelRows) {
    TerminalFields f = withOutputs();
    f[27] = QString();           // no VHF output level
    f[11] = QStringLiteral("5"); // 12.5 in VHF and UHF, 15 in BS, nothing in CS
    const Report report = terminalReport(f, QString());
    expectGrid(report);
    const int total = int(report.lines.size()) - 7;
    const int terminal = int(report.lines.size()) - 3;
    EXPECT_EQ(report.lines[10],
              Margin +
                  QStringLiteral("┃出 力 レ ベ ル 　　 │    │      │          │      │    "
                                 "105.00│      │    105.00│      │    105.00│              ┃"));
    EXPECT_EQ(report.lines[total],
              Margin + QStringLiteral("┃損　失　合　計 　　 │    │      │     12.50│      │     "
                                      "12.50│      │     15.00│      │          │              ┃"));
    EXPECT_EQ(report.lines[terminal],
              Margin + QStringLiteral("┃端 末 レ ベ ル 　　 │    │      │    -12.50│      │     "
                                      "92.50│      │     90.00│      │    105.00│              ┃"));
}

TEST(Report, OutputLevelTexts) {
    TerminalFields f = withOutputs(QStringLiteral("12345678901.5"));
    f[28] = QStringLiteral("高い");
    const Report report = terminalReport(f, QString());
    expectGrid(report);
    EXPECT_EQ(report.lines[10],
              Margin + QStringLiteral("┃出 力 レ ベ ル 　　 │    │      │5678901.50│      │      "
                                      "高い│      │5678901.50│      │5678901.50│              ┃"));
}

TEST(Report, FooterFileName) {
    const struct {
        QString dataName;
        QString name;
    } cases[] = {
        {QString(), QString()},
        {QStringLiteral("plan.tvd"), QStringLiteral("plan.tvd")},
        {QStringLiteral("C:\\data\\site\\plan.tvd"), QStringLiteral("plan.tvd")},
        {QStringLiteral("/home/u/data/site/plan.tvd"), QStringLiteral("plan.tvd")},
        {QStringLiteral("C:\\data/site\\現場/plan.tvd"), QStringLiteral("plan.tvd")},
        // Ten folders are removed, deeper ones stay.
        {QStringLiteral("/a/b/c/d/e/f/g/h/i/j/k/plan.tvd"), QStringLiteral("j/k/plan.tvd")},
        {QStringLiteral("C:\\1\\2\\3\\4\\5\\6\\7\\8\\9\\plan.tvd"), QStringLiteral("plan.tvd")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(footerFileName(c.dataName), c.name) << c.dataName.toStdString();
        const Report report = terminalReport(TerminalFields(), c.dataName);
        EXPECT_EQ(report.lines.last(), Margin + QString(ReportFooterIndent, u' ') + c.name);
    }
}

TEST(Report, MarginIsAParameter) {
    const Report report = terminalReport(withOutputs(), QString(), 3);
    EXPECT_EQ(report.lines[0], QStringLiteral("   "));
    EXPECT_EQ(report.lines[6], QStringLiteral("   ") + Top);
}

TEST(Report, NumberTooLargeForADoubleRaisesOverflow) {
    const std::function<void(TerminalFields&)> setUps[] = {
        [](TerminalFields& f) { f[4] = QStringLiteral("1E400"); },
        [](TerminalFields& f) { f[22] = QStringLiteral("1E400"); },
        [](TerminalFields& f) { f[27] = QStringLiteral("1E400"); },
        [](TerminalFields& f) {
            f.combo3Text = QStringLiteral("直列ユニット１端子形  (BS対応形)");
            f[19] = QStringLiteral("1E400");
        },
        // Within range, but the amount overflows.
        [](TerminalFields& f) { f[4] = QStringLiteral("1E308"); },
    };
    for (const auto& setUp : setUps) {
        TerminalFields f = withOutputs();
        setUp(f);
        try {
            terminalReport(f, QString());
            ADD_FAILURE() << "no overflow";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.number(), RunTimeError::Overflow);
        }
    }
}

} // namespace
