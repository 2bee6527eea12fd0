#include "support/testsupport.h"

#include "app/menu.h"
#include "app/screens.h"
#include "catalog/ui/tv_mt.h"
#include "common/programvalues.h"
#include "fieldstrength/ui/denkai.h"
#include "platform/userguide.h"
#include "terminal/ui/tanmatu.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QTest>
#include <QTextBrowser>

using namespace miravel::app;
using namespace miravel::catalog;
using namespace miravel::common;
using namespace miravel::fieldstrength;
using namespace miravel::network;
using namespace miravel::platform;
using namespace miravel::print;
using namespace miravel::project;
using namespace miravel::standard;
using namespace miravel::terminal;

PlatformStandIn::PlatformStandIn() {
    auto& h = Platform::hooks();
    h.message = [this](const Platform::Message& m) { messages.append(m); };
    h.fileDialog = [this](const Platform::FileDialogRequest& r) {
        fileRequests.append(r);
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
    };
    h.confirm = [this](const Platform::Message& q) {
        questions.append(q);
        return questionAnswers.isEmpty() || questionAnswers.takeFirst();
    };
    h.openUrl = [this](const QString& url) { openedUrls.append(url); };
}

PlatformStandIn::~PlatformStandIn() {
    Platform::hooks() = Platform::Hooks();
}

namespace {
ScreenSet* s_appScreens = nullptr;
} // namespace

ScreenSet& appScreens() {
    return *s_appScreens;
}

void setAppScreens(ScreenSet& screens) {
    s_appScreens = &screens;
}

bool insideOwnPart(const QObject* child, const QObject* parent) {
    for (const QObject* o = child->parent(); o && o != parent; o = o->parent())
        if (!QByteArray(o->metaObject()->className()).startsWith('Q')) return true;
    return false;
}

void closeAllScreens() {
    appScreens().closeWorkScreens();
    if (auto* s = appScreens().existingMenu()) s->close();
    if (auto* guide = existingUserGuide()) guide->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void ScreenTest::SetUp() {
    closeAllScreens();
    resetProgramValues();
}

void ScreenTest::TearDown() {
    closeAllScreens();
    resetProgramValues();
}

void pick(QComboBox* combo, int index) {
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    const QModelIndex item = list->model()->index(index, 0);
    list->scrollTo(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton);
}
