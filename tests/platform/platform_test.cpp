#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "common/run_process.h"
#include "platform/app_data.h"
#include "platform/open_link.h"
#include "platform/single_instance.h"

TEST(SingleInstance, ASecondHolderIsRefusedUntilTheFirstEnds) {
    TempFolder runtime;
    setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    EXPECT_EQ(InstanceLockPath("engine_test"),
              runtime.Path() + "/engine_test-" + std::to_string(getuid()) + ".lock");
    ASSERT_TRUE(AcquireInstanceLock("engine_test"));
    // another process sees the marker taken
    ProcessResult other = RunInChild([] { return AcquireInstanceLock("engine_test") ? 0 : 1; });
    EXPECT_EQ(other.exitCode, 1);
    ReleaseInstanceLock();
    ReleaseInstanceLock();  // twice is harmless
    ProcessResult after = RunInChild([] { return AcquireInstanceLock("engine_test") ? 0 : 1; });
    EXPECT_EQ(after.exitCode, 0);
    unsetenv("XDG_RUNTIME_DIR");
}

TEST(UserDataFolder, FollowsXdgAndCreatesTheFolder) {
    TempFolder home;
    std::string data = home / "deep/data";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    EXPECT_EQ(UserDataFolder(), data);
    struct stat st {};
    EXPECT_EQ(stat(data.c_str(), &st), 0);
    unsetenv("XDG_DATA_HOME");
    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.Path().c_str(), 1);
    EXPECT_EQ(UserDataFolder(), home / ".local/share");
    setenv("HOME", oldHome.c_str(), 1);
}

TEST(OpenLink, RefusesOptionLikeLinks) {
    EXPECT_FALSE(OpenLink("-n"));
    EXPECT_FALSE(OpenLink(""));
    EXPECT_FALSE(OpenLink(nullptr));
}
