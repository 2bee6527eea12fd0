#include "fieldstrength/fieldstrengthcalc.h"

#include "common/errors.h"
#include "common/numval.h"

#include <cmath>
#include <cstdint>

using namespace miravel::common;

namespace miravel::fieldstrength {

namespace {

using Item = FieldStrengthItem;

// Raised inside the calculation only, to stop at the first value out of range.
struct OutOfRange {
    Item item;
};

double number(const QString& text, Item item) {
    try {
        return NumVal(text);
    } catch (const RunTimeError&) { // beyond a double
        throw OutOfRange{item};
    }
}

int16_t whole(const QString& text, Item item) {
    const std::optional<int16_t> value = wholeNumber16(number(text, item));
    if (!value) throw OutOfRange{item};
    return *value;
}

int16_t sum16(int16_t a, int16_t b, Item item) {
    const int sum = int(a) + int(b);
    if (sum < INT16_MIN || sum > INT16_MAX) throw OutOfRange{item};
    return int16_t(sum);
}

double finite(double value, Item item) {
    if (!std::isfinite(value)) throw OutOfRange{item};
    return value;
}

QString itemName(Item item) {
    switch (item) {
    case Item::VhfGain:
        return QStringLiteral("VHF ANT 動作利得");
    case Item::UhfGain:
        return QStringLiteral("UHF ANT 動作利得");
    case Item::MixerVhf:
        return QStringLiteral("混合器 通過帯域減衰量 VHF");
    case Item::MixerUhf:
        return QStringLiteral("混合器 通過帯域減衰量 UHF");
    case Item::MixerBs:
        return QStringLiteral("混合器 通過帯域減衰量 BS");
    case Item::Ev:
        return QStringLiteral("Ev :VHF標準ｱﾝﾃﾅ出力電圧");
    case Item::Eu:
        return QStringLiteral("Eu :UHF標準ｱﾝﾃﾅ出力電圧");
    case Item::Length:
        return QStringLiteral("同軸ｹｰﾌﾟﾙの長さ");
    case Item::Ebs:
        return QStringLiteral("Ebs:BS 標準ｱﾝﾃﾅ出力電圧");
    case Item::Ecs:
        return QStringLiteral("Ecs:BS 標準ｱﾝﾃﾅ出力電圧"); // as its caption reads
    case Item::VhfSum:
        return itemName(Item::Ev) + QStringLiteral(" と ") + itemName(Item::VhfGain);
    case Item::UhfSum:
        return itemName(Item::Eu) + QStringLiteral(" と ") + itemName(Item::UhfGain);
    case Item::VhfLevel:
        return QStringLiteral("VHF:ブスターへの入力");
    case Item::UhfLevel:
        return QStringLiteral("UHF:ブスターへの入力");
    case Item::BsLevel:
        return QStringLiteral("BS :ブスターへの入力");
    case Item::CsLevel:
        return QStringLiteral("CS :ブスターへの入力");
    }
    return QString();
}

} // namespace

FieldStrengthResult calculateFieldStrength(const FieldStrengthInput& in,
                                           const BandValues& coaxLossPerMetre) {
    FieldStrengthResult result;
    try {
        const int16_t gV = whole(in.vhfGain, Item::VhfGain);
        const int16_t gU = whole(in.uhfGain, Item::UhfGain);
        const double mV = number(in.mixerVhf, Item::MixerVhf);
        const double mU = number(in.mixerUhf, Item::MixerUhf);
        const double mB = number(in.mixerBs, Item::MixerBs);
        const int16_t eV = whole(in.ev, Item::Ev);
        const int16_t eU = whole(in.eu, Item::Eu);
        const double length = number(in.length, Item::Length);
        const double eBs = number(in.ebs, Item::Ebs);
        const double eCs = number(in.ecs, Item::Ecs);

        const double vhfSum = sum16(eV, gV, Item::VhfSum);
        const double uhfSum = sum16(eU, gU, Item::UhfSum);
        auto coax = [&](Band band) { return coaxLossPerMetre[size_t(band)] * length; };

        result.levels[VHF] = finite(vhfSum - (coax(VHF) + mV), Item::VhfLevel);
        result.levels[UHF] = finite(uhfSum - (coax(UHF) + mU), Item::UhfLevel);
        result.levels[BS] = finite(eBs - (coax(BS) + mB), Item::BsLevel);
        result.levels[CS] = finite(eCs - coax(CS), Item::CsLevel);
    } catch (const OutOfRange& failure) {
        result.levels = BandValues{};
        result.outOfRange = failure.item;
    }
    return result;
}

QString outOfRangeMessage(FieldStrengthItem item) {
    switch (item) {
    case Item::VhfSum:
    case Item::UhfSum:
        return itemName(item) + QStringLiteral(" の和が計算できる範囲を超えています。");
    case Item::VhfLevel:
    case Item::UhfLevel:
    case Item::BsLevel:
    case Item::CsLevel:
        return itemName(item) + QStringLiteral(" が計算できる範囲を超えています。");
    default:
        return itemName(item) + QStringLiteral(" の値が計算できる範囲を超えています。");
    }
}

} // namespace miravel::fieldstrength
