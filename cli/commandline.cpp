#include "cli/commandline.h"

#include "cli/clitext.h"
#include "common/oserror.h"
#include "common/version.h"

#include <QCommandLineParser>

using namespace miravel::common;

namespace miravel::cli {

namespace {

const QString LevelsOption = QStringLiteral("levels");
const QString PartsOption = QStringLiteral("parts");
const QString FormatOption = QStringLiteral("format");
const QString PrintPdfOption = QStringLiteral("print-pdf");
const QString DesignOption = QStringLiteral("design");
const QString OutputOption = QStringLiteral("output");

CommandLine usageError(const QString& message) {
    CommandLine line;
    line.mode = CommandLine::Mode::UsageError;
    line.message = message;
    return line;
}

// An option's name without its dashes and without a value given with "=".
QString bareName(const QString& argument) {
    QString bare = argument.section(u'=', 0, 0);
    while (bare.startsWith(u'-'))
        bare.remove(0, 1);
    return bare;
}

// The first option argument (before "--") whose name `matches`, as typed.
template <typename Match> QString typedOption(const QStringList& arguments, Match matches) {
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--")) break;
        if (argument.startsWith(u'-') && matches(argument)) return argument;
    }
    return QString();
}

// Why parsing failed, in the user's language (the parser's own text is
// English only). Options are quoted as typed ("-hv", not "--hv").
QString parseFailure(const QCommandLineParser& parser, const QStringList& arguments) {
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const QString typed = typedOption(
            arguments, [&](const QString& a) { return bareName(a) == unknown.first(); });
        return CliText::tr("不明なオプションです: %1").arg(typed.section(u'=', 0, 0));
    }
    const QStringList flags = {LevelsOption,
                               PartsOption,
                               DesignOption,
                               QStringLiteral("help"),
                               QStringLiteral("version"),
                               QStringLiteral("h"),
                               QStringLiteral("v")};
    const QString withValue = typedOption(arguments, [&](const QString& a) {
        return a.contains(u'=') && flags.contains(bareName(a));
    });
    if (!withValue.isEmpty())
        return CliText::tr("%1 は値を取りません: %2").arg(withValue.section(u'=', 0, 0), withValue);
    return CliText::tr(
        "オプションに値がありません（--format、--print-pdf と --output には値が要ります）。");
}

// The batch use asked for: --levels, --parts or --print-pdf, one at a time.
QString batchOption(const QCommandLineParser& parser) {
    QStringList chosen;
    for (const QString& option : {LevelsOption, PartsOption, PrintPdfOption})
        if (parser.isSet(option)) chosen << QStringLiteral("--") + option;
    return chosen.size() == 1 ? chosen.first() : chosen.join(QStringLiteral(" と "));
}

CommandLine batchLine(const QCommandLineParser& parser, CommandLine line) {
    const QString option = batchOption(parser);
    if (option.contains(u' '))
        return usageError(CliText::tr("%1 は同時に指定できません。").arg(option));
    if (line.files.size() != 1)
        return usageError(
            CliText::tr("%1 にはデータファイルを一つだけ指定してください。").arg(option));
    if (parser.isSet(LevelsOption) || parser.isSet(PartsOption)) {
        line.mode =
            parser.isSet(LevelsOption) ? CommandLine::Mode::Levels : CommandLine::Mode::Parts;
        return line;
    }
    line.pdfFile = parser.value(PrintPdfOption);
    if (line.pdfFile.isEmpty())
        return usageError(
            CliText::tr("--print-pdf には出力する PDF ファイル名を指定してください。"));
    line.mode = CommandLine::Mode::PrintPdf;
    return line;
}

// --design IN.tvdn --output OUT.tvdn, alone.
CommandLine designLine(const QCommandLineParser& parser, CommandLine line) {
    if (!parser.isSet(DesignOption))
        return usageError(CliText::tr("--output は --design と一緒に指定してください。"));
    if (parser.isSet(LevelsOption) || parser.isSet(PartsOption) || parser.isSet(PrintPdfOption))
        return usageError(
            CliText::tr("--design は --levels、--parts、--print-pdf と同時に指定できません。"));
    if (line.files.size() != 1)
        return usageError(CliText::tr("%1 にはデータファイルを一つだけ指定してください。")
                              .arg(QStringLiteral("--design")));
    line.outputFile = parser.value(OutputOption);
    if (line.outputFile.isEmpty())
        return usageError(
            CliText::tr("--design には --output で書き出すファイル名を指定してください。"));
    line.mode = CommandLine::Mode::Design;
    return line;
}

CommandLine withFormat(const QCommandLineParser& parser, CommandLine line) {
    if (!parser.isSet(FormatOption)) return line;
    if (!parser.isSet(LevelsOption) && !parser.isSet(PartsOption))
        return usageError(
            CliText::tr("--format は --parts または --levels と一緒に指定してください。"));
    const auto format = outputFormatNamed(parser.value(FormatOption));
    if (!format)
        return usageError(CliText::tr("--format の形式は text、csv、json のいずれかです: %1")
                              .arg(parser.value(FormatOption)));
    line.format = *format;
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
        {PartsOption, QString()},
        {FormatOption, QString(), QStringLiteral("format")},
        {PrintPdfOption, QString(), QStringLiteral("pdf")},
        {DesignOption, QString()},
        {OutputOption, QString(), QStringLiteral("file")},
    });
    if (!parser.parse(arguments)) return usageError(parseFailure(parser, arguments));

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
    if (line.files.contains(QString())) return usageError(CliText::tr("ファイル名が空です。"));
    line = withFormat(parser, line);
    if (line.mode == CommandLine::Mode::UsageError) return line;
    if (parser.isSet(DesignOption) || parser.isSet(OutputOption)) return designLine(parser, line);
    if (parser.isSet(LevelsOption) || parser.isSet(PartsOption) || parser.isSet(PrintPdfOption))
        return batchLine(parser, line);
    return line;
}

QString helpText() {
    return CliText::tr(
        "使い方: miravel [データファイル.tvd | ネットワーク.tvdn]\n"
        "        miravel --levels [--format text|csv|json] データファイル.tvd\n"
        "        miravel --levels [--format text|csv|json] ネットワーク.tvdn\n"
        "        miravel --parts [--format text|csv|json] ネットワーク.tvdn\n"
        "        miravel --print-pdf 出力.pdf データファイル.tvd\n"
        "        miravel --design ネットワーク.tvdn --output 出力.tvdn\n"
        "\n"
        "データファイルを指定すると、「読み込み」と同じように読み込んで画面を開きます。\n"
        "ネットワークファイル（.tvdn）は「建物の配線網」画面で開きます。\n"
        "\n"
        "オプション:\n"
        "  --levels           VHF・UHF・BS・CS のブースター入力レベルと、端末レベル計算の\n"
        "                     結果（ブースター出力・損失・端末レベル）を表示します。\n"
        "                     画面は開きません。\n"
        "                     ネットワークファイル（.tvdn）では、すべての端子の帯域ごとの\n"
        "                     レベルと判定、全端子が基準を満たすヘッドエンド出力の\n"
        "                     範囲を表示します。\n"
        "                     判定には画面で最後に選んだ基準と雑音指数を使います。\n"
        "  --parts            ネットワークファイル（.tvdn）の部材集計表（部品の型式ごとの個数、\n"
        "                     ケーブル種別ごとの長さ、接栓の数）を表示します。画面は開きません。\n"
        "  --format <形式>    --levels と --parts の出力形式: text（既定、桁揃え）、csv、json\n"
        "  --print-pdf <PDF>  「印刷（データ）」と同じ計算書を PDF ファイルに書き出します。\n"
        "                     画面は開きません。\n"
        "  --design           ネットワークファイルの分岐器・分配器・直列ユニットの型式と\n"
        "                     ヘッドエンド出力を自動で選び（自動設計）、--output の\n"
        "                     ファイルに書き出します。読み込んだファイルは変更しません。\n"
        "  --output <ファイル> --design の書き出し先（読み込むファイルとは別の名前）\n"
        "  -h, --help         この説明を表示します。\n"
        "  -v, --version      バージョンを表示します。\n"
        "\n"
        "--levels、--parts、--print-pdf、--design "
        "は設定ファイルを変更せず、ディスプレイも使いません。\n"
        "\n"
        "終了状態: 0 成功、1 ファイルを読み込めない・計算できない・書き出せない、\n"
        "          2 コマンドラインの誤り、3 基準を外れた端子がある（.tvdn）・\n"
        "          自動設計でも基準を満たせない端子がある（--design）\n");
}

QString versionText() {
    return QStringLiteral("%1 %2.%3\n").arg(programTitle()).arg(VersionMajor).arg(VersionMinor);
}

QString usageErrorText(const QString& message) {
    return message + CliText::tr("\n詳しくは miravel --help を参照してください。\n");
}

QString settingsIgnoredText(const QStringList& files) {
    return CliText::tr("設定ファイル「%1」は通常のファイルではないため使いません。"
                       "今回の設定は保存されません。")
        .arg(files.join(QStringLiteral("」「")));
}

QString outputFailedText(int error) {
    return CliText::tr("標準出力に書き込めませんでした: %1").arg(systemErrorText(error));
}

} // namespace miravel::cli
