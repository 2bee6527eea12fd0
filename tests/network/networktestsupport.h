#pragma once
// Shared helpers of the network tests: the example files, a plain outlet
// range, and building nodes in one line.

#include "network/catalogparts.h"
#include "network/propagation.h"
#include "network/tvdnfile.h"

#include <QString>
#include <gtest/gtest.h>

inline QString examplePath(const char* name) {
    return QStringLiteral(MIRAVEL_EXAMPLES_DIR "/") + QString::fromUtf8(name);
}

inline Network loadExample(const char* name) {
    return readNetworkFile(examplePath(name));
}

// Outlet ranges of the in-building standard for 2K reception: UHF 50-81,
// BS and CS 52-81 dBμV, VHF none.
inline OutletCriteria outletRanges() {
    return outletCriteria(standardProfile(ProfileId{}));
}

inline NodeSetup partSetup(ComponentKind kind, const char* model, const char* cable = "S-5C-FB",
                           double metres = 0, bool endUnit = false) {
    NodeSetup setup;
    setup.component.kind = kind;
    setup.component.model = catalogueModelNumber(kind, QString::fromUtf8(model));
    setup.component.endUnit = endUnit;
    setup.coax = {QString::fromUtf8(cable), metres};
    EXPECT_GT(setup.component.model, 0) << model;
    return setup;
}

inline NodeSetup userSetup(const char* name, const char* cable = "S-5C-FB", double metres = 0) {
    NodeSetup setup;
    setup.component.kind = ComponentKind::User;
    setup.component.userName = QString::fromUtf8(name);
    setup.coax = {QString::fromUtf8(cable), metres};
    return setup;
}

inline const OutletResult* outletByRoom(const NetworkResult& r, const QString& room) {
    for (const OutletResult& o : r.outlets)
        if (o.room == room) return &o;
    return nullptr;
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
