// Writes the generated tower example: 40 floors, 2,000 outlets; or, for the
// scale script, a tower of the plan given.
//
//   generate_tower FILE.tvdn [FLOORS LINES UNITS FLOORS_PER_RISER]

#include "catalog/catalog.h"
#include "common/errors.h"
#include "network/towergenerator.h"
#include "network/tvdnfile.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2 && argc != 6) {
        std::fprintf(stderr,
                     "usage: generate_tower FILE.tvdn [FLOORS LINES UNITS FLOORS_PER_RISER]\n");
        return 2;
    }
    TowerPlan plan;
    if (argc == 6)
        plan = {std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])};
    loadCatalogue();
    try {
        writeNetworkFile(QString::fromLocal8Bit(argv[1]), generateTower(plan));
    } catch (const UserError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
