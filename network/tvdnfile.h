#pragma once
// The network file ".tvdn": UTF-8 JSON with a format name and version.
// Reading takes the whole file and checks all of it before anything is
// built; a refusal is a UserError whose Japanese message names the place
// (a JSON path such as "nodes[2].children[0].coax.metres").

#include "network/networkmodel.h"

#include <QByteArray>
#include <QString>
#include <atomic>
#include <optional>

namespace miravel::network {

constexpr const char* NetworkFormatName = "miravel-network";
// Version 2 adds the left band, cable points, boosters, the C/N inputs and
// the cable judging; version 1 files are read as they always were.
constexpr int NetworkFormatVersion = 2;

QByteArray encodeNetwork(const Network& network);
// The network of the bytes; raises UserError (the message begins with the
// file name given) when anything is wrong.
Network decodeNetwork(const QByteArray& bytes, const QString& fileName);

// Whole-file read and decode; the network passed in is left alone when the
// file is refused.
Network readNetworkFile(const QString& path);
// The same, read where it may be stopped from another thread: nothing once
// `stop` is set.
std::optional<Network> readNetworkFile(const QString& path, const std::atomic<bool>& stop);
// Written through writeFileBytes: the old file stays when writing fails,
// and what is not a regular file (a named pipe, a device) is refused.
void writeNetworkFile(const QString& path, const Network& network);

} // namespace miravel::network
