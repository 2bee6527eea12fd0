// Opening a network file on the network screen and one edit there, timed
// in CPU seconds (offscreen), and the memory the screen holds afterwards per
// outlet: resident (what the system sees) and in use on the heap (what the
// program holds). The scale script runs it for each size.
//
//   screen_scale FILE.tvdn

#include "catalog/catalog.h"
#include "network/ui/networkdocument.h"
#include "network/ui/networkwindow.h"

#include <QApplication>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace miravel::network;

namespace {

// Resident memory now, in KiB.
double residentKiB() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / 1024;
}

// Bytes the heap hands out now: unlike the resident figure, blind to the
// pages that freed memory leaves scattered (fragmentation).
double inUseBytes() {
    const struct mallinfo2 heap = mallinfo2();
    return double(heap.uordblks) + double(heap.hblkhd);
}

double cpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screen_scale FILE.tvdn\n");
        return 2;
    }
    miravel::catalog::loadCatalogue();
    NetworkWindow window;
    window.show();
    QApplication::processEvents();
    malloc_trim(0);
    const double emptyKiB = residentKiB();
    const double emptyBytes = inUseBytes();
    const double start = cpuSeconds();
    if (!window.openNetworkFile(QString::fromLocal8Bit(argv[1]))) return 1;
    QApplication::processEvents(); // the first paint of the loaded tree
    const double opened = cpuSeconds();
    NetworkDocument* doc = window.document();
    const NodeId leaf = doc->network().flat().nodes.back().id;
    NodeSetup setup = doc->network().node(leaf).setup;
    setup.coax.metres += 1;
    window.selectNode(leaf);
    QApplication::processEvents();
    const double before = cpuSeconds();
    doc->edit(QStringLiteral("長さ"), [&](Network& n) { n.setSetup(leaf, setup); });
    QApplication::processEvents(); // the repaint after the edit
    const double edited = cpuSeconds();
    malloc_trim(0); // what the load freed is not counted as held
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double outlets = double(doc->result().outlets.size());
    std::printf("open %.3f s  edit %.1f ms  held %.2f KiB per outlet, in use %.0f B per outlet "
                "(peak %.0f MiB)\n",
                opened - start, 1000 * (edited - before), (residentKiB() - emptyKiB) / outlets,
                (inUseBytes() - emptyBytes) / outlets, usage.ru_maxrss / 1024.0);
    return 0;
}
