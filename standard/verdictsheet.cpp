#include "standard/verdictsheet.h"

#include "common/numformat.h"
#include "standard/noise.h"

#include <QFileInfo>

using namespace miravel::common;

namespace miravel::standard {

namespace {

std::array<bool, BandCount> inputsShown{};

} // namespace

void setBoosterInputsShown(const std::array<bool, BandCount>& shown) {
    inputsShown = shown;
}

BoosterInputs shownBoosterInputs() {
    BoosterInputs inputs;
    for (size_t b = 0; b < BandCount; ++b)
        if (inputsShown[b]) inputs[b] = Bst_Input[b];
    return inputs;
}

CnRow cnRow(int band, SatelliteSystem system, std::optional<double> inputLevel, double noiseFigure,
            const std::optional<double>& minCn) {
    CnRow row;
    row.inputLevel = inputLevel;
    row.noiseFigure = noiseFigure;
    row.thermalNoise = thermalNoiseLevel(channelBandwidth(band, system));
    if (!inputLevel) return row;
    row.cn = *inputLevel - noiseFigure - row.thermalNoise;
    row.judgement = judgeCn(*row.cn, minCn);
    return row;
}

QString notCalculatedText() {
    return QStringLiteral("未計算");
}

QString cnText(const CnRow& row) {
    return row.cn ? Fmt2(*row.cn) : QString();
}

QString cnVerdictText(const CnRow& row) {
    return row.cn ? verdictText(row.judgement) : notCalculatedText();
}

SheetTable levelTable(const Profile& profile, const std::array<QString, BandCount>& resultLines) {
    SheetTable table;
    table.header =
        QStringList{QStringLiteral("帯域"), QStringLiteral("端子レベル"), QStringLiteral("判定"),
                    QStringLiteral("基準範囲"), QStringLiteral("必要ブースター出力")};
    for (int b = 0; b < BandCount; ++b) {
        const auto& range = profile.bands[size_t(b)].level;
        const auto line = parseLevelLine(resultLines[size_t(b)]);
        if (!line) {
            table.rows.push_back(
                {bandName(b), notCalculatedText(), QString(), rangeText(range), QString()});
            table.verdicts.push_back(Verdict::NoCriterion);
            continue;
        }
        const Judgement j = judgeLevel(line->terminal, range);
        table.rows.push_back(
            {bandName(b), Fmt2(shownLevel(line->terminal)) + QStringLiteral(" dBμV"),
             verdictText(j), rangeText(range), windowRangeText(boosterWindow(line->loss, range))});
        table.verdicts.push_back(j.verdict);
    }
    return table;
}

SheetTable cnTable(const Profile& profile, const BoosterInputs& inputLevels,
                   const BandValues& noiseFigures) {
    SheetTable table;
    table.header =
        QStringList{QStringLiteral("帯域"), QStringLiteral("入力 Ei"), QStringLiteral("NF"),
                    QStringLiteral("Nth"),  QStringLiteral("C/N"),     QStringLiteral("基準"),
                    QStringLiteral("判定")};
    const QString db = QStringLiteral(" dB");
    const QString dbuv = QStringLiteral(" dBμV");
    for (int b = 0; b < BandCount; ++b) {
        const auto& minCn = profile.bands[size_t(b)].minCn;
        const CnRow row =
            cnRow(b, profile.id.system, inputLevels[size_t(b)], noiseFigures[size_t(b)], minCn);
        const QString input = row.inputLevel ? Fmt2(*row.inputLevel) + dbuv : notCalculatedText();
        const QString cn = row.cn ? cnText(row) + db : QString();
        table.rows.push_back({bandName(b), input, Fmt2(row.noiseFigure) + db,
                              Fmt2(row.thermalNoise) + dbuv, cn, minimumText(minCn),
                              cnVerdictText(row)});
        table.verdicts.push_back(row.judgement.verdict);
    }
    return table;
}

QString sheetSourceText() {
    return QStringLiteral("表と配分図：画面の計算結果（結果の行）による");
}

SheetHeading sheetHeading(const QString& projectPath, const QString& circuitName,
                          const Profile& profile) {
    const QString project =
        projectPath.isEmpty() ? QStringLiteral("（未保存）") : QFileInfo(projectPath).fileName();
    QStringList lines{QStringLiteral("計算データ：") + project};
    if (!circuitName.trimmed().isEmpty())
        lines << QStringLiteral("計算回路名：") + circuitName.trimmed();
    lines << QStringLiteral("判定基準：") + profileName(profile.id);
    lines << sheetSourceText();
    return {QStringLiteral("判　定　書"), lines};
}

} // namespace miravel::standard
