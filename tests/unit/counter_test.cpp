// The tick: counting, the idle reset, the working-time halt, the timer's
// period rules, and the pause and reset buttons.
#include <gtest/gtest.h>

#include "app_fixture.h"

namespace vorlane::testing {
namespace {

struct Counting : ::testing::Test {
    App app;
    void SetUp() override {
        app.start();
        app.os.log.clear();
    }
    // One tick with the user active right before it.
    void busyTick() {
        app.os.input();
        app.os.advance(1000);
    }
};

TEST_F(Counting, FirstTickComesOneSecondAfterCreationAndShowsTheStatus) {
    app.os.input();
    app.os.advance(999);
    EXPECT_EQ(app.program.state().elapsedSeconds, 0);
    app.os.advance(1);
    EXPECT_EQ(app.program.state().elapsedSeconds, 1);
    EXPECT_EQ(app.caption(), "Vorlane  总时长:1时30分  已过:1秒");
    busyTick();
    EXPECT_EQ(app.caption(), "Vorlane  总时长:1时30分  已过:2秒");
}

TEST_F(Counting, HiddenWindowShowsTheStatusInTheTrayTip) {
    app.os.windowVisible = false;
    busyTick();
    EXPECT_EQ(app.os.trayTipText, "Vorlane  总时长:1时30分  已过:1秒\r\n(双击显示面板)");
    EXPECT_EQ(app.os.logOf("caption").size(), 0u);
}

TEST(IdleCheck, ResetsExactlyAtTheLimitAcrossTheTickWrap) {
    const struct {
        std::uint32_t tickBase;
        std::uint64_t idleMs;  // idle time at the tick
        bool resets;
    } cases[] = {
        {0, 599'999, false},
        {0, 600'000, true},  // exactly idleMinutes × 60 s
        {0, 600'999, true},
        {0xFFFF0000u, 599'999, false},
        {0xFFFF0000u, 600'000, true},  // the idle period straddles the wrap
        {0xFFFFFFFFu - 300'000, 700'000, true},
    };
    for (const auto& c : cases) {
        App app;
        app.os.tickBase = c.tickBase;
        app.os.time = 700'000;  // far enough for any idle time
        app.os.lastInputTime = app.os.time;
        app.start();
        app.program.mutableState().elapsedSeconds = 100;
        app.os.lastInputTime = app.os.time + 1000 - c.idleMs;
        app.os.advance(1000);
        EXPECT_EQ(app.program.state().elapsedSeconds, c.resets ? 0 : 101)
            << std::hex << c.tickBase << std::dec << " idle " << c.idleMs;
    }
}

TEST_F(Counting, ReachingTheWorkingTimeHaltsAndPromptsOnce) {
    app.os.setText(Control::编辑框1, "1");
    app.os.setText(Control::编辑框2, "1");
    app.os.messageBoxAnswers = {2};  // Cancel: count again
    for (int i = 0; i < 59; ++i) busyTick();
    EXPECT_EQ(app.program.state().elapsedSeconds, 59);
    EXPECT_TRUE(app.os.logOf("messageBox").empty());
    app.os.log.clear();
    app.os.duringMessageBox = [&] {
        // While the box is up the counter is halted.
        EXPECT_EQ(app.program.tickPeriod(), 0);
        EXPECT_EQ(app.program.state().elapsedSeconds, 0);
        EXPECT_EQ(app.caption(), "Vorlane");
        EXPECT_TRUE(app.program.isAboutToSleep());
    };
    busyTick();
    EXPECT_EQ(app.os.logOf("messageBox").size(), 1u);
    EXPECT_EQ(app.os.log, (std::vector<std::string>{
                              "caption Vorlane  总时长:1分  已过:1分0秒",
                              "killTimer",
                              "caption Vorlane",
                              "messageBox 警告 已长时间工作,还不休息吗?铁子!!! 8241",
                              "setTimer 1000",
                          }));
}

TEST_F(Counting, BothThresholdsInOneTickOnlyReset) {
    app.os.setText(Control::编辑框1, "1");
    app.os.setText(Control::编辑框2, "1");
    app.program.mutableState().elapsedSeconds = 59;
    app.os.lastInputTime = app.os.time + 1000 - 60'000;
    app.os.advance(1000);
    EXPECT_EQ(app.program.state().elapsedSeconds, 0);
    EXPECT_TRUE(app.os.logOf("messageBox").empty());
    EXPECT_EQ(app.program.tickPeriod(), 1000);
}

TEST(TickTimer, PeriodRules) {
    const struct {
        std::vector<int> writes;
        std::vector<std::string> calls;
        int period;
    } cases[] = {
        {{1000}, {"setTimer 1000"}, 1000},
        {{1000, 1000}, {"setTimer 1000"}, 1000},  // same period keeps the phase
        {{1000, 0}, {"setTimer 1000", "killTimer"}, 0},
        {{1000, -5}, {"setTimer 1000", "killTimer"}, 0},
        {{-5}, {}, 0},
        {{0}, {}, 0},
        {{1000, 500}, {"setTimer 1000", "killTimer", "setTimer 500"}, 500},
    };
    for (const auto& c : cases) {
        FakeOs os;
        TickTimer timer(os);
        for (int w : c.writes) timer.setPeriod(w);
        EXPECT_EQ(os.log, c.calls);
        EXPECT_EQ(timer.period(), c.period);
    }
}

TEST_F(Counting, RewritingTheRunningPeriodKeepsThePhase) {
    app.os.advance(600);
    app.program.startCounting();
    app.os.input();
    app.os.advance(400);
    EXPECT_EQ(app.program.state().elapsedSeconds, 1);
}

TEST_F(Counting, PauseAndResume) {
    busyTick();
    app.program.onClicked(Control::按钮1);
    EXPECT_EQ(app.os.texts[Control::按钮1], "开始");
    EXPECT_EQ(app.program.tickPeriod(), 0);
    for (int i = 0; i < 3; ++i) busyTick();
    EXPECT_EQ(app.program.state().elapsedSeconds, 1);
    // Reset while paused: back to 0 but still paused, and not "about to sleep".
    app.program.onClicked(Control::按钮2);
    EXPECT_EQ(app.program.state().elapsedSeconds, 0);
    EXPECT_FALSE(app.program.isAboutToSleep());
    app.program.onClicked(Control::按钮1);
    EXPECT_EQ(app.os.texts[Control::按钮1], "暂停");
    busyTick();
    EXPECT_EQ(app.program.state().elapsedSeconds, 1);
}

TEST_F(Counting, PauseIsRefusedWhileHalted) {
    // Driven into the halt by the tick itself; the button is pressed while
    // the rest dialog is up.
    app.os.setText(Control::编辑框1, "1");
    app.os.setText(Control::编辑框2, "1");
    app.os.duringMessageBox = [&] {
        app.os.log.clear();
        app.program.onClicked(Control::按钮1);
        EXPECT_EQ(app.os.log, (std::vector<std::string>{"messageBox 错误 已将要进入休眠,请稍候再试. 8208"}));
        EXPECT_EQ(app.os.texts[Control::按钮1], "暂停");
        EXPECT_EQ(app.program.tickPeriod(), 0);
    };
    app.program.mutableState().elapsedSeconds = 59;
    busyTick();
    EXPECT_EQ(app.os.logOf("messageBox 错误").size(), 1u);
}

}  // namespace
}  // namespace vorlane::testing
