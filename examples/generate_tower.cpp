// Writes the generated tower examples: 40 floors, 2,000 outlets; or, with
// --4k8k, the 42-floor 4K8K tower with its left-hand band.
//
//   generate_tower FILE.tvdn
//   generate_tower --4k8k FILE.tvdn

#include "catalog/catalog.h"
#include "common/errors.h"
#include "network/towergenerator.h"
#include "network/tvdnfile.h"
#include "network/uhdtower.h"

#include <QCoreApplication>
#include <cstdio>
#include <string>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const bool uhd = argc == 3 && std::string(argv[1]) == "--4k8k";
    if (argc != 2 && !uhd) {
        std::fprintf(stderr, "usage: generate_tower [--4k8k] FILE.tvdn\n");
        return 2;
    }
    loadCatalogue();
    try {
        writeNetworkFile(QString::fromLocal8Bit(argv[argc - 1]),
                         uhd ? generateUhdTower() : generateTower(TowerPlan{}));
    } catch (const UserError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
