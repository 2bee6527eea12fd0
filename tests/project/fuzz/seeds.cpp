// Writes the seed corpus of the project file fuzzer: real files as the
// program saves them, and a few hand-made ones in the other forms the reader
// accepts (unquoted values, commas, lone LF, junk after a quote).

#include "project/recordnames.h"
#include "project/tvdfile.h"

#include <QDir>
#include <QStringList>
#include <cstdio>

using namespace miravel::project;

namespace {

// The project as saved right after start: the field-strength screen's
// standard antenna outputs and the terminal screen's two row captions.
QStringList startRecords() {
    QStringList r(ProjectRecordCount, QString());
    r[16] = QStringLiteral("75");
    r[17] = QStringLiteral("75");
    r[18] = QStringLiteral("80");
    r[19] = QStringLiteral("80");
    r[65] = QStringLiteral("挿入損失");
    r[66] = QStringLiteral("結合損失");
    return r;
}

QStringList filledRecords() {
    QStringList r = {// field strength: antennas, mixer, coax line, outputs, results
                     "VHF-5A", "6.5", "UHF-20A", "12.5", "BS-45", "32", "MX-3", "1.5", "2", "2.5",
                     "S-7C-FB", "8.1", "16.4", "23.3", "29.4", "30", "75", "75", "80", "80",
                     "77.07", "80.58", "104.51", "101.18",
                     // terminal: branchers, distributors, coax lengths
                     "2", "1", "", "", "1", "", "", "", "1", "", "", "", "", "2.5", "15", "", "40",
                     "", "", "", "",
                     // series unit, losses, count, booster levels, option
                     "直列ユニット１端子形  (BS対応形)", "1.5", "1.5", "2.5", "--", "10", "11",
                     "12", "--", "3", "77.07", "80.58", "104.51", "101.18", "1",
                     // results, circuit name, row captions
                     "77.07db - 25.5db = 51.57db", "80.58db - 30.25db = 50.33db",
                     "104.51db - 41db = 63.51db", "101.18db - 0db = 101.18db",
                     "３Ｆ 北側, ｹｰﾌﾞﾙ系統 A", "挿入損失", "結合損失"};
    return r;
}

bool put(const QDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) return 1;
    const QStringList filled = filledRecords();
    if (filled.size() != ProjectRecordCount) {
        std::fprintf(stderr, "filled seed has %d records\n", int(filled.size()));
        return 1;
    }
    writeProjectFile(dir.filePath("start.tvd"), encodeProjectRecords(startRecords()));
    writeProjectFile(dir.filePath("filled.tvd"), encodeProjectRecords(filled));
    const bool ok =
        put(dir, "unquoted.tvd", "75,80, 105\r\n\"a\"junk,b\r\n\r\n") &&
        put(dir, "lone-lf.tvd", "\"\x82\x54\x43-2V\"\n\"\xb1\xdd\xc3\xc5\"\n\"open\n") &&
        put(dir, "short.tvd", encodeProjectRecords(filled.mid(0, 30)));
    return ok ? 0 : 1;
}
