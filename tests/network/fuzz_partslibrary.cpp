// libFuzzer target for the parts library reader: whatever bytes the file
// holds, reading it gives a library or a refusal naming the file, never a
// crash; a library read is written again and reads back the same.

#include "catalog/catalog.h"
#include "common/errors.h"
#include "network/partslibrary.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "parts library invariant broken: %s\n", what);
        std::abort();
    }
}

std::optional<PartsLibrary> tryDecode(const QByteArray& bytes) {
    try {
        return decodePartsLibrary(bytes, QStringLiteral("fuzz.json"));
    } catch (const UserError& e) {
        check(e.message().contains(QStringLiteral("「fuzz.json」")),
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
    const std::optional<PartsLibrary> library = tryDecode(bytes);
    if (!library) return 0;
    check(library->definitions.nodeCount() == 0, "a library with nodes");
    check(library->prices.size() <= size_t(MaxPartPrices), "too many prices");

    const QByteArray written = encodePartsLibrary(*library);
    const std::optional<PartsLibrary> again = tryDecode(written);
    check(again.has_value(), "a written library does not read back");
    check(*again == *library, "a written library reads back different");
    check(encodePartsLibrary(*again) == written, "writing is not stable");
    return 0;
}
