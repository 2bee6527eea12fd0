#include "platform/userguide.h"

#include "common/version.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

using namespace miravel::common;

namespace miravel::platform {

namespace {

QPointer<QTextBrowser> s_guide;

// Built into the program, so it is there in the build tree as when installed.
const char* const GuideAddress = "qrc:/miravel/guide-ja.html";

} // namespace

QTextBrowser* showUserGuide() {
    if (!s_guide) {
        s_guide = new QTextBrowser();
        s_guide->setObjectName(QStringLiteral("Guide_Window"));
        s_guide->setAttribute(Qt::WA_DeleteOnClose);
        s_guide->setWindowTitle(programTitle() + QStringLiteral(" 使い方"));
        s_guide->setOpenExternalLinks(true);
        s_guide->setSource(QUrl(QString::fromLatin1(GuideAddress)));
        s_guide->resize(760, 640);
    }
    s_guide->show();
    s_guide->raise();
    s_guide->activateWindow();
    return s_guide.data();
}

QTextBrowser* existingUserGuide() {
    return s_guide.data();
}

} // namespace miravel::platform
