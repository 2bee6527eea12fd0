#include "standard/profilestore.h"

#include "common/numformat.h"
#include "common/numval.h"
#include "standard/noise.h"

#include <QSettings>
#include <QStringList>
#include <cmath>

using namespace miravel::common;

namespace miravel::standard {

namespace {

const QString Group = QStringLiteral("standard");

QString numberText(std::optional<double> value) {
    return value ? NumText(*value) : QString();
}

// Empty for none; nothing at all for a text that is not a finite number.
std::optional<std::optional<double>> optionalNumber(const QString& text) {
    if (text.trimmed().isEmpty()) return std::optional<double>();
    if (!isNumberText(text)) return std::nullopt;
    const double value = numberTextValue(text);
    if (!std::isfinite(value)) return std::nullopt;
    return std::optional<double>(value);
}

// A stored bound as its one text; none for a list (a hand-edited "50, 81"
// reads as two values), which would otherwise read as an empty bound.
std::optional<QString> storedText(const QSettings& settings, const QString& key) {
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QStringList) return std::nullopt;
    return value.toString();
}

QString bandKey(int profile, int band, const char* what) {
    return QStringLiteral("profile%1/%2/%3").arg(profile).arg(bandName(band), QLatin1String(what));
}

} // namespace

CriterionTexts criterionTexts(const BandCriterion& c) {
    return {numberText(c.level ? std::optional<double>(c.level->min) : std::nullopt),
            numberText(c.level ? std::optional<double>(c.level->max) : std::nullopt),
            numberText(c.minCn)};
}

CriterionParse parseCriterion(const CriterionTexts& texts) {
    const auto min = optionalNumber(texts.min);
    const auto max = optionalNumber(texts.max);
    const auto cn = optionalNumber(texts.minCn);
    if (!min || !max || !cn)
        return {std::nullopt, QStringLiteral("数値以外の文字が入力されています。")};
    if (min->has_value() != max->has_value())
        return {std::nullopt,
                QStringLiteral("下限と上限は両方とも入力するか、両方とも空欄にしてください。")};
    BandCriterion criterion;
    criterion.minCn = *cn;
    if (min->has_value()) {
        if (**min > **max)
            return {std::nullopt, QStringLiteral("下限が上限より大きくなっています。")};
        criterion.level = LevelRange{**min, **max};
    }
    return {criterion, QString()};
}

ProfileSet loadProfiles(QSettings& settings) {
    settings.beginGroup(Group);
    ProfileSet profiles = standardProfiles();
    bool readable = true;
    for (int p = 0; p < ProfileCount && readable; ++p)
        for (int b = 0; b < BandCount && readable; ++b) {
            const QString key = bandKey(p, b, "min");
            if (!settings.contains(key)) continue; // not stored: the standard value
            const auto min = storedText(settings, key);
            const auto max = storedText(settings, bandKey(p, b, "max"));
            const auto minCn = storedText(settings, bandKey(p, b, "minCn"));
            readable = min && max && minCn;
            if (!readable) break;
            const CriterionParse parse = parseCriterion({*min, *max, *minCn});
            readable = parse.criterion.has_value();
            if (readable) profiles[size_t(p)].bands[size_t(b)] = *parse.criterion;
        }
    settings.endGroup();
    return readable ? profiles : standardProfiles();
}

void saveProfiles(QSettings& settings, const ProfileSet& profiles) {
    settings.beginGroup(Group);
    for (int p = 0; p < ProfileCount; ++p)
        for (int b = 0; b < BandCount; ++b) {
            const CriterionTexts texts = criterionTexts(profiles[size_t(p)].bands[size_t(b)]);
            settings.setValue(bandKey(p, b, "min"), texts.min);
            settings.setValue(bandKey(p, b, "max"), texts.max);
            settings.setValue(bandKey(p, b, "minCn"), texts.minCn);
        }
    settings.endGroup();
}

ProfileId loadProfileChoice(QSettings& settings) {
    const int index = settings.value(Group + QStringLiteral("/choice"), 0).toInt();
    if (index < 0 || index >= ProfileCount) return {};
    return allProfileIds()[size_t(index)];
}

void saveProfileChoice(QSettings& settings, ProfileId id) {
    settings.setValue(Group + QStringLiteral("/choice"), profileIndex(id));
}

BandValues loadNoiseFigures(QSettings& settings) {
    BandValues nf = defaultNoiseFigures();
    const QStringList stored =
        settings.value(Group + QStringLiteral("/noiseFigures")).toStringList();
    if (stored.size() != BandCount) return nf;
    BandValues read{};
    for (int b = 0; b < BandCount; ++b) {
        const auto value = optionalNumber(stored[b]);
        if (!value || !value->has_value()) return nf;
        read[size_t(b)] = **value;
    }
    return read;
}

void saveNoiseFigures(QSettings& settings, const BandValues& noiseFigures) {
    QStringList texts;
    for (double nf : noiseFigures)
        texts << NumText(nf);
    settings.setValue(Group + QStringLiteral("/noiseFigures"), texts);
}

Profile currentProfile() {
    QSettings settings;
    const ProfileId id = loadProfileChoice(settings);
    return loadProfiles(settings)[size_t(profileIndex(id))];
}

JudgingSettings loadJudgingSettings() {
    QSettings settings;
    return {currentProfile(), loadNoiseFigures(settings)};
}

} // namespace miravel::standard
