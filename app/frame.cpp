#include "app/frame.h"

#include "app/platform.h"
#include "common/version.h"

void showVersionMessage(QWidget* parent) {
    Platform::message(parent, versionMessageText(), QStringLiteral("バージョン情報"));
}

void openHomePage() {
    Platform::openUrl(homePageAddress());
}
