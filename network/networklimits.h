#pragma once
// The limits of a network, one set for the editor, the model, the file
// writer and the file reader: whatever the model holds saves and reads back.

#include <QString>
#include <QtGlobal>

namespace miravel::network {

constexpr int MaxNetworkNodes = 1000000;
constexpr int MaxNetworkDepth = 256; // a child of the head end is at depth 1
constexpr int MaxRepeat = 1000;
// Names of definitions, rooms and floors, in UTF-16 units.
constexpr int MaxNetworkTextLength = 200;
constexpr int MaxCableTypes = 200;
constexpr int MaxUserComponents = 200;
constexpr int MaxUserPorts = 16;
constexpr int MaxPortIndex = 63; // as the file states a port
constexpr double MaxRunMetres = 100000;
// Head-end output levels and gains (dB).
constexpr double MinHeadLevel = -100;
constexpr double MaxHeadLevel = 200;
constexpr double MaxCableLossPer100m = 1000;
// A cable type's points and their frequencies (MHz).
constexpr int MaxCablePoints = 64;
constexpr double MinCableMHz = 1;
constexpr double MaxCableMHz = 10000;
// C/N typed at the head end, noise figures and booster gains (dB).
constexpr double MinCn = -50;
constexpr double MaxCn = 200;
constexpr double MaxNoiseFigure = 50;
constexpr double MinBoosterGain = -50;
constexpr double MaxBoosterGain = 100;
constexpr double MinUserLoss = -100;
constexpr double MaxUserLoss = 200;

// The most bytes the compact file spends on a node, a definition and the
// rest: a UTF-16 unit takes at most 3 bytes of UTF-8 (control characters,
// which JSON would escape at 6, are refused), a number at most 32.
constexpr qint64 MaxEncodedTextBytes = 3 * MaxNetworkTextLength;
constexpr qint64 MaxEncodedNodeBytes = 4 * MaxEncodedTextBytes + 256 + 20 * 32 + 128;
constexpr qint64 MaxEncodedCableBytes = MaxEncodedTextBytes + MaxCablePoints * (2 * 32 + 8) + 96;
constexpr qint64 MaxEncodedUserBytes = MaxEncodedTextBytes + MaxUserPorts * (5 * 32 + 64) + 64;
constexpr qint64 MaxNetworkFileBytes = MaxNetworkNodes * MaxEncodedNodeBytes +
                                       MaxCableTypes * MaxEncodedCableBytes +
                                       MaxUserComponents * MaxEncodedUserBytes + 4096;

// The user's parts library: unit prices in yen (per piece, per metre for
// cables), keyed by part name; its file holds the definitions and prices.
constexpr int MaxPartPrices = 1000;
constexpr double MaxUnitPrice = 10000000;
constexpr qint64 MaxPartsLibraryBytes = MaxCableTypes * MaxEncodedCableBytes +
                                        MaxUserComponents * MaxEncodedUserBytes +
                                        MaxPartPrices * (MaxEncodedTextBytes + 40) + 4096;

// The most values (counted as commas and opening brackets) such a file
// holds: the parser's memory grows with them, not only with the bytes.
constexpr qint64 MaxNetworkFileItems = MaxNetworkNodes * 48 +
                                       MaxCableTypes * (MaxCablePoints * 3 + 16) +
                                       MaxUserComponents * (MaxUserPorts + 1) * 16 + 256;

constexpr qint64 MaxPartsLibraryItems =
    MaxCableTypes * 16 + MaxUserComponents * (MaxUserPorts + 1) * 16 + MaxPartPrices * 2 + 256;

// Why a text cannot be held (too long; a control, direction-override or lone
// surrogate character), or empty when it can.
QString networkTextProblem(const QString& text);

// A text from a file as a message quotes it: at most MaxQuotedLength
// characters, elided with "…", controls and direction characters shown as
// "?", so that a huge or hostile text neither floods nor garbles a message.
constexpr int MaxQuotedLength = 40;
QString fileTextExcerpt(const QString& text);

} // namespace miravel::network
