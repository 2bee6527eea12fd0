#include "common/usersettings.h"

#include "support/testsupport.h"

using namespace miravel::common;
using namespace miravel::platform;

namespace {

TEST(RecentListTest, NewestFirstWithoutDuplicatesAndCut) {
    const struct {
        QStringList list;
        const char* path;
        QStringList expected;
    } cases[] = {
        {{}, "a", {"a"}},
        {{"a", "b"}, "c", {"c", "a", "b"}},
        {{"a", "b", "c"}, "b", {"b", "a", "c"}},
        {{"a", "b", "c", "d", "e"}, "f", {"f", "a", "b", "c", "d"}},
        {{"a", "b", "c", "d", "e"}, "e", {"e", "a", "b", "c", "d"}},
        {{"a", "", "b"}, "c", {"c", "a", "b"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withRecentFirst(c.list, QString::fromUtf8(c.path), RecentProjectCount),
                  c.expected)
            << c.path;
}

TEST(RecentListTest, StoredListKeepsFiveAbsolutePaths) {
    for (int i = 0; i < 7; ++i)
        UserSettings::addRecentProject(QStringLiteral("/p/%1.tvd").arg(i));
    UserSettings::addRecentProject(QStringLiteral("/p/../p/4.tvd"));
    EXPECT_EQ(UserSettings::recentProjects(),
              QStringList({"/p/4.tvd", "/p/6.tvd", "/p/5.tvd", "/p/3.tvd", "/p/2.tvd"}));
}

} // namespace
