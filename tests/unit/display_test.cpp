// Darkening, restoring, the screen and power commands, and the keyboard watch.
#include <gtest/gtest.h>
#include <algorithm>

#include "app_fixture.h"

namespace vorlane::testing {
namespace {

struct Display : ::testing::Test {
    App app;
    GammaRamp picture{};
    void SetUp() override {
        app.start();
        picture = app.os.ramp;
        app.os.log.clear();
    }
    std::intptr_t key(std::uint32_t vk, std::uintptr_t message = 0x100) {
        return app.program.onKeyboardEvent(0, message, 0x1234, vk);
    }
};

TEST_F(Display, SleepingTwiceKeepsTheFirstSavedRampAndOneKeyRestoresIt) {
    app.program.onCommand(kSleepNow);
    EXPECT_EQ(app.os.ramp, GammaRamp{});
    app.program.enterSleep();
    EXPECT_EQ(app.os.suspends, 2);
    EXPECT_EQ(app.os.logOf("getDC").size(), 1u);
    EXPECT_EQ(app.savedRamp, picture);
    key(0x41);
    EXPECT_EQ(app.os.ramp, picture);
    EXPECT_FALSE(app.program.isDark());
    EXPECT_EQ(app.os.logOf("releaseDC").size(), 1u);
    key(0x41, 0x101);  // the key-up finds nothing left to do
    EXPECT_EQ(app.os.logOf("setGammaRamp picture").size(), 1u);
}

TEST_F(Display, EnterSleepDarkensBeforeTheSuspendRequest) {
    app.program.enterSleep();
    EXPECT_EQ(app.os.log, (std::vector<std::string>{"getDC", "getGammaRamp", "setGammaRamp zero", "getGammaRamp",
                                                    "suspend 001", "removeHook", "installHook"}));
}

TEST_F(Display, RefusedFlatRampIsCoveredByBlackWindows) {
    app.os.refusesFlatRamp = true;
    app.program.enterSleep();
    EXPECT_TRUE(app.os.coversShown);
    EXPECT_LT(std::find(app.os.log.begin(), app.os.log.end(), "showCovers"),
              std::find(app.os.log.begin(), app.os.log.end(), "suspend 001"));
    EXPECT_EQ(app.os.crashDC, app.program.darkenedDC());
    EXPECT_EQ(app.os.crashRamp, &app.savedRamp);
    key(0x20);
    EXPECT_FALSE(app.os.coversShown);
    EXPECT_EQ(app.os.ramp, picture);
    EXPECT_EQ(app.os.crashDC, 0u);
}

TEST_F(Display, DisplayWithoutGammaIsCoveredAndItsRampNeverWritten) {
    app.os.gammaWorks = false;
    app.program.enterSleep();
    EXPECT_TRUE(app.os.coversShown);
    EXPECT_TRUE(app.os.logOf("setGammaRamp").empty());
    EXPECT_EQ(app.os.crashRamp, nullptr);
    key(0x20);
    EXPECT_FALSE(app.os.coversShown);
    EXPECT_TRUE(app.os.logOf("setGammaRamp").empty());
}

TEST_F(Display, TheHookIsInstalledAgainAfterTheSuspendReturns) {
    const Handle before = app.program.keyboardHook();
    app.program.onCommand(kSleepNoDim);
    EXPECT_NE(app.program.keyboardHook(), before);
    EXPECT_EQ(app.os.hooks, std::set<Handle>{app.program.keyboardHook()});
    EXPECT_FALSE(app.program.isDark());
    EXPECT_TRUE(app.os.logOf("setGammaRamp").empty());
}

TEST_F(Display, SleepCommandsPauseACountingStateFirst) {
    for (unsigned command : {kSleepNow, kSleepNoDim}) {
        App fresh;
        fresh.start();
        fresh.program.mutableState().elapsedSeconds = 5;
        fresh.program.onCommand(command);
        EXPECT_EQ(fresh.os.texts[Control::按钮1], "开始") << command;
        EXPECT_EQ(fresh.program.tickPeriod(), 0);
        EXPECT_EQ(fresh.os.suspends, 1);
        // After waking, a key brings the picture back but counting stays paused.
        fresh.program.onKeyboardEvent(0, 0x100, 0, 0x41);
        EXPECT_FALSE(fresh.program.isDark());
        EXPECT_EQ(fresh.program.tickPeriod(), 0);
        EXPECT_EQ(fresh.os.texts[Control::按钮1], "开始");
    }
}

TEST_F(Display, SleepCommandsWhilePausedStayPaused) {
    app.program.onClicked(Control::按钮1);
    app.program.onCommand(kSleepNow);
    EXPECT_EQ(app.os.texts[Control::按钮1], "开始");
    EXPECT_TRUE(app.program.isDark());
}

TEST_F(Display, SleepCommandsAreRefusedWhileHalted) {
    // A real halt: the rest dialog is up.
    app.os.setText(Control::编辑框1, "1");
    app.os.setText(Control::编辑框2, "1");
    app.os.messageBoxAnswers = {1, 1, 2};  // the two refusals answer first, then Cancel
    app.os.duringMessageBox = [&] {
        app.os.log.clear();
        app.program.onCommand(kSleepNow);
        app.program.onCommand(kSleepNoDim);
        EXPECT_EQ(app.os.log, (std::vector<std::string>{"messageBox 错误 已将要进入休眠,请稍候再试. 8208",
                                                        "messageBox 错误 已将要进入休眠,请稍候再试. 8208"}));
    };
    app.program.mutableState().elapsedSeconds = 59;
    app.os.input();
    app.os.advance(1000);
    EXPECT_EQ(app.os.suspends, 0);
    EXPECT_EQ(app.os.texts[Control::按钮1], "暂停");
}

TEST_F(Display, MonitorOffSendsThePowerCommand) {
    app.program.onCommand(kMonitorOff);
    EXPECT_EQ(app.os.log, (std::vector<std::string>{"sysCommand 61808 2"}));
}

TEST(KeyboardWatch, Cases) {
    const struct {
        const char* what;
        bool dark;
        std::int32_t countdownActive;
        std::int32_t elapsed;
        const char* pauseCaption;
        int period;
        std::uint32_t vk;
        bool restored;
        int periodAfter;
        std::int32_t countdownAfter;
    } cases[] = {
        {"key after the rest sleep restarts counting", true, 1, 0, "暂停", 0, 0x41, true, 1000, 1},
        {"key after 立即休眠 stays paused", true, 0, 0, "开始", 0, 0x41, true, 0, 0},
        {"K cancels the countdown", false, 1, 0, "暂停", 0, 0x4B, false, 1000, 0},
        {"K while counting does nothing", false, 0, 12, "暂停", 1000, 0x4B, false, 1000, 0},
        {"K while paused with a stale flag", false, 1, 0, "开始", 0, 0x4B, false, 0, 1},
        {"K with a stale flag and a count", false, 1, 3, "暂停", 1000, 0x4B, false, 1000, 1},
        {"other key during the countdown", false, 1, 0, "暂停", 0, 0x4C, false, 0, 1},
        {"K while dark cancels too", true, 1, 0, "暂停", 0, 0x4B, true, 1000, 0},
    };
    for (const auto& c : cases) {
        App app;
        app.start();
        if (c.dark) app.program.enterSleep();
        app.os.texts[Control::按钮1] = c.pauseCaption;
        app.program.mutableState().countdownActive = c.countdownActive;
        app.program.mutableState().elapsedSeconds = c.elapsed;
        app.program.setTickPeriod(c.period);
        const std::intptr_t result = app.program.onKeyboardEvent(3, 0x100, 0x55, c.vk);
        EXPECT_EQ(result, 0x77) << c.what;  // always the next hook's answer
        EXPECT_EQ(app.program.isDark(), c.dark && !c.restored) << c.what;
        EXPECT_EQ(app.program.state().countdownActive, c.countdownAfter) << c.what;
        EXPECT_EQ(app.program.tickPeriod(), c.periodAfter) << c.what;
    }
}

}  // namespace
}  // namespace vorlane::testing
