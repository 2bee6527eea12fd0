#pragma once
// Shared helpers of the network tests: the example files, a plain outlet
// range, and building nodes in one line.

#include "network/catalogparts.h"
#include "network/propagation.h"
#include "network/tvdnfile.h"

#include <QString>
#include <gtest/gtest.h>
#include <optional>

inline QString examplePath(const char* name) {
    return QStringLiteral(MIRAVEL_EXAMPLES_DIR "/") + QString::fromUtf8(name);
}

inline miravel::network::Network loadExample(const char* name) {
    return miravel::network::readNetworkFile(examplePath(name));
}

// Outlet ranges of the in-building standard for 2K reception: UHF 50-81,
// BS and CS 52-81 dBμV, VHF none.
inline miravel::network::OutletCriteria outletRanges() {
    return miravel::network::outletCriteria(
        miravel::standard::standardProfile(miravel::standard::ProfileId{}));
}

inline miravel::network::NodeSetup partSetup(miravel::network::ComponentKind kind,
                                             const char* model, const char* cable = "S-5C-FB",
                                             double metres = 0, bool endUnit = false) {
    miravel::network::NodeSetup setup;
    setup.component.kind = kind;
    setup.component.model = miravel::network::catalogueModelNumber(kind, QString::fromUtf8(model));
    setup.component.endUnit = endUnit;
    setup.coax = {QString::fromUtf8(cable), metres};
    EXPECT_GT(setup.component.model, 0) << model;
    return setup;
}

inline miravel::network::NodeSetup userSetup(const char* name, const char* cable = "S-5C-FB",
                                             double metres = 0) {
    miravel::network::NodeSetup setup;
    setup.component.kind = miravel::network::ComponentKind::User;
    setup.component.userName = QString::fromUtf8(name);
    setup.coax = {QString::fromUtf8(cable), metres};
    return setup;
}

inline std::optional<miravel::network::OutletResult>
outletByRoom(const miravel::network::Network& net, const miravel::network::NetworkResult& r,
             const QString& room) {
    for (const miravel::network::OutletResult& o : r.outlets)
        if (miravel::network::outletRoom(net, o) == room) return o;
    return std::nullopt;
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
