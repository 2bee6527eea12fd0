#pragma once
// The one way into the building network: the start menu and the terminal
// screen open its screen through here. The screen exists at most once and
// is destroyed when closed, like the other screens.

#include <functional>

class QString;

class NetworkWindow;
class TerminalLink;

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

// Where the screen finds the terminal screen (created on demand); set once
// by the program's start-up.
void setTerminalLink(std::function<TerminalLink*()> link);
TerminalLink* terminalLink();

} // namespace NetworkEntry
