#pragma once
// The one way into the building network: the start menu and the terminal
// screen open its screen through here. The screen exists at most once and
// is destroyed when closed, like the other screens.

#include "network/ui/terminallink.h" // setTerminalLink

class QString;

namespace miravel::network {

class NetworkWindow;

namespace NetworkEntry {

// Creates the screen when needed, shows it and brings it forward.
void showNetworkScreen();
// Shows the screen and opens the network file at `path` in it, as 開く...
// does (asking first about unsaved changes); false when it was not opened.
bool openNetworkFile(const QString& path);
// The screen when it exists, else nullptr.
NetworkWindow* existingNetworkScreen();
// Closes the screen when it exists.
void closeNetworkScreen();

} // namespace NetworkEntry

} // namespace miravel::network
