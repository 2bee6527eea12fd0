#pragma once
// Repeated keys in a JSON document. The JSON parser keeps the last of a
// repeated key silently; a file reader that must refuse them asks here.

#include <QByteArray>
#include <QString>
#include <optional>

namespace miravel::network {

// The place of the first key that an object repeats, as a path such as
// "nodes[0].coax.metres" (long keys quoted as excerpts), or nothing. `json`
// must be a document the JSON parser has accepted.
std::optional<QString> repeatedJsonKey(const QByteArray& json);

// Commas and opening brackets outside strings: about the number of values,
// counted on any bytes before they are parsed.
qint64 jsonItemCount(const QByteArray& bytes);
// Whether that count is at most `most`, counted exactly only when a rough
// count (strings included) is over.
bool jsonItemsWithin(const QByteArray& bytes, qint64 most);

} // namespace miravel::network
