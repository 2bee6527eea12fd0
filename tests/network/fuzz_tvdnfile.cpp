// libFuzzer target for the network file reader: whatever bytes a file holds,
// reading it gives a network or a refusal naming the file, never a crash; a
// network read is computed and sent to the terminal fields without fault, and
// written again it reads back the same.

#include "catalog/catalog.h"
#include "common/errors.h"
#include "network/propagation.h"
#include "network/terminalpath.h"
#include "network/tvdnfile.h"
#include "standard/criteria.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "tvdn file invariant broken: %s\n", what);
        std::abort();
    }
}

std::optional<Network> tryDecode(const QByteArray& bytes) {
    try {
        return decodeNetwork(bytes, QStringLiteral("fuzz.tvdn"));
    } catch (const UserError& e) {
        check(e.message().contains(QStringLiteral("「fuzz.tvdn」")),
              "refusal does not name the file");
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    loadCatalogue();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<Network> network = tryDecode(bytes);
    if (!network) return 0;

    const NetworkResult result = computeNetwork(*network, standardProfile(ProfileId{}));
    check(result.nodes.size() == size_t(network->nodeCount()) + 1, "a node without a result");
    // Under 4K8K the left band is judged, and every C/N is a number or none.
    const NetworkResult uhd = computeNetwork(
        *network, standardProfile({MeasuringPoint::Outlet, SatelliteSystem::Uhd4K8K}));
    for (const OutletResult& outlet : uhd.outlets)
        for (const BandJudgement& band : outlet.bands)
            check(!band.cn || !std::isnan(*band.cn), "a C/N that is not a number");
    for (const OutletResult& outlet : result.outlets) {
        try {
            terminalFieldsForOutlet(*network, outlet.node);
        } catch (const UserError& e) {
            check(!e.message().isEmpty(), "send refusal without a message");
        }
    }

    const QByteArray written = encodeNetwork(*network);
    const std::optional<Network> again = tryDecode(written);
    check(again.has_value(), "a written network does not read back");
    check(*again == *network, "a written network reads back different");
    check(encodeNetwork(*again) == written, "writing is not stable");
    return 0;
}
