#pragma once
// Levels through the network and the judgement of every outlet.
//
// Level at a port = level at the parent port - coax loss - component port
// loss, per band. A band for which some part on the way is not rated stays
// unrated ("非対応") below it, and an outlet fails such a band when the
// profile has a range for it.

#include "network/networkmodel.h"
#include "standard/criteria.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace miravel::network {

enum class OutletVerdict {
    Pass,               // within the range
    Low,                // below the minimum
    High,               // above the maximum
    NoStandard,         // no range for the band: shown, never failing
    NotRated,           // a part on the way is not rated for the band: fails
    NotRatedNoStandard, // not rated, and no range for the band: shown, never failing
};

// The outlet level range per band of a criteria profile; none for
// "基準なし".
using OutletCriteria = std::array<std::optional<standard::LevelRange>, common::BandCount>;
OutletCriteria outletCriteria(const standard::Profile& profile);

struct BandJudgement {
    std::optional<double> level; // nothing when not rated
    OutletVerdict verdict = OutletVerdict::NotRated;
    // Low: shown level - min (< 0); High: shown level - max (> 0); else 0,
    // the level taken as the table shows it (two decimals), as every verdict
    double deviation = 0;
};

struct OutletResult {
    NodeId node = 0;
    int port = 0;
    QString name; // "room (floor)" or what there is of it
    QString room;
    QString floor;
    std::array<BandJudgement, common::BandCount> bands;
    bool fails() const; // any band Low, High or NotRated (with a range)
};

// Low, High, or not rated where the band has a range.
bool failsBand(const BandJudgement& judgement);

struct BandSummary {
    int worst = -1;  // index in outlets of the lowest rated level, -1 when none
    int best = -1;   // of the highest
    int failing = 0; // outlets whose level is out of the range
    int unrated = 0; // outlets not rated for this band ("非対応"), apart from failing
};

struct NodeResult {
    BandLoss input{};     // level after the incoming run, before the component
    int firstOutlet = -1; // index of the node's first outlet port, -1 when none
    int failingBelow = 0; // outlets at or below the node failing any band
};

struct NetworkResult {
    std::vector<OutletResult> outlets; // in tree order
    std::array<BandSummary, common::BandCount> summary;
    int failingOutlets = 0;
    // Per node, by id; HeadEndId's entry holds the head end output.
    const NodeResult* node(NodeId id) const;
    std::vector<std::pair<NodeId, NodeResult>> nodes; // sorted by id
};

// The head end's output levels, Bst_Input + gain for that source.
common::BandValues headEndLevels(const HeadEnd& head);

// Levels of every node and outlet, judged against the criteria. Reads only
// converted numbers; throws nothing.
NetworkResult computeNetwork(const Network& network, const OutletCriteria& criteria);
NetworkResult computeNetwork(const Network& network, const standard::Profile& profile);

// The summary and failing count of the outlets, anew.
void summariseOutlets(NetworkResult& result);

// The steps of a computation, one node of the flattened tree at a time, for
// the computation above and for keeping its result up to date after an
// edit (levelupdate.h): the level reaching node `i` after its run (from its
// parent's result, or the head end's levels when `parent` is null) ...
void reachNode(const FlatNetwork& flat, size_t i, const common::BandValues& head,
               const NodeResult* parent, NodeResult& out);
// ... the names of one of its outlet ports ...
void nameOutlet(const FlatNode& n, int port, OutletResult& o);
// ... and that port's levels, judged.
void judgeOutletPort(const FlatNode& n, const NodeResult& node, int port,
                     const OutletCriteria& criteria, OutletResult& o);

// One band's verdict for a level (nothing: not rated).
BandJudgement judgeOutletBand(std::optional<double> level,
                              const std::optional<standard::LevelRange>& range);

// "非対応" for a band the outlet does not carry, else standard::verdictText.
QString verdictText(const BandJudgement& judgement);

} // namespace miravel::network
