#include "app/appinit.h"

#include "app/screens.h"
#include "common/version.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::terminal;

namespace miravel::app {

ScreenSet& initApplication(QApplication& app) {
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

    auto* screens = new ScreenSet(&app);
    screens->wireLinks();
    return *screens;
}

} // namespace miravel::app
