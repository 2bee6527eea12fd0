#include "network/standardcables.h"

namespace miravel::network {

namespace {

// JCS 5423:2017 maximum attenuation (= standard × 1.15), dB per 100 m,
// as published at http://digital.catv.or.jp/words/ta_05.html.
constexpr double TableMHz[8] = {90, 220, 470, 710, 1489, 2071, 2681, 3224};
constexpr double Eco4C[8] = {8.74, 13.9, 20.9, 26.2, 39.8, 48.1, 56.0, 62.4};
constexpr double Eco5C[8] = {6.76, 10.9, 16.7, 21.0, 32.7, 39.9, 46.9, 52.8};
constexpr double Eco7C[8] = {4.80, 7.82, 12.1, 15.3, 24.2, 29.8, 35.2, 39.8};

CableType tableType(const char* name, const double (&loss)[8]) {
    CableType type{QString::fromLatin1(name), {}, std::nullopt};
    for (int i = 0; i < 8; ++i)
        type.points.push_back(LossPoint{TableMHz[i], loss[i]});
    return type;
}

} // namespace

const std::vector<CableType>& standardCableTypes() {
    static const std::vector<CableType> types{tableType("ECO-S-4C-FB", Eco4C),
                                              tableType("ECO-S-5C-FB", Eco5C),
                                              tableType("ECO-S-7C-FB", Eco7C)};
    return types;
}

const CableType* standardCableType(const QString& name) {
    for (const CableType& type : standardCableTypes())
        if (type.name == name) return &type;
    return nullptr;
}

QString standardCableSource() {
    return QStringLiteral("JCS 5423:2017 最大減衰量（http://digital.catv.or.jp/words/ta_05.html）");
}

} // namespace miravel::network
