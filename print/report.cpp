#include "print/report.h"

#include "common/numformat.h"
#include "common/numval.h"
#include "common/text.h"
#include "print/len.h"
#include "print/reportsheet.h"

#include <algorithm>
#include <climits>
#include <cmath>

using namespace miravel::common;
using namespace miravel::terminal;

namespace miravel::print {

namespace {

const QString TopRule =
    QStringLiteral("┏━━━━━━━━━━┯━━┯━━━━━━━━━┯━━━━━━━━━┯━━━━━━━━━┯━━━━━━━━━┯━━━━━━━┓");
const QString UnitsLine =
    QStringLiteral("┃                    │    │              (db)│              (db)│              "
                   "(db)│              (db)│              ┃");
const QString HeadingLine =
    QStringLiteral("┃周波数帯域（ＭＨｚ）│数量│　   Ｖ Ｈ Ｆ　   │   ＵＨＦ (CATV)  │    ＢＳ - I "
                   "F    │    ＣＳ - I F    │    備　考    ┃");
const QString HeadingRule =
    QStringLiteral("┣━━━━━━━━━━┿━━┿━━━┯━━━━━┿━━━┯━━━━━┿━━━┯━━━━━┿━━━┯━━━━━┿━━━━━━━┫");
const QString Separator =
    QStringLiteral("┠──────────┼──┼───┼─────┼───┼─────┼───┼─────┼───┼─────┼───────┨");
const QString EmptyRow = QStringLiteral("┃                    │    │      │          │      │      "
                                        "    │      │          │      │          │              ┃");
const QString BottomRule =
    QStringLiteral("┗━━━━━━━━━━┷━━┷━━━┷━━━━━┷━━━┷━━━━━┷━━━┷━━━━━┷━━━┷━━━━━┷━━━━━━━┛");

const QString OutputLevelLabel = QStringLiteral("┃出 力 レ ベ ル 　　 │");
const QString TotalLossLabel = QStringLiteral("┃損　失　合　計 　　 │");
const QString TerminalLevelLabel = QStringLiteral("┃端 末 レ ベ ル 　　 │");
const QString CircuitNameCaption = QStringLiteral(" 回 路 名     ");

// Booster output level fields, VHF, UHF, BS, CS.
constexpr int OutputLevelField[BandCount] = {27, 28, 29, 33};
constexpr int CircuitNameField = 43;
constexpr int HeaderEmptyLines = 4;
constexpr int FolderCuts = 10;

void header(ReportSheet& sheet, const TerminalFields& fields) {
    for (int i = 0; i < HeaderEmptyLines; ++i)
        sheet.line(QString());
    sheet.line(CircuitNameCaption + trimBlanks(fields[CircuitNameField]));
    sheet.line(QString());
    sheet.line(TopRule);
    sheet.line(UnitsLine);
    sheet.line(HeadingLine);
    sheet.line(HeadingRule);
}

void outputLevelRow(ReportSheet& sheet, const TerminalFields& fields) {
    ReportRow row{OutputLevelLabel, {}, {}, {}, {}};
    for (int b = 0; b < BandCount; ++b)
        row.amount[b] = Fmt2(fields[OutputLevelField[b]]);
    sheet.row(row);
}

// A band whose total is exactly 0 shows an empty cell.
void totalLossRow(ReportSheet& sheet) {
    ReportRow row{TotalLossLabel, {}, {}, {}, {}};
    for (int b = 0; b < BandCount; ++b)
        if (sheet.totalLoss()[b] != 0) row.amount[b] = Fmt2(sheet.totalLoss()[b]);
    sheet.row(row);
}

// Turns each band's total into its terminal level and prints the levels,
// zero and negative levels included.
void terminalLevelRow(ReportSheet& sheet, const TerminalFields& fields) {
    ReportRow row{TerminalLevelLabel, {}, {}, {}, {}};
    for (int b = 0; b < BandCount; ++b) {
        double& total = sheet.totalLoss()[b];
        total = checkedResult(NumVal(fields[OutputLevelField[b]]) - total);
        row.amount[b] = Fmt2(total);
    }
    sheet.row(row);
}

} // namespace

QString rightCell(const QString& text, int width) {
    return Len_Right(QString(width, u' ') + text, width);
}

QString leftCell(const QString& text, int width) {
    return Len_Left(text + QString(width, u' '), width);
}

void ReportSheet::row(const ReportRow& row) {
    QString text = row.label + rightCell(row.quantity, ReportCell::Quantity) + u'│';
    for (int b = 0; b < BandCount; ++b) {
        text += rightCell(row.unit[b], ReportCell::Unit) + u'│';
        text += rightCell(row.amount[b], ReportCell::Amount) + u'│';
    }
    text += leftCell(row.remarks, ReportCell::Remarks) + u'┃';
    line(text);
}

void ReportSheet::separator() {
    line(Separator);
}

void ReportSheet::emptyRow() {
    line(EmptyRow);
}

void ReportSheet::addLoss(int band, double amount) {
    m_totalLoss[band] = checkedResult(m_totalLoss[band] + amount);
}

QString reportTooLargeText() {
    return QStringLiteral("数値が大きすぎるため、計算書を印刷できません。");
}

QString footerFileName(const QString& dataName) {
    QString name = dataName;
    for (int i = 0; i < FolderCuts; ++i) {
        const auto separator = std::find_if(name.cbegin(), name.cend(),
                                            [](QChar c) { return c == u'\\' || c == u'/'; });
        if (separator == name.cend()) break;
        name.remove(0, separator - name.cbegin() + 1);
    }
    return name;
}

Report terminalReport(const TerminalFields& fields, const QString& dataName, int margin) {
    ReportSheet sheet(margin);
    header(sheet, fields);

    outputLevelRow(sheet, fields);
    sheet.separator();
    sheet.emptyRow();
    sheet.separator();

    Prt_Bunki(sheet, fields);
    Prt_Bunpai(sheet, fields);
    Prt_Yunit(sheet, fields);
    Prt_Douziyuku(sheet, fields);

    sheet.emptyRow();
    sheet.separator();
    totalLossRow(sheet);
    sheet.separator();
    sheet.emptyRow();
    sheet.separator();
    terminalLevelRow(sheet, fields);
    sheet.line(BottomRule);
    // Without a project file the footer is blank: the margin and the indent only.
    sheet.line(QString(ReportFooterIndent, u' ') + footerFileName(dataName));

    return Report{sheet.lines(), sheet.totalLoss()};
}

int linesPerPage(double pageHeight, double lineHeight) {
    // A hair of tolerance, so that a page of exactly n lines holds n.
    const double lines = std::floor(pageHeight / lineHeight + 1e-9);
    if (!(lines >= 1)) return 1;
    return lines > INT_MAX ? INT_MAX : int(lines);
}

} // namespace miravel::print
