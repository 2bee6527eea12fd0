#include "app/appinit.h"

#include "app/menu.h"
#include "app/screens.h"
#include "catalog/ui/boardentry.h"
#include "common/version.h"
#include "fieldstrength/ui/denkai.h"
#include "network/ui/networkentry.h"
#include "project/ui/projectdata.h"
#include "terminal/ui/tanmatu.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::network;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

namespace miravel::app {

void initApplication(QApplication& app) {
    setProgramIdentity();

    // Standard buttons and dialogs speak Japanese.
    auto* translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_ja"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);

    // "ＭＳ 明朝" is not on Linux; IPAMincho has the same metrics model (full-width
    // characters exactly two half-width ones wide), which the ruled report needs.
    const QStringList mincho = {QStringLiteral("IPAMincho"), QStringLiteral("IPA明朝")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), mincho);
    QFont::insertSubstitutions(QStringLiteral("MS Mincho"), mincho);

    // The building network reaches the terminal screen only through its link.
    NetworkEntry::setTerminalLink([]() -> TerminalLink* { return Screens::terminal(); });
    // The calculation screens open the board, and the project commands reach
    // the screens' fields, only through what is handed to them here.
    BoardEntry::setOpener([] { Screens::showBoard(); });
    setProjectScreens({[]() -> ProjectFields* { return Screens::denkai(); },
                       []() -> ProjectFields* { return Screens::terminal(); },
                       [](const QString& caption) {
                           if (Menu* menu = Screens::existingMenu()) menu->setWindowTitle(caption);
                       }});
}

} // namespace miravel::app
