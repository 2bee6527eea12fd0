// Every translation unit of the build, the tests and main.cpp included, is
// compiled with the one warnings setting.

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(BuildSettings, EveryTargetWarnsAlike) {
    QFile commands(QStringLiteral(MIRAVEL_COMPILE_COMMANDS));
    if (!commands.exists()) GTEST_SKIP() << "the build writes no compile_commands.json";
    ASSERT_TRUE(commands.open(QIODevice::ReadOnly));
    const QJsonArray units = QJsonDocument::fromJson(commands.readAll()).array();
    ASSERT_FALSE(units.isEmpty());
    QStringList files;
    for (const QJsonValue& unit : units) {
        const QString file = unit[QStringLiteral("file")].toString();
        files << file;
        const QStringList flags = unit[QStringLiteral("command")].toString().split(u' ');
        EXPECT_TRUE(flags.contains(QStringLiteral("-Wall")) &&
                    flags.contains(QStringLiteral("-Wextra")))
            << file.toStdString();
    }
    for (const char* source : {"/app/main.cpp", "/tests/app/buildsettings_test.cpp"})
        EXPECT_TRUE(std::any_of(files.cbegin(), files.cend(), [source](const QString& f) {
            return f.endsWith(source);
        })) << source;
}

} // namespace
