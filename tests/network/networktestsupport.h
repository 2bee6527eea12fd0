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

inline NodeSpec partSpec(ComponentKind kind, const char* model, const char* cable = "S-5C-FB",
                         double metres = 0, bool endUnit = false) {
    NodeSpec spec;
    spec.component.kind = kind;
    spec.component.model = catalogueModelNumber(kind, QString::fromUtf8(model));
    spec.component.endUnit = endUnit;
    spec.coax = {QString::fromUtf8(cable), metres};
    EXPECT_GT(spec.component.model, 0) << model;
    return spec;
}

inline NodeSpec userSpec(const char* name, const char* cable = "S-5C-FB", double metres = 0) {
    NodeSpec spec;
    spec.component.kind = ComponentKind::User;
    spec.component.userName = QString::fromUtf8(name);
    spec.coax = {QString::fromUtf8(cable), metres};
    return spec;
}

inline const OutletResult* outletByRoom(const NetworkResult& r, const QString& room) {
    for (const OutletResult& o : r.outlets)
        if (o.room == room) return &o;
    return nullptr;
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
