// libFuzzer target for the project file reader: whatever bytes a file holds,
// reading it either gives records or a refusal with a message, never a crash,
// and what was read and can be written again reads back the same.

#include "common/errors.h"
#include "project/recordnames.h"
#include "project/tvdfile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

using namespace miravel::common;
using namespace miravel::project;

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "tvd file invariant broken: %s\n", what);
        std::abort();
    }
}

std::optional<QStringList> tryParse(const QByteArray& bytes) {
    try {
        return parseRecords(bytes);
    } catch (const UserError& e) {
        check(!e.message().isEmpty(), "parse refusal without a message");
        return std::nullopt;
    }
}

std::optional<QStringList> tryDecode(const QByteArray& bytes) {
    try {
        return decodeProjectFile(bytes, QStringLiteral("fuzz.tvd"));
    } catch (const UserError& e) {
        check(e.message().contains(QStringLiteral("fuzz.tvd")), "refusal does not name the file");
        return std::nullopt;
    }
}

std::optional<QByteArray> tryEncode(const QStringList& records) {
    try {
        return encodeProjectRecords(records);
    } catch (const UserError& e) {
        check(!e.message().isEmpty(), "encode refusal without a message");
        return std::nullopt;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));

    const std::optional<QStringList> parsed = tryParse(bytes);
    const std::optional<QStringList> project = tryDecode(bytes);

    // The whole-file check accepts exactly the readable files of 67 or more
    // records, and gives their first 67.
    const bool whole =
        parsed && parsed->size() >= ProjectRecordCount && qsizetype(size) <= ProjectFileMaxBytes;
    check(project.has_value() == whole, "decode and parse disagree on acceptance");
    if (project)
        check(*project == parsed->mid(0, ProjectRecordCount), "decode is not parse's first 67");
    if (!parsed) return 0;

    // A quoted value may run across lines when read; such a value is never
    // written.
    bool spansLines = false;
    for (const QString& record : *parsed)
        spansLines = spansLines || record.contains(u'\r') || record.contains(u'\n');

    // Written again, the records read back unchanged, and the written form is
    // a fixed point.
    const std::optional<QByteArray> encoded = tryEncode(*parsed);
    if (spansLines) check(!encoded, "a value with a line break was written");
    if (!encoded) return 0;
    const std::optional<QStringList> reread = tryParse(*encoded);
    check(reread && *reread == *parsed, "encoded records do not read back");
    check(encodeProjectRecords(*reread) == *encoded, "encoding is not stable");
    if (project) {
        const std::optional<QStringList> again =
            tryDecode(encodeProjectRecords(parsed->mid(0, ProjectRecordCount)));
        check(again && *again == *project, "a saved project does not load back");
    }
    return 0;
}
