#include "platform/frame.h"

#include "common/version.h"
#include "platform/platform.h"
#include "platform/userguide.h"

using namespace miravel::common;

namespace miravel::platform {

void showVersionMessage(QWidget* parent) {
    Platform::message(parent, versionMessageText(), QStringLiteral("バージョン情報"));
}

void openHomePage() {
    // The project has no page of its own yet: the guide that ships with it.
    showUserGuide();
}

} // namespace miravel::platform
