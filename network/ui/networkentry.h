#pragma once
// The one way into the building network: the start menu and the terminal
// screen open its screen through here. The screen exists at most once and
// is destroyed when closed, like the other screens.

#include <functional>

class NetworkWindow;
class TerminalLink;

namespace NetworkEntry {

// Creates the screen when needed, shows it and brings it forward.
void showNetworkScreen();
// The screen when it exists, else nullptr.
NetworkWindow* existingNetworkScreen();
// Closes the screen when it exists.
void closeNetworkScreen();

// Where the screen finds the terminal screen (created on demand); set once
// by the program's start-up.
void setTerminalLink(std::function<TerminalLink*()> link);
TerminalLink* terminalLink();

} // namespace NetworkEntry
