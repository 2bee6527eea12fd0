// Writes the generated tower example: 40 floors, 2,000 outlets.
//
//   generate_tower FILE.tvdn

#include "catalog/catalog.h"
#include "common/errors.h"
#include "network/towergenerator.h"
#include "network/tvdnfile.h"

#include <QCoreApplication>
#include <cstdio>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::network;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: generate_tower FILE.tvdn\n");
        return 2;
    }
    loadCatalogue();
    try {
        writeNetworkFile(QString::fromLocal8Bit(argv[1]), generateTower(TowerPlan{}));
    } catch (const UserError& e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
