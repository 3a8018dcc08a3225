#include <gtest/gtest.h>

#include "startup/GirisModulu.h"
#include "tests/support/FakePlatform.h"

namespace {

struct StartUp : ::testing::Test {
    fake::FakePlatform platform;
    Program program{platform, nullptr, {}};
};

TEST_F(StartUp, FirstInstanceBuildsTheProgramValues) {
    ASSERT_TRUE(GirişModülü::Main(program));
    EXPECT_EQ(platform.calls.front(), "InitCommonControlsEx:8:255");
    EXPECT_EQ(program.values.programFolder, "C:\\Program Files\\Zilvane\\");
    EXPECT_EQ(program.values.appName, "Velorin\\Zilvane");
    EXPECT_EQ(program.values.appTitle, "Zilvane");
}

TEST_F(StartUp, ProgramFolderGetsExactlyOneBackslash) {
    platform.moduleFolder = "C:\\";
    ASSERT_TRUE(GirişModülü::Main(program));
    EXPECT_EQ(program.values.programFolder, "C:\\");
}

TEST_F(StartUp, ApplicationNameComesFromTheVersionInformation) {
    program.values.appTitle = "Something else";
    ASSERT_TRUE(GirişModülü::Main(program));
    EXPECT_EQ(program.values.appName, "Velorin\\Zilvane");
}

TEST_F(StartUp, RunningInstanceIsRestoredAndRaisedAndNothingIsStored) {
    platform.windowWithCaption = 0x5A5A;
    platform.instanceFree = false;
    EXPECT_FALSE(GirişModülü::Main(program));
    auto& c = platform.calls;
    auto at = [&](const std::string& s) { return std::find(c.begin(), c.end(), s) - c.begin(); };
    ASSERT_LT(at("ShowWindow:23130:1"), static_cast<long>(c.size()));
    EXPECT_LT(at("ShowWindow:23130:1"), at("Foreground:23130"));
    EXPECT_TRUE(platform.writes.empty());
}

TEST_F(StartUp, AnyWindowWithTheTitleCountsAsRunning) {
    platform.windowWithCaption = 0x77;  // mutex free: not ours, but the caption matches
    EXPECT_FALSE(GirişModülü::Main(program));
    EXPECT_NE(std::find(platform.calls.begin(), platform.calls.end(), "Foreground:119"),
              platform.calls.end());
}

TEST_F(StartUp, TwinStartedAtTheSameMomentEndsEvenBeforeTheOtherHasAWindow) {
    platform.instanceFree = false;  // the other process holds the mutex, no window yet
    EXPECT_FALSE(GirişModülü::Main(program));
    EXPECT_GT(std::count(platform.calls.begin(), platform.calls.end(), "Pause"), 0);
}

}  // namespace
