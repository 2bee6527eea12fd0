#pragma once
// Helpers for driving the screens headless: captured message boxes and
// answered file dialogs, and a fixture that leaves no screen behind.

#include "platform/platform.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

class QComboBox;
class QWidget;

namespace miravel::app {
class ScreenSet;
} // namespace miravel::app

// Replaces the platform's message boxes and file dialogs while it lives.
class PlatformStandIn {
public:
    PlatformStandIn();
    ~PlatformStandIn();

    QList<miravel::platform::Platform::Message> messages; // every message shown, in order
    QList<miravel::platform::Platform::FileDialogRequest>
        fileRequests;                                      // every file dialog asked for
    QStringList fileAnswers;                               // answers, first first; "" = cancel
    QList<miravel::platform::Platform::Message> questions; // every yes/no question asked
    QList<bool> questionAnswers;                           // answers, first first; Yes when none
    QStringList openedUrls;
};

// Every screen closed and every program-wide value back to its start value,
// before and after each test.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    PlatformStandIn platform;
};

// The program's one set of screens, as start-up made it (testmain).
miravel::app::ScreenSet& appScreens();
void setAppScreens(miravel::app::ScreenSet& screens);

// Closes every screen and processes the deferred deletions.
void closeAllScreens();

// A user's pick of list item `index`: a click on it in the open list.
void pick(QComboBox* combo, int index);

// True when an object of a program class (not Qt's) lies between `child`
// and `parent`.
bool insideOwnPart(const QObject* child, const QObject* parent);

// The control of `parent` with the objectName `name`, found as a user
// finds it; a test failure (and nullptr) when there is none.
// A control of `parent`'s own form comes before a same-named one inside a
// part of the program's own (the coax control's Text1 inside Denkai).
template <typename T> T* named(const QObject* parent, const char* name) {
    T* found = nullptr;
    for (T* child : parent->findChildren<T*>(QString::fromLatin1(name))) {
        if (!found) found = child;
        if (!insideOwnPart(child, parent)) return child;
    }
    EXPECT_NE(found, nullptr) << "no control named " << name;
    return found;
}

// Typing `text` key by key into a widget, Japanese characters included.
void typeText(QWidget* widget, const QString& text);

// A mouse click on a widget.
void click(QWidget* widget);

// Readable QStrings in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
