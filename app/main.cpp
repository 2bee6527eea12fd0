#include "app/appinit.h"
#include "app/menu.h"
#include "app/screens.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    initApplication(app);
    Screens::show(Screens::menu());
    return app.exec();
}
