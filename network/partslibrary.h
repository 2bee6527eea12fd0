#pragma once
// The user's own parts library: cable types and user components taken from
// data sheets and reused across networks, and unit prices by part name. It
// lives in one JSON file in the user's data folder:
//
//   {"format": "miravel-parts", "version": 1,
//    "definitions": <a network document holding only definitions>,
//    "prices": {"BS-C2": 1200, "S-5C-FB": 85.5, ...}}
//
// The definitions are read and written by the network file's own reader and
// writer, so a library follows the network file's form. Reading checks the
// whole file before anything is used; a refusal is a UserError naming the
// place.

#include "network/networkmodel.h"
#include "network/partslist.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace miravel::network {

constexpr const char* PartsLibraryFormatName = "miravel-parts";
constexpr int PartsLibraryFormatVersion = 1;

// Yen per piece, per metre for cables, by name: a catalogue model ("BS-C2"),
// series-unit type or outlet model, a catalogue coax type, a user part or
// cable type.
using UnitPrices = std::map<QString, double>;

struct PartsLibrary {
    Network definitions; // cable types and user components only, no nodes
    UnitPrices prices;
    bool operator==(const PartsLibrary& o) const {
        return definitions == o.definitions && prices == o.prices;
    }
};

// Why a price cannot be held under `name` ("" when it can).
QString unitPriceProblem(const QString& name, double yen);
// Sets (or, with nothing, removes) a price; raises UserError when refused.
void setUnitPrice(PartsLibrary& library, const QString& name, std::optional<double> yen);

// Definitions picked by name from a network or a library.
struct DefinitionChoice {
    QStringList cableTypes;
    QStringList userComponents;
    bool isEmpty() const { return cableTypes.isEmpty() && userComponents.isEmpty(); }
};
DefinitionChoice allDefinitions(const Network& network);
// The chosen names that `into` defines differently from `from`.
QStringList clashingDefinitions(const Network& from, const DefinitionChoice& choice,
                                const Network& into);
// Copies the chosen definitions of `from` into `into`, replacing those of the
// same name, as one definitions edit; raises UserError (nothing changed)
// when refused.
void copyDefinitions(const Network& from, const DefinitionChoice& choice, Network& into);
// `imported` added to `library`: its definitions and prices replace those of
// the same name. Raises UserError when the result would not fit the limits.
PartsLibrary mergedLibrary(const PartsLibrary& library, const PartsLibrary& imported);

QByteArray encodePartsLibrary(const PartsLibrary& library);
PartsLibrary decodePartsLibrary(const QByteArray& bytes, const QString& fileName);
PartsLibrary readPartsLibraryFile(const QString& path);
void writePartsLibraryFile(const QString& path, const PartsLibrary& library);

// Where the user's library lives: "parts-library.json" in the data folder.
QString userPartsLibraryPath();

// The user's library file: read when made; while the file cannot be read
// (`problem()`), nothing is written over it.
class UserPartsLibrary {
public:
    explicit UserPartsLibrary(const QString& path = userPartsLibraryPath());
    const QString& path() const { return m_path; }
    const PartsLibrary& library() const { return m_library; }
    // Why the file could not be read; the library is then empty and the
    // file stays as it is. "" when it was read or there is none yet.
    const QString& problem() const { return m_problem; }
    void reload();
    // Writes `changed` as the library; raises UserError (nothing changed)
    // when the file is broken or cannot be written.
    void save(const PartsLibrary& changed);
    // Keeps a broken file under a new name beside it, then saves `changed`;
    // returns the name the broken file was kept under.
    QString replaceBroken(const PartsLibrary& changed);

private:
    QString m_path;
    PartsLibrary m_library;
    QString m_problem;
};

// For other code (parts list, automatic design): the user's library as the
// file holds it now, read again only when the file changed; empty when
// there is none or it cannot be read.
const PartsLibrary& currentPartsLibrary();
UnitPrices unitPrices();
// The library's prices as the parts list takes them: every name per piece
// and per metre, as names of parts and of cable types do not meet.
PriceTable libraryPriceTable();
const std::vector<CableType>& libraryCableTypes();
const std::vector<UserComponent>& libraryUserComponents();

} // namespace miravel::network
