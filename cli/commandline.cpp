#include "cli/commandline.h"

#include "common/version.h"

#include <QCommandLineParser>

namespace {

const QString LevelsOption = QStringLiteral("levels");
const QString FormatOption = QStringLiteral("format");
const QString PrintPdfOption = QStringLiteral("print-pdf");

CommandLine usageError(const QString& message) {
    CommandLine line;
    line.mode = CommandLine::Mode::UsageError;
    line.message = message;
    return line;
}

// Why parsing failed, in Japanese (the parser's own text is English).
QString parseFailure(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("不明なオプションです: %1%2")
            .arg(unknown.first().size() == 1 ? QStringLiteral("-") : QStringLiteral("--"),
                 unknown.first());
    return QStringLiteral(
        "オプションに値がありません（--format と --print-pdf には値が要ります）。");
}

CommandLine batchLine(const QCommandLineParser& parser, CommandLine line) {
    const bool levels = parser.isSet(LevelsOption);
    if (levels && parser.isSet(PrintPdfOption))
        return usageError(QStringLiteral("--levels と --print-pdf は同時に指定できません。"));
    if (line.files.size() != 1)
        return usageError(
            QStringLiteral("%1 にはデータファイルを一つだけ指定してください。")
                .arg(levels ? QStringLiteral("--levels") : QStringLiteral("--print-pdf")));
    if (levels) {
        line.mode = CommandLine::Mode::Levels;
        return line;
    }
    line.pdfFile = parser.value(PrintPdfOption);
    if (line.pdfFile.isEmpty())
        return usageError(
            QStringLiteral("--print-pdf には出力する PDF ファイル名を指定してください。"));
    line.mode = CommandLine::Mode::PrintPdf;
    return line;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions({
        {{QStringLiteral("h"), QStringLiteral("help")}, QString()},
        {{QStringLiteral("v"), QStringLiteral("version")}, QString()},
        {LevelsOption, QString()},
        {FormatOption, QString(), QStringLiteral("format")},
        {PrintPdfOption, QString(), QStringLiteral("pdf")},
    });
    if (!parser.parse(arguments)) return usageError(parseFailure(parser));

    CommandLine line;
    if (parser.isSet(QStringLiteral("help"))) {
        line.mode = CommandLine::Mode::Help;
        return line;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        line.mode = CommandLine::Mode::Version;
        return line;
    }
    line.files = parser.positionalArguments();
    if (parser.isSet(FormatOption)) {
        if (!parser.isSet(LevelsOption))
            return usageError(QStringLiteral("--format は --levels と一緒に指定してください。"));
        const auto format = outputFormatNamed(parser.value(FormatOption));
        if (!format)
            return usageError(QStringLiteral("--format の形式は text、csv、json のいずれかです: %1")
                                  .arg(parser.value(FormatOption)));
        line.format = *format;
    }
    if (parser.isSet(LevelsOption) || parser.isSet(PrintPdfOption)) return batchLine(parser, line);
    return line;
}

QString helpText() {
    return QStringLiteral(
        "使い方: miravel [データファイル.tvd]\n"
        "        miravel --levels [--format text|csv|json] データファイル.tvd\n"
        "        miravel --levels [--format text|csv|json] ネットワーク.tvdn\n"
        "        miravel --print-pdf 出力.pdf データファイル.tvd\n"
        "\n"
        "データファイルを指定すると、「読み込み」と同じように読み込んで画面を開きます。\n"
        "\n"
        "オプション:\n"
        "  --levels           VHF・UHF・BS・CS のブースター入力レベルと、端末レベル計算の\n"
        "                     結果（ブースター出力・損失・端末レベル）を表示します。\n"
        "                     画面は開きません。\n"
        "                     ネットワークファイル（.tvdn）では、すべての端子の帯域ごとの\n"
        "                     レベルと判定を表示します。\n"
        "  --format <形式>    --levels の出力形式: text（既定、桁揃え）、csv、json\n"
        "  --print-pdf <PDF>  「印刷（データ）」と同じ計算書を PDF ファイルに書き出します。\n"
        "                     画面は開きません。\n"
        "  -h, --help         この説明を表示します。\n"
        "  -v, --version      バージョンを表示します。\n"
        "\n"
        "終了状態: 0 成功、1 ファイルを読み込めない・計算できない・書き出せない、\n"
        "          2 コマンドラインの誤り、3 基準を外れた端子がある（.tvdn）\n");
}

QString versionText() {
    return QStringLiteral("%1 %2.%3\n").arg(programTitle()).arg(VersionMajor).arg(VersionMinor);
}

QString usageErrorText(const QString& message) {
    return message + QStringLiteral("\n詳しくは miravel --help を参照してください。\n");
}
