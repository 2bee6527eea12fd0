#pragma once
// The user guide that ships inside the program (使い方, and the home-page
// link while the project has no page of its own), in a window of its own.

class QTextBrowser;

namespace miravel::platform {

// Shows the guide, creating its window when needed, and brings it forward.
QTextBrowser* showUserGuide();
// The guide's window when it is open, else nullptr.
QTextBrowser* existingUserGuide();

} // namespace miravel::platform
