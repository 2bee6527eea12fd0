#pragma once
// What every screen gets when it is created: the standard shortcuts on its
// menu items, and its window geometry remembered between runs.

#include <QKeySequence>
#include <QString>

class QWidget;

namespace miravel::app {

// The shortcut of a menu item, by the item's and its screen's names; empty
// for items without one.
QKeySequence standardShortcut(const QString& itemName, const QString& screenName = QString());

// Sets the standard shortcut on each of the screen's menu items that has one.
void applyStandardShortcuts(QWidget* screen);

// Saves the screen's geometry under its name whenever it is hidden (closing
// included).
void rememberGeometry(QWidget* screen);

// Puts the screen where it was last left, once per screen, before it is
// first shown; a screen never seen before keeps its own place.
void restoreGeometryOnce(QWidget* screen);

} // namespace miravel::app
