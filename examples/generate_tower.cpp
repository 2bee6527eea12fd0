// Writes the generated tower examples: 40 floors, 2,000 outlets; or, with
// --4k8k, the 42-floor 4K8K tower with its left-hand band; or, for the
// scale script, a tower of the plan given.
//
//   generate_tower FILE.tvdn
//   generate_tower --4k8k FILE.tvdn
//   generate_tower FILE.tvdn FLOORS LINES UNITS FLOORS_PER_RISER

#include "catalog/catalog.h"
#include "common/errors.h"
#include "network/towergenerator.h"
#include "network/tvdnfile.h"
#include "network/uhdtower.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool uhd = argc == 3 && std::string(argv[1]) == "--4k8k";
    if (argc != 2 && argc != 6 && !uhd) {
        std::fprintf(stderr, "usage: generate_tower [--4k8k] FILE.tvdn"
                             " | FILE.tvdn FLOORS LINES UNITS FLOORS_PER_RISER\n");
        return 2;
    }
    TowerPlan plan;
    if (argc == 6)
        plan = {std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])};
    loadCatalogue();
    try {
        writeNetworkFile(QString::fromLocal8Bit(argv[uhd ? 2 : 1]),
                         uhd ? generateUhdTower() : generateTower(plan));
    } catch (const UserError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
