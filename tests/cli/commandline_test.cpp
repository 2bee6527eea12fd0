#include "cli/commandline.h"

#include "support/testsupport.h"

using namespace miravel::cli;
using namespace miravel::platform;

namespace {

using Mode = CommandLine::Mode;

CommandLine parse(const QStringList& arguments) {
    return parseCommandLine(QStringList{QStringLiteral("miravel")} + arguments);
}

struct ParseCase {
    const char* name;
    QStringList arguments;
    Mode mode;
    OutputFormat format;
    QStringList files;
    QString pdf;
};

TEST(CommandLineTest, ValidLinesGiveTheirUse) {
    const auto text = OutputFormat::Text;
    const QString plan = QStringLiteral("plan.tvd");
    const ParseCase cases[] = {
        {"no arguments opens the menu", {}, Mode::Window, text, {}, {}},
        {"files open in the window", {plan, "b.tvd"}, Mode::Window, text, {plan, "b.tvd"}, {}},
        {"levels as text", {"--levels", plan}, Mode::Levels, text, {plan}, {}},
        {"format before the file",
         {"--levels", "--format", "csv", plan},
         Mode::Levels,
         OutputFormat::Csv,
         {plan},
         {}},
        {"format with =",
         {plan, "--format=json", "--levels"},
         Mode::Levels,
         OutputFormat::Json,
         {plan},
         {}},
        {"print to pdf", {"--print-pdf", "out.pdf", plan}, Mode::PrintPdf, text, {plan}, "out.pdf"},
        {"a file named like an option after --",
         {"--levels", "--", "-x.tvd"},
         Mode::Levels,
         text,
         {"-x.tvd"},
         {}},
        {"help wins over the rest", {"--levels", "-h"}, Mode::Help, text, {}, {}},
        {"version", {"-v"}, Mode::Version, text, {}, {}},
        {"long version", {"--version"}, Mode::Version, text, {}, {}},
    };
    for (const ParseCase& c : cases) {
        SCOPED_TRACE(c.name);
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.mode, c.mode) << line.message.toStdString();
        EXPECT_EQ(line.format, c.format);
        EXPECT_EQ(line.files, c.files);
        EXPECT_EQ(line.pdfFile, c.pdf);
    }
}

TEST(CommandLineTest, UsageErrorsSayWhatIsWrong) {
    const struct {
        QStringList arguments;
        const char* saying;
    } cases[] = {
        {{"--levels"}, "--levels にはデータファイルを一つだけ"},
        {{"--levels", "a.tvd", "b.tvd"}, "--levels にはデータファイルを一つだけ"},
        {{"--print-pdf", "out.pdf"}, "--print-pdf にはデータファイルを一つだけ"},
        {{"--print-pdf", "", "a.tvd"}, "PDF ファイル名を指定"},
        {{"--print-pdf"}, "値がありません"},
        {{"--levels", "--format"}, "値がありません"},
        {{"--levels", "--print-pdf", "o.pdf", "a.tvd"}, "同時に指定できません"},
        {{"--format", "csv", "a.tvd"}, "--levels と一緒に"},
        {{"--levels", "--format", "xml", "a.tvd"}, "text、csv、json のいずれかです: xml"},
        {{"--levels", "--format", "CSV", "a.tvd"}, "のいずれかです: CSV"},
        {{"--bogus", "a.tvd"}, "不明なオプションです: --bogus"},
        {{"-q"}, "不明なオプションです: -q"},
        // Quoted as typed, with what is wrong.
        {{"-hv"}, "不明なオプションです: -hv"},
        {{"--x=1"}, "不明なオプションです: --x"},
        {{"--levels=foo", "a.tvd"}, "--levels は値を取りません: --levels=foo"},
        {{"-version=2"}, "-version は値を取りません: -version=2"},
        {{"--levels", ""}, "ファイル名が空です"},
        {{"a.tvd", ""}, "ファイル名が空です"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLine line = parse(c.arguments);
        EXPECT_EQ(line.mode, Mode::UsageError);
        EXPECT_TRUE(line.message.contains(QString::fromUtf8(c.saying)))
            << line.message.toStdString();
    }
}

TEST(CommandLineTest, TextsForTheTerminal) {
    EXPECT_EQ(versionText(), QStringLiteral("Miravel 2.0\n"));
    const QString help = helpText();
    for (const char* option : {"--levels", "--format", "--print-pdf", "--help", "--version"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option;
    EXPECT_EQ(usageErrorText(QStringLiteral("X")),
              QStringLiteral("X\n詳しくは miravel --help を参照してください。\n"));
}

} // namespace
