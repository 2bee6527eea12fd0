// A one-path network whose parts carry every band reaches the same outlet
// levels as the terminal screen's calculation for the same components.

#include "networktestsupport.h"

#include "common/numval.h"
#include "terminal/keisan.h"

#include <vector>

using namespace miravel::common;
using namespace miravel::network;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace {

namespace F = TerminalField;

struct Step {
    ComponentKind kind;
    const char* model;
    int port; // the port the path leaves by (ignored for the last part)
    const char* cable;
    double metres;
    bool endUnit = false;
};

struct FieldText {
    int field;
    const char* text;
};

struct PathCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<FieldText> fields; // counts, lengths and unit fields for Keisan
    int combo3Index;
};

using K = ComponentKind;

// The unit rows as picking the type fills them, read from the catalogue cells.
const std::vector<PathCase> Paths = {
    {"distributor, brancher tap, outlet",
     {{K::Distributor, "CS-D2", 1, "S-7C-FB", 12},
      {K::Brancher, "CS-C4", 3, "S-7C-FB", 4},
      {K::Outlet, "DCM7FTCS", 0, "S-5C-FB", 10}},
     {{30, "1"},
      {42, "1"},
      {19, "1"},
      {23, "16"},
      {22, "10"},
      {16, "0.5"},
      {17, "0.8"},
      {18, "1.0"},
      {38, "1.5"}},
     8},
    {"riser of through passages, a tap, a six-way split",
     {{K::Brancher, "CS-C2", 0, "S-10C-HFL", 30},
      {K::Brancher, "CS-C2", 0, "S-10C-HFL", 3},
      {K::Brancher, "CS-C2", 2, "S-10C-HFL", 3},
      {K::Distributor, "CS-D6", 5, "S-7C-HFL", 2.5},
      {K::Outlet, "BS-77F", 0, "S-5C-HFL", 7}},
     {{35, "2"},
      {41, "1"},
      {32, "1"},
      {26, "36"},
      {25, "2.5"},
      {24, "7"},
      {19, "1"},
      {16, "4.0"},
      {17, "4.5"},
      {18, "5.0"},
      {38, "7.0"}},
     6},
    {"chain of CS series units to the end unit",
     {{K::Distributor, "CS-D4", 2, "S-7C-FB", 15},
      {K::SeriesUnit, "１端子形 CS", 0, "S-5C-FB", 6},
      {K::SeriesUnit, "１端子形 CS", 0, "S-5C-FB", 6},
      {K::SeriesUnit, "１端子形 CS", 0, "S-5C-FB", 6},
      {K::SeriesUnit, "１端子形 CS", 0, "S-5C-FB", 6, true}},
     {{31, "1"},
      {23, "15"},
      {22, "24"},
      {19, "4"},
      {13, "0.4"},
      {14, "0.5"},
      {15, "0.5"},
      {37, "1.0"},
      {16, "8.5"},
      {17, "9.0"},
      {18, "9.5"},
      {38, "10.0"}},
     3},
    {"two-terminal units, taps on both brancher kinds",
     {{K::Brancher, "CS-C4", 1, "S-7C-FB", 5},
      {K::Brancher, "CS-C2", 0, "S-7C-FB", 3},
      {K::SeriesUnit, "２端子形 CS", 0, "S-5C-HFL", 8},
      {K::SeriesUnit, "２端子形 CS", 0, "S-5C-HFL", 8, true}},
     {{42, "1"},
      {35, "1"},
      {23, "8"},
      {24, "16"},
      {19, "2"},
      {13, "4.0"},
      {14, "4.3"},
      {15, "4.3"},
      {37, "4.8"},
      {16, "11.0"},
      {17, "11.0"},
      {18, "12.0"},
      {38, "12.5"}},
     4},
    {"one outlet straight on the booster",
     {{K::Outlet, "DCM7FTCS", 0, "S-7C-HFL", 20}},
     {{25, "20"}, {19, "1"}, {16, "0.5"}, {17, "0.8"}, {18, "1.0"}, {38, "1.5"}},
     8},
};

NodeId buildPath(Network& net, const std::vector<Step>& steps) {
    NodeId at = HeadEndId;
    int port = 0;
    for (const Step& s : steps) {
        at = net.addChild(at, port, partSetup(s.kind, s.model, s.cable, s.metres, s.endUnit));
        port = s.port;
    }
    return at;
}

TEST(KeisanMatch, OnePathNetworksGiveTheTerminalLevels) {
    for (const PathCase& c : Paths) {
        Network net;
        net.head.levels = {98, 103.5, 107, 111};
        const NodeId outlet = buildPath(net, c.steps);
        const NetworkResult r = computeNetwork(net, outletRanges());
        // Feed-through units have outlets of their own; the path ends at the last.
        const int index = r.node(outlet)->firstOutlet;
        ASSERT_GE(index, 0) << c.name;
        const OutletResult& end = r.outlets[size_t(index)];

        TerminalFields f;
        for (const FieldText& t : c.fields)
            f[t.field] = QString::fromUtf8(t.text);
        f.combo3Index = c.combo3Index;
        for (int b = 0; b < BandCount; ++b)
            f[F::BoosterLevel[b]] = NumText(net.head.levels[size_t(b)]);
        const KeisanResult k = Keisan(f);
        ASSERT_EQ(k.errorNumber, 0) << c.name;
        for (int b = 0; b < BandCount; ++b) {
            ASSERT_TRUE(end.bands[b].level) << c.name << " band " << b;
            EXPECT_NEAR(*end.bands[b].level, net.head.levels[size_t(b)] - k.Total_Loss[b], 1e-9)
                << c.name << " band " << b;
        }
    }
}

} // namespace
